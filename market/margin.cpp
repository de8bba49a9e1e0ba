#include "market/margin.h"

#include "numeric/long_number.h"
#include "numeric/numeric.h"

namespace hc {

namespace {

using Int = Decimal::Int;
using U128 = unsigned __int128;

[[noreturn]] void Invalid() { throw CalcError(ErrorKind::InvalidArgument); }

// A value of 0 or more as a whole count of 10^-scale (scale at least its own).
LongNumber WholeUnits(const Decimal& v, int scale) {
  return LongNumber(static_cast<U128>(v.units())).RoundedShift(v.scale() - scale);
}

LongNumber PowerOfTen(int n) { return LongNumber(1).RoundedShift(-n); }

// The largest q ≥ 0 with q × a + b < c (a > 0), or nothing when even q = 0
// fails. A bisection over the bits of q: every trial is an exact product of
// whole numbers, whatever their length.
std::optional<Int> LargestBelow(const LongNumber& a, const LongNumber& b, const LongNumber& c) {
  if (!(b < c)) return std::nullopt;
  // q < c / a < 10^digits ≤ 2^bits.
  const int digits = c.Digits() - a.Digits() + 1;
  if (digits > 37) throw CalcError(ErrorKind::Overflow);
  const int bits = digits <= 0 ? 0 : digits * 10 / 3 + 1;
  U128 q = 0;
  for (int bit = bits - 1; bit >= 0; --bit) {
    const U128 trial = q | (static_cast<U128>(1) << bit);
    if (LongNumber(trial) * a + b < c) q = trial;
  }
  return static_cast<Int>(q);
}

}  // namespace

// In cents: loan (cents) × rate × days / 36000, with the rate's and the
// days' decimals moved into the divisor so that both sides are whole; half
// up is the floor of (2n + d) / 2d.
Decimal MarginInterest(const Decimal& loan, const Decimal& annualRate, const Decimal& days) {
  const Decimal cents = ToCents(loan);
  if (cents.sign() < 0 || annualRate.sign() < 0 || days.sign() < 0) Invalid();
  const LongNumber n =
      WholeUnits(cents, 2) * WholeUnits(annualRate, annualRate.scale()) * WholeUnits(days, days.scale());
  const LongNumber d = LongNumber(36000) * PowerOfTen(annualRate.scale() + days.scale());
  return Decimal(*LargestBelow(d + d, LongNumber(0), n + n + d + LongNumber(1)), 2);
}

// k ticks lie strictly below P* when k × tick × N < line / 100 × debt − other.
// Multiplied out to whole numbers (N with sn decimals, the line with sl,
// the tick 10^-t, debt and other in cents):
//   k × N·10^sn × 10^(sl+4) + other·100 × 10^(t+sn+sl+2) < line·10^sl × debt·100 × 10^(t+sn).
std::optional<Decimal> LinePrice(const Decimal& line, const Decimal& debt, const Decimal& other, const Decimal& shares,
                                 Market market) {
  const Decimal debtCents = ToCents(debt);
  const Decimal otherCents = ToCents(other);
  if (line.sign() <= 0 || debtCents.sign() < 0 || otherCents.sign() < 0 || shares.sign() <= 0) Invalid();
  const int t = TickDecimals(market);
  const int sn = shares.scale();
  const int sl = line.scale();
  const LongNumber a = WholeUnits(shares, sn) * PowerOfTen(sl + 4);
  const LongNumber b = WholeUnits(otherCents, 2) * PowerOfTen(t + sn + sl + 2);
  const LongNumber c = WholeUnits(line, sl) * WholeUnits(debtCents, 2) * PowerOfTen(t + sn);
  const std::optional<Int> k = LargestBelow(a, b, c);
  if (!k || *k < 1) return std::nullopt;  // below one tick: the other collateral holds the line
  return Decimal(*k, t);
}

MarginAccount CalculateMargin(const MarginTerms& terms, Market market) {
  const int t = TickDecimals(market);
  if (terms.shares.sign() <= 0 || terms.price.sign() <= 0 || terms.price.Round(t) != terms.price) Invalid();
  const Decimal loan = ToCents(terms.loan);
  const Decimal other = ToCents(terms.otherCollateral);
  if (loan.sign() <= 0 || other.sign() < 0) Invalid();

  MarginAccount m;
  m.interest = MarginInterest(loan, terms.annualRate, terms.days);
  m.debt = loan + m.interest;
  m.collateral = ToCents(terms.shares * terms.price + other);
  m.ratio = Decimal::Divide(m.collateral * Decimal::Whole(100), m.debt, 2);

  auto crossing = [&](const Decimal& line) {
    LineCrossing x;
    x.price = LinePrice(line, m.debt, other, terms.shares, market);
    x.change =
        x.price ? Decimal::Divide((*x.price - terms.price) * Decimal::Whole(100), terms.price, 2) : Decimal(0, 2);
    return x;
  };
  m.warning = crossing(terms.warningLine);
  m.liquidation = crossing(terms.liquidationLine);
  // The price is on the tick, so it lies below P* exactly when it is at or
  // below the highest tick below P*.
  m.belowLiquidation = m.liquidation.price && terms.price <= *m.liquidation.price;
  return m;
}

}  // namespace hc
