// The annual rate of return of dated cash flows (what spreadsheets call
// XIRR): the rate r at which the flows' present values cancel,
//   Σ F_i × (1 + r)^(−d_i / 365) = 0,
// d_i the days of flow i after the first. Money in and out is exact; the
// rate is the one figure that cannot be, and is found as a double, each
// root isolated in a bracket of its own and solved to within
// kRateTolerance of the true root.
#pragma once

#include <optional>
#include <span>

#include "numeric/decimal.h"

namespace hc {

// One flow as the investor sees it: money received positive (a sale, the
// current value), money paid negative (a buy, a deposit).
struct DatedFlow {
  int day = 0;  // days after the first flow, 0 or more
  Decimal amount;
};

// The rates searched: above −99.99 % (excluded), up to 1000000 % (included).
inline constexpr double kLowestRate = -0.9999;
inline constexpr double kHighestRate = 10000;
// How close the rate found lies to the true root.
inline constexpr double kRateTolerance = 1e-10;

// The rate of the flows (0.0878 for 8.78 %) within the range above; where
// several fit, the one nearest 0. Empty when no rate in the range fits, when
// the flows are all of one sign (or none is left after adding up those of
// the same day), or when they all fall on one day.
//
// Flows of the same day are added up first. The rates are those at which
// the value changes sign: a value that only touches 0 (a double root) has
// no rate there. In x = ln(1 + r) the value is a sum of exponentials; where
// the flows added up along the days, forward for the rates above 0 and
// backward for those below, change sign at most once, each side holds at
// most one root and its ends tell. Otherwise every root in the range is
// isolated, however close to another, by the rule of signs and Rolle's
// theorem (a derivative whose roots split the line into stretches of one
// root each, and so on down), and each is solved by false position.
std::optional<double> AnnualRate(std::span<const DatedFlow> flows);

}  // namespace hc
