// Form40, trading costs and break-even price: what a round trip of one buy
// and one sell of the same shares costs in commission, stamp duty and
// transfer fee, what it nets, and the lowest sell price on the tick that
// covers the buy with all its fees. Exact to the cent; the fee rules are the
// fee unit's, this screen only reads its fields and writes the results.
#include <span>
#include <string>
#include <string_view>

#include "market/fees.h"
#include "screens/tools/tool_screen.h"
#include "shell/app.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

// Rows of the inputs and of the results, in twips.
constexpr int kInputRows[] = {480, 825, 1170, 1515};
constexpr int kResultRows[] = {1920, 2265, 2610, 2955, 3300, 3645, 3990};
constexpr int kFieldHeight = 300;
constexpr int kCaptionDrop = 60;  // a caption's top below its field's
constexpr int kCaptionHeight = 180;

constexpr int CaptionTop(int row) { return row + kCaptionDrop; }

constexpr ControlSpec kControls[] = {
    OptionButton("Option1", "股票", 1, 120, 120, 900, 285).Checked(),
    OptionButton("Option2", "场内基金（ETF、LOF）", 1, 1080, 120, 2700, 285),
    // The trade.
    Label("Label1", "买入价：", 120, CaptionTop(kInputRows[0]), 900, kCaptionHeight),
    TextField("Text1", "10", 1020, kInputRows[0], 1100, kFieldHeight),
    Label("Label2", "元", 2160, CaptionTop(kInputRows[0]), 360, kCaptionHeight),
    Label("Label3", "股数：", 120, CaptionTop(kInputRows[1]), 900, kCaptionHeight),
    TextField("Text2", "1000", 1020, kInputRows[1], 1100, kFieldHeight),
    Label("Label4", "股", 2160, CaptionTop(kInputRows[1]), 360, kCaptionHeight),
    Label("Label5", "卖出价：", 120, CaptionTop(kInputRows[2]), 900, kCaptionHeight),
    TextField("Text3", "10.5", 1020, kInputRows[2], 1100, kFieldHeight),
    Label("Label6", "元", 2160, CaptionTop(kInputRows[2]), 360, kCaptionHeight),
    // The account's rates.
    Label("Label7", "佣金率：", 2760, CaptionTop(kInputRows[0]), 900, kCaptionHeight),
    TextField("Text4", kRateLoadTexts.commission, 3660, kInputRows[0], 700, kFieldHeight),
    Label("Label8", "万分之", 4410, CaptionTop(kInputRows[0]), 1700, kCaptionHeight),
    Label("Label9", "最低佣金：", 2760, CaptionTop(kInputRows[1]), 900, kCaptionHeight),
    TextField("Text5", kRateLoadTexts.minimum, 3660, kInputRows[1], 700, kFieldHeight),
    Label("Label10", "元", 4410, CaptionTop(kInputRows[1]), 1700, kCaptionHeight),
    Label("Label11", "印花税率：", 2760, CaptionTop(kInputRows[2]), 900, kCaptionHeight),
    TextField("Text6", kRateLoadTexts.stampDuty, 3660, kInputRows[2], 700, kFieldHeight),
    Label("Label12", "万分之，卖出收取", 4410, CaptionTop(kInputRows[2]), 1700, kCaptionHeight),
    Label("Label13", "过户费率：", 2760, CaptionTop(kInputRows[3]), 900, kCaptionHeight),
    TextField("Text7", kRateLoadTexts.transferFee, 3660, kInputRows[3], 700, kFieldHeight),
    Label("Label14", "万分之", 4410, CaptionTop(kInputRows[3]), 1700, kCaptionHeight),
    // Buy side.
    Label("Label15", "买入金额：", 120, CaptionTop(kResultRows[0]), 1080, kCaptionHeight),
    ResultField("Text8", "", 1200, kResultRows[0], 1200, kFieldHeight),
    Label("Label16", "元", 2440, CaptionTop(kResultRows[0]), 200, kCaptionHeight),
    Label("Label17", "买入佣金：", 120, CaptionTop(kResultRows[1]), 1080, kCaptionHeight),
    ResultField("Text9", "", 1200, kResultRows[1], 1200, kFieldHeight),
    Label("Label18", "元", 2440, CaptionTop(kResultRows[1]), 200, kCaptionHeight),
    Label("Label19", "买入过户费：", 120, CaptionTop(kResultRows[2]), 1080, kCaptionHeight),
    ResultField("Text10", "", 1200, kResultRows[2], 1200, kFieldHeight),
    Label("Label20", "元", 2440, CaptionTop(kResultRows[2]), 200, kCaptionHeight),
    Label("Label21", "买入总成本：", 120, CaptionTop(kResultRows[3]), 1080, kCaptionHeight),
    ResultField("Text11", "", 1200, kResultRows[3], 1200, kFieldHeight),
    Label("Label22", "元", 2440, CaptionTop(kResultRows[3]), 200, kCaptionHeight),
    // Sell side.
    Label("Label23", "卖出金额：", 3120, CaptionTop(kResultRows[0]), 1080, kCaptionHeight),
    ResultField("Text12", "", 4200, kResultRows[0], 1200, kFieldHeight),
    Label("Label24", "元", 5440, CaptionTop(kResultRows[0]), 200, kCaptionHeight),
    Label("Label25", "卖出佣金：", 3120, CaptionTop(kResultRows[1]), 1080, kCaptionHeight),
    ResultField("Text13", "", 4200, kResultRows[1], 1200, kFieldHeight),
    Label("Label26", "元", 5440, CaptionTop(kResultRows[1]), 200, kCaptionHeight),
    Label("Label27", "印花税：", 3120, CaptionTop(kResultRows[2]), 1080, kCaptionHeight),
    ResultField("Text14", "", 4200, kResultRows[2], 1200, kFieldHeight),
    Label("Label28", "元", 5440, CaptionTop(kResultRows[2]), 200, kCaptionHeight),
    Label("Label29", "卖出过户费：", 3120, CaptionTop(kResultRows[3]), 1080, kCaptionHeight),
    ResultField("Text15", "", 4200, kResultRows[3], 1200, kFieldHeight),
    Label("Label30", "元", 5440, CaptionTop(kResultRows[3]), 200, kCaptionHeight),
    Label("Label31", "卖出净收入：", 3120, CaptionTop(kResultRows[4]), 1080, kCaptionHeight),
    ResultField("Text16", "", 4200, kResultRows[4], 1200, kFieldHeight),
    Label("Label32", "元", 5440, CaptionTop(kResultRows[4]), 200, kCaptionHeight),
    // Summary.
    Label("Label33", "费用合计：", 120, CaptionTop(kResultRows[4]), 1080, kCaptionHeight),
    ResultField("Text17", "", 1200, kResultRows[4], 1200, kFieldHeight),
    Label("Label34", "元", 2440, CaptionTop(kResultRows[4]), 200, kCaptionHeight),
    Label("Label35", "净盈亏：", 120, CaptionTop(kResultRows[5]), 1080, kCaptionHeight),
    ResultField("Text18", "", 1200, kResultRows[5], 1200, kFieldHeight),
    Label("Label36", "元", 2440, CaptionTop(kResultRows[5]), 200, kCaptionHeight),
    Label("Label37", "收益率：", 3120, CaptionTop(kResultRows[5]), 1080, kCaptionHeight),
    ResultField("Text19", "", 4200, kResultRows[5], 1200, kFieldHeight),
    Label("Label38", "成本价（含费用）：", 120, CaptionTop(kResultRows[6]), 1620, kCaptionHeight),
    ResultField("Text20", "", 1740, kResultRows[6], 900, kFieldHeight),
    Label("Label39", "元", 2680, CaptionTop(kResultRows[6]), 200, kCaptionHeight),
    Label("Label40", "保本卖出价：", 3120, CaptionTop(kResultRows[6]), 1080, kCaptionHeight),
    ResultField("Text21", "", 4200, kResultRows[6], 1200, kFieldHeight),
    Label("Label41", "元", 5440, CaptionTop(kResultRows[6]), 200, kCaptionHeight),
    // Buttons and footer.
    Button("Command1", "计算", 120, 4320, 1300, 375),
    Button("Command2", "清空文本框", 1560, 4320, 1300, 375),
    Button("Command3", "切换回去", 3000, 4320, 1300, 375),
    // The account's rates kept for later starts, or the load texts again.
    Button("Command4", "保存为默认费率", 120, 4815, 1740, 375),
    Button("Command5", "恢复默认费率", 1980, 4815, 1740, 375),
    Label("Label42", "仅作辅助计算，不能作投资决策用。", 120, 5310, 3200, 200)
        .Color(kDarkGrey)
        .Font("宋体", 10, true),
};

