// Exact decimals: parsing, rounding to the cent and the tick, products,
// quotients and the errors that stop a calculation.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "numeric/decimal.h"
#include "numeric/numeric.h"

namespace hc {
namespace {

Decimal D(const char* text) {
  std::optional<Decimal> d = Decimal::Parse(text);
  EXPECT_TRUE(d.has_value()) << text;
  return d.value_or(Decimal());
}

TEST(Decimal, ParsesOnlyPlainDecimals) {
  struct Case {
    const char* in;
    const char* asText;  // null: not a number
    int decimals;
  };
  const Case cases[] = {
      {"10", "10", 0},       {"10.5", "10.50", 2},  {"-0.105", "-0.105", 3}, {"+7", "7", 0},
      {".5", "0.5", 1},      {"5.", "5", 0},        {"007.10", "7.10", 2},   {"0", "0", 0},
      {"", nullptr, 0},      {".", nullptr, 0},     {"-", nullptr, 0},       {"1e3", nullptr, 0},
      {" 1", nullptr, 0},    {"1 ", nullptr, 0},    {"1.2.3", nullptr, 0},   {"abc", nullptr, 0},
      {"12元", nullptr, 0},  {"--1", nullptr, 0},   {"0x10", nullptr, 0},
      {"123456789012345678901234567890123456789012", nullptr, 0},  // beyond 128 bits
  };
  for (const Case& c : cases) {
    std::optional<Decimal> d = Decimal::Parse(c.in);
    if (c.asText == nullptr) {
      EXPECT_FALSE(d.has_value()) << "'" << c.in << "'";
    } else {
      ASSERT_TRUE(d.has_value()) << "'" << c.in << "'";
      EXPECT_EQ(d->Text(c.decimals), c.asText) << "'" << c.in << "'";
    }
  }
}

TEST(Decimal, RoundsHalvesAwayFromZero) {
  struct Case {
    const char* in;
    int decimals;
    const char* out;
  };
  const Case cases[] = {
      {"0.105", 2, "0.11"},     {"-0.105", 2, "-0.11"}, {"0.1049999", 2, "0.10"}, {"2.675", 2, "2.68"},
      {"1.005", 2, "1.01"},     {"11.165", 2, "11.17"}, {"1.2345", 3, "1.235"},   {"-0.004", 2, "0.00"},
      {"-0.005", 2, "-0.01"},   {"9.995", 2, "10.00"},  {"0.5", 0, "1"},          {"-0.5", 0, "-1"},
      {"123", 2, "123.00"},     {"0", 3, "0.000"},
  };
  for (const Case& c : cases) EXPECT_EQ(D(c.in).Text(c.decimals), c.out) << c.in << " to " << c.decimals;
}

TEST(Decimal, ArithmeticIsExact) {
  EXPECT_EQ((D("0.1") + D("0.2")).Text(20), "0.30000000000000000000");
  EXPECT_EQ((D("10.15") * D("1.1")).Text(4), "11.1650");
  EXPECT_EQ((D("10.5") * D("1000")).Text(2), "10500.00");
  EXPECT_EQ((D("10000") * D("2.5")).Text(1), "25000.0");
  EXPECT_EQ((D("1") - D("1.001")).Text(3), "-0.001");
  EXPECT_EQ(Decimal::Divide(D("10005.10"), D("1000"), 3).Text(3), "10.005");
  EXPECT_EQ(Decimal::Divide(D("484.54"), D("10005.10"), 4).Text(4), "0.0484");
  EXPECT_EQ(Decimal::Divide(D("-1"), D("3"), 2).Text(2), "-0.33");
  EXPECT_EQ(Decimal::Divide(D("2"), D("-3"), 2).Text(2), "-0.67");
  EXPECT_EQ(D("1.2340").Ceil(2).Text(2), "1.24");
  EXPECT_EQ(D("1.2300").Ceil(2).Text(2), "1.23");
  EXPECT_EQ(D("-1.239").Ceil(2).Text(2), "-1.23");
  EXPECT_TRUE(D("1.50") == D("1.5"));
  EXPECT_TRUE(D("1.49") < D("1.5"));
  EXPECT_EQ(D("-3").sign(), -1);
  EXPECT_TRUE(D("3.000").IsWhole());
  EXPECT_FALSE(D("3.001").IsWhole());
  EXPECT_EQ(D("10.155").UnitsAt(2), 1016);
}

// (a × b + c) / d, exact where the numerator outgrows 128 bits: a holding of
// 10^9 shares times a cost price with thirty decimals, less or plus an
// amount, with halves away from zero and the two terms cancelling.
TEST(Decimal, MulAddDivideIsExactBeyond128Bits) {
  struct Case {
    const char* a;
    const char* b;
    const char* c;
    const char* d;
    int decimals;
    const char* out;
  };
  const Case cases[] = {
      {"2000", "12.5", "-383.35", "2000", 3, "12.308"},
      {"1000", "1.64", "0", "1.77", 2, "926.55"},
      {"1000000000", "12.345678901234567890123456789012", "-0.01", "1000000000", 3, "12.346"},
      // 1234567890.1235 exactly: a half, away from zero either way.
      {"1000000000", "1.234567890123456789012345678901", "0.000043210987654321099", "1", 3, "1234567890.124"},
      {"-1000000000", "1.234567890123456789012345678901", "-0.000043210987654321099", "1", 3, "-1234567890.124"},
      {"1000000000", "1.234567890123456789012345678901", "0.000043210987654321098", "1", 3, "1234567890.123"},
      {"1000000000", "-99999.999999999999999999999999999999", "-100000000000000", "1000000000", 3, "-200000.000"},
      // 10^-21 left of two terms of 10^14, over a negative divisor.
      {"1000000000", "-99999.999999999999999999999999999999", "100000000000000", "-7", 2, "0.00"},
      {"1000000000", "-99999.999999999999999999999999999999", "100000000000000", "-0.000000000000000000001", 2,
       "-1.00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Decimal::MulAddDivide(D(c.a), D(c.b), D(c.c), D(c.d), c.decimals).Text(c.decimals), c.out)
        << c.a << " × " << c.b << " + " << c.c << " over " << c.d;
  }
}

TEST(Decimal, StopsOnOverflowAndDivisionByZero) {
  const Decimal big = D("100000000000000000000");  // 10^20
  try {
    (void)(big * big);
    ADD_FAILURE() << "10^40 fits no 128-bit value";
  } catch (const CalcError& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Overflow);
  }
  try {
    (void)Decimal::Divide(D("1"), D("0.00"), 2);
    ADD_FAILURE() << "division by zero";
  } catch (const CalcError& e) {
    EXPECT_EQ(e.kind(), ErrorKind::DivisionByZero);
  }
}

}  // namespace
}  // namespace hc
