// Form52, the exchange reverse repo of government bonds (国债逆回购): for an
// amount lent at a quoted rate on a trade day, the days the cash is gone and
// back on the exchanges' calendar (首次交收日, 可用日, 可取日 and the actual
// interest days), the interest, the commission, the net income, its yearly
// rate and the break-even rate of the chosen term; and the same days and fees
// of every term for that trade day, the table the papers print before a
// holiday. The rules are the repo and calendar units'; this screen reads its
// fields and writes the results.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "market/exchange_calendar.h"
#include "market/reverse_repo.h"
#include "numeric/numeric.h"
#include "screens/tools/tool_screen.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr int kTermGroup = 1;

// Rows of the inputs and results, in twips.
constexpr int kOptionRow = 120;
constexpr int kInputRows[] = {540, 900};
constexpr int kResultRows[] = {1380, 1740, 2100};
constexpr int kFieldHeight = 300;
constexpr int kCaptionDrop = 60;  // a caption's top below its field's
constexpr int kCaptionHeight = 180;
constexpr int CaptionTop(int row) { return row + kCaptionDrop; }

// Three columns: the amount, the date and the dates on the left; the rate,
// the discount, the days, the interest and the fee in the middle; the net
// figures on the right. Units right of their fields.
struct Column {
  int caption, captionWidth, field, fieldWidth, unit;
};
constexpr Column kLeft{120, 1080, 1260, 1800, 3120};
constexpr Column kMiddle{3360, 960, 4320, 1320, 5700};
constexpr Column kRight{6060, 1260, 7380, 1080, 8520};
constexpr int kUnitWidth = 180;

constexpr ControlSpec CaptionAt(std::string_view name, std::string_view caption, const Column& c, int row) {
  return Label(name, caption, c.caption, CaptionTop(row), c.captionWidth, kCaptionHeight);
}
constexpr ControlSpec InputAt(std::string_view name, std::string_view text, const Column& c, int row) {
  return TextField(name, text, c.field, row, c.fieldWidth, kFieldHeight);
}
constexpr ControlSpec ResultAt(std::string_view name, const Column& c, int row) {
  return ResultField(name, "", c.field, row, c.fieldWidth, kFieldHeight);
}
constexpr ControlSpec UnitAt(std::string_view name, std::string_view unit, const Column& c, int row) {
  return Label(name, unit, c.unit, CaptionTop(row), kUnitWidth, kCaptionHeight);
}

// The table of every term, wide enough for all its columns at once.
constexpr int kTableTop = 2820;
constexpr int kTableHeight = 3240;  // the header and the nine terms
constexpr int kClientWidth = 8820;
constexpr int kButtonRow = 6180;
constexpr int kClientHeight = 6960;

constexpr std::string_view kTermColumns[] = {"期限",   "可用日",       "可取日", "计息天数",
                                             "手续费", "保本年化利率", "净收益"};

