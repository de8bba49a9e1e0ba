// Numeric field conventions shared by every calculator screen: how a typed
// field is cleaned, how its text becomes a number, how a result is written
// back with two decimals, and what happens when arithmetic fails.
//
// Texts are UTF-8 std::strings (the control texts of the screen model).
// Nothing here depends on Qt or on the C locale.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>

namespace hc {

// ---------------------------------------------------------------- errors

enum class ErrorKind { DivisionByZero, Overflow, TypeMismatch, InvalidArgument };

// 'division-by-zero', 'overflow', 'type-mismatch', 'invalid-argument'.
std::string_view ErrorKindName(ErrorKind kind);
// The Chinese wording shown to the user in the error box.
std::string_view ErrorKindMessage(ErrorKind kind);

// An arithmetic or conversion error that stops a calculation at the failing
// step. Fields written earlier in the same press keep their new texts.
class CalcError : public std::exception {
 public:
  explicit CalcError(ErrorKind kind) : kind_(kind) {}
  ErrorKind kind() const { return kind_; }
  const char* what() const noexcept override;

 private:
  ErrorKind kind_;
};

// ---------------------------------------------------------------- cleaning

// One (find, replacement) pair of a cleaning list.
struct Pair {
  std::string_view find;
  std::string_view replacement;
};

constexpr Pair ToPoint(std::string_view s) { return {s, "."}; }
constexpr Pair Remove(std::string_view s) { return {s, ""}; }

// An ordered list of pairs, small and fixed in size so that lists can be
// constants of the screens.
class PairList {
 public:
  static constexpr std::size_t kCapacity = 10;
  constexpr PairList() = default;
  constexpr PairList(std::initializer_list<Pair> pairs) {
    for (const Pair& p : pairs) Append(p);
  }
  // A new list: this list followed by `more`.
  constexpr PairList Then(std::initializer_list<Pair> more) const {
    PairList out = *this;
    for (const Pair& p : more) out.Append(p);
    return out;
  }
  constexpr const Pair* begin() const { return pairs_.data(); }
  constexpr const Pair* end() const { return pairs_.data() + size_; }
  constexpr std::size_t size() const { return size_; }

