// Position size by risk: the largest quantity the board accepts whose loss
// at the stop, both legs' fees included, stays within the budget and whose
// buy fits the cash; checked on the worked examples and against trying
// every quantity.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>

#include "market/position_size.h"
#include "tests/unit/decimal_text.h"

namespace hc {
namespace {

const FeeRates kLoadRates{D("2.5"), D("5"), D("5"), D("0.1")};

TEST(PositionSize, WorkedExamplesAndEdges) {
  struct Case {
    const char* what;
    Board board;
    const char* in[5];  // account, risk %, entry, stop, cash
    // budget, fee-free shares, shares, buy cost, stop loss, loss %, position %; empty: none fits
    const char* out[7];
    Limit limit;
  };
  const Case cases[] = {
      {"fees cut a lot",
       Board::MainBoard,
       {"200000", "1", "15", "14.2", "200000"},
       {"2000.00", "2500.00", "2400", "36009.36", "1955.26", "0.98", "18.00"},
       Limit::Risk},
      {"cash decides",
       Board::MainBoard,
       {"100000", "2", "8", "7.9", "100000"},
       {"2000.00", "20000.00", "12400", "99225.79", "1340.24", "1.34", "99.20"},
       Limit::Cash},
      {"star single shares",
       Board::Star,
       {"300000", "1", "45.6", "42.8", "300000"},
       {"3000.00", "1071.43", "1054", "48074.90", "2997.99", "1.00", "16.02"},
       Limit::Risk},
      {"star least 200 too much", Board::Star, {"50000", "1", "88", "84", "50000"}, {}, Limit::Risk},
      {"beijing single shares",
       Board::Beijing,
       {"80000", "1.5", "12.34", "11.5", "80000"},
       {"1200.00", "1428.57", "1406", "17355.21", "1199.45", "1.50", "21.69"},
       Limit::Risk},
      {"main board lots",
       Board::MainBoard,
       {"80000", "1.5", "12.34", "11.5", "80000"},
       {"1200.00", "1428.57", "1400", "17281.17", "1194.38", "1.49", "21.60"},
       Limit::Risk},
      // One lot at 50 with a stop at 40: 5005.05 − 3992.96 = 1012.09.
      {"one lot just over", Board::MainBoard, {"100000", "1.0120", "50", "40", "100000"}, {}, Limit::Risk},
      {"one lot exactly",
       Board::MainBoard,
       {"100000", "1.01209", "50", "40", "100000"},
       {"1012.09", "101.21", "100", "5005.05", "1012.09", "1.01", "5.00"},
       Limit::Risk},
      // The cash in cents: 5005.049 buys no lot, 5005.05 does.
      {"cash a fraction short", Board::MainBoard, {"100000", "5", "50", "40", "5005.049"}, {}, Limit::Cash},
      {"cash exactly",
       Board::MainBoard,
       {"100000", "5", "50", "40", "5005.05"},
       {"5000.00", "500.00", "100", "5005.05", "1012.09", "1.01", "5.00"},
       Limit::Cash},
      // Both bounds at the same quantity: the risk is named.
      {"both at once",
       Board::MainBoard,
       {"100000", "1.01209", "50", "40", "5005.05"},
       {"1012.09", "101.21", "100", "5005.05", "1012.09", "1.01", "5.00"},
       Limit::Risk},
      // A budget that rounds to nothing.
      {"no budget", Board::Beijing, {"0.4", "1", "1", "0.99", "0.4"}, {}, Limit::Risk},
      // The largest account at one tick of risk a share: 10^14 shares
      // would be the fee-free answer; the cash with 2.6 per ten thousand of
      // fees buys 999740067582 at 1.
      {"largest account",
       Board::Beijing,
       {"1000000000000", "100", "1", "0.99", "1000000000000"},
       {"1000000000000.00", "100000000000000.00", "999740067582", "999999999999.58", "11009537520.25", "1.10", "99.97"},
       Limit::Cash},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<PositionSize> p =
        CalculatePositionSize(D(c.in[0]), D(c.in[1]), D(c.in[2]), D(c.in[3]), D(c.in[4]), c.board, kLoadRates);
    if (c.out[0] == nullptr) {
      EXPECT_FALSE(p.has_value());
      continue;
    }
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->riskBudget.Text(2), c.out[0]);
    EXPECT_EQ(p->riskShares.Text(2), c.out[1]);
    EXPECT_EQ(p->shares.Text(0), c.out[2]);
    EXPECT_EQ(p->buyCost.Text(2), c.out[3]);
    EXPECT_EQ(p->stopLoss.Text(2), c.out[4]);
    EXPECT_EQ(p->stopLossPercent.Text(2), c.out[5]);
    EXPECT_EQ(p->positionPercent.Text(2), c.out[6]);
    EXPECT_EQ(p->limit, c.limit);
    EXPECT_EQ(p->buyCost, p->buyAmount + p->buyFees);
  }
}

// The losses the worked examples name beside their answers.
TEST(PositionSize, LossesBesideTheAnswers) {
  struct Case {
    const char* entry;
    const char* stop;
    std::int64_t shares;
    const char* loss;
  };
  const Case cases[] = {
      {"15", "14.2", 2500, "2036.75"},  // the fee-free answer breaks the budget
      {"8", "7.9", 18500, "1999.56"},   // what the risk alone would allow
      {"45.6", "42.8", 1071, "3046.34"},
      {"88", "84", 200, "818.75"},  // STAR's least quantity
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StopLoss(D(c.entry), D(c.stop), Decimal::Whole(c.shares), kLoadRates).Text(2), c.loss) << c.entry;
  }
}

