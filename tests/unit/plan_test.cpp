// The position-building plan's lot arithmetic and its screen's keyboard
// set-up. The plans themselves are in tests/scripts/form38*.hcs.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "screens/plan/plan_calc.h"
#include "shell/app.h"
#include "tests/test_host.h"

namespace hc {
namespace {

struct LotCase {
  double money, price;
  std::optional<std::int32_t> shares;  // empty: an overflow
};

TEST(LotShares, RoundsHalfToEvenThenCutsToWholeLots) {
  const LotCase cases[] = {
      {34285.714285714286, 7, 4800},  // 4897.96 → 4898 → 4800
      {5995, 10, 600},                // 599.5 rounds to the even 600: the next lot
      {5985, 10, 500},                // 598.5 rounds to the even 598
      {11995, 10, 1200},              // 1199.5 → 1200
      {5994.99, 10, 500},             // 599.499 → 599
      {100000, 10.0004, 10000},       // 9999.6 → 10000, beyond the money
      {99, 1, 0},
      {0, 9, 0},
      {-20000, 7, -2800},             // -2857.14 → -2857, cut toward zero
      {-5995, 10, -600},
      {20000, -7, -2800},
      {2147483647, 1, 2147483600},
      {-2147483648.0, 1, -2147483600},
      {2147483648.0, 1, std::nullopt},
      {1e12, 1, std::nullopt},
  };
  for (const LotCase& c : cases) {
    if (c.shares) {
      EXPECT_EQ(LotShares(c.money, c.price), *c.shares) << c.money << " / " << c.price;
    } else {
      try {
        LotShares(c.money, c.price);
        ADD_FAILURE() << c.money << " / " << c.price << " gave no error";
      } catch (const CalcError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::Overflow);
      }
    }
  }
}

TEST(AddShares, A32BitTotalOrAnOverflow) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(AddShares(4800, 200), 5000);
  EXPECT_EQ(AddShares(kMax - 100, 100), kMax);
  EXPECT_EQ(AddShares(-2800, 2800), 0);
  EXPECT_THROW(AddShares(kMax - 99, 100), CalcError);
  EXPECT_THROW(AddShares(std::numeric_limits<std::int32_t>::min(), -100), CalcError);
}

TEST(MovePercent, ChangeFromTheBase) {
  struct Case {
    double base, x;
    const char* written;  // Fixed2 of the move
  };
  const Case cases[] = {
      {7, 6.5, "-7.14"},   {8, 12, "50.00"},       {7.49, 6.5, "-13.22"},
      {7.49, 12, "60.21"}, {59900, 52000, "-13.19"}, {7, 7, "0.00"},
  };
  for (const Case& c : cases) EXPECT_EQ(Fixed2(MovePercent(c.base, c.x)), c.written) << c.base << " → " << c.x;
  EXPECT_THROW(MovePercent(0, 1), CalcError);
}

TEST(PlanScreen, TabReachesTheModeOnlyAfterTheButtons) {
  TestHost host;
  App app(host);
  app.Start();
  const ScreenSpec& layout = app.Get("Form38").layout();
  const std::vector<std::string_view> order(layout.tabOrder.begin(), layout.tabOrder.end());
  const std::vector<std::string_view> expected = {
      "Text1", "Text2", "Text3",  "Text4",    "Text5",    "Text6",    "Text7",  "Text8",   "Text9",
      "Text10", "Text11", "Text12", "Command1", "Command2", "Command3", "Text13", "Command4"};
  EXPECT_EQ(order, expected);
  EXPECT_EQ(layout.initialFocus, "Text1");
  EXPECT_EQ(layout.defaultButton, "Command1");
}

}  // namespace
}  // namespace hc
