// The fee rules: fees of one order to the cent, the long-number arithmetic
// behind the exact roundings, the checks of the inputs, and the break-even
// price, which must be the lowest tick that covers the cost.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "numeric/numeric.h"
#include "market/fees.h"
#include "screens/tools/tool_screen.h"
#include "numeric/long_number.h"
#include "tests/unit/decimal_text.h"

namespace hc {
namespace {

const FeeRates kLoadRates{D("2.5"), D("5"), D("5"), D("0.1")};

// ---------------------------------------------------------------- long numbers

TEST(LongNumber, ProductsPowersAndText) {
  EXPECT_EQ(LongNumber(2).Power(200).Text(),
            "1606938044258990275541962092341162602522202993782792835301376");
  EXPECT_EQ((LongNumber(999999999) * LongNumber(999999999)).Text(), "999999998000000001");
  EXPECT_EQ((LongNumber(999999999) + LongNumber(1)).Text(), "1000000000");
  EXPECT_EQ(LongNumber(0).Text(), "0");
  EXPECT_EQ(LongNumber(7).Power(0).Text(), "1");
  EXPECT_TRUE((LongNumber(0) * LongNumber(5)).IsZero());
}

TEST(LongNumber, DigitsAndShifts) {
  const LongNumber n(static_cast<LongNumber::U128>(1234567890123456789ull) * 1000);  // 22 digits
  EXPECT_EQ(n.Digits(), 22);
  EXPECT_EQ(n.DigitAt(0), 0);
  EXPECT_EQ(n.DigitAt(3), 9);
  EXPECT_EQ(n.DigitAt(21), 1);
  EXPECT_EQ(n.DigitAt(22), 0);
  struct Case {
    int k;
    const char* down;
    const char* rounded;
  };
  const Case cases[] = {
      {0, "1234567890123456789000", "1234567890123456789000"},
      {4, "123456789012345678", "123456789012345679"},  // …8|9000: up
      {9, "1234567890123", "1234567890123"},            // …3|456789000: down
      {13, "123456789", "123456789"},
      {21, "1", "1"},
      {22, "0", "0"},  // 0.12…: down
      {30, "0", "0"},
      {-2, "123456789012345678900000", "123456789012345678900000"},
      {-10, "12345678901234567890000000000000", "12345678901234567890000000000000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(n.ShiftedDown(c.k).Text(), c.down) << c.k;
    EXPECT_EQ(n.RoundedShift(c.k).Text(), c.rounded) << c.k;
  }
  // A half rounds up; across a limb boundary too.
  EXPECT_EQ(LongNumber(15).RoundedShift(1).Text(), "2");
  EXPECT_EQ(LongNumber(14).RoundedShift(1).Text(), "1");
  EXPECT_EQ(LongNumber(5).RoundedShift(1).Text(), "1");
  EXPECT_EQ(LongNumber(999999999500000000ull).RoundedShift(9).Text(), "1000000000");
}

TEST(LongNumber, TruncateAndConversion) {
  LongNumber n = LongNumber(10).Power(40);  // five limbs
  EXPECT_EQ(n.Limbs(), 5u);
  EXPECT_FALSE(n.ToU128().has_value());
  EXPECT_EQ(n.Truncate(2), 3);
  EXPECT_EQ(n.Text(), "10000000000000");  // 10^40 / 10^27
  EXPECT_EQ(n.Truncate(5), 0);
  const LongNumber max38 = LongNumber(10).Power(38);
  EXPECT_FALSE(max38.ToU128().has_value());  // 39 digits
  EXPECT_TRUE(LongNumber(10).Power(37).ToU128().has_value());
  EXPECT_LT(LongNumber(10).Power(37), max38);
}

// ---------------------------------------------------------------- fees

TEST(Fees, OneFeeToTheCentHalfUp) {
  struct Case {
    const char* amount;
    const char* rate;
    const char* fee;
  };
  const Case cases[] = {
      {"10000", "2.5", "2.50"},
      {"10500", "0.1", "0.11"},   // 0.105: half up
      {"10400", "0.1", "0.10"},   // 0.104
      {"20020", "2.5", "5.01"},   // 5.005
      {"20019.99", "2.5", "5.00"},  // 5.0049975
      {"333.333", "2.5", "0.08"},
      {"0.01", "99.99", "0.00"},
      {"100000000000000.00", "99.99", "999900000000.00"},
      {"1000", "0", "0.00"},
      // Rates with more digits than 128 bits can multiply: still exact.
      {"100000000000000.00", "2.123456789012345678901234567", "21234567890.12"},
      {"123456789012.345", "99.999999999999999999999999999", "1234567890.12"},
      // 2^-27 per ten thousand of an amount that makes an exact half cent.
      {"671088646710886400.00", "0.000000007450580596923828125", "500000.01"},
      {"671088646710886399.99", "0.000000007450580596923828125", "500000.00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FeeAt(D(c.amount), D(c.rate)).Text(2), c.fee) << c.amount << " at " << c.rate;
  }
}

TEST(Fees, OrdersBySideAndMarket) {
  struct Case {
    const char* amount;
    Side side;
    Market market;
    const char* commission;
    const char* stamp;
    const char* transfer;
  };
  const Case cases[] = {
      {"10000", Side::Buy, Market::Stock, "5.00", "0.00", "0.10"},   // minimum
      {"10500", Side::Sell, Market::Stock, "5.00", "5.25", "0.11"},  // worked example
      {"1000000", Side::Buy, Market::Stock, "250.00", "0.00", "10.00"},
      {"1000000", Side::Sell, Market::Stock, "250.00", "500.00", "10.00"},
      {"1000000", Side::Sell, Market::Fund, "250.00", "0.00", "0.00"},
      {"100", Side::Sell, Market::Fund, "5.00", "0.00", "0.00"},
      {"20000", Side::Buy, Market::Stock, "5.00", "0.00", "0.20"},  // exactly the minimum
  };
  for (const Case& c : cases) {
    const OrderFees f = FeesOf(D(c.amount), c.side, c.market, kLoadRates);
    EXPECT_EQ(f.commission.Text(2), c.commission) << c.amount;
    EXPECT_EQ(f.stampDuty.Text(2), c.stamp) << c.amount;
    EXPECT_EQ(f.transferFee.Text(2), c.transfer) << c.amount;
  }
  // The minimum itself is taken to the cent.
  const FeeRates odd{D("2.5"), D("4.995"), D("5"), D("0.1")};
  EXPECT_EQ(FeesOf(D("100"), Side::Buy, Market::Stock, odd).commission.Text(2), "5.00");
  const FeeRates low{D("2.5"), D("4.994"), D("5"), D("0.1")};
  EXPECT_EQ(FeesOf(D("100"), Side::Buy, Market::Stock, low).commission.Text(2), "4.99");
}

TEST(Fees, WorkedRoundTrip) {
  const RoundTrip r = CalculateRoundTrip(D("10"), D("1000"), D("10.5"), Market::Stock, kLoadRates);
  EXPECT_EQ(r.buyCost.Text(2), "10005.10");
  EXPECT_EQ(r.sellProceeds.Text(2), "10489.64");
  EXPECT_EQ(r.fees.Text(2), "15.46");
  EXPECT_EQ(r.net.Text(2), "484.54");
  EXPECT_EQ(r.returnPercent.Text(2), "4.84");
  EXPECT_EQ(r.costPrice.Text(3), "10.005");
  EXPECT_EQ(r.breakEven.Text(2), "10.02");
}

// ---------------------------------------------------------------- inputs

TEST(FeeInputs, RatesOfAnotherScreen) {
  // A rate typed in percent is read as its number of ten-thousandths.
  RatesRead r = ReadRates("0.025%", " 5元", "万分之5", "0.1‱", Market::Stock);
  ASSERT_TRUE(r.rates.has_value());
  EXPECT_EQ(r.rates->commission.Text(1), "2.5");
  EXPECT_EQ(r.rates->stampDuty.Text(0), "5");
  EXPECT_EQ(r.rates->transferFee.Text(1), "0.1");
  EXPECT_EQ(r.rates->minimum.Text(2), "5.00");
  r = ReadRates("2.5", "5", "x", "", Market::Stock);
  EXPECT_EQ(r.message, "印花税率不是有效数字！");
  // Funds do not read the stamp duty and transfer fee fields.
  r = ReadRates("2.5", "5", "x", "", Market::Fund);
  ASSERT_TRUE(r.rates.has_value());
  EXPECT_EQ(r.rates->stampDuty.sign(), 0);
  r = ReadRates("", "5", "5", "0.1", Market::Fund);
  EXPECT_EQ(r.message, "请输入佣金率！");
  r = ReadRates("1%", "5", "5", "0.1", Market::Fund);
  EXPECT_EQ(r.message, "佣金率必须小于100！");
  r = ReadRates("2.5", "-1", "5", "0.1", Market::Fund);
  EXPECT_EQ(r.message, "最低佣金不能为负数！");
  // The line of the load texts is what the tools show at load.
  r = ReadRates(std::string(kRateLoadTexts.commission), std::string(kRateLoadTexts.minimum),
                std::string(kRateLoadTexts.stampDuty), std::string(kRateLoadTexts.transferFee), Market::Stock);
  ASSERT_TRUE(r.rates.has_value());
  EXPECT_EQ(RatesLine(*r.rates, Market::Stock), kLoadRatesLine);
}

// ---------------------------------------------------------------- break-even

TEST(BreakEven, KnownPrices) {
  struct Case {
    const char* buy;
    const char* shares;
    Market market;
    const char* minimum;
    const char* price;
  };
  const Case cases[] = {
      {"10", "1000", Market::Stock, "5", "10.02"},   // worked example
      {"10", "100", Market::Stock, "5", "10.11"},    // the minimum dominates
      {"0.01", "1", Market::Stock, "5", "10.02"},    // a one-share order
      {"1.235", "10000", Market::Fund, "5", "1.236"},  // covered exactly
      {"100000", "1000000000", Market::Stock, "5", "100102.08"},
      {"10", "1000", Market::Stock, "0", "10.02"},
  };
  for (const Case& c : cases) {
    const FeeRates rates{D("2.5"), D(c.minimum), D("5"), D("0.1")};
    const Decimal cost = BuyCost(D(c.buy), D(c.shares), c.market, rates);
    EXPECT_EQ(BreakEvenPrice(cost, D(c.shares), c.market, rates).Text(TickDecimals(c.market)), c.price) << c.buy;
  }
}

// A cost that fees rounding up at a higher price make uncovered again: the
// proceeds are not monotonic in the price, and the lowest covering tick is
// found below the last uncovered one. One share, each of the three rates 99
// per ten thousand, no minimum: on 0.50 yuan each fee is 0.00495 → 0.00, on
// 0.51 each is 0.005049 → 0.01.
TEST(BreakEven, ProceedsNeedNotGrowWithThePrice) {
  const FeeRates rates{D("99"), D("0"), D("99"), D("99")};
  const Decimal shares = D("1");
  EXPECT_EQ(SellProceeds(D("0.50"), shares, Market::Stock, rates).Text(2), "0.50");
  EXPECT_EQ(SellProceeds(D("0.51"), shares, Market::Stock, rates).Text(2), "0.48");
  EXPECT_EQ(BreakEvenPrice(D("0.49"), shares, Market::Stock, rates).Text(2), "0.49");
  EXPECT_EQ(BreakEvenPrice(D("0.50"), shares, Market::Stock, rates).Text(2), "0.50");
  EXPECT_EQ(BreakEvenPrice(D("0.51"), shares, Market::Stock, rates).Text(2), "0.54");
}

// A fund order settles in cents: its fees are taken on the amount rounded
// half up to the cent, so the figures shown add up.
TEST(Fees, FundOrdersSettleInCents) {
  EXPECT_EQ(OrderAmount(D("1.2345"), D("3")).Text(2), "3.70");
  EXPECT_EQ(OrderAmount(D("0.505"), D("1")).Text(2), "0.51");
  EXPECT_EQ(OrderAmount(D("-0.505"), D("1")).Text(2), "-0.51");
  const RoundTrip r = CalculateRoundTrip(D("1.035"), D("50000"), D("1.037"), Market::Fund, kLoadRates);
  EXPECT_EQ(r.sellProceeds - r.buyCost, r.net);
  EXPECT_EQ(r.net.scale(), 2);
}

// On random trades: selling at the break-even price covers the cost and one
// tick lower does not; where the price is a few thousand ticks, no lower
// tick at all covers it.
TEST(BreakEven, RandomTradesCoverTheCostFromTheBreakEvenPriceOn) {
  std::mt19937_64 rng(20240617);
  auto below = [&](std::uint64_t n) { return std::uniform_int_distribution<std::uint64_t>(0, n - 1)(rng); };
  for (int trial = 0; trial < 3000; ++trial) {
    const Market market = below(2) == 0 ? Market::Stock : Market::Fund;
    const int t = TickDecimals(market);
    // Prices from one tick to 100000, shares from 1 to 10^9, log-uniform.
    const std::int64_t maxTicks = t == 2 ? 10000000 : 100000000;
    const std::int64_t ticks = 1 + static_cast<std::int64_t>(std::pow(static_cast<double>(maxTicks), below(1000) / 1000.0)) % maxTicks;
    const std::int64_t shares = 1 + static_cast<std::int64_t>(std::pow(1e9, below(1000) / 1000.0)) % 1000000000;
    auto rate = [&] { return Decimal(static_cast<Decimal::Int>(below(1000000)), 4); };  // 0 to 99.9999
    const FeeRates rates{rate(), Decimal(static_cast<Decimal::Int>(below(2001)), 2), rate(), rate()};
    const Decimal n = Decimal::Whole(shares);
    const Decimal cost = BuyCost(Decimal(ticks, t), n, market, rates);
    const Decimal be = BreakEvenPrice(cost, n, market, rates);
    const std::string what = "trial " + std::to_string(trial) + ": " + std::to_string(shares) + " at " +
                             Decimal(ticks, t).Text(t) + ", break-even " + be.Text(t);
    ASSERT_GE(SellProceeds(be, n, market, rates), cost) << what;
    const Decimal tick = OneTick(market);
    if (be > tick) {
      ASSERT_LT(SellProceeds(be - tick, n, market, rates), cost) << what;
    }
    const Decimal::Int beTicks = be.UnitsAt(t);
    if (beTicks <= 3000) {
      for (Decimal::Int k = 1; k < beTicks; ++k) {
        ASSERT_LT(SellProceeds(Decimal(k, t), n, market, rates), cost) << what << ", covered at " << Decimal(k, t).Text(t);
      }
    }
  }
}

}  // namespace
}  // namespace hc
