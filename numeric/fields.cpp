#include "numeric/fields.h"

#include <algorithm>
#include <span>

#include "numeric/numeric.h"

namespace hc {

namespace {

using Int = Decimal::Int;

// The units of each kind, removed in this order; the decimal marks come
// after the thousands separators.
constexpr PairList kPriceUnits{Remove("元")};
constexpr PairList kCountUnits{Remove("股"), Remove("张"), Remove("份"), Remove("天")};
constexpr PairList kPercentUnits{Remove("%")};
// "万分之" goes before "万", so that its 万 is not read as a factor.
constexpr PairList kRateUnits{Remove("万分之"), Remove("万"), Remove("‱")};

const PairList& UnitsOf(FieldKind kind) {
  switch (kind) {
    case FieldKind::Price:
    case FieldKind::CostPrice:
    case FieldKind::Amount:
      return kPriceUnits;
    case FieldKind::Count:
      return kCountUnits;
    case FieldKind::Percent:
      return kPercentUnits;
    case FieldKind::Rate:
      return kRateUnits;
  }
  return kPriceUnits;
}

// A trailing unit that multiplies the number before it by 10^places.
struct Factor {
  std::string_view unit;
  int places;
};
// "万亿" goes before "亿", which ends it.
constexpr Factor kCountFactors[] = {{"万亿", 12}, {"万", 4}, {"亿", 8}};
constexpr Factor kRateFactors[] = {{"%", 2}, {"‰", 1}};

std::span<const Factor> FactorsOf(FieldKind kind) {
  if (kind == FieldKind::Count || kind == FieldKind::Amount) return kCountFactors;
  if (kind == FieldKind::Rate) return kRateFactors;
  return {};
}

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

// The trailing factor of the list the text ends with, if any.
const Factor* TrailingFactor(std::string_view text, std::span<const Factor> factors) {
  for (const Factor& f : factors) {
    if (text.size() > f.unit.size() && text.substr(text.size() - f.unit.size()) == f.unit) return &f;
  }
  return nullptr;
}

// The number before a trailing factor of the list (or the whole text),
// blanks trimmed.
std::string_view NumberPart(std::string_view text, std::span<const Factor> factors) {
  const Factor* f = TrailingFactor(text, factors);
  return TrimBlanks(f != nullptr ? text.substr(0, text.size() - f->unit.size()) : text);
}

// Applies a trailing factor of the list to a plain number before it.
void ApplyFactor(std::string& field, std::span<const Factor> factors) {
  const Factor* f = TrailingFactor(field, factors);
  if (f == nullptr) return;
  const std::string_view number = NumberPart(field, factors);
  if (IsPlainDecimal(number)) field = ShiftPoint(number, f->places);
}

constexpr std::string_view kWideComma = "，";

// The thousands separator at text[i], "," or "，": its length, or 0.
std::size_t SeparatorAt(std::string_view text, std::size_t i) {
  if (text[i] == ',') return 1;
  return text.substr(i, kWideComma.size()) == kWideComma ? kWideComma.size() : 0;
}

// A number grouped by threes: an optional sign, one to three digits not
// starting with 0, at least one separator each followed by exactly three
// digits, then a "." part (digits, maybe none) or nothing.
struct Grouping {
  bool grouped = false;
  bool point = false;  // followed by a "." part
};

Grouping GroupingOf(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t first = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i == first || i - first > 3 || text[first] == '0') return {};
  int groups = 0;
  for (std::size_t n; i < text.size() && (n = SeparatorAt(text, i)) != 0; ++groups) {
    i += n;
    for (int k = 0; k < 3; ++k, ++i) {
      if (i >= text.size() || !IsDigit(text[i])) return {};
    }
  }
  if (groups == 0) return {};
  if (i == text.size()) return {true, false};
  if (text[i] != '.') return {};
  for (++i; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return {};
  }
  return {true, true};
}

// The text without its thousands separators.
std::string WithoutSeparators(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = SeparatorAt(text, i);
    if (n == 0) out += text[i];
    i += n == 0 ? 1 : n;
  }
  return out;
}

