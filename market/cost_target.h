// Adding to a losing position until its cost price comes down to a target
// (补仓到目标成本): the least number of whole lots of 100 shares that, bought
// at today's price with the buy's fees, bring the average cost of the
// holding to the target or below, compared exactly; and what that buy costs.
// The fee-free answer N × (C − T) / (T − P) is shown beside it as the
// theoretical number of shares, a fraction that ignores lots and fees.
#pragma once

#include <optional>

#include "market/fees.h"
#include "numeric/decimal.h"

namespace hc {

// The most shares one buy may add.
inline constexpr std::int64_t kMostAddedShares = 1000000000;

struct CostTarget {
  Decimal theoreticalShares;  // without fees, two decimals
  Decimal shares;             // whole lots
  Decimal amount;             // shares × price, in cents
  OrderFees fees;             // of that one buy
  Decimal funds;              // amount and fees
  Decimal heldAfter;
  Decimal costAfter;  // three decimals
};

// The least whole number of lots, from one lot up to kMostAddedShares
// shares, whose buy at `price` with its fees brings `held` shares at `cost`
// to an average cost of at most `target`; empty when none does (the price
// with its fees is not below the target). Needs price < target < cost, all
// up to 100000, and held from 1 to 10^9 shares.
std::optional<Decimal> SharesToReachCost(const Decimal& held, const Decimal& cost, const Decimal& price,
                                         const Decimal& target, Market market, const FeeRates& rates);

// That buy and the holding after it; empty when the target is out of reach.
std::optional<CostTarget> CalculateCostTarget(const Decimal& held, const Decimal& cost, const Decimal& price,
                                              const Decimal& target, Market market, const FeeRates& rates);

}  // namespace hc