constexpr std::string_view kTabOrder[] = {"Text1",    "Text2",    "Text3",    "Text4",    "Text5",
                                          "Text6",    "Text7",    "Option1",  "Option2",  "Command1",
                                          "Command2", "Command3", "Command4", "Command5"};

// A tool screen's window, a row taller for the default-rate buttons.
constexpr ScreenSpec kSpec = [] {
  ScreenSpec layout = ToolSpec("Form40", "交易费用与保本价--衡川2.0", kControls, kTabOrder);
  layout.clientHeight = kWideScreenHeight + 585;
  return layout;
}();

// One input: its kind, its name in the messages and whether it is read for
// funds too, bound once.
struct Input {
  std::string& text;
  FieldKind kind;
  std::string_view name;
  bool stockOnly;  // not charged on funds: not read then
};

class TradingCosts final : public ToolScreen {
 public:
  explicit TradingCosts(App& app) : ToolScreen(app, kSpec) {
    OnCalculate("Command1", &TradingCosts::Calculate);
    OnClear("Command2", &TradingCosts::Clear);
    OnOption("Option1", [this] { EnableStockRates(true); });
    OnOption("Option2", [this] { EnableStockRates(false); });
    OnClick("Command4", [this] { SaveDefaultRates(); });
    OnClick("Command5", [this] { RestoreDefaultRates(); });
    // The rates the program started with: saved ones, else the load texts.
    const SavedRates& atStart = app.startRates();
    commissionRate = atStart.commission;
    minimumCommission = atStart.minimum;
    stampDutyRate = atStart.stampDuty;
    transferFeeRate = atStart.transferFee;
  }

