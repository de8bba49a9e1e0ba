// Adding to a position until its cost comes down to a target: the least
// whole number of lots, compared exactly, and what the buy costs; where the
// fees' roundings make the answer hard to find without trying every lot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>

#include "market/cost_target.h"
#include "tests/unit/decimal_text.h"

namespace hc {
namespace {

const FeeRates kLoadRates{D("2.5"), D("5"), D("5"), D("0.1")};

// Whether buying `shares` brings the holding's cost to the target: the
// rule as the definition states it, an average compared with the target.
bool Reaches(const Decimal& held, const Decimal& cost, const Decimal& price, const Decimal& target,
             const Decimal& shares, Market market, const FeeRates& rates) {
  const Decimal amount = OrderAmount(price, shares);
  const Decimal funds = amount + FeesOf(amount, Side::Buy, market, rates).Total();
  // (held × cost + funds) / (held + shares) ≤ target, without dividing: the
  // difference taken at the scale that holds it exactly.
  const int scale = std::max({cost.scale(), target.scale(), 2});
  return Decimal::MulAddDivide(held, cost, funds - target * (held + shares), Decimal::Whole(1), scale).sign() <= 0;
}

TEST(CostTarget, LeastLotsAndTheBuy) {
  struct Case {
    const char* what;
    const char* held;
    const char* cost;
    const char* price;
    const char* target;
    Market market;
    const char* out[7];  // theoretical, shares, amount, fees, funds, held after, cost after; empty: none
  };
  const Case cases[] = {
      // 1000 × 1.64 / 1.77 = 926.55. 900 shares: 11907 + 5.00 + 0.12 =
      // 11912.12, (16640 + 11912.12) / 1900 = 15.027 > 15; 1000 shares:
      // 13230 + 5.00 + 0.13 = 13235.13, 29875.13 / 2000 = 14.9375650.
      {"worked", "1000", "16.64", "13.23", "15", Market::Stock,
       {"926.55", "1000", "13230.00", "5.13", "13235.13", "2000", "14.938"}},
      // A fund pays the minimum commission alone: 29875 / 2000 = 14.9375.
      {"fund", "1000", "16.64", "13.23", "15", Market::Fund,
       {"926.55", "1000", "13230.00", "5.00", "13235.00", "2000", "14.938"}},
      // One lot is enough: (2000 + 1005.01) / 200 = 15.02505.
      {"first lot", "100", "20", "10", "19", Market::Stock,
       {"11.11", "100", "1000.00", "5.01", "1005.01", "200", "15.025"}},
      // 13.23 with 2.6 per ten thousand of fees is 13.2334398 a share, above
      // the target: no number of lots reaches it.
      {"fees above the target", "1000", "16.64", "13.23", "13.233", Market::Stock, {}},
      // The commission stays at its minimum for three lots (3 × 1.25 yuan),
      // then 50.00 with its fees is 50.013 exactly, the target: the holding's
      // 0.7 cents above it are never made up.
      {"fees equal to the target", "1", "50.02", "50", "50.013", Market::Stock, {}},
      // The same with fees that round: 10.01 × (1 + 2.6 / 10000) =
      // 10.0126026. At 39 lots the commission 975.975 cents rounds down to
      // 976 − 0.025 and the transfer fee 39.039 to 39, 1.4 hundredths of a
      // cent to spare against the 0.01 cents the holding is above.
      {"rounding to spare", "1", "10.0126036", "10.01", "10.0126026", Market::Stock,
       {"0.00", "3900", "39039.00", "10.15", "39049.15", "3901", "10.013"}},
      // A hundredth of a cent a lot to gain and two cents to make up: the
      // roundings repeat every 1000 lots and the target is reached ten
      // periods on (an independent scan of every lot agrees).
      {"periods", "1", "10.03260261", "10.01", "10.01260261", Market::Stock,
       {"7.68", "1049900", "10509499.00", "2732.46", "10512231.46", "1049901", "10.013"}},
      {"large", "1000000000", "100", "10", "99", Market::Stock,
       {"11235955.06", "11236300", "112363000.00", "29214.38", "112392214.38", "1011236300", "99.000"}},
      // Cost prices of thirty decimals times 10^9 shares.
      {"long decimals", "1000000000", "16.640000000000000000000000000001", "13.23",
       "15.000000000000000000000000000001", Market::Stock,
       {"926553672.32", "928357900", "12282175017.00", "3193365.50", "12285368382.50", "1928357900", "15.000"}},
      // Beyond 10^9 shares added: none.
      {"too many shares", "1000000000", "100000", "0.01", "0.02", Market::Stock, {}},
  };
  for (const Case& c : cases) {
    const std::optional<CostTarget> t =
        CalculateCostTarget(D(c.held), D(c.cost), D(c.price), D(c.target), c.market, kLoadRates);
    if (c.out[0] == nullptr) {
      EXPECT_FALSE(t.has_value()) << c.what << ": " << t->shares.Text(0);
      continue;
    }
    ASSERT_TRUE(t.has_value()) << c.what;
    const std::string got[7] = {t->theoreticalShares.Text(2), t->shares.Text(0),     t->amount.Text(2),
                                t->fees.Total().Text(2),      t->funds.Text(2),      t->heldAfter.Text(0),
                                t->costAfter.Text(3)};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(got[i], c.out[i]) << c.what << ", figure " << i;
  }
}

// On random holdings: x shares reach the target and x − 100 do not; where x
// is a few thousand lots at most, no fewer lots at all do. Many targets lie
// within a few hundredths of a cent a share of the price with its fees,
// where the roundings of the fees decide.
TEST(CostTarget, RandomHoldingsReachTheTargetFromTheLotsFound) {
  std::mt19937_64 rng(20240726);
  auto below = [&](std::uint64_t n) { return std::uniform_int_distribution<std::uint64_t>(0, n - 1)(rng); };
  auto logUniform = [&](std::int64_t high) {
    return 1 + static_cast<std::int64_t>(std::pow(static_cast<double>(high), below(1000) / 1000.0)) % high;
  };
  int reached = 0;
  for (int trial = 0; trial < 1500; ++trial) {
    const Market market = below(2) == 0 ? Market::Stock : Market::Fund;
    const int t = TickDecimals(market);
    // Rates of up to two decimals, as brokers quote them, or of six.
    const int rateDecimals = below(3) == 0 ? 6 : 2;
    auto rate = [&] {
      return Decimal(static_cast<Decimal::Int>(below(30 * static_cast<std::uint64_t>(std::pow(10, rateDecimals)))),
                     rateDecimals);
    };
    const FeeRates rates{rate(), Decimal(static_cast<Decimal::Int>(below(3)) * 250, 2), rate(), rate()};
    const Decimal held = Decimal::Whole(logUniform(below(4) == 0 ? 1000000000 : 100000));
    const Decimal price(logUniform(t == 2 ? 1000000 : 10000000), t);
    // The price with its fees unrounded, and a target about it.
    const Decimal withFees =
        price + Decimal::ProductRounded(price, rates.commission + (market == Market::Stock ? rates.transferFee
                                                                                            : Decimal()),
                                        12, 4);
    // Within 10^-10 yuan a share of it while the fees' roundings repeat
    // within 10^4 lots; with rates of six decimals, whose roundings hardly
    // repeat, where a lot gains a hundredth of a cent on the fees.
    const int nudgeScale = static_cast<int>(below(3)) + (rateDecimals == 6 ? 6 : 10);
    const Decimal nudge(static_cast<Decimal::Int>(below(2001)) - 500, nudgeScale);
    Decimal target = below(3) == 0 ? price + Decimal(logUniform(100000), 3) : withFees + nudge;
    if (target <= price) target = price + Decimal(1, 10);
    const Decimal cost = target + Decimal(logUniform(100000), static_cast<int>(3 + below(8)));
    if (cost > Decimal::Whole(100000) || target > Decimal::Whole(100000)) continue;
    const std::optional<Decimal> x = SharesToReachCost(held, cost, price, target, market, rates);
    const std::string what = "trial " + std::to_string(trial) + ": " + held.Text(0) + " at " + cost.Text(12) +
                             ", to " + target.Text(12) + " buying at " + price.Text(t);
    if (!x) {
      for (std::int64_t lots = 1; lots <= 2000; ++lots) {
        ASSERT_FALSE(Reaches(held, cost, price, target, Decimal::Whole(lots * 100), market, rates))
            << what << ": none found, but " << lots << " lots reach it";
      }
      continue;
    }
    ++reached;
    ASSERT_TRUE(Reaches(held, cost, price, target, *x, market, rates)) << what << ": " << x->Text(0);
    const Decimal::Int lots = x->units() / 100;
    ASSERT_EQ(*x, Decimal::Whole(static_cast<std::int64_t>(lots * 100))) << what;
    if (lots > 1) {
      ASSERT_FALSE(Reaches(held, cost, price, target, *x - Decimal::Whole(100), market, rates)) << what;
    }
    if (lots <= 3000) {
      for (Decimal::Int fewer = 1; fewer < lots - 1; ++fewer) {
        ASSERT_FALSE(Reaches(held, cost, price, target, Decimal::Whole(static_cast<std::int64_t>(fewer * 100)), market,
                             rates))
            << what << ": " << x->Text(0) << ", but " << static_cast<std::int64_t>(fewer) << " lots reach it";
      }
    }
  }
  EXPECT_GT(reached, 300);
}

}  // namespace
// The least lots by walking them one by one from one lot, up to `most`:
// the search as the definition reads, to hold the fast one against.
std::optional<std::int64_t> LotByLot(const Decimal& held, const Decimal& cost, const Decimal& price,
                                     const Decimal& target, Market market, const FeeRates& rates, std::int64_t most) {
  for (std::int64_t lots = 1; lots <= most; ++lots) {
    if (Reaches(held, cost, price, target, Decimal::Whole(lots * 100), market, rates)) return lots;
  }
  return std::nullopt;
}

// Small holdings whose target lies within a hair of the price with its
// fees, so that a lot gains next to nothing on the fees and their rounding
// to the cent decides, with rates of up to 30 decimals: the lots found are
// those of the walk, and where none is found the walk finds none either.
TEST(CostTarget, FastSearchAgreesWithTheWalk) {
  std::mt19937_64 rng(35);
  auto below = [&](std::uint64_t n) { return std::uniform_int_distribution<std::uint64_t>(0, n - 1)(rng); };
  // A rate below 30 per ten thousand with `decimals` random decimals.
  auto rate = [&](int decimals) {
    std::string text = std::to_string(below(30)) + ".";
    for (int i = 0; i < decimals; ++i) text += static_cast<char>('0' + below(10));
    return D(decimals == 0 ? text + "0" : text);
  };
  constexpr std::int64_t kWalk = 1200;
  int found = 0;
  for (int trial = 0; trial < 400; ++trial) {
    const Market market = below(3) == 0 ? Market::Fund : Market::Stock;
    const int t = TickDecimals(market);
    const int decimals = static_cast<int>(below(31));
    const FeeRates rates{rate(decimals), Decimal(static_cast<Decimal::Int>(below(3)) * 100, 2), rate(2),
                         rate(static_cast<int>(below(31)))};
    const Decimal price(static_cast<Decimal::Int>(1 + below(3000)), t);
    const Decimal fees = rates.commission + (market == Market::Stock ? rates.transferFee : Decimal());
    // The price with its fees unrounded, nudged by a few millionths of a
    // yuan a share (a lot gains up to a thousandth of a cent on its fees, or
    // loses), and a holding of a few shares a little above it.
    const Decimal withFees = price + Decimal::ProductRounded(price, fees, 30, 4);
    const Decimal nudge = Decimal(static_cast<Decimal::Int>(below(20001)) - 2000, 11) +
                          Decimal(static_cast<Decimal::Int>(below(1000000000000)), 30);
    Decimal target = withFees + nudge;
    if (target <= price) target = price + Decimal(1, 30);
    const Decimal cost = target + Decimal(static_cast<Decimal::Int>(1 + below(500)), 5);
    const Decimal held = Decimal::Whole(static_cast<std::int64_t>(1 + below(5)));
    const std::optional<Decimal> fast = SharesToReachCost(held, cost, price, target, market, rates);
    const std::optional<std::int64_t> walked = LotByLot(held, cost, price, target, market, rates, kWalk);
    const std::string what = "trial " + std::to_string(trial) + ": " + held.Text(0) + " at " + cost.Text(30) + " to " +
                             target.Text(30) + " buying at " + price.Text(t);
    if (fast && *fast <= Decimal::Whole(kWalk * 100)) {
      ++found;
      ASSERT_TRUE(walked.has_value()) << what;
      EXPECT_EQ(fast->Text(0), Decimal::Whole(*walked * 100).Text(0)) << what;
    } else {
      EXPECT_FALSE(walked.has_value()) << what << ": the walk finds " << *walked << " lots";
    }
  }
  EXPECT_GT(found, 100);
}

}  // namespace hc
