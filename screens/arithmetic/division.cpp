// Form9, division: the dividend in Text1 divided by the divisor in Text2.
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

// The result font is 宋体 10.5 pt (五号), bold. The result field stays
// editable on this screen.
constexpr ControlSpec kControls[] = {
    Label("Label1", "被除数：", 360, 360, 540, 180),
    TextField("Text1", "", 1560, 360, 1335, 375),
    Label("Label4", "(精确到分)", 3120, 480, 900, 180),
    Label("Label2", "除数：", 360, 1080, 540, 180),
    TextField("Text2", "", 1560, 960, 1335, 375),
    Label("Label5", "（整数）", 3120, 1080, 720, 180),
    Label("Label3", "结果：", 360, 1680, 540, 180),
    TextField("Text3", "结果", 1560, 1560, 1335, 375).Color(kRed).Font("宋体", 10.5, true),
    Label("Label6", "(精确到分)", 3120, 1680, 900, 180),
    Button("Command5", "加法计算", 1800, 2160, 1290, 420),
    Button("Command4", "乘法计算", 3120, 2160, 1290, 420),
    Button("Command1", "除法计算", 240, 2760, 1290, 420),
    Button("Command2", "清空文本框", 1680, 2760, 1290, 420),
    Button("Command3", "切换回去", 3120, 2760, 1290, 420),
};

constexpr std::string_view kTabOrder[] = {"Text1",    "Text2",    "Text3",    "Command1",
                                          "Command2", "Command3", "Command4", "Command5"};

constexpr Link kLinks[] = {
    {"Command3", "Form1", SwitchOrder::ShowFirst},
    {"Command4", "Form5", SwitchOrder::HideFirst},
    {"Command5", "Form4", SwitchOrder::ShowFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form9",
    .title = "除法计算--衡川2.0",
    .controls = kControls,
    .tabOrder = kTabOrder,
    .initialFocus = "Text1",
    .defaultButton = "Command1",
    .links = kLinks,
    .placedLike = "Form5",
    .backButton = "Command3",
};

class Division final : public Screen {
 public:
  explicit Division(App& app) : Screen(app, kSpec) {
    OnClick("Command1", &Division::Divide);
    OnClick("Command2", &Division::ClearInputs);
  }

 private:
  // "除法计算": dividend / divisor, to the cent. A divisor of 0 (or a text
  // that reads as 0) stops with a division by zero and writes nothing.
  void Divide() {
    CleanNumberText(dividendField, kMoneyMarks);
    CleanNumberText(divisorField, kMoneyOrPercentMarks);
    Num dividend = ReadNumber(dividendField);
    Num divisor = ReadNumber(divisorField);
    if (IsMissing(dividendField)) return PromptMissing("请输入被除数！");
    if (IsMissing(divisorField)) return PromptMissing("请输入除数！");
    WriteRounded(quotient, dividend / divisor);
  }

  // "清空文本框": both inputs; the result stays.
  void ClearInputs() {
    dividendField.clear();
    divisorField.clear();
  }

  // The controls, bound once.
  std::string& dividendField = text("Text1");
  std::string& divisorField = text("Text2");
  std::string& quotient = text("Text3");
};

}  // namespace

std::unique_ptr<Screen> MakeDivision(App& app) { return std::make_unique<Division>(app); }

}  // namespace hc
