// Convertible bonds (可转债): what a bond of 100 yuan face value is worth as
// shares at the conversion price, the premium paid over that, how many
// whole shares a conversion gives with the cash paid for the rest, the stock
// prices at which the redemption (强赎), conversion-price reset (下修) and
// put (回售) clauses trigger, and the next day's price limits of the bond.
// Exact decimals throughout; bonds quote on the 0.001 tick, shares on 0.01.
#pragma once

#include <optional>

#include "market/limits.h"
#include "numeric/decimal.h"

namespace hc {

// Bonds quote in tenths of a cent, as funds do; their stock in cents.
inline constexpr int kBondTickDecimals = kFundTickDecimals;

// A bond's face value in yuan: the conversion price is per share of it.
inline constexpr int kBondFaceValue = 100;

// The daily limit of a bond from its second trading day, in basis points.
inline constexpr int kBondDailyLimit = 2000;

// The lowest stock price on the 0.01 tick at or above the clause's line
// K × ratio / 100 (the redemption clause triggers at or above it). K and the
// ratio (a percentage) must be above 0, else CalcError(InvalidArgument).
Decimal TriggerAtOrAbove(const Decimal& conversionPrice, const Decimal& ratioPercent);

// The highest stock price on the 0.01 tick strictly below the line K ×
// ratio / 100 (the reset and put clauses trigger below it); empty when no
// price of at least one tick lies below it.
std::optional<Decimal> TriggerBelow(const Decimal& conversionPrice, const Decimal& ratioPercent);

// The trigger ratios of the three clauses, in percent of the conversion
// price.
struct ClauseRatios {
  Decimal redemption;  // 强赎
  Decimal reset;       // 下修
  Decimal put;         // 回售
};

struct ConvertibleFigures {
  Decimal conversionValue;              // 100 × S / K, three decimals
  Decimal premiumPercent;               // (B / conversion value − 1) × 100 on the exact value, two decimals
  Decimal shares;                       // whole shares of converting every bond
  Decimal cashRemainder;                // the face value not converted, paid in cash, to the cent
  Decimal valueAfter;                   // the shares at S plus the cash, to the cent
  Decimal bondValue;                    // B × n, to the cent
  Decimal parityStockPrice;             // B × K / 100, half up to the cent
  Decimal redemptionTrigger;            // on the tick, at or above the line
  std::optional<Decimal> resetTrigger;  // on the tick, below the line; none below one tick
  std::optional<Decimal> putTrigger;
  DayLimits nextDay;  // the bond's limits in 0.001 ticks
};

// Every figure of `bonds` bonds (a whole count ≥ 0) at bond price B > 0,
// conversion price K > 0 and stock price S > 0. The next day's limits are
// B × (1 ± 20 %) half up to the tick, one tick away from B where that rounds
// back to B (B on the bond's tick). A price or ratio out of range is
// CalcError(InvalidArgument).
ConvertibleFigures ConvertibleBond(const Decimal& bondPrice, const Decimal& conversionPrice, const Decimal& stockPrice,
                                   const Decimal& bonds, const ClauseRatios& ratios);

}  // namespace hc
