#include "market/dates.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <stdexcept>

namespace hc {

namespace {

using std::chrono::sys_days;
using std::chrono::year_month_day;

year_month_day Civil(int serial) { return year_month_day{sys_days{std::chrono::days{serial}}}; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads 1 to `most` digits at the front of `text` and removes them.
std::optional<int> TakeNumber(std::string_view& text, std::size_t least, std::size_t most) {
  std::size_t n = 0;
  while (n < text.size() && n < most && IsDigit(text[n])) ++n;
  if (n < least) return std::nullopt;
  int value = 0;
  for (std::size_t i = 0; i < n; ++i) value = value * 10 + (text[i] - '0');
  text.remove_prefix(n);
  return value;
}

// Removes `mark` from the front of `text`; false when it is not there.
bool TakeMark(std::string_view& text, std::string_view mark) {
  if (text.substr(0, mark.size()) != mark) return false;
  text.remove_prefix(mark.size());
  return true;
}

bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

std::optional<Date> EightDigits(std::string_view text) {
  auto number = [text](std::size_t at, std::size_t length) {
    int v = 0;
    for (std::size_t i = at; i < at + length; ++i) v = v * 10 + (text[i] - '0');
    return v;
  };
  return Date::FromCivil(number(0, 4), number(4, 2), number(6, 2));
}

std::optional<Date> FromCalendar(const year_month_day& civil) {
  return Date::FromCivil(static_cast<int>(civil.year()), static_cast<int>(static_cast<unsigned>(civil.month())),
                         static_cast<int>(static_cast<unsigned>(civil.day())));
}

}  // namespace

std::optional<Date> Date::FromCivil(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  const year_month_day civil{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                             std::chrono::day{static_cast<unsigned>(day)}};
  if (!civil.ok()) return std::nullopt;
  return Date(static_cast<int>(sys_days{civil}.time_since_epoch().count()));
}

int Date::year() const { return static_cast<int>(Civil(serial_).year()); }
int Date::month() const { return static_cast<int>(static_cast<unsigned>(Civil(serial_).month())); }
int Date::day() const { return static_cast<int>(static_cast<unsigned>(Civil(serial_).day())); }
int Date::weekday() const {
  return static_cast<int>(std::chrono::weekday{sys_days{std::chrono::days{serial_}}}.iso_encoding());
}

std::optional<Date> ParseDate(std::string_view text) {
  if (text.size() == 8 && AllDigits(text)) return EightDigits(text);
  std::string_view rest = text;
  const std::optional<int> year = TakeNumber(rest, 4, 4);
  if (!year) return std::nullopt;
  std::string_view between;  // the mark between month and day
  std::string_view after;    // what may close the day
  if (TakeMark(rest, "年")) {
    between = "月";
    after = "日";
  } else if (!rest.empty() && (rest[0] == '-' || rest[0] == '/' || rest[0] == '.')) {
    between = rest.substr(0, 1);
    rest.remove_prefix(1);
  } else {
    return std::nullopt;
  }
  const std::optional<int> month = TakeNumber(rest, 1, 2);
  if (!month || !TakeMark(rest, between)) return std::nullopt;
  const std::optional<int> day = TakeNumber(rest, 1, 2);
  if (!day) return std::nullopt;
  if (!after.empty()) TakeMark(rest, after);
  if (!rest.empty()) return std::nullopt;
  return Date::FromCivil(*year, *month, *day);
}

std::string IsoText(Date date) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year(), date.month(), date.day());
  return buffer;
}

Date Today() {
  const auto now = std::chrono::system_clock::now();
#if defined(__cpp_lib_chrono) && __cpp_lib_chrono >= 201907L
  try {
    const auto local = std::chrono::current_zone()->to_local(now);
    if (auto d = FromCalendar(year_month_day{std::chrono::floor<std::chrono::days>(local)})) return *d;
  } catch (const std::runtime_error&) {
    // No time-zone database: the C library's local time below.
  }
#endif
  // A standard library without time zones: the local calendar day of the
  // clock's second, from the C library's standard local time (read once, at
  // a screen's load, on the one thread that runs the screens).
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  if (const std::tm* parts = std::localtime(&seconds); parts != nullptr) {
    if (auto d = Date::FromCivil(parts->tm_year + 1900, parts->tm_mon + 1, parts->tm_mday)) return *d;
  }
  // Without a local time: the clock's day in UTC.
  if (auto d = FromCalendar(year_month_day{std::chrono::floor<std::chrono::days>(now)})) return *d;
  return *Date::FromCivil(1970, 1, 1);
}

}  // namespace hc
