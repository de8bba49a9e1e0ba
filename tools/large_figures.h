// Large, realistic inputs for every screen, each accepted by its screen:
// prices up to 3000, capital up to 10,000,000, shares up to 1,000,000, and
// the step counts the screens allow. The screenshots and the geometry test
// fill the input fields with them before pressing the calculate buttons;
// the geometry test fails on any message such a press shows. A new screen
// adds its rows here (and a line to kLargeRuns when its calculate button is
// not its default button, or it shows another screen's results).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "shell/app.h"

namespace hc::figures {

// Ten years of a 定投 plan for the annual-return screen: 120 monthly buys
// of 50000 yuan on the 10th, January 2016 to December 2025, one a line.
inline constexpr std::size_t kMonths = 120;
inline constexpr std::string_view kMonthlyAmount = " 50000";
inline constexpr auto kMonthlyBuys = [] {
  constexpr std::size_t kLine = 10 + kMonthlyAmount.size() + 1;  // "2016-01-10 50000\n"
  std::array<char, kMonths * kLine - 1> text{};
  std::size_t at = 0;
  auto put = [&](int number, int digits) {
    for (int d = digits - 1; d >= 0; --d) {
      int power = 1;
      for (int k = 0; k < d; ++k) power *= 10;
      text[at++] = static_cast<char>('0' + number / power % 10);
    }
  };
  for (std::size_t m = 0; m < kMonths; ++m) {
    put(2016 + static_cast<int>(m / 12), 4);
    text[at++] = '-';
    put(1 + static_cast<int>(m % 12), 2);
    for (char c : std::string_view("-10")) text[at++] = c;
    for (char c : kMonthlyAmount) text[at++] = c;
    if (m + 1 < kMonths) text[at++] = '\n';
  }
  return text;
}();

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
    {"Form45", "Text1", "2999.99"}, {"Form45", "Text2", "99.99"},  {"Form45", "Text3", "10"},
    {"Form45", "Text4", "10"},      {"Form45", "Text5", "3"},      {"Form45", "Text6", "1500"},
    {"Form45", "Text7", "1000000"}, {"Form45", "Text8", "2888.888"},
    {"Form45", "Text20", "2888.8888"}, {"Form45", "Text21", "9.99"},
    {"Form47", "Text1", "1000000"}, {"Form47", "Text2", "1888.88"}, {"Form47", "Text3", "999999999.99"},
    {"Form47", "Text4", "9876543.21"}, {"Form47", "Text5", "8.35"}, {"Form47", "Text6", "365"},
    {"Form47", "Text7", "150"},     {"Form47", "Text8", "130"},
    {"Form46", "Text1", "2999.999"}, {"Form46", "Text2", "99.99"},   {"Form46", "Text3", "2999.99"},
    {"Form46", "Text4", "100000"},   {"Form46", "Text5", "999.99"},  {"Form46", "Text6", "99.99"},
    {"Form46", "Text7", "99.99"},
    {"Form43", "Text1", "1000000"}, {"Form43", "Text2", "2888.888"}, {"Form43", "Text3", "1000000"},
    {"Form43", "Text4", "2999.99"}, {"Form43", "Text5", "2888.88"},
    {"Form44", "Text1", "1000000"}, {"Form44", "Text2", "2888.888"}, {"Form44", "Text3", "1888.88"},
    {"Form44", "Text4", "2500"},
    {"Form48", "Text1", std::string_view(kMonthlyBuys.data(), kMonthlyBuys.size())},
    {"Form48", "Text2", "2026-01-10"},  {"Form48", "Text3", "8765432.10"},
    {"Form49", "Text1", "10000000"}, {"Form49", "Text2", "2"},       {"Form49", "Text3", "2999.99"},
    {"Form49", "Text4", "2888.88"},  {"Form49", "Text5", "9876543.21"},
    // A plan of 100 years, its table 100 rows long.
    {"Form50", "Text1", "50000"},    {"Form50", "Text2", "12"},      {"Form50", "Text3", "100"},
    {"Form50", "Text4", "10000000"}, {"Form50", "Text5", "999999999999.99"},
    // A 30-year bond bought the day after interest starts: 30 coupons to come.
    {"Form51", "Text1", "2999.999"},    {"Form51", "Text2", "2000-06-16"},  {"Form51", "Text3", "2000-06-15"},
    {"Form51", "Text4", "2030-06-15"},
    {"Form51", "Text5", "0.3 0.5 1.0 1.5 1.8 2.0 2.5 3.0 3.5 4.0 0.3 0.5 1.0 1.5 1.8 2.0 2.5 3.0 3.5 4.0 "
                        "0.3 0.5 1.0 1.5 1.8 2.0 2.5 3.0 3.5 4.0"},
    {"Form51", "Text6", "130"},         {"Form51", "Text7", "8.88"},
    // 10,000,000 lent at 9.995 % on the Monday before 国庆 2025 (a fixed
    // trade day: today's may be a weekend), at a discount of 2.5 tenths.
    {"Form52", "Text1", "10000000"},  {"Form52", "Text2", "9.995"},  {"Form52", "Text3", "2025-09-29"},
    {"Form52", "Text4", "2.5"},
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
    const bool field = c.kind() == Kind::Text || c.kind() == Kind::TextArea;
    if (!field || c.readOnly || !c.visible || !c.enabled) continue;
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
