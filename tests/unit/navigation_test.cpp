// Screens and the navigation between them: every navigation button leads
// to its target, in its order, at the source's place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/app.h"
#include "tests/test_host.h"

namespace hc {
namespace {

struct Catalogue {
  const char* screen;
  const char* title;
  int width, height;
};

const Catalogue kCatalogue[] = {
    {"Form1", "衡川2.0（升级版）    作者：听风客", 4605, 3465},
    {"Form2", "涨跌幅计算--衡川2.0", 4605, 3465},
    {"Form3", "涨停价、跌停价计算--衡川2.0", 4605, 3465},
    {"Form4", "加法计算--衡川2.0", 4605, 3465},
    {"Form5", "乘法计算--衡川2.0", 4605, 3465},
    {"Form6", "股票补仓后平均成本计算--衡川2.0", 4605, 3465},
    {"Form7", "复利计算器--衡川2.0", 4560, 3465},
    {"Form8", "股票分批补仓价计算--衡川2.0", 4605, 3465},
    {"Form9", "除法计算--衡川2.0", 4605, 3465},
    {"Form11", "PE估值计算--衡川2.0", 4605, 3465},
    {"Form12", "猜猜价格--衡川2.0", 4605, 3465},
    {"Form13", "猜猜回调价格--衡川2.0", 4605, 3465},
    {"Form14", "财务分析--衡川2.0", 4605, 3465},
    {"Form15", "偿债能力分析--衡川2.0", 4605, 3465},
    {"Form16", "流动比率计算--衡川2.0", 4605, 3465},
    {"Form17", "速动比率计算--衡川2.0", 4605, 3465},
    {"Form18", "现金比率计算--衡川2.0", 4605, 3465},
    {"Form19", "资本周转率计算--衡川2.0", 4605, 3465},
    {"Form20", "清算价值比率计算--衡川2.0", 4605, 3465},
    {"Form21", "利息支付倍数计算--衡川2.0", 4605, 3465},
    {"Form22", "营运能力分析--衡川2.0", 4605, 3465},
    {"Form23", "盈利能力分析--衡川2.0", 4605, 3465},
    {"Form24", "资金实力分析--衡川2.0", 4605, 3465},
    {"Form25", "存货周转率计算--衡川2.0", 4605, 3465},
    {"Form26", "应收帐款周转率计算--衡川2.0", 4605, 3465},
    {"Form27", "流动资产周转率计算--衡川2.0", 4605, 3465},
    {"Form28", "固定资产利用率计算--衡川2.0", 4605, 3465},
    {"Form29", "总资产周转率计算--衡川2.0", 4605, 3465},
    {"Form30", "营业利润率计算--衡川2.0", 4605, 3465},
    {"Form31", "成本费用利润率计算--衡川2.0", 4605, 3465},
    {"Form32", "盈利现金比率计算--衡川2.0", 4605, 3465},
    {"Form33", "总资产报酬率计算--衡川2.0", 4605, 3465},
    {"Form34", "净资产收益率计算--衡川2.0", 4605, 3465},
    {"Form35", "资本收益率计算--衡川2.0", 4605, 3465},
    {"Form36", "自有资金结构率计算--衡川2.0", 4605, 3465},
    {"Form37", "自有流动资金率计算--衡川2.0", 4605, 3465},
    {"Form38", "股票建仓计划--衡川2.0  作者：听风客", 6195, 5025},
    {"Form39", "股票网格交易法--衡川2.0（升级版）", 6195, 5025},
    {"Form40", "交易费用与保本价--衡川2.0", 6195, 5610},
    {"Form41", "涨跌停价（分板块）--衡川2.0", 6195, 5025},
    {"Form42", "网格挂单明细--衡川2.0", 6195, 5025},
    {"Form43", "做T计算器--衡川2.0", 6195, 5025},
    {"Form44", "补仓到目标成本--衡川2.0", 6195, 5025},
    {"Form45", "除权除息--衡川2.0", 6195, 5715},
    {"Form46", "可转债--衡川2.0", 6195, 5025},
    {"Form47", "融资融券--衡川2.0", 6195, 5025},
    {"Form48", "年化收益率（定投）--衡川2.0", 6195, 5025},
    {"Form49", "仓位计算--衡川2.0", 6195, 5025},
    {"Form50", "定投计划--衡川2.0", 6195, 5025},
    {"Form51", "可转债到期收益率--衡川2.0", 6195, 5025},
    {"Form52", "国债逆回购--衡川2.0", 8820, 6960},
};

struct Link {
  const char* source;
  const char* button;
  const char* caption;
  const char* target;
  bool hideFirst;
};

const Link kLinks[] = {
    {"Form1", "Command2", "补仓成本", "Form6", true},
    {"Form1", "Command3", "涨跌幅切换", "Form2", true},
    {"Form1", "Command4", "涨停价切换", "Form3", true},
    {"Form1", "Command5", "复利计算器", "Form7", true},
    {"Form1", "Command6", "乘法", "Form5", true},
    {"Form1", "Command7", "建仓", "Form38", true},
    {"Form2", "Command3", "切换回去", "Form1", false},
    {"Form2", "Command4", "PE估值", "Form11", true},
    {"Form2", "Command5", "猜猜价格", "Form12", true},
    {"Form2", "Command6", "财务分析", "Form14", true},
    {"Form3", "Command3", "切换回去", "Form1", true},
    {"Form3", "Command4", "连续涨跌停", "Form7", true},
    {"Form4", "Command3", "切换回去", "Form1", false},
    {"Form4", "Command4", "除法计算", "Form9", true},
    {"Form4", "Command5", "乘法计算", "Form5", true},
    {"Form5", "Command3", "切换回去", "Form1", false},
    {"Form5", "Command4", "除法计算", "Form9", true},
    {"Form5", "Command5", "加法计算", "Form4", false},
    {"Form6", "Command3", "切换回去", "Form1", false},
    {"Form6", "Command4", "分批买入", "Form8", true},
    {"Form7", "Command3", "切换回去", "Form1", true},
    {"Form8", "Command3", "切换回去", "Form1", true},
    {"Form9", "Command3", "切换回去", "Form1", false},
    {"Form9", "Command4", "乘法计算", "Form5", true},
    {"Form9", "Command5", "加法计算", "Form4", false},
    {"Form11", "Command3", "切换回去", "Form2", true},
    {"Form12", "Command3", "切换回去", "Form2", true},
    {"Form12", "Command4", "猜猜回调价格", "Form13", true},
    {"Form13", "Command3", "切换回去", "Form12", true},
    {"Form14", "Command1", "偿债能力", "Form15", true},
    {"Form14", "Command2", "营运能力", "Form22", true},
    {"Form14", "Command3", "盈利能力", "Form23", true},
    {"Form14", "Command4", "资金实力", "Form24", true},
    {"Form14", "Command5", "切换回去", "Form2", false},
    {"Form15", "Command1", "流动比率", "Form16", true},
    {"Form15", "Command2", "速动比率", "Form17", true},
    {"Form15", "Command3", "现金比率", "Form18", true},
    {"Form15", "Command4", "资本周转率", "Form19", true},
    {"Form15", "Command5", "切换回去", "Form14", false},
    {"Form15", "Command6", "清算价值比率", "Form20", true},
    {"Form15", "Command7", "利息支付倍数", "Form21", true},
    {"Form16", "Command3", "切换回去", "Form15", false},
    {"Form17", "Command3", "切换回去", "Form15", false},
    {"Form18", "Command3", "切换回去", "Form15", false},
    {"Form19", "Command3", "切换回去", "Form15", false},
    {"Form20", "Command3", "切换回去", "Form15", false},
    {"Form21", "Command3", "切换回去", "Form15", false},
    {"Form22", "Command1", "存货周转率", "Form25", true},
    {"Form22", "Command2", "应收账款周转率", "Form26", true},
    {"Form22", "Command3", "流动资产周转率", "Form27", true},
    {"Form22", "Command4", "固定资产周转率", "Form28", true},
    {"Form22", "Command5", "总资产周转率", "Form29", true},
    {"Form22", "Command6", "切换回去", "Form14", false},
    {"Form23", "Command1", "营业利润率", "Form30", false},
    {"Form23", "Command2", "成本费用利润率", "Form31", false},
    {"Form23", "Command3", "盈利现金比率", "Form32", false},
    {"Form23", "Command4", "总资产报酬率", "Form33", false},
    {"Form23", "Command5", "净资产收益率", "Form34", false},
    {"Form23", "Command6", "资本收益率", "Form35", false},
    {"Form23", "Command7", "切换回去", "Form14", false},
    {"Form24", "Command1", "自有资金结构率", "Form36", false},
    {"Form24", "Command2", "自有流动资金率", "Form37", false},
    {"Form24", "Command3", "切换回去", "Form14", false},
    {"Form25", "Command3", "切换回去", "Form22", false},
    {"Form26", "Command3", "切换回去", "Form22", false},
    {"Form27", "Command3", "切换回去", "Form22", false},
    {"Form28", "Command3", "切换回去", "Form22", false},
    {"Form29", "Command3", "切换回去", "Form22", false},
    {"Form30", "Command3", "切换回去", "Form23", false},
    {"Form31", "Command3", "切换回去", "Form23", false},
    {"Form32", "Command3", "切换回去", "Form23", false},
    {"Form33", "Command3", "切换回去", "Form23", false},
    {"Form34", "Command3", "切换回去", "Form23", false},
    {"Form35", "Command3", "切换回去", "Form23", false},
    {"Form36", "Command3", "切换回去", "Form24", false},
    {"Form37", "Command3", "切换回去", "Form24", false},
    {"Form38", "Command3", "切换回去", "Form1", true},
    {"Form38", "Command4", "网格交易", "Form39", true},
    {"Form39", "Command3", "切换回去", "Form38", true},
    // A tool opened otherwise than from a screen's menu goes back to the main screen.
    {"Form40", "Command3", "切换回去", "Form1", true},
    {"Form41", "Command3", "切换回去", "Form1", true},
    {"Form42", "Command4", "切换回去", "Form1", true},
    {"Form43", "Command3", "切换回去", "Form1", true},
    {"Form44", "Command3", "切换回去", "Form1", true},
    {"Form45", "Command3", "切换回去", "Form1", true},
    {"Form46", "Command3", "切换回去", "Form1", true},
    {"Form47", "Command3", "切换回去", "Form1", true},
    {"Form48", "Command3", "切换回去", "Form1", true},
    {"Form49", "Command3", "切换回去", "Form1", true},
    {"Form50", "Command3", "切换回去", "Form1", true},
    {"Form51", "Command3", "切换回去", "Form1", true},
    {"Form52", "Command3", "切换回去", "Form1", true},
};
std::vector<std::string> VisibleScreens(App& app) {
  std::vector<std::string> out;
  for (const ScreenEntry& e : ScreenRegistry()) {
    if (Screen* s = app.Existing(e.name); s != nullptr && s->visible()) out.emplace_back(e.name);
  }
  return out;
}

TEST(Catalogue, EveryScreenHasItsTitleAndSize) {
  ASSERT_EQ(ScreenRegistry().size(), std::size(kCatalogue));
  for (const Catalogue& c : kCatalogue) {
    TestHost host;
    App app(host);
    Screen& s = app.Get(c.screen);
    EXPECT_EQ(s.title(), c.title) << c.screen;
    EXPECT_EQ(s.layout().clientWidth, c.width) << c.screen;
    EXPECT_EQ(s.layout().clientHeight, c.height) << c.screen;
    EXPECT_FALSE(s.visible()) << c.screen << " is created hidden";
  }
}

TEST(Navigation, EveryButtonShowsItsTargetAtTheSourcesPlace) {
  for (const Link& link : kLinks) {
    TestHost host;
    App app(host);
    app.Start();
    Screen& source = app.Get(link.source);
    // Created first: some screens place others in their load step.
    app.Get(link.target);
    EXPECT_EQ(source.At(link.button).text, link.caption) << link.source << "." << link.button;
    EXPECT_TRUE(source.IsNavigation(link.button)) << link.source << "." << link.button;
    app.Get("Form1").Hide();
    source.Show();
    source.NoteMovedByUser(1230, 4560);
    host.windows.clear();
    source.Click(link.button);
    const std::string where = std::string(link.source) + "." + link.button;
    Screen& target = app.Get(link.target);
    EXPECT_EQ(VisibleScreens(app), std::vector<std::string>{link.target}) << where;
    EXPECT_EQ(target.top(), 1230) << where;
    EXPECT_EQ(target.left(), 4560) << where;
    std::vector<std::string> expected = {"hide " + std::string(link.source), "show " + std::string(link.target)};
    if (!link.hideFirst) std::swap(expected[0], expected[1]);
    EXPECT_EQ(host.windows, expected) << where;
    EXPECT_TRUE(host.messages.empty()) << where;
  }
}

TEST(Navigation, NoOtherButtonSwitchesScreens) {
  // Every navigation button of every screen is one of the links above.
  for (const ScreenEntry& e : ScreenRegistry()) {
    TestHost host;
    App app(host);
    Screen& s = app.Get(e.name);
    for (const Control& c : s.controls()) {
      if (c.kind() != Kind::Button || !s.IsNavigation(c.name())) continue;
      bool listed = false;
      for (const Link& link : kLinks) listed = listed || (e.name == link.source && c.name() == link.button);
      EXPECT_TRUE(listed) << e.name << "." << c.name();
    }
  }
}

TEST(Navigation, BackButtonsGoToFixedParents) {
  TestHost host;
  App app(host);
  app.Start();
  app.Get("Form1").Click("Command2");  // 补仓成本
  app.Get("Form6").Click("Command4");  // 分批买入
  app.Get("Form8").Click("Command3");  // 切换回去
  EXPECT_EQ(VisibleScreens(app), std::vector<std::string>{"Form1"});
  app.Get("Form1").Click("Command4");  // 涨停价切换
  app.Get("Form3").Click("Command4");  // 连续涨跌停
  app.Get("Form7").Click("Command3");
  EXPECT_EQ(VisibleScreens(app), std::vector<std::string>{"Form1"});
}

TEST(Placement, ScreensOpenWhereTheTableSays) {
  TestHost host;
  App app(host, 28800, 16200);
  app.Start();
  Screen& main = app.Get("Form1");
  EXPECT_EQ(main.top(), (16200 - 3540) / 2);  // centred on the client area grown to hold Label11
  EXPECT_EQ(main.left(), (28800 - 4605) / 2);
  main.NoteMovedByUser(100, 200);
  Screen& plan = app.Get("Form38");  // created, not shown: placed like Form1
  EXPECT_EQ(plan.top(), 100);
  EXPECT_EQ(plan.left(), 200);
  EXPECT_FALSE(plan.visible());
  Screen& staged = app.Get("Form8");  // addresses Form6, which centres itself
  Screen& average = app.Get("Form6");
  EXPECT_EQ(average.top(), (16200 - 3465) / 2);
  EXPECT_EQ(staged.top(), average.top());
  EXPECT_EQ(staged.left(), average.left());
}

// A table that places a control past its client area gets a client area
// just large enough to hold it; the others keep theirs.
TEST(Placement, ClientAreaHoldsEveryControl) {
  struct Case {
    const char* screen;
    int width, height;
  };
  const Case cases[] = {
      {"Form1", 4605, 3540},  {"Form22", 4725, 3465}, {"Form38", 6195, 5100},
      {"Form39", 6195, 5120}, {"Form2", 4605, 3465},  {"Form14", 4605, 3465},
  };
  TestHost host;
  App app(host);
  for (const Case& c : cases) {
    const Screen& s = app.Get(c.screen);
    EXPECT_EQ(s.clientWidth(), c.width) << c.screen;
    EXPECT_EQ(s.clientHeight(), c.height) << c.screen;
  }
  for (const ScreenEntry& e : ScreenRegistry()) {
    const Screen& s = app.Get(e.name);
    EXPECT_GE(s.clientWidth(), s.layout().clientWidth) << e.name;
    EXPECT_GE(s.clientHeight(), s.layout().clientHeight) << e.name;
    for (const ControlSpec& c : s.layout().controls) {
      EXPECT_LE(c.left + c.width, s.clientWidth()) << e.name << " " << c.name;
      EXPECT_LE(c.top + c.height, s.clientHeight()) << e.name << " " << c.name;
    }
  }
}

TEST(Close, EveryCloseBoxEndsTheProgram) {
  for (const ScreenEntry& e : ScreenRegistry()) {
    TestHost host;
    App app(host);
    app.Start();
    app.Get(e.name).Close();
    EXPECT_EQ(host.exits, 1) << e.name;
    EXPECT_TRUE(app.exited()) << e.name;
  }
}

TEST(Lifecycle, ScreensAreCreatedOnFirstUseOnly) {
  TestHost host;
  App app(host);
  app.Start();
  EXPECT_NE(app.Existing("Form1"), nullptr);
  for (const ScreenEntry& e : ScreenRegistry()) {
    if (e.name != "Form1") {
      EXPECT_EQ(app.Existing(e.name), nullptr) << e.name;
    }
  }
}

}  // namespace
}  // namespace hc
