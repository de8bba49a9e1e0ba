// A convertible bond held to maturity: the coupon list as typed, the
// anniversaries, the discount factors and the present value against figures
// computed independently to 60 digits, and the bond's flows, yields, floor
// and accrued interest under each redemption and tax option. The screen's
// messages are in tests/scripts/form51*.hcs.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "market/convertible_yield.h"
#include "market/dates.h"
#include "market/present_value.h"
#include "numeric/numeric.h"
#include "shell/app.h"
#include "tests/test_host.h"
#include "tools/large_figures.h"

namespace hc {
namespace {

Decimal D(const char* text) { return *Decimal::Parse(text); }
Date Day(const char* text) { return *ParseDate(text); }

// |a − b| at most `units` units of 10^-30.
::testing::AssertionResult Within(const Decimal& a, const Decimal& b, int units) {
  const Decimal gap = a - b;
  const Decimal size = gap.sign() < 0 ? -gap : gap;
  if (size <= Decimal(units, Decimal::kMaxScale)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << a.Text(30) << " is " << size.Text(30) << " from " << b.Text(30);
}

struct CouponCase {
  const char* text;
  CouponFault fault;
  std::size_t number;     // of the faulty rate
  const char* read = "";  // the rates read, blank-separated at two decimals
};

std::string Joined(const std::vector<Decimal>& percents) {
  std::string out;
  for (const Decimal& p : percents) out += (out.empty() ? "" : " ") + p.Text(2);
  return out;
}

TEST(CouponRates, SeparatorsMarksAndFaults) {
  const CouponCase cases[] = {
      {"0.3 0.5 1.0 1.5 1.8 2.0", CouponFault::None, 0, "0.30 0.50 1.00 1.50 1.80 2.00"},
      {"0.3、0.5,1.0，1.5\t1.8　2.0", CouponFault::None, 0, "0.30 0.50 1.00 1.50 1.80 2.00"},
      {"  0.3,, 0.5 、、 ", CouponFault::None, 0, "0.30 0.50"},
      {"０．３ １．５％ 2%", CouponFault::None, 0, "0.30 1.50 2.00"},
      {"0。5 .5 5.", CouponFault::None, 0, "0.50 0.50 5.00"},
      {"0\xC2\xA0"
       "1\xE2\x80\x8B"
       "2\xEF\xBB\xBF"
       "100",
       CouponFault::None, 0, "0.00 1.00 2.00 100.00"},
      {"", CouponFault::NoRates, 0},
      {" ,，、　", CouponFault::NoRates, 0},
      {"0.3 0.5 abc", CouponFault::NotNumber, 3},
      {"0.3 1e2", CouponFault::NotNumber, 2},
      {"%", CouponFault::NotNumber, 1},
      {"0.3 -0.1 x", CouponFault::OutOfRange, 2},
      {"100.0000001", CouponFault::OutOfRange, 1},
      {"1 999999999999999999999999999999999999999", CouponFault::OutOfRange, 2},
  };
  for (const CouponCase& c : cases) {
    const CouponRatesRead read = ReadCouponRates(c.text);
    EXPECT_EQ(read.fault, c.fault) << c.text;
    if (c.fault == CouponFault::None) {
      EXPECT_EQ(Joined(read.percents), c.read) << c.text;
    } else {
      EXPECT_EQ(read.number, c.number) << c.text;
      EXPECT_TRUE(read.percents.empty()) << c.text;
    }
  }
}

TEST(CouponRates, AnniversariesAndWholeYears) {
  EXPECT_EQ(Anniversary(Day("2021-06-15"), 6), Day("2027-06-15"));
  EXPECT_EQ(Anniversary(Day("2020-02-29"), 1), Day("2021-02-28"));
  EXPECT_EQ(Anniversary(Day("2020-02-29"), 4), Day("2024-02-29"));
  EXPECT_EQ(Anniversary(Day("9990-01-01"), 10), std::nullopt);
  struct YearsCase {
    const char* start;
    const char* day;
    int years;
  };
  const YearsCase cases[] = {
      {"2021-06-15", "2021-06-15", 0}, {"2021-06-15", "2022-06-14", 0}, {"2021-06-15", "2022-06-15", 1},
      {"2021-06-15", "2025-01-10", 3}, {"2021-06-15", "2027-06-15", 6}, {"2021-06-15", "2020-01-01", 0},
      {"2020-02-29", "2021-02-27", 0}, {"2020-02-29", "2021-02-28", 1}, {"2020-02-29", "2024-02-28", 3},
      {"2020-02-29", "2024-02-29", 4}, {"2019-12-31", "2020-01-01", 0}, {"0001-01-01", "9999-12-31", 9998},
  };
  for (const YearsCase& c : cases) EXPECT_EQ(WholeYears(Day(c.start), Day(c.day)), c.years) << c.start << " " << c.day;
}

TEST(PresentValue, DiscountFactorsToThirtyDecimals) {
  struct FactorCase {
    const char* rate;
    int days;
    const char* factor;  // rounded to 30 decimals from a 60-digit computation
  };
  const FactorCase cases[] = {
      {"0.03", 0, "1"},
      {"0.03", 156, "0.987446114693189843479836933322"},
      {"0.03", 365, "0.970873786407766990291262135922"},
      {"0.03", 886, "0.930762668199820759241999183073"},
      {"0", 1000, "1"},
      {"1", 1, "0.998102768651594634200743261657"},
      {"1", 364, "0.500950418838617422894615150748"},
      {"0.5", 364, "0.667407653698044150981123604279"},
      {"0.0001", 7, "0.999998082289503649786837409387"},
      {"0.123456789012345678901234567891", 4000, "0.279227093683613287432077795785"},
      {"1", 36524, "0.000000000000000000000000000001"},  // 2^-100.07
  };
  // Each within 10^-27: a day's factor carries 30 decimals, and up to 364
  // of them multiply its rounding.
  for (const FactorCase& c : cases) {
    EXPECT_TRUE(Within(DiscountFactor(D(c.rate), c.days), D(c.factor), 1000)) << c.rate << " " << c.days;
  }
  EXPECT_THROW(DiscountFactor(D("-0.01"), 10), CalcError);
  EXPECT_THROW(DiscountFactor(D("1.000001"), 10), CalcError);
  EXPECT_THROW(DiscountFactor(D("0.03"), -1), CalcError);
}

TEST(PresentValue, PublishedBondFloors) {
  struct FloorCase {
    const char* name;
    std::vector<const char*> yearly;  // one flow a 365-day year, the first a year on
    const char* rate;
    const char* value;
  };
  const FloorCase cases[] = {
      // 纯债价值约90.90元 at issue at 3.4657 %.
      {"成银", {"0.2", "0.4", "0.7", "1.2", "1.7", "107"}, "0.034657", "90.897637033115845614671368710000"},
      // 86.87 published, at the rate back-solved.
      {"欧通", {"0.1", "0.3", "0.6", "1.0", "1.5", "112"}, "0.049162", "86.870182909196466101019639366851"},
      // 70.70, where a tutorial printed 70.72.
      {"超声", {"0.5", "1.0", "1.5", "1.8", "108"}, "0.1", "70.696891046935442810041539636513"},
  };
  for (const FloorCase& c : cases) {
    std::vector<DatedFlow> flows;
    for (std::size_t k = 0; k < c.yearly.size(); ++k) flows.push_back({365 * static_cast<int>(k + 1), D(c.yearly[k])});
    EXPECT_TRUE(Within(PresentValue(flows, D(c.rate)), D(c.value), 100000)) << c.name;
  }
  // On actual days, in any order, nothing at all.
  const std::vector<DatedFlow> flows = {{886, D("115")}, {156, D("1.5")}, {521, D("1.8")}};
  EXPECT_TRUE(Within(PresentValue(flows, D("0.03")), D("110.244510001861639765684327938742"), 100000));
  EXPECT_EQ(PresentValue({}, D("0.03")).sign(), 0);
}

struct YieldCase {
  const char* name;
  const char* price;
  const char* bought;
  const char* start;
  const char* maturity;
  std::vector<const char*> percents;
  const char* redemption;
  LastCoupon lastCoupon;
  MaturityTax tax;
  const char* discount;
  // Expected:
  std::size_t flows;
  const char* lastBefore;  // the maturity flow before and after tax, two decimals
  const char* lastAfter;
  std::optional<double> before;
  std::optional<double> after;
  const char* floor;    // six decimals
  const char* premium;  // "" for none
  const char* accrued;
  const char* years;
  const char* cash;
};

const std::vector<const char*> kSteps = {"0.3", "0.5", "1.0", "1.5", "1.8", "2.0"};
constexpr LastCoupon kIn = LastCoupon::InRedemption;
constexpr LastCoupon kBeside = LastCoupon::BesideRedemption;
constexpr MaturityTax kCoupon = MaturityTax::LastCouponOnly;
constexpr MaturityTax kAbove = MaturityTax::AboveFaceValue;

TEST(ConvertibleYield, FlowsYieldsFloorAndAccrued) {
  // One row a case, as wide as it needs.
  // clang-format off
  const YieldCase cases[] = {
      {"load texts", "112.345", "2025-01-10", "2021-06-15", "2027-06-15", kSteps, "115", kIn, kCoupon, "3",
       3, "115.00", "114.60", 0.0218817021560, 0.0179731029322, "110.244510", "1.91", "0.8589", "2.427", "118.30"},
      {"tax above face", "112.345", "2025-01-10", "2021-06-15", "2027-06-15", kSteps, "115", kIn, kAbove, "3",
       3, "115.00", "112.00", 0.0218817021560, 0.0084840061175, "110.244510", "1.91", "0.8589", "2.427", "118.30"},
      {"last coupon beside", "112.345", "2025-01-10", "2021-06-15", "2027-06-15", kSteps, "115", kBeside, kCoupon,
       "3", 3, "117.00", "116.60", 0.0290810618708, 0.0251867236120, "112.106035", "0.21", "0.8589", "2.427",
       "120.30"},
      {"beside, tax above face", "112.345", "2025-01-10", "2021-06-15", "2027-06-15", kSteps, "115", kBeside, kAbove,
       "3", 3, "117.00", "113.60", 0.0290810618708, 0.0143385594981, "112.106035", "0.21", "0.8589", "2.427",
       "120.30"},
      {"亚药", "78.8", "2021-07-27", "2019-04-02", "2025-04-02", kSteps, "115", kIn, kCoupon, "3",
       4, "115.00", "114.60", 0.1217106108193, 0.1179216550016, "107.201969", "-26.49", "0.3178", "3.685", "119.30"},
      {"亚药, tax above face", "78.8", "2021-07-27", "2019-04-02", "2025-04-02", kSteps, "115", kIn, kAbove, "3",
       4, "115.00", "112.00", 0.1217106108193, 0.1111044020791, "107.201969", "-26.49", "0.3178", "3.685", "119.30"},
      // Bought on a coupon day: that coupon is the seller's.
      {"on an anniversary", "112.345", "2025-06-15", "2021-06-15", "2027-06-15", kSteps, "115", kIn, kCoupon, "3",
       2, "115.00", "114.60", 0.0197900336223, 0.0164153509314, "110.146102", "2.00", "0.0000", "2.000", "116.80"},
      {"on the first day", "100", "2021-06-15", "2021-06-15", "2027-06-15", kSteps, "115", kIn, kCoupon, "3",
       6, "115.00", "114.60", 0.0315058318390, 0.0293346335574, "100.865711", "-0.86", "0.0000", "6.003", "120.10"},
      {"the day before maturity", "116", "2027-06-14", "2021-06-15", "2027-06-15", kSteps, "115", kIn, kCoupon, "3",
       1, "115.00", "114.60", -0.9575824421081, -0.9881089729344, "114.990687", "0.88", "1.9945", "0.003", "115.00"},
      // Nothing above the face value to tax; a floor at no discount is the cash.
      {"redeemed at par", "99", "2025-01-10", "2021-06-15", "2027-06-15", kSteps, "100", kIn, kAbove, "0",
       3, "100.00", "100.00", 0.0180229765409, 0.0152255985293, "103.300000", "-4.16", "0.8589", "2.427", "103.30"},
      // The tax never takes more than is paid.
      {"redemption below the last coupon", "0.5", "2025-01-10", "2021-06-15", "2027-06-15", kSteps, "1", kIn,
       kCoupon, "3", 3, "1.00", "0.80", 14.6336350631800, 9.1967937777736, "4.137566", "-87.92", "0.8589", "2.427",
       "4.30"},
      {"no coupons", "100", "2022-01-01", "2021-06-15", "2027-06-15", {"0", "0", "0", "0", "0", "0"}, "100", kIn,
       kCoupon, "5", 6, "100.00", "100.00", 0.0, 0.0, "76.633159", "30.49", "0.0000", "5.455", "100.00"},
      // Interest from 29 February: its anniversaries fall on the 28th in common years.
      {"leap day", "95", "2021-03-01", "2020-02-29", "2024-02-29", {"1", "1", "1", "1"}, "100", kBeside, kCoupon,
       "2", 3, "101.00", "100.80", 0.0275953614843, 0.0255250212104, "97.116222", "-2.18", "0.0027", "3.000",
       "103.00"},
      // Beyond 1 000 000 % a year no rate is searched.
      {"no rate fits", "0.001", "2026-06-16", "2021-06-15", "2027-06-15", kSteps, "115", kIn, kCoupon, "3",
       1, "115.00", "114.60", std::nullopt, std::nullopt, "111.659528", "-100.00", "0.0055", "0.997", "115.00"},
  };
  // clang-format on
  for (const YieldCase& c : cases) {
    BondTerms terms{Day(c.start), Day(c.maturity), {}, D(c.redemption), c.lastCoupon, c.tax};
    for (const char* p : c.percents) terms.percents.push_back(D(p));
    const BondYield y = ConvertibleYield(D(c.price), Day(c.bought), terms, D(c.discount));
    ASSERT_EQ(y.flows.size(), c.flows) << c.name;
    EXPECT_EQ(y.flows.back().date, Day(c.maturity)) << c.name;
    EXPECT_EQ(y.flows.back().beforeTax.Text(2), c.lastBefore) << c.name;
    EXPECT_EQ(y.flows.back().afterTax.Text(2), c.lastAfter) << c.name;
    ASSERT_EQ(y.yieldBeforeTax.has_value(), c.before.has_value()) << c.name;
    ASSERT_EQ(y.yieldAfterTax.has_value(), c.after.has_value()) << c.name;
    if (c.before) {
      EXPECT_NEAR(*y.yieldBeforeTax, *c.before, 1e-9 * std::max(1.0, *c.before)) << c.name;
    }
    if (c.after) {
      EXPECT_NEAR(*y.yieldAfterTax, *c.after, 1e-9 * std::max(1.0, *c.after)) << c.name;
    }
    EXPECT_EQ(y.bondFloor.Text(6), c.floor) << c.name;
    EXPECT_EQ(y.premiumPercent ? y.premiumPercent->Text(2) : "", c.premium) << c.name;
    EXPECT_EQ(y.accruedInterest.Text(4), c.accrued) << c.name;
    EXPECT_EQ(y.remainingYears.Text(3), c.years) << c.name;
    EXPECT_EQ(y.remainingCash.Text(2), c.cash) << c.name;
  }
}

// Each flow's coupon date and amounts: the coupons after the day bought, the
// last one with the redemption.
TEST(ConvertibleYield, EveryFlowOnItsAnniversary) {
  BondTerms terms{Day("2019-04-02"), Day("2025-04-02"), {}, D("115"), kBeside, kCoupon};
  for (const char* p : kSteps) terms.percents.push_back(D(p));
  const BondYield y = ConvertibleYield(D("78.8"), Day("2021-07-27"), terms, D("3"));
  const char* expected[] = {"2022-04-02 1.00 0.80", "2023-04-02 1.50 1.20", "2024-04-02 1.80 1.44",
                            "2025-04-02 117.00 116.60"};
  ASSERT_EQ(y.flows.size(), std::size(expected));
  for (std::size_t i = 0; i < y.flows.size(); ++i) {
    const BondFlow& f = y.flows[i];
    EXPECT_EQ(IsoText(f.date) + " " + f.beforeTax.Text(2) + " " + f.afterTax.Text(2), expected[i]);
  }
}

TEST(ConvertibleYield, FloorTooSmallForAPremium) {
  // 100 years at 100 %: the redemption of 0.001 is worth 10^-33 today.
  BondTerms terms{Day("2000-01-01"), Day("2100-01-01"), std::vector<Decimal>(100, Decimal()), D("0.001"), kIn, kCoupon};
  const BondYield y = ConvertibleYield(D("1"), Day("2000-01-01"), terms, D("100"));
  EXPECT_EQ(y.bondFloor.Text(2), "0.00");
  EXPECT_FALSE(y.premiumPercent.has_value());
}

TEST(ConvertibleYield, TermsOutsideTheRulesAreRefused) {
  BondTerms terms{Day("2021-06-15"), Day("2027-06-15"), {}, D("115"), kIn, kCoupon};
  for (const char* p : kSteps) terms.percents.push_back(D(p));
  EXPECT_THROW(ConvertibleYield(D("100"), Day("2027-06-15"), terms, D("3")), CalcError);  // bought at maturity
  EXPECT_THROW(ConvertibleYield(D("100"), Day("2021-06-14"), terms, D("3")), CalcError);  // before interest
  EXPECT_THROW(ConvertibleYield(D("100"), Day("2025-01-10"), terms, D("100.01")), CalcError);
  BondTerms fiveRates = terms;
  fiveRates.percents.pop_back();
  EXPECT_THROW(ConvertibleYield(D("100"), Day("2025-01-10"), fiveRates, D("3")), CalcError);
  BondTerms offDay = terms;
  offDay.maturity = Day("2027-06-16");
  EXPECT_THROW(ConvertibleYield(D("100"), Day("2025-01-10"), offDay, D("3")), CalcError);
}

// The large figures of the screenshots pass every check and give figures.
TEST(ConvertibleYield, LargeFiguresAreAccepted) {
  TestHost host;
  App app(host);
  Screen& s = app.Get("Form51");
  for (const figures::Figure& f : figures::kLargeFigures) {
    if (f.screen == "Form51") s.text(f.field) = std::string(f.text);
  }
  s.Click("Command1");
  EXPECT_TRUE(host.messages.empty()) << (host.messages.empty() ? "" : host.messages.front());
  EXPECT_EQ(s.rows("Table1").size(), 30u);
  EXPECT_EQ(s.text("Text8"), "30.016");
  EXPECT_NE(s.text("Text10"), "无");
}

}  // namespace
}  // namespace hc
