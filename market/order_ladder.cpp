#include "market/order_ladder.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "numeric/numeric.h"

namespace hc {

namespace {

using Int = Decimal::Int;
using U128 = unsigned __int128;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

U128 Magnitude(Int v) { return v < 0 ? static_cast<U128>(0) - static_cast<U128>(v) : static_cast<U128>(v); }

// A decimal's units at a larger scale, if they fit.
std::optional<Int> UnitsAtScale(const Decimal& d, int scale) {
  Int units = d.units();
  for (int s = d.scale(); s < scale; ++s) {
    if (__builtin_mul_overflow(units, Int(10), &units)) return std::nullopt;
  }
  return units;
}

// Decimal::Text for the ladder's cells, several times faster for the common
// case of a figure that fits 64 bits (the general text divides 128-bit
// numbers digit by digit): the same rounding, the same digits.
std::string CellText(const Decimal& d, int decimals) {
  const Int units = d.UnitsAt(decimals);
  constexpr Int kLimit = Int(1) << 62;
  if (units >= kLimit || units <= -kLimit) return d.Text(decimals);
  const bool negative = units < 0;
  const std::int64_t magnitude = static_cast<std::int64_t>(negative ? -units : units);
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof(digits), magnitude).ptr;
  std::string whole(digits, end);
  if (static_cast<int>(whole.size()) <= decimals) whole.insert(0, static_cast<std::size_t>(decimals) + 1 - whole.size(), '0');
  std::string out;
  out.reserve(whole.size() + 2);
  if (negative) out += '-';
  out.append(whole, 0, whole.size() - static_cast<std::size_t>(decimals));
  if (decimals > 0) {
    out += '.';
    out.append(whole, whole.size() - static_cast<std::size_t>(decimals), std::string::npos);
  }
  return out;
}

// A share count as it reads best: whole numbers without decimals, others
// with the decimals they need.
std::string ShareText(const Decimal& d) {
  Int units = d.units();
  int scale = d.scale();
  while (scale > 0 && units % 10 == 0) {
    units /= 10;
    --scale;
  }
  return CellText(Decimal(units, scale), scale);
}

const Decimal kMaxShares = Decimal::Whole(1000000000000);        // 10^12
const Decimal kMaxAmount = Decimal::Whole(1000000000000000);     // 10^15 yuan
const Decimal kIncrease = Decimal::Whole(100);

// The step's shares: the regular grid trades the same each time, the
// increasing grid 100 more every step, the doubling grid twice the last.
class StepShares {
 public:
  StepShares(GridKind kind, const Decimal& first) : kind_(kind), current_(first) {}
  const Decimal& Next() {
    if (step_++ == 0) return current_;
    if (kind_ == GridKind::Increasing) current_ = current_ + kIncrease;
    if (kind_ == GridKind::Doubling) current_ = current_ + current_;
    return current_;
  }

 private:
  GridKind kind_;
  Decimal current_;
  int step_ = 0;
};

// A table row: the step's name, then its cells, moved in.
std::vector<std::string> Row(std::string_view side, std::int64_t step, std::array<std::string, 7>&& cells) {
  std::vector<std::string> row;
  row.reserve(1 + cells.size());
  row.push_back(std::string(side) + std::to_string(step));
  for (std::string& c : cells) row.push_back(std::move(c));
  return row;
}

// The whole step count of a grid text, capped at the ladder's limit.
std::int64_t StepCount(const std::string& text, bool& capped) {
  const std::optional<Decimal> d = LeadingDecimal(text);
  if (!d) {  // beyond any Decimal: far more steps than the ladder lists
    capped = true;
    return kMaxLadderSteps;
  }
  if (d->sign() <= 0) return 0;
  if (*d > Decimal::Whole(kMaxLadderSteps)) {
    capped = true;
    return kMaxLadderSteps;
  }
  return static_cast<std::int64_t>(d->Round(0).units());
}

}  // namespace

// ---------------------------------------------------------------- reading

