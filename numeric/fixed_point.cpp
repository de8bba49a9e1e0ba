#include "numeric/fixed_point.h"

#include "numeric/numeric.h"
#include "numeric/wide_int.h"

namespace hc {

namespace {

using U128 = unsigned __int128;

constexpr U128 kBase128 = FixedPoint::kBase;

std::uint64_t Pow10u(int n) {
  std::uint64_t p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

}  // namespace

FixedPoint::FixedPoint(const Decimal& d) {
  if (d.sign() < 0) throw CalcError(ErrorKind::InvalidArgument);
  // units × 10^(72 − scale): the units in limbs, times 10^r, placed q limbs up.
  const int shift = kDecimals - d.scale();
  const int q = shift / kLimbDigits;
  const std::uint64_t r = Pow10u(shift % kLimbDigits);
  U128 units = static_cast<U128>(d.units());
  U128 carry = 0;
  for (int k = q; k < kLimbs && (units != 0 || carry != 0); ++k) {
    const U128 part = (units % kBase128) * r + carry;
    units /= kBase128;
    limbs_[k] = static_cast<std::uint64_t>(part % kBase128);
    carry = part / kBase128;
  }
  if (units != 0 || carry != 0) throw CalcError(ErrorKind::Overflow);
}

FixedPoint FixedPoint::Whole(std::uint64_t n) { return FixedPoint(Decimal(static_cast<Decimal::Int>(n), 0)); }

FixedPoint FixedPoint::TenTo(int exponent) {
  const int at = kDecimals + exponent;
  if (at < 0 || at >= kLimbs * kLimbDigits) throw CalcError(ErrorKind::InvalidArgument);
  FixedPoint out;
  out.limbs_[at / kLimbDigits] = Pow10u(at % kLimbDigits);
  return out;
}

bool FixedPoint::IsZero() const {
  for (std::uint64_t limb : limbs_) {
    if (limb != 0) return false;
  }
  return true;
}

FixedPoint operator+(const FixedPoint& a, const FixedPoint& b) {
  FixedPoint out;
  std::uint64_t carry = 0;
  for (int k = 0; k < FixedPoint::kLimbs; ++k) {
    const std::uint64_t s = a.limbs_[k] + b.limbs_[k] + carry;  // below 2 × 10^18 + 1
    carry = s >= FixedPoint::kBase ? 1 : 0;
    out.limbs_[k] = s - carry * FixedPoint::kBase;
  }
  if (carry != 0) throw CalcError(ErrorKind::Overflow);
  return out;
}

FixedPoint operator-(const FixedPoint& a, const FixedPoint& b) {
  if (a < b) throw CalcError(ErrorKind::InvalidArgument);
  FixedPoint out;
  std::uint64_t borrow = 0;
  for (int k = 0; k < FixedPoint::kLimbs; ++k) {
    const std::uint64_t take = b.limbs_[k] + borrow;
    borrow = a.limbs_[k] < take ? 1 : 0;
    out.limbs_[k] = a.limbs_[k] + borrow * FixedPoint::kBase - take;
  }
  return out;
}

FixedPoint operator*(const FixedPoint& a, const FixedPoint& b) {
  constexpr int n = FixedPoint::kLimbs;
  constexpr int cut = FixedPoint::kFractionLimbs;
  // The full product column by column; each column sums at most n products
  // below 10^36 and a carry, well within 128 bits.
  std::array<std::uint64_t, 2 * n> full{};
  U128 carry = 0;
  for (int k = 0; k < 2 * n - 1; ++k) {
    U128 column = carry;
    const int first = k < n ? 0 : k - n + 1;
    const int last = k < n ? k : n - 1;
    for (int i = first; i <= last; ++i) column += static_cast<U128>(a.limbs_[i]) * b.limbs_[k - i];
    full[k] = static_cast<std::uint64_t>(column % kBase128);
    carry = column / kBase128;
  }
  full[2 * n - 1] = static_cast<std::uint64_t>(carry);
  FixedPoint out;
  for (int k = 0; k < n; ++k) out.limbs_[k] = full[k + cut];
  for (int k = n + cut; k < 2 * n; ++k) {
    if (full[k] != 0) throw CalcError(ErrorKind::Overflow);
  }
  return out;
}

FixedPoint FixedPoint::DividedBy(std::uint64_t n) const {
  if (n == 0) throw CalcError(ErrorKind::DivisionByZero);
  FixedPoint out;
  U128 rest = 0;
  for (int k = kLimbs - 1; k >= 0; --k) {
    const U128 part = rest * kBase128 + limbs_[k];  // rest < n ≤ 2^64
    out.limbs_[k] = static_cast<std::uint64_t>(part / n);
    rest = part % n;
  }
  return out;
}

FixedPoint FixedPoint::Power(std::uint64_t n) const {
  FixedPoint result = Whole(1);
  FixedPoint base = *this;
  while (n != 0) {
    if ((n & 1) != 0) result = result * base;
    n >>= 1;
    if (n != 0) base = base * base;
  }
  return result;
}

Decimal FixedPoint::Cut(int decimals) const {
  // The whole number of 10^-decimals: the limbs above the cut, then the
  // digits of the next limb down.
  const int drop = kDecimals - decimals;  // digits below the cut, 42 … 72
  const int whole = drop / kLimbDigits;
  const std::uint64_t part = Pow10u(drop % kLimbDigits);
  U128 units = 0;
  constexpr U128 most = (static_cast<U128>(1) << 127) - 1;  // the largest units of a Decimal
  for (int k = kLimbs - 1; k >= whole; --k) {
    const std::uint64_t digits = k == whole ? limbs_[k] / part : limbs_[k];
    const U128 factor = k == whole ? kBase128 / part : kBase128;
    if (units > (most - digits) / factor) throw CalcError(ErrorKind::Overflow);
    units = units * factor + digits;
  }
  return Decimal(static_cast<Decimal::Int>(units), decimals);
}

Decimal FixedPoint::Rounded(int decimals) const {
  FixedPoint half;
  const int at = kDecimals - decimals - 1;  // the digit 5 right below the last kept
  half.limbs_[at / kLimbDigits] = 5 * Pow10u(at % kLimbDigits);
  return (*this + half).Cut(decimals);
}

int FixedPoint::WholeDigits() const {
  for (int k = kLimbs - 1; k >= kFractionLimbs; --k) {
    if (limbs_[k] == 0) continue;
    int digits = 0;
    for (std::uint64_t v = limbs_[k]; v != 0; v /= 10) ++digits;
    return (k - kFractionLimbs) * kLimbDigits + digits;
  }
  return 0;
}

std::strong_ordering operator<=>(const FixedPoint& a, const FixedPoint& b) {
  for (int k = FixedPoint::kLimbs - 1; k >= 0; --k) {
    if (a.limbs_[k] != b.limbs_[k]) return a.limbs_[k] <=> b.limbs_[k];
  }
  return std::strong_ordering::equal;
}

}  // namespace hc
