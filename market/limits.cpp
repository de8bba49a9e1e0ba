#include "market/limits.h"

#include "numeric/numeric.h"
#include "numeric/wide_int.h"

namespace hc {

namespace {

void CheckRule(Ticks close, int limit) {
  if (close <= 0 || limit <= 0 || limit >= kWholeBasisPoints) throw CalcError(ErrorKind::InvalidArgument);
}

Ticks UpAfter(Ticks close, int limit) {
  const Ticks up = DivRoundHalfAway(CheckedMul(close, kWholeBasisPoints + limit), kWholeBasisPoints);
  return up > close ? up : CheckedAdd(close, 1);
}

Ticks DownAfter(Ticks close, int limit) {
  Ticks down = DivRoundHalfAway(CheckedMul(close, kWholeBasisPoints - limit), kWholeBasisPoints);
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
  const Ticks n = CheckedMul(CheckedSub(to, from), kWholeBasisPoints);
  Ticks q = n / from;
  Ticks r = n % from;
  if (r < 0) r = -r;
  if (r >= from - r) q += n < 0 ? -1 : 1;
  return q;
}

std::string TicksText(Ticks ticks, int tickDecimals) { return Decimal(ticks, tickDecimals).Text(tickDecimals); }

std::string ChangeText(Ticks from, Ticks to) { return Decimal(ChangeInBasisPoints(from, to), 2).Text(2) + "%"; }

}  // namespace hc