std::optional<Decimal> LeadingDecimal(std::string_view text) {
  std::size_t i = 0;
  auto skip = [&] {
    while (i < text.size() && IsBlank(text[i])) ++i;
  };
  skip();
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::string digits;  // significant digits, without leading zeros
  int decimals = 0;
  bool point = false;
  for (;; ++i) {
    skip();
    if (i >= text.size()) break;
    const char c = text[i];
    if (c == '.' && !point) {
      point = true;
    } else if (IsDigit(c)) {
      if (!digits.empty() || c != '0') digits += c;
      if (point) ++decimals;
    } else {
      break;
    }
  }
  // An exponent counts only with at least one digit.
  std::int64_t exponent = 0;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    std::size_t j = i + 1;
    auto skipAt = [&] {
      while (j < text.size() && IsBlank(text[j])) ++j;
    };
    skipAt();
    bool expNegative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      expNegative = text[j] == '-';
      ++j;
    }
    bool any = false;
    for (;; ++j) {
      skipAt();
      if (j >= text.size() || !IsDigit(text[j])) break;
      any = true;
      if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
    }
    if (any) exponent = expNegative ? -exponent : exponent;
    if (!any) exponent = 0;
  }
  if (digits.empty()) return Decimal(0, 0);
  // value = digits × 10^(exponent − decimals); trailing zeros move into the
  // exponent so that the digits stay as few as they can.
  std::int64_t power = exponent - decimals;
  while (digits.size() > 1 && digits.back() == '0') {
    digits.pop_back();
    ++power;
  }
  if (digits.size() > 38) return std::nullopt;
  Int units = 0;
  for (char c : digits) units = units * 10 + (c - '0');
  if (power > 0) {
    if (power > 38) return std::nullopt;
    for (std::int64_t k = 0; k < power; ++k) {
      if (__builtin_mul_overflow(units, Int(10), &units)) return std::nullopt;
    }
    power = 0;
  }
  if (-power > Decimal::kMaxScale) return std::nullopt;
  return Decimal(negative ? -units : units, static_cast<int>(-power));
}

// ---------------------------------------------------------------- prices

TickPrices::TickPrices(const Decimal& base, Int factorUnits, int factorScale, int tickDecimals, std::size_t keepLimbs)
    : base_(Magnitude(base.units())),
      factor_(Magnitude(factorUnits)),
      power_(1),
      baseScale_(base.scale()),
      factorScale_(factorScale),
      tick_(tickDecimals),
      keep_(std::max<std::size_t>(keepLimbs, 2)),
      baseNegative_(base.sign() < 0),
      factorNegative_(factorUnits < 0),
      zero_(base.sign() == 0 || factorUnits == 0) {
  // Trailing zeros of the factor only lengthen its powers.
  while (factorScale_ > 0 && factorUnits % 10 == 0) {
    factorUnits /= 10;
    --factorScale_;
  }
  factor_ = LongNumber(Magnitude(factorUnits));
}

std::optional<Int> TickPrices::Next() {
  ++step_;
  if (zero_) return Int(0);
  power_ = power_ * factor_;
  if (power_.Limbs() > keep_) {
    dropped_ += power_.Truncate(keep_);
    exact_ = false;
  }
  if (baseNegative_ != (factorNegative_ && step_ % 2 == 1)) return Int(0);
  // price in ticks = |P| × power × 10^(9 dropped) / 10^(i × scale + P's scale − tick)
  const std::int64_t cut = step_ * factorScale_ + baseScale_ - tick_ - LongNumber::kLimbDigits * dropped_;
  const LongNumber z = base_ * power_;
  if (z.Digits() - cut > 21) return std::nullopt;  // beyond 10^20 ticks
  LongNumber ticks;
  if (exact_) {
    ticks = z.RoundedShift(static_cast<int>(cut));
  } else {
    // The cut power lies below the true one by less than 2 × i × 10^-(9 (keep − 1)) of it.
    const LongNumber bound =
        (z * LongNumber(static_cast<U128>(2 * step_))).ShiftedDown(LongNumber::kLimbDigits * static_cast<int>(keep_ - 1));
    const LongNumber high = z + bound + LongNumber(1);
    ticks = z.RoundedShift(static_cast<int>(cut));
    if (high.RoundedShift(static_cast<int>(cut)) != ticks) {
      const LongNumber exact = base_ * factor_.Power(static_cast<std::uint64_t>(step_));
      ticks = exact.RoundedShift(static_cast<int>(step_ * factorScale_ + baseScale_ - tick_));
    }
  }
  const std::optional<U128> v = ticks.ToU128();
  if (!v) return std::nullopt;
  return static_cast<Int>(*v);
}

