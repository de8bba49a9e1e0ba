#include "market/convertible_yield.h"

#include <algorithm>
#include <string>

#include "market/present_value.h"
#include "market/xirr.h"
#include "numeric/fields.h"
#include "numeric/numeric.h"

namespace hc {

namespace {

[[noreturn]] void Invalid() { throw CalcError(ErrorKind::InvalidArgument); }

// The width of the separator between two coupon rates at the start of
// `text`, 0 where none starts there: blanks of every kind, "、", "," and "，".
std::size_t SeparatorAt(std::string_view text) {
  static constexpr std::string_view kWide[] = {
      "、",            // enumeration comma
      "，",            // full-width comma
      "\xC2\xA0",      // no-break space
      "\xE2\x80\x8B",  // zero-width space
      "\xEF\xBB\xBF",  // byte-order mark
      "\xE3\x80\x80",  // ideographic blank
  };
  const char c = text.front();
  if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f' || c == ',') return 1;
  for (std::string_view s : kWide) {
    if (text.starts_with(s)) return s.size();
  }
  return 0;
}

CouponRatesRead Fault(CouponFault fault, std::size_t number = 0) {
  CouponRatesRead out;
  out.fault = fault;
  out.number = number;
  return out;
}

// 20 % of an amount, and the 80 % left after the tax.
Decimal Tax(const Decimal& taxed) { return taxed * Decimal(2, 1); }
Decimal AfterTax(const Decimal& interest) { return interest * Decimal(8, 1); }

}  // namespace

CouponRatesRead ReadCouponRates(std::string_view text) {
  const std::string plain = PlainWidth(text);
  std::vector<std::string> items;
  std::string_view rest = plain;
  std::size_t from = 0;
  for (std::size_t i = 0; i <= rest.size();) {
    const std::size_t width = i < rest.size() ? SeparatorAt(rest.substr(i)) : 1;
    if (width == 0) {
      ++i;
      continue;
    }
    if (i > from) items.emplace_back(rest.substr(from, i - from));
    i += width;
    from = i;
  }
  if (items.empty()) return Fault(CouponFault::NoRates);
  CouponRatesRead out;
  out.percents.reserve(items.size());
  const Decimal highest = Decimal::Whole(kHighestCouponPercent);
  for (std::size_t i = 0; i < items.size(); ++i) {
    CleanField(items[i], FieldKind::Percent);
    const FieldNumber n = ReadFieldNumber(items[i]);
    if (n.state == FieldNumber::State::Missing || n.state == FieldNumber::State::NotNumber) {
      return Fault(CouponFault::NotNumber, i + 1);
    }
    if (n.state == FieldNumber::State::Huge || n.value.sign() < 0 || n.value > highest) {
      return Fault(CouponFault::OutOfRange, i + 1);
    }
    out.percents.push_back(n.value);
  }
  return out;
}

std::optional<Date> Anniversary(Date start, int years) {
  const int year = start.year() + years;
  if (const std::optional<Date> same = Date::FromCivil(year, start.month(), start.day())) return same;
  if (start.month() == 2 && start.day() == 29) return Date::FromCivil(year, 2, 28);
  return std::nullopt;
}

int WholeYears(Date start, Date day) {
  if (day < start) return 0;
  int years = day.year() - start.year();
  const std::optional<Date> at = Anniversary(start, years);
  if (!at || *at > day) --years;
  return years;
}

BondYield ConvertibleYield(const Decimal& price, Date bought, const BondTerms& terms, const Decimal& discountPercent) {
  const int years = static_cast<int>(terms.percents.size());
  if (years < 1 || years > kMostBondYears || Anniversary(terms.start, years) != terms.maturity) Invalid();
  if (bought < terms.start || !(bought < terms.maturity) || price.sign() <= 0 || terms.redemption.sign() <= 0) {
    Invalid();
  }
  if (discountPercent.sign() < 0 || discountPercent > Decimal::Whole(kHighestDiscountPercent)) Invalid();
  const Decimal face = Decimal::Whole(100);

  BondYield out;
  // A coupon of r % on 100 face is r yuan. The coupons after the day bought,
  // the last one with the redemption.
  for (int k = WholeYears(terms.start, bought) + 1; k < years; ++k) {
    const Decimal& coupon = terms.percents[static_cast<std::size_t>(k - 1)];
    out.flows.push_back({*Anniversary(terms.start, k), coupon, AfterTax(coupon)});
  }
  const Decimal& last = terms.percents.back();
  const Decimal& r = terms.redemption;
  const Decimal aboveFace = r > face ? r - face : Decimal();
  BondFlow maturity{terms.maturity, r, r};
  if (terms.lastCoupon == LastCoupon::InRedemption) {
    // The redemption price holds the last coupon: the tax is on that coupon
    // (never more than is paid), or on everything above the face value.
    const Decimal taxed = terms.maturityTax == MaturityTax::LastCouponOnly ? std::min(last, r) : aboveFace;
    maturity.afterTax = r - Tax(taxed);
  } else {
    // The last coupon comes beside the redemption and is taxed as a coupon;
    // the redemption's own part above the face value may be taxed too.
    maturity.beforeTax = r + last;
    const Decimal redemption = terms.maturityTax == MaturityTax::LastCouponOnly ? r : r - Tax(aboveFace);
    maturity.afterTax = redemption + AfterTax(last);
  }
  out.flows.push_back(maturity);

  // The buyer pays the price on the day bought and receives the flows.
  std::vector<DatedFlow> before{{0, -price}};
  std::vector<DatedFlow> after{{0, -price}};
  std::vector<DatedFlow> remaining;
  for (const BondFlow& f : out.flows) {
    const int day = f.date - bought;
    before.push_back({day, f.beforeTax});
    after.push_back({day, f.afterTax});
    remaining.push_back({day, f.beforeTax});
    out.remainingCash = out.remainingCash + f.beforeTax;
  }
  out.yieldBeforeTax = AnnualRate(before);
  out.yieldAfterTax = AnnualRate(after);

  const int daysLeft = terms.maturity - bought;
  out.remainingYears = Decimal::Divide(Decimal::Whole(daysLeft), Decimal::Whole(365), 3);
  out.bondFloor = PresentValue(remaining, Decimal::Divide(discountPercent, face, Decimal::kMaxScale));
  // A floor that shows as 0.00 yuan has no meaningful premium.
  if (out.bondFloor.Round(2).sign() > 0) {
    out.premiumPercent = Decimal::MulAddDivide(price, face, -(out.bondFloor * face), out.bondFloor, 2);
  }

  // The interest of the current coupon year, from its first day to the day
  // bought (counting the first day, not the last).
  const int yearsDone = WholeYears(terms.start, bought);
  const Date yearStart = *Anniversary(terms.start, yearsDone);
  const Decimal& rate = terms.percents[static_cast<std::size_t>(yearsDone)];
  out.accruedInterest = Decimal::Divide(rate * Decimal::Whole(bought - yearStart), Decimal::Whole(365), 4);
  return out;
}

}  // namespace hc
