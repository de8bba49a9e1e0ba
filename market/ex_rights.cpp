#include "market/ex_rights.h"

#include <algorithm>

#include "market/fees.h"
#include "numeric/long_number.h"
#include "numeric/numeric.h"

namespace hc {

namespace {

using U128 = LongNumber::U128;

constexpr U128 kIntMax = ~(static_cast<U128>(1) << 127);  // the largest unit count of a Decimal

}  // namespace

bool DistributesNothing(const DistributionTerms& terms) {
  return terms.dividend.sign() == 0 && terms.bonus.sign() == 0 && terms.conversion.sign() == 0 &&
         terms.rights.sign() == 0;
}

int DividendTaxPercent(HoldingPeriod period) {
  switch (period) {
    case HoldingPeriod::UpToOneMonth: return 20;
    case HoldingPeriod::UpToOneYear: return 10;
    case HoldingPeriod::OverOneYear: return 0;
  }
  return 20;
}

Decimal ReferencePrice(const Decimal& close, const DistributionTerms& terms) {
  // Both sides times 10: (10 × close − dividend + rightsPrice × rights) /
  // (10 + bonus + conversion + rights), the per-10 figures as typed. The
  // rights payment keeps every decimal a value can hold (all of them unless
  // the rights figure has more than 28).
  const Decimal ten = Decimal::Whole(10);
  const Decimal cashPerTen = terms.virtualDividend ? terms.virtualDividend->Normalized() * ten : terms.dividend;
  const Decimal sharesPerTen =
      terms.virtualShareRatio ? terms.virtualShareRatio->Normalized() * ten : terms.bonus + terms.conversion;
  Decimal numerator = ten * close - cashPerTen;
  if (terms.rights.sign() > 0) {
    const int decimals = std::min(terms.rightsPrice.scale() + terms.rights.scale(), Decimal::kMaxScale);
    numerator = numerator + Decimal::ProductRounded(terms.rightsPrice, terms.rights, decimals);
  }
  const Decimal denominator = ten + sharesPerTen + terms.rights;
  return Decimal::Divide(numerator, denominator, 2);
}

Decimal WholeSharesPerTen(const Decimal& shares, const Decimal& perTen) {
  if (shares.sign() < 0 || perTen.sign() < 0) throw CalcError(ErrorKind::InvalidArgument);
  // Exact for any digits: the product may outgrow 128 bits before the cut.
  const LongNumber product =
      LongNumber(static_cast<U128>(shares.units())) * LongNumber(static_cast<U128>(perTen.units()));
  const std::optional<U128> whole = product.ShiftedDown(shares.scale() + perTen.scale() + 1).ToU128();
  if (!whole || *whole > kIntMax) throw CalcError(ErrorKind::Overflow);
  return Decimal(static_cast<Decimal::Int>(*whole), 0);
}

std::optional<ExRightsPosition> ExRightsOf(const Decimal& close, const DistributionTerms& terms,
                                           const Holding& holding) {
  ExRightsPosition p;
  p.referencePrice = ReferencePrice(close, terms);
  if (p.referencePrice.sign() <= 0) return std::nullopt;

  const Decimal& n = holding.shares;
  p.distributedShares = WholeSharesPerTen(n, terms.bonus + terms.conversion);
  const bool subscribes = holding.subscribes && terms.rights.sign() > 0;
  p.rightsShares = subscribes ? WholeSharesPerTen(n, terms.rights) : Decimal::Whole(0);
  p.sharesAfter = n + p.distributedShares + p.rightsShares;

  // Dividend income: the cash and the bonus shares (not the converted ones)
  // at their par of 1 yuan each.
  p.dividend = Decimal::ProductRounded(n, terms.dividend, 2, 1);
  const Decimal bonusAtPar = WholeSharesPerTen(n, terms.bonus);
  p.dividendTax =
      Decimal::ProductRounded(p.dividend + bonusAtPar, Decimal::Whole(DividendTaxPercent(holding.period)), 2, 2);
  p.rightsPayment = subscribes ? OrderAmount(terms.rightsPrice, p.rightsShares) : Decimal::Whole(0);

  // The holding's cost (shares × cost price, every decimal of the cost
  // price) less the cash plus the tax and the payment, shared out over the
  // shares after: one rounding, exact where the product outgrows 128 bits.
  p.costPriceAfter =
      Decimal::MulAddDivide(n, holding.costPrice, p.dividendTax + p.rightsPayment - p.dividend, p.sharesAfter, 3);

  p.valueBefore = OrderAmount(close, n);
  p.valueAfter = OrderAmount(p.referencePrice, p.sharesAfter);
  p.assetChange = p.valueAfter + p.dividend - p.dividendTax - p.rightsPayment - p.valueBefore;
  return p;
}

}  // namespace hc
