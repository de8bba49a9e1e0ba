// The grid's order ladder: exact tick prices of P × (1 ± r)^i (ties round
// up, also where the power is kept cut), the reading of the grid's texts,
// the rows and their limits, and the copied and saved texts, which must
// split back into the cells shown.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "driver/script_driver.h"
#include "market/order_ladder.h"

namespace hc {
namespace {

using Int = Decimal::Int;

Decimal D(std::string_view text) { return *Decimal::Parse(text); }

std::string TicksText(const std::optional<Int>& t) {
  if (!t) return "too large";
  return Decimal(*t, 0).Text(0);
}

// ---------------------------------------------------------------- prices

TEST(TickPrices, HalfTicksRoundUpExactly) {
  struct Case {
    const char* base;
    Int factorUnits;
    int factorScale;
    int tick;
    std::vector<const char*> ticks;  // steps 1, 2, …
  };
  const Case cases[] = {
      {"10.00", 10005, 4, 2, {"1001", "1001", "1002"}},  // 10.005, 10.010…, 10.015…
      {"10.00", 9995, 4, 2, {"1000", "999"}},            // 9.995, 9.990…
      {"10.00", 10005, 4, 3, {"10005", "10010", "10015"}},
      {"1.00", 10005, 4, 3, {"1001", "1001"}},  // 1.0005, 1.00100025
      {"1.00", 9995, 4, 3, {"1000", "999"}},    // 0.9995, 0.99900025
      {"0.01", 50, 2, 2, {"1", "0", "0"}},      // 0.005, 0.0025: the ladder makes the last two one tick
      {"10.00", 103, 2, 2, {"1030", "1061", "1093"}},
      {"10.00", 97, 2, 2, {"970", "941", "913"}},
      {"10.00", 0, 0, 2, {"0", "0"}},        // a factor of 0
      {"-10.00", 103, 2, 2, {"0", "0"}},     // a price below zero
      {"10.00", -50, 2, 2, {"0", "250"}},    // −0.5: −5.00, then 2.50
      {"10.00", 1000, 0, 2, {"1000000", "1000000000", "1000000000000", "1000000000000000"}},
  };
  for (const Case& c : cases) {
    TickPrices prices(D(c.base), c.factorUnits, c.factorScale, c.tick);
    for (std::size_t i = 0; i < c.ticks.size(); ++i) {
      EXPECT_EQ(TicksText(prices.Next()), c.ticks[i]) << c.base << " × " << Decimal(c.factorUnits, c.factorScale).Text(c.factorScale) << " step " << i + 1;
    }
  }
  // Beyond 10^20 ticks the price is too large.
  TickPrices huge(D("100000.00"), 1000000, 0, 2);
  std::string last;
  for (int i = 0; i < 4; ++i) last = TicksText(huge.Next());
  EXPECT_EQ(last, "too large");
}

// The cut power gives the exact roundings: against the exact power, with
// only two limbs kept so that the cut and the exact redo are both used, on
// prices made to lie on half ticks now and then.
TEST(TickPrices, CutPowersRoundAsTheExactOnes) {
  std::mt19937_64 rng(424242);
  auto below = [&](std::uint64_t n) { return std::uniform_int_distribution<std::uint64_t>(0, n - 1)(rng); };
  for (int trial = 0; trial < 200; ++trial) {
    const int tick = below(2) == 0 ? 2 : 3;
    const Decimal base(static_cast<Int>(1 + below(10000000)), 2);
    const int scale = static_cast<int>(1 + below(5));
    Int one = 1;
    for (int k = 0; k < scale; ++k) one *= 10;
    // Factors near 1 (a grid step of up to 10 %), and now and then 1.5 or
    // 0.5, whose powers end in 5 and so meet half ticks.
    Int factor = one + static_cast<Int>(below(static_cast<std::uint64_t>(one / 10))) - one / 20;
    if (below(4) == 0) factor = below(2) == 0 ? one * 3 / 2 : one / 2;
    TickPrices cut(base, factor, scale, tick, 2);
    const LongNumber b(static_cast<LongNumber::U128>(base.units()));
    const LongNumber f(static_cast<LongNumber::U128>(factor));
    for (int i = 1; i <= 120; ++i) {
      const std::optional<Int> got = cut.Next();
      const LongNumber exact = (b * f.Power(static_cast<std::uint64_t>(i))).RoundedShift(i * scale + 2 - tick);
      if (exact.Digits() > 20) break;  // near the 10^20-tick limit
      ASSERT_TRUE(got.has_value()) << trial << " step " << i;
      ASSERT_EQ(TicksText(got), exact.Text()) << "trial " << trial << ": " << base.Text(2) << " × " << Decimal(factor, scale).Text(scale)
                                              << "^" << i;
    }
  }
}

// ---------------------------------------------------------------- reading the grid

TEST(LeadingDecimal, ReadsAsTheGridScreenDoes) {
  struct Case {
    const char* text;
    const char* value;  // at its own scale; "none" when it does not fit
  };
  const Case cases[] = {
      {"3", "3"},          {" 3 . 5 ", "3.5"}, {"3abc", "3"},     {"1e2", "100"},      {"1E+20", "100000000000000000000"},
      {"2.5e-1", "0.25"},  {"2.5d1", "25"},    {"abc", "0"},      {"", "0"},           {"-0.5", "-0.5"},
      {"1e", "1"},         {"1e+", "1"},       {"+.5", "0.5"},    {"10.00", "10"},  {"0.0000", "0"},
      {"1e-40", "none"},   {"1e50", "none"},   {"123456789012345678901234567890123456789", "none"},
  };
  for (const Case& c : cases) {
    const std::optional<Decimal> d = LeadingDecimal(c.text);
    EXPECT_EQ(d ? d->Text(d->scale()) : std::string("none"), c.value) << c.text;
  }
}

// ---------------------------------------------------------------- the ladder

const FeeRates kRates{D("2.5"), D("5"), D("5"), D("0.1")};

GridPress Defaults(GridKind kind) { return GridPress{kind, "10.00", "2000", "200", "3", "10", "3"}; }

TEST(Ladder, RowsOfTheDefaultGrids) {
  const Ladder regular = BuildLadder(Defaults(GridKind::Regular), Market::Stock, kRates);
  ASSERT_EQ(regular.sells.size(), 3u);
  ASSERT_EQ(regular.buys.size(), 10u);
  EXPECT_EQ(regular.sells[0], (std::vector<std::string>{"卖1", "10.30", "200", "2060.00", "6.05", "53.95", "53.95", "1800"}));
  EXPECT_EQ(regular.buys[9],
            (std::vector<std::string>{"买10", "7.37", "200", "1474.00", "5.01", "4000", "37030.19", "9.258"}));
  EXPECT_EQ(regular.netProfit, "349.76");
  EXPECT_EQ(regular.averageCost, "9.258");
  EXPECT_FALSE(regular.tooLarge || regular.capped || regular.notWholeStep);

  const Ladder increasing = BuildLadder(Defaults(GridKind::Increasing), Market::Fund, kRates);
  EXPECT_EQ(increasing.sells[2][2], "400");
  EXPECT_EQ(increasing.sells[2][1], "10.927");
  EXPECT_EQ(increasing.buys[9][2], "1100");

  const Ladder doubling = BuildLadder(Defaults(GridKind::Doubling), Market::Stock, kRates);
  EXPECT_EQ(doubling.buys[9][2], "102400");
  EXPECT_EQ(doubling.holdings, "206600");
}

TEST(Ladder, RowsThatOversellTheBase) {
  struct Case {
    GridKind kind;
    const char* up;
    std::vector<bool> shortRows;
  };
  const Case cases[] = {
      {GridKind::Increasing, "6", {false, false, false, false, false, true}},  // 2700 of 2000; the fifth leaves 0
      {GridKind::Doubling, "4", {false, false, false, true}},                  // 3000 of 2000
      {GridKind::Regular, "10", std::vector<bool>(10, false)},                  // 2000 of 2000
      {GridKind::Regular, "11", {false, false, false, false, false, false, false, false, false, false, true}},
  };
  for (const Case& c : cases) {
    GridPress g = Defaults(c.kind);
    g.upSteps = c.up;
    EXPECT_EQ(BuildLadder(g, Market::Stock, kRates).sellShort, c.shortRows) << c.up;
  }
}

TEST(Ladder, Limits) {
  GridPress g = Defaults(GridKind::Doubling);
  g.upSteps = g.downSteps = "220";
  Ladder l = BuildLadder(g, Market::Stock, kRates);
  EXPECT_EQ(l.sells.size(), 33u);  // step 34 would trade 200 × 2^33 > 10^12 shares
  EXPECT_EQ(l.buys.size(), 33u);
  EXPECT_TRUE(l.tooLarge);

  // Amounts: at 50 % a step the sells pass 10^15 yuan long before the shares do.
  g = Defaults(GridKind::Regular);
  g.stepPercent = "50";
  g.baseShares = "100000000000";
  g.stepShares = "100000000";
  g.upSteps = "100";
  l = BuildLadder(g, Market::Stock, kRates);
  EXPECT_TRUE(l.tooLarge);
  ASSERT_FALSE(l.sells.empty());
  for (const auto& row : l.sells) EXPECT_LE(D(row[3]), Decimal::Whole(1000000000000000)) << row[0];
  EXPECT_EQ(l.sells.size(), 34u);  // 10^9 × 1.5^34 = 9.7 × 10^14; 1.5^35: 1.5 × 10^15

  g = Defaults(GridKind::Regular);
  g.downSteps = "1E+20";
  l = BuildLadder(g, Market::Stock, kRates);
  EXPECT_TRUE(l.capped);
  EXPECT_EQ(l.buys.size(), static_cast<std::size_t>(kMaxLadderSteps));
  EXPECT_EQ(l.buys.back()[1], "0.01");  // long below one tick

  for (const char* step : {"200.5", "-200", "0"}) {
    g = Defaults(GridKind::Regular);
    g.stepShares = step;
    l = BuildLadder(g, Market::Stock, kRates);
    EXPECT_TRUE(l.notWholeStep) << step;
    EXPECT_TRUE(l.sells.empty() && l.buys.empty()) << step;
  }
}

// ---------------------------------------------------------------- copy and save

std::vector<std::vector<std::string>> SplitTabbed(const std::string& text) {
  std::vector<std::vector<std::string>> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
      const std::size_t tab = line.find('\t', start);
      cells.push_back(line.substr(start, tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    out.push_back(cells);
  }
  return out;
}

TEST(LadderTexts, TabAndCommaSeparated) {
  const std::vector<std::vector<std::string>> rows = {{"卖1", "10.30", "a,b"}, {"卖2", "say \"hi\"", "x\ny"}};
  const std::vector<std::vector<std::string>> none;
  constexpr std::string_view kColumns[] = {"档位", "卖出价", "备注"};
  const TableText tables[] = {{"卖出挂单", kColumns, &rows}, {"买入挂单", kColumns, &none}};
  EXPECT_EQ(CommaSeparated(tables),
            "卖出挂单\r\n档位,卖出价,备注\r\n卖1,10.30,\"a,b\"\r\n卖2,\"say \"\"hi\"\"\",\"x\ny\"\r\n"
            "\r\n买入挂单\r\n档位,卖出价,备注\r\n");
  EXPECT_EQ(CsvFileBytes(tables).substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(CsvFileBytes(tables).substr(3), CommaSeparated(tables));
  const std::vector<std::vector<std::string>> plain = {{"卖1", "10.30"}, {"卖2", "10.61"}};
  const TableText one[] = {{"卖出挂单", std::span(kColumns).first(2), &plain}};
  EXPECT_EQ(TabSeparated(one), "卖出挂单\n档位\t卖出价\n卖1\t10.30\n卖2\t10.61\n");
  EXPECT_EQ(TabSeparatedRows(plain), "卖1\t10.30\n卖2\t10.61\n");
}

// The screen: the copied text pastes back into the very cells shown, and
// rows that oversell the base are red.
TEST(LadderScreen, CopiedTextSplitsBackIntoTheCellsShown) {
  std::ostringstream out;
  ScriptDriver driver(out);
  for (const char* line : {"set Form39 Text4 6", "click Form39 Command5", "click Form42 Command1", "click Form42 Command2"}) {
    driver.Execute(line);
  }
  Screen& ladder = driver.app().Get("Form42");
  std::vector<std::vector<std::string>> expected;
  const std::pair<const char*, std::span<const std::string_view>> tables[] = {{"卖出挂单", kSellColumns},
                                                                              {"买入挂单", kBuyColumns}};
  for (const auto& [title, columns] : tables) {
    if (!expected.empty()) expected.push_back({""});
    expected.push_back({title});
    expected.emplace_back(columns.begin(), columns.end());
    const std::string table = std::string(title) == "卖出挂单" ? "Table1" : "Table2";
    for (const auto& row : ladder.rows(table)) expected.push_back(row);
  }
  EXPECT_EQ(ladder.rows("Table1").size(), 6u);
  EXPECT_EQ(SplitTabbed(driver.clipboard()), expected);
  EXPECT_EQ(ladder.At("Table1").rowColors,
            (std::vector<Rgb>{kBlack, kBlack, kBlack, kBlack, kBlack, kRed}));
  EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace hc