constexpr ControlSpec kControls[] = {
    // The term.
    OptionButton("Option1", "1天（GC001/R-001）", kTermGroup, 120, kOptionRow, 2040, 300).Checked(),
    OptionButton("Option2", "2天", kTermGroup, 2220, kOptionRow, 660, 300),
    OptionButton("Option3", "3天", kTermGroup, 2940, kOptionRow, 660, 300),
    OptionButton("Option4", "4天", kTermGroup, 3660, kOptionRow, 660, 300),
    OptionButton("Option5", "7天", kTermGroup, 4380, kOptionRow, 660, 300),
    OptionButton("Option6", "14天", kTermGroup, 5100, kOptionRow, 750, 300),
    OptionButton("Option7", "28天", kTermGroup, 5910, kOptionRow, 750, 300),
    OptionButton("Option8", "91天", kTermGroup, 6720, kOptionRow, 750, 300),
    OptionButton("Option9", "182天", kTermGroup, 7530, kOptionRow, 840, 300),
    // The loan: amount, rate, trade day and the broker's discount.
    CaptionAt("Label1", "借出金额：", kLeft, kInputRows[0]),
    InputAt("Text1", "100000", kLeft, kInputRows[0]),
    UnitAt("Label2", "元", kLeft, kInputRows[0]),
    CaptionAt("Label3", "年化利率：", kMiddle, kInputRows[0]),
    InputAt("Text2", "2.5", kMiddle, kInputRows[0]),
    UnitAt("Label4", "%", kMiddle, kInputRows[0]),
    CaptionAt("Label5", "交易日期：", kLeft, kInputRows[1]),
    InputAt("Text3", "", kLeft, kInputRows[1]).TodayAtLoad(),
    CaptionAt("Label6", "佣金折扣：", kMiddle, kInputRows[1]),
    InputAt("Text4", "10", kMiddle, kInputRows[1]),
    UnitAt("Label7", "折", kMiddle, kInputRows[1]),
    // The days.
    CaptionAt("Label8", "首次交收日：", kLeft, kResultRows[0]),
    ResultAt("Text5", kLeft, kResultRows[0]),
    CaptionAt("Label9", "可用日：", kLeft, kResultRows[1]),
    ResultAt("Text6", kLeft, kResultRows[1]),
    CaptionAt("Label10", "可取日：", kLeft, kResultRows[2]),
    ResultAt("Text7", kLeft, kResultRows[2]),
    CaptionAt("Label11", "计息天数：", kMiddle, kResultRows[0]),
    ResultAt("Text8", kMiddle, kResultRows[0]),
    UnitAt("Label12", "天", kMiddle, kResultRows[0]),
    // The money.
    CaptionAt("Label13", "利息：", kMiddle, kResultRows[1]),
    ResultAt("Text9", kMiddle, kResultRows[1]),
    UnitAt("Label14", "元", kMiddle, kResultRows[1]),
    CaptionAt("Label15", "手续费：", kMiddle, kResultRows[2]),
    ResultAt("Text10", kMiddle, kResultRows[2]),
    UnitAt("Label16", "元", kMiddle, kResultRows[2]),
    CaptionAt("Label17", "净收益：", kRight, kResultRows[0]),
    ResultAt("Text11", kRight, kResultRows[0]),
    UnitAt("Label18", "元", kRight, kResultRows[0]),
    CaptionAt("Label19", "净年化收益率：", kRight, kResultRows[1]),
    ResultAt("Text12", kRight, kResultRows[1]),
    CaptionAt("Label20", "保本年化利率：", kRight, kResultRows[2]),
    ResultAt("Text13", kRight, kResultRows[2]),
    // The note on a year whose closures the calendar lacks.
    Label("Label21", "", 120, 2520, 8580, kCaptionHeight).Color(kDarkRed),
    // Every term for the same trade day; it takes the room of a larger window.
    Table("Table1", kTermColumns, 120, kTableTop, kClientWidth - 240, kTableHeight).ReadOnly().Anchored(kFillRoom),
    // Buttons and footer, at their distance to the bottom edge.
    Button("Command1", "计算", 120, kButtonRow, 1300, 375).Anchored(kFollowBottom),
    Button("Command2", "清空文本框", 1560, kButtonRow, 1300, 375).Anchored(kFollowBottom),
    Button("Command3", "切换回去", 3000, kButtonRow, 1300, 375).Anchored(kFollowBottom),
    Label("Label22", "仅作辅助计算，不能作投资决策用。", 120, kButtonRow + 480, 3200, 200)
        .Color(kDarkGrey)
        .Font("宋体", 10, true)
        .Anchored(kFollowBottom),
};

constexpr std::string_view kTabOrder[] = {"Text1",   "Text2",    "Text3",    "Text4",    "Option1", "Option2",
                                          "Option3", "Option4",  "Option5",  "Option6",  "Option7", "Option8",
                                          "Option9", "Command1", "Command2", "Command3", "Table1"};

// A tool screen's window, larger than the others: the nine terms' table
// shows whole, every column and every row.
constexpr ScreenSpec Sized(ScreenSpec window) {
  window.clientWidth = kClientWidth;
  window.clientHeight = kClientHeight;
  return window;
}
constexpr ScreenSpec kSpec = Sized(ToolSpec("Form52", "国债逆回购--衡川2.0", kControls, kTabOrder));

// "2025-03-10（周一）".
std::string DayText(Date day) {
  static constexpr std::string_view kWeekdays[] = {"一", "二", "三", "四", "五", "六", "日"};
  return IsoText(day) + "（周" + std::string(kWeekdays[day.weekday() - 1]) + "）";
}

// The note for years the calendar lacks: empty when it holds them all.
std::string CalendarNote(const std::vector<int>& years) {
  if (years.empty()) return {};
  std::string note;
  for (int year : years) note += (note.empty() ? "" : "、") + std::to_string(year) + "年";
  return note + "的休市安排未收录，节假日前后请以交易所公告为准。";
}

class ReverseRepo final : public ToolScreen {
 public:
  explicit ReverseRepo(App& app) : ToolScreen(app, kSpec) {
    for (const Control* option : termOptions_) OnOption(option->name());
    OnCalculate("Command1", &ReverseRepo::Calculate);
    OnClear("Command2", &ReverseRepo::Clear);
  }

