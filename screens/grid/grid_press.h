// What the grid-trading screen last computed, for the screens that build on
// it (the order ladder).
#pragma once

#include <optional>

#include "market/grid.h"

namespace hc {

// Implemented by the grid-trading screen.
class GridSource {
 public:
  virtual ~GridSource() = default;
  // The last grid computed to its end; empty before the first.
  virtual const std::optional<GridPress>& LastGrid() const = 0;
};

}  // namespace hc
