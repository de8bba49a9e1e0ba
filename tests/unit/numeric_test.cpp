// The numeric field conventions, case by case.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "numeric/checked.h"
#include "numeric/numeric.h"

namespace hc {
namespace {

struct CleanCase {
  const char* in;
  const PairList* pairs;
  const char* out;
};

TEST(CleanNumberText, AppliesEachPairInTurn) {
  static const PairList kDoublePoint{ToPoint("..")};
  static const PairList kPlanCapital = DecimalMarks.Then({ToPoint(".."), Remove("元")});
  const CleanCase cases[] = {
      {"1,000元", &kMoneyMarks, "1.000"},
      {"10。5", &kMoneyMarks, "10.5"},
      {"12，3", &kMoneyMarks, "12.3"},
      {"元", &kMoneyMarks, ""},
      {"3.0%", &kMoneyOrPercentMarks, "3.0"},
      {"3.0%", &kMoneyMarks, "3.0%"},
      {"...", &kDoublePoint, ".."},  // left to right, no overlap
      {"1..5", &kPlanCapital, "1.5"},
      {"1..5", &kMoneyMarks, "1..5"},
      {"1,,5", &kPlanCapital, "1.5"},  // commas become points first, then ".." to point
      {"20倍", &kMultipleMarks, "20"},
      {"1000股", &kShareMarks, "1000"},
      {"12个", &kPeriodMarks, "12"},
      {" ", &kMoneyMarks, " "},
  };
  for (const CleanCase& c : cases) {
    std::string field = c.in;
    CleanNumberText(field, *c.pairs);
    EXPECT_EQ(field, c.out) << "input '" << c.in << "'";
  }
}

struct ReadCase {
  const char* in;
  double value;
};

TEST(ReadNumber, ReadsTheLeadingNumber) {
  const ReadCase cases[] = {
      {"12abc", 12},      {"abc", 0},          {"", 0},          {".", 0},        {" 1 2.5", 12.5},
      {"-.5", -0.5},      {"1.2.3", 1.2},      {"2e2", 200},     {"2e", 2},       {"2e+", 2},
      {"2E-2", 0.02},     {"2d2", 200},        {"2D+1", 20},     {" - 3 . 5", -3.5}, {"+7", 7},
      {"1e3", 1000},      {"\t4\n2", 42},      {"--3", 0},       {"1.e2", 100},   {"e5", 0},
      {"12元", 12},       {"3%", 3},           {"１２", 0},      {"5　6", 5},     {"1e-400", 0},
      {"2 e 2", 200},     {"0x10", 0},         {"&H10", 0},      {"1e0000000000000000003", 1000},
  };
  for (const ReadCase& c : cases) {
    EXPECT_EQ(ReadNumber(c.in), c.value) << "input '" << c.in << "'";
  }
}

TEST(ReadNumber, OverflowIsTheOnlyError) {
  for (const char* in : {"1E400", "-1e309", "9e99999999999999999999"}) {
    try {
      ReadNumber(in);
      ADD_FAILURE() << "no error for '" << in << "'";
    } catch (const CalcError& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Overflow) << in;
    }
  }
  EXPECT_GT(ReadNumber("1e-320"), 0.0);  // subnormal, not an error
}

// Beyond the double range, the magnitude of the whole number decides, not
// its exponent alone: a long mantissa or leading zeros move it.
TEST(ReadNumberStrict, TellsOverflowFromUnderflowByMagnitude) {
  struct RangeCase {
    const char* in;
    std::optional<double> value;  // none: an overflow
  };
  const RangeCase cases[] = {
      {"1000e306", std::nullopt},
      {"1000e+306", std::nullopt},
      {"1.79769313486232E+308", std::nullopt},  // the largest double cut to 15 digits: above it
      {"0.001e312", std::nullopt},
      {"1.7976931348623159e308", std::nullopt},  // past halfway from the largest double to 2^1024
      {"1.7976931348623157e308", 1.7976931348623157e308},
      {"0.0001e309", 1e305},
      {"100000e-330", 0.0},
      {"0.001e-321", 0.0},
      {"0.001e-000321", 0.0},
      {"2.4703282292062327e-324", 0.0},  // just under half the smallest subnormal
      {"2.4703282292062328e-324", std::numeric_limits<double>::denorm_min()},
      {"-0.5e-324", -0.0},
      {"0e999999999999", 0.0},
  };
  for (const RangeCase& c : cases) {
    try {
      const double v = ReadNumberStrict(c.in);
      ASSERT_TRUE(c.value.has_value()) << c.in << " read as " << v;
      EXPECT_EQ(v, *c.value) << c.in;
      EXPECT_EQ(std::signbit(v), std::signbit(*c.value)) << c.in;
    } catch (const CalcError& e) {
      EXPECT_FALSE(c.value.has_value()) << c.in;
      EXPECT_EQ(e.kind(), ErrorKind::Overflow) << c.in;
    }
  }
}

TEST(ReadNumberStrict, AcceptsOneWholeNumber) {
  const ReadCase cases[] = {{" 12 ", 12}, {"-3.5", -3.5}, {"+.5", 0.5}, {"5.", 5}, {"1E3", 1000}, {"2d-1", 0.2}};
  for (const ReadCase& c : cases) EXPECT_EQ(ReadNumberStrict(c.in), c.value) << c.in;
}

TEST(ReadNumberStrict, RejectsEverythingElse) {
  for (const char* in : {"12abc", "", " ", "abc", "1 2", "1.2.3", "2e", "-", ".", "12元", "\t12", "１２", "1,5"}) {
    try {
      ReadNumberStrict(in);
      ADD_FAILURE() << "accepted '" << in << "'";
    } catch (const CalcError& e) {
      EXPECT_EQ(e.kind(), ErrorKind::TypeMismatch) << in;
    }
  }
  EXPECT_THROW(ReadNumberStrict("1e400"), CalcError);
}

struct TextCase {
  double x;
  const char* text;
};

TEST(NumberText, FifteenSignificantDigits) {
  const TextCase cases[] = {
      {0.1 + 0.2, "0.3"},
      {10 * 1.1, "11"},
      {12 * 1.1, "13.2"},
      {1234567890123456.0, "1.23456789012346E+15"},
      {0.00001, "1E-05"},
      {0.0001, "0.0001"},
      {-0.0, "0"},
      {0.0, "0"},
      {9.7, "9.7"},
      {50, "50"},
      {-3.5, "-3.5"},
      {123456789012345.0, "123456789012345"},
      {1e15, "1E+15"},
      {1.5e-7, "1.5E-07"},
      {1e100, "1E+100"},
      {-2.5e-300, "-2.5E-300"},
      {0.300000000000001, "0.300000000000001"},
      {11.165000000000001, "11.165"},
      {999999999999999.9, "1E+15"},  // rounding to 15 digits carries into the exponent
      {0.000099999999999999999, "0.0001"},
      {-19.999999999999996, "-20"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(NumberText(c.x), c.text) << c.x;
}

TEST(NumberText, NeverWritesInfinityOrNaN) {
  EXPECT_THROW(NumberText(std::numeric_limits<double>::infinity()), CalcError);
  EXPECT_THROW(NumberText(std::nan("")), CalcError);
}

TEST(Round2, HalvesGoToEvenOnTheDoubleTimes100) {
  const TextCase cases[] = {
      {0.125, "0.12"}, {0.135, "0.14"}, {2.675, "2.68"}, {1.005, "1"},      {-0.125, "-0.12"},
      {0.145, "0.14"}, {-2.675, "-2.68"}, {0.005, "0"},  {-0.004, "0"},     {12.344999, "12.34"},
      {0.115, "0.12"},  // 0.115 × 100 is 11.5 exactly in doubles
  };
  for (const TextCase& c : cases) EXPECT_EQ(NumberText(Round2(c.x)), c.text) << c.x;
  EXPECT_THROW(Round2(1e307), CalcError);
}

TEST(Fixed2, HalvesGoAwayFromZeroOnThe15DigitText) {
  const TextCase cases[] = {
      {9.7, "9.70"},        {50, "50.00"},     {0.3, "0.30"},          {-1, "-1.00"},
      {123456, "123456.00"}, {-0.004, "0.00"}, {0.005, "0.01"},        {-0.005, "-0.01"},
      {1.005, "1.01"},  // 1.005 to 15 digits is 1.005 exactly: a half, away from zero
      {2.675, "2.68"},      {0.0, "0.00"},     {-0.0, "0.00"},         {0.994999999999999, "0.99"},
      {9.995, "10.00"},     {1e-300, "0.00"},  {-1e-300, "0.00"},      {1e20, "100000000000000000000.00"},
      {1234567890123456.0, "1234567890123460.00"}, {0.0049, "0.00"}, {99.999, "100.00"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(Fixed2(c.x), c.text) << c.x;
}

struct DecimalsCase {
  double x;
  int decimals;
  const char* text;
};

// Other decimals than the cent: the whole lots of the multiplication screen
// (a tenth, then none) and the extremes of the range.
TEST(RoundHalfEven, AnyDecimals) {
  const DecimalsCase cases[] = {
      {12.45, 1, "12.4"}, {12.55, 1, "12.6"}, {12.25, 1, "12.2"}, {-0.04, 1, "0"},  {2.5, 0, "2"},
      {3.5, 0, "4"},      {-2.5, 0, "-2"},    {0.4, 0, "0"},      {1.0005, 3, "1"}, {0.123456789012345, 15, "0.123456789012345"},
  };
  for (const DecimalsCase& c : cases) EXPECT_EQ(NumberText(RoundHalfEven(c.x, c.decimals)), c.text) << c.x;
  EXPECT_EQ(Round2(2.675), RoundHalfEven(2.675, 2));
  EXPECT_THROW(RoundHalfEven(1e300, 15), CalcError);
  EXPECT_THROW(RoundHalfEven(1, 16), std::out_of_range);
  EXPECT_THROW(RoundHalfEven(1, -1), std::out_of_range);
}

TEST(FixedText, AnyDecimalsHalvesAwayFromZero) {
  const DecimalsCase cases[] = {
      {12.5, 0, "13"},      {-12.5, 0, "-13"},   {0.49, 0, "0"},    {-0.4, 0, "0"},     {0, 0, "0"},
      {-0.0, 0, "0"},       {999.5, 0, "1000"},  {1e20, 0, "100000000000000000000"},  {12.45, 1, "12.5"},
      {-0.04, 1, "0.0"},    {0.05, 1, "0.1"},    {1.0005, 3, "1.001"}, {2.5, 4, "2.5000"}, {1e-20, 15, "0.000000000000000"},
      {0.1, 15, "0.100000000000000"},
  };
  for (const DecimalsCase& c : cases) EXPECT_EQ(FixedText(c.x, c.decimals), c.text) << c.x << " at " << c.decimals;
  EXPECT_EQ(Fixed2(1.005), FixedText(1.005, 2));
  EXPECT_THROW(FixedText(std::numeric_limits<double>::infinity(), 0), CalcError);
  EXPECT_THROW(FixedText(1, 16), std::out_of_range);
}

struct WriteCase {
  double x;
  const char* unit;
  const char* text;
};

TEST(WriteRounded, CutsTo15DigitsThenRoundsToEven) {
  const WriteCase cases[] = {
      {9.7, "", "9.70"},
      {50, "", "50.00"},
      {4, "元", "4.00元"},
      {-0.004, "", "0.00"},
      {10 - 10 * 0.03, "", "9.70"},
      {1.1 * 10.15, "", "11.16"},  // 11.165000000000001 is cut to 11.165 first, a half to even
      {0.9 * 10.05, "", "9.04"},
      {0.125, "", "0.12"},
      {-12.5 / 100, "元", "-0.12元"},
  };
  for (const WriteCase& c : cases) {
    std::string field = "old";
    WriteRounded(field, c.x, c.unit);
    EXPECT_EQ(field, c.text) << c.x;
  }
}

TEST(WriteRounded, OtherForms) {
  std::string field;
  // Rounded first: no 15-digit cut, so a value just above a half rounds up.
  WriteRoundedFirst(field, 0.1250000000000001, "元");
  EXPECT_EQ(field, "0.13元");
  WriteRounded(field, 0.1250000000000001, "元");
  EXPECT_EQ(field, "0.12元");
  WritePlain(field, 19.999999999999996);
  EXPECT_EQ(field, "20");
  WritePlain(field, 6.38297872340426);
  EXPECT_EQ(field, "6.38297872340426");
}

// The last two writes of WriteRounded on the text a running total left.
TEST(RoundInPlace, RoundsTheNumberTheFieldHolds) {
  const struct {
    const char* before;
    const char* unit;
    const char* after;
  } cases[] = {{"367.254", "", "367.25"}, {"0.125", "", "0.12"}, {"-1E-05", "", "0.00"}, {"36979.905", "元", "36979.90元"},
               {"12abc", "", "12.00"},    {"", "", "0.00"}};
  for (const auto& c : cases) {
    std::string field = c.before;
    RoundInPlace(field, c.unit);
    EXPECT_EQ(field, c.after) << c.before;
  }
  std::string field = "2E+307";
  EXPECT_THROW(RoundInPlace(field), CalcError);
  EXPECT_EQ(field, "2E+307");
}

// A running total read back from its text at every step.
TEST(AddTo, KeepsTheTotalAsItsText) {
  std::string total = "0";
  for (int i = 0; i < 3; ++i) AddTo(total, 0.1);
  EXPECT_EQ(total, "0.3");  // cut to 15 digits at every step: no 0.30000000000000004
  std::string shares = "1.15292150460684E+20";
  AddToStrict(shares, 1);
  EXPECT_EQ(shares, "1.15292150460684E+20");
  std::string typed = "5股";
  AddTo(typed, 1);
  EXPECT_EQ(typed, "6");
  typed = "5股";
  EXPECT_THROW(AddToStrict(typed, 1), CalcError);
  EXPECT_EQ(typed, "5股");
}

TEST(WriteRounded, ErrorLeavesTheFieldUnchanged) {
  std::string field = "keep";
  EXPECT_THROW(WriteRounded(field, std::numeric_limits<double>::infinity()), CalcError);
  EXPECT_EQ(field, "keep");
  // 2e307 has a text, but rounding it overflows: no partial write either.
  EXPECT_THROW(WriteRounded(field, 2e307), CalcError);
  EXPECT_EQ(field, "keep");
  EXPECT_THROW(WriteRoundedFirst(field, 2e307), CalcError);
  EXPECT_EQ(field, "keep");
}

struct OpCase {
  const char* what;
  std::optional<ErrorKind> error;
  Num (*op)();
};

TEST(Num, EveryOperationIsChecked) {
  const OpCase cases[] = {
      {"1/0", ErrorKind::DivisionByZero, [] { return Num(1) / 0; }},
      {"0/0", ErrorKind::DivisionByZero, [] { return Num(0) / 0; }},
      {"big*big", ErrorKind::Overflow, [] { return Num(1e200) * 1e200; }},
      {"max+max", ErrorKind::Overflow, [] { return Num(1.7e308) + 1.7e308; }},
      {"(-8)^0.5", ErrorKind::InvalidArgument, [] { return Power(-8, 0.5); }},
      {"0^-1", ErrorKind::DivisionByZero, [] { return Power(0, -1); }},
      {"10^400", ErrorKind::Overflow, [] { return Power(10, 400); }},
      {"(-2)^3", std::nullopt, [] { return Power(-2, 3); }},
      {"1/3", std::nullopt, [] { return Num(1) / 3; }},
  };
  for (const OpCase& c : cases) {
    try {
      Num r = c.op();
      EXPECT_FALSE(c.error.has_value()) << c.what << " gave " << r.v();
    } catch (const CalcError& e) {
      ASSERT_TRUE(c.error.has_value()) << c.what;
      EXPECT_EQ(e.kind(), *c.error) << c.what;
    }
  }
  EXPECT_EQ(Power(-2, 3).v(), -8);
}

TEST(WholeNumbers, RoundHalfToEvenIn32Bits) {
  EXPECT_EQ(RoundToInt32(2.5), 2);
  EXPECT_EQ(RoundToInt32(3.5), 4);
  EXPECT_EQ(RoundToInt32(-2.5), -2);
  EXPECT_EQ(RoundToInt32(1199.5), 1200);
  EXPECT_EQ(RoundToInt32(2147483647.4), 2147483647);
  EXPECT_THROW(RoundToInt32(2147483647.5), CalcError);
  EXPECT_THROW(RoundToInt32(-2147483649.0), CalcError);
  EXPECT_EQ(WholeQuotient(2000, 200), 10);
  EXPECT_EQ(WholeQuotient(-7, 2), -3);
  EXPECT_EQ(WholeQuotient(7, 2.5), 3);  // 2.5 rounds to 2
  EXPECT_THROW(WholeQuotient(7, 0.4), CalcError);
}

}  // namespace
}  // namespace hc
