// Form44, adding to a position until its cost comes down to a target
// (补仓到目标成本): the least whole number of lots to buy at today's price,
// with the buy's fees at the trading-costs screen's rates, that brings the
// holding's average cost to the target; what the buy costs and the holding
// after it. The rules are the cost-target unit's; this screen reads its
// fields and writes the results.
#include <string>
#include <string_view>

#include "market/cost_target.h"
#include "screens/tools/tool_screen.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

// Rows of the inputs and of the results, in twips.
constexpr int kInputRows[] = {540, 885};
constexpr int kResultRows[] = {1860, 2265, 2670, 3075};
constexpr int kFieldHeight = 300;
constexpr int kCaptionHeight = 180;
constexpr int CaptionTop(int row) { return row + 60; }

// Columns: caption, field and unit on the left and on the right.
constexpr int kLeftCaption = 120;
constexpr int kLeftField = 1440;
constexpr int kRightCaption = 3360;
constexpr int kRightField = 4440;
constexpr int kCaptionWidth = 1260;
constexpr int kRightCaptionWidth = 1080;
constexpr int kInputWidth = 1200;
constexpr int kLeftResultWidth = 1560;
constexpr int kRightResultWidth = 1440;
constexpr int kUnitWidth = 240;
constexpr int kLeftInputUnit = kLeftField + kInputWidth + 40;
constexpr int kRightInputUnit = kRightField + kInputWidth + 40;
constexpr int kLeftResultUnit = kLeftField + kLeftResultWidth + 40;
constexpr int kRightResultUnit = kRightField + kRightResultWidth + 40;

