// The ex-rights rules: the reference price rounded half up to the cent, the
// whole shares a holding gets, the dividend tax by holding period (the bonus
// shares at par, the converted ones free), the cost price after and the
// change of assets. Every expected figure below was worked out by hand.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "market/ex_rights.h"
#include "tests/unit/decimal_text.h"

namespace hc {
namespace {

DistributionTerms Terms(std::string_view dividend, std::string_view bonus, std::string_view conversion,
                        std::string_view rights, std::string_view rightsPrice = "0") {
  return {D(dividend), D(bonus), D(conversion), D(rights), D(rightsPrice)};
}

TEST(ExRights, ReferencePriceRoundsHalfUpToTheCent) {
  struct Case {
    const char* close;
    DistributionTerms terms;
    const char* price;
  };
  const Case cases[] = {
      {"20.35", Terms("4", "1", "0", "2", "5.5"), "16.19"},  // 21.05 / 1.3 = 16.1923…
      {"18", Terms("0", "0", "0", "3", "6"), "15.23"},       // 19.8 / 1.3 = 15.2307…
      {"12", Terms("2", "3", "0", "2", "5"), "8.53"},        // 12.8 / 1.5 = 8.5333…
      {"36.6", Terms("1", "0", "4", "0"), "26.07"},          // 36.5 / 1.4 = 26.0714…
      {"10.05", Terms("0", "0", "10", "0"), "5.03"},         // 5.025 exactly: half up, not to even
      {"10", Terms("1", "0", "0", "0", "99999"), "9.90"},    // no rights issue: its price plays no part
      {"10", Terms("0", "1.5", "0", "0"), "8.70"},           // 10 / 1.15 = 8.6956…
      {"1", Terms("20", "0", "0", "0"), "-1.00"},            // a dividend above the price
      {"0.01", Terms("0.06", "0", "0", "0"), "0.00"},        // 0.004
      // The largest accepted terms, one figure with thirty decimals: no
      // overflow, and the tiny excess still rounds away.
      {"100000", Terms("0", "0", "0", "99.999999999999999999999999999999", "100000"), "100000.00"},
      {"100000", Terms("100", "100", "100", "100", "100000"), "35483.55"},  // 10999900 / 310
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReferencePrice(D(c.close), c.terms).Text(2), c.price) << c.close;
  }
}

// 差异化分红: each virtual figure given takes the place of the plan's in the
// reference price only.
TEST(ExRights, ReferencePriceFromTheNoticesVirtualFigures) {
  struct Case {
    const char* close;
    DistributionTerms terms;
    std::optional<const char*> virtualDividend;
    std::optional<const char*> virtualRatio;
    const char* price;
  };
  const Case cases[] = {
      {"62.39", Terms("15", "0", "0", "0"), "1.4733", std::nullopt, "60.92"},   // 奥泰生物 2025; the plan: 60.89
      {"62.39", Terms("15", "0", "0", "0"), std::nullopt, std::nullopt, "60.89"},
      {"62.39", Terms("15", "0", "0", "0"), "1.4733", "0.3", "46.86"},          // 60.9167 / 1.3
      {"20", Terms("0", "4", "0", "0"), std::nullopt, "0.39", "14.39"},         // 20 / 1.39 = 14.3884…
      {"20", Terms("5", "4", "0", "2", "5"), "0.49", "0.39", "12.90"},          // (20 − 0.49 + 1) / 1.59 = 12.899…
      {"10", Terms("1", "0", "0", "0"), "0.000000000000000000000000000005", std::nullopt, "10.00"},
  };
  for (Case c : cases) {
    if (c.virtualDividend) c.terms.virtualDividend = D(*c.virtualDividend);
    if (c.virtualRatio) c.terms.virtualShareRatio = D(*c.virtualRatio);
    EXPECT_EQ(ReferencePrice(D(c.close), c.terms).Text(2), c.price) << c.close << " " << c.virtualDividend.value_or("-");
  }
}

TEST(ExRights, WholeSharesAreRoundedDownExactly) {
  struct Case {
    const char* shares;
    const char* perTen;
    const char* whole;
  };
  const Case cases[] = {
      {"1000", "1", "100"},
      {"1234", "1.5", "185"},  // 185.1
      {"1005", "3", "301"},    // 301.5: down, not to the nearest
      {"15", "1", "1"},        // 1.5
      {"9", "1", "0"},
      {"1000000000", "200", "20000000000"},
      // 10^10 − 10^-22: a product rounded to thirty decimals would give a
      // whole share too many.
      {"1000000000", "99.999999999999999999999999999999", "9999999999"},
      {"1000000000", "0.000000000000000000000000000001", "0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WholeSharesPerTen(D(c.shares), D(c.perTen)).Text(0), c.whole) << c.shares << " × " << c.perTen;
  }
}

TEST(ExRights, HoldingAfterTheDistribution) {
  struct Case {
    const char* what;
    const char* close;
    DistributionTerms terms;
    const char* shares;
    const char* cost;
    bool subscribes;
    HoldingPeriod period;
    // price, distributed, rights shares, shares after, dividend, tax,
    // payment, cost after, value before, value after, change
    const char* expected[11];
  };
  const DistributionTerms example = Terms("4", "1", "0", "2", "5.5");
  const Case cases[] = {
      // Tax (400 + 100 × 1.00) × 10 %; cost 20750 / 1300.
      {"worked example",
       "20.35",
       example,
       "1000",
       "20",
       true,
       HoldingPeriod::UpToOneYear,
       {"16.19", "100", "200", "1300", "400.00", "50.00", "1100.00", "15.962", "20350.00", "21047.00", "-53.00"}},
      // 20800 / 1300.
      {"held a month at most",
       "20.35",
       example,
       "1000",
       "20",
       true,
       HoldingPeriod::UpToOneMonth,
       {"16.19", "100", "200", "1300", "400.00", "100.00", "1100.00", "16.000", "20350.00", "21047.00", "-103.00"}},
      // 20700 / 1300 = 15.9230…
      {"held over a year",
       "20.35",
       example,
       "1000",
       "20",
       true,
       HoldingPeriod::OverOneYear,
       {"16.19", "100", "200", "1300", "400.00", "0.00", "1100.00", "15.923", "20350.00", "21047.00", "-3.00"}},
      // 19650 / 1100 = 17.8636…; the rights given up show as a loss.
      {"not subscribing",
       "20.35",
       example,
       "1000",
       "20",
       false,
       HoldingPeriod::UpToOneYear,
       {"16.19", "100", "0", "1100", "400.00", "50.00", "0.00", "17.864", "20350.00", "17809.00", "-2191.00"}},
      // -4250 / 1300 = -3.2692…
      {"negative cost price",
       "20.35",
       example,
       "1000",
       "-5",
       true,
       HoldingPeriod::UpToOneYear,
       {"16.19", "100", "200", "1300", "400.00", "50.00", "1100.00", "-3.269", "20350.00", "21047.00", "-53.00"}},
      // (9500 − 300 + 30) / 1000.
      {"dividend only",
       "10",
       Terms("3", "0", "0", "0"),
       "1000",
       "9.5",
       true,
       HoldingPeriod::UpToOneYear,
       {"9.70", "0", "0", "1000", "300.00", "30.00", "0.00", "9.230", "10000.00", "9700.00", "-30.00"}},
      // 185.1 bonus shares; tax on 185 at par; 18528.5 / 1419 = 13.0574…
      {"fractional bonus",
       "15",
       Terms("0", "1.5", "0", "0"),
       "1234",
       "15",
       true,
       HoldingPeriod::UpToOneYear,
       {"13.04", "185", "0", "1419", "0.00", "18.50", "0.00", "13.057", "18510.00", "18503.76", "-24.74"}},
      // Bonus and conversion are rounded down together (1.5 → 1), the bonus
      // at par on its own (0.75 → 0): no tax.
      {"bonus and conversion",
       "11",
       Terms("0", "0.5", "0.5", "0"),
       "15",
       "11",
       true,
       HoldingPeriod::UpToOneMonth,
       {"10.00", "1", "0", "16", "0.00", "0.00", "0.00", "10.313", "165.00", "160.00", "-5.00"}},
      // Converted shares are not taxed; the reference price rounded up is a
      // gain of ten yuan.
      {"conversion gains a rounding",
       "10.05",
       Terms("0", "0", "10", "0"),
       "1000",
       "10",
       true,
       HoldingPeriod::UpToOneMonth,
       {"5.03", "1000", "0", "2000", "0.00", "0.00", "0.00", "5.000", "10050.00", "10060.00", "10.00"}},
      // -1334.5 / 1000: half away from zero.
      {"negative half",
       "10",
       Terms("1", "0", "0", "0"),
       "1000",
       "-1.2345",
       true,
       HoldingPeriod::OverOneYear,
       {"9.90", "0", "0", "1000", "100.00", "0.00", "0.00", "-1.335", "10000.00", "9900.00", "0.00"}},
      // The largest accepted inputs: (10^14 − 10^10 + 4 × 10^9 + 10^15) / 3.1 × 10^10.
      {"largest",
       "100000",
       Terms("100", "100", "100", "100", "100000"),
       "1000000000",
       "100000",
       true,
       HoldingPeriod::UpToOneMonth,
       {"35483.55", "20000000000", "10000000000", "31000000000", "10000000000.00", "4000000000.00",
        "1000000000000000.00", "35483.677", "100000000000000.00", "1099990050000000.00", "-3950000000.00"}},
  };
  for (const Case& c : cases) {
    const Holding holding{D(c.shares), D(c.cost), c.subscribes, c.period};
    const std::optional<ExRightsPosition> p = ExRightsOf(D(c.close), c.terms, holding);
    ASSERT_TRUE(p.has_value()) << c.what;
    const std::string shown[11] = {p->referencePrice.Text(2), p->distributedShares.Text(0), p->rightsShares.Text(0),
                                   p->sharesAfter.Text(0),    p->dividend.Text(2),          p->dividendTax.Text(2),
                                   p->rightsPayment.Text(2),  p->costPriceAfter.Text(3),    p->valueBefore.Text(2),
                                   p->valueAfter.Text(2),     p->assetChange.Text(2)};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(shown[i], c.expected[i]) << c.what << ", figure " << i;
  }
}

TEST(ExRights, NothingWithoutAPositiveReferencePrice) {
  const Holding holding{D("1000"), D("10"), true, HoldingPeriod::UpToOneYear};
  EXPECT_FALSE(ExRightsOf(D("1"), Terms("20", "0", "0", "0"), holding).has_value());
  EXPECT_FALSE(ExRightsOf(D("0.01"), Terms("0.06", "0", "0", "0"), holding).has_value());
  EXPECT_TRUE(ExRightsOf(D("0.01"), Terms("0.05", "0", "0", "0"), holding).has_value());  // 0.005 → 0.01
}

TEST(ExRights, DistributesNothingOnlyWhenEveryTermIsZero) {
  EXPECT_TRUE(DistributesNothing(Terms("0", "0", "0", "0", "5")));
  EXPECT_TRUE(DistributesNothing(Terms("0.000", "0", "0", "0")));
  EXPECT_FALSE(DistributesNothing(Terms("0", "0", "0", "0.000000000000000000000000000001")));
  EXPECT_FALSE(DistributesNothing(Terms("0.01", "0", "0", "0")));
}

}  // namespace
}  // namespace hc
