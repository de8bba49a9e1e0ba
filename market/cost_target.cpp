#include "market/cost_target.h"

#include <algorithm>
#include <compare>

#include "numeric/long_number.h"
#include "numeric/wide_int.h"

namespace hc {

namespace {

using Int = Decimal::Int;
using U128 = unsigned __int128;

constexpr Int kLot = 100;
constexpr Int kMostLots = kMostAddedShares / kLot;

// The units of a decimal at a scale at least its own.
Int UnitsAtScale(const Decimal& d, int scale) { return d.units() * Pow10(scale - d.scale()); }

// a / b rounded toward minus infinity; b > 0.
Int FloorDiv(Int a, Int b) {
  Int q = a / b;
  if (a % b < 0) --q;
  return q;
}

// Whether x × y > z × w, for x, y, z, w ≥ 0, exact for any digits.
bool ProductExceeds(const Decimal& x, const Decimal& y, const Decimal& z, const Decimal& w) {
  const int s = std::max(x.scale() + y.scale(), z.scale() + w.scale());
  auto product = [s](const Decimal& a, const Decimal& b) {
    return (LongNumber(static_cast<U128>(a.units())) * LongNumber(static_cast<U128>(b.units())))
        .ShiftedDown(a.scale() + b.scale() - s);
  };
  return product(x, y) > product(z, w);
}

// How often the prime p (2 or 5) divides n > 0.
int Factors(Int n, int p) {
  int k = 0;
  for (; n % p == 0; n /= p) ++k;
  return k;
}

// A number of lots 2^twos × 5^fives.
struct Period {
  int twos = 0;
  int fives = 0;
};

// After how many lots a fee of `rate` per ten thousand on the amount grows
// by whole cents, so that its rounding to the cent repeats: the denominator
// of the fee on one lot in cents, lotAmount × rate / 100.
Period FeePeriod(const Decimal& lotAmount, const Decimal& rate) {
  if (rate.sign() == 0) return {};
  const int k = lotAmount.scale() + rate.scale() + 2;
  return {std::max(0, k - Factors(lotAmount.units(), 2) - Factors(rate.units(), 2)),
          std::max(0, k - Factors(lotAmount.units(), 5) - Factors(rate.units(), 5))};
}

// The lots of a period in which both fees repeat; one more than the most
// lots when they do not repeat within them.
Int Lots(Period a, Period b) {
  Int lots = 1;
  for (int i = std::max(a.twos, b.twos); i > 0 && lots <= kMostLots; --i) lots *= 2;
  for (int i = std::max(a.fives, b.fives); i > 0 && lots <= kMostLots; --i) lots *= 5;
  return std::min(lots, kMostLots + 1);
}

// What L lots bought at the price leave to spare against the target:
// D(L) = L × 100 × (T − P) − N × (C − T) − the buy's fees, in cents. The
// target is reached exactly where D(L) ≥ 0: (N × C + amount + fees) / (N +
// shares) ≤ T. D is kept exactly, as whole cents rounded down and the rest
// in units of 10^-scale yuan (the scale of the cost prices' decimals), so
// that no product leaves 128 bits however many decimals they have.
struct Slack {
  Int cents;  // rounded down
  Int rest;   // 0 ≤ rest < unit
  friend auto operator<=>(const Slack&, const Slack&) = default;
};

// The least number of lots with D ≥ 0. The fees are not a linear function
// of the lots: the commission stays at its minimum up to some lots and then
// follows the amount, and each fee is rounded to the cent. So the lots are
// split where the commission leaves its minimum into two runs; on each, D
// differs by at most one cent (two roundings of half a cent) from the line
// V of the fees unrounded, V(L) = slope × L + constant. Where V rises,
// bisection for a first L with D ≥ −2 cents finds a lot below which V < −1
// and no lot reaches; from there the target is reached within the lots it
// takes V to gain four cents. Where V does not rise, D < −2 at some lot
// rules out every later one. Where the slope is tiny those stretches grow
// long, but each fee's rounding repeats after a period of lots in which it
// grows by whole cents (at most 40 lots for a commission of 2.5 per ten
// thousand on a price in cents, 1000 for a transfer fee of 0.1): once a
// walk has gone a whole period without reaching the target, D grows by the
// same slope × period from each period to the next, and the search goes by
// periods instead of lots.
class LotSearch {
 public:
  LotSearch(const Decimal& held, const Decimal& cost, const Decimal& price, const Decimal& target, Market market,
            const FeeRates& rates)
      : price_(price), market_(market), rates_(rates) {
    const Decimal gain = target - price;   // per share bought, above 0
    const Decimal excess = cost - target;  // per share held, above 0
    const int scale = std::max({gain.scale(), excess.scale(), 2});
    unit_ = Pow10(scale - 2);
    // A lot's gain: below 10^5 × 100 yuan, so below 10^37 units at a scale
    // of up to 30.
    const Int g = UnitsAtScale(gain, scale) * kLot;
    gainCents_ = g / unit_;
    gainRest_ = g % unit_;
    const Int e = UnitsAtScale(excess, scale);
    const Int n = held.UnitsAt(0);
    const Int restTimesHeld = n * (e % unit_);  // below 10^9 × 10^28
    excessCents_ = n * (e / unit_) + restTimesHeld / unit_;
    excessRest_ = restTimesHeld % unit_;

    const Decimal lotAmount = OrderAmount(price, Decimal::Whole(kLot));
    const Decimal transferRate = market == Market::Stock ? rates.transferFee : Decimal();
    const Decimal million = Decimal::Whole(1000000);
    // V's slope in cents a lot: 10^4 × (T − P) less each fee's lotAmount ×
    // rate / 100, its sign taken exactly.
    risingAtMinimum_ = ProductExceeds(gain, million, lotAmount, transferRate);
    risingAbove_ = ProductExceeds(gain, million, lotAmount, rates.commission + transferRate);
    const Period transfer = FeePeriod(lotAmount, transferRate);
    periodAtMinimum_ = Lots(transfer, {});
    periodAbove_ = Lots(transfer, FeePeriod(lotAmount, rates.commission));
  }

