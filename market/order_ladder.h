// The grid's order ladder: for the grid the grid-trading screen last
// computed, one conditional order per step, at a price the exchange accepts
// (P × (1 ± r)^i rounded half up to the tick, exactly), with its fees, the
// profit of every sell and the average cost after every buy. Also the texts
// the ladder is copied and saved as. Qt-free; the screen shows what this
// unit builds.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "numeric/decimal.h"
#include "market/grid.h"
#include "market/fees.h"
#include "numeric/long_number.h"

namespace hc {

// A number as the grid screen reads its fields (blanks ignored anywhere, an
// optional sign, digits with one point, an optional exponent; reading stops
// at the first character that does not fit, no digit at all is 0), but
// exact. Empty when the value does not fit a Decimal.
std::optional<Decimal> LeadingDecimal(std::string_view text);

// The prices P × f^i on the tick, i = 1, 2, …, rounded half up, exactly.
// f = units / 10^scale. The power is kept exactly while it is short; once it
// grows long only its `keepLimbs` highest limbs are kept, with a bound on
// what was dropped, and a rounding the bound cannot decide (a price within
// that bound of a half tick) is redone with the exact power.
class TickPrices {
 public:
  TickPrices(const Decimal& base, Decimal::Int factorUnits, int factorScale, int tickDecimals,
             std::size_t keepLimbs = 6);
  // The next step's price in ticks: 0 for a price of zero or below, empty
  // for one beyond 10^20 ticks.
  std::optional<Decimal::Int> Next();

 private:
  LongNumber base_;    // |P| in units of 10^-baseScale_
  LongNumber factor_;  // |f| in units of 10^-factorScale_
  LongNumber power_;   // |f|^i, cut to power_ × 10^(9 × dropped_)
  int baseScale_;
  int factorScale_;
  int tick_;
  std::size_t keep_;
  std::int64_t step_ = 0;
  std::int64_t dropped_ = 0;
  bool exact_ = true;
  bool baseNegative_;
  bool factorNegative_;
  bool zero_;
};

// The ladder's limits: a step beyond them and every later one is left out.
inline constexpr std::int64_t kMaxLadderSteps = 10000;

struct Ladder {
  std::vector<std::vector<std::string>> sells;  // 档位 … 剩余底仓
  std::vector<bool> sellShort;                  // the base position is oversold at that row
  std::vector<std::vector<std::string>> buys;   // 档位 … 摊薄成本价
  std::string sellFees, netProfit, buyFees, holdings, averageCost;  // the summary fields
  bool tooLarge = false;     // stopped before a step beyond 10^12 shares or 10^15 yuan
  bool capped = false;       // more steps than kMaxLadderSteps
  bool notWholeStep = false; // the shares per step are not a whole number above 0: no orders
};

Ladder BuildLadder(const GridPress& grid, Market market, const FeeRates& rates);

// The column headers of the two tables.
inline constexpr std::string_view kSellColumns[] = {"档位", "卖出价", "股数",     "成交金额",
                                                    "手续费", "本档净利", "累计净利", "剩余底仓"};
inline constexpr std::string_view kBuyColumns[] = {"档位",   "买入价",   "股数",     "成交金额",
                                                   "手续费", "累计持股", "累计成本", "摊薄成本价"};

// A table as it is copied or saved: a title line, the header line, the rows.
struct TableText {
  std::string_view title;
  std::span<const std::string_view> columns;
  const std::vector<std::vector<std::string>>* rows;
};

// Tab-separated lines ending in "\n", tables one after the other with an
// empty line between them, as spreadsheets paste them.
std::string TabSeparated(std::span<const TableText> tables);
// Rows alone, tab-separated, for a copy of selected rows.
std::string TabSeparatedRows(std::span<const std::vector<std::string>> rows);
// Comma-separated lines ending in "\r\n", laid out as TabSeparated; a cell
// with a comma, a double quote or a line break is quoted, its quotes doubled.
std::string CommaSeparated(std::span<const TableText> tables);
// The bytes of a CSV file: a UTF-8 byte-order mark, then CommaSeparated.
std::string CsvFileBytes(std::span<const TableText> tables);

}  // namespace hc
