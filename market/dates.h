// Calendar days as investors write them: "2025-01-10", "2025/1/10",
// "2025.1.10", "2025年1月10日" or "20250110". A day is a whole count of days,
// so the days between two records are a subtraction. Reading and writing
// depend on no locale and no time zone; only today's date asks the clock,
// in local time.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace hc {

// A day of the Gregorian calendar, years 1 to 9999.
class Date {
 public:
  // The day, when year, month and day name a real one (2025-02-29 does not).
  static std::optional<Date> FromCivil(int year, int month, int day);

  int year() const;
  int month() const;
  int day() const;

  // The day of the week, 1 Monday to 7 Sunday.
  int weekday() const;

  // Days from b to a.
  friend int operator-(Date a, Date b) { return a.serial_ - b.serial_; }
  // The day `days` later (earlier for a negative count). The caller keeps
  // the result within the years 1 to 9999.
  friend Date operator+(Date date, int days) { return Date(date.serial_ + days); }
  friend auto operator<=>(Date, Date) = default;

 private:
  explicit Date(int serial) : serial_(serial) {}
  int serial_ = 0;  // days from 1970-01-01, negative before
};

// A cleaned text (plain digits, no blanks at either end) read as a day in
// one of the five forms: a four-digit year, then month and day of one or
// two digits each, joined by "-", "/" or "." (the same mark twice) or
// written "年…月…日" (the last "日" may be left out); or eight digits
// YYYYMMDD. Empty for anything else, and for a day the calendar lacks.
std::optional<Date> ParseDate(std::string_view text);

// "2025-01-10".
std::string IsoText(Date date);

// Today in the computer's local time.
Date Today();

}  // namespace hc
