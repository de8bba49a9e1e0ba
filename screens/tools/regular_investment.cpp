// Form50, a regular-investment projection (定投计划): the same amount put in
// every month, every two weeks or every week, at the start or the end of the
// period, grown at an expected annual rate taken as an effective or as a
// nominal rate, beside what was invested already: the money put in, what
// the plan is worth at the end and year by year, the gain, and the least
// amount a period that reaches a target. The rules are the
// regular-investment unit's; this screen reads its fields and writes the
// results.
#include <string>
#include <string_view>
#include <vector>

#include "market/regular_investment.h"
#include "screens/tools/money_field.h"
#include "screens/tools/tool_screen.h"
#include "screens/tools/two_columns.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr int kFrequencyGroup = 1;
constexpr int kTimingGroup = 2;
constexpr int kRateGroup = 3;

// Rows of the options, the inputs and the results, in twips.
constexpr int kOptionRows[] = {60, 360};
constexpr int kInputRows[] = {720, 1065, 1410};
constexpr int kResultRows[] = {1830, 2175, 2520};
using namespace two_columns;  // NOLINT(google-build-using-namespace): the grid of the layout table

constexpr std::string_view kYearColumns[] = {"年份", "累计投入", "年末资产", "累计收益"};

constexpr ControlSpec kControls[] = {
    // How often, when in the period, and how the annual rate is split.
    OptionButton("Option1", "每月", kFrequencyGroup, 120, kOptionRows[0], 780, 270).Checked(),
    OptionButton("Option2", "每两周", kFrequencyGroup, 1020, kOptionRows[0], 960, 270),
    OptionButton("Option3", "每周", kFrequencyGroup, 2100, kOptionRows[0], 780, 270),
    OptionButton("Option4", "期初投入", kTimingGroup, 3360, kOptionRows[0], 1140, 270).Checked(),
    OptionButton("Option5", "期末投入", kTimingGroup, 4620, kOptionRows[0], 1140, 270),
    OptionButton("Option6", "实际年化折算：(1+年化)^(1/期数)−1", kRateGroup, 120, kOptionRows[1], 3360, 270).Checked(),
    OptionButton("Option7", "名义年化均分：年化÷期数", kRateGroup, 3600, kOptionRows[1], 2520, 270),
    // The plan.
    Label("Label1", "每期投入：", kLeftCaption, CaptionTop(kInputRows[0]), kLeftCaptionWidth, kCaptionHeight),
    TextField("Text1", "1000", kLeftField, kInputRows[0], kLeftFieldWidth, kFieldHeight),
    Label("Label2", "元", kLeftUnit, CaptionTop(kInputRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label3", "预期年化收益率：", kRightCaption, CaptionTop(kInputRows[0]), kRightCaptionWidth, kCaptionHeight),
    TextField("Text2", "8", kRightField, kInputRows[0], kRightFieldWidth, kFieldHeight),
    Label("Label4", "%", kRightUnit, CaptionTop(kInputRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label5", "投资年限：", kLeftCaption, CaptionTop(kInputRows[1]), kLeftCaptionWidth, kCaptionHeight),
    TextField("Text3", "10", kLeftField, kInputRows[1], kLeftFieldWidth, kFieldHeight),
    Label("Label6", "年", kLeftUnit, CaptionTop(kInputRows[1]), kUnitWidth, kCaptionHeight),
    Label("Label7", "已有本金：", kRightCaption, CaptionTop(kInputRows[1]), kRightCaptionWidth, kCaptionHeight),
    TextField("Text4", "", kRightField, kInputRows[1], kRightFieldWidth, kFieldHeight),
    Label("Label8", "元", kRightUnit, CaptionTop(kInputRows[1]), kUnitWidth, kCaptionHeight),
    Label("Label9", "目标金额：", kLeftCaption, CaptionTop(kInputRows[2]), kLeftCaptionWidth, kCaptionHeight),
    TextField("Text5", "", kLeftField, kInputRows[2], kLeftFieldWidth, kFieldHeight),
    Label("Label10", "元", kLeftUnit, CaptionTop(kInputRows[2]), kUnitWidth, kCaptionHeight),
    Label("Label11", "（空为不测算）", kRightCaption, CaptionTop(kInputRows[2]), kRightCaptionWidth, kCaptionHeight),
    // The results.
    Label("Label12", "投入期数：", kLeftCaption, CaptionTop(kResultRows[0]), kLeftCaptionWidth, kCaptionHeight),
    ResultField("Text6", "", kLeftField, kResultRows[0], kLeftFieldWidth, kFieldHeight),
    Label("Label13", "期", kLeftUnit, CaptionTop(kResultRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label14", "累计投入：", kRightCaption, CaptionTop(kResultRows[0]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text7", "", kRightField, kResultRows[0], kRightFieldWidth, kFieldHeight),
    Label("Label15", "元", kRightUnit, CaptionTop(kResultRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label16", "期末总资产：", kLeftCaption, CaptionTop(kResultRows[1]), kLeftCaptionWidth, kCaptionHeight),
    ResultField("Text8", "", kLeftField, kResultRows[1], kLeftFieldWidth, kFieldHeight),
    Label("Label17", "元", kLeftUnit, CaptionTop(kResultRows[1]), kUnitWidth, kCaptionHeight),
    Label("Label18", "总收益：", kRightCaption, CaptionTop(kResultRows[1]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text9", "", kRightField, kResultRows[1], kRightFieldWidth, kFieldHeight),
    Label("Label19", "元", kRightUnit, CaptionTop(kResultRows[1]), kUnitWidth, kCaptionHeight),
    Label("Label20", "达到目标每期需投入：", kLeftCaption, CaptionTop(kResultRows[2]), kLeftCaptionWidth,
          kCaptionHeight),
    ResultField("Text11", "", kLeftField, kResultRows[2], kLeftFieldWidth, kFieldHeight),
    Label("Label21", "元", kLeftUnit, CaptionTop(kResultRows[2]), kUnitWidth, kCaptionHeight),
    Label("Label22", "总收益率：", kRightCaption, CaptionTop(kResultRows[2]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text10", "", kRightField, kResultRows[2], kRightFieldWidth, kFieldHeight),
    // Year by year: it takes the room of a larger window.
    Table("Table1", kYearColumns, 120, 2910, 5955, 1290).ReadOnly().Anchored(kFillRoom),
    // Buttons and footer, at their distance to the bottom edge.
    Button("Command1", "计算", 120, 4320, 1300, 375).Anchored(kFollowBottom),
    Button("Command2", "清空文本框", 1560, 4320, 1300, 375).Anchored(kFollowBottom),
    Button("Command3", "切换回去", 3000, 4320, 1300, 375).Anchored(kFollowBottom),
    Label("Label23", "仅作辅助计算，不能作投资决策用。", 120, 4725, 3200, 200)
        .Color(kDarkGrey)
        .Font("宋体", 10, true)
        .Anchored(kFollowBottom),
};

constexpr std::string_view kTabOrder[] = {"Text1",    "Text2",    "Text3",    "Text4",   "Text5",   "Option1",
                                          "Option2",  "Option3",  "Option4",  "Option5", "Option6", "Option7",
                                          "Command1", "Command2", "Command3", "Table1"};

constexpr ScreenSpec kSpec = ToolSpec("Form50", "定投计划--衡川2.0", kControls, kTabOrder);

class RegularInvestmentScreen final : public ToolScreen {
 public:
  explicit RegularInvestmentScreen(App& app) : ToolScreen(app, kSpec) {
    OnCalculate("Command1", &RegularInvestmentScreen::Calculate);
    OnClear("Command2", &RegularInvestmentScreen::Clear);
    for (std::string_view option : {"Option1", "Option2", "Option3", "Option4", "Option5", "Option6", "Option7"}) {
      OnOption(option);
    }
  }

 private:
  Frequency frequency() const {
    return biweeklyOption.checked ? Frequency::Biweekly : weeklyOption.checked ? Frequency::Weekly : Frequency::Monthly;
  }

  // "计算": the fields cleaned, then checked in order, the first failure
  // prompted and nothing written; then the projection and its table.
  void Calculate() {
    CleanField(deposit, FieldKind::Amount);
    CleanField(annualRate, FieldKind::Percent);
    CleanField(years, FieldKind::Count);
    CleanField(principal, FieldKind::Amount);
    CleanField(target, FieldKind::Amount);
    const FieldRead a = ReadMoney(deposit, "每期投入");
    if (!a) return Prompt(a);
    constexpr std::string_view rateOutside = "预期年化收益率必须在-99.99到1000之间！";
    const FieldRead r = ReadInRange(annualRate, "预期年化收益率", Bound{Decimal(-9999, 2)}, rateOutside,
                                    Bound{Decimal::Whole(1000)}, rateOutside);
    if (!r) return Prompt(r);
    const FieldRead y = ReadCount(years, "投资年限", 1, 100);
    if (!y) return Prompt(y);
    FieldRead p{Decimal(), {}};
    if (!principal.empty()) {
      p = ReadInRange(principal, "已有本金", Bound{Decimal::Whole(0)}, "已有本金不能为负数！",
                      Bound{Decimal::Whole(kMostMoney)}, "已有本金不能大于1000000000000！");
      if (!p) return Prompt(p);
    }
    std::optional<Decimal> goal;
    if (!target.empty()) {
      const FieldRead t = ReadMoney(target, "目标金额");
      if (!t) return Prompt(t);
      goal = t->Round(2);
    }

    PlanTerms terms;
    terms.deposit = a->Round(2);
    terms.annualPercent = *r;
    terms.years = static_cast<int>(y->UnitsAt(0));
    terms.principal = p->Round(2);
    terms.target = goal;
    terms.frequency = frequency();
    terms.timing = periodEndOption.checked ? Timing::PeriodEnd : Timing::PeriodStart;
    terms.conversion = nominalOption.checked ? RateConversion::Nominal : RateConversion::Effective;
    const RegularPlan plan = ProjectPlan(terms);
    if (plan.tooLarge) {
      return PromptMissing("期末总资产超过10^18元，无法计算：请减小每期投入、已有本金、预期年化收益率或投资年限！");
    }

    periods = std::to_string(plan.periods);
    invested = plan.invested.Text(2);
    finalAssets = plan.finalAssets.Text(2);
    gain = plan.gain.Text(2);
    gainColor = SignColor(plan.gain);
    gainPercent = plan.gainPercent.Text(2) + "%";
    gainPercentColor = SignColor(plan.gainPercent);
    depositForTarget = plan.targetReached ? "已达到" : plan.depositForTarget ? plan.depositForTarget->Text(2) : "";
    yearRows.clear();
    yearRows.reserve(plan.years.size());
    for (std::size_t i = 0; i < plan.years.size(); ++i) {
      const PlanYear& row = plan.years[i];
      yearRows.push_back({std::to_string(i + 1), row.invested.Text(2), row.assets.Text(2), row.gain.Text(2)});
    }
    ResultsShown();
  }

  // "清空文本框": every input, every result and the table; the options stay.
  void Clear() {
    for (std::string* field : {&deposit, &annualRate, &years, &principal, &target, &periods, &invested, &finalAssets,
                               &gain, &gainPercent, &depositForTarget}) {
      field->clear();
    }
    gainColor = kBlack;
    gainPercentColor = kBlack;
    yearRows.clear();
  }

  const Control& biweeklyOption = At("Option2");
  const Control& weeklyOption = At("Option3");     // monthly when neither is chosen
  const Control& periodEndOption = At("Option5");  // at the period's start when not chosen
  const Control& nominalOption = At("Option7");    // the effective rate when not chosen
  // The plan.
  std::string& deposit = text("Text1");
  std::string& annualRate = text("Text2");  // in percent
  std::string& years = text("Text3");
  std::string& principal = text("Text4");  // empty: none
  std::string& target = text("Text5");     // empty: no target
  // The results.
  std::string& periods = text("Text6");
  std::string& invested = text("Text7");
  std::string& finalAssets = text("Text8");
  std::string& gain = text("Text9");
  Rgb& gainColor = At("Text9").color;
  std::string& gainPercent = text("Text10");
  Rgb& gainPercentColor = At("Text10").color;
  std::string& depositForTarget = text("Text11");
  std::vector<std::vector<std::string>>& yearRows = rows("Table1");
};

}  // namespace

std::unique_ptr<Screen> MakeRegularInvestment(App& app) { return std::make_unique<RegularInvestmentScreen>(app); }

}  // namespace hc