 private:
  Market market() const { return fundOption.checked ? Market::Fund : Market::Stock; }

  // Funds pay no stamp duty and no transfer fee: their rate fields are
  // disabled and keep their texts.
  void EnableStockRates(bool on) {
    stampDutyEnabled = on;
    transferFeeEnabled = on;
  }

  static FieldRead Check(const Input& in, Market m) {
    switch (in.kind) {
      case FieldKind::Price: return ReadPrice(in.text, in.name, TickDecimals(m));
      case FieldKind::Count: return ReadCount(in.text, in.name);
      case FieldKind::Amount: return ReadMinimumField(in.text);
      default: return ReadRateField(in.text, in.name);
    }
  }

  void Calculate() {
    const Market m = market();
    // Every input used is cleaned and written back first, then checked in
    // field order; nothing is written when a check fails.
    for (const Input& in : inputs_) {
      if (!in.stockOnly || m == Market::Stock) CleanField(in.text, in.kind);
    }
    Decimal values[std::size(inputs_)];
    for (std::size_t i = 0; i < std::size(inputs_); ++i) {
      const Input& in = inputs_[i];
      if (in.stockOnly && m == Market::Fund) continue;
      const FieldRead r = Check(in, m);
      if (!r) return Prompt(r);
      values[i] = *r;
    }
    const Decimal& buyAt = values[0];
    const Decimal& shareCount = values[1];
    const Decimal& sellAt = values[2];
    const FeeRates rates{values[3], values[4], values[5], values[6]};
    if (SettlesAtNothing(buyAt, shareCount) || SettlesAtNothing(sellAt, shareCount)) {
      return PromptMissing("成交金额不足0.01元！");
    }
    const RoundTrip trip = CalculateRoundTrip(buyAt, shareCount, sellAt, m, rates);

    const int t = TickDecimals(m);
    buyPrice = buyAt.Text(t);
    sellPrice = sellAt.Text(t);
    buyAmount = trip.buyAmount.Text(2);
    buyCommission = trip.buyFees.commission.Text(2);
    buyTransferFee = trip.buyFees.transferFee.Text(2);
    buyCost = trip.buyCost.Text(2);
    sellAmount = trip.sellAmount.Text(2);
    sellCommission = trip.sellFees.commission.Text(2);
    stampDuty = trip.sellFees.stampDuty.Text(2);
    sellTransferFee = trip.sellFees.transferFee.Text(2);
    sellProceeds = trip.sellProceeds.Text(2);
    totalFees = trip.fees.Text(2);
    net = trip.net.Text(2);
    returnPercent = trip.returnPercent.Text(2) + "%";
    costPrice = trip.costPrice.Text(3);
    breakEven = trip.breakEven.Text(t);
    // Gains red, losses green, as the net result is shown.
    netColor = SignColor(trip.net);
    returnColor = netColor;
    ResultsShown();
  }

