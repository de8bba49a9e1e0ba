#include "screens/plan/plan_calc.h"

#include <limits>

namespace hc {

std::int32_t LotShares(Num money, Num price) {
  std::int32_t shares = RoundToInt32((money / price).v());
  return shares / kLot * kLot;  // integer division drops the odd shares toward zero
}

Num MovePercent(Num base, Num x) { return (base - (base - (x - base))) / base * 100; }

std::int32_t AddShares(std::int32_t a, std::int32_t b) {
  std::int64_t sum = std::int64_t{a} + b;
  if (sum < std::numeric_limits<std::int32_t>::min() || sum > std::numeric_limits<std::int32_t>::max()) {
    throw CalcError(ErrorKind::Overflow);
  }
  return static_cast<std::int32_t>(sum);
}

}  // namespace hc
