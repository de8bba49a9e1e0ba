// Nonnegative decimal fixed-point numbers with 72 decimals, for the few
// figures that are not exact decimals but must be known far beyond the
// cent: the growth of a regular investment over thousands of periods at a
// rate such as (1 + 8 %)^(1/12) − 1. Kept as whole numbers of 10^-72 in
// limbs of eighteen decimal digits, so that a value read from a Decimal is
// exact and a result is rounded to the cent from its decimal digits, with
// no binary fraction anywhere. Up to 54 whole digits; a result beyond them
// is CalcError(Overflow).
//
// Sums are exact; a product and a quotient by a small whole number are cut
// (rounded down) at the 72nd decimal, so each operation errs by less than
// 10^-72 and a chain of some thousand operations on figures up to 10^20 by
// far less than 10^-40.
#pragma once

#include <array>
#include <compare>
#include <cstdint>

#include "numeric/decimal.h"

namespace hc {

class FixedPoint {
 public:
  static constexpr int kDecimals = 72;
  static constexpr int kLimbDigits = 18;
  static constexpr std::uint64_t kBase = 1000000000000000000ULL;  // one limb
  static constexpr int kFractionLimbs = kDecimals / kLimbDigits;
  static constexpr int kLimbs = kFractionLimbs + 3;

  constexpr FixedPoint() = default;
  // A Decimal of 0 or more, exactly; a negative one is CalcError(InvalidArgument).
  explicit FixedPoint(const Decimal& d);
  static FixedPoint Whole(std::uint64_t n);
  // 10^exponent, for an exponent from −72 to 53.
  static FixedPoint TenTo(int exponent);

  bool IsZero() const;

  friend FixedPoint operator+(const FixedPoint& a, const FixedPoint& b);
  // a − b for a ≥ b; else CalcError(InvalidArgument).
  friend FixedPoint operator-(const FixedPoint& a, const FixedPoint& b);
  friend FixedPoint operator*(const FixedPoint& a, const FixedPoint& b);
  // this / n for a whole n ≥ 1.
  FixedPoint DividedBy(std::uint64_t n) const;
  // this^n by squaring.
  FixedPoint Power(std::uint64_t n) const;

  // The value rounded half up to `decimals` (0 … 30) decimals, as a Decimal.
  // A value that does not fit a Decimal is CalcError(Overflow).
  Decimal Rounded(int decimals) const;
  // The value cut (rounded down) to `decimals` decimals.
  Decimal Cut(int decimals) const;
  // The number of digits of the whole part (0 for a value below 1).
  int WholeDigits() const;

  friend std::strong_ordering operator<=>(const FixedPoint& a, const FixedPoint& b);
  friend bool operator==(const FixedPoint& a, const FixedPoint& b) = default;

 private:
  std::array<std::uint64_t, kLimbs> limbs_{};  // lowest first, each below kBase
};

}  // namespace hc
