#include "numeric/numeric.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "numeric/checked.h"
#include "numeric/power.h"

namespace hc {

// ---------------------------------------------------------------- errors

std::string_view ErrorKindName(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::DivisionByZero: return "division-by-zero";
    case ErrorKind::Overflow: return "overflow";
    case ErrorKind::TypeMismatch: return "type-mismatch";
    case ErrorKind::InvalidArgument: return "invalid-argument";
  }
  return "invalid-argument";
}

std::string_view ErrorKindMessage(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::DivisionByZero: return "计算错误：除数为零，无法计算。";
    case ErrorKind::Overflow: return "计算错误：数值溢出，超出可计算的范围。";
    case ErrorKind::TypeMismatch: return "计算错误：类型不匹配，输入的不是一个完整的数字。";
    case ErrorKind::InvalidArgument: return "计算错误：无效的参数。";
  }
  return "计算错误。";
}

const char* CalcError::what() const noexcept { return ErrorKindName(kind_).data(); }

// ---------------------------------------------------------------- cleaning

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
  if (find.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (true) {
    std::size_t hit = text.find(find, pos);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(replacement);
    pos = hit + find.size();
  }
  out.append(text.substr(pos));
  return out;
}

std::string PlainWidth(std::string_view text) {
  // Every form in question is three bytes of UTF-8: EF BC 90..99 are the
  // full-width digits, EF BC 8E the full stop, EF BC 8D the minus, EF BC 8B
  // the plus, EF BC 85 the percent sign; E2 88 92 the minus sign and E3 80 80
  // the ideographic blank.
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    if (i + 2 < text.size()) {
      char plain = 0;
      if (b(0) == 0xEF && b(1) == 0xBC) {
        const unsigned char c = b(2);
        if (c >= 0x90 && c <= 0x99) plain = static_cast<char>('0' + (c - 0x90));
        if (c == 0x8E) plain = '.';
        if (c == 0x8D) plain = '-';
        if (c == 0x8B) plain = '+';
        if (c == 0x85) plain = '%';
      } else if (b(0) == 0xE2 && b(1) == 0x88 && b(2) == 0x92) {
        plain = '-';
      } else if (b(0) == 0xE3 && b(1) == 0x80 && b(2) == 0x80) {
        plain = ' ';
      }
      if (plain != 0) {
        out += plain;
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

void CleanNumberText(std::string& field, const PairList& pairs) {
  // What a Chinese input method types in full-width mode comes first.
  for (unsigned char c : field) {
    if (c == 0xEF || c == 0xE2 || c == 0xE3) {
      field = PlainWidth(field);
      break;
    }
  }
  for (const Pair& p : pairs) {
    if (field.find(p.find) == std::string::npos) continue;  // nothing to replace
    field = ReplaceAll(field, p.find, p.replacement);
  }
}

// ---------------------------------------------------------------- reading

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsExponentLetter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

// A number gathered into a plain buffer "[-]digits[.digits][e[-]digits]".
// Short numbers live in the inline buffer; longer ones spill to a string.
class NumberBuffer {
 public:
  void Push(char c) {
    if (spill_.empty() && len_ < sizeof(buf_) - 1) {
      buf_[len_++] = c;
      return;
    }
    if (spill_.empty()) spill_.assign(buf_, len_);
    spill_.push_back(c);
  }
  std::size_t Size() const { return spill_.empty() ? len_ : spill_.size(); }
  void Truncate(std::size_t n) {
    if (spill_.empty()) {
      len_ = n;
    } else {
      spill_.resize(n);
    }
  }
  std::string_view View() const { return spill_.empty() ? std::string_view(buf_, len_) : std::string_view(spill_); }

 private:
  char buf_[64];
  std::size_t len_ = 0;
  std::string spill_;
};

// The decimal exponent of the first significant digit of a gathered number
// "[-]digits[.digits][e[+-]digits]": 0 for 1.5, -3 for 0.00123, 2 for 1.5e2.
// The exponent has at most a dozen digits, so nothing overflows.
long long LeadingExponent(std::string_view s) {
  std::size_t i = s.empty() || s[0] != '-' ? 0 : 1;
  long long intDigits = 0;     // digits before the point
  long long firstNonZero = -1;  // position among all mantissa digits
  long long position = 0;
  bool point = false;
  for (; i < s.size() && s[i] != 'e'; ++i) {
    if (s[i] == '.') {
      point = true;
      continue;
    }
    if (firstNonZero < 0 && s[i] != '0') firstNonZero = position;
    ++position;
    if (!point) ++intDigits;
  }
  long long exponent = 0;
  if (i < s.size()) {
    const bool sign = i + 1 < s.size() && (s[i + 1] == '-' || s[i + 1] == '+');
    for (std::size_t k = i + (sign ? 2 : 1); k < s.size(); ++k) exponent = exponent * 10 + (s[k] - '0');
    if (sign && s[i + 1] == '-') exponent = -exponent;
  }
  if (firstNonZero < 0) return LLONG_MIN;  // all zeros: never out of range
  return exponent + intDigits - 1 - firstNonZero;
}

double Convert(NumberBuffer& buf) {
  const std::string_view s = buf.View();
  // The standard library's conversion is exact (round to nearest, halves to
  // even) and independent of the C locale and of the C runtime: the same on
  // every platform. It refuses only a value out of the double range; the
  // magnitude tells an overflow from an underflow to 0, which reads as a
  // zero of the number's sign.
  double value = 0.0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), value);
  if (r.ec == std::errc() && r.ptr == s.data() + s.size() && std::isfinite(value)) return value;
  if (r.ec != std::errc::result_out_of_range || LeadingExponent(s) >= 0) throw CalcError(ErrorKind::Overflow);
  return s[0] == '-' ? -0.0 : 0.0;
}

// Scans one number from text[pos]: sign, digits with one optional point,
// optional exponent. `skipBlanks` ignores blanks, tabs and line feeds
// anywhere (the leading-number reading). Returns the number of mantissa
// digits; `pos` ends after the last character that belongs to the number.
std::size_t ScanNumber(std::string_view text, std::size_t& pos, bool skipBlanks, NumberBuffer& buf) {
  auto skip = [&](std::size_t p) {
    if (skipBlanks) {
      while (p < text.size() && (text[p] == ' ' || text[p] == '\t' || text[p] == '\n')) ++p;
    }
    return p;
  };
  std::size_t p = skip(pos);
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
    if (text[p] == '-') buf.Push('-');
    p = skip(p + 1);
  }
  std::size_t digits = 0;
  bool point = false;
  std::size_t lastGood = p;
  while (p < text.size()) {
    char c = text[p];
    if (IsDigit(c)) {
      buf.Push(c);
      ++digits;
    } else if (c == '.' && !point) {
      point = true;
      buf.Push('.');
    } else {
      break;
    }
    lastGood = p + 1;
    p = skip(p + 1);
  }
  pos = lastGood;
  if (digits == 0) return 0;
  // Exponent: a letter, an optional sign and at least one digit.
  std::size_t q = skip(lastGood);
  if (q < text.size() && IsExponentLetter(text[q])) {
    std::size_t mark = buf.Size();
    buf.Push('e');
    std::size_t r = skip(q + 1);
    if (r < text.size() && (text[r] == '+' || text[r] == '-')) {
      buf.Push(text[r]);
      r = skip(r + 1);
    }
    std::size_t expDigits = 0;  // significant exponent digits kept
    bool sawExpDigit = false;
    std::size_t expEnd = r;
    while (r < text.size() && IsDigit(text[r])) {
      // Leading zeros are dropped and very long exponents clamped: beyond a
      // dozen digits the value is 0 or out of range anyway.
      if ((expDigits > 0 || text[r] != '0') && expDigits < 12) {
        buf.Push(text[r]);
        ++expDigits;
      }
      sawExpDigit = true;
      expEnd = r + 1;
      r = skip(r + 1);
    }
    if (!sawExpDigit) {
      buf.Truncate(mark);
    } else {
      if (expDigits == 0) buf.Push('0');
      pos = expEnd;
    }
  }
  return digits;
}

