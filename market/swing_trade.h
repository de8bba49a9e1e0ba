// The intraday swing on a holding (做T): A-shares settle T+1, so a holder
// trades the day's swing by selling part of the holding and buying the same
// number of shares back the same day (倒T, sell first), or by buying first and
// selling as many old shares (正T, buy first). Both legs pay their fees; what
// the swing earns lowers the cost price of the whole holding. Also the price
// that still completes the swing without a loss: for 倒T the highest buy-back
// price, for 正T the lowest sell price, each on the tick.
//
// Exact to the cent: every order settles in cents and pays the fees of the
// fee unit.
#pragma once

#include <optional>

#include "market/fees.h"
#include "numeric/decimal.h"

namespace hc {

enum class SwingOrder {
  SellFirst,  // 倒T: sell now, buy back lower
  BuyFirst,   // 正T: buy now, sell old shares higher
};

struct SwingTrade {
  Decimal sellAmount;
  OrderFees sellFees;
  Decimal sellProceeds;  // amount less fees
  Decimal buyAmount;
  OrderFees buyFees;
  Decimal buyCost;        // amount plus fees
  Decimal profit;         // proceeds less cost, in cents
  Decimal costAfter;      // the holding's cost price after the swing, three decimals
  Decimal costCut;        // profit per share held, three decimals
  Decimal returnPercent;  // profit / buy cost × 100, two decimals
  // 倒T: the highest buy-back price; 正T: the lowest sell price. Empty when
  // even a buy back at one tick costs more than the sell brought in.
  std::optional<Decimal> lossFreePrice;
};

// `held` shares at `costPrice` (any sign: a cost diluted by gains goes
// negative), a swing of `shares` (1 … held) sold at `sellPrice` and bought at
// `buyPrice`, both on the tick.
SwingTrade CalculateSwing(const Decimal& held, const Decimal& costPrice, const Decimal& shares,
                          const Decimal& sellPrice, const Decimal& buyPrice, SwingOrder order, Market market,
                          const FeeRates& rates);

// The highest price on the tick, at least one tick, at which buying `shares`
// costs (amount and fees) no more than `budget`; empty when one tick already
// costs more. What a buy costs never falls as its price rises, so the price
// is bisected exactly.
std::optional<Decimal> HighestBuyPrice(const Decimal& budget, const Decimal& shares, Market market,
                                       const FeeRates& rates);

}  // namespace hc
