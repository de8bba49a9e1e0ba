// The nineteen financial ratio screens, each rule swept over every one of
// them: the order and wording of the prompts, unchecked inputs reading as 0,
// zero denominators, the cleaning of each input, clearing, placement and
// keyboard. The back buttons are in navigation_test.cpp. The worked examples of each ratio are in tests/scripts/ratios_*.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "shell/app.h"
#include "tests/test_host.h"

namespace hc {
namespace {

struct Check {
  const char* field;
  const char* message;
};

using Inputs = std::vector<std::pair<const char*, const char*>>;

struct Member {
  const char* screen;
  const char* menu;
  std::vector<const char*> inputs;  // in cleaning order
  std::vector<Check> checks;        // in checking order
  const char* result;
  const char* days;  // the turnover-period label, or nullptr
  // Inputs, over a screen whose inputs all read 4, that make a denominator 0.
  std::vector<Inputs> zeroDenominators;
};

const std::vector<Member>& Members() {
  static const std::vector<Member> kMembers = {
      {"Form16", "Form15", {"Text1", "Text2"},
       {{"Text1", "请输入流动资产合计！"}, {"Text2", "请输入流动负债合计！"}}, "Text3", nullptr,
       {{{"Text2", "0"}}, {{"Text2", "abc"}}}},
      {"Form17", "Form15", {"Text1", "Text2", "Text3", "Text4", "Text6"},
       {{"Text1", "请输入流动资产合计！"}, {"Text2", "请输入存货净额！"}, {"Text6", "请输入流动负债合计！"}},
       "Text5", nullptr, {{{"Text6", "0"}}}},
      {"Form18", "Form15", {"Text1", "Text2", "Text3"},
       {{"Text1", "请输入货币资金！"}, {"Text3", "请输入流动负债合计！"}}, "Text4", nullptr, {{{"Text3", "0元"}}}},
      {"Form19", "Form15", {"Text1", "Text2", "Text3", "Text4"},
       {{"Text1", "请输入货币资金！"}, {"Text4", "请输入非流动负债合计！"}}, "Text5", nullptr,
       {{{"Text4", "0"}}}},
      {"Form20", "Form15", {"Text1", "Text2", "Text3", "Text4"},
       {{"Text1", "请输入资产总计！"}, {"Text4", "请输入负债合计！"}}, "Text5", nullptr, {{{"Text4", "0%"}}}},
      {"Form21", "Form15", {"Text1", "Text2"}, {{"Text1", "请输入利润总额！"}, {"Text2", "请输入财务费用！"}},
       "Text3", nullptr, {{{"Text2", "0"}}}},
      // A flow of 0 on the two screens with a turnover period: the days
      // divide by a turnover of 0, and the turnover is not written either.
      {"Form25", "Form22", {"Text1", "Text2", "Text3"},
       {{"Text1", "请输入营业成本！"}, {"Text2", "请输入年初存货！"}, {"Text3", "请输入年末存货！"}}, "Text4",
       "Label5", {{{"Text2", "0"}, {"Text3", "0"}}, {{"Text3", "-4"}}, {{"Text1", "0"}}}},
      {"Form26", "Form22", {"Text1", "Text2", "Text3"},
       {{"Text1", "请输入当期销售净收入！"},
        {"Text2", "请输入期初应收帐款余额！"},
        {"Text3", "请输入期末应收帐款余额！"}},
       "Text4", "Label6", {{{"Text2", "-4"}}, {{"Text1", "0"}}}},
      {"Form27", "Form22", {"Text1", "Text2", "Text3"},
       {{"Text1", "请输入销售收入！"}, {"Text2", "请输入期初流动资产！"}, {"Text3", "请输入期末流动资产！"}},
       "Text4", nullptr, {{{"Text2", "0"}, {"Text3", "0"}}}},
      {"Form28", "Form22", {"Text1", "Text2", "Text3"},
       {{"Text1", "请输入销售收入净额！"}, {"Text2", "请输入期初固定资产！"}, {"Text3", "请输入期末固定资产！"}},
       "Text4", nullptr, {{{"Text2", "1.5"}, {"Text3", "-1.5"}}}},
      {"Form29", "Form22", {"Text1", "Text2", "Text3"},
       {{"Text1", "请输入销售收入总额！"}, {"Text2", "请输入年初总资产！"}, {"Text3", "请输入年末总资产！"}},
       "Text4", nullptr, {{{"Text2", "0"}, {"Text3", "x"}}}},
      {"Form30", "Form23", {"Text1", "Text2"}, {{"Text1", "请输入营业利润！"}, {"Text2", "请输入营业收入！"}},
       "Text3", nullptr, {{{"Text2", "0"}}}},
      {"Form31", "Form23", {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"},
       {{"Text1", "请输入利润总额！"},
        {"Text2", "请输入主营业务成本！"},
        {"Text4", "请输入销售费用！"},
        {"Text5", "请输入管理费用！"}},
       "Text7", nullptr, {{{"Text2", "-16"}}, {{"Text3", ""}, {"Text6", "-12"}}}},
      {"Form32", "Form23", {"Text1", "Text2"}, {{"Text1", "请输入经营现金流量净额！"}, {"Text2", "请输入净利润！"}},
       "Text3", nullptr, {{{"Text2", "0"}}}},
      {"Form33", "Form23", {"Text1", "Text2", "Text3", "Text4"},
       {{"Text1", "请输入利润总额！"}, {"Text3", "请输入期初资产总额！"}, {"Text4", "请输入期末资产总额！"}},
       "Text5", nullptr, {{{"Text3", "0"}, {"Text4", "0"}}, {{"Text4", "-4"}}}},
      {"Form34", "Form23", {"Text1", "Text2", "Text3"},
       {{"Text1", "请输入净利润(销售收入)！"},
        {"Text2", "请输入年初净资产(年初股东权益合计)！"},
        {"Text3", "请输入年末净资产(年末股东权益合计)！"}},
       "Text4", nullptr, {{{"Text2", "-4"}}}},
      {"Form35", "Form23", {"Text1", "Text2"}, {{"Text1", "请输入净利润！"}, {"Text2", "请输入资产总额！"}},
       "Text3", nullptr, {{{"Text2", "0"}}}},
      {"Form36", "Form24", {"Text1", "Text2"}, {{"Text1", "请输入股东权益！"}, {"Text2", "请输入资产总额！"}},
       "Text3", nullptr, {{{"Text2", "0"}}}},
      {"Form37", "Form24", {"Text1", "Text2", "Text3", "Text4", "Text5"},
       {{"Text1", "请输入股东权益！"}, {"Text2", "请输入固定资产净值！"}, {"Text5", "请输入资产总额！"}},
       "Text6", nullptr, {{{"Text5", "0"}}}},
  };
  return kMembers;
}

// A fresh program with the member's screen created.
struct Fixture {
  explicit Fixture(const Member& m) : app(host), s(app.Get(m.screen)) {}
  // Every input set to the same text.
  void Fill(const Member& m, const char* value) {
    // Moved in as a new string: GCC 12 at -O3 sees a false overlap (-Wrestrict)
    // in the assignment from a C string.
    for (const char* field : m.inputs) s.text(field) = std::string(value);
  }
  TestHost host;
  App app;
  Screen& s;
};

bool IsChecked(const Member& m, std::string_view field) {
  for (const Check& c : m.checks) {
    if (field == c.field) return true;
  }
  return false;
}

TEST(RatioScreens, AreTheNineteenMembers) {
  EXPECT_EQ(Members().size(), 19u);
  for (const Member& m : Members()) {
    Fixture f(m);
    EXPECT_EQ(f.s.text(m.result), "比率") << m.screen;
    EXPECT_TRUE(f.s.At(m.result).readOnly) << m.screen;
    for (const char* field : m.inputs) EXPECT_FALSE(f.s.At(field).readOnly) << m.screen << "." << field;
    if (m.days != nullptr) {
      EXPECT_EQ(f.s.text(m.days), "") << m.screen;
    }
  }
}

TEST(RatioScreens, PromptForTheFirstEmptyCheckedFieldAndWriteNothing) {
  for (const Member& m : Members()) {
    Fixture f(m);
    f.Fill(m, "");
    for (const Check& check : m.checks) {
      f.s.Click("Command1");
      EXPECT_EQ(f.host.messages, std::vector<std::string>{check.message}) << m.screen << "." << check.field;
      EXPECT_EQ(f.s.text(m.result), "比率") << m.screen;
      if (m.days != nullptr) {
        EXPECT_EQ(f.s.text(m.days), "") << m.screen;
      }
      f.host.Forget();
      f.s.text(check.field) = "4";
    }
    // The unchecked inputs may stay empty: they count as 0.
    f.s.Click("Command1");
    EXPECT_TRUE(f.host.messages.empty()) << m.screen;
    EXPECT_TRUE(f.host.errors.empty()) << m.screen;
    const std::string empty = f.s.text(m.result);
    EXPECT_NE(empty, "比率") << m.screen;
    for (const char* field : m.inputs) {
      if (!IsChecked(m, field)) f.s.text(field) = "0";
    }
    f.s.Click("Command1");
    EXPECT_EQ(f.s.text(m.result), empty) << m.screen;
  }
}

// The prompts name the field by its caption: "请输入" + the caption without
// its colon + "！". Three prompts use another name of the same figure.
TEST(RatioScreens, PromptsNameTheFieldsCaption) {
  const std::vector<std::pair<std::string, std::string>> otherNames = {
      {"Form31", "Text2"}, {"Form34", "Text2"}, {"Form34", "Text3"}};
  for (const Member& m : Members()) {
    Fixture f(m);
    ASSERT_FALSE(m.checks.empty());
    EXPECT_STREQ(m.checks.front().field, "Text1") << m.screen;
    for (const Check& check : m.checks) {
      if (std::find(otherNames.begin(), otherNames.end(), std::pair<std::string, std::string>(m.screen, check.field)) !=
          otherNames.end()) {
        continue;
      }
      std::string caption = f.s.text("Label" + std::string(check.field).substr(4));
      const std::string colon = "：";
      ASSERT_TRUE(caption.ends_with(colon)) << m.screen << " " << caption;
      caption.resize(caption.size() - colon.size());
      EXPECT_EQ(check.message, "请输入" + caption + "！") << m.screen << "." << check.field;
    }
  }
}

TEST(RatioScreens, ZeroDenominatorStopsWithNothingWritten) {
  for (const Member& m : Members()) {
    for (const Inputs& zero : m.zeroDenominators) {
      Fixture f(m);
      f.Fill(m, "4");
      f.s.Click("Command1");
      ASSERT_TRUE(f.host.errors.empty()) << m.screen;
      const std::string result = f.s.text(m.result);
      const std::string days = m.days != nullptr ? f.s.text(m.days) : "";
      for (const auto& [field, value] : zero) f.s.text(field) = value;
      f.s.Click("Command1");
      EXPECT_EQ(f.host.errors, std::vector<ErrorKind>{ErrorKind::DivisionByZero}) << m.screen;
      EXPECT_TRUE(f.host.messages.empty()) << m.screen;
      EXPECT_EQ(f.s.text(m.result), result) << m.screen;
      if (m.days != nullptr) {
        EXPECT_EQ(f.s.text(m.days), days) << m.screen;
      }
      // The screen goes on working.
      f.host.Forget();
      f.Fill(m, "8");
      f.s.Click("Command1");
      EXPECT_TRUE(f.host.errors.empty()) << m.screen;
    }
  }
}

// The first input loses its 元 and its decimal marks but keeps a "%", which
// reading then ignores; every later input loses both units.
TEST(RatioScreens, CleanEachInputInPlace) {
  struct Typed {
    const char* text;
    const char* cleanedFirst;
    const char* cleanedLater;
  };
  const Typed typed[] = {
      {"4元", "4", "4"},      {"4%", "4%", "4"},          {"4,000", "4.000", "4.000"},
      {"4。0元", "4.0", "4.0"}, {"4，0%元", "4.0%", "4.0"}, {"4元%", "4%", "4"},
  };
  for (const Member& m : Members()) {
    Fixture f(m);
    f.Fill(m, "4");
    f.s.Click("Command1");
    const std::string plain = f.s.text(m.result);
    bool first = true;
    for (const char* field : m.inputs) {
      for (const Typed& t : typed) {
        f.s.text(m.result) = "比率";
        f.s.text(field) = t.text;
        f.s.Click("Command1");
        const std::string where = std::string(m.screen) + "." + field + " '" + t.text + "'";
        EXPECT_EQ(f.s.text(field), first ? t.cleanedFirst : t.cleanedLater) << where;
        EXPECT_EQ(f.s.text(m.result), plain) << where;
        EXPECT_TRUE(f.host.messages.empty() && f.host.errors.empty()) << where;
      }
      f.s.text(field) = "4";
      first = false;
    }
    // A field that holds only a unit is empty once cleaned.
    f.s.text(m.inputs.front()) = "元";
    f.s.Click("Command1");
    EXPECT_EQ(f.host.messages, std::vector<std::string>{m.checks.front().message}) << m.screen;
    EXPECT_EQ(f.s.text(m.inputs.front()), "") << m.screen;
  }
}

TEST(RatioScreens, ClearEmptiesEveryTextFieldAndNoLabel) {
  for (const Member& m : Members()) {
    Fixture f(m);
    f.Fill(m, "4");
    f.s.Click("Command1");  // the days label, where there is one, gets a text
    std::vector<std::string> labels;
    for (const Control& c : f.s.controls()) {
      if (c.kind() == Kind::Label) labels.push_back(c.text);
    }
    if (m.days != nullptr) {
      EXPECT_FALSE(f.s.text(m.days).empty()) << m.screen;
    }
    f.s.Click("Command2");
    std::vector<std::string> after;
    for (const Control& c : f.s.controls()) {
      if (c.kind() == Kind::Label) after.push_back(c.text);
      if (c.kind() == Kind::Text) {
        EXPECT_EQ(c.text, "") << m.screen << "." << c.name();
      }
    }
    EXPECT_EQ(after, labels) << m.screen;
    f.s.Click("Command1");
    EXPECT_EQ(f.host.messages, std::vector<std::string>{m.checks.front().message}) << m.screen;
  }
}

TEST(RatioScreens, OpenWhereTheirMenuStands) {
  for (const Member& m : Members()) {
    TestHost host;
    App app(host);
    app.Get(m.menu).NoteMovedByUser(1230, 4560);
    Screen& s = app.Get(m.screen);
    EXPECT_EQ(s.top(), 1230) << m.screen;
    EXPECT_EQ(s.left(), 4560) << m.screen;
  }
}

// Enter presses the calculate button; Tab walks the inputs as they stand in
// the window, row by row, then the buttons.
TEST(RatioScreens, KeyboardOrder) {
  for (const Member& m : Members()) {
    Fixture f(m);
    EXPECT_EQ(f.s.layout().defaultButton, "Command1") << m.screen;
  }
  const std::vector<std::pair<const char*, std::vector<std::string_view>>> orders = {
      {"Form17", {"Text1", "Text2", "Text3", "Text4", "Text6", "Command1", "Command2", "Command3"}},
      {"Form31", {"Text1", "Text4", "Text2", "Text5", "Text3", "Text6", "Command1", "Command2", "Command3"}},
  };
  for (const auto& [screen, expected] : orders) {
    TestHost host;
    App app(host);
    const auto order = app.Get(screen).layout().tabOrder;
    EXPECT_EQ(std::vector<std::string_view>(order.begin(), order.end()), expected) << screen;
  }
}

}  // namespace
}  // namespace hc
