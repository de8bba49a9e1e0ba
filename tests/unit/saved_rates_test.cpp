// The fee rates a user saves as the defaults: what a start brings back,
// what it refuses, and what saving and restoring on the trading-costs
// screen do, with a host that holds the saved rates as the user's
// settings would.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/app.h"
#include "tests/test_host.h"

namespace hc {
namespace {

constexpr const char* kRateFields[] = {"Text4", "Text5", "Text6", "Text7"};

std::vector<std::string> RateTextsOf(Screen& costs) {
  std::vector<std::string> out;
  for (const char* f : kRateFields) out.push_back(costs.text(f));
  return out;
}

// Every field and label of a screen, in order.
std::vector<std::string> TextsOf(Screen& s) {
  std::vector<std::string> out;
  for (const Control& c : s.controls()) out.push_back(std::string(c.name()) + "=" + c.text);
  return out;
}

const SavedRates kFreeOfFive{"1", "0", "5", "0.1"};  // 万分之1, no minimum

TEST(SavedRates, StartBringsBackValidRatesAndRefusesOthers) {
  struct Case {
    const char* what;
    std::optional<SavedRates> saved;
    std::vector<std::string> onForm40;
    bool refused;
  };
  const std::vector<std::string> load{"2.5", "5", "5", "0.1"};
  const Case cases[] = {
      {"nothing saved", std::nullopt, load, false},
      {"免五", kFreeOfFive, {"1", "0", "5", "0.1"}, false},
      {"a rate not a number", SavedRates{"abc", "0", "5", "0.1"}, load, true},
      {"a rate of 1 %", SavedRates{"100", "0", "5", "0.1"}, load, true},
      {"a negative minimum", SavedRates{"1", "-1", "5", "0.1"}, load, true},
      {"a rate missing", SavedRates{"1", "0", "", "0.1"}, load, true},
      {"an ambiguous comma", SavedRates{"1", "0", "5", "1,000"}, load, true},
  };
  for (const Case& c : cases) {
    TestHost host;
    host.savedRates = c.saved;
    App app(host);
    app.Start();
    EXPECT_EQ(RateTextsOf(app.Get("Form40")), c.onForm40) << c.what;
    const std::vector<std::string> said =
        c.refused ? std::vector<std::string>{"保存的费率无效，已使用默认费率。"} : std::vector<std::string>{};
    EXPECT_EQ(host.messages, said) << c.what;
    EXPECT_EQ(host.savedRates.has_value(), c.saved.has_value()) << c.what << ": a start removes nothing";
  }
}

// A tool pressed before the trading-costs screen was ever opened computes
// at the saved rates, as if they had been typed there.
TEST(SavedRates, ToolsUseThemFromTheirFirstPress) {
  for (const char* tool : {"Form43", "Form44"}) {
    TestHost savedHost;
    savedHost.savedRates = kFreeOfFive;
    App saved(savedHost);
    saved.Start();
    saved.Get(tool).Show();
    saved.Get(tool).Click("Command1");
    ASSERT_EQ(saved.Existing("Form40"), nullptr);

    TestHost typedHost;
    App typed(typedHost);
    typed.Start();
    Screen& costs = typed.Get("Form40");
    for (std::size_t i = 0; i < std::size(kRateFields); ++i) {
      costs.text(kRateFields[i]) = RateTextsOf(saved.Get("Form40"))[i];
    }
    typed.Get(tool).Show();
    typed.Get(tool).Click("Command1");
    EXPECT_EQ(TextsOf(saved.Get(tool)), TextsOf(typed.Get(tool))) << tool;
    EXPECT_EQ(savedHost.messages, typedHost.messages) << tool;

    TestHost loadHost;
    App atLoad(loadHost);
    atLoad.Start();
    atLoad.Get(tool).Show();
    atLoad.Get(tool).Click("Command1");
    EXPECT_NE(TextsOf(saved.Get(tool)), TextsOf(atLoad.Get(tool))) << tool << ": the rates make no difference";
  }
}

TEST(SavedRates, SavingAndRestoring) {
  TestHost host;
  App app(host);
  app.Start();
  Screen& costs = app.Get("Form40");
  costs.Show();
  costs.text("Text4") = " 0.01% ";
  costs.text("Text5") = "0";
  costs.Click("Command4");
  EXPECT_EQ(host.messages, std::vector<std::string>{"费率已保存，下次启动时自动使用。"});
  ASSERT_TRUE(host.savedRates.has_value());
  EXPECT_EQ(host.savedRates->commission, costs.text("Text4")) << "saved as cleaned";
  EXPECT_EQ(host.savedRates->minimum, "0");

  // The next start brings them back.
  {
    TestHost next;
    next.savedRates = host.savedRates;
    App again(next);
    again.Start();
    EXPECT_EQ(RateTextsOf(again.Get("Form40")), RateTextsOf(costs));
    EXPECT_TRUE(next.messages.empty());
  }

  // A rate the field refuses is said and nothing is saved.
  host.Forget();
  const SavedRates before = *host.savedRates;
  costs.text("Text6") = "100";
  costs.Click("Command4");
  EXPECT_EQ(host.messages, std::vector<std::string>{"印花税率必须小于100！"});
  EXPECT_EQ(host.savedRates->stampDuty, before.stampDuty);

  // A settings store that cannot be written is said, not taken for saved.
  host.Forget();
  costs.text("Text6") = "5";
  host.ratesSaveSucceeds = false;
  costs.Click("Command4");
  EXPECT_EQ(host.messages, std::vector<std::string>{"费率未能保存：无法写入用户配置。"});
  EXPECT_EQ(host.savedRates->stampDuty, before.stampDuty);

  // Restoring puts the load texts back and forgets the saved rates, also
  // for the tools not yet opened.
  host.Forget();
  costs.Click("Command5");
  EXPECT_EQ(host.messages, std::vector<std::string>{"已恢复默认费率。"});
  EXPECT_EQ(RateTextsOf(costs), (std::vector<std::string>{"2.5", "5", "5", "0.1"}));
  EXPECT_FALSE(host.savedRates.has_value());
  EXPECT_EQ(app.startRates().commission, "2.5");
}

}  // namespace
}  // namespace hc
