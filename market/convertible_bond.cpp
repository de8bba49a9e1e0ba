#include "market/convertible_bond.h"

#include "market/tick.h"
#include "numeric/long_number.h"
#include "numeric/numeric.h"
#include "numeric/wide_int.h"

namespace hc {

namespace {

const int kStockTick = TickDecimals(Market::Stock);

[[noreturn]] void OutOfRange() { throw CalcError(ErrorKind::InvalidArgument); }

// A clause's line K × ratio / 100 measured in stock ticks: the whole ticks
// at or below it and whether it lies exactly on one. Worked out on whole
// numbers of any length, so that a ratio typed with thirty decimals is
// judged exactly.
struct LineInTicks {
  Decimal::Int whole = 0;
  bool onTick = false;
};

LineInTicks LineOf(const Decimal& conversionPrice, const Decimal& ratioPercent) {
  if (conversionPrice.sign() <= 0 || ratioPercent.sign() <= 0) OutOfRange();
  const LongNumber product = LongNumber(static_cast<LongNumber::U128>(conversionPrice.units())) *
                             LongNumber(static_cast<LongNumber::U128>(ratioPercent.units()));
  // The product is the line in units of 10^-(scales + 2) yuan (the ratio is
  // per hundred); cutting the digits below the tick leaves whole ticks.
  const int cut = conversionPrice.scale() + ratioPercent.scale() + 2 - kStockTick;
  const LongNumber whole = product.ShiftedDown(cut);
  const std::optional<LongNumber::U128> ticks = whole.ToU128();
  // Never for the prices and ratios the fields accept; kept so that no
  // figure wraps round.
  if (!ticks || *ticks > (~LongNumber::U128{0} >> 1)) throw CalcError(ErrorKind::Overflow);
  return {static_cast<Decimal::Int>(*ticks), whole.ShiftedDown(-cut) == product};
}

}  // namespace

Decimal TriggerAtOrAbove(const Decimal& conversionPrice, const Decimal& ratioPercent) {
  const LineInTicks line = LineOf(conversionPrice, ratioPercent);
  return Decimal(line.onTick ? line.whole : CheckedAdd(line.whole, 1), kStockTick);
}

std::optional<Decimal> TriggerBelow(const Decimal& conversionPrice, const Decimal& ratioPercent) {
  const LineInTicks line = LineOf(conversionPrice, ratioPercent);
  const Decimal::Int below = line.onTick ? line.whole - 1 : line.whole;
  if (below < 1) return std::nullopt;
  return Decimal(below, kStockTick);
}

ConvertibleFigures ConvertibleBond(const Decimal& bondPrice, const Decimal& conversionPrice, const Decimal& stockPrice,
                                   const Decimal& bonds, const ClauseRatios& ratios) {
  if (bondPrice.sign() <= 0 || bondPrice.Round(kBondTickDecimals) != bondPrice || conversionPrice.sign() <= 0 ||
      stockPrice.sign() <= 0 || bonds.sign() < 0 || !bonds.IsWhole()) {
    OutOfRange();
  }
  const Decimal face = Decimal::Whole(kBondFaceValue);
  ConvertibleFigures f;
  f.conversionValue = Decimal::Divide(face * stockPrice, conversionPrice, 3);
  // B / (100 S / K) − 1 in percent is (B K − 100 S) / S: the exact value,
  // one rounding.
  f.premiumPercent = Decimal::Divide(bondPrice * conversionPrice - face * stockPrice, stockPrice, 2);

  // The face value of every bond converted into whole shares at K; the part
  // that buys no whole share is paid in cash. Counted in units of K's last
  // decimal, where the face value and K are both whole.
  const Int128 kUnits = conversionPrice.units();
  const Int128 faceUnits = CheckedMul(CheckedMul(bonds.UnitsAt(0), kBondFaceValue), Pow10(conversionPrice.scale()));
  f.shares = Decimal(faceUnits / kUnits, 0);
  f.cashRemainder = Decimal(faceUnits % kUnits, conversionPrice.scale()).Round(2);
  f.valueAfter = Decimal::ProductRounded(f.shares, stockPrice, 2) + f.cashRemainder;
  f.bondValue = Decimal::ProductRounded(bondPrice, bonds, 2);
  f.parityStockPrice = Decimal::ProductRounded(bondPrice, conversionPrice, 2, 2);

  f.redemptionTrigger = TriggerAtOrAbove(conversionPrice, ratios.redemption);
  f.resetTrigger = TriggerBelow(conversionPrice, ratios.reset);
  f.putTrigger = TriggerBelow(conversionPrice, ratios.put);

  // The bond's own limits, from its price in ticks.
  f.nextDay = LimitsAfter(bondPrice.UnitsAt(kBondTickDecimals), kBondDailyLimit);
  return f;
}

}  // namespace hc
