// An amount of money typed on a tool screen, as the account books it: in
// cents, so that less than half a cent is no money.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "numeric/fields.h"

namespace hc {

// The largest amount of money a tool takes, in yuan.
inline constexpr std::int64_t kMostMoney = 1000000000000;

// Above 0 (at least half a cent) and at most kMostMoney: "{名}必须大于0！",
// "{名}不能大于1000000000000！". The value is as typed, not yet in cents.
inline FieldRead ReadMoney(std::string_view cleaned, std::string_view name) {
  const std::string notPositive = std::string(name) + "必须大于0！";
  FieldRead r = ReadInRange(cleaned, name, Bound{Decimal::Whole(0), false}, notPositive,
                            Bound{Decimal::Whole(kMostMoney)}, std::string(name) + "不能大于1000000000000！");
  if (r && r->Round(2).sign() <= 0) r = FieldRead{{}, notPositive};
  return r;
}

}  // namespace hc
