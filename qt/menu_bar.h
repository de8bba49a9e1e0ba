// The menu bar of a screen's window, built from the menu model: every
// choice goes to the given function with the model's item.
#pragma once

#include <QMenuBar>
#include <functional>

#include "shell/menu.h"

namespace hc::qt {

// A menu's items are made when it first opens.
QMenuBar* BuildMenuBar(QWidget* parent, const std::function<void(const MenuNode&)>& choose);

// Makes every menu's items now, as if each had been opened.
void FillMenus(QMenuBar* bar);

}  // namespace hc::qt
