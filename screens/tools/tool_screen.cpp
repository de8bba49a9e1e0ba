#include "screens/tools/tool_screen.h"

#include "shell/app.h"

namespace hc {

namespace {

// What a rate refused by the trading-costs screen is prompted as.
constexpr std::string_view kFixRates = "请先在交易费用与保本价界面改正费率：";

}  // namespace

void ToolScreen::OnOption(std::string_view option, std::function<void()> also) {
  OnClick(option, [this, also = std::move(also)] {
    if (also) also();
    Recalculate();
  });
}

namespace {

// A field the user types into.
bool IsInput(const Control& c) { return (c.kind() == Kind::Text || c.kind() == Kind::TextArea) && !c.readOnly; }

}  // namespace

void ToolScreen::Calculate(bool asTyped) {
  if (!calculate_) return;
  auto typedNow = [this](const Control& c) {
    const std::string* typed = Typed(c.name());
    return typed != nullptr ? std::optional<std::string>(*typed) : std::nullopt;
  };
  for (Control& c : controls()) {
    if (!IsInput(c)) continue;
    auto [at, first] = typedInputs_.try_emplace(std::string(c.name()));
    InputMemory& in = at->second;
    // Written since the last calculation, by the user (even back to the
    // same text) or by anything else: the field holds the input now.
    if (first || c.text != in.left || typedNow(c) != in.typed) {
      in.asTyped = c.text;
    } else if (asTyped) {
      c.text = in.asTyped;
    }
  }
  auto noteLeft = [this, &typedNow] {
    for (const Control& c : controls()) {
      if (!IsInput(c)) continue;
      InputMemory& in = typedInputs_[std::string(c.name())];
      in.left = c.text;
      in.typed = typedNow(c);
    }
  };
  try {
    calculate_();
  } catch (...) {
    noteLeft();
    throw;
  }
  noteLeft();
}

void ToolScreen::Recalculate() {
  if (showsResults_) Calculate(true);
}

void ToolScreen::Showing() {
  ShowRates();
  if (!showsResults_ || !ratesRead_ || *ratesRead_ == CurrentRateTexts()) return;
  try {
    Recalculate();
  } catch (const CalcError& e) {
    app().host().ReportError(e.kind());
  }
}

ToolScreen::RateFieldTexts ToolScreen::CurrentRateTexts() {
  // The screen's fields as they stand; the rates it would load with
  // (saved or not) while it was never opened.
  Screen* costs = app().Existing("Form40");
  const SavedRates& atStart = app().startRates();
  auto rate = [costs](std::string_view field, const std::string& atLoad) {
    return costs != nullptr ? costs->text(field) : atLoad;
  };
  return {rate("Text4", atStart.commission), rate("Text5", atStart.minimum), rate("Text6", atStart.stampDuty),
          rate("Text7", atStart.transferFee)};
}

RatesRead ToolScreen::ReadTradingRates(Market market) {
  RateFieldTexts texts = CurrentRateTexts();
  return ReadRates(std::move(texts[0]), std::move(texts[1]), std::move(texts[2]), std::move(texts[3]), market);
}

std::optional<FeeRates> ToolScreen::TradingRates(Market market) {
  ratesRead_ = CurrentRateTexts();
  RatesRead read = ReadTradingRates(market);
  if (!read.rates) PromptMissing(std::string(kFixRates) + read.message);
  return read.rates;
}

std::string ToolScreen::CurrentRatesLine(Market market) {
  const RatesRead read = ReadTradingRates(market);
  return read.rates ? RatesLine(*read.rates, market) : std::string(kFixRates) + read.message;
}

}  // namespace hc
