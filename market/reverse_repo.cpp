#include "market/reverse_repo.h"

#include "market/exchange_calendar.h"

namespace hc {

bool InWholeLots(const Decimal& amount) {
  if (!amount.IsWhole()) return false;
  return amount.UnitsAt(0) % kRepoLot == 0;
}

bool OnRepoTick(const Decimal& ratePercent) {
  // A whole number of ticks: rate × 200 is whole.
  return (ratePercent * Decimal::Whole(200)).IsWhole();
}

Date FirstActualDaysTrade() { return *Date::FromCivil(2017, 5, 22); }
Date LastRepoTrade() { return *Date::FromCivil(9998, 12, 31); }

RepoDates RepoDatesFor(Date trade, int termDays) {
  const Date first = NextTradingDay(trade);
  const Date usable = TradingDayFrom(trade + termDays);
  const Date withdrawable = NextTradingDay(usable);
  return RepoDates{first, usable, withdrawable, withdrawable - first};
}

RepoIncome RepoIncomeFor(const Decimal& amount, const Decimal& ratePercent, const RepoTerm& term, int days,
                         const Decimal& discount) {
  RepoIncome r;
  const Decimal d = Decimal::Whole(days);
  // amount × rate% × D / 365 = amount × (rate × D) / 36500.
  r.interest = Decimal::MulAddDivide(amount, ratePercent * d, Decimal(), Decimal::Whole(36500), 2);
  // amount × (k × 0.001 %) × discount / 10 = amount × k × discount / 10^6.
  r.fee = Decimal::ProductRounded(amount * Decimal::Whole(term.feeThousandths), discount, 2, 6);
  r.net = r.interest - r.fee;
  r.netAnnualPercent = Decimal::Divide(r.net * Decimal::Whole(36500), amount * d, 2);
  // (k × 0.001 %) × discount / 10 × 365 / D = k × discount × 365 / (10^4 × D) percent.
  r.breakEvenPercent =
      Decimal::Divide(Decimal::Whole(std::int64_t{365} * term.feeThousandths) * discount, Decimal::Whole(10000) * d, 4);
  return r;
}

}  // namespace hc
