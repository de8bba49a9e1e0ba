// The present value of dated cash flows at an annual discount rate on
// actual days / 365,
//   PV = Σ F_i × (1 + r)^(−d_i / 365),
// d_i the days of flow i after the valuation day: what a bond's remaining
// coupons and redemption are worth today at the yield of comparable bonds.
// The powers are not exact decimals; each discount factor is computed in
// exact decimal arithmetic with 30 decimals and lies within 10^-27 of the
// true one, so that a bond's value in yuan is right to well over 20
// significant digits and its cents are the true figure's. No binary
// fraction is used.
#pragma once

#include <span>

#include "market/xirr.h"
#include "numeric/decimal.h"

namespace hc {

// The discount rates the present value takes: from 0 to 100 % a year, a
// fraction (0.03 for 3 %).
inline constexpr int kHighestDiscountPercent = 100;

// The flows' present value at `rate` (0 ≤ rate ≤ 1, else
// CalcError(InvalidArgument)), with 30 decimals. The flows' days are 0 or
// more, in any order.
Decimal PresentValue(std::span<const DatedFlow> flows, const Decimal& rate);

// (1 + rate)^(−days / 365) with 30 decimals, for the same rates and days ≥ 0.
Decimal DiscountFactor(const Decimal& rate, int days);

}  // namespace hc
