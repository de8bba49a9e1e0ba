// Form41, limit prices for every board: tomorrow's limit-up and limit-down
// prices from yesterday's close under the daily limit of the stock's board
// (10 %, 20 %, 30 %, 5 % or a limit of the user's own) at the tick of shares
// or of funds, and the ladder of consecutive limit days, where every day's
// limit is taken from the previous day's limit price and rounded again.
//
// All prices are whole ticks and the limit whole basis points (the rules
// live in market/limits.h); the figures are written from those
// integers, never through a binary fraction.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numeric/decimal.h"
#include "market/limits.h"
#include "screens/tools/tool_screen.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr int kLimitGroup = 1;
constexpr int kTickGroup = 2;

constexpr std::string_view kLadderColumns[] = {"天数", "涨停价", "累计涨幅", "跌停价", "累计跌幅"};
// Up figures red, down figures green, the day in the table's own colour.
constexpr Rgb kLadderColors[] = {kBlack, kRed, kRed, kGreen, kGreen};

constexpr ControlSpec kControls[] = {
    // Yesterday's close.
    Label("Label1", "昨天收盘价（元）", 120, 240, 1440, 180),
    TextField("Text1", "10", 1680, 120, 1095, 375),
    // The daily limit: one of the boards or a limit of the user's own.
    OptionButton("Option1", "主板 10%", kLimitGroup, 120, 540, 1215, 300).Checked(),
    OptionButton("Option2", "创业板、科创板 20%", kLimitGroup, 1440, 540, 2040, 300),
    OptionButton("Option3", "北交所 30%", kLimitGroup, 3600, 540, 1335, 300),
    OptionButton("Option4", "5%", kLimitGroup, 5040, 540, 1035, 300),
    OptionButton("Option5", "自定义", kLimitGroup, 120, 900, 1215, 300),
    Label("Label2", "自定义涨跌幅（%）", 1440, 990, 1560, 180),
    TextField("Text2", "", 3120, 870, 1095, 375).Disabled(),
    // The tick, and the length of the ladder.
    OptionButton("Option6", "股票（0.01元）", kTickGroup, 120, 1290, 2040, 300).Checked(),
    OptionButton("Option7", "基金（0.001元）", kTickGroup, 2280, 1290, 2040, 300),
    Label("Label3", "连续天数", 4440, 1380, 720, 180),
    TextField("Text3", "5", 5220, 1260, 855, 375),
    // Tomorrow's limits: up in red, down in green.
    Label("Label4", "涨停价", 120, 1860, 720, 180).Color(kRed),
    ResultField("Text4", "", 840, 1740, 1215, 375).Color(kRed),
    Label("Label6", "涨停涨幅（元）", 2160, 1860, 1320, 180).Color(kRed),
    ResultField("Text6", "", 3480, 1740, 900, 375).Color(kRed),
    Label("Label7", "实际涨幅", 4440, 1860, 720, 180).Color(kRed),
    ResultField("Text7", "", 5220, 1740, 855, 375).Color(kRed),
    Label("Label5", "跌停价", 120, 2310, 720, 180).Color(kGreen),
    ResultField("Text5", "", 840, 2190, 1215, 375).Color(kGreen),
    Label("Label8", "跌停跌幅（元）", 2160, 2310, 1320, 180).Color(kGreen),
    ResultField("Text8", "", 3480, 2190, 900, 375).Color(kGreen),
    Label("Label9", "实际跌幅", 4440, 2310, 720, 180).Color(kGreen),
    ResultField("Text9", "", 5220, 2190, 855, 375).Color(kGreen),
    // The ladder, one row a day: it takes the room of a larger window.
    Table("Table1", kLadderColumns, 120, 2640, 5955, 1560).ReadOnly().ColumnColors(kLadderColors).Anchored(kFillRoom),
    // Buttons and footer, at their distance to the bottom edge.
    Button("Command1", "计算", 120, 4320, 1290, 420).Anchored(kFollowBottom),
    Button("Command2", "清空文本框", 2452, 4320, 1290, 420).Anchored(kFollowBottom),
    Button("Command3", "切换回去", 4785, 4320, 1290, 420).Anchored(kFollowBottom),
    Label("Label10", "仅作辅助计算，不能作投资决策用。", 120, 4920, 735, 180)
        .Color(kDarkGrey)
        .Font("宋体", 10, true)
        .Anchored(kFollowBottom),
};

constexpr std::string_view kTabOrder[] = {"Text1",    "Text2",    "Text3",    "Option1", "Option2",
                                          "Option3",  "Option4",  "Option5",  "Option6", "Option7",
                                          "Command1", "Command2", "Command3", "Table1"};

constexpr ScreenSpec kSpec = ToolSpec("Form41", "涨跌停价（分板块）--衡川2.0", kControls, kTabOrder);

// The ladder is one row a day for at most this many days.
constexpr int kMaxDays = 60;

// An option button of the daily limit and the limit it stands for, bound
// once.
struct BoardOption {
  const Control& option;
  int limit;  // basis points
};

