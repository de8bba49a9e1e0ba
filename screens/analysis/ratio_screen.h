// The ratio screen: the one pattern behind every financial ratio calculator
// (solvency, operating efficiency, profitability, capital strength).
//
// A member of the pattern is data: its layout table, its title, its group
// menu, its inputs in cleaning order, the inputs that must not be empty with
// their prompts, its formula, the field that receives the result and, for
// the turnover screens that also give the turnover period, the label that
// receives the days. The screen itself adds the three buttons' behaviour:
//   Command1  clean, read and check the inputs, evaluate the formula and
//             write the result to the cent;
//   Command2  empty every text field, inputs and result alike;
//   Command3  back to the group menu.
#pragma once

#include <memory>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "numeric/checked.h"
#include "shell/layout.h"

namespace hc {

class App;
class Screen;

// The values of a ratio screen's inputs, read from their cleaned texts. An
// empty field reads as 0.
class RatioInputs {
 public:
  void Add(std::string_view field, Num value) { values_.emplace_back(field, value); }
  // The value of an input field by name. A name that is not one of the
  // screen's inputs is a programming error (std::out_of_range).
  Num operator()(std::string_view field) const;

 private:
  std::vector<std::pair<std::string_view, Num>> values_;
};

// A ratio's formula, evaluated with checked arithmetic: a zero denominator
// or an overflow stops the calculation at that operation.
using RatioFormula = Num (*)(const RatioInputs& in);

// An input that must not be empty, and the prompt shown when it is.
struct RatioCheck {
  std::string_view field;
  std::string_view message;
};

struct RatioMember {
  std::string_view name;   // FormN
  std::string_view title;  // window title
  std::string_view menu;   // the group menu: load placement and back button
  std::span<const ControlSpec> controls;    // the layout table
  std::span<const std::string_view> inputs;  // in cleaning order
  std::span<const RatioCheck> checks;        // in checking order
  RatioFormula formula;
  std::string_view result;  // the read-only field that shows the ratio
  // The label that shows the turnover period on a 360-day year, 360 divided
  // by the unrounded ratio, with the unit "天"; empty when the screen has none.
  std::string_view daysLabel;
};

// A ratio screen built from its member data.
std::unique_ptr<Screen> MakeRatioScreen(App& app, const RatioMember& member);

}  // namespace hc
