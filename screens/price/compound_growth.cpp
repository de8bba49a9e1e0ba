// Form7: compound growth. An amount compounded by a fixed percentage over a
// whole number of periods, upward and downward: money over years, or a
// price after several limit days in a row.
#include <cmath>

#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Label("Label1", "本金：", 240, 480, 540, 180),
    TextField("Text1", "100000", 1320, 360, 1335, 375),
    Label("Label3", "元 (精确到分)", 2880, 480, 1170, 180),
    Label("Label2", "数量：", 240, 960, 540, 180),
    TextField("Text2", "10", 1320, 840, 1335, 375),
    Label("Label4", "个 (年)", 2880, 960, 630, 180),
    Label("Label9", "涨幅：", 240, 1440, 540, 180),
    TextField("Text5", "30", 1320, 1320, 1335, 375),
    Label("Label10", "% 如：10", 2880, 1440, 720, 180),
    Label("Label5", "连涨价：", 240, 2040, 540, 180).Color(kRed),
    ResultField("Text3", "连涨价", 1320, 1800, 1335, 420).Color(kRed),
    Label("Label7", "上涨：", 2880, 1920, 540, 180).Color(kRed),
    Label("Label6", "连跌价：", 240, 2520, 540, 180).Color(kGreen),
    ResultField("Text4", "连跌价", 1320, 2280, 1335, 420).Color(kGreen),
    Label("Label8", "下跌：", 2880, 2400, 540, 180).Color(kGreen),
    Button("Command1", "复利计算", 240, 2880, 1290, 420),
    Button("Command2", "清空文本框", 1680, 2880, 1290, 420),
    Button("Command3", "切换回去", 3120, 2880, 1290, 420),
};

constexpr std::string_view kTabOrder[] = {"Text1",    "Text2", "Command1", "Command2",
                                          "Command3", "Text3", "Text4",    "Text5"};

constexpr Link kLinks[] = {
    {"Command3", "Form1", SwitchOrder::HideFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form7",
    .title = "复利计算器--衡川2.0",
    .clientWidth = 4560,
    .clientHeight = 3465,
    .controls = kControls,
    .tabOrder = kTabOrder,
    .initialFocus = "Text1",
    .defaultButton = "Command1",
    .links = kLinks,
    .placedLike = "Form3",
    .backButton = "Command3",
};

class CompoundGrowth final : public Screen {
 public:
  explicit CompoundGrowth(App& app) : Screen(app, kSpec) {
    OnClick("Command1", &CompoundGrowth::Compound);
    OnClick("Command2", &CompoundGrowth::ClearInputs);
  }

 private:
  // "复利计算": the amount after n rises of r % and after n falls of r %,
  // and the change of each from the starting amount.
  void Compound() {
    CleanNumberText(amountField, kMoneyMarks);
    CleanNumberText(periodsField, kPeriodMarks);
    CleanNumberText(rateField, kRateMarks);
    // The amount's prompt names the close, as on the limit-day use.
    if (IsMissing(amountField)) return PromptMissing("请输入昨天收盘价！");
    if (IsMissing(periodsField)) return PromptMissing("请输入连板数量！");
    if (IsMissing(rateField)) return PromptMissing("请输入涨幅！");

    // The amount is taken to the cent and the count to a whole number of
    // periods (2.9 is 2), both shown so in their fields.
    amountField = Fixed2(ReadNumber(amountField));
    Num p = ReadNumber(amountField);
    double whole = std::trunc(ReadNumber(periodsField));
    periodsField = NumberText(whole);
    Num n = whole;
    Num r = Num(ReadNumber(rateField)) / 100;

    // The rise is rounded to the cent straight away, the fall after the cut
    // to 15 significant digits.
    WriteRoundedFirst(afterRises, p * Power(1 + r, n));
    WriteRounded(afterFalls, p * Power(1 - r, n));

    // The changes from the amount, taken from the results as written.
    std::string rise;
    WriteRounded(rise, Num(ReadNumber(afterRises)) - p, "元");
    riseCaption = "上涨：" + rise;
    fallCaption = "下跌：" + Fixed2(Num(ReadNumber(afterFalls)) - p) + " 元";
  }

  // "清空文本框": empties the amount and the count; the percentage and the
  // results stay.
  void ClearInputs() {
    amountField.clear();
    periodsField.clear();
  }

  // The controls, bound once.
  std::string& amountField = text("Text1");  // p, the starting amount
  std::string& periodsField = text("Text2");  // n
  std::string& rateField = text("Text5");  // r in percent
  std::string& afterRises = text("Text3");
  std::string& afterFalls = text("Text4");
  std::string& riseCaption = text("Label7");
  std::string& fallCaption = text("Label8");
};

}  // namespace

std::unique_ptr<Screen> MakeCompoundGrowth(App& app) { return std::make_unique<CompoundGrowth>(app); }

}  // namespace hc
