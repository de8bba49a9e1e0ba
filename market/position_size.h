// Position size by risk (仓位计算): how many shares to buy at an entry price
// so that selling them all at the stop price loses at most the risk budget
// (a share of the account), both legs' fees included, and so that the buy
// with its fees fits the cash at hand. Rounded down to what the board
// accepts: whole lots of 100 on the main board and ChiNext, at least 200 and
// then single shares on STAR, at least 100 and then single shares on the
// Beijing exchange.
//
// Exact to the cent: both prices are on the 0.01 tick, every order settles
// in cents and pays the fees of the fee unit.
#pragma once

#include <cstdint>
#include <optional>

#include "market/fees.h"
#include "numeric/decimal.h"

namespace hc {

enum class Board {
  MainBoard,  // and ChiNext: multiples of 100
  Star,       // 200 or more, in steps of 1
  Beijing,    // 100 or more, in steps of 1
};

// The least quantity a buy order on the board may have.
std::int64_t LeastQuantity(Board board);

// Which bound decided the quantity: the cash where it allows less than the
// risk, else the risk (also where both allow the same).
enum class Limit { Risk, Cash };

struct PositionSize {
  Decimal riskBudget;  // account × risk %, in cents
  Decimal riskShares;  // budget / (entry − stop), two decimals, without fees or lots
  Decimal shares;      // what the board accepts
  Decimal buyAmount;   // shares × entry, in cents
  Decimal buyFees;
  Decimal buyCost;          // amount and fees
  Decimal stopLoss;         // buy cost less what selling at the stop brings in
  Decimal stopLossPercent;  // of the account, two decimals
  Decimal positionPercent;  // buy amount of the account, two decimals
  Limit limit = Limit::Risk;
};

// The largest quantity allowed on the board whose loss at the stop, with
// the fees of the buy and of the sell at the stop, is at most the budget and
// whose buy cost is at most the cash; empty when not even the board's least
// quantity fits. Needs account > 0, 0 < risk percent ≤ 100, 0 < stop < entry
// on the 0.01 tick, 0 < cash ≤ account; account up to 10^12 yuan. Both
// bounds are monotone in the quantity (every fee grows with the amount, and
// the loss by at least entry − stop a share), so each is bisected.
std::optional<PositionSize> CalculatePositionSize(const Decimal& account, const Decimal& riskPercent,
                                                  const Decimal& entry, const Decimal& stop, const Decimal& cash,
                                                  Board board, const FeeRates& rates);

// What the quantity loses if bought at the entry and sold at the stop, both
// legs' fees included.
Decimal StopLoss(const Decimal& entry, const Decimal& stop, const Decimal& shares, const FeeRates& rates);

}  // namespace hc
