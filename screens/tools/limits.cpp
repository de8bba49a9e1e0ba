#include "screens/tools/limits.h"

#include "numeric/numeric.h"

namespace hc {

namespace {

[[noreturn]] void Overflow() { throw CalcError(ErrorKind::Overflow); }

Ticks Mul(Ticks a, Ticks b) {
  Ticks out = 0;
  if (__builtin_mul_overflow(a, b, &out)) Overflow();
  return out;
}

Ticks Add(Ticks a, Ticks b) {
  Ticks out = 0;
  if (__builtin_add_overflow(a, b, &out)) Overflow();
  return out;
}

Ticks Sub(Ticks a, Ticks b) {
  Ticks out = 0;
  if (__builtin_sub_overflow(a, b, &out)) Overflow();
  return out;
}

// n / d rounded half up, n ≥ 0 and d > 0.
Ticks DivRoundHalfUp(Ticks n, Ticks d) {
  const Ticks q = n / d;
  const Ticks r = n % d;
  return r >= d - r ? q + 1 : q;  // 2r ≥ d without overflow
}

void CheckRule(Ticks close, int limit) {
  if (close <= 0 || limit <= 0 || limit >= kWholeBasisPoints) throw CalcError(ErrorKind::InvalidArgument);
}

Ticks UpAfter(Ticks close, int limit) {
  const Ticks up = DivRoundHalfUp(Mul(close, kWholeBasisPoints + limit), kWholeBasisPoints);
  return up > close ? up : Add(close, 1);
}

Ticks DownAfter(Ticks close, int limit) {
  Ticks down = DivRoundHalfUp(Mul(close, kWholeBasisPoints - limit), kWholeBasisPoints);
  if (down == close) --down;
  return down < 1 ? 1 : down;
}

}  // namespace

DayLimits LimitsAfter(Ticks close, int limit) {
  CheckRule(close, limit);
  return {UpAfter(close, limit), DownAfter(close, limit)};
}

std::vector<DayLimits> LimitLadder(Ticks close, int limit, int days) {
  CheckRule(close, limit);
  if (days < 0) throw CalcError(ErrorKind::InvalidArgument);
  std::vector<DayLimits> ladder;
  ladder.reserve(static_cast<std::size_t>(days));
  DayLimits from{close, close};
  for (int day = 0; day < days; ++day) {
    from = {UpAfter(from.up, limit), DownAfter(from.down, limit)};
    ladder.push_back(from);
  }
  return ladder;
}

Ticks ChangeInBasisPoints(Ticks from, Ticks to) {
  if (from <= 0) throw CalcError(ErrorKind::InvalidArgument);
  const Ticks n = Mul(Sub(to, from), kWholeBasisPoints);
  Ticks q = n / from;
  Ticks r = n % from;
  if (r < 0) r = -r;
  if (r >= from - r) q += n < 0 ? -1 : 1;
  return q;
}

std::string TicksText(Ticks ticks, int tickDecimals) { return Decimal(ticks, tickDecimals).Text(tickDecimals); }

std::string ChangeText(Ticks from, Ticks to) { return Decimal(ChangeInBasisPoints(from, to), 2).Text(2) + "%"; }

}  // namespace hc
