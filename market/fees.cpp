#include "market/fees.h"

#include "numeric/numeric.h"

namespace hc {

namespace {

using Int = Decimal::Int;
using U128 = unsigned __int128;

constexpr Int kIntMax = ~(static_cast<U128>(1) << 127);

}  // namespace

Decimal OrderAmount(const Decimal& price, const Decimal& shares) { return Decimal::ProductRounded(price, shares, 2); }

Decimal FeeAt(const Decimal& amount, const Decimal& ratePerTenThousand) {
  return Decimal::ProductRounded(amount, ratePerTenThousand, 2, 4);
}

OrderFees FeesOf(const Decimal& amount, Side side, Market market, const FeeRates& rates) {
  OrderFees f;
  f.commission = FeeAt(amount, rates.commission);
  const Decimal minimum = rates.minimum.Round(2);
  if (f.commission < minimum) f.commission = minimum;
  f.stampDuty = Decimal(0, 2);
  f.transferFee = Decimal(0, 2);
  if (market == Market::Stock) {
    f.transferFee = FeeAt(amount, rates.transferFee);
    if (side == Side::Sell) f.stampDuty = FeeAt(amount, rates.stampDuty);
  }
  return f;
}

Decimal BuyCost(const Decimal& price, const Decimal& shares, Market market, const FeeRates& rates) {
  const Decimal amount = OrderAmount(price, shares);
  return amount + FeesOf(amount, Side::Buy, market, rates).Total();
}

Decimal SellProceeds(const Decimal& price, const Decimal& shares, Market market, const FeeRates& rates) {
  const Decimal amount = OrderAmount(price, shares);
  return amount - FeesOf(amount, Side::Sell, market, rates).Total();
}

// The proceeds N(k) at k ticks lie within 0.021 yuan of V(k) = A −
// max(A × commission, minimum) − A × (stamp duty + transfer fee), A the
// exact amount at k ticks: the amount settles within half a cent of A, and
// each of the three fees is within half a cent (and a rate below 1 % of
// that half cent) of its value on A. V grows by at least 0.97 of the
// amount's growth, since every rate is below 1 %. Searching for the first k
// with N(k) ≥ cost − 0.05 by bisection gives a k whose predecessor has N <
// cost − 0.05, so V < cost − 0.029 there and at every lower k, and no lower k
// breaks even; from k on, N reaches the cost within about 0.1 yuan of further
// growth of V, a bounded number of ticks.
Decimal BreakEvenPrice(const Decimal& cost, const Decimal& shares, Market market, const FeeRates& rates) {
  const int t = TickDecimals(market);
  auto proceeds = [&](Int ticks) { return SellProceeds(Decimal(ticks, t), shares, market, rates); };
  const Decimal near = cost - Decimal(5, 2);
  auto nearCost = [&](Int ticks) { return proceeds(ticks) >= near; };
  Int start = 1;
  if (!nearCost(1)) {
    Int below = 1;  // nearCost(below) is false
    Int above = 2;  // until nearCost(above) is true
    while (!nearCost(above)) {
      below = above;
      if (above > kIntMax / 2) throw CalcError(ErrorKind::Overflow);
      above *= 2;
    }
    while (above - below > 1) {
      const Int mid = below + (above - below) / 2;
      (nearCost(mid) ? above : below) = mid;
    }
    start = above;
  }
  Int k = start;
  while (proceeds(k) < cost) ++k;
  return Decimal(k, t);
}

RoundTrip CalculateRoundTrip(const Decimal& buyPrice, const Decimal& shares, const Decimal& sellPrice,
                             Market market, const FeeRates& rates) {
  RoundTrip r;
  r.buyAmount = OrderAmount(buyPrice, shares);
  r.buyFees = FeesOf(r.buyAmount, Side::Buy, market, rates);
  r.buyCost = r.buyAmount + r.buyFees.Total();
  r.sellAmount = OrderAmount(sellPrice, shares);
  r.sellFees = FeesOf(r.sellAmount, Side::Sell, market, rates);
  r.sellProceeds = r.sellAmount - r.sellFees.Total();
  r.fees = r.buyFees.Total() + r.sellFees.Total();
  r.net = r.sellProceeds - r.buyCost;
  r.returnPercent = Decimal::Divide(r.net * Decimal::Whole(100), r.buyCost, 2);
  r.costPrice = Decimal::Divide(r.buyCost, shares, 3);
  r.breakEven = BreakEvenPrice(r.buyCost, shares, market, rates);
  return r;
}

}  // namespace hc
