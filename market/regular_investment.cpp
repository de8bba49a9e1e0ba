#include "market/regular_investment.h"

#include <algorithm>

#include "numeric/numeric.h"

namespace hc {

namespace {

// The computed figures err by far less than this (a few thousand cut
// products of figures below 10^22 at 10^-72 each); a figure that lies
// within it of a half cent is taken for the exact half it is computed as,
// and rounded up, and a deposit that falls short of the target by less is
// taken to reach it.
const FixedPoint& Margin() {
  static const FixedPoint margin = FixedPoint::TenTo(-40);
  return margin;
}

Decimal Cents(const FixedPoint& v) { return (v + Margin()).Rounded(2); }

// (1 + annual)^(1/m) by Newton's method on y = (1 + annual)^(-1/m), which
// needs no division: y ← y + y × (1 − c × y^m) / m. It starts from
// 1 / (1 + annual / m), at or below y (Bernoulli: (1 + r/m)^m ≥ 1 + r), from
// where every step rises towards y, the far ones by about a factor 1 + 1/m;
// then c^(1/m) = c × y^(m − 1).
FixedPoint EffectiveGrowth(const FixedPoint& c, const Decimal& annualPercent, int m) {
  const Decimal hundredM = Decimal::Whole(100LL * m);
  const Decimal start = Decimal::Divide(hundredM, hundredM + annualPercent, 30) - Decimal(1, 30);
  FixedPoint y(start);
  const FixedPoint one = FixedPoint::Whole(1);
  const FixedPoint settled = FixedPoint::TenTo(-70);
  for (int step = 0; step < 200; ++step) {
    const FixedPoint u = c * y.Power(static_cast<std::uint64_t>(m));
    const bool below = u <= one;
    const FixedPoint move = (y * (below ? one - u : u - one)).DividedBy(static_cast<std::uint64_t>(m));
    y = below ? y + move : y - move;
    if (move <= settled) break;
  }
  return c * y.Power(static_cast<std::uint64_t>(m - 1));
}

// A nonnegative fixed-point figure as a Decimal of about 36 digits.
Decimal Approximately(const FixedPoint& v) { return v.Cut(std::clamp(36 - v.WholeDigits(), 0, 30)); }

}  // namespace

int PeriodsPerYear(Frequency frequency) {
  switch (frequency) {
    case Frequency::Monthly: return 12;
    case Frequency::Biweekly: return 26;
    case Frequency::Weekly: return 52;
  }
  return 12;
}

FixedPoint PeriodGrowth(const Decimal& annualPercent, int periodsPerYear, RateConversion conversion) {
  const FixedPoint one = FixedPoint::Whole(1);
  if (annualPercent.sign() == 0) return one;
  const bool falling = annualPercent.sign() < 0;
  const FixedPoint magnitude(falling ? -annualPercent : annualPercent);
  if (conversion == RateConversion::Nominal) {
    const FixedPoint rate = magnitude.DividedBy(100ULL * static_cast<std::uint64_t>(periodsPerYear));
    return falling ? one - rate : one + rate;
  }
  const FixedPoint rate = magnitude.DividedBy(100);
  return EffectiveGrowth(falling ? one - rate : one + rate, annualPercent, periodsPerYear);
}

RegularPlan ProjectPlan(const PlanTerms& terms) {
  RegularPlan plan;
  const int m = PeriodsPerYear(terms.frequency);
  const FixedPoint g = PeriodGrowth(terms.annualPercent, m, terms.conversion);

  // One year of periods: the growth G = g^m and what a deposit a period
  // grows to by the year's end, a × F with F = g^(m−1) + … + g + 1, and one
  // period more for deposits at the start.
  FixedPoint growth = FixedPoint::Whole(1);
  FixedPoint sum;
  for (int k = 0; k < m; ++k) {
    sum = sum + growth;
    growth = growth * g;
  }
  const FixedPoint yearFactor = terms.timing == Timing::PeriodStart ? sum * g : sum;
  const FixedPoint deposits = FixedPoint(terms.deposit) * yearFactor;

  // Year by year: the assets B ← B × G + a × F from the principal, the
  // principal's growth G^y and the deposits' sum W ← W × G + 1 (for the
  // target). Each stays below 10^23 while B is at most 10^18.
  const FixedPoint most = FixedPoint(Decimal::Whole(kMostPlanAssets));
  const FixedPoint principal(terms.principal);
  FixedPoint assets = principal;
  FixedPoint principalGrowth = FixedPoint::Whole(1);
  FixedPoint yearsSum;
  const Decimal perYear = terms.deposit * Decimal::Whole(m);
  plan.years.reserve(static_cast<std::size_t>(terms.years));
  for (int y = 1; y <= terms.years; ++y) {
    assets = assets * growth + deposits;
    principalGrowth = principalGrowth * growth;
    yearsSum = yearsSum * growth + FixedPoint::Whole(1);
    if (assets > most) return RegularPlan{.tooLarge = true};
    PlanYear row;
    row.invested = terms.principal + perYear * Decimal::Whole(y);
    row.assets = Cents(assets);
    row.gain = row.assets - row.invested;
    plan.years.push_back(row);
  }
  const PlanYear& last = plan.years.back();
  plan.periods = m * terms.years;
  plan.invested = last.invested;
  plan.finalAssets = last.assets;
  plan.gain = last.gain;
  plan.gainPercent = Decimal::MulAddDivide(plan.gain, Decimal::Whole(100), Decimal(), plan.invested, 2);

  if (terms.target) {
    // The least deposit x in cents with P × G^n + x × F × W ≥ target: from
    // the quotient to about 36 digits, then checked a cent either way.
    const FixedPoint target(*terms.target);
    const FixedPoint grown = principal * principalGrowth + Margin();
    if (grown >= target) {
      plan.targetReached = true;
      return plan;
    }
    const FixedPoint factor = yearFactor * yearsSum;
    auto reaches = [&](const Decimal& x) { return grown + FixedPoint(x) * factor >= target; };
    const Decimal cent(1, 2);
    Decimal x = std::max(Decimal::Divide(Approximately(target - grown), Approximately(factor), 2), cent);
    while (!reaches(x)) x = x + cent;
    while (x > cent && reaches(x - cent)) x = x - cent;
    plan.depositForTarget = x;
  }
  return plan;
}

}  // namespace hc
