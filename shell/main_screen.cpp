// Form1, the main screen: stop-loss and stop-profit prices around
// yesterday's close, and the hub to the most used calculators.
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Label("Label1", "昨天收盘价：", 360, 240, 540, 180),
    TextField("Text1", "10", 1560, 240, 1335, 375),
    Label("Label8", "", 3000, 360, 180, 180).Color(kRed),
    Label("Label4", "↑：", 3480, 360, 180, 180),
    Label("Label9", "", 3960, 360, 540, 180),
    Label("Label2", "涨跌幅：", 360, 960, 540, 180),
    TextField("Text2", "3.0", 1560, 840, 1335, 375),
    Label("Label3", "% 如：1.55", 3000, 960, 900, 180),
    Label("Label6", "最低价：", 360, 1560, 540, 180),
    ResultField("Text3", "最低价", 1560, 1440, 1335, 495),
    Label("Label5", "↓下跌：", 3000, 1560, 90, 180),
    Label("Label7", "", 3600, 1560, 540, 180).Color(kGreen),
    Button("Command1", "止盈止损价", 240, 2040, 1290, 420),
    Button("Command2", "补仓成本", 1680, 2040, 1290, 420),
    Button("Command3", "涨跌幅切换", 3120, 2040, 1290, 420),
    Button("Command6", "乘法", 240, 2640, 690, 420),
    Button("Command7", "建仓", 840, 2640, 690, 420),
    Button("Command5", "复利计算器", 1680, 2640, 1290, 420),
    Button("Command4", "涨停价切换", 3120, 2640, 1290, 420),
    Label("Label10", "本软件仅作为计算", 120, 3120, 630, 180).Color(kDarkGrey),
    Label("Label11", "器，不能作为投资和决策用途，否则后果自负。", 120, 3360, 630, 180).Color(kDarkGrey),
};

constexpr std::string_view kTabOrder[] = {"Text1",    "Text2",    "Command1", "Command2", "Text3",
                                          "Command3", "Command4", "Command5", "Command6", "Command7"};

constexpr Link kLinks[] = {
    {"Command2", "Form6", SwitchOrder::HideFirst},
    {"Command3", "Form2", SwitchOrder::HideFirst},
    {"Command4", "Form3", SwitchOrder::HideFirst},
    {"Command5", "Form7", SwitchOrder::HideFirst},
    {"Command6", "Form5", SwitchOrder::HideFirst},
    {"Command7", "Form38", SwitchOrder::HideFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form1",
    .title = "衡川2.0（升级版）    作者：听风客",
    .controls = kControls,
    .tabOrder = kTabOrder,
    .initialFocus = "Text1",
    .defaultButton = "Command1",
    .links = kLinks,
    .placedLike = kCentred,
};

class MainScreen final : public Screen {
 public:
  explicit MainScreen(App& app) : Screen(app, kSpec) {
    OnClick("Command1", &MainScreen::StopPrices);
  }

 private:
  // "止盈止损价": the lowest price at the percentage below the close, the
  // fall to it, the symmetric upper price and the distance between the two.
  void StopPrices() {
    CleanNumberText(closeField, kMoneyMarks);
    CleanNumberText(percentField, kMoneyOrPercentMarks);
    Num c = ReadNumber(closeField);
    Num p = ReadNumber(percentField);
    if (IsMissing(closeField)) return PromptMissing("请输入昨天收盘价！");
    if (IsMissing(percentField)) return PromptMissing("请输入涨跌幅！");
    p = p / 100;
    WriteRounded(lowPrice, c - c * p);
    // From here on the lowest price is the rounded text of Text3.
    Num low = ReadNumber(lowPrice);
    WriteRoundedFirst(fallToLow, c - low, "元");
    WriteRounded(highPrice, (c - low) + c);
    Num lowStrict = ReadNumberStrict(lowPrice);
    WriteRounded(lowToHigh, (c - lowStrict) * 2, "元");
  }

  // The controls, bound once.
  std::string& closeField = text("Text1");  // yesterday's close
  std::string& percentField = text("Text2");  // the percentage
  std::string& lowPrice = text("Text3");  // the price at the percentage below the close
  std::string& fallToLow = text("Label7");
  std::string& highPrice = text("Label8");  // the symmetric price above the close
  std::string& lowToHigh = text("Label9");  // the distance between the two
};

}  // namespace

std::unique_ptr<Screen> MakeMainScreen(App& app) { return std::make_unique<MainScreen>(app); }

}  // namespace hc
