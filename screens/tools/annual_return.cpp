// Form48, the annual return of a 定投 plan or any account: from a list of
// dated amounts put in and taken out and what the account is worth today,
// the money put in and taken out, the profit, the cumulative return and the
// true annual rate over the dated flows (XIRR). The rules are the annual
// return unit's; this screen reads its fields and writes the results.
#include <string>
#include <string_view>

#include "market/annual_return.h"
#include "numeric/numeric.h"
#include "screens/tools/tool_screen.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

// Rows of the inputs and results on the right, in twips.
constexpr int kInputRows[] = {420, 765};
constexpr int kResultRows[] = {1230, 1575, 1920, 2265, 2610, 2955};
constexpr int kFieldHeight = 300;
constexpr int kCaptionDrop = 60;  // a caption's top below its field's
constexpr int kCaptionHeight = 180;
constexpr int kCaptionLeft = 2940;
constexpr int kCaptionWidth = 1080;
constexpr int kFieldLeft = 4080;
constexpr int kFieldWidth = 1560;
constexpr int kUnitLeft = 5700;
constexpr int kUnitWidth = 240;

constexpr int CaptionTop(int row) { return row + kCaptionDrop; }

constexpr ControlSpec kControls[] = {
    // The record list on the left.
    Label("Label1", "资金记录：", 120, 180, 1080, kCaptionHeight),
    TextArea("Text1", "2025-01-10 1000\n2025-02-10 1000\n2025-03-10 1000\n2025-04-10 1000", 120, 420, 2640, 3180),
    Label("Label2", "每行一条：日期 金额", 120, 3660, 2640, kCaptionHeight),
    Label("Label3", "正数为投入，负数为取出", 120, 3900, 2640, kCaptionHeight),
    // Today and the account's value.
    Label("Label4", "当前日期：", kCaptionLeft, CaptionTop(kInputRows[0]), kCaptionWidth, kCaptionHeight),
    TextField("Text2", "", kFieldLeft, kInputRows[0], kFieldWidth, kFieldHeight).TodayAtLoad(),
    Label("Label5", "当前市值：", kCaptionLeft, CaptionTop(kInputRows[1]), kCaptionWidth, kCaptionHeight),
    TextField("Text3", "4413.74", kFieldLeft, kInputRows[1], kFieldWidth, kFieldHeight),
    Label("Label6", "元", kUnitLeft, CaptionTop(kInputRows[1]), kUnitWidth, kCaptionHeight),
    // Results.
    Label("Label7", "累计投入：", kCaptionLeft, CaptionTop(kResultRows[0]), kCaptionWidth, kCaptionHeight),
    ResultField("Text4", "", kFieldLeft, kResultRows[0], kFieldWidth, kFieldHeight),
    Label("Label8", "元", kUnitLeft, CaptionTop(kResultRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label9", "累计取出：", kCaptionLeft, CaptionTop(kResultRows[1]), kCaptionWidth, kCaptionHeight),
    ResultField("Text5", "", kFieldLeft, kResultRows[1], kFieldWidth, kFieldHeight),
    Label("Label10", "元", kUnitLeft, CaptionTop(kResultRows[1]), kUnitWidth, kCaptionHeight),
    Label("Label11", "总盈亏：", kCaptionLeft, CaptionTop(kResultRows[2]), kCaptionWidth, kCaptionHeight),
    ResultField("Text6", "", kFieldLeft, kResultRows[2], kFieldWidth, kFieldHeight),
    Label("Label12", "元", kUnitLeft, CaptionTop(kResultRows[2]), kUnitWidth, kCaptionHeight),
    Label("Label13", "累计收益率：", kCaptionLeft, CaptionTop(kResultRows[3]), kCaptionWidth, kCaptionHeight),
    ResultField("Text7", "", kFieldLeft, kResultRows[3], kFieldWidth, kFieldHeight),
    Label("Label14", "投资天数：", kCaptionLeft, CaptionTop(kResultRows[4]), kCaptionWidth, kCaptionHeight),
    ResultField("Text8", "", kFieldLeft, kResultRows[4], kFieldWidth, kFieldHeight),
    Label("Label15", "天", kUnitLeft, CaptionTop(kResultRows[4]), kUnitWidth, kCaptionHeight),
    Label("Label16", "年化收益率：", kCaptionLeft, CaptionTop(kResultRows[5]), kCaptionWidth, kCaptionHeight),
    ResultField("Text9", "", kFieldLeft, kResultRows[5], kFieldWidth, kFieldHeight),
    // Buttons and footer.
    Button("Command1", "计算", 120, 4320, 1300, 375),
    Button("Command2", "清空文本框", 1560, 4320, 1300, 375),
    Button("Command3", "切换回去", 3000, 4320, 1300, 375),
    Label("Label17", "仅作辅助计算，不能作投资决策用。", 120, 4725, 3200, 200).Color(kDarkGrey).Font("宋体", 10, true),
};

constexpr std::string_view kTabOrder[] = {"Text1", "Text2", "Text3", "Command1", "Command2", "Command3"};

constexpr ScreenSpec kSpec = ToolSpec("Form48", "年化收益率（定投）--衡川2.0", kControls, kTabOrder);

// What is wrong with the record list, in the prompt's words.
std::string RecordsMessage(const RecordsRead& read) {
  const std::string record = "第" + std::to_string(read.number) + "条记录";
  switch (read.fault) {
    case RecordFault::NoRecords: return "请输入资金记录！";
    case RecordFault::TooMany: return "资金记录不能超过" + std::to_string(kMostRecords) + "条！";
    case RecordFault::NotDateAndAmount: return record + "应为“日期 金额”！";
    case RecordFault::BadDate: return record + "的日期无效！";
    case RecordFault::BadAmount: return record + "的金额无效！";
    case RecordFault::None: break;
  }
  return {};
}

// A percentage with two decimals, or "无".
std::string PercentOrNone(const std::optional<Decimal>& percent) { return percent ? percent->Text(2) + "%" : "无"; }

class AnnualReturnScreen final : public ToolScreen {
 public:
  explicit AnnualReturnScreen(App& app) : ToolScreen(app, kSpec) {
    OnCalculate("Command1", &AnnualReturnScreen::Calculate);
    OnClear("Command2", &AnnualReturnScreen::Clear);
  }

 private:
  void Calculate() {
    // Today's date and the value are cleaned and written back first; the
    // record list keeps its text as typed.
    today = std::string(TrimBlanks(PlainWidth(today)));
    CleanField(value, FieldKind::Amount);

    const RecordsRead read = ReadRecords(records);
    if (read.fault != RecordFault::None) return PromptMissing(RecordsMessage(read));
    if (today.empty()) return PromptMissing("请输入当前日期！");
    const std::optional<Date> day = ParseDate(today);
    if (!day) return PromptMissing("当前日期无效！");
    if (value.empty()) return PromptMissing("请输入当前市值！");
    const FieldNumber worth = ReadFieldNumber(value);
    if (worth.state != FieldNumber::State::Number || worth.Compare(Decimal::Whole(0)) < 0 ||
        worth.Compare(Decimal::Whole(kLargestRecordAmount)) > 0) {
      return PromptMissing("当前市值无效！");
    }
    Date latest = read.records.front().date;
    for (const MoneyRecord& r : read.records) latest = std::max(latest, r.date);
    if (*day < latest) return PromptMissing("当前日期不能早于最后一条记录！");

    const AnnualReturn result = CalculateAnnualReturn(read.records, *day, worth.value.Round(2));
    invested = result.invested.Text(2);
    withdrawn = result.withdrawn.Text(2);
    profit = result.profit.Text(2);
    profitColor = SignColor(result.profit);
    cumulative = PercentOrNone(result.returnPercent);
    cumulativeColor = result.returnPercent ? SignColor(*result.returnPercent) : kBlack;
    days = std::to_string(result.days);
    const std::optional<Decimal> rate =
        result.annualRate ? std::optional<Decimal>(RatePercent(*result.annualRate)) : std::nullopt;
    annual = PercentOrNone(rate);
    annualColor = rate ? SignColor(*rate) : kBlack;
    ResultsShown();
  }

  // "清空文本框": the records, the value and every result; today's date stays.
  void Clear() {
    for (std::string* field : {&records, &value, &invested, &withdrawn, &profit, &cumulative, &days, &annual}) {
      field->clear();
    }
    profitColor = kBlack;
    cumulativeColor = kBlack;
    annualColor = kBlack;
  }

  std::string& records = text("Text1");  // one record a line: a date and an amount
  std::string& today = text("Text2");
  std::string& value = text("Text3");  // what the account is worth today
  std::string& invested = text("Text4");
  std::string& withdrawn = text("Text5");
  std::string& profit = text("Text6");
  Rgb& profitColor = At("Text6").color;
  std::string& cumulative = text("Text7");
  Rgb& cumulativeColor = At("Text7").color;
  std::string& days = text("Text8");
  std::string& annual = text("Text9");
  Rgb& annualColor = At("Text9").color;
};

}  // namespace

std::unique_ptr<Screen> MakeAnnualReturn(App& app) { return std::make_unique<AnnualReturnScreen>(app); }

}  // namespace hc
