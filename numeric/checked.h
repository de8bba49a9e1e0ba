// Checked double arithmetic for the calculators.
//
// Every operation on a Num either gives a finite double or stops the
// calculation with a CalcError at that very operation: a divisor of 0 is a
// division by zero (also 0 / 0), a result beyond the double range is an
// overflow. No infinity or not-a-number ever reaches a field this way.
#pragma once

#include <cmath>
#include <string>
#include <string_view>

#include "numeric/numeric.h"

namespace hc {

class Num {
 public:
  constexpr Num() = default;
  constexpr Num(double v) : v_(v) {}  // NOLINT: plain numbers mix freely
  constexpr double v() const { return v_; }

  friend Num operator+(Num a, Num b) { return Checked(a.v_ + b.v_); }
  friend Num operator-(Num a, Num b) { return Checked(a.v_ - b.v_); }
  friend Num operator*(Num a, Num b) { return Checked(a.v_ * b.v_); }
  friend Num operator/(Num a, Num b) {
    if (b.v_ == 0.0) throw CalcError(ErrorKind::DivisionByZero);
    return Checked(a.v_ / b.v_);
  }
  friend Num operator-(Num a) { return Num(-a.v_); }
  Num& operator+=(Num b) { return *this = *this + b; }
  Num& operator-=(Num b) { return *this = *this - b; }
  Num& operator*=(Num b) { return *this = *this * b; }
  Num& operator/=(Num b) { return *this = *this / b; }

  friend bool operator==(Num a, Num b) { return a.v_ == b.v_; }
  friend bool operator!=(Num a, Num b) { return a.v_ != b.v_; }
  friend bool operator<(Num a, Num b) { return a.v_ < b.v_; }
  friend bool operator<=(Num a, Num b) { return a.v_ <= b.v_; }
  friend bool operator>(Num a, Num b) { return a.v_ > b.v_; }
  friend bool operator>=(Num a, Num b) { return a.v_ >= b.v_; }

 private:
  static Num Checked(double r) {
    if (!std::isfinite(r)) throw CalcError(ErrorKind::Overflow);
    return Num(r);
  }
  double v_ = 0.0;
};

// base ^ exponent. A negative base with an exponent that is not a whole
// number is CalcError(InvalidArgument); 0 to a negative power is a division
// by zero; a result beyond the double range is an overflow.
Num Power(Num base, Num exponent);

// The writing forms of numeric.h, taking a checked number.
inline std::string NumberText(Num x) { return NumberText(x.v()); }
inline double RoundHalfEven(Num x, int decimals) { return RoundHalfEven(x.v(), decimals); }
inline double Round2(Num x) { return Round2(x.v()); }
inline std::string FixedText(Num x, int decimals) { return FixedText(x.v(), decimals); }
inline std::string Fixed2(Num x) { return Fixed2(x.v()); }
inline void WriteRounded(std::string& field, Num x, std::string_view unit = {}) {
  WriteRounded(field, x.v(), unit);
}
inline void WriteRoundedFirst(std::string& field, Num x, std::string_view unit = {}) {
  WriteRoundedFirst(field, x.v(), unit);
}
inline void WritePlain(std::string& field, Num x) { WritePlain(field, x.v()); }

// A running total kept in a field: the number the field holds (the leading
// number, or with AddToStrict the whole text) plus the amount, written back
// as its 15-digit text. Cut to 15 significant digits after every step.
inline void AddTo(std::string& field, Num amount) { field = NumberText(Num(ReadNumber(field)) + amount); }
inline void AddToStrict(std::string& field, Num amount) {
  field = NumberText(Num(ReadNumberStrict(field)) + amount);
}

}  // namespace hc