// The fast path of both readings, for the texts this program writes itself
// (NumberText's plain and exponent forms, read back at every step of a
// running total): a text of digits, points, signs and 'E' alone that the
// standard library's exact conversion takes whole reads as that number,
// which is what the general scan gives for it. Anything else, or a value
// out of range, is left to the scan.
bool ReadWritten(std::string_view text, double& value) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!IsDigit(c) && c != '.' && c != '-' && c != '+' && c != 'E') return false;
  }
  auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

}  // namespace

double ReadNumber(std::string_view text) {
  if (double fast = 0.0; ReadWritten(text, fast)) return fast;
  NumberBuffer buf;
  std::size_t pos = 0;
  if (ScanNumber(text, pos, true, buf) == 0) return 0.0;
  return Convert(buf);
}

double ReadNumberStrict(std::string_view text) {
  if (double fast = 0.0; ReadWritten(text, fast)) return fast;
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  std::string_view core = text.substr(b, e - b);
  NumberBuffer buf;
  std::size_t pos = 0;
  if (ScanNumber(core, pos, false, buf) == 0 || pos != core.size()) {
    throw CalcError(ErrorKind::TypeMismatch);
  }
  return Convert(buf);
}

// ---------------------------------------------------------------- writing

namespace {

// The 15 significant digits of |x| and its decimal exponent:
// |x| = d0.d1d2...d14 × 10^exp. x must be finite and non-zero.
struct Digits15 {
  char d[15];
  int exp;
};

Digits15 SignificantDigits(double x) {
  char buf[40];
  auto r = std::to_chars(buf, buf + sizeof(buf), std::fabs(x), std::chars_format::scientific, 14);
  // buf holds "d.dddddddddddddde[+-]XX"
  Digits15 out{};
  out.d[0] = buf[0];
  std::memcpy(out.d + 1, buf + 2, 14);
  const char* e = buf + 16;  // 'e'
  int sign = e[1] == '-' ? -1 : 1;
  int v = 0;
  for (const char* p = e + 2; p < r.ptr; ++p) v = v * 10 + (*p - '0');
  out.exp = sign * v;
  return out;
}

void CheckFinite(double x) {
  if (!std::isfinite(x)) throw CalcError(ErrorKind::Overflow);
}

// 10^0 to 10^kMaxDecimals, each exact in a double.
constexpr double kPowersOfTen[kMaxDecimals + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

int CheckedDecimals(int decimals) {
  if (decimals < 0 || decimals > kMaxDecimals) throw std::out_of_range("decimals beyond 0.." + std::to_string(kMaxDecimals));
  return decimals;
}

}  // namespace

std::string NumberText(double x) {
  CheckFinite(x);
  if (x == 0.0) return "0";
  Digits15 s = SignificantDigits(x);
  int nd = 15;
  while (nd > 1 && s.d[nd - 1] == '0') --nd;
  std::string out;
  out.reserve(24);
  if (x < 0) out.push_back('-');
  if (s.exp >= -4 && s.exp <= 14) {
    if (s.exp < 0) {
      out.append("0.");
      out.append(static_cast<std::size_t>(-s.exp - 1), '0');
      out.append(s.d, static_cast<std::size_t>(nd));
    } else {
      int intDigits = s.exp + 1;
      for (int i = 0; i < intDigits; ++i) out.push_back(i < nd ? s.d[i] : '0');
      if (nd > intDigits) {
        out.push_back('.');
        out.append(s.d + intDigits, static_cast<std::size_t>(nd - intDigits));
      }
    }
  } else {
    out.push_back(s.d[0]);
    if (nd > 1) {
      out.push_back('.');
      out.append(s.d + 1, static_cast<std::size_t>(nd - 1));
    }
    out.push_back('E');
    out.push_back(s.exp < 0 ? '-' : '+');
    int a = s.exp < 0 ? -s.exp : s.exp;
    if (a < 10) out.push_back('0');
    out.append(std::to_string(a));
  }
  return out;
}

double RoundHalfEven(double x, int decimals) {
  const double scale = kPowersOfTen[CheckedDecimals(decimals)];
  CheckFinite(x);
  double p = x * scale;
  CheckFinite(p);
  double r = std::nearbyint(p);  // round to nearest, halves to even
  double out = r / scale;
  return out == 0.0 ? 0.0 : out;
}

std::string FixedText(double x, int decimals) {
  const std::size_t places = static_cast<std::size_t>(CheckedDecimals(decimals));
  CheckFinite(x);
  std::string scaled;  // decimal digits of the rounded value × 10^decimals
  if (x != 0.0) {
    Digits15 s = SignificantDigits(x);
    // value × 10^decimals = D × 10^k with D the 15-digit integer.
    int k = s.exp - 14 + decimals;
    if (k >= 0) {
      scaled.assign(s.d, 15);
      scaled.append(static_cast<std::size_t>(k), '0');
    } else {
      int keep = 15 + k;  // digits at or above the last decimal kept
      char dropped = '0';
      if (keep >= 0 && keep < 15) dropped = s.d[keep];
      if (keep > 0) scaled.assign(s.d, static_cast<std::size_t>(keep));
      if (dropped >= '5') {
        // add one in the last place kept, carrying through the digits
        std::size_t i = scaled.size();
        while (i > 0 && scaled[i - 1] == '9') scaled[--i] = '0';
        if (i == 0) {
          scaled.insert(scaled.begin(), '1');
        } else {
          ++scaled[i - 1];
        }
      }
    }
    std::size_t first = scaled.find_first_not_of('0');
    scaled.erase(0, first == std::string::npos ? scaled.size() : first);
  }
  const bool negative = x < 0 && !scaled.empty();
  while (scaled.size() < places + 1) scaled.insert(scaled.begin(), '0');
  std::string out;
  out.reserve(scaled.size() + 2);
  if (negative) out.push_back('-');
  out.append(scaled, 0, scaled.size() - places);
  if (places > 0) {
    out.push_back('.');
    out.append(scaled, scaled.size() - places, places);
  }
  return out;
}

// The writes go through a local text and reach the field only when all of
// them succeeded: a step that fails (an overflow in the rounding) writes
// nothing.
void WriteRounded(std::string& field, double x, std::string_view unit) {
  std::string text = NumberText(x);
  text = NumberText(Round2(ReadNumber(text)));
  text = Fixed2(ReadNumber(text));
  text.append(unit);
  field = std::move(text);
}

void RoundInPlace(std::string& field, std::string_view unit) {
  std::string text = NumberText(Round2(ReadNumber(field)));
  text = Fixed2(ReadNumber(text));
  text.append(unit);
  field = std::move(text);
}

void WriteRoundedFirst(std::string& field, double x, std::string_view unit) {
  std::string text = NumberText(Round2(x));
  text = Fixed2(ReadNumber(text));
  text.append(unit);
  field = std::move(text);
}

void WritePlain(std::string& field, double x) { field = NumberText(x); }

// ---------------------------------------------------------------- whole numbers

std::int32_t RoundToInt32(double x) {
  if (!std::isfinite(x)) throw CalcError(ErrorKind::Overflow);
  double r = std::nearbyint(x);  // round to nearest, halves to even
  if (r < static_cast<double>(INT32_MIN) || r > static_cast<double>(INT32_MAX)) {
    throw CalcError(ErrorKind::Overflow);
  }
  return static_cast<std::int32_t>(r);
}

std::int32_t WholeQuotient(double a, double b) {
  std::int32_t ia = RoundToInt32(a);
  std::int32_t ib = RoundToInt32(b);
  if (ib == 0) throw CalcError(ErrorKind::DivisionByZero);
  if (ia == INT32_MIN && ib == -1) throw CalcError(ErrorKind::Overflow);
  return ia / ib;
}

// ---------------------------------------------------------------- power

Num Power(Num base, Num exponent) {
  double b = base.v();
  double e = exponent.v();
  if (b < 0 && e != std::trunc(e)) throw CalcError(ErrorKind::InvalidArgument);
  if (b == 0 && e < 0) throw CalcError(ErrorKind::DivisionByZero);
  double r = PowerRounded(b, e);
  if (!std::isfinite(r)) throw CalcError(ErrorKind::Overflow);
  return Num(r);
}

}  // namespace hc
