// Large, realistic inputs for every screen, each accepted by its screen:
// prices up to 3000, capital up to 10,000,000, shares up to 1,000,000, and
// the step counts the screens allow. The screenshots and the geometry test
// fill the input fields with them before pressing the calculate buttons;
// the geometry test fails on any message such a press shows. A new screen
// adds its rows here (and a line to kLargeRuns when its calculate button is
// not its default button, or it shows another screen's results).
#pragma once

#include <string>
#include <string_view>

#include "shell/app.h"

namespace hc::figures {

struct Figure {
  std::string_view screen;
  std::string_view field;
  std::string_view text;
};

inline constexpr Figure kLargeFigures[] = {
    {"Form1", "Text1", "2999.99"},   {"Form1", "Text2", "-9.99"},
    {"Form2", "Text1", "2999.99"},   {"Form2", "Text2", "1888.88"},
    {"Form3", "Text1", "2999.99"},
    {"Form4", "Text1", "2999.99"},   {"Form4", "Text2", "1888.88"},
    {"Form5", "Text1", "12.34"},   {"Form5", "Text2", "1000000"},
    {"Form6", "Text1", "9.99"},   {"Form6", "Text2", "1000000"},  {"Form6", "Text3", "8.88"},
    {"Form6", "Text4", "1000000"},
    {"Form7", "Text1", "10000000"},  {"Form7", "Text2", "10"},       {"Form7", "Text5", "30"},
    {"Form8", "Text1", "2999.99"},   {"Form8", "Text2", "9.99"},     {"Form8", "Text4", "19.99"},
    {"Form8", "Text6", "29.99"},
    {"Form9", "Text1", "10000000"},  {"Form9", "Text2", "3"},
    {"Form11", "Text1", "99.99"},    {"Form11", "Text8", "2999.99"}, {"Form11", "Text2", "29.99"},
    {"Form11", "Text3", "39.99"},    {"Form11", "Text4", "49.99"},   {"Form11", "Text9", "59.99"},
    {"Form12", "Text1", "1.618"},    {"Form12", "Text2", "2999.99"}, {"Form12", "Text3", "1888.88"},
    {"Form12", "Text4", "2345.67"},
    {"Form13", "Text1", "2999.99"},  {"Form13", "Text2", "1888.88"}, {"Form13", "Text3", "80.9"},
    {"Form38", "Text1", "10000000"}, {"Form38", "Text2", "5"},       {"Form38", "Text3", "3"},
    {"Form38", "Text13", "2"},       {"Form38", "Text4", "1888.88"}, {"Form38", "Text5", "1777.77"},
    {"Form38", "Text6", "1666.66"},  {"Form38", "Text7", "1500"},    {"Form38", "Text8", "1400"},
    {"Form38", "Text9", "1300"},     {"Form38", "Text10", "2999.99"}, {"Form38", "Text11", "2888.88"},
    {"Form38", "Text12", "2777.77"},
    {"Form39", "Text1", "9.99"},  {"Form39", "Text2", "1000000"}, {"Form39", "Text3", "10000"},
    {"Form39", "Text4", "8"},       {"Form39", "Text5", "8"},      {"Form39", "Text6", "3"},
    // A round trip of 1,000,000 shares at 2999.99 and 3000.77, at the rates
    // of the screen's load texts.
    {"Form40", "Text1", "2999.99"},  {"Form40", "Text2", "1000000"}, {"Form40", "Text3", "3000.77"},
    {"Form40", "Text4", "2.5"},      {"Form40", "Text5", "5"},       {"Form40", "Text6", "5"},
    {"Form40", "Text7", "0.1"},
    // 60 limit days from a close of 2999.99.
    {"Form41", "Text1", "2999.99"},  {"Form41", "Text2", "19.99"},   {"Form41", "Text3", "60"},
    // The order ladder's grid, typed on the grid screen: the increasing
    // grid at 10 000 steps each way of 0.01 % from 2999.99, whose figures
    // reach 10^13 yuan.
    {"Form42", "Text1", "2999.99"},  {"Form42", "Text2", "1000000"}, {"Form42", "Text3", "100"},
    {"Form42", "Text4", "10000"},    {"Form42", "Text5", "10000"},   {"Form42", "Text6", "0.01"},
};

// How a screen is calculated with its large figures: its calculate button,
// and for a screen that shows another screen's results, that screen (whose
// fields the figures rows of this screen name) and the button pressed there
// first. A screen not listed fills its own fields and presses its default
// button.
struct LargeRun {
  std::string_view screen;
  std::string_view button;
  std::string_view source = {};
  std::string_view sourceButton = {};
};

inline constexpr LargeRun kLargeRuns[] = {
    {"Form42", "Command1", "Form39", "Command5"},
};

// The figure for an input field: from the table, else (the financial
// statements of the ratio screens) a large amount, alternating between two
// so that ratios come out neither 0 nor 1.
inline std::string_view LargeFigure(std::string_view screen, std::string_view field, int fieldIndex) {
  for (const Figure& f : kLargeFigures) {
    if (f.screen == screen && f.field == field) return f.text;
  }
  return fieldIndex % 2 == 0 ? "9876543.21" : "1234567.89";
}

// The run of a screen; its button is empty where the screen has nothing to
// calculate.
inline LargeRun LargeRunOf(const Screen& screen) {
  for (const LargeRun& run : kLargeRuns) {
    if (run.screen == screen.name()) return run;
  }
  return {screen.name(), screen.layout().defaultButton};
}

// Fills the input fields the user can type into now with the large figures
// of a screen's rows, as if typed.
inline void FillLargeFigures(Screen& filled, std::string_view figuresOf) {
  int index = 0;
  for (Control& c : filled.controls()) {
    if (c.kind() != Kind::Text || c.readOnly || !c.visible || !c.enabled) continue;
    c.text = std::string(LargeFigure(figuresOf, c.name(), index++));
  }
}

// Calculates a screen with its large figures, pressing through
// `press(Screen&, button)` (a window's press, or the model's). False where
// the screen has nothing to calculate.
template <class Press>
bool CalculateWithLargeFigures(App& app, Screen& screen, Press&& press) {
  const LargeRun run = LargeRunOf(screen);
  if (run.button.empty()) return false;
  if (run.source.empty()) {
    FillLargeFigures(screen, screen.name());
  } else {
    Screen& source = app.Get(run.source);
    FillLargeFigures(source, screen.name());
    press(source, run.sourceButton);
  }
  press(screen, run.button);
  return true;
}

}  // namespace hc::figures