// ---------------------------------------------------------------- the ladder

namespace {

// The ladder's steps as far as they fit the limits; a figure that leaves
// the exact type stops it at that step, as one beyond the limits does.
void FillLadder(Ladder& out, const GridPress& grid, Market market, const FeeRates& rates) {
  const std::optional<Decimal> price = LeadingDecimal(grid.basePrice);
  const std::optional<Decimal> base = LeadingDecimal(grid.baseShares);
  const std::optional<Decimal> step = LeadingDecimal(grid.stepShares);
  const std::optional<Decimal> percent = LeadingDecimal(grid.stepPercent);
  const std::int64_t up = StepCount(grid.upSteps, out.capped);
  const std::int64_t down = StepCount(grid.downSteps, out.capped);
  if (step && (step->sign() <= 0 || !step->IsWhole())) {
    out.notWholeStep = true;
    return;
  }
  // The base position itself must stay within the limits of one order.
  if (!price || !base || !step || !percent || base->Round(0) > kMaxShares || -base->Round(0) > kMaxShares ||
      *step > kMaxShares) {
    out.tooLarge = true;
    return;
  }
  const Decimal P = *price;
  const Decimal S = *base;
  // The base position as bought at P, settled in cents.
  const Decimal baseCost = OrderAmount(P, S);
  if (baseCost > kMaxAmount || -baseCost > kMaxAmount) {
    out.tooLarge = true;
    return;
  }
  // 1 ± r with r = percent / 100, as units at the percent's scale + 2.
  const int fScale = percent->scale() + 2;
  const std::optional<Int> one = UnitsAtScale(Decimal(1, 0), fScale);
  if (!one || fScale > 36) {
    out.tooLarge = true;
    return;
  }
  const Int r = percent->units();
  Int upFactor = 0;
  Int downFactor = 0;
  if (__builtin_add_overflow(*one, r, &upFactor) || __builtin_sub_overflow(*one, r, &downFactor)) {
    out.tooLarge = true;
    return;
  }
  const int t = TickDecimals(market);
  auto priceAt = [&](const std::optional<Int>& ticks) { return Decimal(std::max<Int>(*ticks, 1), t); };

  // Sells, one per up step.
  {
    TickPrices prices(P, upFactor, fScale, t);
    out.sells.reserve(static_cast<std::size_t>(up));
    out.sellShort.reserve(static_cast<std::size_t>(up));
    StepShares shares(grid.kind, *step);
    Decimal cumulative(0, 2);
    Decimal sold;
    Decimal fees(0, 2);
    for (std::int64_t i = 1; i <= up; ++i) try {
      const Decimal q = shares.Next();
      const std::optional<Int> ticks = prices.Next();
      if (q > kMaxShares || !ticks) {
        out.tooLarge = true;
        break;
      }
      const Decimal at = priceAt(ticks);
      const Decimal amount = OrderAmount(at, q);
      if (amount > kMaxAmount) {
        out.tooLarge = true;
        break;
      }
      const Decimal fee = FeesOf(amount, Side::Sell, market, rates).Total();
      // What the sell brings in over what its shares cost at P.
      const Decimal profit = amount - OrderAmount(P, q) - fee;
      cumulative = cumulative + profit;
      sold = sold + q;
      fees = fees + fee;
      const Decimal left = S - sold;
      out.sells.push_back(Row("卖", i, {CellText(at, t), ShareText(q), CellText(amount, 2), CellText(fee, 2),
                                       CellText(profit, 2), CellText(cumulative, 2), ShareText(left)}));
      out.sellShort.push_back(left.sign() < 0);
    } catch (const CalcError&) {
      out.tooLarge = true;
      break;
    }
    out.sellFees = CellText(fees, 2);
    out.netProfit = CellText(cumulative, 2);
  }

  // Buys, one per down step.
  {
    TickPrices prices(P, downFactor, fScale, t);
    out.buys.reserve(static_cast<std::size_t>(down));
    StepShares shares(grid.kind, *step);
    Decimal held = S;
    Decimal cost = baseCost;
    Decimal fees(0, 2);
    auto average = [&]() -> std::string {
      return held.sign() == 0 ? std::string() : CellText(Decimal::Divide(cost, held, 3), 3);
    };
    for (std::int64_t i = 1; i <= down; ++i) try {
      const Decimal q = shares.Next();
      const std::optional<Int> ticks = prices.Next();
      if (q > kMaxShares || !ticks) {
        out.tooLarge = true;
        break;
      }
      const Decimal at = priceAt(ticks);
      const Decimal amount = OrderAmount(at, q);
      if (amount > kMaxAmount) {
        out.tooLarge = true;
        break;
      }
      const Decimal fee = FeesOf(amount, Side::Buy, market, rates).Total();
      held = held + q;
      cost = cost + amount + fee;
      fees = fees + fee;
      out.buys.push_back(Row("买", i, {CellText(at, t), ShareText(q), CellText(amount, 2), CellText(fee, 2),
                                      ShareText(held), CellText(cost, 2), average()}));
    } catch (const CalcError&) {
      out.tooLarge = true;
      break;
    }
    out.buyFees = CellText(fees, 2);
    out.holdings = ShareText(held);
    out.averageCost = average();
  }
}

}  // namespace

