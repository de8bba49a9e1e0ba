// The input fields of the tool screens, each of one kind: a price, a cost
// price, a count, an amount, a percentage or a rate per ten thousand. The
// kind says how a typed text is cleaned (which units go, which units are
// read as a factor) and how the cleaned text is read as an exact number with
// the field's checks and messages.
//
// Every cleaning maps the full-width forms of an input method to the plain
// ones, applies the decimal marks, and trims white space at both ends
// (blanks, tabs, line breaks, the ideographic blank), so that a price pasted
// from a spreadsheet cell reads as typed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "numeric/decimal.h"

namespace hc {

enum class FieldKind {
  Price,      // 元: "元" removed
  CostPrice,  // 元: as a price, but may be 0 or negative and is not rounded
  Count,      // 股, 张, 份, 天 removed; a trailing 万 or 亿 is a factor
  Amount,     // 元 removed; a trailing 万 or 亿 is a factor
  Percent,    // "%" removed
  Rate,       // 万分之: "万分之", "万", "‱" removed; a trailing "%" is 100, "‰" 10
};

// Cleans the field in place for its kind. A factor (万, 亿, % in a rate…)
// is applied to a plain decimal number exactly, and the product written
// back as a plain number: "1.5万" → "15000", "0.025%" → "2.5". A unit that
// does not belong to the kind stays, and the text is then not a number.
void CleanField(std::string& field, FieldKind kind);

// Blanks, tabs, line breaks and the ideographic blank trimmed at both ends.
std::string_view TrimBlanks(std::string_view text);

// A cleaned text read as a number.
struct FieldNumber {
  enum class State {
    Missing,    // the empty text
    NotNumber,  // not a plain decimal number
    Huge,       // a plain decimal number too large for any field's range
    Number,
  };
  State state = State::Missing;
  bool negative = false;  // the sign of a Huge number
  Decimal value;          // a Number: at most 30 decimals, without trailing zeros
};

// A plain decimal number is an optional sign, ASCII digits with at most one
// point (".5" and "5." included) and nothing else. One whose decimals the
// exact type cannot hold is rounded half up to 30 decimals (fewer where the
// whole part is long); one whose whole part alone is too long is Huge.
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

// A price: empty → "请输入{名}！"; not a number → "{名}不是有效数字！";
// rounded half up to the tick, then not above 0 → "{名}必须大于0！"; above
// `high` → "{名}不能大于{high}！". The value is on the tick.
FieldRead ReadPrice(std::string_view cleaned, std::string_view name, int tickDecimals,
                    std::int64_t high = 100000);

// A cost price from `low` to `high`, not rounded: outside →
// "{名}必须在{low}到{high}之间！".
FieldRead ReadCostPrice(std::string_view cleaned, std::string_view name, std::int64_t low = -100000,
                        std::int64_t high = 100000);

// A whole count from `low` to `high`: anything else →
// "{名}必须是{low}到{high}之间的整数！".
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

}  // namespace hc