constexpr ControlSpec kControls[] = {
    OptionButton("Option1", "股票", 1, 120, 120, 900, 285).Checked(),
    OptionButton("Option2", "场内基金（ETF、LOF）", 1, 1080, 120, 2700, 285),
    // The holding, the price and the target.
    Label("Label2", "持仓股数：", kLeftCaption, CaptionTop(kInputRows[0]), kCaptionWidth, kCaptionHeight),
    TextField("Text1", "1000", kLeftField, kInputRows[0], kInputWidth, kFieldHeight),
    Label("Label3", "股", kLeftInputUnit, CaptionTop(kInputRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label4", "持仓成本价：", kLeftCaption, CaptionTop(kInputRows[1]), kCaptionWidth, kCaptionHeight),
    TextField("Text2", "16.64", kLeftField, kInputRows[1], kInputWidth, kFieldHeight),
    Label("Label5", "元", kLeftInputUnit, CaptionTop(kInputRows[1]), kUnitWidth, kCaptionHeight),
    Label("Label6", "补仓价：", kRightCaption, CaptionTop(kInputRows[0]), kRightCaptionWidth, kCaptionHeight),
    TextField("Text3", "13.23", kRightField, kInputRows[0], kInputWidth, kFieldHeight),
    Label("Label7", "元", kRightInputUnit, CaptionTop(kInputRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label8", "目标成本价：", kRightCaption, CaptionTop(kInputRows[1]), kRightCaptionWidth, kCaptionHeight),
    TextField("Text4", "15", kRightField, kInputRows[1], kInputWidth, kFieldHeight),
    Label("Label9", "元", kRightInputUnit, CaptionTop(kInputRows[1]), kUnitWidth, kCaptionHeight),
    // The rates used, on up to two lines.
    Label("Label1", kLoadRatesLine, 120, 1320, 5955, 360).FixedSize(),
    // The shares on the left, the money on the right.
    Label("Label10", "理论补仓股数：", kLeftCaption, CaptionTop(kResultRows[0]), kCaptionWidth, kCaptionHeight),
    ResultField("Text5", "", kLeftField, kResultRows[0], kLeftResultWidth, kFieldHeight),
    Label("Label11", "股", kLeftResultUnit, CaptionTop(kResultRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label12", "需补仓股数：", kLeftCaption, CaptionTop(kResultRows[1]), kCaptionWidth, kCaptionHeight),
    ResultField("Text6", "", kLeftField, kResultRows[1], kLeftResultWidth, kFieldHeight),
    Label("Label13", "股", kLeftResultUnit, CaptionTop(kResultRows[1]), kUnitWidth, kCaptionHeight),
    Label("Label14", "补仓金额：", kRightCaption, CaptionTop(kResultRows[0]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text7", "", kRightField, kResultRows[0], kRightResultWidth, kFieldHeight),
    Label("Label15", "元", kRightResultUnit, CaptionTop(kResultRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label16", "补仓费用：", kRightCaption, CaptionTop(kResultRows[1]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text8", "", kRightField, kResultRows[1], kRightResultWidth, kFieldHeight),
    Label("Label17", "元", kRightResultUnit, CaptionTop(kResultRows[1]), kUnitWidth, kCaptionHeight),
    Label("Label18", "所需资金：", kRightCaption, CaptionTop(kResultRows[2]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text9", "", kRightField, kResultRows[2], kRightResultWidth, kFieldHeight),
    Label("Label19", "元", kRightResultUnit, CaptionTop(kResultRows[2]), kUnitWidth, kCaptionHeight),
    // The holding after the buy.
    Label("Label20", "补仓后持股：", kLeftCaption, CaptionTop(kResultRows[2]), kCaptionWidth, kCaptionHeight),
    ResultField("Text10", "", kLeftField, kResultRows[2], kLeftResultWidth, kFieldHeight),
    Label("Label21", "股", kLeftResultUnit, CaptionTop(kResultRows[2]), kUnitWidth, kCaptionHeight),
    Label("Label22", "补仓后成本价：", kLeftCaption, CaptionTop(kResultRows[3]), kCaptionWidth, kCaptionHeight),
    ResultField("Text11", "", kLeftField, kResultRows[3], kLeftResultWidth, kFieldHeight),
    Label("Label23", "元", kLeftResultUnit, CaptionTop(kResultRows[3]), kUnitWidth, kCaptionHeight),
    // Buttons and footer.
    Button("Command1", "计算", 120, 4320, 1300, 375),
    Button("Command2", "清空文本框", 1560, 4320, 1300, 375),
    Button("Command3", "切换回去", 3000, 4320, 1300, 375),
    Label("Label24", "仅作辅助计算，不能作投资决策用。", 120, 4725, 3200, 200)
        .Color(kDarkGrey)
        .Font("宋体", 10, true),
};

constexpr std::string_view kTabOrder[] = {"Text1",   "Text2",    "Text3",    "Text4",   "Option1",
                                          "Option2", "Command1", "Command2", "Command3"};

constexpr ScreenSpec kSpec = ToolSpec("Form44", "补仓到目标成本--衡川2.0", kControls, kTabOrder);

// A cost price of this screen: above 0 and at most 100000, each end with
// the field's own message.
FieldRead ReadPositiveCost(std::string_view cleaned, std::string_view name) {
  std::string below(name);
  below += "必须大于0！";
  std::string above(name);
  above += "不能大于100000！";
  return ReadInRange(cleaned, name, Bound{Decimal::Whole(0), false}, below, Bound{Decimal::Whole(100000)}, above);
}

class CostTargetScreen final : public ToolScreen {
 public:
  explicit CostTargetScreen(App& app) : ToolScreen(app, kSpec) {
    OnCalculate("Command1", &CostTargetScreen::Calculate);
    OnClear("Command2", &CostTargetScreen::Clear);
    OnOption("Option1", [this] { ShowRates(); });
    OnOption("Option2", [this] { ShowRates(); });
  }

 private:
  Market market() const { return fundOption.checked ? Market::Fund : Market::Stock; }
  void ShowRates() override { ratesLine = CurrentRatesLine(market()); }

  // "计算": the fields cleaned, then checked in order, the first failure
  // prompted and nothing written; then the least lots that reach the target
  // and what buying them costs.
  void Calculate() {
    const Market m = market();
    const int t = TickDecimals(m);
    CleanField(heldShares, FieldKind::Count);
    CleanField(costPrice, FieldKind::CostPrice);
    CleanField(buyPrice, FieldKind::Price);
    CleanField(targetPrice, FieldKind::CostPrice);
    const FieldRead held = ReadCount(heldShares, "持仓股数");
    if (!held) return Prompt(held);
    const FieldRead cost = ReadPositiveCost(costPrice, "持仓成本价");
    if (!cost) return Prompt(cost);
    const FieldRead price = ReadPrice(buyPrice, "补仓价", t);
    if (!price) return Prompt(price);
    const FieldRead target = ReadPositiveCost(targetPrice, "目标成本价");
    if (!target) return Prompt(target);
    if (!(*price < *target && *target < *cost)) return PromptMissing("目标成本价必须低于持仓成本价、高于补仓价！");
    const std::optional<FeeRates> rates = TradingRates(m);
    if (!rates) return ShowRates();
    ratesLine = RatesLine(*rates, m);

    const std::optional<CostTarget> buy = CalculateCostTarget(*held, *cost, *price, *target, m, *rates);
    if (!buy) return PromptMissing("补仓价加上费用后，无法把成本降到目标成本价！");
    buyPrice = price->Text(t);
    theoreticalShares = buy->theoreticalShares.Text(2);
    shares = buy->shares.Text(0);
    amount = buy->amount.Text(2);
    fees = buy->fees.Total().Text(2);
    funds = buy->funds.Text(2);
    heldAfter = buy->heldAfter.Text(0);
    costAfter = buy->costAfter.Text(3);
    ResultsShown();
  }

  // "清空文本框": the price, the target and every result; the holding, the
  // option and the rates stay.
  void Clear() {
    for (std::string* field :
         {&buyPrice, &targetPrice, &theoreticalShares, &shares, &amount, &fees, &funds, &heldAfter, &costAfter}) {
      field->clear();
    }
  }

  const Control& fundOption = At("Option2");  // stock when not chosen
  // The holding, the price and the target.
  std::string& heldShares = text("Text1");
  std::string& costPrice = text("Text2");    // as typed
  std::string& buyPrice = text("Text3");     // as typed, then on the tick
  std::string& targetPrice = text("Text4");  // as typed
  std::string& ratesLine = text("Label1");
  // The buy.
  std::string& theoreticalShares = text("Text5");  // without fees or lots
  std::string& shares = text("Text6");             // whole lots
  std::string& amount = text("Text7");
  std::string& fees = text("Text8");  // commission and transfer fee
  std::string& funds = text("Text9");  // amount and fees
  // The holding after it.
  std::string& heldAfter = text("Text10");
  std::string& costAfter = text("Text11");
};

}  // namespace

std::unique_ptr<Screen> MakeCostTarget(App& app) { return std::make_unique<CostTargetScreen>(app); }

}  // namespace hc
