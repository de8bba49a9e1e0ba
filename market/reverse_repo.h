// Lending cash on the exchange against government bonds (国债逆回购: SSE
// GC001…GC182, SZSE R-001…R-182). Since 2017-05-22 interest runs for the
// actual days the cash is lent (实际占款天数) over a 365-day year:
//
//   T  the trade day, a trading day
//   F  首次资金交收日, the first trading day after T: the cash leaves
//   C  到期清算日, T + the term in calendar days, moved forward to a
//      trading day: the cash is usable (可用) again
//   S  到期资金交收日, the first trading day after C: it can be withdrawn (可取)
//   D  计息天数 = S − F in calendar days
//
// so a Thursday 1-day repo earns 3 days, and a Friday 2- or 3-day repo earns
// one day but pays the 2- or 3-day commission, which goes by the nominal
// term and is charged once, at the trade. Money is exact decimal, half up to
// the cent.
#pragma once

#include <cstdint>
#include <string_view>

#include "market/dates.h"
#include "numeric/decimal.h"

namespace hc {

// A term of the repo and its commission.
struct RepoTerm {
  int days;               // the nominal term in calendar days
  int feeThousandths;     // the commission in thousandths of a percent of the amount: 1 is 0.001 %
  std::string_view name;  // "1天"
};

// The terms both exchanges list, with the brokers' standard commission.
inline constexpr RepoTerm kRepoTerms[] = {
    {1, 1, "1天"},    {2, 2, "2天"},    {3, 3, "3天"},    {4, 4, "4天"},      {7, 5, "7天"},
    {14, 10, "14天"}, {28, 20, "28天"}, {91, 30, "91天"}, {182, 30, "182天"},
};

// An order is a whole multiple of 1000 yuan (both exchanges since
// 2022-05-16), here at most 10^10 yuan.
inline constexpr std::int64_t kRepoLot = 1000;
inline constexpr std::int64_t kLargestRepoAmount = 10'000'000'000;

// Whether the amount is a whole multiple of the lot.
bool InWholeLots(const Decimal& amount);

// Whether the quoted rate (in percent) lies on the quote's tick of 0.005.
bool OnRepoTick(const Decimal& ratePercent);

// The first trade day counted by actual days over 365: 2017-05-22. Trades
// done before it kept the nominal term over 360.
Date FirstActualDaysTrade();
// The last trade day whose dates stay within the calendar (years to 9999).
Date LastRepoTrade();

// The dates of a repo traded on `trade` (a trading day) for `termDays`.
struct RepoDates {
  Date firstSettlement;  // F, 首次资金交收日
  Date usable;           // C, 到期清算日: 可用
  Date withdrawable;     // S, 到期资金交收日: 可取
  int days = 0;          // D = S − F, at least 1
};
RepoDates RepoDatesFor(Date trade, int termDays);

// The money of a repo.
struct RepoIncome {
  Decimal interest;          // amount × rate / 100 × D / 365, half up to the cent
  Decimal fee;               // amount × the term's commission × discount / 10, half up to the cent
  Decimal net;               // interest − fee
  Decimal netAnnualPercent;  // net / amount × 365 / D × 100, two decimals
  Decimal breakEvenPercent;  // the commission's rate × 365 / D, in percent, four decimals
};

// `amount` in yuan (above 0), `ratePercent` the quoted yearly rate, `days`
// the interest days (at least 1), `discount` the broker's discount in tenths
// (10 the standard commission, 1 a tenth of it, 0 none).
RepoIncome RepoIncomeFor(const Decimal& amount, const Decimal& ratePercent, const RepoTerm& term, int days,
                         const Decimal& discount);

}  // namespace hc
