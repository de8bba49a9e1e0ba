#include "shell/menu.h"

#include "shell/app.h"

namespace hc {

namespace {

// Accelerator keys of the items of one menu, in order.
constexpr std::string_view kKeys = "123456789ABDEFGIJKLMNOPQRSUVWXYZ";

std::string WithKey(std::string_view caption, std::size_t index) {
  std::string out(caption);
  if (index < kKeys.size()) {
    out += "(&";
    out += kKeys[index];
    out += ')';
  }
  return out;
}

MenuNode Submenu(std::string caption) {
  MenuNode n;
  n.type = MenuNode::Type::Submenu;
  n.caption = std::move(caption);
  return n;
}

MenuNode Separator() { return MenuNode{}; }

// Appends an item with the next accelerator of the menu.
void AddItem(MenuNode& menu, MenuNode item) {
  std::size_t index = 0;
  for (const MenuNode& n : menu.children) index += n.type == MenuNode::Type::Separator ? 0 : 1;
  item.caption = WithKey(item.caption, index);
  menu.children.push_back(std::move(item));
}

MenuNode ScreenItem(const ScreenEntry& e) {
  MenuNode n;
  n.type = MenuNode::Type::Screen;
  n.caption = std::string(e.caption);
  n.screen = e.name;
  return n;
}

void AddSection(MenuNode& menu, MenuSection section) {
  if (!menu.children.empty()) menu.children.push_back(Separator());
  for (const ScreenEntry& e : ScreenRegistry()) {
    if (e.section == section) AddItem(menu, ScreenItem(e));
  }
}

// The analysis groups: each a submenu named after its group screen, which
// comes first in it, then the group's ratios.
struct Group {
  MenuSection section;
  std::string_view caption;
};
constexpr Group kAnalysisGroups[] = {{MenuSection::Solvency, "偿债能力"},
                                     {MenuSection::Efficiency, "营运能力"},
                                     {MenuSection::Profitability, "盈利能力"},
                                     {MenuSection::Capital, "资金实力"}};

std::vector<MenuNode> Build() {
  MenuNode calculators = Submenu("计算器(&C)");
  for (MenuSection s : {MenuSection::Price, MenuSection::PlanGrid, MenuSection::Valuation, MenuSection::Arithmetic,
                        MenuSection::Analysis}) {
    AddSection(calculators, s);
  }
  for (const Group& g : kAnalysisGroups) {
    MenuNode sub = Submenu(std::string(g.caption));
    for (const ScreenEntry& e : ScreenRegistry()) {
      if (e.section == g.section) AddItem(sub, ScreenItem(e));
    }
    AddItem(calculators, std::move(sub));
  }

  std::vector<MenuNode> bar{std::move(calculators)};
  MenuNode tools = Submenu("工具(&T)");
  AddSection(tools, MenuSection::Tools);
  if (!tools.children.empty()) bar.push_back(std::move(tools));

  MenuNode help = Submenu("帮助(&H)");
  MenuNode about;
  about.type = MenuNode::Type::About;
  about.caption = "关于衡川2.0";
  AddItem(help, std::move(about));
  bar.push_back(std::move(help));
  return bar;
}

const MenuNode* Find(const std::vector<MenuNode>& nodes, std::string_view caption) {
  for (const MenuNode& n : nodes) {
    if (n.type == MenuNode::Type::Submenu) {
      if (const MenuNode* found = Find(n.children, caption)) return found;
    } else if (n.type != MenuNode::Type::Separator && WithoutAccelerator(n.caption) == caption) {
      return &n;
    }
  }
  return nullptr;
}

}  // namespace

bool IsToolScreen(std::string_view name) {
  for (const ScreenEntry& e : ScreenRegistry()) {
    if (e.name == name) return e.section == MenuSection::Tools;
  }
  return false;
}

const std::vector<MenuNode>& MenuBar() {
  static const std::vector<MenuNode> bar = Build();
  return bar;
}

std::string_view WithoutAccelerator(std::string_view caption) {
  if (caption.size() >= 4 && caption.substr(caption.size() - 4, 2) == "(&" && caption.back() == ')') {
    caption.remove_suffix(4);
  }
  return caption;
}

const MenuNode* FindMenuItem(std::string_view caption) { return Find(MenuBar(), caption); }

std::string_view AboutText() {
  return "衡川2.0（升级版）\n"
         "版本 2.0.0\n"
         "本软件仅作为计算器，不能作为投资和决策用途，否则后果自负。\n"
         "本程序只在您选择“保存为CSV”或“保存为默认费率”时写入文件（您指定的文件、用户配置中的费率），"
         "启动时只读取保存的默认费率。";
}

void ChooseMenuItem(Screen& current, const MenuNode& item) {
  switch (item.type) {
    case MenuNode::Type::About:
      current.app().host().ShowAbout(AboutText());
      break;
    case MenuNode::Type::Screen: {
      if (item.screen == current.name()) return;
      // A screen that computes as it shows (the order ladder) may stop on a
      // calculation error: it is reported as a press's would be.
      try {
        Screen& target = current.app().Get(item.screen);
        // A tool's way back leads to the calculator the user came from,
        // however many tools were opened in between.
        target.SetOpener(IsToolScreen(current.name()) ? std::string_view(current.opener()) : current.name());
        SwitchScreen(current, item.screen, SwitchOrder::HideFirst);
      } catch (const CalcError& e) {
        current.app().host().ReportError(e.kind());
      }
      break;
    }
    case MenuNode::Type::Separator:
    case MenuNode::Type::Submenu:
      break;
  }
}

}  // namespace hc
