// The input fields of the tool screens, each of one kind: a price, a cost
// price, a count, an amount, a percentage or a rate per ten thousand. The
// kind says how a typed text is cleaned (which units go, which units are
// read as a factor) and how the cleaned text is read as an exact number with
// the field's checks and messages.
//
// Every cleaning maps the full-width forms of an input method to the plain
// ones, applies the decimal marks, and trims white space at both ends
// (blanks, tabs, line breaks, the ideographic blank, and what pasting from
// a web page brings: the no-break space, the zero-width space and the
// byte-order mark), so that a price pasted from a spreadsheet cell or a
// page reads as typed.
//
// Thousands separators come before the decimal marks: a number whose whole
// part is grouped by threes with "," or "，" ("10,000", "1,234,567"),
// followed by a "." part or by nothing, loses its separators in a count or
// an amount. In a price, a cost price, a percentage or a rate such a number
// with a "." part ("1,234.50") loses them too, while one without ("1,234")
// keeps its text and reads as Ambiguous: it may as well be a fund price
// typed with the input method's comma. Any other comma ("12,5", "0,025") is
// a decimal point.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

#include "numeric/decimal.h"

namespace hc {

enum class FieldKind {
  Price,      // 元: "元" removed
  CostPrice,  // 元: as a price, but may be 0 or negative and is not rounded
  Count,      // 股, 张, 份, 天 removed; a trailing 万, 亿 or 万亿 is a factor
  Amount,     // 元 removed; a trailing 万, 亿 or 万亿 is a factor
  Percent,    // "%" removed
  Rate,       // 万分之: "万分之", "万", "‱" removed; a trailing "%" is 100, "‰" 10
};

// Cleans the field in place for its kind. A factor (万, 亿, % in a rate…)
// is applied to a plain decimal number exactly, and the product written
// back as a plain number: "1.5万" → "15000", "0.025%" → "2.5". A unit that
// does not belong to the kind stays, and the text is then not a number.
void CleanField(std::string& field, FieldKind kind);

// Blanks, tabs, line breaks, the ideographic blank, the no-break space
// (U+00A0), the zero-width space (U+200B) and the byte-order mark (U+FEFF)
// trimmed at both ends.
std::string_view TrimBlanks(std::string_view text);

// A cleaned text read as a number.
struct FieldNumber {
  enum class State {
    Missing,    // the empty text
    NotNumber,  // not a plain decimal number
    Huge,       // a plain decimal number too large for any field's range
    Ambiguous,  // grouped by threes with commas and no "." part: "1,234"
    Number,
  };
  State state = State::Missing;
  bool negative = false;  // the sign of a Huge number or a Number
  // A Number: at most 30 decimals, without trailing zeros. Where the whole
  // part has eight digits or more the exact type holds fewer than 30
  // decimals: the value keeps those it can, cut off toward zero, and `cut`
  // says that nonzero digits followed. Rounding such a value to fewer
  // decimals (to the cent, to the tick) gives what rounding the figure
  // typed gives, and Compare tells it from a bound exactly.
  Decimal value;
  bool cut = false;
  // Some decimal digit typed is not 0 (any of them, also beyond the 30th):
  // the number is not whole.
  bool fraction = false;

  // The number as typed (rounded to 30 decimals) against a bound with at
  // most the decimals `value` keeps.
  std::strong_ordering Compare(const Decimal& bound) const;
};

// A plain decimal number is an optional sign, ASCII digits with at most one
// point (".5" and "5." included) and nothing else. One with more than 30
// decimals is rounded half up to 30 first; one whose whole part alone is too
// long for any range is Huge.
FieldNumber ReadFieldNumber(std::string_view cleaned);

// A field read and checked: its value, or the message of the first check it
// failed. {名} below is `name`, the field's caption without colon and unit.
struct FieldRead {
  std::optional<Decimal> value;
  std::string message;
  explicit operator bool() const { return value.has_value(); }
  const Decimal& operator*() const { return *value; }
  const Decimal* operator->() const { return &*value; }
};

// Every reader: empty → "请输入{名}！"; Ambiguous →
// "{名}中的逗号有歧义：千位分隔请去掉逗号，小数点请用“.”！"; not a number →
// "{名}不是有效数字！"; then its range.
//
// A price: rounded half up to the tick, then not above 0 → "{名}必须大于0！"; above
// `high` → "{名}不能大于{high}！". The value is on the tick.
FieldRead ReadPrice(std::string_view cleaned, std::string_view name, int tickDecimals,
                    std::int64_t high = 100000);

// A cost price from `low` to `high`, not rounded: outside →
// "{名}必须在{low}到{high}之间！".
FieldRead ReadCostPrice(std::string_view cleaned, std::string_view name, std::int64_t low = -100000,
                        std::int64_t high = 100000);

// A whole count from `low` to `high`: anything else, a count with any
// nonzero decimal digit included, → "{名}必须是{low}到{high}之间的整数！".
FieldRead ReadCount(std::string_view cleaned, std::string_view name, std::int64_t low = 1,
                    std::int64_t high = 1000000000);

// One end of a range: the bound and whether the bound itself is allowed.
struct Bound {
  Decimal value;
  bool inclusive = true;
};

// An amount, percentage or rate within the screen's range, each end with
// the screen's message (the two may be the same).
FieldRead ReadInRange(std::string_view cleaned, std::string_view name, Bound low, std::string_view belowMessage,
                      Bound high, std::string_view aboveMessage);

// The messages every kind shares.
std::string MissingMessage(std::string_view name);    // "请输入{名}！"
std::string NotNumberMessage(std::string_view name);  // "{名}不是有效数字！"
std::string AmbiguousCommaMessage(std::string_view name);

}  // namespace hc