// Whether a cleaned text is a grouped number without a "." part, maybe
// before a factor of any kind: what a price's cleaning leaves as typed.
bool IsAmbiguousGrouping(std::string_view cleaned) {
  static constexpr Factor kAnyFactor[] = {{"万亿", 12}, {"万", 4}, {"亿", 8}, {"%", 2}, {"‰", 1}};
  const Grouping g = GroupingOf(NumberPart(cleaned, kAnyFactor));
  return g.grouped && !g.point;
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
  // Besides the ASCII blanks: the ideographic blank, and what a figure
  // copied from a web page brings, the no-break space, the zero-width
  // space and the byte-order mark, in UTF-8.
  static constexpr std::string_view kWideBlanks[] = {"\xE3\x80\x80", "\xC2\xA0", "\xE2\x80\x8B", "\xEF\xBB\xBF"};
  auto isAscii = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
  auto blankAtStart = [&](std::string_view t) -> std::size_t {
    if (t.empty()) return 0;
    if (isAscii(t[0])) return 1;
    for (std::string_view b : kWideBlanks) {
      if (t.starts_with(b)) return b.size();
    }
    return 0;
  };
  auto blankAtEnd = [&](std::string_view t) -> std::size_t {
    if (t.empty()) return 0;
    if (isAscii(t.back())) return 1;
    for (std::string_view b : kWideBlanks) {
      if (t.ends_with(b)) return b.size();
    }
    return 0;
  };
  for (std::size_t n; (n = blankAtStart(text)) != 0;) text.remove_prefix(n);
  for (std::size_t n; (n = blankAtEnd(text)) != 0;) text.remove_suffix(n);
  return text;
}

void CleanField(std::string& field, FieldKind kind) {
  CleanNumberText(field, UnitsOf(kind));
  field = std::string(TrimBlanks(field));
  const std::span<const Factor> factors = FactorsOf(kind);
  // The number starts the trimmed text: its separators go, or in a price
  // without a "." part the text stays as typed, to be asked about.
  const std::string_view number = NumberPart(field, factors);
  const Grouping g = GroupingOf(number);
  if (g.grouped) {
    const bool separators = g.point || kind == FieldKind::Count || kind == FieldKind::Amount;
    if (!separators) return;
    field = WithoutSeparators(number) + field.substr(number.size());
  }
  CleanNumberText(field, DecimalMarks);
  ApplyFactor(field, factors);
}

std::strong_ordering FieldNumber::Compare(const Decimal& bound) const {
  const std::strong_ordering order = value <=> bound;
  if (order != 0 || !cut) return order;
  // The figure lies beyond `value`, away from zero, and short of the next
  // value it keeps, so on the bound's grid only equality moves.
  return negative ? std::strong_ordering::less : std::strong_ordering::greater;
}

FieldNumber ReadFieldNumber(std::string_view cleaned) {
  FieldNumber out;
  if (cleaned.empty()) return out;
  if (IsAmbiguousGrouping(cleaned)) {
    out.state = FieldNumber::State::Ambiguous;
    return out;
  }
  if (!IsPlainDecimal(cleaned)) {
    out.state = FieldNumber::State::NotNumber;
    return out;
  }
  if (cleaned[0] == '+' || cleaned[0] == '-') {
    out.negative = cleaned[0] == '-';
    cleaned.remove_prefix(1);
  }
  const std::size_t point = cleaned.find('.');
  std::string_view whole = cleaned.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : cleaned.substr(point + 1);
  whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
  out.fraction = fraction.find_first_not_of('0') != std::string_view::npos;
  if (static_cast<int>(whole.size()) > kMaxWholeDigits) {
    out.state = FieldNumber::State::Huge;
    return out;
  }
  // Rounded half up to 30 decimals, on the digits, carry included.
  int decimals = std::min<int>(Decimal::kMaxScale, static_cast<int>(fraction.size()));
  std::string digits = "0";  // room for a carry
  digits.append(whole).append(fraction.substr(0, static_cast<std::size_t>(decimals)));
  if (static_cast<int>(fraction.size()) > decimals && fraction[static_cast<std::size_t>(decimals)] >= '5') {
    std::size_t i = digits.size();
    while (digits[--i] == '9') digits[i] = '0';
    ++digits[i];
  }
  while (decimals > 0 && digits.back() == '0') {
    digits.pop_back();
    --decimals;
  }
  const std::size_t lead = std::min(digits.find_first_not_of('0'), digits.size());
  const int wholeDigits = static_cast<int>(digits.size() - lead) - decimals;
  // What the exact type cannot hold is cut off (its last digit is not 0).
  const int keep = std::min(decimals, kMaxDigits - std::max(wholeDigits, 0));
  out.cut = keep < decimals;
  digits.resize(digits.size() - static_cast<std::size_t>(decimals - keep));
  Int units = 0;
  for (std::size_t i = lead; i < digits.size(); ++i) units = units * 10 + (digits[i] - '0');
  out.state = FieldNumber::State::Number;
  out.value = Decimal(out.negative ? -units : units, keep).Normalized();
  if (out.value.sign() == 0 && !out.cut) out.negative = false;
  return out;
}

