#include "market/exchange_calendar.h"

#include <algorithm>
#include <optional>

namespace hc {
namespace {

// The exchanges' notices, each of the closures of one year.
constexpr std::string_view kNotice2025 = "沪深北交易所2024-12-23公告：2025年部分节假日休市安排";
constexpr std::string_view kNotice2026 = "沪深北交易所2025-12-22公告：2026年部分节假日休市安排";

// The closures, one a line: year, first month and day, last month and day.
// The weekends around them are closed anyway, the working weekend days of
// the national calendar included; a notice lists them as "周末休市".
constexpr Closure kClosures[] = {
    {2025, 1, 1, 1, 1, "元旦", kNotice2025},     {2025, 1, 28, 2, 4, "春节", kNotice2025},
    {2025, 4, 4, 4, 6, "清明节", kNotice2025},   {2025, 5, 1, 5, 5, "劳动节", kNotice2025},
    {2025, 5, 31, 6, 2, "端午节", kNotice2025},  {2025, 10, 1, 10, 8, "国庆节、中秋节", kNotice2025},
    {2026, 1, 1, 1, 3, "元旦", kNotice2026},     {2026, 2, 15, 2, 23, "春节", kNotice2026},
    {2026, 4, 4, 4, 6, "清明节", kNotice2026},   {2026, 5, 1, 5, 5, "劳动节", kNotice2026},
    {2026, 6, 19, 6, 21, "端午节", kNotice2026}, {2026, 9, 25, 9, 27, "中秋节", kNotice2026},
    {2026, 10, 1, 10, 7, "国庆节", kNotice2026},
};

struct ClosedDays {
  Date first;
  Date last;
};

// The closures as days, made once. A line of the table that names no real
// day is a fault of the table, which the calendar's tests catch; it closes
// nothing.
const std::vector<ClosedDays>& ClosedRanges() {
  static const std::vector<ClosedDays> ranges = [] {
    std::vector<ClosedDays> out;
    for (const Closure& c : kClosures) {
      const std::optional<Date> first = Date::FromCivil(c.year, c.firstMonth, c.firstDay);
      const std::optional<Date> last = Date::FromCivil(c.year, c.lastMonth, c.lastDay);
      if (first && last) out.push_back({*first, *last});
    }
    return out;
  }();
  return ranges;
}

}  // namespace

std::span<const Closure> Closures() { return kClosures; }

bool YearHeld(int year) {
  return std::any_of(std::begin(kClosures), std::end(kClosures), [year](const Closure& c) { return c.year == year; });
}

bool IsTradingDay(Date day) {
  if (day.weekday() > 5) return false;
  for (const ClosedDays& closed : ClosedRanges()) {
    if (closed.first <= day && day <= closed.last) return false;
  }
  return true;
}

Date NextTradingDay(Date day) { return TradingDayFrom(day + 1); }

Date TradingDayFrom(Date day) {
  while (!IsTradingDay(day)) day = day + 1;
  return day;
}

std::vector<int> YearsNotHeld(Date first, Date last) {
  std::vector<int> years;
  for (int year = first.year(); year <= last.year(); ++year) {
    if (!YearHeld(year)) years.push_back(year);
  }
  return years;
}

}  // namespace hc
