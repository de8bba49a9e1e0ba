// The menu bar above every screen: "计算器" reaches every calculator in one
// choice, "工具" the tool screens, "帮助" the about window. It is data built
// from the registry, shown by the renderer and chosen from by the driver.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hc {

class Screen;

struct MenuNode {
  enum class Type { Screen, About, Separator, Submenu };
  Type type = Type::Separator;
  std::string caption;     // as shown, with its accelerator mark "(&X)"
  std::string_view screen;  // Screen items: the screen it switches to
  std::vector<MenuNode> children;  // Submenus and the bar's menus
};

// The bar's menus in order, each a Submenu node.
const std::vector<MenuNode>& MenuBar();

// A caption without its accelerator mark: "计算器(&C)" is "计算器".
std::string_view WithoutAccelerator(std::string_view caption);

// The item (a Screen or About node) whose caption without its accelerator
// mark is `caption`, anywhere in the bar; null when there is none.
const MenuNode* FindMenuItem(std::string_view caption);

// Whether the named screen is one of the tools (the menu "工具").
bool IsToolScreen(std::string_view name);

// The text of the about window, one line a paragraph.
std::string_view AboutText();

// The user chose the item on the current screen's menu bar: a screen item
// switches to its screen as the navigation buttons do, hide-first (nothing
// when it is the current screen; a tool screen remembers where it was opened
// from); the about item shows the about window.
void ChooseMenuItem(Screen& current, const MenuNode& item);

}  // namespace hc
