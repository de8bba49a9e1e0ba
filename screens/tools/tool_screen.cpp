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
    if (showsResults_ && calculate_) calculate_();
  });
}

RatesRead ToolScreen::ReadTradingRates(Market market) {
  // The screen's fields as they stand; the rates it would load with
  // (saved or not) while it was never opened.
  Screen* costs = app().Existing("Form40");
  const SavedRates& atStart = app().startRates();
  auto rate = [costs](std::string_view field, const std::string& atLoad) {
    return costs != nullptr ? costs->text(field) : atLoad;
  };
  return ReadRates(rate("Text4", atStart.commission), rate("Text5", atStart.minimum),
                   rate("Text6", atStart.stampDuty), rate("Text7", atStart.transferFee), market);
}

std::optional<FeeRates> ToolScreen::TradingRates(Market market) {
  RatesRead read = ReadTradingRates(market);
  if (!read.rates) PromptMissing(std::string(kFixRates) + read.message);
  return read.rates;
}

std::string ToolScreen::CurrentRatesLine(Market market) {
  const RatesRead read = ReadTradingRates(market);
  return read.rates ? RatesLine(*read.rates, market) : std::string(kFixRates) + read.message;
}

}  // namespace hc
