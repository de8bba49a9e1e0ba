#include "market/position_size.h"

#include <algorithm>

namespace hc {

namespace {

using Int = Decimal::Int;

// The quantities a board accepts, numbered: the k-th is k × step, k from
// `first` on.
struct Quantities {
  std::int64_t step;
  std::int64_t first;
};

Quantities QuantitiesOf(Board board) {
  switch (board) {
    case Board::MainBoard: return {100, 1};
    case Board::Star: return {1, 200};
    case Board::Beijing: return {1, 100};
  }
  return {100, 1};
}

// The largest accepted quantity up to `most` shares that passes `fits`, a
// test that once failed fails for every larger quantity; empty when the
// least one fails.
template <class Fits>
std::optional<std::int64_t> LargestFitting(Quantities q, Int most, Fits fits) {
  const Int last = most / q.step;
  if (last < q.first || !fits(q.first * q.step)) return std::nullopt;
  Int good = q.first;
  Int bad = last + 1;
  while (bad - good > 1) {
    const Int mid = good + (bad - good) / 2;
    (fits(static_cast<std::int64_t>(mid * q.step)) ? good : bad) = mid;
  }
  return static_cast<std::int64_t>(good * q.step);
}

// The value rounded down to the cent.
Decimal FloorCents(const Decimal& d) { return -((-d).Ceil(2)); }

}  // namespace

std::int64_t LeastQuantity(Board board) {
  const Quantities q = QuantitiesOf(board);
  return q.first * q.step;
}

Decimal StopLoss(const Decimal& entry, const Decimal& stop, const Decimal& shares, const FeeRates& rates) {
  return BuyCost(entry, shares, Market::Stock, rates) - SellProceeds(stop, shares, Market::Stock, rates);
}

std::optional<PositionSize> CalculatePositionSize(const Decimal& account, const Decimal& riskPercent,
                                                  const Decimal& entry, const Decimal& stop, const Decimal& cash,
                                                  Board board, const FeeRates& rates) {
  if (account.sign() <= 0 || riskPercent.sign() <= 0 || !(stop.sign() > 0 && stop < entry) || cash.sign() <= 0) {
    return std::nullopt;
  }
  PositionSize p;
  p.riskBudget = Decimal::ProductRounded(account, riskPercent, 2, 2);
  const Decimal gap = entry - stop;
  p.riskShares = Decimal::Divide(p.riskBudget, gap, 2);
  const Decimal cashCents = FloorCents(cash);
  const Quantities q = QuantitiesOf(board);

  // Each share loses at least the gap and costs at least the entry, so no
  // quantity beyond these fits.
  const Int riskMost = p.riskBudget.UnitsAt(2) / gap.UnitsAt(2);
  const Int cashMost = cashCents.UnitsAt(2) / entry.UnitsAt(2);
  auto shares = [](std::int64_t n) { return Decimal::Whole(n); };
  const std::optional<std::int64_t> byRisk = LargestFitting(
      q, riskMost, [&](std::int64_t n) { return StopLoss(entry, stop, shares(n), rates) <= p.riskBudget; });
  const std::optional<std::int64_t> byCash = LargestFitting(
      q, cashMost, [&](std::int64_t n) { return BuyCost(entry, shares(n), Market::Stock, rates) <= cashCents; });
  if (!byRisk || !byCash) return std::nullopt;

  p.limit = *byRisk <= *byCash ? Limit::Risk : Limit::Cash;
  p.shares = shares(std::min(*byRisk, *byCash));
  p.buyAmount = OrderAmount(entry, p.shares);
  p.buyFees = FeesOf(p.buyAmount, Side::Buy, Market::Stock, rates).Total();
  p.buyCost = p.buyAmount + p.buyFees;
  p.stopLoss = StopLoss(entry, stop, p.shares, rates);
  const Decimal hundred = Decimal::Whole(100);
  p.stopLossPercent = Decimal::MulAddDivide(p.stopLoss, hundred, Decimal(), account, 2);
  p.positionPercent = Decimal::MulAddDivide(p.buyAmount, hundred, Decimal(), account, 2);
  return p;
}

}  // namespace hc
