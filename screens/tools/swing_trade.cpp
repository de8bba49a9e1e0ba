// Form43, the swing on a holding (做T计算器): part of a holding sold and
// bought back the same day (倒T) or bought first and sold from the old shares
// (正T), with both legs' fees at the trading-costs screen's rates, what the
// swing earns, where it moves the holding's cost price, and the price on the
// tick that still completes the swing without a loss. The rules are the swing
// unit's; this screen reads its fields and writes the results.
#include <string>
#include <string_view>

#include "market/swing_trade.h"
#include "screens/tools/tool_screen.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr int kTickGroup = 1;
constexpr int kOrderGroup = 2;

// Rows of the options, the inputs and the results, in twips.
constexpr int kOptionRows[] = {60, 345};
constexpr int kInputRows[] = {660, 990, 1320};
constexpr int kResultRows[] = {2085, 2415, 2745, 3075, 3405, 3735};
constexpr int kFieldHeight = 300;
constexpr int kCaptionHeight = 180;
constexpr int CaptionTop(int row) { return row + 60; }

// Columns: caption, field and unit on the left and on the right.
constexpr int kLeftCaption = 120;
constexpr int kLeftField = 1440;
constexpr int kRightCaption = 3300;
constexpr int kRightField = 4440;
constexpr int kCaptionWidth = 1260;
constexpr int kRightCaptionWidth = 1140;
constexpr int kInputWidth = 1200;
constexpr int kResultWidth = 1440;
constexpr int kUnitWidth = 240;

constexpr std::string_view kHighestBuyBack = "最高接回价：";
constexpr std::string_view kLowestSell = "最低卖出价：";

