// The smallest price step: 0.01 yuan for stocks, 0.001 yuan for
// exchange-traded funds (ETF, LOF) and convertible bonds.
#pragma once

#include "numeric/decimal.h"

namespace hc {

enum class Market { Stock, Fund };

inline int TickDecimals(Market market) { return market == Market::Stock ? 2 : 3; }
inline Decimal OneTick(Market market) { return Decimal(1, TickDecimals(market)); }

}  // namespace hc
