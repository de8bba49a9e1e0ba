// The annual rate of return of dated cash flows (what spreadsheets call
// XIRR): the rate r at which the flows' present values cancel,
//   Σ F_i × (1 + r)^(−d_i / 365) = 0,
// d_i the days of flow i after the first. Money in and out is exact; the
// rate is the one figure that cannot be, and is found as a double by a
// bracketed search to within kRateTolerance of the true root.
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
// Flows of the same day are added up first. With one change of sign along
// the days there is exactly one root, bracketed between 0 and an end of the
// range; with more, a scan from 0 outwards on either side brackets the
// nearest change of sign (two roots closer together than the scan's step,
// 0.2 % near 0 and wider far out, are taken as none). Inside a bracket,
// Newton steps where they stay inside it, bisection otherwise.
std::optional<double> AnnualRate(std::span<const DatedFlow> flows);

}  // namespace hc
