// Form2: the rise or fall from a reference price, as a percentage and in
// yuan, and the entry to the valuation screens and the financial analysis.
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Label("Label1", "收盘价：", 360, 360, 540, 180),
    TextField("Text1", "12", 1560, 360, 1335, 375),
    Label("Label4", "元 (精确到分)", 3000, 480, 1170, 180),
    Label("Label2", "开盘价：", 360, 1080, 540, 180),
    TextField("Text2", "8", 1560, 960, 1335, 375),
    Label("Label3", "元 (精确到分)", 3000, 1080, 1170, 180),
    Label("Label5", "涨跌幅：", 360, 1680, 90, 180),
    ResultField("Text3", "涨跌幅度", 1560, 1560, 1335, 495),
    Label("Label6", "%", 3000, 1680, 90, 180),
    Label("Label7", "涨跌：", 3240, 1680, 540, 180),
    Label("Label8", "", 3720, 1680, 540, 180).Color(kRed),
    Button("Command1", "计算涨跌幅", 240, 2280, 1290, 420),
    Button("Command2", "清空文本框", 1680, 2280, 1290, 420),
    Button("Command3", "切换回去", 3120, 2280, 1290, 420),
    Button("Command4", "PE估值", 240, 2880, 1290, 420),
    Button("Command5", "猜猜价格", 1680, 2880, 1290, 420),
    Button("Command6", "财务分析", 3120, 2880, 1290, 420),
};

constexpr std::string_view kTabOrder[] = {"Command3", "Text3",    "Command2", "Command1", "Text2",
                                          "Text1",    "Command4", "Command5", "Command6"};

constexpr Link kLinks[] = {
    {"Command3", "Form1", SwitchOrder::ShowFirst},
    {"Command4", "Form11", SwitchOrder::HideFirst},
    {"Command5", "Form12", SwitchOrder::HideFirst},
    {"Command6", "Form14", SwitchOrder::HideFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form2",
    .title = "涨跌幅计算--衡川2.0",
    .controls = kControls,
    .tabOrder = kTabOrder,
    .initialFocus = "Command3",
    .defaultButton = "Command1",
    .links = kLinks,
    .placedLike = "Form1",
    .backButton = "Command3",
};

class RiseFall final : public Screen {
 public:
  explicit RiseFall(App& app) : Screen(app, kSpec) {
    OnClick("Command1", &RiseFall::Change);
    OnClick("Command2", &RiseFall::ClearInputs);
  }

 private:
  // "计算涨跌幅": the change from the opening (or lowest) price b to the
  // close a, as a percentage of b and as an amount in yuan.
  void Change() {
    CleanNumberText(closeField, kMoneyMarks);
    CleanNumberText(referenceField, kMoneyOrPercentMarks);
    Num a = ReadNumber(closeField);
    Num b = ReadNumber(referenceField);
    if (IsMissing(closeField)) return PromptMissing("请输入昨天收盘价！");
    if (IsMissing(referenceField)) return PromptMissing("请输入开盘价(最低价)！");
    // The difference a - b, evaluated as b - (b - (a - b)): the extra
    // subtractions can change its last bits, and the rounded percentage
    // depends on them.
    Num d = b - (b - (a - b));
    WriteRounded(changePercent, 100 * (d / b));
    // The amount takes the two prices as whole numbers: a text such as
    // '12abc' stops here, after the percentage has been written.
    Num amount = Num(ReadNumberStrict(closeField)) - ReadNumberStrict(referenceField);
    WriteRounded(changeAmount, amount, "元");
  }

  // "清空文本框": empties both prices; the results stay.
  void ClearInputs() {
    closeField.clear();
    referenceField.clear();
  }

  // The controls, bound once.
  std::string& closeField = text("Text1");  // a, the close
  std::string& referenceField = text("Text2");  // b, the opening or lowest price
  std::string& changePercent = text("Text3");
  std::string& changeAmount = text("Label8");
};

}  // namespace

std::unique_ptr<Screen> MakeRiseFall(App& app) { return std::make_unique<RiseFall>(app); }

}  // namespace hc
