#include "numeric/decimal.h"

#include <algorithm>

#include "numeric/long_number.h"
#include "numeric/numeric.h"
#include "numeric/wide_int.h"

namespace hc {

namespace {

using Int = Decimal::Int;

[[noreturn]] void Overflow() { throw CalcError(ErrorKind::Overflow); }

}  // namespace

Decimal::Decimal(Int units, int scale) : units_(units), scale_(scale) {
  if (scale < 0 || scale > kMaxScale) Overflow();
}

std::optional<Decimal> Decimal::Parse(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  Int units = 0;
  int scale = 0;
  bool point = false;
  bool digit = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    digit = true;
    if (point && scale == kMaxScale) {
      if (c != '0') return std::nullopt;  // more decimals than a value holds
      continue;
    }
    if (__builtin_mul_overflow(units, Int(10), &units) || __builtin_add_overflow(units, Int(c - '0'), &units)) {
      return std::nullopt;
    }
    if (point) ++scale;
  }
  if (!digit) return std::nullopt;
  return Decimal(negative ? -units : units, scale);
}

bool Decimal::IsWhole() const { return units_ % Pow10(scale_) == 0; }

Decimal Decimal::Rescaled(int scale) const {
  if (scale <= scale_) return *this;
  return Decimal(CheckedMul(units_, Pow10(scale - scale_)), scale);
}

Decimal Decimal::Round(int decimals) const {
  if (decimals >= scale_) return *this;
  return Decimal(DivRoundHalfAway(units_, Pow10(scale_ - decimals)), decimals);
}

Decimal Decimal::Ceil(int decimals) const {
  if (decimals >= scale_) return *this;
  const Int d = Pow10(scale_ - decimals);
  Int q = units_ / d;
  if (units_ % d > 0) ++q;
  return Decimal(q, decimals);
}

std::string Decimal::Text(int decimals) const {
  const Decimal r = Round(decimals).Rescaled(decimals);
  Int u = r.units_;
  const bool negative = u < 0;
  if (negative) u = -u;
  // Written from the last digit backwards into a buffer that holds any
  // 128-bit value with its point and sign.
  char buf[2 * kMaxScale + 16];
  char* p = buf + sizeof(buf);
  int written = 0;
  do {
    *--p = static_cast<char>('0' + static_cast<int>(u % 10));
    u /= 10;
    if (++written == decimals) *--p = '.';
  } while (u != 0 || written <= decimals);
  if (negative) *--p = '-';
  return std::string(p, buf + sizeof(buf));
}

Decimal operator+(const Decimal& a, const Decimal& b) {
  const int s = std::max(a.scale_, b.scale_);
  return Decimal(CheckedAdd(a.Rescaled(s).units_, b.Rescaled(s).units_), s);
}

Decimal Decimal::operator-() const { return Decimal(CheckedMul(units_, -1), scale_); }

Decimal operator-(const Decimal& a, const Decimal& b) { return a + (-b); }

Decimal operator*(const Decimal& a, const Decimal& b) {
  Int units = CheckedMul(a.units_, b.units_);
  int scale = a.scale_ + b.scale_;
  // Trailing zeros of the product's decimals go first when the scale would
  // pass what a value carries.
  while (scale > Decimal::kMaxScale && units % 10 == 0) {
    units /= 10;
    --scale;
  }
  if (scale > Decimal::kMaxScale) return Decimal(DivRoundHalfAway(units, Pow10(scale - Decimal::kMaxScale)), Decimal::kMaxScale);
  return Decimal(units, scale);
}

namespace {

using U128 = unsigned __int128;

U128 Magnitude(Int v) { return v < 0 ? static_cast<U128>(0) - static_cast<U128>(v) : static_cast<U128>(v); }

constexpr U128 kIntMax = ~(static_cast<U128>(1) << 127);

// The largest q with q × divisor + small ≤ large, rounded up when the rest
// (large − small − q × divisor) is at least half the divisor: the quotient
// (large − small) / divisor rounded half up, for large ≥ small and magnitudes
// that outgrow 128 bits. Its bits are set from the highest the quotient can
// have down, each kept while the product stays within the dividend.
U128 LongQuotient(const LongNumber& large, const LongNumber& small, const LongNumber& divisor) {
  // The quotient has at most (digits of large − digits of divisor + 1)
  // digits, 10/3 bits a digit.
  const int digits = large.Digits() - divisor.Digits() + 1;
  const int top = std::min(127, digits <= 0 ? 0 : digits * 10 / 3 + 1);
  U128 q = 0;
  for (int bit = top; bit >= 0; --bit) {
    const U128 trial = q | (static_cast<U128>(1) << bit);
    if (LongNumber(trial) * divisor + small <= large) q = trial;
  }
  if (q > kIntMax) Overflow();
  if (LongNumber(2 * q + 1) * divisor + small + small <= large + large) ++q;
  if (q > kIntMax) Overflow();
  return q;
}

// (n × 10^up) / (d × 10^down) rounded half up.
U128 LongQuotient(U128 n, int up, U128 d, int down) {
  return LongQuotient(LongNumber(n).RoundedShift(-up), LongNumber(), LongNumber(d).RoundedShift(-down));
}

}  // namespace

