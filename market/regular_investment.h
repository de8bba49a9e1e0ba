// A regular-investment projection (定投计划): the same amount put in every
// period (monthly, every two weeks or weekly) at the start or at the end of
// the period, grown at an expected annual rate, beside what was invested
// already; what the plan is worth at the end, year by year, and the least
// amount a period that reaches a target.
//
// The period's rate is the annual rate taken either as an effective rate,
// (1 + annual)^(1/periods a year) − 1, so that a year of periods compounds
// to exactly the annual rate, or as a nominal one, annual / periods a year,
// as most calculators do. Neither is an exact decimal in general: the growth
// is computed in decimal fixed point to 72 decimals (numeric/fixed_point.h),
// so that every cent shown is the true figure's.
#pragma once

#include <optional>
#include <vector>

#include "numeric/decimal.h"
#include "numeric/fixed_point.h"

namespace hc {

enum class Frequency { Monthly, Biweekly, Weekly };
enum class Timing { PeriodStart, PeriodEnd };
enum class RateConversion { Effective, Nominal };

int PeriodsPerYear(Frequency frequency);  // 12, 26 or 52

// The largest year-end figure a projection shows, in yuan.
inline constexpr std::int64_t kMostPlanAssets = 1000000000000000000;

struct PlanTerms {
  Decimal deposit;                // each period, in cents, above 0, at most 10^12
  Decimal annualPercent;          // from −99.99 to 1000
  int years = 1;                  // 1 to 100
  Decimal principal;              // already invested, in cents, 0 to 10^12
  std::optional<Decimal> target;  // in cents, above 0, at most 10^12
  Frequency frequency = Frequency::Monthly;
  Timing timing = Timing::PeriodStart;
  RateConversion conversion = RateConversion::Effective;
};

struct PlanYear {
  Decimal invested;  // principal and deposits to the year's end
  Decimal assets;    // at the year's end, in cents
  Decimal gain;      // assets less invested
};

struct RegularPlan {
  bool tooLarge = false;  // a year's end beyond kMostPlanAssets: nothing else is set
  int periods = 0;
  Decimal invested;
  Decimal finalAssets;
  Decimal gain;
  Decimal gainPercent;  // of invested, two decimals
  // The least deposit in cents that reaches the target; empty where no
  // target is given or the principal alone reaches it (targetReached).
  std::optional<Decimal> depositForTarget;
  bool targetReached = false;
  std::vector<PlanYear> years;
};

RegularPlan ProjectPlan(const PlanTerms& terms);

// The growth factor of one period, 1 + the period's rate, to 72 decimals.
FixedPoint PeriodGrowth(const Decimal& annualPercent, int periodsPerYear, RateConversion conversion);

}  // namespace hc
