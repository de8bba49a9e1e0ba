// The trading costs of an A-share order as brokers charge them, exact to the
// cent: commission (a rate of the amount, but at least the minimum
// commission), the transfer fee on both sides and the stamp duty on sells
// only; exchange-traded funds (ETF, LOF) pay neither of the last two. Also
// the cleaning and checks of the fee inputs, and the break-even price: the
// lowest price on the tick at which selling covers what buying cost.
//
// Used by the trading-costs screen and the grid's order ladder. No binary
// floating point anywhere: every amount is a Decimal.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "numeric/decimal.h"

namespace hc {

// Stocks trade on a tick of 0.01 yuan, exchange-traded funds on 0.001.
enum class Market { Stock, Fund };

int TickDecimals(Market market);
Decimal OneTick(Market market);

// The rate fields as the trading-costs screen loads them: commission 2.5
// and stamp duty 5 per ten thousand, transfer fee 0.1 per ten thousand,
// minimum commission 5 yuan. The order ladder uses them too while that
// screen was never opened.
struct RateTexts {
  std::string_view commission;
  std::string_view minimum;
  std::string_view stampDuty;
  std::string_view transferFee;
};
inline constexpr RateTexts kRateLoadTexts{"2.5", "5", "5", "0.1"};

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

// The fees of an order of `amount` yuan (price × shares, exact).
OrderFees FeesOf(const Decimal& amount, Side side, Market market, const FeeRates& rates);

// What buying costs with its fees, and what selling brings in after its
// fees, exactly (not rounded to the cent).
Decimal BuyCost(const Decimal& price, const Decimal& shares, Market market, const FeeRates& rates);
Decimal SellProceeds(const Decimal& price, const Decimal& shares, Market market, const FeeRates& rates);

// The lowest price on the tick, at least one tick, at which selling
// `shares` brings in at least `cost`. The proceeds need not grow with every
// tick (a fee can round up by a cent as the amount grows by less), so the
// lowest such price is searched for, not solved for.
Decimal BreakEvenPrice(const Decimal& cost, const Decimal& shares, Market market, const FeeRates& rates);

// One round trip, buy then sell of the same shares, as the trading-costs
// screen shows it. Amounts and totals are exact; the screen rounds them.
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

// ---------------------------------------------------------------- the inputs

// The cleaning of a fee input: the decimal marks, then "元", "股", "%" and
// "万" removed, then blanks trimmed at both ends.
void CleanFeeText(std::string& field);

// What a field holds and so which checks it takes.
enum class FieldRule { Price, Shares, Rate, Minimum };

// A cleaned field read and checked: the value (a price rounded to the tick)
// or the message of the first check it fails.
struct FieldRead {
  std::optional<Decimal> value;
  std::string message;
};

// `name` is the field's name in the messages, without its unit ("买入价").
// The checks, in order: empty; not a plain decimal number; prices and shares
// above 0 (a price below half a tick rounds to 0 and is not); shares whole
// and at most 1000000000; prices at most 100000; rates and the minimum not
// negative; rates below 100.
FieldRead ReadFeeField(std::string_view cleaned, std::string_view name, FieldRule rule, Market market);

// The four rate fields of the trading-costs screen, as texts (cleaned here
// on copies, the texts themselves are left alone), read and checked in
// their order. For a fund the stamp duty and transfer fee fields are not
// used and not checked.
struct RatesRead {
  std::optional<FeeRates> rates;
  std::string message;
};
RatesRead ReadRates(std::string commission, std::string minimum, std::string stampDuty, std::string transferFee,
                    Market market);

// Names of the rate fields in the messages.
inline constexpr std::string_view kCommissionName = "佣金率";
inline constexpr std::string_view kMinimumName = "最低佣金";
inline constexpr std::string_view kStampDutyName = "印花税率";
inline constexpr std::string_view kTransferFeeName = "过户费率";

}  // namespace hc
