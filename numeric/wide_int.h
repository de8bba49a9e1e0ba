// Checked arithmetic on 128-bit whole numbers, the units of the exact
// decimals: a result beyond the range is CalcError(Overflow).
#pragma once

#include "numeric/numeric.h"

namespace hc {

using Int128 = __int128;

inline Int128 CheckedAdd(Int128 a, Int128 b) {
  Int128 out = 0;
  if (__builtin_add_overflow(a, b, &out)) throw CalcError(ErrorKind::Overflow);
  return out;
}

inline Int128 CheckedSub(Int128 a, Int128 b) {
  Int128 out = 0;
  if (__builtin_sub_overflow(a, b, &out)) throw CalcError(ErrorKind::Overflow);
  return out;
}

inline Int128 CheckedMul(Int128 a, Int128 b) {
  Int128 out = 0;
  if (__builtin_mul_overflow(a, b, &out)) throw CalcError(ErrorKind::Overflow);
  return out;
}

// 10^n, for n from 0 to 38.
inline Int128 Pow10(int n) {
  Int128 p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

// n / d rounded to the nearest whole number, halves away from zero (half
// up for n ≥ 0); d > 0.
inline Int128 DivRoundHalfAway(Int128 n, Int128 d) {
  Int128 q = n / d;
  Int128 r = n % d;
  if (r < 0) r = -r;
  if (r >= d - r) q += n < 0 ? -1 : 1;  // 2r ≥ d without overflow
  return q;
}

}  // namespace hc
