// Form42, the grid's order ladder: the grid the grid-trading screen last
// computed, as one order per step on the tick with its fees (the rates of
// the trading-costs screen as they stand), copied to the clipboard or saved
// as a CSV file on request. It reads the two other screens and changes
// nothing there; the ladder itself is the order-ladder unit's.
#include <string>
#include <string_view>

#include "screens/grid/grid_press.h"
#include "market/fees.h"
#include "screens/tools/tool_screen.h"
#include "market/order_ladder.h"
#include "shell/app.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

// What the ladder line says while the grid screen has computed no grid.
constexpr std::string_view kNoGrid = "请先在网格交易界面计算一次网格。";

constexpr int kSummaryRows[] = {3270, 3600, 3930};
constexpr int kFieldHeight = 300;
constexpr int Caption(int row) { return row + 60; }

// A larger window gives its added height to the two tables, half each, and
// its added width to the tables and the grid's line; what stands below the
// tables keeps its distance to the bottom edge.
constexpr Anchors kUpperTable{.right = 1, .bottom = 0.5};
constexpr Anchors kBetweenTables{.top = 0.5, .bottom = 0.5};
constexpr Anchors kLowerTable{.top = 0.5, .right = 1, .bottom = 1};
constexpr Anchors kAcross{.right = 1};

constexpr ControlSpec kControls[] = {
    OptionButton("Option1", "股票（0.01元）", 1, 120, 90, 1800, 285).Checked(),
    OptionButton("Option2", "基金（0.001元）", 1, 2040, 90, 1900, 285),
    Label("Label1", kNoGrid, 120, 420, 5955, 405).FixedSize().Anchored(kAcross),
    Label("Label2", "卖出挂单", 120, 840, 1200, 180),
    Table("Table1", kSellColumns, 120, 1110, 5955, 900).ReadOnly().Anchored(kUpperTable),
    Label("Label3", "买入挂单", 120, 2055, 1200, 180).Anchored(kBetweenTables),
    Table("Table2", kBuyColumns, 120, 2325, 5955, 900).ReadOnly().Anchored(kLowerTable),
    // Summary: the sells on the left, the buys on the right.
    Label("Label4", "卖出手续费合计：", 120, Caption(kSummaryRows[0]), 1440, 180).Anchored(kFollowBottom),
    ResultField("Text1", "", 1560, kSummaryRows[0], 1560, kFieldHeight).Anchored(kFollowBottom),
    Label("Label9", "元", 3160, Caption(kSummaryRows[0]), 200, 180).Anchored(kFollowBottom),
    Label("Label5", "卖完后净盈利：", 120, Caption(kSummaryRows[1]), 1440, 180).Anchored(kFollowBottom),
    ResultField("Text2", "", 1560, kSummaryRows[1], 1560, kFieldHeight).Anchored(kFollowBottom),
    Label("Label10", "元", 3160, Caption(kSummaryRows[1]), 200, 180).Anchored(kFollowBottom),
    Label("Label6", "买入手续费合计：", 3420, Caption(kSummaryRows[0]), 1440, 180).Anchored(kFollowBottom),
    ResultField("Text3", "", 4860, kSummaryRows[0], 1110, kFieldHeight).Anchored(kFollowBottom),
    Label("Label11", "元", 5995, Caption(kSummaryRows[0]), 200, 180).Anchored(kFollowBottom),
    Label("Label7", "买完后持股：", 3420, Caption(kSummaryRows[1]), 1440, 180).Anchored(kFollowBottom),
    ResultField("Text4", "", 4860, kSummaryRows[1], 1110, kFieldHeight).Anchored(kFollowBottom),
    Label("Label12", "股", 5995, Caption(kSummaryRows[1]), 200, 180).Anchored(kFollowBottom),
    Label("Label8", "买完后成本价：", 3420, Caption(kSummaryRows[2]), 1440, 180).Anchored(kFollowBottom),
    ResultField("Text5", "", 4860, kSummaryRows[2], 1110, kFieldHeight).Anchored(kFollowBottom),
    Label("Label13", "元", 5995, Caption(kSummaryRows[2]), 200, 180).Anchored(kFollowBottom),
    // Buttons and footer.
    Button("Command1", "刷新", 120, 4305, 1300, 375).Anchored(kFollowBottom),
    Button("Command2", "复制明细", 1560, 4305, 1300, 375).Anchored(kFollowBottom),
    Button("Command3", "保存为CSV", 3000, 4305, 1300, 375).Anchored(kFollowBottom),
    Button("Command4", "切换回去", 4440, 4305, 1300, 375).Anchored(kFollowBottom),
    Label("Label14", "仅作辅助计算，不能作投资决策用。", 120, 4725, 3200, 200)
        .Color(kDarkGrey)
        .Font("宋体", 10, true)
        .Anchored(kFollowBottom),
};

constexpr std::string_view kTabOrder[] = {"Option1",  "Option2",  "Table1",   "Table2",
                                          "Command1", "Command2", "Command3", "Command4"};