Decimal Decimal::Divide(const Decimal& a, const Decimal& b, int decimals) {
  if (b.units_ == 0) throw CalcError(ErrorKind::DivisionByZero);
  // a/b = (ua / 10^sa) / (ub / 10^sb); at `decimals`: ua × 10^(decimals + sb - sa) / ub.
  Int n = a.units_;
  Int d = b.units_;
  const int shift = decimals + b.scale_ - a.scale_;
  const Int p = Pow10(std::min(std::abs(shift), 38));
  const bool fits = std::abs(shift) <= 38 && !(shift >= 0 ? __builtin_mul_overflow(n, p, &n)
                                                          : __builtin_mul_overflow(d, p, &d));
  if (!fits) {
    const bool negative = (a.units_ < 0) != (b.units_ < 0);
    const U128 q = LongQuotient(Magnitude(a.units_), std::max(shift, 0), Magnitude(b.units_), std::max(-shift, 0));
    const Int units = static_cast<Int>(q);
    return Decimal(negative ? -units : units, decimals);
  }
  if (d < 0) {
    n = -n;
    d = -d;
  }
  return Decimal(DivRoundHalfAway(n, d), decimals);
}

Decimal Decimal::ProductRounded(const Decimal& a, const Decimal& b, int decimals, int shift) {
  const int cut = a.scale_ + b.scale_ + shift - decimals;  // digits to cut off
  const bool negative = (a.sign() < 0) != (b.sign() < 0);
  const U128 ma = Magnitude(a.units_);
  const U128 mb = Magnitude(b.units_);
  U128 q = 0;
  U128 x = 0;
  if (!__builtin_mul_overflow(ma, mb, &x) && cut >= 0 && cut <= 38) {
    U128 p = 1;
    for (int i = 0; i < cut; ++i) p *= 10;
    q = x / p;
    const U128 r = x % p;
    if (r >= p - r) ++q;  // 2r ≥ p without overflow
  } else {
    const std::optional<U128> v = (LongNumber(ma) * LongNumber(mb)).RoundedShift(cut).ToU128();
    if (!v) Overflow();
    q = *v;
  }
  if (q > kIntMax) Overflow();
  const Int units = static_cast<Int>(q);
  return Decimal(negative ? -units : units, decimals);
}

Decimal Decimal::MulAddDivide(const Decimal& a, const Decimal& b, const Decimal& c, const Decimal& d,
                              int decimals) {
  if (d.units_ == 0) throw CalcError(ErrorKind::DivisionByZero);
  // The numerator at the larger of the two scales, in 128 bits where it fits.
  const int sab = a.scale_ + b.scale_;
  const int s = std::max(sab, c.scale_);
  Int ab = 0;
  Int n = 0;
  if (s <= kMaxScale && !__builtin_mul_overflow(a.units_, b.units_, &ab) &&
      !__builtin_mul_overflow(ab, Pow10(s - sab), &ab) &&
      !__builtin_mul_overflow(c.units_, Pow10(s - c.scale_), &n) && !__builtin_add_overflow(ab, n, &n)) {
    return Divide(Decimal(n, s), d, decimals);
  }
  // Else as long numbers: the two terms' magnitudes at scale s, the smaller
  // taken from the larger where their signs differ.
  LongNumber product = (LongNumber(Magnitude(a.units_)) * LongNumber(Magnitude(b.units_))).ShiftedDown(sab - s);
  LongNumber addend = LongNumber(Magnitude(c.units_)).ShiftedDown(c.scale_ - s);
  const bool productNegative = (a.sign() < 0) != (b.sign() < 0) && !product.IsZero();
  const bool addendNegative = c.sign() < 0;
  LongNumber large = product;
  LongNumber small;
  bool negative = productNegative;
  if (productNegative == addendNegative) {
    large = product + addend;
  } else if (addend > product) {
    large = addend;
    small = product;
    negative = addendNegative;
  } else {
    small = addend;
  }
  // At `decimals`: numerator × 10^(decimals + scale of d − s) / units of d.
  const int shift = decimals + d.scale_ - s;
  LongNumber divisor(Magnitude(d.units_));
  if (shift >= 0) {
    large = large.ShiftedDown(-shift);
    small = small.ShiftedDown(-shift);
  } else {
    divisor = divisor.ShiftedDown(shift);
  }
  const Int units = static_cast<Int>(LongQuotient(large, small, divisor));
  return Decimal(negative != (d.units_ < 0) ? -units : units, decimals);
}

Decimal Decimal::Normalized() const {
  Int units = units_;
  int scale = scale_;
  while (scale > 0 && units % 10 == 0) {
    units /= 10;
    --scale;
  }
  return Decimal(units, scale);
}

// Compared by whole parts first, then by the decimals: neither step can
// leave the 128-bit range, whatever the two scales (1000 with thirty zero
// decimals against a whole 10^9, say).
std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
  if (a.scale_ == b.scale_) return a.units_ <=> b.units_;
  const Int pa = Pow10(a.scale_);
  const Int pb = Pow10(b.scale_);
  const Int wholeA = a.units_ / pa;
  const Int wholeB = b.units_ / pb;
  if (wholeA != wholeB) return wholeA <=> wholeB;
  // Same whole part (truncated toward zero): the remainders carry the sign
  // and lie below 10^scale ≤ 10^30 in size, so both fit at the larger scale.
  const int s = std::max(a.scale_, b.scale_);
  return (a.units_ % pa) * Pow10(s - a.scale_) <=> (b.units_ % pb) * Pow10(s - b.scale_);
}

}  // namespace hc
