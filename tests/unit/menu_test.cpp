// The menu bar: every screen of the registry is one choice away from every
// screen, grouped as the catalogue groups them, and a choice switches as the
// navigation buttons do.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "driver/script_driver.h"
#include "shell/menu.h"

namespace hc {
namespace {

void Collect(const std::vector<MenuNode>& nodes, std::string path, std::map<std::string, std::string>& screens) {
  for (const MenuNode& n : nodes) {
    const std::string caption(WithoutAccelerator(n.caption));
    if (n.type == MenuNode::Type::Submenu) Collect(n.children, path + caption + "/", screens);
    if (n.type == MenuNode::Type::Screen) {
      EXPECT_EQ(screens.count(std::string(n.screen)), 0u) << n.screen << " is in the menu twice";
      screens[std::string(n.screen)] = path + caption;
    }
  }
}

TEST(MenuBar, ListsEveryScreenOnceInItsGroup) {
  std::map<std::string, std::string> screens;
  Collect(MenuBar(), "", screens);
  for (const ScreenEntry& e : ScreenRegistry()) {
    ASSERT_EQ(screens.count(std::string(e.name)), 1u) << e.name << " is missing from the menu";
    const std::string& path = screens[std::string(e.name)];
    const std::string top = e.section == MenuSection::Tools ? "工具/" : "计算器/";
    EXPECT_EQ(path.rfind(top, 0), 0u) << e.name << " at " << path;
    EXPECT_EQ(FindMenuItem(e.caption)->screen, e.name) << "captions are unique";
  }
  EXPECT_EQ(screens.size(), ScreenRegistry().size());
  const std::map<std::string, std::string> expected = {
      {"Form1", "计算器/止盈止损价"},          {"Form3", "计算器/涨停价、跌停价"},
      {"Form38", "计算器/建仓计划"},           {"Form39", "计算器/网格交易"},
      {"Form11", "计算器/PE估值"},             {"Form9", "计算器/除法"},
      {"Form14", "计算器/财务分析"},           {"Form16", "计算器/偿债能力/流动比率"},
      {"Form25", "计算器/营运能力/存货周转率"}, {"Form30", "计算器/盈利能力/营业利润率"},
      {"Form37", "计算器/资金实力/自有流动资金率"},
  };
  for (const auto& [screen, path] : expected) EXPECT_EQ(screens[screen], path) << screen;
}

TEST(MenuBar, SeparatesTheCataloguesGroups) {
  const MenuNode& calculators = MenuBar().front();
  EXPECT_EQ(calculators.caption, "计算器(&C)");
  std::vector<std::string> groups(1);
  for (const MenuNode& n : calculators.children) {
    if (n.type == MenuNode::Type::Separator) {
      groups.emplace_back();
    } else {
      groups.back() += std::string(WithoutAccelerator(n.caption)) + ";";
    }
  }
  ASSERT_EQ(groups.size(), 5u);
  EXPECT_EQ(groups[0], "止盈止损价;涨跌幅;涨停价、跌停价;补仓后平均成本;复利计算器;分批补仓价;");
  EXPECT_EQ(groups[1], "建仓计划;网格交易;");
  EXPECT_EQ(groups[2], "PE估值;猜猜价格;猜猜回调价格;");
  EXPECT_EQ(groups[3], "加法;乘法;除法;");
  EXPECT_EQ(groups[4], "财务分析;偿债能力;营运能力;盈利能力;资金实力;");
  EXPECT_EQ(MenuBar().back().caption, "帮助(&H)");
  EXPECT_EQ(MenuBar().back().children.at(0).caption, "关于衡川2.0(&1)");
}

TEST(MenuBar, EveryItemHasItsOwnAccelerator) {
  std::vector<const std::vector<MenuNode>*> menus{&MenuBar()};
  for (std::size_t i = 0; i < menus.size(); ++i) {
    std::map<std::string, int> keys;
    for (const MenuNode& n : *menus[i]) {
      if (n.type == MenuNode::Type::Separator) continue;
      ASSERT_NE(n.caption, WithoutAccelerator(n.caption)) << n.caption << " has no accelerator";
      EXPECT_EQ(++keys[n.caption.substr(n.caption.size() - 2)], 1) << n.caption;
      if (n.type == MenuNode::Type::Submenu) menus.push_back(&n.children);
    }
  }
}

// One switch per group: from a screen of one group to a screen of another,
// the target takes the source's place; the source is hidden.
TEST(MenuBar, ChoosingSwitchesHideFirstToTheSourcesPlace) {
  const std::pair<const char*, const char*> switches[] = {
      {"Form1", "Form39"}, {"Form39", "Form11"}, {"Form11", "Form9"}, {"Form9", "Form25"}, {"Form25", "Form3"},
  };
  std::ostringstream out;
  ScriptDriver driver(out);
  App& app = driver.app();
  for (const auto& [from, to] : switches) {
    Screen& source = app.Get(from);
    source.NoteMovedByUser(700, 1300);
    for (const ScreenEntry& e : ScreenRegistry()) {
      if (e.name == to) ChooseMenuItem(source, *FindMenuItem(e.caption));
    }
    Screen& target = app.Get(to);
    EXPECT_FALSE(source.visible()) << from;
    EXPECT_TRUE(target.visible()) << to;
    EXPECT_EQ(target.top(), 700) << to;
    EXPECT_EQ(target.left(), 1300) << to;
  }
  EXPECT_EQ(out.str(), "");
}

TEST(MenuBar, ChoosingTheShownScreenDoesNothing) {
  std::ostringstream out;
  ScriptDriver driver(out);
  Screen& main = driver.app().Get("Form1");
  main.NoteMovedByUser(10, 20);
  ChooseMenuItem(main, *FindMenuItem("止盈止损价"));
  EXPECT_TRUE(main.visible());
  EXPECT_EQ(main.top(), 10);
  EXPECT_EQ(main.left(), 20);
}

TEST(MenuBar, AboutNamesTheProgramAndItsDisclaimer) {
  const std::string about(AboutText());
  EXPECT_NE(about.find("衡川2.0"), std::string::npos);
  EXPECT_NE(about.find("本软件仅作为计算器，不能作为投资和决策用途，否则后果自负。"), std::string::npos);
  EXPECT_NE(about.find("只在您选择“保存为CSV”或“保存为默认费率”时写入文件"), std::string::npos);
  EXPECT_NE(about.find("版本"), std::string::npos);
}

}  // namespace
}  // namespace hc
