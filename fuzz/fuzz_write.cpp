// Fuzz target: writing numbers back into fields.
//
// The values come from the input twice over: its first eight bytes as the
// bits of a double (every double, infinities and not-a-numbers included),
// and the input read as a decimal text (so that a corpus of texts such as
// '2.675' reaches the halves). For each value:
// - NumberText is the %.15G text, never '-0', never an infinity or
//   not-a-number spelling, and reads back as the value to 15 digits;
// - Fixed2 matches -?[0-9]+\.[0-9]{2}, never '-0.00', and is the 15-digit
//   value rounded at the cent with halves away from zero;
// - Round2 stays within half a cent, never gives -0;
// - WriteRounded and WriteRoundedFirst end in the two-decimal form plus the
//   unit, and fail only by overflow, leaving no infinity text behind;
// - the whole-number helpers fail only by overflow or division by zero.
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "fuzz/properties.h"

namespace {

using namespace hc::fuzz;

// "-?(0|[1-9][0-9]*)\.[0-9]{2}"
bool IsFixed2Form(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && s[i] == '-') ++i;
  std::size_t intStart = i;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
  std::size_t intDigits = i - intStart;
  if (intDigits == 0 || (intDigits > 1 && s[intStart] == '0')) return false;
  if (i >= s.size() || s[i] != '.') return false;
  ++i;
  if (s.size() - i != 2) return false;
  return s[i] >= '0' && s[i] <= '9' && s[i + 1] >= '0' && s[i + 1] <= '9';
}

// x to 15 significant digits, as a plain decimal digit string with the
// point at `point` (digits before it), or "0" for zero.
struct Decimal {
  bool negative = false;
  std::string digits;  // no leading zeros except a lone "0"
  int point = 0;       // number of digits before the decimal point (may be <= 0)
};

Decimal FifteenDigits(double x) {
  char buf[64];
  std::snprintf(buf, sizeof(buf), "%.14e", x);  // sign, 15 digits, exponent
  Decimal d;
  const char* p = buf;
  if (*p == '-') {
    d.negative = true;
    ++p;
  }
  d.digits += p[0];
  d.digits.append(p + 2, 14);
  d.point = std::atoi(p + 17) + 1;
  return d;
}

// The cent text of x by decimal arithmetic on its 15-digit text: halves away
// from zero, no sign on zero.
std::string ReferenceFixed2(double x) {
  if (x == 0.0) return "0.00";
  Decimal d = FifteenDigits(x);
  // Digits of the value × 100, rounded at the units.
  std::string all = d.digits;
  int centPoint = d.point + 2;  // digits before the point of value × 100
  std::string whole;
  char next = '0';
  if (centPoint <= 0) {
    whole = "0";
    next = centPoint == 0 ? all[0] : '0';
  } else if (centPoint >= static_cast<int>(all.size())) {
    whole = all + std::string(static_cast<std::size_t>(centPoint) - all.size(), '0');
  } else {
    whole = all.substr(0, static_cast<std::size_t>(centPoint));
    next = all[static_cast<std::size_t>(centPoint)];
  }
  if (next >= '5') {
    int i = static_cast<int>(whole.size()) - 1;
    while (i >= 0 && whole[static_cast<std::size_t>(i)] == '9') whole[static_cast<std::size_t>(i--)] = '0';
    if (i < 0) {
      whole.insert(whole.begin(), '1');
    } else {
      ++whole[static_cast<std::size_t>(i)];
    }
  }
  std::size_t nz = whole.find_first_not_of('0');
  if (nz == std::string::npos) return "0.00";
  whole.erase(0, nz);
  while (whole.size() < 3) whole.insert(whole.begin(), '0');
  std::string out = d.negative ? "-" : "";
  out += whole.substr(0, whole.size() - 2);
  out += '.';
  out += whole.substr(whole.size() - 2);
  return out;
}

