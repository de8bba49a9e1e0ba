// The margin account's rules: interest to the cent at the 360-day
// convention, and the line prices, which must be the highest tick strictly
// below the exact P*, however many decimals the line or the figures carry.
// The screen itself is in tests/scripts/form47*.hcs.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "market/margin.h"
#include "numeric/numeric.h"
#include "tests/unit/decimal_text.h"

namespace hc {
namespace {

TEST(MarginInterest, ToTheCentHalfUpAtThe360DayConvention) {
  struct Case {
    const char* loan;
    const char* rate;
    const char* days;
    const char* interest;
    const char* why;
  };
  const Case cases[] = {
      {"100000", "6", "31", "516.67", "516.666…"},
      {"100000", "6", "0", "0.00", "no days"},
      {"100000", "0", "31", "0.00", "no rate"},
      {"100000", "6", "360", "6000.00", "a year of 360 days is the whole rate"},
      {"180", "1", "1", "0.01", "exactly half a cent: up"},
      {"180", "0.999999999999999999999999999999", "1", "0.00", "a hair below half a cent: down"},
      {"179.99", "1", "1", "0.00", "0.00499…"},
      {"100000.004", "6", "31", "516.67", "the loan is taken to the cent"},
      {"1000000000000", "6.000000000000000000000000000001", "3650", "608333333333.33", "a long rate"},
      {"1000000000000", "99.999999999999999999999999999999", "3650", "10138888888888.89", "the largest accepted"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MarginInterest(D(c.loan), D(c.rate), D(c.days)).Text(2), c.interest) << c.why;
  }
}

TEST(LinePrice, HighestTickStrictlyBelowTheExactLinePrice) {
  struct Case {
    const char* line;
    const char* debt;
    const char* other;
    const char* shares;
    Market market;
    const char* price;  // "无" without one
    const char* why;
  };
  const Case cases[] = {
      {"150", "100516.67", "0", "20000", Market::Stock, "7.53", "P* = 7.5387…"},
      {"130", "100516.67", "0", "20000", Market::Stock, "6.53", "P* = 6.5335…"},
      {"150", "100516.67", "0", "20000", Market::Fund, "7.538", "the fund tick: P* = 7.53875…"},
      {"150", "100000", "0", "20000", Market::Stock, "7.49", "P* = 7.50 on the tick: one tick lower"},
      {"150", "100000", "0", "30000", Market::Fund, "4.999", "P* = 5 on the fund tick"},
      {"150.000000000000000000000000000001", "100000", "0", "20000", Market::Stock, "7.50", "a hair above 7.50"},
      {"149.999999999999999999999999999999", "100000", "0", "20000", Market::Stock, "7.49", "a hair below 7.50"},
      {"150", "100000", "50000", "20000", Market::Stock, "4.99", "P* = 5 with other collateral"},
      {"150", "100000", "150000", "20000", Market::Stock, "无", "the collateral holds the line: P* = 0"},
      {"150", "100000", "200000", "20000", Market::Stock, "无", "P* below 0"},
      {"150", "100000", "149999.98", "1", Market::Stock, "0.01", "P* = 0.02"},
      {"150", "100000", "149999.99", "1", Market::Stock, "无", "P* = one tick: the price below it is none"},
      {"150", "100000", "149999.99", "20000", Market::Stock, "无", "P* far below one tick"},
      {"150", "100000", "149999.999", "1", Market::Fund, "无", "other collateral is taken to the cent"},
      {"999.999999999999999999999999999999", "11138888888888.89", "0", "1", Market::Fund, "111388888888888.899",
       "the largest: P* a hair below …888.9"},
  };
  for (const Case& c : cases) {
    const std::optional<Decimal> p = LinePrice(D(c.line), D(c.debt), D(c.other), D(c.shares), c.market);
    EXPECT_EQ(p ? p->Text(TickDecimals(c.market)) : "无", c.price) << c.why;
  }
}

TEST(LinePrice, EveryPriceIsBelowItsLineAndTheNextTickIsNot) {
  // The defining property, checked with plain exact products: at the price
  // the collateral is below line / 100 × debt, one tick higher it is not;
  // without a price, one tick already holds the line.
  for (Market market : {Market::Stock, Market::Fund}) {
    const Decimal tick = OneTick(market);
    for (const char* line : {"130", "150", "133.33", "100.01", "140.5"}) {
      for (const char* debt : {"0.01", "1", "100000", "100516.67", "3333.33"}) {
        for (const char* other : {"0", "0.01", "1000", "99999.99"}) {
          for (const char* shares : {"1", "3", "7", "100", "20000"}) {
            const Decimal m = D(line), d = D(debt), a = D(other), n = D(shares);
            const Decimal threshold = m * d;  // 100 × the collateral needed
            const std::optional<Decimal> p = LinePrice(m, d, a, n, market);
            const Decimal next = p ? *p + tick : tick;
            const std::string what = std::string(line) + " " + debt + " " + other + " " + shares;
            ASSERT_GE((next * n + a) * Decimal::Whole(100), threshold) << what;
            if (p) {
              ASSERT_LT((*p * n + a) * Decimal::Whole(100), threshold) << what;
            }
          }
        }
      }
    }
  }
}

TEST(CalculateMargin, TheWorkedAccount) {
  // 20000 shares at 9, a loan of 100000 at 6 % for 31 days. By hand:
  // interest 100000 × 0.06 × 31 / 360 = 516.666… → 516.67; debt 100516.67;
  // collateral 180000; ratio 180000 / 100516.67 = 179.0748…%; P*(150 %) =
  // 150775.005 / 20000 = 7.5387…, so 7.53, whose ratio 150600 / 100516.67 =
  // 149.83 % is below the line; P*(130 %) = 130671.671 / 20000 = 6.5335…, so
  // 6.53; the falls (7.53 − 9) / 9 = −16.33 % and (6.53 − 9) / 9 = −27.44 %.
  const MarginTerms terms{D("20000"), D("9"), D("100000"), D("0"), D("6"), D("31"), D("150"), D("130")};
  const MarginAccount a = CalculateMargin(terms, Market::Stock);
  EXPECT_EQ(a.interest.Text(2), "516.67");
  EXPECT_EQ(a.debt.Text(2), "100516.67");
  EXPECT_EQ(a.collateral.Text(2), "180000.00");
  EXPECT_EQ(a.ratio.Text(2), "179.07");
  ASSERT_TRUE(a.warning.price && a.liquidation.price);
  EXPECT_EQ(a.warning.price->Text(2), "7.53");
  EXPECT_EQ(a.warning.change.Text(2), "-16.33");
  EXPECT_EQ(a.liquidation.price->Text(2), "6.53");
  EXPECT_EQ(a.liquidation.change.Text(2), "-27.44");
  EXPECT_FALSE(a.belowLiquidation);

  MarginTerms atWarning = terms;
  atWarning.price = D("7.53");
  EXPECT_EQ(CalculateMargin(atWarning, Market::Stock).ratio.Text(2), "149.83");
}

TEST(CalculateMargin, BelowTheLiquidationLineExactlyAtAndUnderItsPrice) {
  struct Case {
    const char* price;
    bool below;
  };
  for (const Case& c : {Case{"6.54", false}, Case{"6.53", true}, Case{"0.01", true}, Case{"100000", false}}) {
    const MarginTerms terms{D("20000"), D(c.price), D("100000"), D("0"), D("6"), D("31"), D("150"), D("130")};
    EXPECT_EQ(CalculateMargin(terms, Market::Stock).belowLiquidation, c.below) << c.price;
  }
  // The line price above today's price: already below, and the move is a rise.
  const MarginTerms under{D("20000"), D("6"), D("100000"), D("0"), D("6"), D("31"), D("150"), D("130")};
  const MarginAccount a = CalculateMargin(under, Market::Stock);
  EXPECT_TRUE(a.belowLiquidation);
  EXPECT_EQ(a.liquidation.change.Text(2), "8.83");  // (6.53 − 6) / 6
}

TEST(CalculateMargin, RefusesWhatNoAccountHolds) {
  const MarginTerms good{D("20000"), D("9"), D("100000"), D("0"), D("6"), D("31"), D("150"), D("130")};
  EXPECT_NO_THROW(CalculateMargin(good, Market::Stock));
  MarginTerms t = good;
  t.loan = D("0.004");  // no cent of debt: no ratio
  EXPECT_THROW(CalculateMargin(t, Market::Stock), CalcError);
  t = good;
  t.shares = D("0");
  EXPECT_THROW(CalculateMargin(t, Market::Stock), CalcError);
  t = good;
  t.price = D("9.001");  // off the stock tick
  EXPECT_THROW(CalculateMargin(t, Market::Stock), CalcError);
  EXPECT_NO_THROW(CalculateMargin(t, Market::Fund));
  t = good;
  t.otherCollateral = D("-1");
  EXPECT_THROW(CalculateMargin(t, Market::Stock), CalcError);
}

}  // namespace
}  // namespace hc