 private:
  void Calculate() {
    CleanField(amountText, FieldKind::Amount);
    CleanField(rateText, FieldKind::Percent);
    dateText = std::string(TrimBlanks(PlainWidth(dateText)));
    CleanDiscount();

    const std::string_view lots = "借出金额须为1000元的整数倍！";
    const FieldRead amount = ReadInRange(amountText, "借出金额", Bound{Decimal::Whole(kRepoLot)}, lots,
                                         Bound{Decimal::Whole(kLargestRepoAmount)}, "借出金额不能大于10000000000！");
    if (!amount) return Prompt(amount);
    if (!InWholeLots(*amount)) return PromptMissing(lots);

    const FieldRead rate = ReadInRange(rateText, "年化利率", Bound{Decimal::Whole(0), false}, "年化利率必须大于0！",
                                       Bound{Decimal::Whole(100)}, "年化利率不能大于100！");
    if (!rate) return Prompt(rate);
    if (!OnRepoTick(*rate)) return PromptMissing("年化利率须为0.005的整数倍！");

    if (dateText.empty()) return PromptMissing("请输入交易日期！");
    const std::optional<Date> trade = ParseDate(dateText);
    if (!trade) return PromptMissing("交易日期无效！");
    if (*trade < FirstActualDaysTrade()) {
      return PromptMissing("交易日期不能早于2017-05-22（此前的逆回购按名义天数、一年360天计息）！");
    }
    if (*trade > LastRepoTrade()) return PromptMissing("交易日期不能晚于9998-12-31！");
    if (!IsTradingDay(*trade)) return PromptMissing("交易日期不是交易日！");

    const std::string_view discountRange = "佣金折扣必须在0到10之间！";
    const FieldRead discount = ReadInRange(discountText, "佣金折扣", Bound{Decimal::Whole(0)}, discountRange,
                                           Bound{Decimal::Whole(10)}, discountRange);
    if (!discount) return Prompt(discount);

    // Every term for the trade day, the chosen one shown in the fields.
    std::vector<std::vector<std::string>> table;
    table.reserve(std::size(kRepoTerms));
    Date latest = *trade;
    for (std::size_t i = 0; i < std::size(kRepoTerms); ++i) {
      const RepoTerm& term = kRepoTerms[i];
      const RepoDates dates = RepoDatesFor(*trade, term.days);
      const RepoIncome income = RepoIncomeFor(*amount, *rate, term, dates.days, *discount);
      latest = std::max(latest, dates.withdrawable);
      table.push_back({std::string(term.name), DayText(dates.usable), DayText(dates.withdrawable),
                       std::to_string(dates.days), income.fee.Text(2), income.breakEvenPercent.Text(4) + "%",
                       income.net.Text(2)});
      if (!termOptions_[i]->checked) continue;
      firstSettlement = DayText(dates.firstSettlement);
      usable = DayText(dates.usable);
      withdrawable = DayText(dates.withdrawable);
      days = std::to_string(dates.days);
      interest = income.interest.Text(2);
      fee = income.fee.Text(2);
      net = income.net.Text(2);
      netColor = SignColor(income.net);
      netAnnual = income.netAnnualPercent.Text(2) + "%";
      netAnnualColor = SignColor(income.netAnnualPercent);
      breakEven = income.breakEvenPercent.Text(4) + "%";
    }
    termRows = std::move(table);
    note = CalendarNote(YearsNotHeld(*trade, latest));
    ResultsShown();
  }

  // The discount is a percent field's number of tenths; a trailing "折"
  // ("1折") goes as its unit.
  void CleanDiscount() {
    CleanField(discountText, FieldKind::Percent);
    constexpr std::string_view kTenths = "折";
    if (discountText.ends_with(kTenths)) {
      discountText.resize(discountText.size() - kTenths.size());
      discountText = std::string(TrimBlanks(discountText));
    }
  }

  // "清空文本框": the amount, the rate, every result, the table and the
  // note; the term, the trade day and the discount stay.
  void Clear() {
    for (std::string* field : {&amountText, &rateText, &firstSettlement, &usable, &withdrawable, &days, &interest, &fee,
                               &net, &netAnnual, &breakEven, &note}) {
      field->clear();
    }
    netColor = kBlack;
    netAnnualColor = kBlack;
    termRows.clear();
  }

  // The term options, in the order of kRepoTerms.
  const Control* const termOptions_[std::size(kRepoTerms)] = {&At("Option1"), &At("Option2"), &At("Option3"),
                                                              &At("Option4"), &At("Option5"), &At("Option6"),
                                                              &At("Option7"), &At("Option8"), &At("Option9")};
  std::string& amountText = text("Text1");    // yuan
  std::string& rateText = text("Text2");      // the quoted yearly rate in percent
  std::string& dateText = text("Text3");      // the trade day
  std::string& discountText = text("Text4");  // tenths of the standard commission
  std::string& firstSettlement = text("Text5");
  std::string& usable = text("Text6");
  std::string& withdrawable = text("Text7");
  std::string& days = text("Text8");
  std::string& interest = text("Text9");
  std::string& fee = text("Text10");
  std::string& net = text("Text11");
  Rgb& netColor = At("Text11").color;
  std::string& netAnnual = text("Text12");
  Rgb& netAnnualColor = At("Text12").color;
  std::string& breakEven = text("Text13");
  std::string& note = text("Label21");
  std::vector<std::vector<std::string>>& termRows = rows("Table1");
};

}  // namespace

std::unique_ptr<Screen> MakeReverseRepo(App& app) { return std::make_unique<ReverseRepo>(app); }

}  // namespace hc
