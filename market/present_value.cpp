#include "market/present_value.h"

#include <algorithm>
#include <vector>

#include "numeric/numeric.h"

namespace hc {

namespace {

constexpr int kScale = Decimal::kMaxScale;
constexpr int kYearDays = 365;

Decimal One() { return Decimal::Whole(1); }

// a × b rounded half away from zero to 30 decimals.
Decimal Mul(const Decimal& a, const Decimal& b) { return Decimal::ProductRounded(a, b, kScale); }

// x^n for n ≥ 0 by squaring. For 0 ≤ x ≤ 1 every product stays at most 1,
// so each rounding adds at most half a unit of 10^-30 and none is magnified.
Decimal Power(Decimal x, int n) {
  Decimal result = One();
  while (n > 0) {
    if ((n & 1) != 0) result = Mul(result, x);
    n >>= 1;
    if (n > 0) x = Mul(x, x);
  }
  return result;
}

// ln(1 + r) for 0 ≤ r ≤ 1, as 2 artanh(z) = 2 (z + z³/3 + z⁵/5 + …) with
// z = r / (2 + r) ≤ 1/3: each term at most a ninth of the one before.
Decimal LogOnePlus(const Decimal& r) {
  const Decimal z = Decimal::Divide(r, Decimal::Whole(2) + r, kScale);
  const Decimal z2 = Mul(z, z);
  Decimal sum;
  Decimal power = z;
  for (int k = 1; power.sign() != 0; k += 2) {
    sum = sum + Decimal::Divide(power, Decimal::Whole(k), kScale);
    power = Mul(power, z2);
  }
  return sum + sum;
}

// e^(−a) for 0 ≤ a ≤ ln 2 / 365: the series 1 − a + a²/2 − …, whose terms
// fall by a factor of several hundred each.
Decimal ExpOfMinus(const Decimal& a) {
  Decimal sum = One();
  Decimal term = One();
  for (int n = 1; term.sign() != 0; ++n) {
    term = -Decimal::Divide(Mul(term, a), Decimal::Whole(n), kScale);
    sum = sum + term;
  }
  return sum;
}

// The discount factors of a rate: a whole year's 1 / (1 + r) and a day's
// (1 + r)^(−1/365); a stretch of days is so many years of 365 days and the
// days left. Flows a whole number of 365-day years apart are discounted by
// the year's factor alone, as a bond's price is written; a 366-day year
// between two anniversaries counts one day more.
class Discounting {
 public:
  explicit Discounting(const Decimal& rate) {
    if (rate.sign() < 0 || rate > Decimal::Whole(1)) throw CalcError(ErrorKind::InvalidArgument);
    year_ = Decimal::Divide(One(), One() + rate, kScale);
    day_ = ExpOfMinus(Decimal::Divide(LogOnePlus(rate), Decimal::Whole(kYearDays), kScale));
  }

  Decimal Over(int days) const {
    if (days < 0) throw CalcError(ErrorKind::InvalidArgument);
    return Mul(Power(year_, days / kYearDays), Power(day_, days % kYearDays));
  }

 private:
  Decimal year_;
  Decimal day_;
};

}  // namespace

Decimal DiscountFactor(const Decimal& rate, int days) { return Discounting(rate).Over(days); }

Decimal PresentValue(std::span<const DatedFlow> flows, const Decimal& rate) {
  const Discounting discounting(rate);
  // Taken in the order of their days, each factor is the one before times
  // that of the days between: a year's factor between two coupons.
  std::vector<const DatedFlow*> byDay;
  byDay.reserve(flows.size());
  for (const DatedFlow& f : flows) byDay.push_back(&f);
  std::stable_sort(byDay.begin(), byDay.end(), [](const DatedFlow* a, const DatedFlow* b) { return a->day < b->day; });
  Decimal value = Decimal(0, kScale);
  Decimal factor = One();
  int day = 0;
  for (const DatedFlow* f : byDay) {
    factor = Mul(factor, discounting.Over(f->day - day));
    day = f->day;
    value = value + Mul(f->amount, factor);
  }
  return value;
}

}  // namespace hc