  std::optional<Int> LeastLots() const {
    const Int above = FirstAboveMinimum();
    if (auto lots = FirstIn(1, std::min(above - 1, kMostLots), risingAtMinimum_, periodAtMinimum_)) return lots;
    return FirstIn(above, kMostLots, risingAbove_, periodAbove_);
  }

 private:
  Decimal Amount(Int lots) const { return OrderAmount(price_, Decimal(lots * kLot, 0)); }

  Slack At(Int lots) const {
    const Int fees = FeesOf(Amount(lots), Side::Buy, market_, rates_).Total().UnitsAt(2);
    const Int rest = lots * gainRest_ - excessRest_;  // above −unit, below 10^35
    const Int carry = FloorDiv(rest, unit_);
    return {lots * gainCents_ - excessCents_ + carry - fees, rest - carry * unit_};
  }
  bool Reaches(Int lots) const { return At(lots).cents >= 0; }
  bool Near(Int lots) const { return At(lots).cents >= -2; }

  // The first lots whose commission is above its minimum (it never falls
  // as the amount grows); one more than the most lots when none is.
  Int FirstAboveMinimum() const {
    const Decimal minimum = rates_.minimum.Round(2);
    auto above = [&](Int lots) { return FeeAt(Amount(lots), rates_.commission) >= minimum; };
    if (above(1)) return 1;
    if (!above(kMostLots)) return kMostLots + 1;
    Int below = 1;
    Int at = kMostLots;
    while (at - below > 1) {
      const Int mid = below + (at - below) / 2;
      (above(mid) ? at : below) = mid;
    }
    return at;
  }

