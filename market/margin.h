// A margin-financing account (融资融券): the interest accrued on the loan at
// the brokers' 360-day convention, the maintenance ratio (维持担保比例 =
// collateral / debt), and the prices at which the ratio falls below the
// broker's warning and liquidation lines, to the tick.
//
// Exact throughout: the percentages are taken with every decimal typed, the
// money in cents, and the line prices are found by comparing whole numbers
// (of any length), never through a rounded quotient, so that a price exactly
// on a line is judged exactly.
#pragma once

#include <optional>

#include "market/tick.h"
#include "numeric/decimal.h"

namespace hc {

// The account as typed.
struct MarginTerms {
  Decimal shares;           // N: shares held in the credit account, whole, at least 1
  Decimal price;            // P: the current price, on the market's tick, above 0
  Decimal loan;             // L: the financing debt in yuan, at least 0.01 to the cent
  Decimal otherCollateral;  // A: cash and other collateral in yuan, 0 or more
  Decimal annualRate;       // the loan's yearly rate in percent, 0 or more
  Decimal days;             // interest days, whole, 0 or more
  Decimal warningLine;      // 预警线 in percent, above 0
  Decimal liquidationLine;  // 平仓线 in percent, above 0
};

// The price at which the account crosses one line, and the move to it from
// the current price.
struct LineCrossing {
  std::optional<Decimal> price;  // on the tick; empty when the other collateral alone holds the line
  Decimal change;                // (price − P) / P × 100, two decimals; 0 without a price
};

struct MarginAccount {
  Decimal interest;               // to the cent
  Decimal debt;                   // loan and interest, to the cent
  Decimal collateral;             // N × P + A, to the cent
  Decimal ratio;                  // collateral / debt × 100, two decimals
  bool belowLiquidation = false;  // the account is below the 平仓线 at P
  LineCrossing warning;
  LineCrossing liquidation;
};

// Money as the account books it: a yuan amount half up to the cent.
inline Decimal ToCents(const Decimal& yuan) { return yuan.Round(2); }

// loan × rate / 100 × days / 360, the loan taken to the cent, half up to the
// cent: the interest of `days` natural days (the first counted, the
// repayment day not) at a yearly rate of `annualRate` percent.
Decimal MarginInterest(const Decimal& loan, const Decimal& annualRate, const Decimal& days);

// The highest price on the market's tick strictly below
// P* = (line / 100 × debt − other) / shares: the first price at which the
// maintenance ratio of `shares` shares and `other` yuan of other collateral
// against `debt` yuan is below `line` percent. Empty when that price would be
// below one tick. `debt` and `other` are taken to the cent.
std::optional<Decimal> LinePrice(const Decimal& line, const Decimal& debt, const Decimal& other, const Decimal& shares,
                                 Market market);

// Everything the margin screen shows. A loan of less than half a cent, a
// share count below 1 or a price not above 0 is CalcError(InvalidArgument).
MarginAccount CalculateMargin(const MarginTerms& terms, Market market);

}  // namespace hc
