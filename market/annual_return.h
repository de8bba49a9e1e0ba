// The return of an account from its record of money put in and taken out
// (a 定投 plan, a stock account): what went in, what came out, the profit
// with the current value, the cumulative return on the money put in, and
// the true annual rate over the dated flows (XIRR, xirr.h).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "market/dates.h"
#include "numeric/decimal.h"

namespace hc {

// Money put into the account on a day (a buy, a deposit), or taken out of
// it when negative (a sale, a withdrawal, a cash dividend); to the cent. A
// record of 0 moves no money: it adds no flow, but its day is a day of the
// record.
struct MoneyRecord {
  Date date;
  Decimal amount;
};

// The most records a list may hold, and the largest amount of one.
inline constexpr std::size_t kMostRecords = 10000;
inline constexpr std::int64_t kLargestRecordAmount = 1'000'000'000'000;

// What is wrong with a record list, at the record `number` (from 1) where
// the fault is one record's.
enum class RecordFault {
  None,
  NoRecords,
  TooMany,           // more than kMostRecords
  NotDateAndAmount,  // not exactly two parts
  BadDate,           // not one of the date forms, or no real day
  BadAmount,         // not a number, or above kLargestRecordAmount in size after rounding to the cent
};

struct RecordsRead {
  std::vector<MoneyRecord> records;  // in the order written; empty on a fault
  RecordFault fault = RecordFault::None;
  std::size_t number = 0;
};

// Reads a record list: one record a line, or records separated by ";" or
// "；"; empty records are passed over and not counted. A record is a date
// (dates.h), blanks or tabs, and an amount as an amount field reads it
// (decimal marks, "元", a trailing "万" or "亿"), rounded half up to the
// cent. Full-width digits and blanks read as plain ones. The count is
// checked before any record.
RecordsRead ReadRecords(std::string_view text);

struct AnnualReturn {
  Decimal invested;                      // the amounts put in
  Decimal withdrawn;                     // the amounts taken out, without sign
  Decimal profit;                        // current value + withdrawn − invested
  std::optional<Decimal> returnPercent;  // profit / invested × 100, two decimals; none without money put in
  int days = 0;                          // from the earliest record to today
  std::optional<double> annualRate;      // none where no rate fits (xirr.h) or days is 0
};

// The return of the records (at least one) with the account worth `value`
// (0 or more, to the cent) on `today` (not before the latest record). Exact
// but for the annual rate.
AnnualReturn CalculateAnnualReturn(std::span<const MoneyRecord> records, Date today, const Decimal& value);

// A rate as a percentage with two decimals, rounded half away from zero:
// 0.587834 → 58.78.
Decimal RatePercent(double rate);

}  // namespace hc