constexpr Link kLinks[] = {
    {"Command4", kOpener, SwitchOrder::HideFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form42",
    .title = "网格挂单明细--衡川2.0",
    .clientWidth = kWideScreenWidth,
    .clientHeight = kWideScreenHeight,
    .controls = kControls,
    .tabOrder = kTabOrder,
    .links = kLinks,
    .placedLike = "Form1",
    .backButton = "Command4",
};

constexpr std::string_view kFileName = "网格挂单明细.csv";

std::string_view GridName(GridKind kind) {
  switch (kind) {
    case GridKind::Regular: return "常规网格";
    case GridKind::Increasing: return "金字塔递增";
    case GridKind::Doubling: return "金字塔倍数";
  }
  return "常规网格";
}

// The grid shown: its kind and the inputs of its press.
std::string GridLine(const GridPress& g) {
  std::string s(GridName(g.kind));
  s += "：底仓价" + g.basePrice + "元，底仓股数" + g.baseShares + "股，每份股数" + g.stepShares + "股，上涨" +
       g.upSteps + "份，下跌" + g.downSteps + "份，涨跌幅" + g.stepPercent + "%";
  return s;
}

class GridOrders final : public ToolScreen {
 public:
  explicit GridOrders(App& app) : ToolScreen(app, kSpec) {
    OnClick("Command1", &GridOrders::Refresh);
    OnClick("Command2", &GridOrders::Copy);
    OnClick("Command3", &GridOrders::Save);
    OnClick("Option1", &GridOrders::Refresh);
    OnClick("Option2", &GridOrders::Refresh);
  }

 protected:
  void Showing() override {
    try {
      Refresh();
    } catch (const CalcError& e) {
      app().host().ReportError(e.kind());
    }
  }

 private:
  Market market() const { return fundOption.checked ? Market::Fund : Market::Stock; }

  // Empties the tables and the summary, with a line saying why.
  void ShowNothing(std::string why) {
    for (Control* table : {&sellTable, &buyTable}) {
      table->rows.clear();
      table->rowColors.clear();
    }
    for (std::string* field : {&sellFees, &netProfit, &buyFees, &holdings, &averageCost}) field->clear();
    gridLine = std::move(why);
    shown_ = false;
  }

  // "刷新", also on showing and on a change of tick: reads the grid and the
  // rates again and lays out the ladder.
  void Refresh() {
    auto* source = dynamic_cast<GridSource*>(app().Existing("Form39"));
    if (source == nullptr || !source->LastGrid()) return ShowNothing(std::string(kNoGrid));
    const GridPress& grid = *source->LastGrid();
    const Market m = market();
    // Another grid's rows never stay on screen, whatever stops this one.
    ShowNothing(GridLine(grid));
    const RatesRead read = ReadTradingRates(m);
    if (!read.rates) return ShowNothing("请先在交易费用与保本价界面改正费率：" + read.message);

    Ladder ladder = BuildLadder(grid, m, *read.rates);
    std::string line = GridLine(grid);
    if (ladder.notWholeStep) line += "（每份股数不是正整数，无法挂单）";
    if (ladder.tooLarge) line += "（其后各档数额过大，未列出）";
    if (ladder.capped) line += "（每边只列出前10000档）";
    // A sell row that leaves the base position oversold is red.
    std::vector<Rgb>& colors = sellTable.rowColors;
    colors.clear();
    for (bool oversold : ladder.sellShort) colors.push_back(oversold ? kRed : kBlack);
    sellTable.rows = std::move(ladder.sells);
    buyTable.rows = std::move(ladder.buys);
    sellFees = ladder.sellFees;
    netProfit = ladder.netProfit;
    buyFees = ladder.buyFees;
    holdings = ladder.holdings;
    averageCost = ladder.averageCost;
    gridLine = std::move(line);
    shown_ = true;
  }

  std::vector<TableText> Tables() {
    return {TableText{"卖出挂单", kSellColumns, &sellTable.rows}, TableText{"买入挂单", kBuyColumns, &buyTable.rows}};
  }

  // "复制明细": both tables with their headers, tab-separated.
  void Copy() {
    if (!shown_) return ShowMessage(gridLine);
    app().host().SetClipboard(TabSeparated(Tables()));
  }

  // "保存为CSV": both tables in a file the user names; the host asks for
  // the name, writes the file whole or not at all and reports a failure.
  void Save() {
    if (!shown_) return ShowMessage(gridLine);
    app().host().SaveFile(kFileName, CsvFileBytes(Tables()));
  }

  const Control& fundOption = At("Option2");  // the stock tick when not chosen
  std::string& gridLine = text("Label1");     // the grid shown, or why there is none
  Control& sellTable = At("Table1");          // its rows and their colours
  Control& buyTable = At("Table2");
  // Summary.
  std::string& sellFees = text("Text1");
  std::string& netProfit = text("Text2");  // once every sell is filled
  std::string& buyFees = text("Text3");
  std::string& holdings = text("Text4");     // once every buy is filled
  std::string& averageCost = text("Text5");  // once every buy is filled
  bool shown_ = false;                       // the tables show a ladder
};

}  // namespace

std::unique_ptr<Screen> MakeGridOrders(App& app) { return std::make_unique<GridOrders>(app); }

}  // namespace hc
