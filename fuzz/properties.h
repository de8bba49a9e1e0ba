// Shared checks of the numeric fuzz targets: a failed property prints the
// input and the property and aborts, which libFuzzer records as a crash
// (and the corpus replay as a failed test).
#pragma once

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "numeric/numeric.h"

namespace hc::fuzz {

// The input as a C string literal, non-printable bytes escaped.
inline std::string Escaped(std::string_view s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7f) {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof(buf), "\\x%02x", c);
      out += buf;
    }
  }
  return out + "\"";
}

[[noreturn]] inline void Fail(std::string_view property, std::string_view input, std::string_view detail) {
  std::fprintf(stderr, "PROPERTY FAILED: %.*s\n  input: %s\n  %.*s\n", static_cast<int>(property.size()),
               property.data(), Escaped(input).c_str(), static_cast<int>(detail.size()), detail.data());
  std::fflush(stderr);
  std::abort();
}

inline void Check(bool ok, std::string_view property, std::string_view input, std::string_view detail = {}) {
  if (!ok) Fail(property, input, detail);
}

inline std::string Str(double x) {
  char buf[64];
  std::snprintf(buf, sizeof(buf), "%.17g", x);
  return buf;
}

// No infinity or not-a-number spelling in any case, nor the "1.#INF" forms.
inline bool HasNonFiniteSpelling(std::string_view s) {
  std::string lower;
  for (char c : s) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos ||
         lower.find("1.#") != std::string::npos;
}

// Well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
inline bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      n = 1;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      n = 2;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      n = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + n >= s.size()) return false;  // the sequence runs past the end
    for (std::size_t k = 1; k <= n; ++k) {
      unsigned char d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    if ((n == 2 && cp < 0x800) || (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF)) {
      return false;
    }
    i += n + 1;
  }
  return true;
}

// Runs `f`; returns the kind of CalcError it threw, or -1 when it returned.
// Any other exception is a failed property.
template <class F>
int ErrorOf(F&& f, std::string_view property, std::string_view input) {
  try {
    f();
    return -1;
  } catch (const CalcError& e) {
    return static_cast<int>(e.kind());
  } catch (const std::exception& e) {
    Fail(property, input, std::string("threw a non-calculation exception: ") + e.what());
  } catch (...) {
    Fail(property, input, "threw something that is not an exception");
  }
}

inline constexpr int kOverflow = static_cast<int>(ErrorKind::Overflow);
inline constexpr int kTypeMismatch = static_cast<int>(ErrorKind::TypeMismatch);
inline constexpr int kDivisionByZero = static_cast<int>(ErrorKind::DivisionByZero);

}  // namespace hc::fuzz
