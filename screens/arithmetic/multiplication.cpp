// Form5, multiplication: the amount of a purchase from the price per share
// and the number of shares, and the number of 100-share lots.
#include <string>

#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

// The result fonts are 宋体 10.5 pt (五号), bold.
constexpr ControlSpec kControls[] = {
    Label("Label1", "单价：", 360, 360, 540, 180),
    TextField("Text1", "", 1560, 360, 1335, 375),
    Label("Label4", "元 (精确到分)", 3000, 480, 1170, 180),
    Label("Label2", "数量：", 360, 1080, 540, 180),
    TextField("Text2", "", 1560, 960, 1335, 375),
    Label("Label3", "股", 3000, 1080, 180, 180),
    Label("Label9", "", 3480, 1080, 720, 210).Color(kRed).Font("宋体", 10.5, true),
    Label("Label10", "手", 4200, 1080, 180, 180),
    Label("Label5", "金额：", 360, 1680, 540, 180),
    ResultField("Text3", "金额", 1560, 1560, 1335, 495).Color(kRed).Font("宋体", 10.5, true),
    Label("Label6", "元 (精确到分)", 3000, 1680, 1170, 180),
    Button("Command5", "加法计算", 1800, 2160, 1290, 420),
    Button("Command4", "除法计算", 3120, 2160, 1290, 420),
    Button("Command1", "乘法计算", 240, 2760, 1290, 420),
    Button("Command2", "清空文本框", 1680, 2760, 1290, 420),
    Button("Command3", "切换回去", 3120, 2760, 1290, 420),
};

constexpr std::string_view kTabOrder[] = {"Text1",    "Text2",    "Command1", "Command2",
                                          "Text3",    "Command3", "Command4", "Command5"};

constexpr Link kLinks[] = {
    {"Command3", "Form1", SwitchOrder::ShowFirst},
    {"Command4", "Form9", SwitchOrder::HideFirst},
    {"Command5", "Form4", SwitchOrder::ShowFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form5",
    .title = "乘法计算--衡川2.0",
    .controls = kControls,
    .tabOrder = kTabOrder,
    .initialFocus = "Text1",
    .defaultButton = "Command1",
    .links = kLinks,
    .placedLike = "Form1",
    .backButton = "Command3",
};

class Multiplication final : public Screen {
 public:
  explicit Multiplication(App& app) : Screen(app, kSpec) {
    OnClick("Command1", &Multiplication::Multiply);
    OnClick("Command2", &Multiplication::ClearInputs);
  }

 private:
  // "乘法计算": amount = price × shares, to the cent, then the lots. Price
  // and shares are converted from their texts where they are used, each
  // time as a whole-text number: '12abc' or a single blank is a type
  // mismatch and nothing is written.
  void Multiply() {
    CleanNumberText(unitPrice, kMoneyMarks);
    CleanNumberText(shareCount, kMoneyOrPercentMarks);
    if (IsMissing(unitPrice)) return PromptMissing("请输入每股价格！");
    if (IsMissing(shareCount)) return PromptMissing("请输入股票数量！");
    Num price = ReadNumberStrict(unitPrice);
    Num shares = ReadNumberStrict(shareCount);
    WriteRounded(amount, price * shares);

    // The lots are rounded twice: first to a tenth (halves to even), then
    // to a whole lot (halves away from zero), so 1249 shares make 12.49,
    // then 12.5, then 13 lots.
    std::string& lots = lotsCaption;
    lots = NumberText(Num(ReadNumberStrict(shareCount)) / 100);
    lots = NumberText(RoundHalfEven(ReadNumber(lots), 1));
    // The lots caption: a whole number after one blank (' 13', ' -13', ' 0').
    lots = " " + FixedText(ReadNumber(lots), 0);
  }

  // "清空文本框": both inputs; the amount and the lots stay.
  void ClearInputs() {
    unitPrice.clear();
    shareCount.clear();
  }

  // The controls, bound once.
  std::string& unitPrice = text("Text1");
  std::string& shareCount = text("Text2");
  std::string& amount = text("Text3");
  std::string& lotsCaption = text("Label9");
};

}  // namespace

std::unique_ptr<Screen> MakeMultiplication(App& app) { return std::make_unique<Multiplication>(app); }

}  // namespace hc
