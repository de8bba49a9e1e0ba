// Form49, position size by risk (仓位计算): how many shares to buy so that
// being stopped out loses at most the chosen share of the account, with both
// legs' fees at the trading-costs screen's rates, within the cash at hand
// and in the quantities the board accepts; what the buy costs and what the
// stop would lose. The rules are the position-size unit's; this screen reads
// its fields and writes the results.
#include <string>
#include <string_view>

#include "market/position_size.h"
#include "screens/tools/money_field.h"
#include "screens/tools/tool_screen.h"
#include "screens/tools/two_columns.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr int kBoardGroup = 1;

// Rows of the options, the inputs and the results, in twips.
constexpr int kOptionRows[] = {60, 360};
constexpr int kInputRows[] = {780, 1125, 1470};
constexpr int kResultRows[] = {2340, 2685, 3030, 3375, 3720};
using namespace two_columns;  // NOLINT(google-build-using-namespace): the grid of the layout table

constexpr ControlSpec kControls[] = {
    OptionButton("Option1", "主板、创业板（100股整数倍）", kBoardGroup, 120, kOptionRows[0], 2880, 270).Checked(),
    OptionButton("Option2", "科创板（200股起，1股递增）", kBoardGroup, 3120, kOptionRows[0], 2880, 270),
    OptionButton("Option3", "北交所（100股起，1股递增）", kBoardGroup, 120, kOptionRows[1], 2880, 270),
    // The account, the risk, the two prices and the cash.
    Label("Label1", "账户资金：", kLeftCaption, CaptionTop(kInputRows[0]), kLeftCaptionWidth, kCaptionHeight),
    TextField("Text1", "200000", kLeftField, kInputRows[0], kLeftFieldWidth, kFieldHeight),
    Label("Label2", "元", kLeftUnit, CaptionTop(kInputRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label3", "单笔风险：", kRightCaption, CaptionTop(kInputRows[0]), kRightCaptionWidth, kCaptionHeight),
    TextField("Text2", "1", kRightField, kInputRows[0], kRightFieldWidth, kFieldHeight),
    Label("Label4", "%", kRightUnit, CaptionTop(kInputRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label5", "买入价：", kLeftCaption, CaptionTop(kInputRows[1]), kLeftCaptionWidth, kCaptionHeight),
    TextField("Text3", "15", kLeftField, kInputRows[1], kLeftFieldWidth, kFieldHeight),
    Label("Label6", "元", kLeftUnit, CaptionTop(kInputRows[1]), kUnitWidth, kCaptionHeight),
    Label("Label7", "止损价：", kRightCaption, CaptionTop(kInputRows[1]), kRightCaptionWidth, kCaptionHeight),
    TextField("Text4", "14.2", kRightField, kInputRows[1], kRightFieldWidth, kFieldHeight),
    Label("Label8", "元", kRightUnit, CaptionTop(kInputRows[1]), kUnitWidth, kCaptionHeight),
    Label("Label9", "可用资金：", kLeftCaption, CaptionTop(kInputRows[2]), kLeftCaptionWidth, kCaptionHeight),
    TextField("Text5", "", kLeftField, kInputRows[2], kLeftFieldWidth, kFieldHeight),
    Label("Label10", "元", kLeftUnit, CaptionTop(kInputRows[2]), kUnitWidth, kCaptionHeight),
    Label("Label11", "（空为账户资金）", kRightCaption, CaptionTop(kInputRows[2]), kRightCaptionWidth, kCaptionHeight),
    // The rates used, on up to two lines.
    Label("Label12", kLoadRatesLine, 120, 1875, 5955, 360).FixedSize(),
    // The budget and the shares.
    Label("Label13", "风险金额：", kLeftCaption, CaptionTop(kResultRows[0]), kLeftCaptionWidth, kCaptionHeight),
    ResultField("Text6", "", kLeftField, kResultRows[0], kLeftFieldWidth, kFieldHeight),
    Label("Label14", "元", kLeftUnit, CaptionTop(kResultRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label15", "按风险估算股数：", kRightCaption, CaptionTop(kResultRows[0]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text7", "", kRightField, kResultRows[0], kRightFieldWidth, kFieldHeight),
    Label("Label16", "股", kRightUnit, CaptionTop(kResultRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label17", "建议买入股数：", kLeftCaption, CaptionTop(kResultRows[1]), kLeftCaptionWidth, kCaptionHeight),
    ResultField("Text8", "", kLeftField, kResultRows[1], kLeftFieldWidth, kFieldHeight),
    Label("Label18", "股", kLeftUnit, CaptionTop(kResultRows[1]), kUnitWidth, kCaptionHeight),
    // The buy.
    Label("Label19", "买入金额：", kRightCaption, CaptionTop(kResultRows[1]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text9", "", kRightField, kResultRows[1], kRightFieldWidth, kFieldHeight),
    Label("Label20", "元", kRightUnit, CaptionTop(kResultRows[1]), kUnitWidth, kCaptionHeight),
    Label("Label21", "买入费用：", kLeftCaption, CaptionTop(kResultRows[2]), kLeftCaptionWidth, kCaptionHeight),
    ResultField("Text10", "", kLeftField, kResultRows[2], kLeftFieldWidth, kFieldHeight),
    Label("Label22", "元", kLeftUnit, CaptionTop(kResultRows[2]), kUnitWidth, kCaptionHeight),
    Label("Label23", "买入总成本：", kRightCaption, CaptionTop(kResultRows[2]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text11", "", kRightField, kResultRows[2], kRightFieldWidth, kFieldHeight),
    Label("Label24", "元", kRightUnit, CaptionTop(kResultRows[2]), kUnitWidth, kCaptionHeight),
    // What the stop would lose, and the share of the account bought.
    Label("Label25", "止损亏损（含费用）：", kLeftCaption, CaptionTop(kResultRows[3]), kLeftCaptionWidth,
          kCaptionHeight),
    ResultField("Text12", "", kLeftField, kResultRows[3], kLeftFieldWidth, kFieldHeight).Color(kGreen),
    Label("Label26", "元", kLeftUnit, CaptionTop(kResultRows[3]), kUnitWidth, kCaptionHeight),
    Label("Label27", "止损亏损占资金：", kRightCaption, CaptionTop(kResultRows[3]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text13", "", kRightField, kResultRows[3], kRightFieldWidth, kFieldHeight).Color(kGreen),
    Label("Label28", "仓位占比：", kLeftCaption, CaptionTop(kResultRows[4]), kLeftCaptionWidth, kCaptionHeight),
    ResultField("Text14", "", kLeftField, kResultRows[4], kLeftFieldWidth, kFieldHeight),
    Label("Label29", "限制因素：", kRightCaption, CaptionTop(kResultRows[4]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text15", "", kRightField, kResultRows[4], kRightFieldWidth, kFieldHeight),
    // Buttons and footer.
    Button("Command1", "计算", 120, 4320, 1300, 375),
    Button("Command2", "清空文本框", 1560, 4320, 1300, 375),
    Button("Command3", "切换回去", 3000, 4320, 1300, 375),
    Label("Label30", "仅作辅助计算，不能作投资决策用。", 120, 4725, 3200, 200).Color(kDarkGrey).Font("宋体", 10, true),
};

constexpr std::string_view kTabOrder[] = {"Text1",   "Text2",   "Text3",    "Text4",    "Text5",   "Option1",
                                          "Option2", "Option3", "Command1", "Command2", "Command3"};

constexpr ScreenSpec kSpec = ToolSpec("Form49", "仓位计算--衡川2.0", kControls, kTabOrder);

class PositionSizeScreen final : public ToolScreen {
 public:
  explicit PositionSizeScreen(App& app) : ToolScreen(app, kSpec) {
    OnCalculate("Command1", &PositionSizeScreen::Calculate);
    OnClear("Command2", &PositionSizeScreen::Clear);
    OnOption("Option1");
    OnOption("Option2");
    OnOption("Option3");
  }

 protected:
  // The rates may have changed on the trading-costs screen meanwhile.
  void Showing() override { ShowRates(); }

 private:
  void ShowRates() { ratesLine = CurrentRatesLine(Market::Stock); }
  Board board() const {
    return starOption.checked ? Board::Star : beijingOption.checked ? Board::Beijing : Board::MainBoard;
  }

  // "计算": the fields cleaned, then checked in order, the first failure
  // prompted and nothing written; then the largest quantity the risk and
  // the cash allow, and what buying it costs and the stop would lose.
  void Calculate() {
    CleanField(account, FieldKind::Amount);
    CleanField(riskPercent, FieldKind::Percent);
    CleanField(entryPrice, FieldKind::Price);
    CleanField(stopPrice, FieldKind::Price);
    CleanField(cash, FieldKind::Amount);
    const int t = TickDecimals(Market::Stock);
    const FieldRead a = ReadMoney(account, "账户资金");
    if (!a) return Prompt(a);
    constexpr std::string_view riskOutside = "单笔风险必须大于0且不超过100！";
    const FieldRead r = ReadInRange(riskPercent, "单笔风险", Bound{Decimal::Whole(0), false}, riskOutside,
                                    Bound{Decimal::Whole(100)}, riskOutside);
    if (!r) return Prompt(r);
    const FieldRead entry = ReadPrice(entryPrice, "买入价", t);
    if (!entry) return Prompt(entry);
    const FieldRead stop = ReadPrice(stopPrice, "止损价", t);
    if (!stop) return Prompt(stop);
    const FieldRead c = cash.empty() ? a : ReadMoney(cash, "可用资金");
    if (!c) return Prompt(c);
    if (!(*stop < *entry)) return PromptMissing("止损价必须低于买入价！");
    if (*c > *a) return PromptMissing("可用资金不能大于账户资金！");
    const std::optional<FeeRates> rates = TradingRates(Market::Stock);
    if (!rates) return ShowRates();
    ratesLine = RatesLine(*rates, Market::Stock);

    const Board b = board();
    const std::optional<PositionSize> p = CalculatePositionSize(*a, *r, *entry, *stop, *c, b, *rates);
    if (!p) {
      return PromptMissing("按此风险和资金，连最少的" + std::to_string(LeastQuantity(b)) + "股也买不了！");
    }
    entryPrice = entry->Text(t);
    stopPrice = stop->Text(t);
    riskBudget = p->riskBudget.Text(2);
    riskShares = p->riskShares.Text(2);
    shares = p->shares.Text(0);
    buyAmount = p->buyAmount.Text(2);
    buyFees = p->buyFees.Text(2);
    buyCost = p->buyCost.Text(2);
    stopLoss = p->stopLoss.Text(2);
    stopLossPercent = p->stopLossPercent.Text(2) + "%";
    positionPercent = p->positionPercent.Text(2) + "%";
    limit = p->limit == Limit::Risk ? "风险" : "可用资金";
    ResultsShown();
  }

  // "清空文本框": the prices, the cash and every result; the account, the
  // risk, the board and the rates stay.
  void Clear() {
    for (std::string* field : {&entryPrice, &stopPrice, &cash, &riskBudget, &riskShares, &shares, &buyAmount, &buyFees,
                               &buyCost, &stopLoss, &stopLossPercent, &positionPercent, &limit}) {
      field->clear();
    }
  }

  const Control& starOption = At("Option2");
  const Control& beijingOption = At("Option3");  // the main board when neither is chosen
  // The account, the risk and the trade.
  std::string& account = text("Text1");
  std::string& riskPercent = text("Text2");
  std::string& entryPrice = text("Text3");  // as typed, then on the tick
  std::string& stopPrice = text("Text4");   // as typed, then on the tick
  std::string& cash = text("Text5");        // empty: the whole account
  std::string& ratesLine = text("Label12");
  // The results.
  std::string& riskBudget = text("Text6");
  std::string& riskShares = text("Text7");  // without fees or lots
  std::string& shares = text("Text8");
  std::string& buyAmount = text("Text9");
  std::string& buyFees = text("Text10");
  std::string& buyCost = text("Text11");
  std::string& stopLoss = text("Text12");
  std::string& stopLossPercent = text("Text13");
  std::string& positionPercent = text("Text14");
  std::string& limit = text("Text15");
};

}  // namespace

std::unique_ptr<Screen> MakePositionSize(App& app) { return std::make_unique<PositionSizeScreen>(app); }

}  // namespace hc
