#include "market/swing_trade.h"

#include "numeric/numeric.h"

namespace hc {

namespace {

using Int = Decimal::Int;

// A guard of the doubling: no budget an order of accepted inputs brings in
// buys anything near this many ticks.
constexpr Int kTickCeiling = static_cast<Int>(1) << 100;

}  // namespace

std::optional<Decimal> HighestBuyPrice(const Decimal& budget, const Decimal& shares, Market market,
                                       const FeeRates& rates) {
  const int t = TickDecimals(market);
  auto affordable = [&](Int ticks) { return BuyCost(Decimal(ticks, t), shares, market, rates) <= budget; };
  if (!affordable(1)) return std::nullopt;
  Int low = 1;   // affordable
  Int high = 2;  // until not affordable: the cost grows with the price without end
  while (affordable(high)) {
    low = high;
    if (high > kTickCeiling) throw CalcError(ErrorKind::Overflow);
    high *= 2;
  }
  while (high - low > 1) {
    const Int mid = low + (high - low) / 2;
    (affordable(mid) ? low : high) = mid;
  }
  return Decimal(low, t);
}

SwingTrade CalculateSwing(const Decimal& held, const Decimal& costPrice, const Decimal& shares,
                          const Decimal& sellPrice, const Decimal& buyPrice, SwingOrder order, Market market,
                          const FeeRates& rates) {
  SwingTrade s;
  s.sellAmount = OrderAmount(sellPrice, shares);
  s.sellFees = FeesOf(s.sellAmount, Side::Sell, market, rates);
  s.sellProceeds = s.sellAmount - s.sellFees.Total();
  s.buyAmount = OrderAmount(buyPrice, shares);
  s.buyFees = FeesOf(s.buyAmount, Side::Buy, market, rates);
  s.buyCost = s.buyAmount + s.buyFees.Total();
  s.profit = s.sellProceeds - s.buyCost;
  // The holding's cost less the profit, spread over the same shares: exact
  // even where shares × cost price outgrows 128 bits.
  s.costAfter = Decimal::MulAddDivide(held, costPrice, -s.profit, held, 3);
  s.costCut = Decimal::Divide(s.profit, held, 3);
  s.returnPercent = Decimal::Divide(s.profit * Decimal::Whole(100), s.buyCost, 2);
  if (order == SwingOrder::SellFirst) {
    s.lossFreePrice = HighestBuyPrice(s.sellProceeds, shares, market, rates);
  } else {
    s.lossFreePrice = BreakEvenPrice(s.buyCost, shares, market, rates);
  }
  return s;
}

}  // namespace hc
