#include "numeric/fields.h"

#include "numeric/numeric.h"

namespace hc {

namespace {

using Int = Decimal::Int;

// The units of each kind, removed in this order after the decimal marks.
constexpr PairList kPriceMarks = DecimalMarks.Then({Remove("元")});
constexpr PairList kCountMarks = DecimalMarks.Then({Remove("股"), Remove("张"), Remove("份"), Remove("天")});
constexpr PairList kPercentMarks = DecimalMarks.Then({Remove("%")});
// "万分之" goes before "万", so that its 万 is not read as a factor.
constexpr PairList kRateMarks = DecimalMarks.Then({Remove("万分之"), Remove("万"), Remove("‱")});

const PairList& MarksOf(FieldKind kind) {
  switch (kind) {
    case FieldKind::Price:
    case FieldKind::CostPrice:
    case FieldKind::Amount:
      return kPriceMarks;
    case FieldKind::Count:
      return kCountMarks;
    case FieldKind::Percent:
      return kPercentMarks;
    case FieldKind::Rate:
      return kRateMarks;
  }
  return kPriceMarks;
}

// A trailing unit that multiplies the number before it by 10^places.
struct Factor {
  std::string_view unit;
  int places;
};
constexpr Factor kCountFactors[] = {{"万", 4}, {"亿", 8}};
constexpr Factor kRateFactors[] = {{"%", 2}, {"‰", 1}};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether the text is a plain decimal number: an optional sign, digits with
// at most one point, at least one digit, nothing else.
bool IsPlainDecimal(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool point = false;
  bool digit = false;
  for (; i < text.size(); ++i) {
    if (text[i] == '.' && !point) {
      point = true;
    } else if (IsDigit(text[i])) {
      digit = true;
    } else {
      return false;
    }
  }
  return digit;
}

// A plain decimal number times 10^places, written as a plain number without
// leading zeros in its whole part or trailing zeros among its decimals:
// ("1.5", 4) → "15000", ("0.025", 2) → "2.5". Exact for any length.
std::string ShiftPoint(std::string_view plain, int places) {
  bool negative = false;
  if (!plain.empty() && (plain[0] == '+' || plain[0] == '-')) {
    negative = plain[0] == '-';
    plain.remove_prefix(1);
  }
  const std::size_t point = plain.find('.');
  std::string digits(plain.substr(0, point));
  std::size_t wholeLength = digits.size() + static_cast<std::size_t>(places);
  if (point != std::string_view::npos) digits += plain.substr(point + 1);
  if (digits.size() < wholeLength) digits.append(wholeLength - digits.size(), '0');
  std::string whole = digits.substr(0, wholeLength);
  std::string fraction = digits.substr(wholeLength);
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
  if (whole.empty()) whole = "0";
  fraction.erase(fraction.find_last_not_of('0') + 1);
  std::string out = whole;
  if (!fraction.empty()) out += "." + fraction;
  if (negative && out != "0") out.insert(0, "-");
  return out;
}

// Applies a trailing factor of the list to a plain number before it.
template <std::size_t N>
void ApplyFactor(std::string& field, const Factor (&factors)[N]) {
  for (const Factor& f : factors) {
    const std::string_view text = field;
    if (text.size() <= f.unit.size() || text.substr(text.size() - f.unit.size()) != f.unit) continue;
    const std::string_view number = TrimBlanks(text.substr(0, text.size() - f.unit.size()));
    if (IsPlainDecimal(number)) field = ShiftPoint(number, f.places);
    return;
  }
}

std::string Concat(std::string_view a, std::string_view b, std::string_view c = {}) {
  std::string s;
  s.reserve(a.size() + b.size() + c.size());
  s.append(a).append(b).append(c);
  return s;
}

FieldRead Fail(std::string message) {
  FieldRead r;
  r.message = std::move(message);
  return r;
}

FieldRead Pass(const Decimal& v) {
  FieldRead r;
  r.value = v;
  return r;
}

// The whole digits a number may have before it is too large for any range:
// far beyond every limit, and within the exact type with room to spare.
constexpr int kMaxWholeDigits = 36;
// The significant digits a read number keeps at most.
constexpr int kMaxDigits = 37;

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  auto blankAtStart = [](std::string_view t) -> std::size_t {
    if (t.empty()) return 0;
    if (t[0] == ' ' || t[0] == '\t' || t[0] == '\n' || t[0] == '\r' || t[0] == '\v' || t[0] == '\f') return 1;
    if (t.substr(0, 3) == "\xE3\x80\x80") return 3;  // the ideographic blank
    return 0;
  };
  auto blankAtEnd = [](std::string_view t) -> std::size_t {
    if (t.empty()) return 0;
    const char c = t.back();
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') return 1;
    if (t.size() >= 3 && t.substr(t.size() - 3) == "\xE3\x80\x80") return 3;
    return 0;
  };
  for (std::size_t n; (n = blankAtStart(text)) != 0;) text.remove_prefix(n);
  for (std::size_t n; (n = blankAtEnd(text)) != 0;) text.remove_suffix(n);
  return text;
}

void CleanField(std::string& field, FieldKind kind) {
  CleanNumberText(field, MarksOf(kind));
  field = std::string(TrimBlanks(field));
  if (kind == FieldKind::Count || kind == FieldKind::Amount) ApplyFactor(field, kCountFactors);
  if (kind == FieldKind::Rate) ApplyFactor(field, kRateFactors);
}

FieldNumber ReadFieldNumber(std::string_view cleaned) {
  FieldNumber out;
  if (cleaned.empty()) return out;
  if (!IsPlainDecimal(cleaned)) {
    out.state = FieldNumber::State::NotNumber;
    return out;
  }
  bool negative = false;
  if (cleaned[0] == '+' || cleaned[0] == '-') {
    negative = cleaned[0] == '-';
    cleaned.remove_prefix(1);
  }
  const std::size_t point = cleaned.find('.');
  std::string_view whole = cleaned.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : cleaned.substr(point + 1);
  whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
  if (static_cast<int>(whole.size()) > kMaxWholeDigits) {
    out.state = FieldNumber::State::Huge;
    out.negative = negative;
    return out;
  }
  // Decimals beyond what is kept are rounded off, half up.
  const int keep = std::min<int>(Decimal::kMaxScale, kMaxDigits - static_cast<int>(whole.size()));
  const int decimals = std::min<int>(keep, static_cast<int>(fraction.size()));
  Int units = 0;
  for (char c : whole) units = units * 10 + (c - '0');
  for (int i = 0; i < decimals; ++i) units = units * 10 + (fraction[static_cast<std::size_t>(i)] - '0');
  if (static_cast<int>(fraction.size()) > decimals && fraction[static_cast<std::size_t>(decimals)] >= '5') ++units;
  out.state = FieldNumber::State::Number;
  out.value = Decimal(negative ? -units : units, decimals).Normalized();
  return out;
}

std::string MissingMessage(std::string_view name) { return Concat("请输入", name, "！"); }
std::string NotNumberMessage(std::string_view name) { return Concat(name, "不是有效数字！"); }

FieldRead ReadPrice(std::string_view cleaned, std::string_view name, int tickDecimals, std::int64_t high) {
  const FieldNumber n = ReadFieldNumber(cleaned);
  const std::string notPositive = Concat(name, "必须大于0！");
  const std::string tooHigh = Concat(name, "不能大于", std::to_string(high) + "！");
  switch (n.state) {
    case FieldNumber::State::Missing: return Fail(MissingMessage(name));
    case FieldNumber::State::NotNumber: return Fail(NotNumberMessage(name));
    case FieldNumber::State::Huge: return Fail(n.negative ? notPositive : tooHigh);
    case FieldNumber::State::Number: break;
  }
  const Decimal v = n.value.Round(tickDecimals);
  if (v.sign() <= 0) return Fail(notPositive);
  if (v > Decimal::Whole(high)) return Fail(tooHigh);
  return Pass(v);
}

FieldRead ReadCostPrice(std::string_view cleaned, std::string_view name, std::int64_t low, std::int64_t high) {
  const std::string range = Concat(name, "必须在", std::to_string(low) + "到" + std::to_string(high) + "之间！");
  return ReadInRange(cleaned, name, Bound{Decimal::Whole(low)}, range, Bound{Decimal::Whole(high)}, range);
}

FieldRead ReadCount(std::string_view cleaned, std::string_view name, std::int64_t low, std::int64_t high) {
  const std::string range =
      Concat(name, "必须是", std::to_string(low) + "到" + std::to_string(high) + "之间的整数！");
  FieldRead r = ReadInRange(cleaned, name, Bound{Decimal::Whole(low)}, range, Bound{Decimal::Whole(high)}, range);
  if (r && !r.value->IsWhole()) return Fail(range);
  return r;
}

FieldRead ReadInRange(std::string_view cleaned, std::string_view name, Bound low, std::string_view belowMessage,
                      Bound high, std::string_view aboveMessage) {
  const FieldNumber n = ReadFieldNumber(cleaned);
  switch (n.state) {
    case FieldNumber::State::Missing: return Fail(MissingMessage(name));
    case FieldNumber::State::NotNumber: return Fail(NotNumberMessage(name));
    case FieldNumber::State::Huge: return Fail(std::string(n.negative ? belowMessage : aboveMessage));
    case FieldNumber::State::Number: break;
  }
  const Decimal& v = n.value;
  if (low.inclusive ? v < low.value : v <= low.value) return Fail(std::string(belowMessage));
  if (high.inclusive ? v > high.value : v >= high.value) return Fail(std::string(aboveMessage));
  return Pass(v);
}

}  // namespace hc
