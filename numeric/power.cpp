#include "numeric/power.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

// Everything below is plain IEEE double addition, subtraction,
// multiplication and division, rounded to nearest, which every x86-64 and
// ARM64 compiler and processor does alike. The file is compiled with
// -ffp-contract=off: a multiply and add fused into one instruction would
// break the exact error terms.

namespace hc {

namespace {

// A double-double: the unevaluated sum hi + lo, |lo| at most half an ulp
// of hi, about 106 significant bits.
struct DD {
  double hi;
  double lo;
};

// a + b exactly, as a rounded sum and its error.
DD TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

// The same where |a| >= |b| or a is 0.
DD FastTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

// a as two halves of 26 bits each, whose products are exact.
DD Split(double a) {
  const double c = 134217729.0 * a;  // 2^27 + 1
  const double hi = c - (c - a);
  return {hi, a - hi};
}

// a × b exactly, as a rounded product and its error.
DD TwoProd(double a, double b) {
  const double p = a * b;
  const DD x = Split(a);
  const DD y = Split(b);
  return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

DD Neg(DD a) { return {-a.hi, -a.lo}; }

DD Add(DD a, DD b) {
  const DD s = TwoSum(a.hi, b.hi);
  const DD t = TwoSum(a.lo, b.lo);
  const DD u = TwoSum(s.hi, s.lo + t.hi);
  return TwoSum(u.hi, u.lo + t.lo);
}

// a + b where the two do not cancel (the steps of a series whose terms
// shrink): cheaper, as accurate there.
DD AddNear(DD a, DD b) {
  const DD s = TwoSum(a.hi, b.hi);
  return FastTwoSum(s.hi, s.lo + (a.lo + b.lo));
}

DD Mul(DD a, DD b) {
  const DD p = TwoProd(a.hi, b.hi);
  return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

DD Mul(DD a, double b) {
  const DD p = TwoProd(a.hi, b);
  return FastTwoSum(p.hi, p.lo + a.lo * b);
}

DD Div(DD a, DD b) {
  const double q1 = a.hi / b.hi;
  DD r = Add(a, Neg(Mul(b, q1)));
  const double q2 = r.hi / b.hi;
  r = Add(r, Neg(Mul(b, q2)));
  const double q3 = r.hi / b.hi;
  return Add(FastTwoSum(q1, q2), DD{q3, 0.0});
}

// 2^n for -1022 <= n <= 1023, exactly.
double PowerOfTwo(int n) { return std::bit_cast<double>(static_cast<std::uint64_t>(n + 1023) << 52); }

// a × 2^n for a in [0.5, 2) and a result that is normal or beyond the range
// (then infinity): exact, in two steps so that neither factor leaves the range.
double ScaleNormal(double a, int n) { return a * PowerOfTwo(n / 2) * PowerOfTwo(n - n / 2); }

// The constants, computed once in the same arithmetic from their series.
constexpr int kSeriesTerms = 40;
constexpr int kLogTableLow = -75;   // log(1 + j/256) for j = -75 ..
constexpr int kLogTableHigh = 106;  //                          .. 106
constexpr int kExpTableHalf = 89;   // exp(j/256) for j = -89 .. 89

struct Constants {
  DD oddInverse[kSeriesTerms];        // 1 / (2k + 1)
  DD factorialInverse[kSeriesTerms];  // 1 / k!
  DD ln2;
  DD logTable[kLogTableHigh - kLogTableLow + 1];
  DD expTable[2 * kExpTableHalf + 1];

  // 2 atanh(s) = 2 (s + s^3/3 + s^5/5 + ...), the log of (1 + s) / (1 - s),
  // to `terms` terms in full.
  DD TwiceAtanh(DD s, int terms) const {
    const DD s2 = Mul(s, s);
    DD sum = oddInverse[terms - 1];
    for (int k = terms - 2; k >= 0; --k) sum = AddNear(Mul(sum, s2), oddInverse[k]);
    return Mul(Mul(sum, s), 2.0);
  }

  // e^u = 1 + u + u^2/2! + ..., to `terms` terms in full.
  DD ExpSeries(DD u, int terms) const {
    DD sum = factorialInverse[terms - 1];
    for (int k = terms - 2; k >= 0; --k) sum = Add(Mul(sum, u), factorialInverse[k]);
    return sum;
  }

  Constants() {
    DD factorial{1.0, 0.0};
    for (int k = 0; k < kSeriesTerms; ++k) {
      oddInverse[k] = Div(DD{1.0, 0.0}, DD{2.0 * k + 1.0, 0.0});
      if (k > 0) factorial = Mul(factorial, static_cast<double>(k));
      factorialInverse[k] = Div(DD{1.0, 0.0}, factorial);
    }
    ln2 = TwiceAtanh(Div(DD{1.0, 0.0}, DD{3.0, 0.0}), kSeriesTerms);  // 2 = (1 + 1/3) / (1 - 1/3)
    for (int j = kLogTableLow; j <= kLogTableHigh; ++j) {
      const double c = 1.0 + j / 256.0;
      logTable[j - kLogTableLow] = TwiceAtanh(Div(DD{c - 1.0, 0.0}, DD{c + 1.0, 0.0}), kSeriesTerms);
    }
    for (int j = -kExpTableHalf; j <= kExpTableHalf; ++j) {
      expTable[j + kExpTableHalf] = ExpSeries(DD{j / 256.0, 0.0}, kSeriesTerms);
    }
  }
};

const Constants& TheConstants() {
  static const Constants constants;
  return constants;
}

int Nearest(double v) { return static_cast<int>(std::floor(v + 0.5)); }

// log x for a finite x > 0.
DD Log(double x, const Constants& k) {
  int exponent = 0;
  if (x < std::numeric_limits<double>::min()) {  // subnormal: make it normal
    x *= PowerOfTwo(54);
    exponent = -54;
  }
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
  exponent += static_cast<int>(bits >> 52) - 1023;
  double m = std::bit_cast<double>((bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1023} << 52));
  if (m > 1.4142135623730951) {  // m in [1/sqrt 2, sqrt 2): no cancellation below
    m *= 0.5;
    ++exponent;
  }
  // m = c (1 + s) / (1 - s) with c = 1 + j/256 from the table, |s| < 1/720.
  const int j = Nearest((m - 1.0) * 256.0);
  const double c = 1.0 + j / 256.0;
  const DD s = Div(DD{m - c, 0.0}, TwoSum(m, c));  // m - c is exact
  // 2 atanh(s): the terms from s^7/7 on are below 2^-59 of s and need no
  // more than a double; s^13/13 on are below 2^-117 of s and left out.
  const DD z = Mul(s, s);
  const double zd = z.hi;
  DD sum = AddNear(k.oddInverse[2], DD{zd * (1.0 / 7 + zd * (1.0 / 9 + zd * (1.0 / 11))), 0.0});
  sum = AddNear(Mul(sum, z), k.oddInverse[1]);
  sum = AddNear(Mul(sum, z), k.oddInverse[0]);
  const DD series = Mul(Mul(sum, s), 2.0);
  return Add(Add(Mul(k.ln2, static_cast<double>(exponent)), k.logTable[j - kLogTableLow]), series);
}

// e^t rounded once, for -746 <= t <= 710.
double Exp(DD t, const Constants& k) {
  const int n = Nearest(t.hi / k.ln2.hi);
  const DD r = Add(t, Neg(Mul(k.ln2, static_cast<double>(n))));  // |r| <= ln2/2
  const int j = Nearest(r.hi * 256.0);
  const DD u = Add(r, DD{-j / 256.0, 0.0});  // |u| <= 1/512
  // e^u: the terms from u^5/5! on are below 2^-51 and need no more than a
  // double; u^10/10! on are below 2^-111 and left out.
  const double ud = u.hi;
  const double tail = 1.0 / 120 + ud * (1.0 / 720 + ud * (1.0 / 5040 + ud * (1.0 / 40320 + ud * (1.0 / 362880))));
  DD sum = AddNear(k.factorialInverse[4], DD{ud * tail, 0.0});
  for (int i = 3; i >= 0; --i) sum = AddNear(Mul(sum, u), k.factorialInverse[i]);
  const DD e = Mul(k.expTable[j + kExpTableHalf], sum);
  // e^t = (e.hi + e.lo) × 2^n, e.hi already the nearest double to e.
  const int eExponent = static_cast<int>(std::bit_cast<std::uint64_t>(e.hi) >> 52) - 1023;
  if (eExponent + n >= -1022) return ScaleNormal(e.hi, n);
  // Subnormal: e × 2^(n + 1074) rounded to a whole number of the smallest
  // subnormal, halves to even, from both parts of e.
  const int shift = n + 1074;
  if (shift < -60) return 0.0;
  const double a = ScaleNormal(e.hi, shift);  // below 2^52: its ulp at most 1/2
  const double b = e.lo * PowerOfTwo(shift / 2) * PowerOfTwo(shift - shift / 2);  // |b| <= ulp(a)/2
  double whole = std::floor(a);
  const double fraction = a - whole;  // exact
  if (fraction > 0.5 || (fraction == 0.5 && (b > 0.0 || (b == 0.0 && std::fmod(whole, 2.0) != 0.0)))) whole += 1.0;
  return whole * std::bit_cast<double>(std::uint64_t{1});  // exact
}

// x^y exactly for a whole y in 2..64 where the odd part of x to that power
// fits 64 bits (every power that is a double or halfway between two is one
// of them). Returns false where it does not apply.
bool ExactWholePower(double x, double y, double& result) {
  if (y < 2.0 || y > 64.0) return false;
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
  const int field = static_cast<int>(bits >> 52);
  std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
  int e = -1074;
  if (field != 0) {
    m |= std::uint64_t{1} << 52;
    e = field - 1075;
  }
  const int zeros = std::countr_zero(m);
  m >>= zeros;
  e += zeros;
  const int n = static_cast<int>(y);
  std::uint64_t p = 1;
  for (int i = 0; i < n; ++i) {
    if (__builtin_mul_overflow(p, m, &p)) return false;
  }
  const int scale = e * n;
  const int width = std::bit_width(p);
  if (scale + width > 1023 || scale + width - 1 < -1022) return false;  // beyond the normal range
  const double rounded = static_cast<double>(p);  // correctly rounded, halves to even
  const int roundedExponent = static_cast<int>(std::bit_cast<std::uint64_t>(rounded) >> 52) - 1023;
  result = ScaleNormal(rounded * PowerOfTwo(-roundedExponent), scale + roundedExponent);
  return true;
}

}  // namespace

double PowerRounded(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return std::pow(x, y);
  if (y == 0.0 || x == 1.0) return 1.0;
  const bool whole = std::trunc(y) == y;
  const bool odd = whole && std::fabs(y) < 9007199254740992.0 && std::fmod(y, 2.0) != 0.0;
  if (x == 0.0) {
    if (y > 0.0) return odd ? x : 0.0;
    return odd ? 1.0 / x : std::numeric_limits<double>::infinity();
  }
  double sign = 1.0;
  if (x < 0.0) {
    if (!whole) return std::numeric_limits<double>::quiet_NaN();
    if (odd) sign = -1.0;
    x = -x;
  }
  if (double exact = 0.0; ExactWholePower(x, y, exact)) return sign * exact;

  const Constants& k = TheConstants();
  // A grid ladder raises one base to every step count in turn: the base's
  // logarithm is kept from the call before.
  thread_local double lastBase = 0.0;  // never a base here: 0 returned above
  thread_local DD lastLog{0.0, 0.0};
  if (x != lastBase) {
    lastLog = Log(x, k);
    lastBase = x;
  }
  const DD logX = lastLog;
  const double estimate = y * logX.hi;
  if (estimate > 710.0) return sign * std::numeric_limits<double>::infinity();
  if (estimate < -746.0) return sign * 0.0;
  return sign * Exp(Mul(logX, y), k);
}

}  // namespace hc
