#include "market/cost_target.h"

#include <algorithm>
#include <compare>
#include <cstdint>
#include <limits>
#include <vector>

#include "numeric/long_number.h"
#include "numeric/wide_int.h"

namespace hc {

namespace {

using Int = Decimal::Int;
using U128 = unsigned __int128;
using I128 = __int128;

constexpr Int kLot = 100;
constexpr Int kMostLots = kMostAddedShares / kLot;
// Windows up to this many lots are walked lot by lot.
constexpr Int kWalked = 64;

// The units of a decimal at a scale at least its own.
Int UnitsAtScale(const Decimal& d, int scale) { return d.units() * Pow10(scale - d.scale()); }

// a / b rounded toward minus infinity; b > 0.
Int FloorDiv(Int a, Int b) {
  Int q = a / b;
  if (a % b < 0) --q;
  return q;
}

// d ≥ 0 in units of 10^-scale, scale at least d's own.
LongNumber AtScale(const Decimal& d, int scale) {
  return LongNumber(static_cast<U128>(d.units())).ShiftedDown(d.scale() - scale);
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

// Sorts numbers below `top`: into about as many buckets as numbers by
// their highest bits, each bucket then sorted on its own. The points of a
// rotation spread evenly, so the buckets stay small.
void SortBelow(std::vector<U128>& v, U128 top) {
  int shift = 0;
  while ((top >> shift) > static_cast<U128>(v.size()) * 2) ++shift;
  const std::size_t buckets = static_cast<std::size_t>(top >> shift) + 1;
  std::vector<std::uint32_t> count(buckets + 1, 0);
  for (U128 x : v) ++count[static_cast<std::size_t>(x >> shift) + 1];
  for (std::size_t i = 1; i <= buckets; ++i) count[i] += count[i - 1];
  std::vector<U128> out(v.size());
  std::vector<std::uint32_t> at(count.begin(), count.end() - 1);
  for (U128 x : v) out[at[static_cast<std::size_t>(x >> shift)]++] = x;
  for (std::size_t i = 0; i < buckets; ++i) {
    if (count[i + 1] - count[i] > 1) std::sort(out.begin() + count[i], out.begin() + count[i + 1]);
  }
  v = std::move(out);
}

// a × b mod m, for a, b < m < 2^126, by doubling: nothing leaves 128 bits.
U128 MulMod(U128 a, U128 b, U128 m) {
  U128 result = 0;
  a %= m;
  for (; b != 0; b >>= 1) {
    if (b & 1) {
      result += a;
      if (result >= m) result -= m;
    }
    a += a;
    if (a >= m) a -= m;
  }
  return result;
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
// is the line V of the fees unrounded, V(L) = slope × L + constant, plus
// each fee's rounding error e_i(L) = γ_i L − round(γ_i L), in (−1/2, 1/2]
// cents, γ_i a lot's fee in cents. D < 0 wherever V < −1 and D ≥ 0
// wherever V ≥ 1, so only the lots with V between −1 and 1 are searched:
// where V rises, from the first with V ≥ −1 to the first with V ≥ 1; where
// it does not, from the run's start to the last with V ≥ −1. Both are
// found by bisection on V, exactly.
//
// That window is 2 cents ÷ V's slope long, which may be millions of lots
// where a lot gains next to nothing on its fees. There, in units of
// 1/Q cent (Q = 10^k, every figure a whole number of them), D(L) ≥ 0 reads
//   f1(L) + f2(L) + VQ(L) ≥ Q,  f_i(L) = (g_i L + Q/2) mod Q,
// g_i = γ_i Q mod Q: two rotations and a line. The window is cut into
// blocks of B lots; the lot b + j has f_i = u_i + a_i(j) − Q w_i with u_i =
// f_i(b), a_i(j) = g_i j mod Q and w_i = 1 where u_i + a_i(j) ≥ Q, and
// VQ(b + j) = v + slope × j. So for each of the four (w1, w2) a lot of the
// block reaches exactly when a_1(j) and a_2(j) lie on given sides of Q − u_1
// and Q − u_2 and s(j) = a_1(j) + a_2(j) + slope × j is at least
// Q (1 + w1 + w2) − u_1 − u_2 − v. The largest s(j) in such a quadrant of
// the B points, for all blocks at once, takes a sweep along a_1 with a
// Fenwick tree of maxima over the order of a_2: about (B + blocks) log B
// steps. The first block that holds a lot that reaches is then walked.
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
    // The line V in long numbers at one scale of yuan: every product exact.
    const Decimal commissionRate = rates.commission;
    const int rateScale = std::max(transferRate.scale(), commissionRate.scale());
    lineScale_ = std::max({gain.scale(), excess.scale() + held.scale(), lotAmount.scale() + rateScale + 4, 2});
    lineGain_ = AtScale(gain, lineScale_) * LongNumber(static_cast<U128>(kLot));
    lineExcess_ = (LongNumber(static_cast<U128>(held.units())) * LongNumber(static_cast<U128>(excess.units())))
                      .ShiftedDown(held.scale() + excess.scale() - lineScale_);
    auto lotFee = [&](const Decimal& rate) {
      // lotAmount × rate / 10^4 yuan, kept whole at its own scale, then set
      // to the line's.
      const LongNumber product =
          LongNumber(static_cast<U128>(lotAmount.units())) * LongNumber(static_cast<U128>(rate.units()));
      return product.ShiftedDown(lotAmount.scale() + rate.scale() + 4 - lineScale_);
    };
    lineFeeAtMinimum_ = lotFee(transferRate);
    lineFeeAbove_ = lotFee(transferRate) + lotFee(commissionRate);
    const Decimal minimum = rates.minimum.Round(2);
    if (minimum.sign() > 0) lineMinimum_ = AtScale(minimum, lineScale_);
    lineCent_ = AtScale(Decimal(1, 2), lineScale_);
    // The rotations: Q a multiple of every denominator, a cent in units
    // of 10^-scale yuan included.
    const int k = std::max({commissionRate.scale() + 4, transferRate.scale() + 4, scale - 2, 0});
    q_ = static_cast<U128>(Pow10(k));
    perCent_ = static_cast<U128>(Pow10(k - (scale - 2)));
    const U128 lotCents = static_cast<U128>(lotAmount.UnitsAt(2));
    auto rotation = [&](const Decimal& rate) {
      const U128 units = static_cast<U128>(rate.units()) % q_;
      return MulMod(lotCents, MulMod(units, static_cast<U128>(Pow10(k - rate.scale() - 4)) % q_, q_), q_);
    };
    commissionTurn_ = rotation(commissionRate);
    transferTurn_ = rotation(transferRate);
  }

  std::optional<Int> LeastLots() const {
    const Int above = FirstAboveMinimum();
    if (auto lots = FirstIn(1, std::min(above - 1, kMostLots), true, risingAtMinimum_)) return lots;
    return FirstIn(above, kMostLots, false, risingAbove_);
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

  // Whether V(lots) ≥ `cents` (−1 or 1), V the line of the fees unrounded on
  // the run whose commission is its minimum or follows the amount:
  // lots × 100 × (T − P) − N × (C − T) − the fees' exact values. Each fee's
  // rounding to the cent moves D from V by at most half a cent, so D < 0
  // wherever V < −1 and D ≥ 0 wherever V ≥ 1.
  bool LineAtLeast(Int lots, bool atMinimum, int cents) const {
    const LongNumber n(static_cast<U128>(lots));
    LongNumber gained = n * lineGain_;
    LongNumber owed = lineExcess_ + n * (atMinimum ? lineFeeAtMinimum_ : lineFeeAbove_);
    if (atMinimum) owed = owed + lineMinimum_;
    (cents < 0 ? gained : owed) = (cents < 0 ? gained : owed) + lineCent_;
    return gained >= owed;
  }

  // The least lots in [low, high] at which `holds`, false up to some lots
  // and true from there on, is true; high + 1 when it never is.
  template <typename Holds>
  static Int FirstHolding(Int low, Int high, Holds holds) {
    if (!holds(high)) return high + 1;
    if (holds(low)) return low;
    Int below = low;
    Int above = high;
    while (above - below > 1) {
      const Int mid = below + (above - below) / 2;
      (holds(mid) ? above : below) = mid;
    }
    return above;
  }

  // The least lots in [low, high] at which a rising line reaches `cents`;
  // high + 1 when none does.
  Int FirstOnLine(Int low, Int high, bool atMinimum, int cents) const {
    return FirstHolding(low, high, [&](Int lots) { return LineAtLeast(lots, atMinimum, cents); });
  }

  // The last lots in [low, high] at which a line that does not rise still
  // reaches `cents`; low − 1 when none does.
  Int LastOnLine(Int low, Int high, bool atMinimum, int cents) const {
    return FirstHolding(low, high, [&](Int lots) { return !LineAtLeast(lots, atMinimum, cents); }) - 1;
  }

  // The first lots whose commission is above its minimum (it never falls
  // as the amount grows); one more than the most lots when none is.
  Int FirstAboveMinimum() const {
    const Decimal minimum = rates_.minimum.Round(2);
    return FirstHolding(1, kMostLots, [&](Int lots) { return FeeAt(Amount(lots), rates_.commission) >= minimum; });
  }

  // The first lots in [low, high] that reach the target, on a run where V
  // rises or does not.
  std::optional<Int> FirstIn(Int low, Int high, bool atMinimum, bool rising) const {
    if (low > high) return std::nullopt;
    if (rising) {
      low = FirstOnLine(low, high, atMinimum, -1);
      if (low > high) return std::nullopt;
      high = std::min(high, FirstOnLine(low, high, atMinimum, 1));
    } else {
      if (Reaches(low)) return low;
      high = LastOnLine(low, high, atMinimum, -1);
    }
    if (high - low < kWalked) {
      for (Int lots = low; lots <= high; ++lots) {
        if (Reaches(lots)) return lots;
      }
      return std::nullopt;
    }
    return ByBlocks(low, high, atMinimum);
  }

  // D(L) × Q / cent as a whole number: cents × Q and the rest in 1/Q cent.
  I128 SlackQ(Int lots) const {
    const Slack s = At(lots);
    return static_cast<I128>(s.cents) * static_cast<I128>(q_) + static_cast<I128>(s.rest) * static_cast<I128>(perCent_);
  }
  U128 Turn(U128 g, Int lots) const { return AddMod(MulMod(g, static_cast<U128>(lots), q_), q_ / 2); }
  // x + y mod Q for x, y below Q.
  U128 AddMod(U128 x, U128 y) const { return x + y >= q_ ? x + y - q_ : x + y; }

  // The first lots in [low, high] (V between −1 and 1 cent there, more than
  // kWalked lots) that reach, by blocks as above.
  std::optional<Int> ByBlocks(Int low, Int high, bool atMinimum) const {
    const U128 g1 = atMinimum ? 0 : commissionTurn_;
    const U128 g2 = transferTurn_;
    const I128 q = static_cast<I128>(q_);
    // VQ = DQ − (f1 − Q/2) − (f2 − Q/2).
    auto lineQ = [&](Int lots) {
      return SlackQ(lots) - static_cast<I128>(Turn(g1, lots)) - static_cast<I128>(Turn(g2, lots)) + q;
    };
    const I128 v0 = lineQ(low);
    const I128 slope = lineQ(low + 1) - v0;
    const Int length = high - low + 1;
    Int b = 64;
    while (b * b < 4 * length && b < 2048) b *= 2;
    const std::size_t n = static_cast<std::size_t>(b);
    const Int blocks = (length + b - 1) / b;

    // The points of one block.
    std::vector<U128> a1(n), a2(n);
    std::vector<I128> sum(n);
    for (std::size_t j = 0; j < n; ++j) {
      a1[j] = j == 0 ? 0 : AddMod(a1[j - 1], g1);
      a2[j] = j == 0 ? 0 : AddMod(a2[j - 1], g2);
      sum[j] = static_cast<I128>(a1[j]) + static_cast<I128>(a2[j]) + slope * static_cast<I128>(j);
    }
    // Each block's start: u1, u2 and v.
    struct Start {
      U128 u1, u2;
      I128 v;
    };
    std::vector<Start> starts(static_cast<std::size_t>(blocks));
    const U128 step1 = MulMod(g1, static_cast<U128>(b), q_);
    const U128 step2 = MulMod(g2, static_cast<U128>(b), q_);
    starts[0] = {Turn(g1, low), Turn(g2, low), v0};
    for (std::size_t m = 1; m < starts.size(); ++m) {
      const Start& p = starts[m - 1];
      starts[m] = {AddMod(p.u1, step1), AddMod(p.u2, step2), p.v + slope * static_cast<I128>(b)};
    }

    // The points in the order of a2, and in that of a1; the blocks in that
    // of u1, and the a2 rank of each block's bound Q − u2.
    // Each kept as one number, its key (below Q < 2^115) above 13 bits of
    // its index (fewer than 8192 points or blocks), so that sorting and
    // searching compare single numbers.
    constexpr int kIndexBits = 13;
    constexpr U128 kIndexMask = (U128{1} << kIndexBits) - 1;
    auto keyed = [](U128 key, std::size_t index) { return key << kIndexBits | index; };
    auto indexOf = [](U128 k) { return static_cast<std::size_t>(k & kIndexMask); };
    std::vector<U128> byA2(n), byA1(n);
    for (std::size_t j = 0; j < n; ++j) {
      byA2[j] = keyed(a2[j], j);
      byA1[j] = keyed(a1[j], j);
    }
    SortBelow(byA2, q_ << kIndexBits);
    SortBelow(byA1, q_ << kIndexBits);
    std::vector<std::size_t> rankA2(n);
    for (std::size_t r = 0; r < n; ++r) rankA2[indexOf(byA2[r])] = r;
    std::vector<U128> byU1(starts.size());
    for (std::size_t m = 0; m < starts.size(); ++m) byU1[m] = keyed(starts[m].u1, m);
    SortBelow(byU1, q_ << kIndexBits);
    std::vector<std::size_t> belowBound2(starts.size());
    for (std::size_t m = 0; m < starts.size(); ++m) {
      belowBound2[m] = static_cast<std::size_t>(
          std::lower_bound(byA2.begin(), byA2.end(), keyed(q_ - starts[m].u2, 0)) - byA2.begin());
    }

    std::vector<char> hit(starts.size(), 0);
    constexpr I128 kNone = std::numeric_limits<I128>::min();
    // Two sweeps: the points with a1 below Q − u1 (w1 = 0), in rising a1,
    // and those at or above it (w1 = 1), in falling a1. Fenwick trees of the
    // largest s over the a2 ranks below a bound (w2 = 0) and from it on
    // (w2 = 1, kept on the reversed ranks).
    std::vector<I128> lowTree(n + 1), highTree(n + 1);
    for (int w1 = 0; w1 <= 1; ++w1) {
      std::fill(lowTree.begin(), lowTree.end(), kNone);
      std::fill(highTree.begin(), highTree.end(), kNone);
      auto insert = [&](std::size_t j) {
        for (std::size_t i = rankA2[j] + 1; i <= n; i += i & (~i + 1)) lowTree[i] = std::max(lowTree[i], sum[j]);
        for (std::size_t i = n - rankA2[j]; i <= n; i += i & (~i + 1)) highTree[i] = std::max(highTree[i], sum[j]);
      };
      auto largest = [&](const std::vector<I128>& tree, std::size_t count) {
        I128 best = kNone;
        for (std::size_t i = count; i > 0; i -= i & (~i + 1)) best = std::max(best, tree[i]);
        return best;
      };
      // The bound Q − u1 rises as u1 falls (w1 = 0) and falls as it rises.
      std::size_t next = 0;
      for (std::size_t k = 0; k < byU1.size(); ++k) {
        const std::size_t m = indexOf(byU1[w1 == 0 ? byU1.size() - 1 - k : k]);
        const Start& st = starts[m];
        const U128 bound1 = q_ - st.u1;
        if (w1 == 0) {
          while (next < n && byA1[next] >> kIndexBits < bound1) insert(indexOf(byA1[next++]));
        } else {
          while (next < n && byA1[n - 1 - next] >> kIndexBits >= bound1) insert(indexOf(byA1[n - 1 - next++]));
        }
        const std::size_t below = belowBound2[m];
        const I128 base = -static_cast<I128>(st.u1) - static_cast<I128>(st.u2) - st.v;
        if (largest(lowTree, below) >= q * (1 + w1) + base || largest(highTree, n - below) >= q * (2 + w1) + base) {
          hit[m] = 1;
        }
      }
    }
    // The first block with a lot that reaches, walked in the same units.
    for (std::size_t m = 0; m < starts.size(); ++m) {
      if (!hit[m]) continue;
      const Start& st = starts[m];
      const Int from = low + static_cast<Int>(m) * b;
      for (std::size_t j = 0; j < n && from + static_cast<Int>(j) <= high; ++j) {
        const U128 f1 = AddMod(st.u1, a1[j]);
        const U128 f2 = AddMod(st.u2, a2[j]);
        if (static_cast<I128>(f1 + f2) + st.v + slope * static_cast<I128>(j) >= q) return from + static_cast<Int>(j);
      }
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
  // The rotations of the fees' roundings, in 1/Q cent.
  U128 q_ = 1;
  U128 perCent_ = 1;  // Q / unit
  U128 commissionTurn_ = 0;
  U128 transferTurn_ = 0;
  // The line V: a lot's gain, the holding's excess, a lot's fees unrounded
  // on either run, the minimum commission and a cent, in 10^-lineScale_ yuan.
  int lineScale_ = 2;
  LongNumber lineGain_, lineExcess_, lineFeeAtMinimum_, lineFeeAbove_, lineMinimum_, lineCent_;
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
