// The trading costs of an A-share order as brokers charge them, exact to the
// cent: commission (a rate of the amount, but at least the minimum
// commission), the transfer fee on both sides and the stamp duty on sells
// only; exchange-traded funds (ETF, LOF) pay neither of the last two. An
// order settles in cents: its amount (price × shares) is rounded half up to
// the cent first and the fees are taken on that amount. Also the break-even
// price: the lowest price on the tick at which selling covers what buying
// cost.
//
// Used by every tool that charges fees. No binary floating point anywhere:
// every amount is a Decimal.
#pragma once

#include "market/tick.h"
#include "numeric/decimal.h"

namespace hc {

// The rates of one account. Rates are per ten thousand (万分之) of the
// amount, each below 100 (1 %); the minimum commission is in yuan.
struct FeeRates {
  Decimal commission;
  Decimal minimum;
  Decimal stampDuty;
  Decimal transferFee;
};

enum class Side { Buy, Sell };

// The fees of one order, each to the cent.
struct OrderFees {
  Decimal commission;
  Decimal stampDuty;
  Decimal transferFee;
  Decimal Total() const { return commission + stampDuty + transferFee; }
};

// amount × rate / 10000 rounded half up to the cent, exact for any digits.
Decimal FeeAt(const Decimal& amount, const Decimal& ratePerTenThousand);

// What an order of `shares` at `price` settles for: price × shares rounded
// half up to the cent, exact for any digits.
Decimal OrderAmount(const Decimal& price, const Decimal& shares);

// Whether an order of `shares` at `price` settles at 0.00 yuan (a fund
// share at 0.004): no money changes hands, so it is no trade to charge or
// to take a cost price or a return from.
inline bool SettlesAtNothing(const Decimal& price, const Decimal& shares) {
  return OrderAmount(price, shares).sign() == 0;
}

// The fees of an order of `amount` yuan (an order's amount, in cents).
OrderFees FeesOf(const Decimal& amount, Side side, Market market, const FeeRates& rates);

// What buying costs with its fees, and what selling brings in after its
// fees, in cents.
Decimal BuyCost(const Decimal& price, const Decimal& shares, Market market, const FeeRates& rates);
Decimal SellProceeds(const Decimal& price, const Decimal& shares, Market market, const FeeRates& rates);

// The lowest price on the tick, at least one tick, at which selling
// `shares` brings in at least `cost`. The proceeds need not grow with every
// tick (a fee can round up by a cent as the amount grows by less), so the
// lowest such price is searched for, not solved for.
Decimal BreakEvenPrice(const Decimal& cost, const Decimal& shares, Market market, const FeeRates& rates);

// One round trip, buy then sell of the same shares, as the trading-costs
// screen shows it. Amounts and totals are in cents.
struct RoundTrip {
  Decimal buyAmount;
  OrderFees buyFees;
  Decimal buyCost;  // buy amount plus its fees
  Decimal sellAmount;
  OrderFees sellFees;
  Decimal sellProceeds;  // sell amount less its fees
  Decimal fees;          // all five fees
  Decimal net;           // proceeds less cost
  Decimal returnPercent;  // net / cost × 100, to two decimals
  Decimal costPrice;      // cost / shares, to three decimals
  Decimal breakEven;      // on the tick
};

RoundTrip CalculateRoundTrip(const Decimal& buyPrice, const Decimal& shares, const Decimal& sellPrice,
                             Market market, const FeeRates& rates);

}  // namespace hc