constexpr ControlSpec kControls[] = {
    OptionButton("Option1", "股票", kTickGroup, 120, kOptionRows[0], 900, 270).Checked(),
    OptionButton("Option2", "场内基金（ETF、LOF）", kTickGroup, 1080, kOptionRows[0], 2700, 270),
    OptionButton("Option3", "倒T（先卖后买）", kOrderGroup, 120, kOptionRows[1], 2040, 270).Checked(),
    OptionButton("Option4", "正T（先买后卖）", kOrderGroup, 2280, kOptionRows[1], 2040, 270),
    // The holding and the swing.
    Label("Label2", "持仓股数：", kLeftCaption, CaptionTop(kInputRows[0]), kCaptionWidth, kCaptionHeight),
    TextField("Text1", "2000", kLeftField, kInputRows[0], kInputWidth, kFieldHeight),
    Label("Label3", "股", kLeftField + kInputWidth + 40, CaptionTop(kInputRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label4", "持仓成本价：", kLeftCaption, CaptionTop(kInputRows[1]), kCaptionWidth, kCaptionHeight),
    TextField("Text2", "12.5", kLeftField, kInputRows[1], kInputWidth, kFieldHeight),
    Label("Label5", "元", kLeftField + kInputWidth + 40, CaptionTop(kInputRows[1]), kUnitWidth, kCaptionHeight),
    Label("Label6", "做T股数：", kLeftCaption, CaptionTop(kInputRows[2]), kCaptionWidth, kCaptionHeight),
    TextField("Text3", "1000", kLeftField, kInputRows[2], kInputWidth, kFieldHeight),
    Label("Label7", "股", kLeftField + kInputWidth + 40, CaptionTop(kInputRows[2]), kUnitWidth, kCaptionHeight),
    Label("Label8", "卖出价：", kRightCaption, CaptionTop(kInputRows[0]), kRightCaptionWidth, kCaptionHeight),
    TextField("Text4", "12.8", kRightField, kInputRows[0], kInputWidth, kFieldHeight),
    Label("Label9", "元", kRightField + kInputWidth + 40, CaptionTop(kInputRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label10", "买入价：", kRightCaption, CaptionTop(kInputRows[1]), kRightCaptionWidth, kCaptionHeight),
    TextField("Text5", "12.4", kRightField, kInputRows[1], kInputWidth, kFieldHeight),
    Label("Label11", "元", kRightField + kInputWidth + 40, CaptionTop(kInputRows[1]), kUnitWidth, kCaptionHeight),
    // The rates used, on up to two lines.
    Label("Label1", kLoadRatesLine, 120, 1680, 5955, 360).FixedSize(),
    // Sell leg on the left, buy leg on the right.
    Label("Label12", "卖出金额：", kLeftCaption, CaptionTop(kResultRows[0]), kCaptionWidth, kCaptionHeight),
    ResultField("Text6", "", kLeftField, kResultRows[0], kResultWidth, kFieldHeight),
    Label("Label13", "元", kLeftField + kResultWidth + 40, CaptionTop(kResultRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label14", "卖出费用：", kLeftCaption, CaptionTop(kResultRows[1]), kCaptionWidth, kCaptionHeight),
    ResultField("Text7", "", kLeftField, kResultRows[1], kResultWidth, kFieldHeight),
    Label("Label15", "元", kLeftField + kResultWidth + 40, CaptionTop(kResultRows[1]), kUnitWidth, kCaptionHeight),
    Label("Label16", "卖出净收入：", kLeftCaption, CaptionTop(kResultRows[2]), kCaptionWidth, kCaptionHeight),
    ResultField("Text8", "", kLeftField, kResultRows[2], kResultWidth, kFieldHeight),
    Label("Label17", "元", kLeftField + kResultWidth + 40, CaptionTop(kResultRows[2]), kUnitWidth, kCaptionHeight),
    Label("Label18", "买入金额：", kRightCaption, CaptionTop(kResultRows[0]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text9", "", kRightField, kResultRows[0], kResultWidth, kFieldHeight),
    Label("Label19", "元", kRightField + kResultWidth + 40, CaptionTop(kResultRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label20", "买入费用：", kRightCaption, CaptionTop(kResultRows[1]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text10", "", kRightField, kResultRows[1], kResultWidth, kFieldHeight),
    Label("Label21", "元", kRightField + kResultWidth + 40, CaptionTop(kResultRows[1]), kUnitWidth, kCaptionHeight),
    Label("Label22", "买入总成本：", kRightCaption, CaptionTop(kResultRows[2]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text11", "", kRightField, kResultRows[2], kResultWidth, kFieldHeight),
    Label("Label23", "元", kRightField + kResultWidth + 40, CaptionTop(kResultRows[2]), kUnitWidth, kCaptionHeight),
    // What the swing did to the holding.
    Label("Label24", "做T盈亏：", kLeftCaption, CaptionTop(kResultRows[3]), kCaptionWidth, kCaptionHeight),
    ResultField("Text12", "", kLeftField, kResultRows[3], kResultWidth, kFieldHeight),
    Label("Label25", "元", kLeftField + kResultWidth + 40, CaptionTop(kResultRows[3]), kUnitWidth, kCaptionHeight),
    Label("Label26", "做T后成本价：", kLeftCaption, CaptionTop(kResultRows[4]), kCaptionWidth, kCaptionHeight),
    ResultField("Text13", "", kLeftField, kResultRows[4], kResultWidth, kFieldHeight),
    Label("Label27", "元", kLeftField + kResultWidth + 40, CaptionTop(kResultRows[4]), kUnitWidth, kCaptionHeight),
    Label("Label28", "每股成本降低：", kLeftCaption, CaptionTop(kResultRows[5]), kCaptionWidth, kCaptionHeight),
    ResultField("Text14", "", kLeftField, kResultRows[5], kResultWidth, kFieldHeight),
    Label("Label29", "元", kLeftField + kResultWidth + 40, CaptionTop(kResultRows[5]), kUnitWidth, kCaptionHeight),
    Label("Label30", kHighestBuyBack, kRightCaption, CaptionTop(kResultRows[3]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text15", "", kRightField, kResultRows[3], kResultWidth, kFieldHeight),
    Label("Label31", "元", kRightField + kResultWidth + 40, CaptionTop(kResultRows[3]), kUnitWidth, kCaptionHeight),
    Label("Label32", "做T收益率：", kRightCaption, CaptionTop(kResultRows[4]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text16", "", kRightField, kResultRows[4], kResultWidth, kFieldHeight),
    Label("Label33", "提示：做T卖出的是最早买入的股份，接回的股份重新计算持股期限（影响红利税）。", 120, 4080, 5955, 360)
        .FixedSize(),
    // Buttons and footer.
    Button("Command1", "计算", 120, 4455, 1300, 330),
    Button("Command2", "清空文本框", 1560, 4455, 1300, 330),
    Button("Command3", "切换回去", 3000, 4455, 1300, 330),
    Label("Label34", "仅作辅助计算，不能作投资决策用。", 120, 4815, 3200, 200)
        .Color(kDarkGrey)
        .Font("宋体", 10, true),
};

constexpr std::string_view kTabOrder[] = {"Text1",   "Text2",   "Text3",   "Text4",    "Text5",    "Option1",
                                          "Option2", "Option3", "Option4", "Command1", "Command2", "Command3"};

constexpr ScreenSpec kSpec = ToolSpec("Form43", "做T计算器--衡川2.0", kControls, kTabOrder);

class SwingTradeScreen final : public ToolScreen {
 public:
  explicit SwingTradeScreen(App& app) : ToolScreen(app, kSpec) {
    OnCalculate("Command1", &SwingTradeScreen::Calculate);
    OnClear("Command2", &SwingTradeScreen::Clear);
    OnOption("Option1", [this] { ShowRates(); });
    OnOption("Option2", [this] { ShowRates(); });
    OnOption("Option3", [this] { FollowOrder(); });
    OnOption("Option4", [this] { FollowOrder(); });
  }

 private:
  Market market() const { return fundOption.checked ? Market::Fund : Market::Stock; }
  SwingOrder order() const { return buyFirstOption.checked ? SwingOrder::BuyFirst : SwingOrder::SellFirst; }

  void ShowRates() override { ratesLine = CurrentRatesLine(market()); }
  // The loss-free price asked for follows the order of the legs. The other
  // order's price never stays under the new caption, also where the inputs
  // no longer pass and the calculation does not run again.
  void FollowOrder() {
    lossFreeCaption = std::string(order() == SwingOrder::SellFirst ? kHighestBuyBack : kLowestSell);
    lossFreePrice.clear();
  }

  // "计算": the fields cleaned, then checked in order, the first failure
  // prompted and nothing written; then both legs, the swing's profit and
  // what it does to the holding.
  void Calculate() {
    const Market m = market();
    const int t = TickDecimals(m);
    CleanField(heldShares, FieldKind::Count);
    CleanField(costPrice, FieldKind::CostPrice);
    CleanField(swingShares, FieldKind::Count);
    CleanField(sellPrice, FieldKind::Price);
    CleanField(buyPrice, FieldKind::Price);
    const FieldRead held = ReadCount(heldShares, "持仓股数");
    if (!held) return Prompt(held);
    const FieldRead cost = ReadCostPrice(costPrice, "持仓成本价");
    if (!cost) return Prompt(cost);
    const FieldRead shares = ReadCount(swingShares, "做T股数");
    if (!shares) return Prompt(shares);
    const FieldRead sellAt = ReadPrice(sellPrice, "卖出价", t);
    if (!sellAt) return Prompt(sellAt);
    const FieldRead buyAt = ReadPrice(buyPrice, "买入价", t);
    if (!buyAt) return Prompt(buyAt);
    if (*shares > *held) return PromptMissing("做T股数不能大于持仓股数！");
    if (SettlesAtNothing(*sellAt, *shares)) return PromptMissing("卖出金额不足0.01元！");
    if (SettlesAtNothing(*buyAt, *shares)) return PromptMissing("买入金额不足0.01元！");
    const std::optional<FeeRates> rates = TradingRates(m);
    if (!rates) return ShowRates();
    ratesLine = RatesLine(*rates, m);

    const SwingTrade s = CalculateSwing(*held, *cost, *shares, *sellAt, *buyAt, order(), m, *rates);
    sellPrice = sellAt->Text(t);
    buyPrice = buyAt->Text(t);
    sellAmount = s.sellAmount.Text(2);
    sellFees = s.sellFees.Total().Text(2);
    sellProceeds = s.sellProceeds.Text(2);
    buyAmount = s.buyAmount.Text(2);
    buyFees = s.buyFees.Total().Text(2);
    buyCost = s.buyCost.Text(2);
    profit = s.profit.Text(2);
    costAfter = s.costAfter.Text(3);
    costCut = s.costCut.Text(3);
    lossFreePrice = s.lossFreePrice ? s.lossFreePrice->Text(t) : "无";
    returnPercent = s.returnPercent.Text(2) + "%";
    // Gains red, losses green, as the swing's profit is signed.
    profitColor = SignColor(s.profit);
    costCutColor = profitColor;
    returnColor = profitColor;
    ResultsShown();
  }

  // "清空文本框": the swing's shares and prices and every result; the
  // holding, the options and the rates stay.
  void Clear() {
    for (std::string* field : {&swingShares, &sellPrice, &buyPrice, &sellAmount, &sellFees, &sellProceeds,
                               &buyAmount, &buyFees, &buyCost, &profit, &costAfter, &costCut, &lossFreePrice,
                               &returnPercent}) {
      field->clear();
    }
    profitColor = kBlack;
    costCutColor = kBlack;
    returnColor = kBlack;
  }

  const Control& fundOption = At("Option2");      // stock when not chosen
  const Control& buyFirstOption = At("Option4");  // 倒T when not chosen
  // The holding and the swing.
  std::string& heldShares = text("Text1");
  std::string& costPrice = text("Text2");  // as typed, any sign
  std::string& swingShares = text("Text3");
  std::string& sellPrice = text("Text4");  // as typed, then on the tick
  std::string& buyPrice = text("Text5");   // as typed, then on the tick
  std::string& ratesLine = text("Label1");
  // Sell leg.
  std::string& sellAmount = text("Text6");
  std::string& sellFees = text("Text7");      // commission, stamp duty and transfer fee
  std::string& sellProceeds = text("Text8");  // amount less fees
  // Buy leg.
  std::string& buyAmount = text("Text9");
  std::string& buyFees = text("Text10");  // commission and transfer fee
  std::string& buyCost = text("Text11");  // amount and fees
  // The swing.
  std::string& profit = text("Text12");
  Rgb& profitColor = At("Text12").color;
  std::string& costAfter = text("Text13");
  std::string& costCut = text("Text14");
  Rgb& costCutColor = At("Text14").color;
  std::string& lossFreeCaption = text("Label30");
  std::string& lossFreePrice = text("Text15");  // on the tick, or "无"
  std::string& returnPercent = text("Text16");
  Rgb& returnColor = At("Text16").color;
};

}  // namespace

std::unique_ptr<Screen> MakeSwingTrade(App& app) { return std::make_unique<SwingTradeScreen>(app); }

}  // namespace hc
