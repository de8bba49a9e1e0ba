// What the grid-trading screen last computed, for the screens that build on
// it (the order ladder): the grid's kind and its inputs as they stood after
// the press, cleaned, the up count capped and the counts made whole.
#pragma once

#include <optional>
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

// Implemented by the grid-trading screen.
class GridSource {
 public:
  virtual ~GridSource() = default;
  // The last grid computed to its end; empty before the first.
  virtual const std::optional<GridPress>& LastGrid() const = 0;
};

}  // namespace hc