Ladder BuildLadder(const GridPress& grid, Market market, const FeeRates& rates) {
  Ladder out;
  try {
    FillLadder(out, grid, market, rates);
  } catch (const CalcError&) {
    // A figure of the summary beyond the exact type: the rows stand, the
    // summary is left out.
    out.tooLarge = true;
  }
  return out;
}

// ---------------------------------------------------------------- copy and save

namespace {

template <class Cell>
void AppendTables(std::string& out, std::span<const TableText> tables, std::string_view separator,
                  std::string_view lineEnd, Cell cell) {
  for (std::size_t k = 0; k < tables.size(); ++k) {
    const TableText& table = tables[k];
    if (k > 0) out += lineEnd;
    cell(out, table.title);
    out += lineEnd;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
      if (c > 0) out += separator;
      cell(out, table.columns[c]);
    }
    out += lineEnd;
    for (const auto& row : *table.rows) {
      for (std::size_t c = 0; c < row.size(); ++c) {
        if (c > 0) out += separator;
        cell(out, row[c]);
      }
      out += lineEnd;
    }
  }
}

void PlainCell(std::string& out, std::string_view cell) { out += cell; }

void CsvCell(std::string& out, std::string_view cell) {
  if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += cell;
    return;
  }
  out += '"';
  for (char c : cell) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace

std::string TabSeparated(std::span<const TableText> tables) {
  std::string out;
  AppendTables(out, tables, "\t", "\n", PlainCell);
  return out;
}

std::string TabSeparatedRows(std::span<const std::vector<std::string>> rows) {
  std::string out;
  for (const auto& row : rows) {
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) out += '\t';
      out += row[c];
    }
    out += '\n';
  }
  return out;
}

std::string CommaSeparated(std::span<const TableText> tables) {
  std::string out;
  AppendTables(out, tables, ",", "\r\n", CsvCell);
  return out;
}

std::string CsvFileBytes(std::span<const TableText> tables) { return "\xEF\xBB\xBF" + CommaSeparated(tables); }

}  // namespace hc