void CheckValue(double x, std::string_view input) {
  const std::string v = " for x = " + Str(x);
  const bool finite = std::isfinite(x);

  // NumberText
  std::string text;
  int err = ErrorOf([&] { text = hc::NumberText(x); }, "NumberText", input);
  if (!finite) {
    Check(err == kOverflow, "NumberText of a non-finite value is an overflow", input, v);
  } else {
    Check(err == -1, "NumberText of a finite value succeeds", input, v);
    Check(!HasNonFiniteSpelling(text), "NumberText never writes inf or nan", input, text + v);
    Check(text != "-0" && !(text[0] == '-' && std::strtod(text.c_str(), nullptr) == 0.0),
          "NumberText never writes a negative zero", input, text + v);
    char ref[64];
    std::snprintf(ref, sizeof(ref), "%.15G", x == 0.0 ? 0.0 : x);
    Check(text == ref, "NumberText is the %.15G text", input, "got " + text + ", %.15G gives " + ref + v);

    // Read back: x to 15 significant digits, or an overflow when those
    // digits lie beyond the double range (just below the largest double).
    char digits15[64];
    std::snprintf(digits15, sizeof(digits15), "%.14e", x);
    const double expected = std::strtod(digits15, nullptr);
    double back = 0.0;
    int backErr = ErrorOf([&] { back = hc::ReadNumber(text); }, "ReadNumber", text);
    if (std::isinf(expected)) {
      Check(backErr == kOverflow, "NumberText beyond range reads back as an overflow", input, text + v);
    } else {
      Check(backErr == -1 && back == expected, "ReadNumber(NumberText(x)) gives x to 15 digits", input,
            text + " read back as " + Str(back) + ", expected " + Str(expected) + v);
      double strict = 0.0;
      int strictErr = ErrorOf([&] { strict = hc::ReadNumberStrict(text); }, "ReadNumberStrict", text);
      Check(strictErr == -1 && strict == back, "a written number reads the same strictly", input, text + v);
    }
  }

  // Fixed2
  std::string fixed;
  err = ErrorOf([&] { fixed = hc::Fixed2(x); }, "Fixed2", input);
  if (!finite) {
    Check(err == kOverflow, "Fixed2 of a non-finite value is an overflow", input, v);
  } else {
    Check(err == -1, "Fixed2 of a finite value succeeds", input, v);
    Check(IsFixed2Form(fixed), "Fixed2 matches -?[0-9]+\\.[0-9]{2}", input, fixed + v);
    Check(fixed != "-0.00", "Fixed2 never writes -0.00", input, v);
    std::string ref = ReferenceFixed2(x);
    Check(fixed == ref, "Fixed2 rounds the 15-digit value half away from zero", input,
          "got " + fixed + ", expected " + ref + v);
  }

  // Round2
  double r = 0.0;
  err = ErrorOf([&] { r = hc::Round2(x); }, "Round2", input);
  const bool timesHundredOverflows = !finite || std::isinf(x * 100.0);
  if (timesHundredOverflows) {
    Check(err == kOverflow, "Round2 overflows when x × 100 does", input, v);
  } else {
    Check(err == -1 && std::isfinite(r), "Round2 succeeds when x × 100 is in range", input, v);
    Check(!(r == 0.0 && std::signbit(r)), "Round2 never gives -0", input, v);
    const double slack = 0.005 + std::fabs(x) * 4 * std::numeric_limits<double>::epsilon();
    Check(std::fabs(r - x) <= slack, "Round2 stays within half a cent", input, "gave " + Str(r) + v);
  }

  // WriteRounded and WriteRoundedFirst into a field, with and without unit.
  for (std::string_view unit : {std::string_view{}, std::string_view{"元"}, std::string_view{"%"}}) {
    for (int first = 0; first < 2; ++first) {
      const char* name = first ? "WriteRoundedFirst" : "WriteRounded";
      std::string field = "最低价";
      err = ErrorOf(
          [&] {
            if (first) {
              hc::WriteRoundedFirst(field, x, unit);
            } else {
              hc::WriteRounded(field, x, unit);
            }
          },
          name, input);
      Check(!HasNonFiniteSpelling(field), std::string(name) + " never leaves inf or nan in the field", input,
            field + v);
      // Well inside the range it must succeed; just below the largest
      // double / 100 the 15-digit text may already be beyond it.
      if (finite && std::fabs(x) < 1e306) {
        Check(err == -1, std::string(name) + " succeeds for a value in range", input, field + v);
      }
      if (err != -1) {
        Check(err == kOverflow, std::string(name) + " fails only by overflow", input, v);
        continue;
      }
      Check(field.size() >= unit.size() && field.compare(field.size() - unit.size(), unit.size(), unit) == 0,
            std::string(name) + " ends with the unit", input, field + v);
      std::string number = field.substr(0, field.size() - unit.size());
      Check(IsFixed2Form(number) && number != "-0.00", std::string(name) + " writes the two-decimal form", input,
            field + v);
      const double written = std::strtod(number.c_str(), nullptr);
      const double slack = 0.0100001 + std::fabs(x) * 1e-14;
      Check(std::fabs(written - x) <= slack, std::string(name) + " writes x to the cent", input, field + v);
    }
  }
}

void CheckWhole(double a, double b, std::string_view input) {
  std::int32_t ra = 0;
  int err = ErrorOf([&] { ra = hc::RoundToInt32(a); }, "RoundToInt32", input);
  const bool inRange = std::isfinite(a) && std::nearbyint(a) >= -2147483648.0 && std::nearbyint(a) <= 2147483647.0;
  Check(inRange ? err == -1 : err == kOverflow, "RoundToInt32 fails exactly out of range", input, Str(a));
  if (err == -1) Check(ra == static_cast<std::int32_t>(std::nearbyint(a)), "RoundToInt32 rounds", input, Str(a));

  std::int32_t q = 0;
  err = ErrorOf([&] { q = hc::WholeQuotient(a, b); }, "WholeQuotient", input);
  Check(err == -1 || err == kOverflow || err == kDivisionByZero, "WholeQuotient fails only by overflow or zero",
        input, Str(a) + " / " + Str(b));
  if (err == -1) {
    const double exact = std::trunc(std::nearbyint(a) / std::nearbyint(b));
    Check(static_cast<double>(q) == exact, "WholeQuotient truncates the quotient", input,
          Str(a) + " / " + Str(b) + " gave " + std::to_string(q));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::setlocale(LC_ALL, "C");
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (size >= 8) {
    double bits = 0.0;
    std::memcpy(&bits, data, 8);
    CheckValue(bits, input);
    if (size >= 16) {
      double other = 0.0;
      std::memcpy(&other, data + 8, 8);
      CheckWhole(bits, other, input);
    }
  }
  // The input as a decimal text, as strtod reads it (up to the first byte
  // that does not fit); long texts are cut, the digits beyond 40 do not
  // change a double.
  std::string text(input.substr(0, 400));
  const double parsed = std::strtod(text.c_str(), nullptr);
  CheckValue(parsed, input);
  CheckValue(-parsed, input);
  const double scaled = parsed / 100.0;  // the cent halves of the text, such as 267.5 → 2.675
  CheckValue(scaled, input);
  CheckWhole(parsed, scaled, input);
  return 0;
}
