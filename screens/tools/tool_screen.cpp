#include "screens/tools/tool_screen.h"

#include "shell/app.h"

namespace hc {

namespace {

// What a rate refused by the trading-costs screen is prompted as.
constexpr std::string_view kFixRates = "请先在交易费用与保本价界面改正费率：";

std::string Named(std::string_view name, std::string_view rest) {
  std::string s(name);
  s += rest;
  return s;
}

}  // namespace

FieldRead ReadRateField(std::string_view cleaned, std::string_view name) {
  return ReadInRange(cleaned, name, Bound{Decimal::Whole(0)}, Named(name, "不能为负数！"),
                     Bound{Decimal::Whole(100), false}, Named(name, "必须小于100！"));
}

FieldRead ReadMinimumField(std::string_view cleaned) {
  FieldRead r = ReadInRange(cleaned, kMinimumName, Bound{Decimal::Whole(0)}, Named(kMinimumName, "不能为负数！"),
                            Bound{Decimal::Whole(100000)}, Named(kMinimumName, "不能大于100000！"));
  if (r) r.value = r.value->Round(2);
  return r;
}

RatesRead ReadRates(std::string commission, std::string minimum, std::string stampDuty, std::string transferFee,
                    Market market) {
  RatesRead out;
  FeeRates rates;
  struct Field {
    std::string* text;  // null: not charged on funds
    std::string_view name;
    Decimal* value;
  };
  const bool stock = market == Market::Stock;
  const Field fields[] = {
      {&commission, kCommissionName, &rates.commission},
      {&minimum, kMinimumName, &rates.minimum},
      {stock ? &stampDuty : nullptr, kStampDutyName, &rates.stampDuty},
      {stock ? &transferFee : nullptr, kTransferFeeName, &rates.transferFee},
  };
  for (const Field& f : fields) {
    if (f.text == nullptr) continue;
    const bool isMinimum = f.value == &rates.minimum;
    CleanField(*f.text, isMinimum ? FieldKind::Amount : FieldKind::Rate);
    FieldRead r = isMinimum ? ReadMinimumField(*f.text) : ReadRateField(*f.text, f.name);
    if (!r) {
      out.message = std::move(r.message);
      return out;
    }
    *f.value = *r;
  }
  out.rates = rates;
  return out;
}

std::string RatesLine(const FeeRates& rates, Market market) {
  auto plain = [](const Decimal& d) { return d.Normalized().Text(d.Normalized().scale()); };
  std::string s = "费率：佣金万分之" + plain(rates.commission) + "（最低" + plain(rates.minimum) + "元）";
  if (market == Market::Stock) {
    s += "，印花税万分之" + plain(rates.stampDuty) + "（卖出），过户费万分之" + plain(rates.transferFee);
  } else {
    s += "，基金免印花税和过户费";
  }
  return s;
}

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
  Screen* costs = app().Existing("Form40");
  auto rate = [costs](std::string_view field, std::string_view atLoad) {
    return costs != nullptr ? costs->text(field) : std::string(atLoad);
  };
  return {rate("Text4", kRateLoadTexts.commission), rate("Text5", kRateLoadTexts.minimum),
          rate("Text6", kRateLoadTexts.stampDuty), rate("Text7", kRateLoadTexts.transferFee)};
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