// Against trying every quantity the board accepts, on random small
// accounts and rates with and without a minimum commission.
TEST(PositionSize, AgreesWithTryingEveryQuantity) {
  std::mt19937 random(49);
  const FeeRates rateSets[] = {kLoadRates, {D("3"), D("0"), D("10"), D("0.2")}, {D("0"), D("5"), D("0"), D("0")}};
  const Board boards[] = {Board::MainBoard, Board::Star, Board::Beijing};
  for (int round = 0; round < 300; ++round) {
    const FeeRates& rates = rateSets[round % 3];
    const Board board = boards[(round / 3) % 3];
    const std::int64_t entryCents = std::uniform_int_distribution<std::int64_t>(100, 5000)(random);
    const std::int64_t stopCents = std::uniform_int_distribution<std::int64_t>(1, entryCents - 1)(random);
    const std::int64_t accountYuan = std::uniform_int_distribution<std::int64_t>(1000, 60000)(random);
    const std::int64_t riskHundredths = std::uniform_int_distribution<std::int64_t>(1, 1000)(random);
    const std::int64_t cashYuan = std::uniform_int_distribution<std::int64_t>(1, accountYuan)(random);
    const Decimal account = Decimal::Whole(accountYuan);
    const Decimal risk(riskHundredths, 2);
    const Decimal entry(entryCents, 2);
    const Decimal stop(stopCents, 2);
    const Decimal cash = Decimal::Whole(cashYuan);
    const Decimal budget = Decimal::ProductRounded(account, risk, 2, 2);

    std::int64_t best = 0;
    const std::int64_t step = board == Board::MainBoard ? 100 : 1;
    for (std::int64_t n = LeastQuantity(board); n * entryCents <= cashYuan * 100; n += step) {
      const Decimal shares = Decimal::Whole(n);
      if (StopLoss(entry, stop, shares, rates) <= budget && BuyCost(entry, shares, Market::Stock, rates) <= cash) {
        best = n;
      }
    }
    const std::optional<PositionSize> p = CalculatePositionSize(account, risk, entry, stop, cash, board, rates);
    SCOPED_TRACE(std::to_string(round));
    if (best == 0) {
      EXPECT_FALSE(p.has_value());
    } else {
      ASSERT_TRUE(p.has_value());
      EXPECT_EQ(p->shares, Decimal::Whole(best));
    }
  }
}

}  // namespace
}  // namespace hc
