// Form3: tomorrow's limit-up and limit-down prices under the 10 % daily
// limit, and the distance from yesterday's close to each.
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Label("Label1", "昨天收盘价：", 360, 360, 540, 180),
    TextField("Text1", "", 1560, 360, 1335, 375),
    Label("Label4", "元 (精确到分)", 3000, 480, 1170, 180),
    Label("Label2", "涨停价：", 360, 1080, 540, 180).Color(kRed),
    ResultField("Text2", "涨停价", 1560, 960, 1335, 375).Color(kRed),
    Label("Label3", "元 (精确到分)", 3000, 1080, 1170, 180),
    Label("Label6", "跌停价：", 360, 1680, 540, 180).Color(kGreen),
    ResultField("Text3", "跌停价", 1560, 1560, 1335, 375).Color(kGreen),
    Label("Label5", "元 (精确到分)", 3000, 1680, 1170, 180),
    Label("Label7", "上涨：", 480, 2040, 540, 180).Color(kRed),
    Label("Label8", "", 1560, 2040, 540, 180).Color(kRed),
    Label("Label9", "下跌：", 480, 2400, 540, 180).Color(kGreen),
    Label("Label10", "", 1560, 2400, 630, 180).Color(kGreen),
    Button("Command4", "连续涨跌停", 3120, 2160, 1290, 420),
    Button("Command1", "计算涨停价", 240, 2640, 1290, 420),
    Button("Command2", "清空文本框", 1680, 2640, 1290, 420),
    Button("Command3", "切换回去", 3120, 2640, 1290, 420),
};

constexpr std::string_view kTabOrder[] = {"Command3", "Command2", "Command1", "Text3",
                                          "Text2",    "Text1",    "Command4"};

constexpr Link kLinks[] = {
    {"Command3", "Form1", SwitchOrder::HideFirst},
    {"Command4", "Form7", SwitchOrder::HideFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form3",
    .title = "涨停价、跌停价计算--衡川2.0",
    .controls = kControls,
    .tabOrder = kTabOrder,
    .initialFocus = "Command3",
    .defaultButton = "Command1",
    .links = kLinks,
    .placedLike = "Form1",
    .backButton = "Command3",
};

// The daily limit: the next day's price lies between 0.9 and 1.1 times
// yesterday's close.
constexpr double kLimitUp = 1.1;
constexpr double kLimitDown = 0.9;

// Writes a limit price as the exchange quotes it: the product cut to 15
// significant digits, then rounded to the cent with halves away from zero
// (11.165 is 11.17, not the even cent 11.16).
void WriteLimitPrice(std::string& field, Num price) {
  field = NumberText(price);
  field = Fixed2(ReadNumber(field));
}

class LimitPrices final : public Screen {
 public:
  explicit LimitPrices(App& app) : Screen(app, kSpec) {
    OnClick("Command1", &LimitPrices::Limits);
    OnClick("Command2", &LimitPrices::ClearClose);
  }

 private:
  // "计算涨停价": both limit prices, then the rise and the fall to them,
  // taken from the limit prices as written.
  void Limits() {
    CleanNumberText(closeField, kMoneyMarks);
    Num c = ReadNumber(closeField);
    if (IsMissing(closeField)) return PromptMissing("请输入昨天收盘价！");
    WriteLimitPrice(limitUp, kLimitUp * c);
    WriteLimitPrice(limitDown, kLimitDown * c);
    WriteRounded(riseToLimit, Num(ReadNumber(limitUp)) - ReadNumber(closeField), "元");
    WriteRounded(fallToLimit, Num(ReadNumber(limitDown)) - ReadNumber(closeField), "元");
  }

  // "清空文本框": empties the close only; the results stay.
  void ClearClose() { closeField.clear(); }

  // The controls, bound once.
  std::string& closeField = text("Text1");  // yesterday's close
  std::string& limitUp = text("Text2");
  std::string& limitDown = text("Text3");
  std::string& riseToLimit = text("Label8");
  std::string& fallToLimit = text("Label10");
};

}  // namespace

std::unique_ptr<Screen> MakeLimitPrices(App& app) { return std::make_unique<LimitPrices>(app); }

}  // namespace hc
