#include "numeric/decimal.h"

#include <algorithm>

#include "numeric/numeric.h"

namespace hc {

namespace {

using Int = Decimal::Int;

[[noreturn]] void Overflow() { throw CalcError(ErrorKind::Overflow); }

Int Pow10(int n) {
  Int p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

Int Mul(Int a, Int b) {
  Int out = 0;
  if (__builtin_mul_overflow(a, b, &out)) Overflow();
  return out;
}

Int Add(Int a, Int b) {
  Int out = 0;
  if (__builtin_add_overflow(a, b, &out)) Overflow();
  return out;
}

// q = n / d rounded half away from zero, d > 0.
Int DivRoundHalfAway(Int n, Int d) {
  Int q = n / d;
  Int r = n % d;
  if (r < 0) r = -r;
  if (r >= d - r) q += n < 0 ? -1 : 1;  // 2r >= d without overflow
  return q;
}

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
  return Decimal(Mul(units_, Pow10(scale - scale_)), scale);
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
  return Decimal(Add(a.Rescaled(s).units_, b.Rescaled(s).units_), s);
}

Decimal Decimal::operator-() const { return Decimal(Mul(units_, -1), scale_); }

Decimal operator-(const Decimal& a, const Decimal& b) { return a + (-b); }

Decimal operator*(const Decimal& a, const Decimal& b) {
  Int units = Mul(a.units_, b.units_);
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

Decimal Decimal::Divide(const Decimal& a, const Decimal& b, int decimals) {
  if (b.units_ == 0) throw CalcError(ErrorKind::DivisionByZero);
  // a/b = (ua / 10^sa) / (ub / 10^sb); at `decimals`: ua × 10^(decimals + sb - sa) / ub.
  Int n = a.units_;
  Int d = b.units_;
  const int shift = decimals + b.scale_ - a.scale_;
  if (shift >= 0) {
    n = Mul(n, Pow10(shift));
  } else {
    d = Mul(d, Pow10(-shift));
  }
  if (d < 0) {
    n = -n;
    d = -d;
  }
  return Decimal(DivRoundHalfAway(n, d), decimals);
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
  const int s = std::max(a.scale_, b.scale_);
  return a.Rescaled(s).units_ <=> b.Rescaled(s).units_;
}

}  // namespace hc