 private:
  constexpr void Append(const Pair& p) {
    if (size_ == kCapacity) throw "PairList capacity exceeded";
    pairs_[size_++] = p;
  }
  std::array<Pair, kCapacity> pairs_{};
  std::size_t size_ = 0;
};

// "。", "，" and "," each replaced by a point, in this order.
inline constexpr PairList DecimalMarks{ToPoint("。"), ToPoint("，"), ToPoint(",")};

// The cleaning lists of the screens, each named by what it cleans. Every
// list starts with the decimal marks and then removes the units the field
// may carry.
inline constexpr PairList kMoneyMarks = DecimalMarks.Then({Remove("元")});
inline constexpr PairList kMoneyOrPercentMarks = DecimalMarks.Then({Remove("元"), Remove("%")});
inline constexpr PairList kShareMarks = DecimalMarks.Then({Remove("股")});
inline constexpr PairList kPeriodMarks = DecimalMarks.Then({Remove("个")});
inline constexpr PairList kRateMarks = DecimalMarks.Then({Remove("%")});
inline constexpr PairList kMultipleMarks = DecimalMarks.Then({Remove("倍")});

// The plan and grid screens also take the points a hurried typist makes:
// "/" (the key beside the point) and a doubled point.
inline constexpr PairList TypedPoints = DecimalMarks.Then({ToPoint("/"), ToPoint("..")});
// The plan's capital: a doubled point, then 元.
inline constexpr PairList kCapitalMarks = DecimalMarks.Then({ToPoint(".."), Remove("元")});
// The plan's fraction, prices, stops and targets: typed points, 元 and %.
inline constexpr PairList kTypedMoneyOrPercentMarks = TypedPoints.Then({Remove("元"), Remove("%")});
// The plan's building mode: "/" as a point (no doubled point), 元 and %.
inline constexpr PairList kModeMarks = DecimalMarks.Then({ToPoint("/"), Remove("元"), Remove("%")});
// The grid's base price: typed points, with "./" before the doubled point,
// 元 and %.
inline constexpr PairList kBasePriceMarks =
    DecimalMarks.Then({ToPoint("/"), ToPoint("./"), ToPoint(".."), Remove("元"), Remove("%")});
// The grid's share counts: typed points, 股 and %.
inline constexpr PairList kTypedShareMarks = TypedPoints.Then({Remove("股"), Remove("%")});
// The grid's step counts: typed points, 个 and %.
inline constexpr PairList kTypedCountMarks = TypedPoints.Then({Remove("个"), Remove("%")});
// The grid's step percentage: typed points and %.
inline constexpr PairList kTypedRateMarks = TypedPoints.Then({Remove("%")});

// Replaces every occurrence of `find` in `text`, left to right without
// overlap. Returns the new text.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// The plain forms of what a Chinese input method types in full-width mode:
// "０"–"９" as "0"–"9", "．" as ".", "－" and "−" as "-", "＋" as "+", "％" as
// "%", the ideographic blank "　" as a blank. Everything else stays.
std::string PlainWidth(std::string_view text);

// Turns the full-width forms into their plain ones (PlainWidth), then
// applies each pair to the whole text in turn, storing the result back into
// the field text after each step.
void CleanNumberText(std::string& field, const PairList& pairs);

// ---------------------------------------------------------------- reading

// The empty test: a field is missing when its text, after its cleaning,
// is exactly the empty string. '0', 'abc' and ' ' are not missing.
inline bool IsMissing(std::string_view text) { return text.empty(); }

// The leading-number reading: blanks, tabs and line feeds are ignored
// anywhere; an optional sign; digits with at most one point; an optional
// exponent (E, e, D or d, optional sign, digits). Reading stops at the first
// character that does not fit; no digit at all reads as 0.
// Throws CalcError(Overflow) for a value beyond the double range.
double ReadNumber(std::string_view text);

// The whole-text conversion: apart from leading and trailing blanks the text
// must be exactly one number (sign, digits with one optional point, optional
// exponent). Anything else is CalcError(TypeMismatch); a value beyond the
// double range is CalcError(Overflow).
double ReadNumberStrict(std::string_view text);

// ---------------------------------------------------------------- writing

// The default text of a double: 15 significant digits, trailing zeros
// dropped, fixed notation for decimal exponents -4..14, otherwise
// 'd.dddE+XX'. Zero is '0', never '-0'. Infinity or not-a-number is
// CalcError(Overflow): such a text is never produced.
std::string NumberText(double x);

// The most decimals the rounding and fixed-decimal forms take.
inline constexpr int kMaxDecimals = 15;

// Rounds x to `decimals` decimals (0 to kMaxDecimals): x × 10^decimals in
// double arithmetic, halves to the even neighbour, divided by 10^decimals.
// Throws CalcError(Overflow) when x × 10^decimals is beyond the double range.
// Zero is 0, never -0.
double RoundHalfEven(double x, int decimals);

// Rounds x to two decimals, RoundHalfEven(x, 2).
inline double Round2(double x) { return RoundHalfEven(x, 2); }

// The fixed-decimals text ('9.70' at two decimals, '13' at none): x taken to
// 15 significant digits, then rounded half away from zero on those decimal
// digits to `decimals` decimals (0 to kMaxDecimals). Never '-0.00' or '-0'.
std::string FixedText(double x, int decimals);

// The fixed two-decimal text ('9.70', '-1.00', '0.00'), FixedText(x, 2).
inline std::string Fixed2(double x) { return FixedText(x, 2); }

// The common way of writing a result, three writes into the same field:
// NumberText(x); NumberText(Round2(read back)); Fixed2(read back) + unit.
void WriteRounded(std::string& field, double x, std::string_view unit = {});

// The last two writes of WriteRounded on the number the field already holds
// (the end of a running total, say): NumberText(Round2(read back)), then
// Fixed2(read back) + unit. A step that fails writes nothing.
void RoundInPlace(std::string& field, std::string_view unit = {});

// Rounded first: NumberText(Round2(x)), then Fixed2 of it read back, with
// the unit. The value is not cut to 15 digits before it is rounded.
void WriteRoundedFirst(std::string& field, double x, std::string_view unit = {});

// Plain: NumberText(x) and nothing more.
void WritePlain(std::string& field, double x);

// ---------------------------------------------------------------- whole numbers

// Rounds to the nearest whole number, halves to even, as a 32-bit signed
// integer. Out of range (or not a number) is CalcError(Overflow).
std::int32_t RoundToInt32(double x);

// The whole quotient: both operands rounded with RoundToInt32, divided, the
// quotient truncated toward zero. A divisor that rounds to 0 is
// CalcError(DivisionByZero).
std::int32_t WholeQuotient(double a, double b);

}  // namespace hc
