#include "screens/tools/fees.h"

#include "numeric/numeric.h"

namespace hc {

namespace {

using Int = Decimal::Int;
using U128 = unsigned __int128;

constexpr Int kIntMax = ~(static_cast<U128>(1) << 127);

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A plain decimal text too long for a Decimal: whether its whole part alone
// has more digits than any limit of these fields (beyond 30 digits once
// leading zeros go), and its sign. Empty when the text is not plain or not
// that large.
std::optional<bool> HugePlainDecimal(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int wholeDigits = 0;
  bool any = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (!IsDigit(c)) return std::nullopt;
    any = true;
    if (!point && (wholeDigits > 0 || c != '0')) ++wholeDigits;
  }
  if (!any || wholeDigits <= 30) return std::nullopt;
  return negative;
}

constexpr PairList kFeeMarks = DecimalMarks.Then({Remove("元"), Remove("股"), Remove("%"), Remove("万")});

const Decimal kMaxShares = Decimal::Whole(1000000000);
const Decimal kMaxPrice = Decimal::Whole(100000);
const Decimal kRateLimit = Decimal::Whole(100);

std::string Concat(std::string_view a, std::string_view b) {
  std::string s(a);
  s += b;
  return s;
}

// The message of a number too large to hold, for the field's rule.
std::string HugeMessage(std::string_view name, FieldRule rule, bool negative) {
  switch (rule) {
    case FieldRule::Price:
      return Concat(name, negative ? "必须大于0！" : "不能大于100000！");
    case FieldRule::Shares:
      return negative ? Concat(name, "必须大于0！") : std::string("股数必须是不大于1000000000的整数！");
    case FieldRule::Rate:
      return Concat(name, negative ? "不能为负数！" : "必须小于100！");
    case FieldRule::Minimum:
      return Concat(name, negative ? "不能为负数！" : "不是有效数字！");
  }
  return Concat(name, "不是有效数字！");
}

}  // namespace

int TickDecimals(Market market) { return market == Market::Stock ? 2 : 3; }

Decimal OneTick(Market market) { return Decimal(1, TickDecimals(market)); }

Decimal FeeAt(const Decimal& amount, const Decimal& ratePerTenThousand) {
  return Decimal::ProductRounded(amount, ratePerTenThousand, 2, 4);
}

OrderFees FeesOf(const Decimal& amount, Side side, Market market, const FeeRates& rates) {
  OrderFees f;
  f.commission = FeeAt(amount, rates.commission);
  const Decimal minimum = rates.minimum.Round(2);
  if (f.commission < minimum) f.commission = minimum;
  f.stampDuty = Decimal(0, 2);
  f.transferFee = Decimal(0, 2);
  if (market == Market::Stock) {
    f.transferFee = FeeAt(amount, rates.transferFee);
    if (side == Side::Sell) f.stampDuty = FeeAt(amount, rates.stampDuty);
  }
  return f;
}

Decimal BuyCost(const Decimal& price, const Decimal& shares, Market market, const FeeRates& rates) {
  const Decimal amount = price * shares;
  return amount + FeesOf(amount, Side::Buy, market, rates).Total();
}

Decimal SellProceeds(const Decimal& price, const Decimal& shares, Market market, const FeeRates& rates) {
  const Decimal amount = price * shares;
  return amount - FeesOf(amount, Side::Sell, market, rates).Total();
}

// The proceeds N(k) at k ticks lie within 0.015 yuan of V(k) = A −
// max(A × commission, minimum) − A × (stamp duty + transfer fee), A the
// amount at k ticks: each of the three fees is within half a cent of its
// unrounded value. V grows by at least 0.97 of the amount's growth, since
// every rate is below 1 %. Searching for the first k with N(k) ≥ cost − 0.03
// by bisection gives a k whose predecessor has N < cost − 0.03, so V < cost
// − 0.015 there and at every lower k, and no lower k breaks even; from k on,
// N reaches the cost within 0.06 yuan of further growth of V, that is at
// most about 62 ticks when one tick moves the amount by 0.001 yuan.
Decimal BreakEvenPrice(const Decimal& cost, const Decimal& shares, Market market, const FeeRates& rates) {
  const int t = TickDecimals(market);
  auto proceeds = [&](Int ticks) { return SellProceeds(Decimal(ticks, t), shares, market, rates); };
  const Decimal near = cost - Decimal(3, 2);
  auto nearCost = [&](Int ticks) { return proceeds(ticks) >= near; };
  Int start = 1;
  if (!nearCost(1)) {
    Int below = 1;  // nearCost(below) is false
    Int above = 2;  // until nearCost(above) is true
    while (!nearCost(above)) {
      below = above;
      if (above > kIntMax / 2) throw CalcError(ErrorKind::Overflow);
      above *= 2;
    }
    while (above - below > 1) {
      const Int mid = below + (above - below) / 2;
      (nearCost(mid) ? above : below) = mid;
    }
    start = above;
  }
  Int k = start;
  while (proceeds(k) < cost) ++k;
  return Decimal(k, t);
}

