// A grid as the grid-trading screen computed it: its kind and its inputs as
// they stood after the press, cleaned, the up count capped and the counts
// made whole. The order ladder is built from it.
#pragma once

#include <string>

namespace hc {

enum class GridKind { Regular, Increasing, Doubling };

struct GridPress {
  GridKind kind = GridKind::Regular;
  std::string basePrice;     // P, with two decimals
  std::string baseShares;    // S
  std::string stepShares;    // s, the shares of the first step
  std::string upSteps;       // m
  std::string downSteps;     // n
  std::string stepPercent;   // r in percent
};

}  // namespace hc
