// A convertible bond held to maturity (可转债到期收益率): from its price
// today, its coupon schedule and its redemption price, the flows still to
// come per bond of 100 yuan face value, the annual yield of buying at the
// price and holding to maturity before and after the 20 % tax on interest,
// the bond floor (纯债价值: the flows discounted at the yield of comparable
// credit bonds) with the price's premium over it, and the interest the price
// already holds.
//
// Convertibles trade at the dirty price (全价): the quoted price holds the
// interest accrued since the last coupon, so none is added to it. Coupons
// are paid once a year on each anniversary of the day interest starts (the
// first day of issue); a buyer receives those after the day he buys. The
// redemption price at maturity holds the last coupon, or it does not and the
// last coupon is paid beside it, as the bond's terms say; issuers tax the
// maturity payment differently too (only its last coupon, or all of it above
// the face value).
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "market/dates.h"
#include "numeric/decimal.h"

namespace hc {

// The longest term from the start of interest to maturity, in years.
inline constexpr int kMostBondYears = 100;
// Coupon rates lie from 0 to this many percent.
inline constexpr int kHighestCouponPercent = 100;

// The coupon rates typed, one a year in order, separated by blanks, "、",
// "," or "，"; each read as a percent field reads it ("%" and full-width
// digits allowed).
enum class CouponFault {
  None,
  NoRates,     // nothing but separators
  NotNumber,   // the rate `number` is not a plain decimal number
  OutOfRange,  // the rate `number` lies outside 0 … kHighestCouponPercent
};
struct CouponRatesRead {
  std::vector<Decimal> percents;  // empty on a fault
  CouponFault fault = CouponFault::None;
  std::size_t number = 0;  // from 1
};
CouponRatesRead ReadCouponRates(std::string_view text);

// The day `years` after `start` with the same month and day; 29 February
// falls on the 28th in a common year. Empty beyond the year 9999.
std::optional<Date> Anniversary(Date start, int years);

// The anniversaries of `start` after it up to `day` included (0 before the
// first).
int WholeYears(Date start, Date day);

// Whether the redemption price at maturity holds the last coupon.
enum class LastCoupon { InRedemption, BesideRedemption };
// The part of the maturity payment taxed (20 %) besides the other coupons.
enum class MaturityTax { LastCouponOnly, AboveFaceValue };

// The terms of one bond. Interest starts on `start`; `maturity` is an
// anniversary of it, years = percents.size() ≥ 1 of them later.
struct BondTerms {
  Date start;
  Date maturity;
  std::vector<Decimal> percents;  // coupon rates, year 1 first, each 0 … 100
  Decimal redemption;             // the redemption price per 100 face, above 0
  LastCoupon lastCoupon = LastCoupon::InRedemption;
  MaturityTax maturityTax = MaturityTax::LastCouponOnly;
};

// One payment still to come, per bond, exact.
struct BondFlow {
  Date date;
  Decimal beforeTax;
  Decimal afterTax;
};

struct BondYield {
  std::vector<BondFlow> flows;           // each coupon date after the day bought, maturity last
  Decimal remainingYears;                // days to maturity / 365, three decimals
  Decimal remainingCash;                 // the flows before tax, added up
  std::optional<double> yieldBeforeTax;  // the annual rate (xirr.h), none where none fits
  std::optional<double> yieldAfterTax;
  Decimal bondFloor;                      // the flows before tax at the discount rate, 30 decimals
  std::optional<Decimal> premiumPercent;  // price / floor − 1, percent, two decimals; none below half a cent
  // Held in the price: this year's coupon × the days since that year began
  // / 365, four decimals.
  Decimal accruedInterest;
};

// The figures of a bond bought on `bought` (start ≤ bought < maturity) at
// the dirty price `price` (> 0), with the bond floor at `discountPercent`
// (0 … 100) a year. Terms that break the rules above are
// CalcError(InvalidArgument).
BondYield ConvertibleYield(const Decimal& price, Date bought, const BondTerms& terms, const Decimal& discountPercent);

}  // namespace hc
