// The daily price limits of the A-share boards in exact integers: a price is
// a whole count of ticks (the smallest price step, 0.01 yuan for shares and
// 0.001 yuan for funds), a daily limit a whole count of basis points (10 % is
// 1000). No binary fraction enters any price or percentage.
#pragma once

#include <string>
#include <vector>

#include "numeric/decimal.h"

namespace hc {

// A price in ticks, or a difference of two prices.
using Ticks = Decimal::Int;

// Decimals of the tick: shares quote in cents, funds in tenths of a cent.
inline constexpr int kStockTickDecimals = 2;
inline constexpr int kFundTickDecimals = 3;

// The daily limits of the boards, in basis points.
inline constexpr int kMainBoardLimit = 1000;    // 主板
inline constexpr int kGrowthBoardLimit = 2000;  // 创业板、科创板
inline constexpr int kBeijingLimit = 3000;      // 北交所
inline constexpr int kNarrowLimit = 500;        // the 5 % choice (main-board ST stocks move 10 % since 2025-06-27)
// A whole, in basis points: a limit lies strictly between 0 and this.
inline constexpr int kWholeBasisPoints = 10000;

// The limit prices of one day.
struct DayLimits {
  Ticks up = 0;
  Ticks down = 0;
  friend bool operator==(const DayLimits&, const DayLimits&) = default;
};

// The limit prices of the day after a close of `close` ticks (> 0) under a
// daily limit of `limit` basis points (0 < limit < 10000): close × (1 ± limit)
// rounded half up to the tick. Where that rounds back to the close itself the
// limit lies one tick away from it, as the exchanges set it, so that a price
// can always move; a limit-down price never goes below one tick.
// A close or limit out of range is CalcError(InvalidArgument); a price
// beyond the 128-bit range is CalcError(Overflow).
DayLimits LimitsAfter(Ticks close, int limit);

// The ladder of `days` consecutive limit days (days ≥ 0): day 1 from the
// close, every later day from the previous day's limit price, the up and the
// down chain each on its own. Element i is day i + 1.
std::vector<DayLimits> LimitLadder(Ticks close, int limit, int days);

// The change from `from` (> 0) to `to` in basis points (hundredths of a
// percent), rounded half away from zero: 1015 → 1117 ticks is 1005, 10.05 %.
Ticks ChangeInBasisPoints(Ticks from, Ticks to);

// A price or difference in ticks as yuan with the tick's decimals: '11.17',
// '-1.01', '1.357'.
std::string TicksText(Ticks ticks, int tickDecimals);

// The change from `from` to `to` in percent with two decimals and "%":
// '10.05%', '-9.95%', '0.00%'.
std::string ChangeText(Ticks from, Ticks to);

}  // namespace hc