  // "保存为默认费率": the four rate fields cleaned and checked as a press
  // checks them (the stamp duty and transfer fee also while a fund is
  // chosen, since later starts use them for stocks), then kept.
  void SaveDefaultRates() {
    const std::span<const Input> rateInputs(inputs_ + 3, 4);
    for (const Input& in : rateInputs) CleanField(in.text, in.kind);
    for (const Input& in : rateInputs) {
      if (const FieldRead r = Check(in, Market::Stock); !r) return Prompt(r);
    }
    if (!app().SaveRates({commissionRate, minimumCommission, stampDutyRate, transferFeeRate})) {
      return PromptMissing("费率未能保存：无法写入用户配置。");
    }
    PromptMissing("费率已保存，下次启动时自动使用。");
  }

  // "恢复默认费率": the load texts back in the rate fields, the saved rates
  // removed.
  void RestoreDefaultRates() {
    commissionRate = kRateLoadTexts.commission;
    minimumCommission = kRateLoadTexts.minimum;
    stampDutyRate = kRateLoadTexts.stampDuty;
    transferFeeRate = kRateLoadTexts.transferFee;
    app().RestoreDefaultRates();
    PromptMissing("已恢复默认费率。");
  }

  // "清空文本框": the trade's prices and shares and every result; the
  // rates and the choice of stock or fund stay.
  void Clear() {
    for (std::string* field : {&buyPrice, &shares, &sellPrice, &buyAmount, &buyCommission, &buyTransferFee, &buyCost,
                               &sellAmount, &sellCommission, &stampDuty, &sellTransferFee, &sellProceeds, &totalFees,
                               &net, &returnPercent, &costPrice, &breakEven}) {
      field->clear();
    }
    netColor = kBlack;
    returnColor = kBlack;
  }

  const Control& fundOption = At("Option2");  // stock when not chosen
  // The trade.
  std::string& buyPrice = text("Text1");  // as typed, then on the tick
  std::string& shares = text("Text2");
  std::string& sellPrice = text("Text3");  // as typed, then on the tick
  // The account's rates, in ten-thousandths but the minimum in yuan.
  std::string& commissionRate = text("Text4");
  std::string& minimumCommission = text("Text5");
  std::string& stampDutyRate = text("Text6");
  bool& stampDutyEnabled = At("Text6").enabled;
  std::string& transferFeeRate = text("Text7");
  bool& transferFeeEnabled = At("Text7").enabled;
  // The inputs in the order of their checks.
  const Input inputs_[7] = {
      {buyPrice, FieldKind::Price, "买入价", false},
      {shares, FieldKind::Count, "股数", false},
      {sellPrice, FieldKind::Price, "卖出价", false},
      {commissionRate, FieldKind::Rate, kCommissionName, false},
      {minimumCommission, FieldKind::Amount, kMinimumName, false},
      {stampDutyRate, FieldKind::Rate, kStampDutyName, true},
      {transferFeeRate, FieldKind::Rate, kTransferFeeName, true},
  };
  // Buy side.
  std::string& buyAmount = text("Text8");
  std::string& buyCommission = text("Text9");
  std::string& buyTransferFee = text("Text10");
  std::string& buyCost = text("Text11");  // amount and fees
  // Sell side.
  std::string& sellAmount = text("Text12");
  std::string& sellCommission = text("Text13");
  std::string& stampDuty = text("Text14");
  std::string& sellTransferFee = text("Text15");
  std::string& sellProceeds = text("Text16");  // amount less fees
  // Summary.
  std::string& totalFees = text("Text17");
  std::string& net = text("Text18");  // proceeds less cost
  Rgb& netColor = At("Text18").color;
  std::string& returnPercent = text("Text19");
  Rgb& returnColor = At("Text19").color;
  std::string& costPrice = text("Text20");  // cost per share with the buy's fees
  std::string& breakEven = text("Text21");  // on the tick
};

}  // namespace

std::unique_ptr<Screen> MakeTradingCosts(App& app) { return std::make_unique<TradingCosts>(app); }

}  // namespace hc
