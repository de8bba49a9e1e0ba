// Fuzz target: the two readings of a field's text.
//
// ReadNumber fails only by overflow and agrees with a plain reference
// reading (blanks dropped first, the longest leading number, converted by
// strtod); ReadNumberStrict fails only by type mismatch or overflow, and
// where it succeeds the leading-number reading gives the same value.
#include <cerrno>
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/properties.h"

namespace {

using namespace hc::fuzz;

struct Reference {
  bool overflow = false;
  double value = 0.0;
};

// The leading-number rule written out directly: drop every blank, tab and
// line feed, take the longest prefix of the form
// [+-] digits-with-at-most-one-point [EeDd [+-] digits], at least one digit
// in the mantissa, and convert it.
Reference ReferenceRead(std::string_view text) {
  std::string s;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') s += c;
  }
  std::size_t p = 0;
  std::string number;
  if (p < s.size() && (s[p] == '+' || s[p] == '-')) number += s[p++];
  bool point = false;
  std::size_t digits = 0;
  while (p < s.size()) {
    if (s[p] >= '0' && s[p] <= '9') {
      ++digits;
    } else if (s[p] == '.' && !point) {
      point = true;
    } else {
      break;
    }
    number += s[p++];
  }
  if (digits == 0) return {};
  if (p < s.size() && std::strchr("EeDd", s[p]) != nullptr && s[p] != '\0') {
    std::size_t q = p + 1;
    std::string exponent = "e";
    if (q < s.size() && (s[q] == '+' || s[q] == '-')) exponent += s[q++];
    std::size_t expDigits = 0;
    while (q < s.size() && s[q] >= '0' && s[q] <= '9') {
      exponent += s[q++];
      ++expDigits;
    }
    if (expDigits > 0) number += exponent;
  }
  errno = 0;
  double v = std::strtod(number.c_str(), nullptr);
  Reference r;
  r.overflow = std::isinf(v);
  r.value = r.overflow ? 0.0 : v;
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::setlocale(LC_ALL, "C");
  const std::string text(reinterpret_cast<const char*>(data), size);

  double loose = 0.0;
  int looseError = ErrorOf([&] { loose = hc::ReadNumber(text); }, "ReadNumber", text);
  Check(looseError == -1 || looseError == kOverflow, "ReadNumber throws only overflow", text,
        "kind " + std::to_string(looseError));
  Check(looseError != -1 || std::isfinite(loose), "ReadNumber gives a finite value", text, Str(loose));

  Reference ref = ReferenceRead(text);
  Check((looseError == kOverflow) == ref.overflow, "ReadNumber overflows exactly when the number is beyond range",
        text, "reference value " + Str(ref.value));
  if (looseError == -1) {
    Check(loose == ref.value, "ReadNumber matches the leading-number rule", text,
          "got " + Str(loose) + ", rule gives " + Str(ref.value));
  }

  double strict = 0.0;
  int strictError = ErrorOf([&] { strict = hc::ReadNumberStrict(text); }, "ReadNumberStrict", text);
  Check(strictError == -1 || strictError == kTypeMismatch || strictError == kOverflow,
        "ReadNumberStrict throws only type mismatch or overflow", text, "kind " + std::to_string(strictError));
  if (strictError == -1) {
    Check(std::isfinite(strict), "ReadNumberStrict gives a finite value", text, Str(strict));
    Check(looseError == -1 && loose == strict, "a whole number reads the same both ways", text,
          "strict " + Str(strict) + ", leading " + Str(loose));
    // A whole number followed by text that cannot continue it reads the same.
    double tail = 0.0;
    int tailError = ErrorOf([&] { tail = hc::ReadNumber(text + "元abc"); }, "ReadNumber", text);
    Check(tailError == -1 && tail == strict, "reading stops at the first character that does not fit", text,
          Str(tail));
  }
  if (strictError == kOverflow) {
    Check(looseError == kOverflow, "a whole number beyond range overflows both ways", text);
  }
  return 0;
}
