// The trading days of the Shanghai and Shenzhen exchanges: Monday to Friday,
// less the closures the exchanges announce each December for the year to
// come. The working Saturdays and Sundays of the national holiday calendar
// (调休) are no trading days: the exchanges stay closed on every weekend.
//
// The closures are data, one line each with the notice that announced it,
// so that next year's notice is one edit of the table in
// exchange_calendar.cpp. A year the table does not hold is counted with its
// weekends only; YearHeld tells the screens to say so.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "market/dates.h"

namespace hc {

// One closure: its first and last day (both closed, within one year), the
// holiday it is for, and the exchanges' notice it comes from.
struct Closure {
  int year;
  int firstMonth, firstDay;
  int lastMonth, lastDay;
  std::string_view holiday;  // "春节"
  std::string_view notice;   // "上交所、深交所2024-12-23公告"
};

// Every closure of the table, in the order of the calendar.
std::span<const Closure> Closures();

// Whether the table holds the closures of the year.
bool YearHeld(int year);

// Whether the exchanges trade on the day: a weekday outside every closure.
bool IsTradingDay(Date day);

// The first trading day after `day`.
Date NextTradingDay(Date day);

// `day` itself when it is a trading day, else the first trading day after it.
Date TradingDayFrom(Date day);

// The years from `first` to `last` (inclusive) that the table does not hold,
// in order.
std::vector<int> YearsNotHeld(Date first, Date last);

}  // namespace hc
