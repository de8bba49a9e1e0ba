// x^y rounded once: the same bits on every platform, the nearest double to
// the exact power.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "numeric/power.h"

namespace hc {
namespace {

struct PowerCase {
  double x;
  double y;
  double power;
};

// Each power here is the exact value rounded to the nearest double; the
// first ones are where a common C library's pow is one bit off.
TEST(PowerRounded, NearestDoubleToTheExactPower) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const PowerCase cases[] = {
      {0x1.0068db8bac711p+0, 45, 0x1.13188f74ffaaap+0},  // 0.50053 ulp above the lower neighbour
      {0x1.fda5119ce075fp-1, 43, 0x1.a3ebf513025e4p-1},
      {0x1.fbcd35a858794p-1, 57, 0x1.4037753efdfbep-1},
      {0x1.fff2e48e8a71ep-1, 3, 0x1.ffd8aead4fd54p-1},  // 1 - 0.0002
      {0x1.00068db8bac71p+0, 5, 0x1.0020c649300bep+0},  // 1 + 0.0001
      {1.1, 10, 0x1.4bffc0c03023ep+1},
      {1 + 0x1p-52, 0x1p52, 0x1.5bf0a8b145769p+1},  // e, from just above 1
      {2, -0.5, 0x1.6a09e667f3bcdp-1},
      {3, 34, 0x1.d9fe779881944p+53},          // 3^34 lies halfway: the even neighbour
      {94906267, 2, 0x1.0000007c84becp+53},    // halfway too
      {10, 22, 1e22},                          // exact
      {1.5, 2, 2.25},
      {2, 1023, 0x1p1023},
      {2, -1074, 0x1p-1074},                   // the smallest subnormal, exact
      {0.5, 1074.5, 0x1p-1074},                // 0.71 of it: rounds up to it
      {0.5, 1075, 0.0},                        // exactly half of it: to the even 0
      {0.97, 24000, 0x0.00000000a43d5p-1022},  // a subnormal power
      {2, 1024, kInf},
      {1.0000001, 1e10, kInf},
      {10, -400, 0.0},
      {-2, 3, -8},
      {-2, -3, -0.125},
      {-0.5, 1075, -0.0},
      {0, 3, 0},
      {-0.0, 3, -0.0},
      {0, -1, kInf},
      {7, 0, 1},
      {1, 1e300, 1},
  };
  for (const PowerCase& c : cases) {
    const double p = PowerRounded(c.x, c.y);
    EXPECT_EQ(p, c.power) << std::hexfloat << c.x << " ^ " << c.y << " gave " << p;
    EXPECT_EQ(std::signbit(p), std::signbit(c.power)) << c.x << " ^ " << c.y;
  }
  EXPECT_TRUE(std::isnan(PowerRounded(-8, 1.0 / 3)));
}

// Square, square root and reciprocal are correctly rounded IEEE operations:
// the power must give exactly what they give, for any x.
TEST(PowerRounded, AgreesWithTheExactlyRoundedOperations) {
  std::mt19937_64 random(20240611);
  std::uniform_real_distribution<double> exponent(-500.0, 500.0);
  for (int i = 0; i < 20000; ++i) {
    const double mantissa = std::ldexp(static_cast<double>(random() >> 11), -53) + 0.5;  // [0.5, 1.5)
    const double x = mantissa * std::exp2(std::floor(exponent(random)));
    ASSERT_EQ(PowerRounded(x, 2), x * x) << std::hexfloat << x;
    ASSERT_EQ(PowerRounded(x, 0.5), std::sqrt(x)) << std::hexfloat << x;
    ASSERT_EQ(PowerRounded(x, -1), 1 / x) << std::hexfloat << x;
  }
}

}  // namespace
}  // namespace hc
