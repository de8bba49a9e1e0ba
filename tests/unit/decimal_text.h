// A Decimal from its text, for the tables of the rule tests: a text that is
// no decimal number is a mistake in the table and stops the test.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "numeric/decimal.h"

namespace hc {

inline Decimal D(std::string_view text) {
  std::optional<Decimal> d = Decimal::Parse(text);
  if (!d) throw std::invalid_argument(std::string(text));
  return *d;
}

}  // namespace hc
