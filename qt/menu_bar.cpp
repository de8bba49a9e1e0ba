#include "qt/menu_bar.h"

#include <QMenu>

#include "qt/convert.h"

namespace hc::qt {

namespace {

void Fill(QMenu* menu, const std::vector<MenuNode>& nodes, const std::function<void(const MenuNode&)>& choose) {
  for (const MenuNode& n : nodes) {
    switch (n.type) {
      case MenuNode::Type::Separator:
        menu->addSeparator();
        break;
      case MenuNode::Type::Submenu: {
        QMenu* sub = menu->addMenu(Q(n.caption));
        sub->setObjectName(Q(WithoutAccelerator(n.caption)));
        Fill(sub, n.children, choose);
        break;
      }
      case MenuNode::Type::Screen:
      case MenuNode::Type::About: {
        QAction* action = menu->addAction(Q(n.caption));
        action->setObjectName(Q(n.type == MenuNode::Type::Screen ? n.screen : std::string_view("about")));
        const MenuNode* node = &n;  // the model's menu bar lives as long as the program
        QObject::connect(action, &QAction::triggered, menu, [choose, node] { choose(*node); });
        break;
      }
    }
  }
}

}  // namespace

QMenuBar* BuildMenuBar(QWidget* parent, const std::function<void(const MenuNode&)>& choose) {
  auto* bar = new QMenuBar(parent);
  bar->setObjectName(QStringLiteral("menuBar"));
  bar->setNativeMenuBar(false);  // inside the window on every desktop, as its height is counted
  for (const MenuNode& top : MenuBar()) {
    QMenu* menu = bar->addMenu(Q(top.caption));
    menu->setObjectName(Q(WithoutAccelerator(top.caption)));
    // A menu's items are made when it first opens, so that a window that
    // is only looked at costs no more than one without a menu bar.
    const std::vector<MenuNode>* items = &top.children;
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, items, choose] {
      if (menu->actions().isEmpty()) Fill(menu, *items, choose);
    });
  }
  return bar;
}

void FillMenus(QMenuBar* bar) {
  for (QAction* a : bar->actions()) {
    if (a->menu() != nullptr) emit a->menu()->aboutToShow();
  }
}

}  // namespace hc::qt