class BoardLimits final : public ToolScreen {
 public:
  explicit BoardLimits(App& app) : ToolScreen(app, kSpec) {
    for (const BoardOption& board : boards_) OnOption(board.option.name(), [this] { FollowLimitChoice(); });
    OnOption(customOption.name(), [this] { FollowLimitChoice(); });
    OnOption(At("Option6").name());
    OnOption(fundTickOption.name());
    OnCalculate("Command1", &BoardLimits::Calculate);
    OnClear("Command2", &BoardLimits::Clear);
  }

 private:
  // The custom limit can be typed only while it is the chosen limit.
  void FollowLimitChoice() { customLimitEnabled = customOption.checked; }

  // "计算": the checks in order, the first failure prompted and nothing
  // computed; then the close and a custom limit written back as used, the
  // day's limit prices with the moves to them, and the ladder.
  void Calculate() {
    const bool custom = customOption.checked;
    CleanField(yesterdayClose, FieldKind::Price);
    if (custom) CleanField(customLimit, FieldKind::Percent);
    CleanField(dayCount, FieldKind::Count);

    const int tick = fundTickOption.checked ? kFundTickDecimals : kStockTickDecimals;
    const FieldRead close = ReadPrice(yesterdayClose, "昨天收盘价", tick);
    if (!close) return Prompt(close);
    const Ticks c = close->UnitsAt(tick);

    int limit = kMainBoardLimit;
    for (const BoardOption& board : boards_) {
      if (board.option.checked) limit = board.limit;
    }
    if (custom) {
      // Checked as rounded to the basis point: 0.004 % is no limit and
      // 99.995 % is 100 %.
      const std::string_view outside = "自定义涨跌幅应大于0且小于100！";
      FieldRead p = ReadInRange(customLimit, "自定义涨跌幅", Bound{Decimal::Whole(0), false}, outside,
                                Bound{Decimal::Whole(100), false}, outside);
      if (p && (p->UnitsAt(2) <= 0 || p->UnitsAt(2) >= kWholeBasisPoints)) p = FieldRead{{}, std::string(outside)};
      if (!p) return Prompt(p);
      limit = static_cast<int>(p->UnitsAt(2));
    }

    const FieldRead days = ReadCount(dayCount, "连续天数", 1, kMaxDays);
    if (!days) return PromptMissing(days.message == MissingMessage("连续天数") ? days.message
                                                                              : "连续天数应为1到60的整数！");

    // Everything is computed before anything is written: a ladder that
    // leaves the range writes nothing.
    const std::vector<DayLimits> ladder = LimitLadder(c, limit, static_cast<int>(days->UnitsAt(0)));
    std::vector<std::vector<std::string>> table;
    table.reserve(ladder.size());
    for (std::size_t i = 0; i < ladder.size(); ++i) {
      const DayLimits& day = ladder[i];
      table.push_back({std::to_string(i + 1), TicksText(day.up, tick), ChangeText(c, day.up),
                      TicksText(day.down, tick), ChangeText(c, day.down)});
    }
    const DayLimits& next = ladder.front();

    yesterdayClose = TicksText(c, tick);
    if (custom) customLimit = Decimal(limit, 2).Text(2);
    limitUp = TicksText(next.up, tick);
    limitDown = TicksText(next.down, tick);
    upMove = TicksText(next.up - c, tick);
    upPercent = ChangeText(c, next.up);
    downMove = TicksText(next.down - c, tick);
    downPercent = ChangeText(c, next.down);
    ladderRows = std::move(table);
    ResultsShown();
  }

  // "清空文本框": the close, the custom limit, every result and the ladder;
  // the choices and the number of days stay.
  void Clear() {
    for (std::string* field :
         {&yesterdayClose, &customLimit, &limitUp, &limitDown, &upMove, &upPercent, &downMove, &downPercent}) {
      field->clear();
    }
    ladderRows.clear();
  }

  // The daily limit: one of the boards, or the custom limit typed.
  const BoardOption boards_[4] = {
      {At("Option1"), kMainBoardLimit},
      {At("Option2"), kGrowthBoardLimit},
      {At("Option3"), kBeijingLimit},
      {At("Option4"), kNarrowLimit},
  };
  const Control& customOption = At("Option5");
  std::string& customLimit = text("Text2");  // in percent
  bool& customLimitEnabled = At("Text2").enabled;
  // The close and the tick it is on.
  std::string& yesterdayClose = text("Text1");    // as typed, then on the tick
  const Control& fundTickOption = At("Option7");  // the stock tick when not chosen
  std::string& dayCount = text("Text3");          // the ladder's length
  // Tomorrow's limits and the moves to them from the close.
  std::string& limitUp = text("Text4");
  std::string& upMove = text("Text6");     // in yuan
  std::string& upPercent = text("Text7");  // the actual rise
  std::string& limitDown = text("Text5");
  std::string& downMove = text("Text8");     // in yuan
  std::string& downPercent = text("Text9");  // the actual fall
  // The ladder, one row a day.
  std::vector<std::vector<std::string>>& ladderRows = rows("Table1");
};

}  // namespace

std::unique_ptr<Screen> MakeBoardLimits(App& app) { return std::make_unique<BoardLimits>(app); }

}  // namespace hc