std::string MissingMessage(std::string_view name) { return Concat("请输入", name, "！"); }
std::string NotNumberMessage(std::string_view name) { return Concat(name, "不是有效数字！"); }
std::string AmbiguousCommaMessage(std::string_view name) {
  return Concat(name, "中的逗号有歧义：千位分隔请去掉逗号，小数点请用“.”！");
}

namespace {

// The messages every reader shares, for a text that is no Number; empty
// for a Number. A Huge number is out of the range on its side.
std::string ReadingMessage(const FieldNumber& n, std::string_view name, std::string_view below,
                           std::string_view above) {
  switch (n.state) {
    case FieldNumber::State::Missing: return MissingMessage(name);
    case FieldNumber::State::Ambiguous: return AmbiguousCommaMessage(name);
    case FieldNumber::State::NotNumber: return NotNumberMessage(name);
    case FieldNumber::State::Huge: return std::string(n.negative ? below : above);
    case FieldNumber::State::Number: break;
  }
  return {};
}

FieldRead InRange(const FieldNumber& n, std::string_view name, const Bound& low, std::string_view belowMessage,
                  const Bound& high, std::string_view aboveMessage) {
  if (n.state != FieldNumber::State::Number) return Fail(ReadingMessage(n, name, belowMessage, aboveMessage));
  const std::strong_ordering toLow = n.Compare(low.value);
  const std::strong_ordering toHigh = n.Compare(high.value);
  if (low.inclusive ? toLow < 0 : toLow <= 0) return Fail(std::string(belowMessage));
  if (high.inclusive ? toHigh > 0 : toHigh >= 0) return Fail(std::string(aboveMessage));
  return Pass(n.value);
}

}  // namespace

FieldRead ReadPrice(std::string_view cleaned, std::string_view name, int tickDecimals, std::int64_t high) {
  const FieldNumber n = ReadFieldNumber(cleaned);
  const std::string notPositive = Concat(name, "必须大于0！");
  const std::string tooHigh = Concat(name, "不能大于", std::to_string(high) + "！");
  if (n.state != FieldNumber::State::Number) return Fail(ReadingMessage(n, name, notPositive, tooHigh));
  // Exact also for a cut value: it keeps every decimal up to the tick's
  // and the one after.
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
  const FieldNumber n = ReadFieldNumber(cleaned);
  FieldRead r = InRange(n, name, Bound{Decimal::Whole(low)}, range, Bound{Decimal::Whole(high)}, range);
  // Whole by the digits typed, not by a value rounded to 30 decimals.
  if (r && n.fraction) return Fail(range);
  return r;
}

FieldRead ReadInRange(std::string_view cleaned, std::string_view name, Bound low, std::string_view belowMessage,
                      Bound high, std::string_view aboveMessage) {
  return InRange(ReadFieldNumber(cleaned), name, low, belowMessage, high, aboveMessage);
}

}  // namespace hc
