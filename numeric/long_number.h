// A whole number of any length, for the few money figures whose exact digits
// outgrow 128 bits: a fee on a rate typed with many decimals, a grid price
// P × (1 + r)^i after thousands of steps. Kept in limbs of nine decimal
// digits, so that cutting off decimal digits (dividing by a power of ten)
// and reading single digits are cheap.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hc {

class LongNumber {
 public:
  using U128 = unsigned __int128;
  static constexpr std::uint32_t kBase = 1000000000;  // one limb: nine digits
  static constexpr int kLimbDigits = 9;

  LongNumber() = default;
  explicit LongNumber(U128 value);

  bool IsZero() const { return limbs_.empty(); }
  std::size_t Limbs() const { return limbs_.size(); }
  // The number of decimal digits; 0 for zero.
  int Digits() const;
  // The decimal digit at position `pos` (0: the units).
  int DigitAt(int pos) const;

  friend LongNumber operator+(const LongNumber& a, const LongNumber& b);
  friend LongNumber operator*(const LongNumber& a, const LongNumber& b);
  // this^n.
  LongNumber Power(std::uint64_t n) const;

  // floor(this / 10^k) for k ≥ 0; this × 10^-k for k < 0.
  LongNumber ShiftedDown(int k) const;
  // this / 10^k rounded half up (k < 0: this × 10^-k, exact).
  LongNumber RoundedShift(int k) const;
  // Keeps the `keep` highest limbs and drops the rest (rounding down);
  // returns the number of limbs dropped.
  int Truncate(std::size_t keep);

  // The value, if it fits in 128 bits.
  std::optional<U128> ToU128() const;
  std::string Text() const;

  friend bool operator==(const LongNumber&, const LongNumber&) = default;
  friend std::strong_ordering operator<=>(const LongNumber& a, const LongNumber& b);

 private:
  void Trim();
  std::vector<std::uint32_t> limbs_;  // lowest limb first, no leading zero limb
};

}  // namespace hc