  // The first lots in [low, high] that reach the target, on a run where V
  // rises or does not and the fees repeat every `period` lots.
  std::optional<Int> FirstIn(Int low, Int high, bool rising, Int period) const {
    if (low > high) return std::nullopt;
    Int start = low;
    if (rising) {
      if (!Near(high)) return std::nullopt;
      if (!Near(low)) {
        Int below = low;
        Int above = high;
        while (above - below > 1) {
          const Int mid = below + (above - below) / 2;
          (Near(mid) ? above : below) = mid;
        }
        start = above;
      }
    }
    Int best = start;
    Slack bestSlack = At(start);
    for (Int lots = start; lots <= high; ++lots) {
      const Slack s = At(lots);
      if (s.cents >= 0) return lots;
      if (!rising && s.cents < -2) return std::nullopt;
      if (s > bestSlack) {
        best = lots;
        bestSlack = s;
      }
      // A whole period without reaching: where V does not rise, no later
      // period does better.
      if (lots - start + 1 == period) return rising ? ByPeriods(start, best, high, period) : std::nullopt;
    }
    return std::nullopt;
  }

  // A whole period from `start` on without reaching the target, `best` its
  // lots with the largest D. Each later period adds the same to every D, so
  // the first period with a lot that reaches is the first in which `best`
  // reaches; that period is searched from its start.
  std::optional<Int> ByPeriods(Int start, Int best, Int high, Int period) const {
    const Int whole = (high - best) / period;  // periods after best's that keep best within high
    Int first = whole + 1;                     // a last period cut short by high
    if (whole >= 1 && Reaches(best + whole * period)) {
      Int below = 0;
      Int above = whole;
      while (above - below > 1) {
        const Int mid = below + (above - below) / 2;
        (Reaches(best + mid * period) ? above : below) = mid;
      }
      first = above;
    }
    const Int from = start + first * period;
    for (Int lots = from; lots <= std::min(from + period - 1, high); ++lots) {
      if (Reaches(lots)) return lots;
    }
    return std::nullopt;
  }

  Decimal price_;
  Market market_;
  FeeRates rates_;
  Int unit_ = 1;                  // a cent in units of 10^-scale yuan
  Int gainCents_ = 0;             // a lot's gain below the target, 100 × (T − P),
  Int gainRest_ = 0;              // as whole cents and the rest
  Int excessCents_ = 0;           // the holding's excess above the target, N × (C − T),
  Int excessRest_ = 0;            // as whole cents and the rest
  bool risingAtMinimum_ = false;  // V's slope while the commission is its minimum
  bool risingAbove_ = false;      // and once it follows the amount
  Int periodAtMinimum_ = 1;
  Int periodAbove_ = 1;
};

}  // namespace

std::optional<Decimal> SharesToReachCost(const Decimal& held, const Decimal& cost, const Decimal& price,
                                         const Decimal& target, Market market, const FeeRates& rates) {
  if (!(price < target && target < cost) || held.sign() <= 0) return std::nullopt;
  const std::optional<Int> lots = LotSearch(held, cost, price, target, market, rates).LeastLots();
  if (!lots) return std::nullopt;
  return Decimal(*lots * kLot, 0);
}

std::optional<CostTarget> CalculateCostTarget(const Decimal& held, const Decimal& cost, const Decimal& price,
                                              const Decimal& target, Market market, const FeeRates& rates) {
  const std::optional<Decimal> shares = SharesToReachCost(held, cost, price, target, market, rates);
  if (!shares) return std::nullopt;
  CostTarget t;
  // Below the shares found: fees only add to what the target asks.
  t.theoreticalShares = Decimal::MulAddDivide(held, cost - target, Decimal(), target - price, 2);
  t.shares = *shares;
  t.amount = OrderAmount(price, t.shares);
  t.fees = FeesOf(t.amount, Side::Buy, market, rates);
  t.funds = t.amount + t.fees.Total();
  t.heldAfter = held + t.shares;
  t.costAfter = Decimal::MulAddDivide(held, cost, t.funds, t.heldAfter, 3);
  return t;
}

}  // namespace hc
