// Exact decimal numbers for the money of the tool screens: a value is an
// integer count of units of 10^-scale (a price of 10.15 yuan is 1015 units
// at scale 2), so sums, products and roundings to the cent or to the tick are
// exact, with no binary fraction anywhere. Arithmetic that would leave the
// 128-bit range is CalcError(Overflow); a division by zero is
// CalcError(DivisionByZero).
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hc {

class Decimal {
 public:
  using Int = __int128;
  // The most decimals a value carries.
  static constexpr int kMaxScale = 30;

  constexpr Decimal() = default;
  // units × 10^-scale.
  Decimal(Int units, int scale);
  static Decimal Whole(std::int64_t n) { return Decimal(n, 0); }

  // A plain decimal text: an optional sign, digits with at most one point
  // and at least one digit, nothing else (no blanks, no exponent). Empty when
  // the text is not such a number or has more digits than a value can hold.
  static std::optional<Decimal> Parse(std::string_view text);

  Int units() const { return units_; }
  int scale() const { return scale_; }
  int sign() const { return units_ > 0 ? 1 : units_ < 0 ? -1 : 0; }
  bool IsWhole() const;

  // Rounded to the given number of decimals, halves away from zero (half up
  // for amounts above 0: 0.105 yuan is 0.11, -0.105 is -0.11).
  Decimal Round(int decimals) const;
  // Rounded up (toward plus infinity) to the given number of decimals.
  Decimal Ceil(int decimals) const;
  // The value as a whole count of 10^-decimals, rounded half away from zero.
  Int UnitsAt(int decimals) const { return Round(decimals).Rescaled(decimals).units_; }

  // The text with exactly `decimals` decimals after rounding half away from
  // zero: '10.00', '-1.01', '0.105' at three; never '-0.00'.
  std::string Text(int decimals) const;

  friend Decimal operator+(const Decimal& a, const Decimal& b);
  friend Decimal operator-(const Decimal& a, const Decimal& b);
  friend Decimal operator*(const Decimal& a, const Decimal& b);
  Decimal operator-() const;
  // a / b rounded half away from zero to the given number of decimals.
  static Decimal Divide(const Decimal& a, const Decimal& b, int decimals);
  // a × b / 10^shift rounded half away from zero to the given number of
  // decimals, exact also where the full product outgrows 128 bits (a fee
  // on a rate typed with many decimals).
  static Decimal ProductRounded(const Decimal& a, const Decimal& b, int decimals, int shift = 0);
  // (a × b + c) / d rounded half away from zero to the given number of
  // decimals, exact also where a × b + c outgrows 128 bits (a holding of
  // 10^9 shares times a cost price with thirty decimals); only the quotient
  // must fit.
  static Decimal MulAddDivide(const Decimal& a, const Decimal& b, const Decimal& c, const Decimal& d, int decimals);
  // The same value without trailing zeros among its decimals, so that
  // products keep as few digits as they need.
  Decimal Normalized() const;

  friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
  friend bool operator==(const Decimal& a, const Decimal& b) { return (a <=> b) == 0; }

 private:
  // The same value at a larger scale (exact).
  Decimal Rescaled(int scale) const;

  Int units_ = 0;
  int scale_ = 0;
};

}  // namespace hc
