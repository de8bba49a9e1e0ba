// What a Chinese input method types in full-width mode reads as the plain
// number the user meant, in every cleaning list.
#include <gtest/gtest.h>

#include <string>

#include "numeric/numeric.h"

namespace hc {
namespace {

struct WidthCase {
  const char* in;
  const PairList* pairs;
  const char* cleaned;
  double value;
};

TEST(CleanNumberText, TurnsFullWidthFormsPlainBeforeThePairs) {
  const WidthCase cases[] = {
      {"１２．５", &kMoneyMarks, "12.5", 12.5},
      {"－３", &kMoneyMarks, "-3", -3},
      {"−３", &kMoneyMarks, "-3", -3},  // U+2212, the minus sign
      {"＋７", &kMoneyMarks, "+7", 7},
      {"３％", &kMoneyOrPercentMarks, "3", 3},
      {"３％", &kRateMarks, "3", 3},
      {"３％", &kMoneyMarks, "3%", 3},  // a list without the percent removal keeps it
      {"　１０　", &kMoneyMarks, " 10 ", 10},
      {"１，５元", &kMoneyMarks, "1.5", 1.5},  // the full-width comma stays a decimal mark
      {"１０。５", &kMoneyMarks, "10.5", 10.5},
      {"２０倍", &kMultipleMarks, "20", 20},
      {"１０００股", &kShareMarks, "1000", 1000},
      {"１２个", &kPeriodMarks, "12", 12},
      {"ａ１", &kMoneyMarks, "ａ1", 0},  // full-width letters are not digits
      {"１２\xEF\xBC", &kMoneyMarks, "12\xEF\xBC", 12},  // a cut-off sequence stays as it is
  };
  for (const WidthCase& c : cases) {
    std::string field = c.in;
    CleanNumberText(field, *c.pairs);
    EXPECT_EQ(field, c.cleaned) << "input '" << c.in << "'";
    EXPECT_EQ(ReadNumber(field), c.value) << "input '" << c.in << "'";
  }
}

TEST(CleanNumberText, LeavesAnEmptyFieldEmpty) {
  std::string field;
  CleanNumberText(field, kMoneyMarks);
  EXPECT_TRUE(IsMissing(field));
  field = "元";
  CleanNumberText(field, kMoneyMarks);
  EXPECT_TRUE(IsMissing(field));
}

}  // namespace
}  // namespace hc
