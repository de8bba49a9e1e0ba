// The limit rules in whole ticks and basis points, and the colours of the
// limit screen's ladder. The screen itself is in tests/scripts/form41*.hcs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "market/limits.h"
#include "shell/app.h"
#include "tests/test_host.h"

namespace hc {
namespace {

// A count of ticks for a failure message.
std::string N(Ticks t) { return TicksText(t, 0); }

struct DayCase {
  Ticks close;
  int limit;
  Ticks up, down;
  const char* why;
};

TEST(LimitsAfter, RoundHalfUpToTheTickWithAOneTickMoveAndFloor) {
  const DayCase cases[] = {
      {1015, 1000, 1117, 914, "11.165 and 9.135 are halves: up"},
      {1000, 2000, 1200, 800, "exact"},
      {1234, 1000, 1357, 1111, "a fund: 1.3574 and 1.1106"},
      {1235, 1000, 1359, 1112, "a fund: 1.3585 and 1.1115 are halves"},
      {1234, 3000, 1604, 864, "16.042 and 8.638"},
      {1234, 500, 1296, 1172, "12.957 and 11.723"},
      {105, 3000, 137, 74, "1.365 and 0.735 are halves"},
      {1010, 500, 1061, 960, "10.605 and 9.595 are halves"},
      {1014, 1000, 1115, 913, "11.154 down, 9.126 up"},
      {4, 1000, 5, 3, "0.044 and 0.036 round back to 0.04: one tick away"},
      {5, 1000, 6, 4, "0.055 up; 0.045 rounds up to the close: one tick down"},
      {1000, 1, 1001, 999, "0.01 %: 10.001 and 9.999 round back"},
      {1, 1000, 2, 1, "one tick cannot fall below one tick"},
      {1, 9999, 2, 1, "the widest limit on one tick"},
      {2, 9999, 4, 1, "0.000002 rounds to nothing: held at one tick"},
      {1000, 9999, 2000, 1, "19.999 and 0.001"},
      {9, 500, 10, 8, "0.0095 rounds up to the close: one tick down"},
      {10, 500, 11, 9, "0.0105 and 0.0095 both round back"},
  };
  for (const DayCase& c : cases) {
    EXPECT_EQ(LimitsAfter(c.close, c.limit), (DayLimits{c.up, c.down})) << c.why;
  }
}

TEST(LimitsAfter, EveryCloseMovesAndStaysWithinHalfATickOfTheRule) {
  // For every close up to 20 yuan at the cent and every board: the limits
  // move at least one tick (down to the one-tick floor), and where they move
  // more, they are the exact product rounded to the nearest tick.
  for (int limit : {kMainBoardLimit, kGrowthBoardLimit, kBeijingLimit, kNarrowLimit, 1, 9999}) {
    for (Ticks close = 1; close <= 2000; ++close) {
      const DayLimits d = LimitsAfter(close, limit);
      const Ticks upExact = close * (kWholeBasisPoints + limit);  // in 1/10000 ticks
      const Ticks downExact = close * (kWholeBasisPoints - limit);
      ASSERT_GE(d.up, close + 1) << N(close) << " at " << limit;
      if (d.up > close + 1) {
        ASSERT_LE(2 * (d.up * kWholeBasisPoints - upExact), kWholeBasisPoints) << N(close) << " at " << limit;
        ASSERT_LT(2 * (upExact - d.up * kWholeBasisPoints), kWholeBasisPoints) << N(close) << " at " << limit;
      }
      ASSERT_GE(d.down, 1) << N(close) << " at " << limit;
      ASSERT_LE(d.down, close > 1 ? close - 1 : 1) << N(close) << " at " << limit;
      if (d.down > 1 && d.down < close - 1) {
        ASSERT_LE(2 * (d.down * kWholeBasisPoints - downExact), kWholeBasisPoints) << N(close) << " at " << limit;
        ASSERT_LT(2 * (downExact - d.down * kWholeBasisPoints), kWholeBasisPoints) << N(close) << " at " << limit;
      }
    }
  }
}

TEST(LimitsAfter, OutOfRangeRulesAndPrices) {
  EXPECT_THROW(LimitsAfter(0, 1000), CalcError);
  EXPECT_THROW(LimitsAfter(-5, 1000), CalcError);
  EXPECT_THROW(LimitsAfter(1000, 0), CalcError);
  EXPECT_THROW(LimitsAfter(1000, kWholeBasisPoints), CalcError);
  try {
    LimitsAfter(Ticks(1) << 120, 9999);
    ADD_FAILURE() << "no overflow";
  } catch (const CalcError& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Overflow);
  }
}

struct LadderCase {
  Ticks close;
  int limit;
  std::vector<DayLimits> days;
  const char* why;
};

TEST(LimitLadder, EveryDayFromThePreviousLimitPrice) {
  const LadderCase cases[] = {
      {1000, 2000, {{1200, 800}, {1440, 640}, {1728, 512}}, "10 at 20 %"},
      // 11.17 × 1.1 = 12.287, not 10.15 × 1.1² = 12.28 (compounding).
      {1015, 1000, {{1117, 914}, {1229, 823}, {1352, 741}}, "10.15 on the main board"},
      {3, 1000, {{4, 2}, {5, 1}, {6, 1}, {7, 1}}, "0.03: one tick a day, then the floor"},
      {10, 500, {{11, 9}, {12, 8}, {13, 7}}, "0.010 at 5 %: one tick a day both ways"},
      {1000, 1000, {}, "no day"},
  };
  for (const LadderCase& c : cases) {
    EXPECT_EQ(LimitLadder(c.close, c.limit, static_cast<int>(c.days.size())), c.days) << c.why;
  }
}

TEST(LimitLadder, SixtyDaysOfTheWidestLimitStayExact) {
  const std::vector<DayLimits> ladder = LimitLadder(1000, 9999, 60);
  ASSERT_EQ(ladder.size(), 60u);
  EXPECT_EQ(TicksText(ladder.back().up, kStockTickDecimals), "11496172563387335081.45");
  EXPECT_EQ(ladder.back().down, 1);
  for (std::size_t i = 1; i < ladder.size(); ++i) {
    EXPECT_EQ(ladder[i].up, LimitsAfter(ladder[i - 1].up, 9999).up) << "day " << i + 1;
    EXPECT_EQ(ladder[i].down, LimitsAfter(ladder[i - 1].down, 9999).down) << "day " << i + 1;
  }
  EXPECT_THROW(LimitLadder(Ticks(1) << 100, 9999, 60), CalcError);
  EXPECT_THROW(LimitLadder(1000, 1000, -1), CalcError);
}

struct ChangeCase {
  Ticks from, to;
  Ticks basisPoints;
  const char* text;
};

TEST(Change, BasisPointsHalvesAwayFromZero) {
  const ChangeCase cases[] = {
      {1015, 1117, 1005, "10.05%"},   // 10.049 %
      {1015, 914, -995, "-9.95%"},    // -9.951 %
      {1234, 1357, 997, "9.97%"},
      {1234, 1111, -997, "-9.97%"},
      {1000, 1728, 7280, "72.80%"},
      {20000, 20001, 1, "0.01%"},     // 0.5 basis points: away from zero
      {20000, 19999, -1, "-0.01%"},
      {30000, 29999, 0, "0.00%"},     // -0.33 basis points: never "-0.00%"
      {1, 1, 0, "0.00%"},
      {1, 2, 10000, "100.00%"},
      {1000, 1, -9990, "-99.90%"},
  };
  for (const ChangeCase& c : cases) {
    EXPECT_EQ(ChangeInBasisPoints(c.from, c.to), c.basisPoints) << N(c.from) << " → " << N(c.to);
    EXPECT_EQ(ChangeText(c.from, c.to), c.text) << N(c.from) << " → " << N(c.to);
  }
  EXPECT_THROW(ChangeInBasisPoints(0, 5), CalcError);
  EXPECT_THROW(ChangeInBasisPoints(1, Ticks(1) << 125), CalcError);
}

TEST(TicksText, TheTicksDecimals) {
  const struct {
    Ticks ticks;
    int decimals;
    const char* text;
  } cases[] = {
      {1117, 2, "11.17"}, {-101, 2, "-1.01"}, {1357, 3, "1.357"}, {-123, 3, "-0.123"},
      {5, 3, "0.005"},    {0, 2, "0.00"},     {0, 3, "0.000"},    {1, 2, "0.01"},
  };
  for (const auto& c : cases) EXPECT_EQ(TicksText(c.ticks, c.decimals), c.text);
}

TEST(LimitScreen, LadderColumnsUpInRedDownInGreen) {
  TestHost host;
  App app(host);
  const Control& table = app.Get("Form41").At("Table1");
  ASSERT_EQ(table.kind(), Kind::Table);
  const std::vector<std::string_view> columns(table.layout->columns.begin(), table.layout->columns.end());
  EXPECT_EQ(columns, (std::vector<std::string_view>{"天数", "涨停价", "累计涨幅", "跌停价", "累计跌幅"}));
  const std::vector<Rgb> colors(table.layout->columnColors.begin(), table.layout->columnColors.end());
  EXPECT_EQ(colors, (std::vector<Rgb>{kBlack, kRed, kRed, kGreen, kGreen}));
}

}  // namespace
}  // namespace hc
