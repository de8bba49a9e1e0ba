#include "market/annual_return.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "market/xirr.h"
#include "numeric/fields.h"
#include "numeric/numeric.h"

namespace hc {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// The records of the text, each trimmed, the empty ones left out; no more
// than `most` + 1 of them.
std::vector<std::string_view> SplitRecords(std::string_view text, std::size_t most) {
  static constexpr std::string_view kWideSemicolon = "；";
  std::vector<std::string_view> out;
  std::size_t start = 0;
  auto close = [&](std::size_t end) {
    const std::string_view record = TrimBlanks(text.substr(start, end - start));
    if (!record.empty()) out.push_back(record);
  };
  for (std::size_t i = 0; i < text.size() && out.size() <= most;) {
    std::size_t width = 0;
    if (text[i] == '\n' || text[i] == '\r' || text[i] == ';') {
      width = 1;
    } else if (text.substr(i, kWideSemicolon.size()) == kWideSemicolon) {
      width = kWideSemicolon.size();
    }
    if (width == 0) {
      ++i;
      continue;
    }
    close(i);
    i += width;
    start = i;
  }
  if (out.size() <= most) close(text.size());
  return out;
}

// The parts of a record between blanks.
std::vector<std::string_view> Parts(std::string_view record) {
  std::vector<std::string_view> parts;
  std::size_t i = 0;
  while (i < record.size()) {
    while (i < record.size() && IsBlank(record[i])) ++i;
    const std::size_t from = i;
    while (i < record.size() && !IsBlank(record[i])) ++i;
    if (i > from) parts.push_back(record.substr(from, i - from));
  }
  return parts;
}

// Whether a text holds nothing that an amount's cleaning would change.
bool IsPlainAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-'; });
}

std::optional<Decimal> ReadAmount(std::string_view part) {
  std::string cleaned(part);
  if (!IsPlainAscii(cleaned)) CleanField(cleaned, FieldKind::Amount);
  const FieldNumber n = ReadFieldNumber(cleaned);
  if (n.state != FieldNumber::State::Number) return std::nullopt;
  // A record of 0 is kept, as a spreadsheet keeps it; it moves no money.
  const Decimal amount = n.value.Round(2);
  const Decimal largest = Decimal::Whole(kLargestRecordAmount);
  if (amount > largest || amount < -largest) return std::nullopt;
  return amount;
}

RecordsRead Fault(RecordFault fault, std::size_t number = 0) {
  RecordsRead out;
  out.fault = fault;
  out.number = number;
  return out;
}

}  // namespace

RecordsRead ReadRecords(std::string_view text) {
  const std::string plain = PlainWidth(text);
  const std::vector<std::string_view> records = SplitRecords(plain, kMostRecords);
  if (records.empty()) return Fault(RecordFault::NoRecords);
  if (records.size() > kMostRecords) return Fault(RecordFault::TooMany);
  RecordsRead out;
  out.records.reserve(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::size_t number = i + 1;
    const std::vector<std::string_view> parts = Parts(records[i]);
    if (parts.size() != 2) return Fault(RecordFault::NotDateAndAmount, number);
    const std::optional<Date> date = ParseDate(parts[0]);
    if (!date) return Fault(RecordFault::BadDate, number);
    const std::optional<Decimal> amount = ReadAmount(parts[1]);
    if (!amount) return Fault(RecordFault::BadAmount, number);
    out.records.push_back({*date, *amount});
  }
  return out;
}

AnnualReturn CalculateAnnualReturn(std::span<const MoneyRecord> records, Date today, const Decimal& value) {
  AnnualReturn out;
  Date earliest = records.front().date;
  for (const MoneyRecord& r : records) {
    earliest = std::min(earliest, r.date);
    if (r.amount.sign() > 0) {
      out.invested = out.invested + r.amount;
    } else {
      out.withdrawn = out.withdrawn - r.amount;
    }
  }
  out.profit = value + out.withdrawn - out.invested;
  if (out.invested.sign() > 0) {
    out.returnPercent = Decimal::Divide(out.profit * Decimal::Whole(100), out.invested, 2);
  }
  out.days = today - earliest;
  if (out.days > 0) {
    // The investor's flows: money put in is paid, money taken out and the
    // current value are received.
    std::vector<DatedFlow> flows;
    flows.reserve(records.size() + 1);
    for (const MoneyRecord& r : records) {
      if (r.amount.sign() != 0) flows.push_back({r.date - earliest, -r.amount});
    }
    flows.push_back({out.days, value});
    out.annualRate = AnnualRate(flows);
  }
  return out;
}

Decimal RatePercent(double rate) {
  // Within the searched range the hundredths of a percent stay far inside
  // the integers a double holds exactly.
  return Decimal(static_cast<Decimal::Int>(std::llround(rate * 10000)), 2);
}

}  // namespace hc
