#include "market/rate_fields.h"

namespace hc {

namespace {

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

}  // namespace hc
