// The fee rules: fees of one order to the cent, the long-number arithmetic
// behind the exact roundings, the checks of the inputs, and the break-even
// price, which must be the lowest tick that covers the cost.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "numeric/numeric.h"
#include "screens/tools/fees.h"
#include "numeric/long_number.h"

namespace hc {
namespace {

Decimal D(std::string_view text) {
  std::optional<Decimal> d = Decimal::Parse(text);
  if (!d) throw std::invalid_argument(std::string(text));
  return *d;
}

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

TEST(FeeInputs, Cleaning) {
  struct Case {
    const char* typed;
    const char* cleaned;
  };
  const Case cases[] = {
      {" 10元 ", "10"},  {"1000股", "1000"}, {"10。5", "10.5"}, {"2，5万", "2.5"}, {"5,00", "5.00"},
      {"５%", "5"},      {"０．１", "0.1"},   {"　3　", "3"},     {"\t7\t", "7"},   {"   ", ""},
      {"1 000", "1 000"},  // inner blanks stay (and fail the number check)
  };
  for (const Case& c : cases) {
    std::string s = c.typed;
    CleanFeeText(s);
    EXPECT_EQ(s, c.cleaned) << c.typed;
  }
}

TEST(FeeInputs, ChecksAndMessages) {
  struct Case {
    const char* text;
    const char* name;
    FieldRule rule;
    Market market;
    const char* valueOrMessage;  // the value's text, or the message
  };
  const Case cases[] = {
      {"", "买入价", FieldRule::Price, Market::Stock, "请输入买入价！"},
      {"abc", "买入价", FieldRule::Price, Market::Stock, "买入价不是有效数字！"},
      {"1e3", "买入价", FieldRule::Price, Market::Stock, "买入价不是有效数字！"},
      {"+10", "买入价", FieldRule::Price, Market::Stock, "10.00"},
      {"10.005", "买入价", FieldRule::Price, Market::Stock, "10.01"},
      {"10.0005", "买入价", FieldRule::Price, Market::Fund, "10.001"},
      {"0.004", "买入价", FieldRule::Price, Market::Stock, "买入价必须大于0！"},
      {"0.005", "买入价", FieldRule::Price, Market::Stock, "0.01"},
      {"0.004", "买入价", FieldRule::Price, Market::Fund, "0.004"},
      {"-1", "卖出价", FieldRule::Price, Market::Stock, "卖出价必须大于0！"},
      {"100000.004", "卖出价", FieldRule::Price, Market::Stock, "100000.00"},
      {"100000.005", "卖出价", FieldRule::Price, Market::Stock, "卖出价不能大于100000！"},
      {"1000000000000000000000000000000000000000000", "卖出价", FieldRule::Price, Market::Stock,
       "卖出价不能大于100000！"},
      {"-1000000000000000000000000000000000000000000", "卖出价", FieldRule::Price, Market::Stock,
       "卖出价必须大于0！"},
      {"0.0000000000000000000000000000001", "卖出价", FieldRule::Price, Market::Stock, "卖出价不是有效数字！"},
      {"1000", "股数", FieldRule::Shares, Market::Stock, "1000"},
      {"1000.00", "股数", FieldRule::Shares, Market::Stock, "1000"},
      {"0", "股数", FieldRule::Shares, Market::Stock, "股数必须大于0！"},
      {"0.5", "股数", FieldRule::Shares, Market::Stock, "股数必须是不大于1000000000的整数！"},
      {"1000000000", "股数", FieldRule::Shares, Market::Stock, "1000000000"},
      {"1000000001", "股数", FieldRule::Shares, Market::Stock, "股数必须是不大于1000000000的整数！"},
      {"99999999999999999999999999999999999999999", "股数", FieldRule::Shares, Market::Stock,
       "股数必须是不大于1000000000的整数！"},
      {"2.50", "佣金率", FieldRule::Rate, Market::Stock, "2.5"},
      {"-0", "佣金率", FieldRule::Rate, Market::Stock, "0"},
      {"-0.01", "佣金率", FieldRule::Rate, Market::Stock, "佣金率不能为负数！"},
      {"99.99", "印花税率", FieldRule::Rate, Market::Stock, "99.99"},
      {"100", "印花税率", FieldRule::Rate, Market::Stock, "印花税率必须小于100！"},
      {"1000000000000000000000000000000000000000000", "过户费率", FieldRule::Rate, Market::Stock,
       "过户费率必须小于100！"},
      {"4.995", "最低佣金", FieldRule::Minimum, Market::Stock, "5.00"},
      {"0", "最低佣金", FieldRule::Minimum, Market::Stock, "0.00"},
      {"-5", "最低佣金", FieldRule::Minimum, Market::Stock, "最低佣金不能为负数！"},
      {"1000000000000000000000000000000000000000000", "最低佣金", FieldRule::Minimum, Market::Stock,
       "最低佣金不是有效数字！"},
  };
  for (const Case& c : cases) {
    const FieldRead r = ReadFeeField(c.text, c.name, c.rule, c.market);
    if (r.value) {
      const int decimals = c.rule == FieldRule::Price     ? TickDecimals(c.market)
                           : c.rule == FieldRule::Minimum ? 2
                                                          : r.value->scale();
      EXPECT_EQ(r.value->Text(decimals), c.valueOrMessage) << c.text;
      EXPECT_TRUE(r.message.empty()) << c.text;
    } else {
      EXPECT_EQ(r.message, c.valueOrMessage) << c.text;
    }
  }
}

TEST(FeeInputs, RatesOfAnotherScreen) {
  RatesRead r = ReadRates("2.5%", " 5元", "5", "0.1", Market::Stock);
  ASSERT_TRUE(r.rates.has_value());
  EXPECT_EQ(r.rates->commission.Text(1), "2.5");
  EXPECT_EQ(r.rates->minimum.Text(2), "5.00");
  r = ReadRates("2.5", "5", "x", "", Market::Stock);
  EXPECT_EQ(r.message, "印花税率不是有效数字！");
  // Funds do not read the stamp duty and transfer fee fields.
  r = ReadRates("2.5", "5", "x", "", Market::Fund);
  ASSERT_TRUE(r.rates.has_value());
  EXPECT_EQ(r.rates->stampDuty.sign(), 0);
  r = ReadRates("", "5", "5", "0.1", Market::Fund);
  EXPECT_EQ(r.message, "请输入佣金率！");
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

// A cost that a fee rounding up at a higher price makes uncovered again: the
// proceeds are not monotonic in the price, and the lowest covering tick is
// found below the last uncovered one. One share of a fund, commission 99
// per ten thousand, no minimum: at 0.506 the commission 0.0050094 rounds to
// 0.01, at 0.505 it is 0.0049995 → 0.00.
TEST(BreakEven, ProceedsNeedNotGrowWithThePrice) {
  const FeeRates rates{D("99"), D("0"), D("0"), D("0")};
  const Decimal shares = D("1");
  EXPECT_EQ(SellProceeds(D("0.505"), shares, Market::Fund, rates).Text(3), "0.505");
  EXPECT_EQ(SellProceeds(D("0.506"), shares, Market::Fund, rates).Text(3), "0.496");
  EXPECT_EQ(BreakEvenPrice(D("0.5"), shares, Market::Fund, rates).Text(3), "0.500");
  EXPECT_EQ(BreakEvenPrice(D("0.505"), shares, Market::Fund, rates).Text(3), "0.505");
  EXPECT_EQ(BreakEvenPrice(D("0.506"), shares, Market::Fund, rates).Text(3), "0.516");
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
