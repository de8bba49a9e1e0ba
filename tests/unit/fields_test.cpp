// The tool screens' fields by kind: what each cleaning keeps, converts and
// leaves alone, and how a cleaned text is read at the limits of the exact
// type. Also the exact comparison and division those reads rely on.
#include <gtest/gtest.h>

#include <string>

#include "numeric/decimal.h"
#include "numeric/fields.h"

namespace hc {
namespace {

Decimal D(std::string_view text) { return *Decimal::Parse(text); }

TEST(Fields, CleaningByKind) {
  struct Case {
    const char* typed;
    FieldKind kind;
    const char* cleaned;
  };
  const Case cases[] = {
      // Blanks of every sort trimmed at both ends, inner ones kept.
      {" 10元 ", FieldKind::Price, "10"},
      {"12.5\n", FieldKind::Price, "12.5"},
      {"12.5\r\n", FieldKind::Price, "12.5"},
      {"\t10.15\t", FieldKind::Price, "10.15"},
      {"　10.15", FieldKind::Price, "10.15"},
      // What pasting from a web page brings: no-break, zero-width, byte-order mark.
      {"\u00A012.5\u00A0", FieldKind::Price, "12.5"},
      {"\u200B10\u200B", FieldKind::Count, "10"},
      {"\uFEFF2.5\u00A0", FieldKind::Rate, "2.5"},
      {"\uFEFF \u200B1万\u00A0", FieldKind::Count, "10000"},
      {"1\u00A0000", FieldKind::Count, "1\u00A0000"},
      {"1 000", FieldKind::Count, "1 000"},
      {"   ", FieldKind::Price, ""},
      // Decimal marks and full-width forms.
      {"10。5", FieldKind::Price, "10.5"},
      {"０．１", FieldKind::CostPrice, "0.1"},
      {"－３", FieldKind::CostPrice, "-3"},
      // Counts and amounts: units go, 万 and 亿 multiply exactly.
      {"1万", FieldKind::Count, "10000"},
      {"1.5万股", FieldKind::Count, "15000"},
      {"1.23456万", FieldKind::Count, "12345.6"},
      {"2亿", FieldKind::Count, "200000000"},
      {"1万亿", FieldKind::Amount, "1000000000000"},
      {"0.5万亿元", FieldKind::Amount, "500000000000"},
      {"10张", FieldKind::Count, "10"},
      {"31天", FieldKind::Count, "31"},
      {"3万元", FieldKind::Amount, "30000"},
      {"0.00001万", FieldKind::Amount, "0.1"},
      {"1 万", FieldKind::Count, "10000"},
      {"abc万", FieldKind::Count, "abc万"},
      {"万", FieldKind::Count, "万"},
      // Rates per ten thousand: percent and per mille converted.
      {"0.025%", FieldKind::Rate, "2.5"},
      {"0.05%", FieldKind::Rate, "5"},
      {"万分之2.5", FieldKind::Rate, "2.5"},
      {"2.5万", FieldKind::Rate, "2.5"},
      {"2.5‱", FieldKind::Rate, "2.5"},
      {"0.5‰", FieldKind::Rate, "5"},
      {"-0.01%", FieldKind::Rate, "-1"},
      {"2.5", FieldKind::Rate, "2.5"},
      // A unit that does not belong to the kind stays.
      {"5%", FieldKind::Price, "5%"},
      {"5元", FieldKind::Percent, "5元"},
      {"5%", FieldKind::Percent, "5"},
      {"1万", FieldKind::Price, "1万"},
  };
  for (const Case& c : cases) {
    std::string s = c.typed;
    CleanField(s, c.kind);
    EXPECT_EQ(s, c.cleaned) << c.typed;
  }
}

// Thousands separators by kind: removed in counts and amounts; in prices,
// cost prices, percentages and rates only before a "." part, a grouping
// without one kept as typed and asked about. A comma that does not group
// by threes is a decimal point.
TEST(Fields, ThousandsSeparators) {
  struct Case {
    const char* typed;
    FieldKind kind;
    const char* cleaned;
    const char* valueOrMessage;  // read as the kind reads it, named 数
  };
  constexpr const char* kAsked = "数中的逗号有歧义：千位分隔请去掉逗号，小数点请用“.”！";
  const Case cases[] = {
      {"10,000", FieldKind::Count, "10000", "10000"},
      {"1,234,567股", FieldKind::Count, "1234567", "1234567"},
      {"1，000", FieldKind::Count, "1000", "1000"},
      {"1,000，000", FieldKind::Count, "1000000", "1000000"},
      {"1,000万", FieldKind::Count, "10000000", "10000000"},
      {"1,000.5", FieldKind::Count, "1000.5", "数必须是1到1000000000之间的整数！"},
      {"10,000元", FieldKind::Amount, "10000", "10000"},
      {"-1,234.5", FieldKind::Amount, "-1234.5", "-1234.5"},
      {"10,000.", FieldKind::Amount, "10000.", "10000"},
      {"1,234.50", FieldKind::Price, "1234.50", "1234.50"},
      {"1,234", FieldKind::Price, "1,234", kAsked},
      {"1，234元", FieldKind::Price, "1，234", kAsked},
      {"1,234,567", FieldKind::Price, "1,234,567", kAsked},
      {"-1,234", FieldKind::CostPrice, "-1,234", kAsked},
      {"-1,234.5", FieldKind::CostPrice, "-1234.5", "-1234.5"},
      {"1,234%", FieldKind::Percent, "1,234", kAsked},
      {"1,234%", FieldKind::Rate, "1,234%", kAsked},
      {"1,234‱", FieldKind::Rate, "1,234", kAsked},
      // Not grouped by threes: the comma is a decimal point, as before.
      {"12,5", FieldKind::Count, "12.5", "数必须是1到1000000000之间的整数！"},
      {"12,50", FieldKind::Price, "12.50", "12.50"},
      {"0,025%", FieldKind::Rate, "2.5", "2.5"},
      {"0,025", FieldKind::Price, "0.025", "0.03"},
      {"012,345", FieldKind::Price, "012.345", "12.35"},
      {"1,2345", FieldKind::Count, "1.2345", "数必须是1到1000000000之间的整数！"},
      {"1234,567", FieldKind::Count, "1234.567", "数必须是1到1000000000之间的整数！"},
      {"1,234,56", FieldKind::Count, "1.234.56", "数不是有效数字！"},
      {"1,234,5.6", FieldKind::Price, "1.234.5.6", "数不是有效数字！"},
      {"1,234.5,6", FieldKind::Price, "1.234.5.6", "数不是有效数字！"},
      {"1, 234", FieldKind::Count, "1. 234", "数不是有效数字！"},
  };
  for (const Case& c : cases) {
    std::string s = c.typed;
    CleanField(s, c.kind);
    EXPECT_EQ(s, c.cleaned) << c.typed;
    FieldRead r;
    switch (c.kind) {
      case FieldKind::Count: r = ReadCount(s, "数"); break;
      case FieldKind::Price: r = ReadPrice(s, "数", 2); break;
      case FieldKind::CostPrice: r = ReadCostPrice(s, "数"); break;
      default: r = ReadInRange(s, "数", Bound{D("-1000000")}, "下限", Bound{D("1000000")}, "上限"); break;
    }
    EXPECT_EQ(r ? r->Text(c.kind == FieldKind::Price ? 2 : r->scale()) : r.message, c.valueOrMessage) << c.typed;
    std::string again = s;
    CleanField(again, c.kind);
    EXPECT_EQ(again, s) << c.typed << ": cleaning twice";
  }
}

TEST(Fields, ChecksAndMessages) {
  struct Case {
    const char* text;
    char kind;  // p price (tick 0.01), f price (tick 0.001), c cost, n count 1..10^9
    const char* valueOrMessage;
  };
  const Case cases[] = {
      {"", 'p', "请输入买入价！"},
      {"abc", 'p', "买入价不是有效数字！"},
      {"1e3", 'p', "买入价不是有效数字！"},
      {"1 000", 'p', "买入价不是有效数字！"},
      {"--1", 'p', "买入价不是有效数字！"},
      {".5", 'p', "0.50"},
      {"5.", 'p', "5.00"},
      {"+10", 'p', "10.00"},
      {"10.005", 'p', "10.01"},
      {"10.0005", 'f', "10.001"},
      {"0.004", 'p', "买入价必须大于0！"},
      {"0.004", 'f', "0.004"},
      {"-1", 'p', "买入价必须大于0！"},
      {"100000.004", 'p', "100000.00"},
      {"100000.005", 'p', "买入价不能大于100000！"},
      // Plain decimals beyond the exact type are never "not a number".
      {"10.0000000000000000000000000000001", 'p', "10.00"},
      {"1234567890123456789012345678901234567890", 'p', "买入价不能大于100000！"},
      {"-1234567890123456789012345678901234567890", 'p', "买入价必须大于0！"},
      {"0.0000000000000000000000000000001", 'p', "买入价必须大于0！"},
      {"0.0000000000000000000000000000005", 'c', "0.000000000000000000000000000001"},
      {"-0", 'c', "0"},
      {"-100000", 'c', "-100000"},
      {"-100000.0000000000000000000000000000001", 'c', "-100000"},
      {"-100000.001", 'c', "持仓成本价必须在-100000到100000之间！"},
      // Every decimal up to the 30th used exactly, also beside a long whole part.
      {"20.000499999999999999999999999", 'c', "20.000499999999999999999999999"},
      {"99999.999999999999999999999999999999", 'c', "99999.999999999999999999999999999999"},
      {"99999.9999999999999999999999999999995", 'c', "100000"},
      {"99999.9999999999999999999999999999996", 'c', "100000"},
      {"100000.0000000000000000000000000000005", 'c', "持仓成本价必须在-100000到100000之间！"},
      {"999999999.000000000000000000000000000001", 'n', "持仓股数必须是1到1000000000之间的整数！"},
      {"99999999.000000000000000000000000000001", 'n', "持仓股数必须是1到1000000000之间的整数！"},
      {"5.0000000000000000000000000000000000001", 'n', "持仓股数必须是1到1000000000之间的整数！"},
      {"4.9999999999999999999999999999999999999", 'n', "持仓股数必须是1到1000000000之间的整数！"},
      {"1000", 'n', "1000"},
      {"1000.000000000000000000000000000000", 'n', "1000"},
      {"1000.0000000000000000000000000000000000000", 'n', "1000"},
      {"0", 'n', "持仓股数必须是1到1000000000之间的整数！"},
      {"0.5", 'n', "持仓股数必须是1到1000000000之间的整数！"},
      {"1000000000", 'n', "1000000000"},
      {"1000000001", 'n', "持仓股数必须是1到1000000000之间的整数！"},
      {"99999999999999999999999999999999999999999", 'n', "持仓股数必须是1到1000000000之间的整数！"},
  };
  for (const Case& c : cases) {
    FieldRead r;
    int decimals = -1;  // the value's own
    switch (c.kind) {
      case 'p': r = ReadPrice(c.text, "买入价", 2), decimals = 2; break;
      case 'f': r = ReadPrice(c.text, "买入价", 3), decimals = 3; break;
      case 'c': r = ReadCostPrice(c.text, "持仓成本价"); break;
      default: r = ReadCount(c.text, "持仓股数"); break;
    }
    if (r) {
      EXPECT_EQ(r->Text(decimals < 0 ? r->scale() : decimals), c.valueOrMessage) << c.text;
      EXPECT_TRUE(r.message.empty()) << c.text;
    } else {
      EXPECT_EQ(r.message, c.valueOrMessage) << c.text;
    }
  }
}

TEST(Fields, RangesWithTheScreensMessages) {
  const std::string_view below = "下限";
  const std::string_view above = "上限";
  struct Case {
    const char* text;
    bool lowIn, highIn;
    const char* valueOrMessage;
  };
  const Case cases[] = {
      {"0", true, true, "0"},       {"0", false, true, "下限"},  {"100", true, true, "100"},
      {"100", true, false, "上限"}, {"-0.0001", true, true, "下限"},
      {"1" "000000000000000000000000000000000000000", true, true, "上限"},
  };
  for (const Case& c : cases) {
    const FieldRead r =
        ReadInRange(c.text, "比例", Bound{D("0"), c.lowIn}, below, Bound{D("100"), c.highIn}, above);
    EXPECT_EQ(r ? r->Text(r->scale()) : r.message, c.valueOrMessage) << c.text;
  }
}

// An amount of thirteen whole digits keeps fewer than 30 decimals: rounded
// to the cent and checked against its bounds it acts as the figure typed.
TEST(Fields, LongAmountsToTheCent) {
  struct Case {
    const char* text;
    const char* centsOrMessage;
  };
  const Case cases[] = {
      {"999999999999.004999999999999999999999999999", "999999999999.00"},
      {"999999999999.005000000000000000000000000000", "999999999999.01"},
      {"-999999999999.004999999999999999999999999999", "-999999999999.00"},
      {"1000000000000.000000000000000000000000000001", "上限"},
      {"1000000000000.000000000000000000000000000000", "1000000000000.00"},
      {"-1000000000000.000000000000000000000000000001", "下限"},
      {"0.000000000000000000000000000000999", "0.00"},
  };
  for (const Case& c : cases) {
    const FieldRead r =
        ReadInRange(c.text, "金额", Bound{D("-1000000000000")}, "下限", Bound{D("1000000000000")}, "上限");
    EXPECT_EQ(r ? r->Round(2).Text(2) : r.message, c.centsOrMessage) << c.text;
  }
}

TEST(Decimal, ComparesAcrossAnyScales) {
  // 1000 with thirty zero decimals against whole numbers: no rescaling past
  // 128 bits.
  const Decimal thousand(Decimal::Int(1000) * Decimal::Int(1000000000000000) * Decimal::Int(1000000000000000), 30);
  EXPECT_TRUE(thousand == Decimal::Whole(1000));
  EXPECT_TRUE(thousand < Decimal::Whole(1000000000));
  EXPECT_TRUE(Decimal::Whole(1000000000) > thousand);
  EXPECT_TRUE(D("-0.5") < D("0.3"));
  EXPECT_TRUE(D("-1.5") < D("-1.2"));
  EXPECT_TRUE(D("-1.000000000000000000000000000001") < D("-1"));
  EXPECT_TRUE(D("99999999.999999999999999999999999999999") < Decimal::Whole(100000000));
}

TEST(Decimal, DividesBeyondTheFastRange) {
  // A cost in cents over a share count with 24 decimals: the scaled
  // dividend outgrows 128 bits, the quotient does not.
  const Decimal cost = D("999999999999999.99");
  const Decimal held = D("100000000000.000000000000000000000001");
  EXPECT_EQ(Decimal::Divide(cost, held, 3).Text(3), "10000.000");
  EXPECT_EQ(Decimal::Divide(-cost, held, 3).Text(3), "-10000.000");
  EXPECT_EQ(Decimal::Divide(D("1"), D("3.000000000000000000000000000000"), 30).Text(30),
            "0.333333333333333333333333333333");
  EXPECT_EQ(Decimal::Divide(D("2"), D("3"), 3).Text(3), "0.667");
}

}  // namespace
}  // namespace hc
