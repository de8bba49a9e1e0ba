// Share counts and price moves of the position-building plan: purchases in
// whole lots of 100 shares, and the percentage move from a price to another.
#pragma once

#include <cstdint>

#include "numeric/checked.h"

namespace hc {

// Shares in one board lot.
inline constexpr std::int32_t kLot = 100;

// The shares, in whole lots, that the money buys at the price: the raw count
// rounded to a whole number (halves to even), then cut to whole lots toward
// zero. Rounding comes first, so a raw count of x99.5 or more buys the next
// lot. A count outside the 32-bit range is an overflow.
std::int32_t LotShares(Num money, Num price);

// The percentage change from the base to x, evaluated as the plan always
// has: (base − (base − (x − base))) / base × 100.
Num MovePercent(Num base, Num x);

// The sum of two share counts; a total outside the 32-bit range is an
// overflow.
std::int32_t AddShares(std::int32_t a, std::int32_t b);

}  // namespace hc