RoundTrip CalculateRoundTrip(const Decimal& buyPrice, const Decimal& shares, const Decimal& sellPrice,
                             Market market, const FeeRates& rates) {
  RoundTrip r;
  r.buyAmount = buyPrice * shares;
  r.buyFees = FeesOf(r.buyAmount, Side::Buy, market, rates);
  r.buyCost = r.buyAmount + r.buyFees.Total();
  r.sellAmount = sellPrice * shares;
  r.sellFees = FeesOf(r.sellAmount, Side::Sell, market, rates);
  r.sellProceeds = r.sellAmount - r.sellFees.Total();
  r.fees = r.buyFees.Total() + r.sellFees.Total();
  r.net = r.sellProceeds - r.buyCost;
  r.returnPercent = Decimal::Divide(r.net * Decimal::Whole(100), r.buyCost, 2);
  r.costPrice = Decimal::Divide(r.buyCost, shares, 3);
  r.breakEven = BreakEvenPrice(r.buyCost, shares, market, rates);
  return r;
}

// ---------------------------------------------------------------- the inputs

void CleanFeeText(std::string& field) {
  CleanNumberText(field, kFeeMarks);
  const std::size_t first = field.find_first_not_of(" \t");
  if (first == std::string::npos) {
    field.clear();
    return;
  }
  const std::size_t last = field.find_last_not_of(" \t");
  field = field.substr(first, last - first + 1);
}

FieldRead ReadFeeField(std::string_view cleaned, std::string_view name, FieldRule rule, Market market) {
  FieldRead out;
  if (IsMissing(cleaned)) {
    out.message = "请输入" + std::string(name) + "！";
    return out;
  }
  const std::optional<Decimal> parsed = Decimal::Parse(cleaned);
  if (!parsed) {
    const std::optional<bool> hugeNegative = HugePlainDecimal(cleaned);
    out.message = hugeNegative ? HugeMessage(name, rule, *hugeNegative) : Concat(name, "不是有效数字！");
    return out;
  }
  Decimal v = *parsed;
  const Decimal zero;
  switch (rule) {
    case FieldRule::Price:
      v = v.Round(TickDecimals(market));
      if (v <= zero) {
        out.message = Concat(name, "必须大于0！");
      } else if (v > kMaxPrice) {
        out.message = Concat(name, "不能大于100000！");
      }
      break;
    case FieldRule::Shares:
      if (v <= zero) {
        out.message = Concat(name, "必须大于0！");
      } else if (!v.IsWhole() || v > kMaxShares) {
        out.message = "股数必须是不大于1000000000的整数！";
      }
      v = v.Round(0);
      break;
    case FieldRule::Rate:
      if (v < zero) {
        out.message = Concat(name, "不能为负数！");
      } else if (v >= kRateLimit) {
        out.message = Concat(name, "必须小于100！");
      }
      v = v.Normalized();
      break;
    case FieldRule::Minimum:
      if (v < zero) out.message = Concat(name, "不能为负数！");
      v = v.Round(2);
      break;
  }
  if (out.message.empty()) out.value = v;
  return out;
}

RatesRead ReadRates(std::string commission, std::string minimum, std::string stampDuty, std::string transferFee,
                    Market market) {
  RatesRead out;
  FeeRates rates;
  struct Field {
    std::string* text;
    std::string_view name;
    FieldRule rule;
    Decimal* value;
  };
  const bool stock = market == Market::Stock;
  const Field fields[] = {
      {&commission, kCommissionName, FieldRule::Rate, &rates.commission},
      {&minimum, kMinimumName, FieldRule::Minimum, &rates.minimum},
      {stock ? &stampDuty : nullptr, kStampDutyName, FieldRule::Rate, &rates.stampDuty},
      {stock ? &transferFee : nullptr, kTransferFeeName, FieldRule::Rate, &rates.transferFee},
  };
  for (const Field& f : fields) {
    if (f.text == nullptr) continue;  // not charged on funds
    CleanFeeText(*f.text);
    FieldRead r = ReadFeeField(*f.text, f.name, f.rule, market);
    if (!r.value) {
      out.message = std::move(r.message);
      return out;
    }
    *f.value = *r.value;
  }
  out.rates = rates;
  return out;
}

}  // namespace hc
