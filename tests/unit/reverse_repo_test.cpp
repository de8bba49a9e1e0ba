// The reverse repo: the exchanges' calendar (its table, trading days around
// every closure, the working weekend days), the actual days of every term on
// the published trade days, and the money of the worked and published
// examples. The screen's messages are in tests/scripts/form52*.hcs.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "market/dates.h"
#include "market/exchange_calendar.h"
#include "market/reverse_repo.h"
#include "shell/app.h"
#include "tests/test_host.h"

namespace hc {
namespace {

Date Day(const char* text) { return *ParseDate(text); }

// Every line of the table names real days in its year, first to last, the
// lines in the calendar's order without overlaps, each with its holiday and
// its notice, and every notice is of the year before the closures it lists.
TEST(ExchangeCalendar, TableLinesAreRealOrderedClosures) {
  std::optional<Date> previousLast;
  for (const Closure& c : Closures()) {
    const std::string line = std::to_string(c.year) + " " + std::string(c.holiday);
    const std::optional<Date> first = Date::FromCivil(c.year, c.firstMonth, c.firstDay);
    const std::optional<Date> last = Date::FromCivil(c.year, c.lastMonth, c.lastDay);
    ASSERT_TRUE(first && last) << line;
    EXPECT_LE(*first, *last) << line;
    if (previousLast) {
      EXPECT_LT(*previousLast, *first) << line;
    }
    previousLast = last;
    EXPECT_FALSE(c.holiday.empty()) << line;
    EXPECT_NE(c.notice.find(std::to_string(c.year - 1) + "-12-"), std::string_view::npos) << line;
    EXPECT_NE(c.notice.find(std::to_string(c.year) + "年"), std::string_view::npos) << line;
    EXPECT_TRUE(YearHeld(c.year)) << line;
  }
}

struct DayCase {
  const char* day;
  bool trading;
};

TEST(ExchangeCalendar, TradingDaysAroundEveryClosure) {
  const DayCase cases[] = {
      // An ordinary week and its weekend.
      {"2025-03-03", true},
      {"2025-03-07", true},
      {"2025-03-08", false},
      {"2025-03-09", false},
      // 2025: each closure's first and last day closed, the trading days around it open.
      {"2024-12-31", true},
      {"2025-01-01", false},
      {"2025-01-02", true},
      {"2025-01-27", true},
      {"2025-01-28", false},
      {"2025-02-04", false},
      {"2025-02-05", true},
      {"2025-04-03", true},
      {"2025-04-04", false},
      {"2025-04-07", true},
      {"2025-04-30", true},
      {"2025-05-01", false},
      {"2025-05-05", false},
      {"2025-05-06", true},
      {"2025-05-30", true},
      {"2025-06-02", false},
      {"2025-06-03", true},
      {"2025-09-30", true},
      {"2025-10-01", false},
      {"2025-10-08", false},
      {"2025-10-09", true},
      // The national calendar's working weekend days of 2025 stay closed.
      {"2025-01-26", false},
      {"2025-02-08", false},
      {"2025-04-27", false},
      {"2025-09-28", false},
      {"2025-10-11", false},
      // 2026.
      {"2025-12-31", true},
      {"2026-01-01", false},
      {"2026-01-02", false},
      {"2026-01-05", true},
      {"2026-02-13", true},
      {"2026-02-16", false},
      {"2026-02-23", false},
      {"2026-02-24", true},
      {"2026-04-03", true},
      {"2026-04-06", false},
      {"2026-04-07", true},
      {"2026-04-30", true},
      {"2026-05-01", false},
      {"2026-05-05", false},
      {"2026-05-06", true},
      {"2026-06-18", true},
      {"2026-06-19", false},
      {"2026-06-22", true},
      {"2026-09-24", true},
      {"2026-09-25", false},
      {"2026-09-28", true},
      {"2026-09-30", true},
      {"2026-10-01", false},
      {"2026-10-07", false},
      {"2026-10-08", true},
      // Years the table lacks: weekends only (2027-01-01 is a Friday).
      {"2027-01-01", true},
      {"2027-01-02", false},
      {"2024-10-01", true},
  };
  for (const DayCase& c : cases) EXPECT_EQ(IsTradingDay(Day(c.day)), c.trading) << c.day;
}

TEST(ExchangeCalendar, NextTradingDayAndYearsNotHeld) {
  EXPECT_EQ(IsoText(NextTradingDay(Day("2025-09-30"))), "2025-10-09");
  EXPECT_EQ(IsoText(NextTradingDay(Day("2025-03-07"))), "2025-03-10");
  EXPECT_EQ(IsoText(NextTradingDay(Day("2025-03-06"))), "2025-03-07");
  EXPECT_EQ(IsoText(TradingDayFrom(Day("2025-03-06"))), "2025-03-06");
  EXPECT_EQ(IsoText(TradingDayFrom(Day("2026-02-14"))), "2026-02-24");
  EXPECT_EQ(YearsNotHeld(Day("2025-01-02"), Day("2026-12-31")), std::vector<int>{});
  EXPECT_EQ(YearsNotHeld(Day("2024-12-31"), Day("2025-01-03")), std::vector<int>{2024});
  EXPECT_EQ(YearsNotHeld(Day("2026-07-01"), Day("2027-01-04")), std::vector<int>{2027});
  EXPECT_EQ(YearsNotHeld(Day("2027-12-30"), Day("2028-07-03")), (std::vector<int>{2027, 2028}));
}

TEST(Dates, WeekdayAndDaysLater) {
  const std::pair<const char*, int> weekdays[] = {
      {"1970-01-01", 4}, {"0001-01-01", 1}, {"9999-12-31", 5}, {"2025-03-03", 1},
      {"2025-03-09", 7}, {"2024-02-29", 4}, {"2026-02-12", 4}, {"1969-12-31", 3},
  };
  for (const auto& [text, weekday] : weekdays) EXPECT_EQ(Day(text).weekday(), weekday) << text;
  EXPECT_EQ(IsoText(Day("2024-02-28") + 1), "2024-02-29");
  EXPECT_EQ(IsoText(Day("2025-12-31") + 1), "2026-01-01");
  EXPECT_EQ(IsoText(Day("2025-03-03") + 182), "2025-09-01");
  EXPECT_EQ(IsoText(Day("1970-01-01") + -1), "1969-12-31");
}

// The counts the papers printed, and the normal week's (the classic
// "周四买一天算三天" and the Tuesday and Wednesday 3-day bonus).
struct CountCase {
  const char* trade;
  int term;
  int days;
  const char* usable = nullptr;        // 可用, where published
  const char* withdrawable = nullptr;  // 可取, where published
};

TEST(RepoDays, PublishedCounts) {
  const CountCase cases[] = {
      // The week of 2025-03-03, Monday to Friday.
      {"2025-03-03", 1, 1},
      {"2025-03-04", 1, 1},
      {"2025-03-05", 1, 1},
      {"2025-03-06", 1, 3, "2025-03-07", "2025-03-10"},
      {"2025-03-07", 1, 1},
      {"2025-03-03", 2, 2},
      {"2025-03-04", 2, 2},
      {"2025-03-05", 2, 4},
      {"2025-03-06", 2, 4},
      {"2025-03-07", 2, 1},
      {"2025-03-03", 3, 3},
      {"2025-03-04", 3, 5},
      {"2025-03-05", 3, 5},
      {"2025-03-06", 3, 4},
      {"2025-03-07", 3, 1},
      {"2025-03-03", 7, 7},
      {"2025-03-04", 7, 7},
      {"2025-03-05", 7, 7},
      {"2025-03-06", 7, 7},
      {"2025-03-07", 7, 7},
      // 国庆 2025 (证券时报).
      {"2025-09-29", 1, 9, "2025-09-30", "2025-10-09"},
      {"2025-09-29", 2, 10},
      {"2025-09-29", 3, 10},
      {"2025-09-29", 4, 10},
      {"2025-09-29", 7, 10, "2025-10-09", "2025-10-10"},
      // 元旦 2026 (财联社).
      {"2025-12-24", 7, 11, "2025-12-31", "2026-01-05"},
      {"2025-12-30", 1, 5, "2025-12-31", "2026-01-05"},
      {"2025-12-30", 2, 6},
      {"2025-12-30", 3, 6},
      {"2025-12-30", 4, 6},
      // 春节 2026 (东方财富).
      {"2026-02-12", 1, 11, "2026-02-13", "2026-02-24"},
      // Long terms count their calendar days, moved past a closure.
      {"2025-03-03", 91, 92, "2025-06-03", "2025-06-04"},
      {"2025-03-03", 182, 182},
      {"2025-03-06", 28, 31, "2025-04-03", "2025-04-07"},
  };
  for (const CountCase& c : cases) {
    const RepoDates d = RepoDatesFor(Day(c.trade), c.term);
    const std::string what = std::string(c.trade) + " " + std::to_string(c.term) + "天";
    EXPECT_EQ(d.days, c.days) << what;
    EXPECT_EQ(d.days, d.withdrawable - d.firstSettlement) << what;
    EXPECT_TRUE(IsTradingDay(d.firstSettlement) && IsTradingDay(d.usable) && IsTradingDay(d.withdrawable)) << what;
    if (c.usable) {
      EXPECT_EQ(IsoText(d.usable), c.usable) << what;
    }
    if (c.withdrawable) {
      EXPECT_EQ(IsoText(d.withdrawable), c.withdrawable) << what;
    }
  }
}

const RepoTerm& Term(int days) {
  for (const RepoTerm& t : kRepoTerms) {
    if (t.days == days) return t;
  }
  throw std::out_of_range("no such term");
}

struct IncomeCase {
  const char* amount;
  const char* rate;
  int term;
  int days;
  const char* discount;
  const char* interest;
  const char* fee;
  const char* net;
  const char* netAnnual;  // two decimals
  const char* breakEven;  // four decimals
};

TEST(RepoIncome, WorkedAndPublishedExamples) {
  const IncomeCase cases[] = {
      // The worked examples.
      {"100000", "2.5", 1, 3, "10", "20.55", "1.00", "19.55", "2.38", "0.1217"},
      {"100000", "2.5", 1, 1, "10", "6.85", "1.00", "5.85", "2.14", "0.3650"},
      {"10000", "1.8", 7, 7, "10", "3.45", "0.50", "2.95", "1.54", "0.2607"},
      {"100000", "1.6", 1, 11, "10", "48.22", "1.00", "47.22", "1.57", "0.0332"},
      {"50000", "1.9", 7, 10, "10", "26.03", "2.50", "23.53", "1.72", "0.1825"},
      // The minimum amount on a Thursday: 0.205479… rounds up.
      {"1000", "2.5", 1, 3, "10", "0.21", "0.01", "0.20", "2.43", "0.1217"},
      // Published arithmetic: 3 %, 10 %, 5.05 % on a Monday and a Thursday,
      // 4.305 % (净年化 3.938 %), 6 % over 365 rather than 360 (16.44, not 16.67).
      {"100000", "3", 1, 1, "10", "8.22", "1.00", "7.22", "2.64", "0.3650"},
      {"100000", "10", 1, 1, "10", "27.40", "1.00", "26.40", "9.64", "0.3650"},
      {"100000", "5.05", 1, 1, "10", "13.84", "1.00", "12.84", "4.69", "0.3650"},
      {"100000", "5.05", 1, 3, "10", "41.51", "1.00", "40.51", "4.93", "0.1217"},
      {"100000", "4.305", 1, 1, "10", "11.79", "1.00", "10.79", "3.94", "0.3650"},
      {"100000", "6", 1, 1, "10", "16.44", "1.00", "15.44", "5.64", "0.3650"},
      // Every term's commission on 1 000 000 yuan.
      {"1000000", "2", 2, 2, "10", "109.59", "20.00", "89.59", "1.64", "0.3650"},
      {"1000000", "2", 3, 3, "10", "164.38", "30.00", "134.38", "1.63", "0.3650"},
      {"1000000", "2", 4, 4, "10", "219.18", "40.00", "179.18", "1.64", "0.3650"},
      {"1000000", "2", 14, 14, "10", "767.12", "100.00", "667.12", "1.74", "0.2607"},
      {"1000000", "2", 28, 28, "10", "1534.25", "200.00", "1334.25", "1.74", "0.2607"},
      {"1000000", "2", 91, 91, "10", "4986.30", "300.00", "4686.30", "1.88", "0.1203"},
      {"1000000", "2", 182, 182, "10", "9972.60", "300.00", "9672.60", "1.94", "0.0602"},
      // Discounts: 一折 of 0.01 is 0.001, half up to the cent; a third of a
      // tenth's decimals kept exactly; none at all.
      {"1000", "2.5", 1, 1, "1", "0.07", "0.00", "0.07", "2.56", "0.0365"},
      {"5000", "2.5", 1, 1, "1", "0.34", "0.01", "0.33", "2.41", "0.0365"},
      {"1000000", "2", 7, 7, "3.333333333333333333333333333333", "383.56", "16.67", "366.89", "1.91", "0.0869"},
      {"100000", "2.5", 7, 7, "0", "47.95", "0.00", "47.95", "2.50", "0.0000"},
      // Losses, halves away from zero: -0.01 over 1000 for one day is -0.365 %.
      {"1000", "0.005", 1, 1, "10", "0.00", "0.01", "-0.01", "-0.37", "0.3650"},
      {"100000", "0.1", 3, 1, "10", "0.27", "3.00", "-2.73", "-1.00", "1.0950"},
      // The largest amount at the highest rate.
      {"10000000000", "100", 182, 182, "10", "4986301369.86", "3000000.00", "4983301369.86", "99.94", "0.0602"},
  };
  for (const IncomeCase& c : cases) {
    const RepoIncome r = RepoIncomeFor(*Decimal::Parse(c.amount), *Decimal::Parse(c.rate), Term(c.term), c.days,
                                       *Decimal::Parse(c.discount));
    const std::string what = std::string(c.amount) + " at " + c.rate + " % for " + std::to_string(c.term) + "天, D " +
                             std::to_string(c.days) + ", discount " + c.discount;
    EXPECT_EQ(r.interest.Text(2), c.interest) << what;
    EXPECT_EQ(r.fee.Text(2), c.fee) << what;
    EXPECT_EQ(r.net.Text(2), c.net) << what;
    EXPECT_EQ(r.netAnnualPercent.Text(2), c.netAnnual) << what;
    EXPECT_EQ(r.breakEvenPercent.Text(4), c.breakEven) << what;
  }
}

TEST(RepoIncome, LotsAndTick) {
  const std::pair<const char*, bool> lots[] = {
      {"1000", true},  {"2000", true}, {"10000000000", true}, {"1000.000", true},
      {"1500", false}, {"999", false}, {"1000.5", false},     {"100000.000000000000000000000000000001", false},
  };
  for (const auto& [amount, whole] : lots) EXPECT_EQ(InWholeLots(*Decimal::Parse(amount)), whole) << amount;
  const std::pair<const char*, bool> ticks[] = {
      {"2.5", true},
      {"0.005", true},
      {"1.995", true},
      {"100", true},
      {"2.501", false},
      {"0.0025", false},
      {"2.500000000000000000000000000001", false},
  };
  for (const auto& [rate, onTick] : ticks) EXPECT_EQ(OnRepoTick(*Decimal::Parse(rate)), onTick) << rate;
}

// The trade day shows today's date when the screen loads.
TEST(RepoScreen, TradeDayIsTodayAtLoad) {
  const std::string before = IsoText(Today());
  TestHost host;
  App app(host);
  const std::string shown = app.Get("Form52").text("Text3");
  const std::string after = IsoText(Today());
  EXPECT_TRUE(shown == before || shown == after) << shown;
}

}  // namespace
}  // namespace hc
