// The convertible-bond rules: the worked example checked by hand, the
// clause trigger prices against lines on and off the tick (and below one
// tick), conversions with and without cash left over, and the bond's limits.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "market/convertible_bond.h"
#include "numeric/numeric.h"
#include "tests/unit/decimal_text.h"

namespace hc {
namespace {

std::string Below(const std::optional<Decimal>& price) { return price ? price->Text(2) : "无"; }

const ClauseRatios kLoadRatios{D("130"), D("85"), D("70")};

// B 150.100, K 16.01, S 21.06, 10 bonds:
//   value 2106 / 16.01 = 131.5428…; premium (150.1 × 16.01 − 2106) / 21.06
//   = 297.101 / 21.06 = 14.107…%; 1000 / 16.01 = 62.46… → 62 shares costing
//   992.62, 7.38 in cash; 62 × 21.06 = 1305.72, + 7.38 = 1313.10; parity
//   150.1 × 16.01 / 100 = 24.03101; lines 20.813, 13.6085, 11.207;
//   limits 150.1 × 1.2 = 180.12, × 0.8 = 120.08.
TEST(ConvertibleBond, WorkedExample) {
  const ConvertibleFigures f = ConvertibleBond(D("150.100"), D("16.01"), D("21.06"), D("10"), kLoadRatios);
  EXPECT_EQ(f.conversionValue.Text(3), "131.543");
  EXPECT_EQ(f.premiumPercent.Text(2), "14.11");
  EXPECT_EQ(f.shares.Text(0), "62");
  EXPECT_EQ(f.cashRemainder.Text(2), "7.38");
  EXPECT_EQ(f.valueAfter.Text(2), "1313.10");
  EXPECT_EQ(f.bondValue.Text(2), "1501.00");
  EXPECT_EQ(f.parityStockPrice.Text(2), "24.03");
  EXPECT_EQ(f.redemptionTrigger.Text(2), "20.82");
  EXPECT_EQ(Below(f.resetTrigger), "13.60");
  EXPECT_EQ(Below(f.putTrigger), "11.20");
  EXPECT_EQ(f.nextDay.up, 180120);
  EXPECT_EQ(f.nextDay.down, 120080);
}

TEST(ConvertibleBond, TriggersOnAndOffTheTick) {
  struct Case {
    const char* k;
    const char* ratio;
    const char* atOrAbove;
    const char* below;
  };
  const Case cases[] = {
      {"16.01", "130", "20.82", "20.81"},  // 20.813
      {"16.01", "85", "13.61", "13.60"},   // 13.6085
      {"10", "85", "8.50", "8.49"},        // exactly on the tick
      {"10.00", "130", "13.00", "12.99"},
      {"7.77", "100", "7.77", "7.76"},
      {"0.02", "60", "0.02", "0.01"},  // 0.012
      {"0.02", "50", "0.01", "无"},    // 0.01 on the tick: nothing below it
      {"0.01", "70", "0.01", "无"},    // 0.007: below one tick
      {"99999.99", "0.000000000000000000000000000001", "0.01", "无"},
      // Ratios typed with thirty decimals: the line is judged exactly, also
      // where K × ratio outgrows 128 bits.
      {"10", "130.000000000000000000000000000001", "13.01", "13.00"},
      {"10", "129.999999999999999999999999999999", "13.00", "12.99"},
      {"99999.99", "999.999999999999999999999999999999", "999999.90", "999999.89"},
      {"99999.99", "999.99", "999989.91", "999989.90"},  // 999989.900001
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TriggerAtOrAbove(D(c.k), D(c.ratio)).Text(2), c.atOrAbove) << c.k << " × " << c.ratio;
    EXPECT_EQ(Below(TriggerBelow(D(c.k), D(c.ratio))), c.below) << c.k << " × " << c.ratio;
  }
}

TEST(ConvertibleBond, ConversionAndPremium) {
  struct Case {
    const char* b;
    const char* k;
    const char* s;
    const char* n;
    const char* value;
    const char* premium;
    const char* shares;
    const char* cash;
    const char* after;
    const char* parity;
  };
  const Case cases[] = {
      // No remainder: 1000 / 10 is 100 shares, 1000 / 12.5 is 80.
      {"120.000", "10", "11.5", "10", "115.000", "4.35", "100", "0.00", "1150.00", "12.00"},
      {"100.000", "12.50", "12.50", "10", "100.000", "0.00", "80", "0.00", "1000.00", "12.50"},
      // A negative premium: worth 120 as shares, bought at 100.
      {"100.000", "10", "12", "1", "120.000", "-16.67", "10", "0.00", "120.00", "10.00"},
      // K above the face value: no share, all in cash.
      {"99.999", "99999.99", "0.01", "1", "0.000", "999989800.00", "0", "100.00", "100.00", "99998.99"},
      // Parity on a half cent rounds up.
      {"0.500", "1", "1", "3", "100.000", "-99.50", "300", "0.00", "300.00", "0.01"},
      // The largest counts: 10^9 bonds at K 0.01 convert into 10^13 shares.
      {"100000.000", "0.01", "100000", "1000000000", "1000000000.000", "-99.99", "10000000000000", "0.00",
       "1000000000000000000.00", "10.00"},
  };
  for (const Case& c : cases) {
    const ConvertibleFigures f = ConvertibleBond(D(c.b), D(c.k), D(c.s), D(c.n), kLoadRatios);
    const std::string at = std::string(c.b) + " " + c.k + " " + c.s + " " + c.n;
    EXPECT_EQ(f.conversionValue.Text(3), c.value) << at;
    EXPECT_EQ(f.premiumPercent.Text(2), c.premium) << at;
    EXPECT_EQ(f.shares.Text(0), c.shares) << at;
    EXPECT_EQ(f.cashRemainder.Text(2), c.cash) << at;
    EXPECT_EQ(f.valueAfter.Text(2), c.after) << at;
    EXPECT_EQ(f.parityStockPrice.Text(2), c.parity) << at;
  }
}

TEST(ConvertibleBond, NextDayLimits) {
  struct Case {
    const char* b;
    Ticks up;
    Ticks down;
  };
  const Case cases[] = {
      {"100.000", 120000, 80000},
      {"100.005", 120006, 80004},  // 120.006, 80.004
      {"0.003", 4, 2},             // 0.0036 and 0.0024
      {"0.002", 3, 1},             // 0.0024 and 0.0016 round back to the price: one tick away
      {"0.001", 2, 1},             // never below one tick
      {"100000.000", 120000000, 80000000},
  };
  for (const Case& c : cases) {
    const ConvertibleFigures f = ConvertibleBond(D(c.b), D("10"), D("10"), D("1"), kLoadRatios);
    EXPECT_EQ(f.nextDay.up, c.up) << c.b;
    EXPECT_EQ(f.nextDay.down, c.down) << c.b;
  }
}

TEST(ConvertibleBond, InputsOutOfRangeAreRefused) {
  auto refused = [](const char* b, const char* k, const char* s, const char* n, const char* ratio) {
    try {
      ConvertibleBond(D(b), D(k), D(s), D(n), ClauseRatios{D(ratio), D("85"), D("70")});
    } catch (const CalcError& e) {
      return e.kind() == ErrorKind::InvalidArgument;
    }
    return false;
  };
  EXPECT_TRUE(refused("0", "10", "10", "1", "130"));
  EXPECT_TRUE(refused("100.0005", "10", "10", "1", "130"));  // off the bond's tick
  EXPECT_TRUE(refused("100", "0", "10", "1", "130"));
  EXPECT_TRUE(refused("100", "10", "0", "1", "130"));
  EXPECT_TRUE(refused("100", "10", "10", "1.5", "130"));
  EXPECT_TRUE(refused("100", "10", "10", "1", "0"));
  EXPECT_FALSE(refused("100", "10", "10", "0", "130"));
}

}  // namespace
}  // namespace hc
