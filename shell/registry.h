// The registry: every screen of the program with its factory and its place
// in the menu bar, fed by the list in shell/screen_list.h.
#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "shell/screen_list.h"

namespace hc {

class App;
class Screen;

#define HC_DECLARE_FACTORY(name, factory, section, caption) std::unique_ptr<Screen> factory(App& app);
HC_SCREENS(HC_DECLARE_FACTORY)
#undef HC_DECLARE_FACTORY

using ScreenFactory = std::unique_ptr<Screen> (*)(App&);

// The groups of the menu bar: the calculators' menu lists the first five in
// this order, separated, the analysis groups as submenus; the tools have a
// menu of their own.
enum class MenuSection { Price, PlanGrid, Valuation, Arithmetic, Analysis, Solvency, Efficiency, Profitability, Capital, Tools };

struct ScreenEntry {
  std::string_view name;
  ScreenFactory make;
  MenuSection section;
  std::string_view caption;  // in the menu bar
};

// Every screen of the program, in catalogue order.
std::span<const ScreenEntry> ScreenRegistry();

}  // namespace hc
