// The fee rates of an account as the user types them: the four rate fields
// of the trading-costs screen, their checks and messages, and the texts
// they load with. The tools, the saved default rates and the trading-costs
// screen all read rates through these, so one rate is refused alike
// everywhere.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "market/fees.h"
#include "numeric/fields.h"

namespace hc {

// The rate fields as the program loads them without saved rates:
// commission 2.5 and stamp duty 5 per ten thousand, transfer fee 0.1 per
// ten thousand, minimum commission 5 yuan.
struct RateTexts {
  std::string_view commission;
  std::string_view minimum;
  std::string_view stampDuty;
  std::string_view transferFee;
};
inline constexpr RateTexts kRateLoadTexts{"2.5", "5", "5", "0.1"};
// The rates line of those texts for stocks.
inline constexpr std::string_view kLoadRatesLine =
    "费率：佣金万分之2.5（最低5元），印花税万分之5（卖出），过户费万分之0.1";

// Names of the rate fields in the messages.
inline constexpr std::string_view kCommissionName = "佣金率";
inline constexpr std::string_view kMinimumName = "最低佣金";
inline constexpr std::string_view kStampDutyName = "印花税率";
inline constexpr std::string_view kTransferFeeName = "过户费率";

// The checks of the rate fields, on texts cleaned for their kinds: each
// rate 0 or more and below 100 (per ten thousand), the minimum commission
// from 0 to 100000 yuan.
FieldRead ReadRateField(std::string_view cleaned, std::string_view name);
FieldRead ReadMinimumField(std::string_view cleaned);

// The four rate texts read in their order, cleaned on copies. For a fund
// the stamp duty and transfer fee are not charged, not read and not checked.
struct RatesRead {
  std::optional<FeeRates> rates;
  std::string message;  // the first failed check's
};
RatesRead ReadRates(std::string commission, std::string minimum, std::string stampDuty, std::string transferFee,
                    Market market);

// The one line that shows the rates used: "费率：佣金万分之2.5（最低5元），…".
std::string RatesLine(const FeeRates& rates, Market market);

}  // namespace hc
