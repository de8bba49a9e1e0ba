// What every tool screen shares: a calculate button whose results stay tied
// to the options they were computed under (choosing another option while
// they show calculates again), a clear button, and the fee rates of the
// trading-costs screen as they stand, read and checked as that screen reads
// them, with the one line that shows them.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "market/fees.h"
#include "market/rate_fields.h"
#include "numeric/fields.h"
#include "shell/screen.h"

namespace hc {

// The way back of a tool screen: "切换回去" (Command3) leads to the
// calculator the tools were opened from.
inline constexpr Link kToolWayBack[] = {{"Command3", kOpener, SwitchOrder::HideFirst}};

// A tool screen's window: wide, placed where the main screen stands, "计算"
// (Command1) pressed by Enter wherever the focus is but in a multi-line
// field, the way back on Esc, the first field focused.
constexpr ScreenSpec ToolSpec(std::string_view name, std::string_view title, std::span<const ControlSpec> controls,
                              std::span<const std::string_view> tabOrder) {
  return ScreenSpec{
      .name = name,
      .title = title,
      .clientWidth = kWideScreenWidth,
      .clientHeight = kWideScreenHeight,
      .controls = controls,
      .tabOrder = tabOrder,
      .initialFocus = "Text1",
      .defaultButton = "Command1",
      .enterAnywhere = true,
      .links = kToolWayBack,
      .placedLike = "Form1",
      .backButton = "Command3",
  };
}

// Gains red, losses green, zero black.
inline Rgb SignColor(const Decimal& figure) {
  const int sign = figure.sign();
  return sign > 0 ? kRed : sign < 0 ? kGreen : kBlack;
}

class ToolScreen : public Screen {
 public:
  using Screen::Screen;

 protected:
  // The calculate button. A calculation that writes its results ends with
  // ResultsShown(). A press reads each field as it shows.
  template <class S>
  void OnCalculate(std::string_view button, void (S::*handler)()) {
    S* self = static_cast<S*>(this);
    calculate_ = [self, handler] { (self->*handler)(); };
    OnClick(button, [this] { Calculate(false); });
  }
  // The clear button: after it the results no longer show.
  template <class S>
  void OnClear(std::string_view button, void (S::*handler)()) {
    S* self = static_cast<S*>(this);
    OnClick(button, [this, self, handler] {
      (self->*handler)();
      showsResults_ = false;
    });
  }
  // An option button: `also` runs first (enabling fields, say); then, while
  // the results of a successful press show, the calculation runs again under
  // the new choice, with its messages if the inputs no longer pass.
  void OnOption(std::string_view option, std::function<void()> also = {});
  void ResultsShown() { showsResults_ = true; }
  bool showsResults() const { return showsResults_; }

  // On showing: the rates line follows the trading-costs screen's rates,
  // and results computed at other rates than those are calculated again,
  // as a change of option does.
  void Showing() override;
  // Writes the rates line for the rates as they stand; a tool with a rates
  // line overrides it.
  virtual void ShowRates() {}

  // A failed read's message in the prompt box.
  void Prompt(const FieldRead& read) { PromptMissing(read.message); }

  // The trading-costs screen's rates as they stand (their load texts while
  // it was never opened). A rate it would refuse is prompted as
  // "请先在交易费用与保本价界面改正费率：" and its message; then empty.
  std::optional<FeeRates> TradingRates(Market market);
  // The rates line for the current rates, or what is wrong with them.
  std::string CurrentRatesLine(Market market);
  // The rates read and checked, without a prompt.
  RatesRead ReadTradingRates(Market market);

 private:
  using RateFieldTexts = std::array<std::string, 4>;
  // The trading-costs screen's four rate texts as they stand.
  RateFieldTexts CurrentRateTexts();
  // Runs the calculation. Started by an option or by changed rates rather
  // than by the user's press, it first gives each input field back its
  // text as the user last typed it: a figure the last calculation rounded
  // to its tick does not become the input of the next one.
  void Calculate(bool asTyped);
  // Again, as typed, while results show.
  void Recalculate();

  std::function<void()> calculate_;
  bool showsResults_ = false;
  // An input field between calculations.
  struct InputMemory {
    // Its text as the user last typed it: what the field showed when a
    // calculation started, unless only the calculations wrote the field
    // since the one before (the user's edits and the clear button replace
    // it, a write-back does not).
    std::string asTyped;
    std::string left;                  // as the last calculation left it
    std::optional<std::string> typed;  // the screen's memory of the user's typing, then
  };
  std::map<std::string, InputMemory, std::less<>> typedInputs_;
  // The rate texts the last calculation read, if it read any.
  std::optional<RateFieldTexts> ratesRead_;
};

}  // namespace hc
