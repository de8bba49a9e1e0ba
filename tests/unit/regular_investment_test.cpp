// A regular-investment projection: the worked examples under each timing
// and rate conversion, published figures that are right, the least deposit
// for a target, and the decimal fixed point the growth is computed in. The
// expected figures were computed independently to 100 significant digits.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "market/regular_investment.h"
#include "numeric/fixed_point.h"
#include "numeric/numeric.h"
#include "tests/unit/decimal_text.h"

namespace hc {
namespace {

constexpr Timing kStart = Timing::PeriodStart;
constexpr Timing kEnd = Timing::PeriodEnd;
constexpr RateConversion kEffective = RateConversion::Effective;
constexpr RateConversion kNominal = RateConversion::Nominal;

struct Plan {
  const char* deposit;
  const char* percent;
  int years;
  const char* principal;
  Frequency frequency;
  Timing timing;
  RateConversion conversion;
  const char* target = nullptr;
};

RegularPlan Project(const Plan& p) {
  PlanTerms t;
  t.deposit = D(p.deposit);
  t.annualPercent = D(p.percent);
  t.years = p.years;
  t.principal = D(p.principal);
  if (p.target != nullptr) t.target = D(p.target);
  t.frequency = p.frequency;
  t.timing = p.timing;
  t.conversion = p.conversion;
  return ProjectPlan(t);
}

TEST(RegularInvestment, FinalAssets) {
  struct Case {
    const char* what;
    Plan plan;
    const char* invested;
    const char* assets;
  };
  constexpr Frequency kMonthly = Frequency::Monthly;
  const Case cases[] = {
      {"effective, start", {"1000", "8", 10, "0", kMonthly, kStart, kEffective}, "120000.00", "181283.20"},
      {"effective, end", {"1000", "8", 10, "0", kMonthly, kEnd, kEffective}, "120000.00", "180124.27"},
      {"nominal, start", {"1000", "8", 10, "0", kMonthly, kStart, kNominal}, "120000.00", "184165.68"},
      {"nominal, end", {"1000", "8", 10, "0", kMonthly, kEnd, kNominal}, "120000.00", "182946.04"},
      // Published answers that are wrong elsewhere, right here.
      {"500 at 8 %, end", {"500", "8", 10, "0", kMonthly, kEnd, kNominal}, "60000.00", "91473.02"},
      {"500 at 8 %, start", {"500", "8", 10, "0", kMonthly, kStart, kNominal}, "60000.00", "92082.84"},
      {"1000 at 15 %, end", {"1000", "15", 10, "0", kMonthly, kEnd, kNominal}, "120000.00", "275217.06"},
      {"1000 at 15 %, start", {"1000", "15", 10, "0", kMonthly, kStart, kNominal}, "120000.00", "278657.27"},
      {"1000 at 10 % for 20 years", {"1000", "10", 20, "0", kMonthly, kStart, kNominal}, "240000.00", "765696.91"},
      {"2000 for 25 years, end", {"2000", "8", 25, "0", kMonthly, kEnd, kNominal}, "600000.00", "1902052.79"},
      {"2000 for 25 years, start", {"2000", "8", 25, "0", kMonthly, kStart, kNominal}, "600000.00", "1914733.14"},
      {"2000 effective", {"2000", "8", 25, "0", kMonthly, kStart, kEffective}, "600000.00", "1829678.87"},
      // The principal grows from the start under either timing.
      {"principal", {"1000", "8", 20, "50000", kMonthly, kStart, kNominal}, "290000.00", "839287.36"},
      {"fortnights", {"1000", "8", 20, "0", Frequency::Biweekly, kStart, kNominal}, "520000.00", "1284726.95"},
      {"weeks", {"1000", "8", 20, "0", Frequency::Weekly, kStart, kNominal}, "1040000.00", "2569462.09"},
      {"100 years of weeks",
       {"1000", "8", 100, "0", Frequency::Weekly, kStart, kEffective},
       "5200000.00",
       "1486729051.34"},
      // No growth: exactly what was put in.
      {"zero rate", {"1234.56", "0", 7, "0.01", Frequency::Biweekly, kEnd, kEffective}, "224689.93", "224689.93"},
      // The lowest rate: each year keeps 1/10000 of the year before.
      {"lowest rate, weeks",
       {"1000", "-99.99", 100, "0", Frequency::Weekly, kEnd, kEffective},
       "5200000.00",
       "6160.58"},
      {"lowest rate, months", {"1000", "-99.99", 10, "0", kMonthly, kStart, kEffective}, "120000.00", "866.22"},
      {"doubling a year", {"1000", "100", 3, "0", Frequency::Weekly, kEnd, kEffective}, "156000.00", "521648.77"},
      // Rates of 30 decimals, the least above and below 0 and a long one.
      {"tiniest rise",
       {"1234.56", "0.000000000000000000000000000100", 100, "98765.43", Frequency::Weekly, kStart, kEffective},
       "6518477.43",
       "6518477.43"},
      {"tiniest fall",
       {"1234.56", "-0.000000000000000000000000001", 100, "98765.43", Frequency::Weekly, kEnd, kNominal},
       "6518477.43",
       "6518477.43"},
      {"long rate",
       {"0.01", "12.345678901234567890123456789", 100, "0", Frequency::Biweekly, kStart, kEffective},
       "26.00",
       "254441.01"},
      // The largest year's end that is shown.
      {"1000 %, 13 years",
       {"1000", "1000", 13, "0", kMonthly, kStart, kEffective},
       "156000.00",
       "190600918250143784.69"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RegularPlan r = Project(c.plan);
    ASSERT_FALSE(r.tooLarge);
    EXPECT_EQ(r.invested.Text(2), c.invested);
    EXPECT_EQ(r.finalAssets.Text(2), c.assets);
    EXPECT_EQ(r.gain, r.finalAssets - r.invested);
    ASSERT_EQ(r.years.size(), static_cast<std::size_t>(c.plan.years));
    EXPECT_EQ(r.years.back().assets, r.finalAssets);
    EXPECT_EQ(r.periods, PeriodsPerYear(c.plan.frequency) * c.plan.years);
  }
}

TEST(RegularInvestment, YearByYear) {
  // 1000 at the start of each month, 8 % effective: each year's end.
  const RegularPlan r = Project({"1000", "8", 10, "0", Frequency::Monthly, kStart, kEffective});
  const char* assets[] = {"12513.89", "26028.88",  "40625.08",  "56388.97",  "73413.98",
                          "91800.98", "111658.95", "133105.55", "156267.88", "181283.20"};
  ASSERT_EQ(r.years.size(), 10U);
  for (std::size_t y = 0; y < 10; ++y) {
    EXPECT_EQ(r.years[y].invested, Decimal::Whole(12000 * static_cast<std::int64_t>(y + 1))) << y;
    EXPECT_EQ(r.years[y].assets.Text(2), assets[y]) << y;
    EXPECT_EQ(r.years[y].gain, r.years[y].assets - r.years[y].invested) << y;
  }
}

TEST(RegularInvestment, TooLarge) {
  EXPECT_TRUE(Project({"1000", "1000", 14, "0", Frequency::Monthly, kStart, kEffective}).tooLarge);
  EXPECT_TRUE(Project({"1000", "1000", 100, "0", Frequency::Weekly, kStart, kNominal}).tooLarge);
  // The largest inputs without growth stay well within.
  EXPECT_FALSE(Project({"1000000000000", "0", 100, "1000000000000", Frequency::Weekly, kEnd, kNominal}).tooLarge);
}

TEST(RegularInvestment, DepositForTarget) {
  struct Case {
    const char* what;
    Plan plan;
    const char* deposit;  // "已达到" for the principal alone, empty for no target
  };
  constexpr Frequency kMonthly = Frequency::Monthly;
  const Case cases[] = {
      {"effective, start", {"1000", "8", 20, "0", kMonthly, kStart, kEffective, "1000000"}, "1746.24"},
      {"effective, end", {"1000", "8", 20, "0", kMonthly, kEnd, kEffective, "1000000"}, "1757.48"},
      {"nominal, start", {"1000", "8", 20, "0", kMonthly, kStart, kNominal, "1000000"}, "1686.50"},
      {"nominal, end", {"1000", "8", 20, "0", kMonthly, kEnd, kNominal, "1000000"}, "1697.74"},
      // 1271.0403… a month: 1271.04 falls short, so 1271.05.
      {"with a principal", {"1000", "8", 20, "50000", kMonthly, kStart, kNominal, "1000000"}, "1271.05"},
      // 50000 grows to 246340.14 alone.
      {"principal reaches", {"1000", "8", 20, "50000", kMonthly, kStart, kNominal, "246340.13"}, "已达到"},
      {"principal just short", {"1000", "8", 20, "50000", kMonthly, kStart, kNominal, "246340.14"}, "0.01"},
      // Without growth the quotient is exact: a cent more asks a cent more.
      {"exact quotient", {"1", "0", 10, "0", kMonthly, kEnd, kNominal, "120000"}, "1000.00"},
      {"a cent above", {"1", "0", 10, "0", kMonthly, kEnd, kNominal, "120000.01"}, "1000.01"},
      {"principal equal", {"1", "0", 10, "120000", kMonthly, kEnd, kNominal, "120000"}, "已达到"},
      {"least deposit", {"1", "0", 1, "0", kMonthly, kEnd, kNominal, "0.01"}, "0.01"},
      {"no target", {"1000", "8", 20, "0", kMonthly, kStart, kNominal}, ""},
      {"100 years of weeks", {"1000", "8", 100, "0", Frequency::Weekly, kStart, kEffective, "1000000000"}, "672.62"},
      {"largest target in a year",
       {"1000", "-99.99", 1, "0", Frequency::Weekly, kStart, kEffective, "1000000000000"},
       "193796021316.57"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RegularPlan r = Project(c.plan);
    ASSERT_FALSE(r.tooLarge);
    const std::string got = r.targetReached ? "已达到" : r.depositForTarget ? r.depositForTarget->Text(2) : "";
    EXPECT_EQ(got, c.deposit);
  }
}

TEST(FixedPoint, ExactReadingCuttingAndRounding) {
  struct Case {
    const char* value;
    int decimals;
    const char* cut;
    const char* rounded;
  };
  const Case cases[] = {
      {"123.456", 2, "123.45", "123.46"},
      {"0.005", 2, "0.00", "0.01"},
      {"0.0049999999999999999999999999", 2, "0.00", "0.00"},
      {"999999999999999999.995", 2, "999999999999999999.99", "1000000000000000000.00"},
      {"0.000000000000000000000000000001", 30, "0.000000000000000000000000000001", "0.000000000000000000000000000001"},
      {"12345678901234567890.123456789", 0, "12345678901234567890", "12345678901234567890"},
  };
  for (const Case& c : cases) {
    const FixedPoint v{D(c.value)};
    EXPECT_EQ(v.Cut(c.decimals).Text(c.decimals), c.cut) << c.value;
    EXPECT_EQ(v.Rounded(c.decimals).Text(c.decimals), c.rounded) << c.value;
  }
  EXPECT_THROW(FixedPoint{D("-1")}, CalcError);
}

TEST(FixedPoint, ArithmeticAcrossLimbs) {
  const FixedPoint one = FixedPoint::Whole(1);
  const FixedPoint tiny = FixedPoint::TenTo(-72);
  // A borrow through every fraction limb, and the carry back.
  EXPECT_EQ((one - tiny).Cut(30).Text(30), "0." + std::string(30, '9'));
  EXPECT_EQ(one - tiny + tiny, one);
  EXPECT_THROW(tiny - one, CalcError);
  // A third cut at the 72nd decimal: three of them lack one unit.
  const FixedPoint third = one.DividedBy(3);
  EXPECT_EQ(third + third + third, one - tiny);
  EXPECT_EQ((third * FixedPoint::Whole(3)), one - tiny);
  EXPECT_EQ((third * FixedPoint::Whole(3)).Rounded(30), Decimal::Whole(1));
  // Products across the limbs, exact where the digits fit.
  const FixedPoint a{D("123456789012345678.901234567890123456")};
  const FixedPoint b{D("98765432109876543.210987654321")};
  EXPECT_EQ((a * b).Cut(0).Text(0), "12193263113702179522618503273374485");
  EXPECT_EQ((a * b).Rounded(2).Text(2), "12193263113702179522618503273374485.52");
  // 1.01^365 = 37.7834343328871588776166047964976054602711315…
  EXPECT_EQ(FixedPoint{D("1.01")}.Power(365).Cut(30).Text(30), "37.783434332887158877616604796497");
  // Whole digits and the 54-digit limit.
  EXPECT_EQ(FixedPoint::TenTo(53).WholeDigits(), 54);
  EXPECT_EQ(third.WholeDigits(), 0);
  EXPECT_THROW(FixedPoint::TenTo(27) * FixedPoint::TenTo(27), CalcError);
  EXPECT_THROW(FixedPoint::TenTo(53) * FixedPoint::Whole(10), CalcError);
  EXPECT_THROW((FixedPoint::TenTo(53) * FixedPoint::Whole(9)) + FixedPoint::TenTo(53), CalcError);
  EXPECT_THROW(FixedPoint::TenTo(40).Cut(2), CalcError);  // beyond a Decimal
}

TEST(FixedPoint, PeriodGrowth) {
  // (1.08)^(1/12) = 1.006434030110003454833917179287251865064020427342…
  EXPECT_EQ(PeriodGrowth(D("8"), 12, kEffective).Cut(30).Text(30), "1.006434030110003454833917179287");
  EXPECT_EQ(PeriodGrowth(D("8"), 12, kNominal).Cut(30).Text(30), "1.006666666666666666666666666666");
  EXPECT_EQ(PeriodGrowth(D("0"), 52, kEffective), FixedPoint::Whole(1));
  // A year of effective periods compounds to the annual rate, within 10^-66.
  struct Case {
    const char* percent;
    int periods;
  };
  const Case cases[] = {{"8", 12},
                        {"1000", 52},
                        {"-99.99", 52},
                        {"-99.99", 12},
                        {"0.0000000001", 26},
                        {"-0.000000000000000000000000000001", 52},
                        {"12.345678901234567890123456789", 26}};
  for (const Case& c : cases) {
    const FixedPoint g = PeriodGrowth(D(c.percent), c.periods, kEffective);
    const FixedPoint year = g.Power(static_cast<std::uint64_t>(c.periods));
    const FixedPoint exact = FixedPoint{Decimal::Whole(100) + D(c.percent)}.DividedBy(100);
    EXPECT_LE(year < exact ? exact - year : year - exact, FixedPoint::TenTo(-66)) << c.percent;
  }
}

}  // namespace
}  // namespace hc
