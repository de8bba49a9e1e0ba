// The swing on a holding: both legs to the cent, the holding's new cost
// price, and the loss-free price, which must be the edge of the loss-free
// prices in either order of the legs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>

#include "market/swing_trade.h"
#include "tests/unit/decimal_text.h"

namespace hc {
namespace {

const FeeRates kLoadRates{D("2.5"), D("5"), D("5"), D("0.1")};

TEST(Swing, BothLegsAndTheHolding) {
  struct Case {
    const char* what;
    const char* held;
    const char* cost;
    const char* shares;
    const char* sell;
    const char* buy;
    SwingOrder order;
    Market market;
    // Sell amount, fees, proceeds; buy amount, fees, cost; profit, cost
    // after, cut, loss-free price, return.
    const char* out[11];
  };
  const Case cases[] = {
      // Sell 12800: commission 3.20 → the 5.00 minimum, stamp duty 6.40,
      // transfer fee 0.128 → 0.13. Buy 12400: 5.00 + 0.124 → 0.12. Profit
      // 12788.47 − 12405.12 = 383.35; (25000 − 383.35) / 2000 = 12.308325.
      // Buying back at 12.78 costs 12780 + 5 + 0.13 = 12785.13, at 12.79
      // 12795.13, more than the 12788.47 the sell brought in.
      {"worked 倒T", "2000", "12.5", "1000", "12.8", "12.4", SwingOrder::SellFirst, Market::Stock,
       {"12800.00", "11.53", "12788.47", "12400.00", "5.12", "12405.12", "383.35", "12.308", "0.192", "12.78",
        "3.09"}},
      // Sell 12450: 5.00 + 6.225 → 6.23 + 0.1245 → 0.12; buy 12600: 5.00 +
      // 0.126 → 0.13. (25000 + 166.48) / 2000 = 12.58324. Selling at 12.61
      // nets 12610 − 5 − 6.31 − 0.13 = 12598.56, at 12.62 12608.56.
      {"worked 正T", "2000", "12.5", "1000", "12.45", "12.6", SwingOrder::BuyFirst, Market::Stock,
       {"12450.00", "11.35", "12438.65", "12600.00", "5.13", "12605.13", "-166.48", "12.583", "-0.083", "12.62",
        "-1.32"}},
      // Funds pay the commission alone: 12795.00 − 12405.00 = 390.00; a buy
      // back at 12.790 costs 12795.00 exactly.
      {"fund 倒T", "2000", "12.5", "1000", "12.8", "12.4", SwingOrder::SellFirst, Market::Fund,
       {"12800.00", "5.00", "12795.00", "12400.00", "5.00", "12405.00", "390.00", "12.305", "0.195", "12.790",
        "3.14"}},
      {"fund 正T", "2000", "12.5", "1000", "12.8", "12.4", SwingOrder::BuyFirst, Market::Fund,
       {"12800.00", "5.00", "12795.00", "12400.00", "5.00", "12405.00", "390.00", "12.305", "0.195", "12.410",
        "3.14"}},
      // Past the minimum: 15750000 × 2.5/10000 = 3937.50 commission.
      {"large", "1000000", "30", "500000", "31.5", "30.2", SwingOrder::SellFirst, Market::Stock,
       {"15750000.00", "11970.00", "15738030.00", "15100000.00", "3926.00", "15103926.00", "634104.00", "29.366",
        "0.634", "31.46", "4.20"}},
      // A cost price diluted below zero goes further down.
      {"negative cost", "1000", "-2.5", "1000", "10", "9.8", SwingOrder::BuyFirst, Market::Stock,
       {"10000.00", "10.10", "9989.90", "9800.00", "5.10", "9805.10", "184.80", "-2.685", "0.185", "9.82", "1.88"}},
      // One share at 0.05 nets less than nothing: no buy back covers it.
      {"none", "100", "1", "1", "0.05", "0.04", SwingOrder::SellFirst, Market::Stock,
       {"0.05", "5.00", "-4.95", "0.04", "5.00", "5.04", "-9.99", "1.100", "-0.100", "", "-198.21"}},
      // The largest trade, and a cost price whose thirty decimals times the
      // holding outgrow 128 bits.
      {"largest", "1000000000", "99999.123456789012345678901234567891", "1000000000", "100000", "99999.99",
       SwingOrder::BuyFirst, Market::Stock,
       {"100000000000000.00", "76000000000.00", "99924000000000.00", "99999990000000.00", "25999997400.00",
        "100025989997400.00", "-101989997400.00", "100101.113", "-101.990", "100102.07", "-0.10"}},
  };
  for (const Case& c : cases) {
    const SwingTrade s =
        CalculateSwing(D(c.held), D(c.cost), D(c.shares), D(c.sell), D(c.buy), c.order, c.market, kLoadRates);
    const int t = TickDecimals(c.market);
    const std::string got[11] = {s.sellAmount.Text(2),
                                 s.sellFees.Total().Text(2),
                                 s.sellProceeds.Text(2),
                                 s.buyAmount.Text(2),
                                 s.buyFees.Total().Text(2),
                                 s.buyCost.Text(2),
                                 s.profit.Text(2),
                                 s.costAfter.Text(3),
                                 s.costCut.Text(3),
                                 s.lossFreePrice ? s.lossFreePrice->Text(t) : "",
                                 s.returnPercent.Text(2)};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(got[i], c.out[i]) << c.what << ", figure " << i;
  }
}

TEST(Swing, HighestBuyPriceAtItsEdges) {
  struct Case {
    const char* budget;
    const char* shares;
    Market market;
    const char* minimum;
    const char* price;  // empty: none
  };
  const Case cases[] = {
      {"12788.47", "1000", Market::Stock, "5", "12.78"},
      {"5.01", "1", Market::Stock, "5", "0.01"},   // one tick just affordable
      {"5.00", "1", Market::Stock, "5", ""},       // not even one tick
      {"-4.95", "1", Market::Stock, "5", ""},
      {"12795.00", "1000", Market::Fund, "5", "12.790"},  // to the cent
      {"10.00", "1000", Market::Fund, "0", "0.010"},
      {"99924000000000.00", "1000000000", Market::Stock, "5", "99898.02"},
  };
  for (const Case& c : cases) {
    const FeeRates rates{D("2.5"), D(c.minimum), D("5"), D("0.1")};
    const std::optional<Decimal> p = HighestBuyPrice(D(c.budget), D(c.shares), c.market, rates);
    EXPECT_EQ(p ? p->Text(TickDecimals(c.market)) : "", c.price) << c.budget;
  }
}

// On random swings: completing the swing at the loss-free price loses
// nothing, and one tick beyond it (higher buying back, lower selling) does.
TEST(Swing, RandomSwingsLoseNothingAtTheLossFreePrice) {
  std::mt19937_64 rng(20240725);
  auto below = [&](std::uint64_t n) { return std::uniform_int_distribution<std::uint64_t>(0, n - 1)(rng); };
  auto logUniform = [&](std::int64_t high) {
    return 1 + static_cast<std::int64_t>(std::pow(static_cast<double>(high), below(1000) / 1000.0)) % high;
  };
  for (int trial = 0; trial < 2000; ++trial) {
    const Market market = below(2) == 0 ? Market::Stock : Market::Fund;
    const SwingOrder order = below(2) == 0 ? SwingOrder::SellFirst : SwingOrder::BuyFirst;
    const int t = TickDecimals(market);
    const std::int64_t maxTicks = t == 2 ? 10000000 : 100000000;
    const Decimal held = Decimal::Whole(logUniform(1000000000));
    const Decimal shares = Decimal::Whole(1 + static_cast<std::int64_t>(below(static_cast<std::uint64_t>(
                                                  std::min<Decimal::Int>(held.units(), 1000000)))));
    const Decimal sell(logUniform(maxTicks), t);
    const Decimal buy(logUniform(maxTicks), t);
    const Decimal cost(static_cast<Decimal::Int>(below(200000001)) - 100000000, 3);
    auto rate = [&] { return Decimal(static_cast<Decimal::Int>(below(1000000)), 4); };  // 0 to 99.9999
    const FeeRates rates{rate(), Decimal(static_cast<Decimal::Int>(below(2001)), 2), rate(), rate()};
    const SwingTrade s = CalculateSwing(held, cost, shares, sell, buy, order, market, rates);
    const std::string what = "trial " + std::to_string(trial) + ": " + shares.Text(0) + " sold at " + sell.Text(t) +
                             ", bought at " + buy.Text(t);
    ASSERT_EQ(s.profit, s.sellProceeds - s.buyCost) << what;
    const Decimal tick = OneTick(market);
    if (order == SwingOrder::SellFirst) {
      if (!s.lossFreePrice) {
        ASSERT_GT(BuyCost(tick, shares, market, rates), s.sellProceeds) << what;
        continue;
      }
      const Decimal& p = *s.lossFreePrice;
      ASSERT_GE(p, tick) << what;
      ASSERT_LE(BuyCost(p, shares, market, rates), s.sellProceeds) << what << ", buy back " << p.Text(t);
      ASSERT_GT(BuyCost(p + tick, shares, market, rates), s.sellProceeds) << what << ", buy back " << p.Text(t);
    } else {
      ASSERT_TRUE(s.lossFreePrice.has_value()) << what;
      const Decimal& p = *s.lossFreePrice;
      ASSERT_GE(SellProceeds(p, shares, market, rates), s.buyCost) << what << ", sell " << p.Text(t);
      if (p > tick) {
        ASSERT_LT(SellProceeds(p - tick, shares, market, rates), s.buyCost) << what << ", sell " << p.Text(t);
      }
    }
  }
}

}  // namespace
}  // namespace hc
