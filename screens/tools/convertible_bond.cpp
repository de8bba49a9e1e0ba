// Form46, convertible bonds: from the bond's price, its conversion price and
// the stock's price, what one bond is worth as shares and the premium paid
// over that, what converting the bonds held gives in whole shares and cash,
// the stock prices at which the redemption, reset and put clauses trigger,
// and tomorrow's limit prices of the bond. The rules are the convertible-bond
// unit's; this screen reads its fields and writes the results.
#include <optional>
#include <string>
#include <string_view>

#include "market/convertible_bond.h"
#include "market/limits.h"
#include "market/tick.h"
#include "screens/tools/tool_screen.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

// Rows of the inputs and of the results, in twips.
constexpr int kInputRows[] = {120, 450, 780, 1110};
constexpr int kResultRows[] = {1560, 1890, 2220, 2550, 2880, 3210};
constexpr int kFieldHeight = 300;
constexpr int kCaptionDrop = 60;  // a caption's top below its field's
constexpr int kCaptionHeight = 180;

// The two columns: a caption, its field and a unit. The left one holds the
// bond and the money figures (the widest), the right one the ratios and the
// prices.
constexpr int kLeftCaption = 120;
constexpr int kLeftCaptionWidth = 1620;
constexpr int kLeftField = 1770;
constexpr int kLeftInputWidth = 1080;
constexpr int kLeftResultWidth = 1350;
constexpr int kLeftUnit = 3150;
constexpr int kRightCaption = 3420;
constexpr int kRightCaptionWidth = 1530;
constexpr int kRightField = 4980;
constexpr int kRightWidth = 960;
constexpr int kRightUnit = 5970;
constexpr int kUnitWidth = 180;

constexpr int CaptionTop(int row) { return row + kCaptionDrop; }

// What no price on the tick satisfies.
constexpr std::string_view kNone = "无";

constexpr ControlSpec kControls[] = {
    // The bond and its stock.
    Label("Label1", "转债价格（元/张）", kLeftCaption, CaptionTop(kInputRows[0]), kLeftCaptionWidth, kCaptionHeight),
    TextField("Text1", "150.1", kLeftField, kInputRows[0], kLeftInputWidth, kFieldHeight),
    Label("Label2", "转股价（元）", kLeftCaption, CaptionTop(kInputRows[1]), kLeftCaptionWidth, kCaptionHeight),
    TextField("Text2", "16.01", kLeftField, kInputRows[1], kLeftInputWidth, kFieldHeight),
    Label("Label3", "正股价格（元）", kLeftCaption, CaptionTop(kInputRows[2]), kLeftCaptionWidth, kCaptionHeight),
    TextField("Text3", "21.06", kLeftField, kInputRows[2], kLeftInputWidth, kFieldHeight),
    Label("Label4", "持有张数（张）", kLeftCaption, CaptionTop(kInputRows[3]), kLeftCaptionWidth, kCaptionHeight),
    TextField("Text4", "10", kLeftField, kInputRows[3], kLeftInputWidth, kFieldHeight),
    // The clauses' trigger ratios.
    Label("Label5", "强赎触发比例（%）", kRightCaption, CaptionTop(kInputRows[0]), kRightCaptionWidth, kCaptionHeight),
    TextField("Text5", "130", kRightField, kInputRows[0], kRightWidth, kFieldHeight),
    Label("Label6", "下修触发比例（%）", kRightCaption, CaptionTop(kInputRows[1]), kRightCaptionWidth, kCaptionHeight),
    TextField("Text6", "85", kRightField, kInputRows[1], kRightWidth, kFieldHeight),
    Label("Label7", "回售触发比例（%）", kRightCaption, CaptionTop(kInputRows[2]), kRightCaptionWidth, kCaptionHeight),
    TextField("Text7", "70", kRightField, kInputRows[2], kRightWidth, kFieldHeight),
    // The bond as shares, and the conversion.
    Label("Label8", "转股价值", kLeftCaption, CaptionTop(kResultRows[0]), kLeftCaptionWidth, kCaptionHeight),
    ResultField("Text8", "", kLeftField, kResultRows[0], kLeftResultWidth, kFieldHeight),
    Label("Label9", "元", kLeftUnit, CaptionTop(kResultRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label10", "转股溢价率", kLeftCaption, CaptionTop(kResultRows[1]), kLeftCaptionWidth, kCaptionHeight),
    ResultField("Text9", "", kLeftField, kResultRows[1], kLeftResultWidth, kFieldHeight),
    Label("Label11", "可转股数", kLeftCaption, CaptionTop(kResultRows[2]), kLeftCaptionWidth, kCaptionHeight),
    ResultField("Text10", "", kLeftField, kResultRows[2], kLeftResultWidth, kFieldHeight),
    Label("Label12", "股", kLeftUnit, CaptionTop(kResultRows[2]), kUnitWidth, kCaptionHeight),
    Label("Label13", "不足一股余额（元）", kLeftCaption, CaptionTop(kResultRows[3]), kLeftCaptionWidth, kCaptionHeight),
    ResultField("Text11", "", kLeftField, kResultRows[3], kLeftResultWidth, kFieldHeight),
    Label("Label14", "转股后市值", kLeftCaption, CaptionTop(kResultRows[4]), kLeftCaptionWidth, kCaptionHeight),
    ResultField("Text12", "", kLeftField, kResultRows[4], kLeftResultWidth, kFieldHeight),
    Label("Label15", "元", kLeftUnit, CaptionTop(kResultRows[4]), kUnitWidth, kCaptionHeight),
    Label("Label16", "转债市值", kLeftCaption, CaptionTop(kResultRows[5]), kLeftCaptionWidth, kCaptionHeight),
    ResultField("Text13", "", kLeftField, kResultRows[5], kLeftResultWidth, kFieldHeight),
    Label("Label17", "元", kLeftUnit, CaptionTop(kResultRows[5]), kUnitWidth, kCaptionHeight),
    // The stock prices that matter, and the bond's limits tomorrow.
    Label("Label18", "平价正股价", kRightCaption, CaptionTop(kResultRows[0]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text14", "", kRightField, kResultRows[0], kRightWidth, kFieldHeight),
    Label("Label19", "元", kRightUnit, CaptionTop(kResultRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label20", "强赎触发价", kRightCaption, CaptionTop(kResultRows[1]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text15", "", kRightField, kResultRows[1], kRightWidth, kFieldHeight),
    Label("Label21", "元", kRightUnit, CaptionTop(kResultRows[1]), kUnitWidth, kCaptionHeight),
    Label("Label22", "下修触发价", kRightCaption, CaptionTop(kResultRows[2]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text16", "", kRightField, kResultRows[2], kRightWidth, kFieldHeight),
    Label("Label23", "元", kRightUnit, CaptionTop(kResultRows[2]), kUnitWidth, kCaptionHeight),
    Label("Label24", "回售触发价", kRightCaption, CaptionTop(kResultRows[3]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text17", "", kRightField, kResultRows[3], kRightWidth, kFieldHeight),
    Label("Label25", "元", kRightUnit, CaptionTop(kResultRows[3]), kUnitWidth, kCaptionHeight),
    Label("Label26", "次日涨停价", kRightCaption, CaptionTop(kResultRows[4]), kRightCaptionWidth, kCaptionHeight)
        .Color(kRed),
    ResultField("Text18", "", kRightField, kResultRows[4], kRightWidth, kFieldHeight).Color(kRed),
    Label("Label27", "元", kRightUnit, CaptionTop(kResultRows[4]), kUnitWidth, kCaptionHeight),
    Label("Label28", "次日跌停价", kRightCaption, CaptionTop(kResultRows[5]), kRightCaptionWidth, kCaptionHeight)
        .Color(kGreen),
    ResultField("Text19", "", kRightField, kResultRows[5], kRightWidth, kFieldHeight).Color(kGreen),
    Label("Label29", "元", kRightUnit, CaptionTop(kResultRows[5]), kUnitWidth, kCaptionHeight),
    // The clauses' fine print and the first day's band, one label a line,
    // each of its own size so that a long line wraps within it.
    Label("Label30",
          "强赎、下修、回售一般需连续30个交易日中至少15日（回售为连续30日）满足条件，以各债券募集说明书为准。",
          kLeftCaption, 3600, 5955, 480)
        .FixedSize(),
    Label("Label31", "上市首日涨跌幅限制为+57.3%和-43.3%。", kLeftCaption, 4095, 5955, 210).FixedSize(),
    // Buttons and footer.
    Button("Command1", "计算", 120, 4335, 1300, 360),
    Button("Command2", "清空文本框", 1560, 4335, 1300, 360),
    Button("Command3", "切换回去", 3000, 4335, 1300, 360),
    Label("Label32", "仅作辅助计算，不能作投资决策用。", 120, 4725, 3200, 200).Color(kDarkGrey).Font("宋体", 10, true),
};

constexpr std::string_view kTabOrder[] = {"Text1", "Text2", "Text3",    "Text4",    "Text5",
                                          "Text6", "Text7", "Command1", "Command2", "Command3"};

constexpr ScreenSpec kSpec = ToolSpec("Form46", "可转债--衡川2.0", kControls, kTabOrder);

// A trigger ratio lies strictly between 0 and 1000 percent.
FieldRead ReadRatio(std::string_view cleaned, std::string_view name) {
  const std::string outside = std::string(name) + "必须大于0且小于1000！";
  return ReadInRange(cleaned, name, Bound{Decimal::Whole(0), false}, outside, Bound{Decimal::Whole(1000), false},
                     outside);
}

std::string PriceOrNone(const std::optional<Decimal>& price, int tickDecimals) {
  return price ? price->Text(tickDecimals) : std::string(kNone);
}

class ConvertibleBondScreen final : public ToolScreen {
 public:
  explicit ConvertibleBondScreen(App& app) : ToolScreen(app, kSpec) {
    OnCalculate("Command1", &ConvertibleBondScreen::Calculate);
    OnClear("Command2", &ConvertibleBondScreen::Clear);
  }

 private:
  // "计算": every input cleaned and written back, then checked in order; the
  // first failure is prompted and nothing computed.
  void Calculate() {
    CleanField(bondPrice, FieldKind::Price);
    CleanField(conversionPrice, FieldKind::Price);
    CleanField(stockPrice, FieldKind::Price);
    CleanField(bondCount, FieldKind::Count);
    CleanField(redemptionRatio, FieldKind::Percent);
    CleanField(resetRatio, FieldKind::Percent);
    CleanField(putRatio, FieldKind::Percent);

    const int bondTick = kBondTickDecimals;
    const int stockTick = TickDecimals(Market::Stock);
    const FieldRead b = ReadPrice(bondPrice, "转债价格", bondTick);
    if (!b) return Prompt(b);
    const FieldRead k = ReadPrice(conversionPrice, "转股价", stockTick);
    if (!k) return Prompt(k);
    const FieldRead s = ReadPrice(stockPrice, "正股价格", stockTick);
    if (!s) return Prompt(s);
    const FieldRead n = ReadCount(bondCount, "持有张数");
    if (!n) return Prompt(n);
    const FieldRead redemption = ReadRatio(redemptionRatio, "强赎触发比例");
    if (!redemption) return Prompt(redemption);
    const FieldRead reset = ReadRatio(resetRatio, "下修触发比例");
    if (!reset) return Prompt(reset);
    const FieldRead put = ReadRatio(putRatio, "回售触发比例");
    if (!put) return Prompt(put);

    const ConvertibleFigures f = ConvertibleBond(*b, *k, *s, *n, ClauseRatios{*redemption, *reset, *put});
    bondPrice = b->Text(bondTick);
    conversionPrice = k->Text(stockTick);
    stockPrice = s->Text(stockTick);
    conversionValue = f.conversionValue.Text(3);
    premium = f.premiumPercent.Text(2) + "%";
    shares = f.shares.Text(0);
    cashRemainder = f.cashRemainder.Text(2);
    valueAfter = f.valueAfter.Text(2);
    bondValue = f.bondValue.Text(2);
    parityPrice = f.parityStockPrice.Text(stockTick);
    redemptionTrigger = f.redemptionTrigger.Text(stockTick);
    resetTrigger = PriceOrNone(f.resetTrigger, stockTick);
    putTrigger = PriceOrNone(f.putTrigger, stockTick);
    limitUp = TicksText(f.nextDay.up, bondTick);
    limitDown = TicksText(f.nextDay.down, bondTick);
    ResultsShown();
  }

  // "清空文本框": the bond, its stock, the count and every result; the
  // trigger ratios stay, being the terms of the bond rather than the day's.
  void Clear() {
    for (std::string* field : {&bondPrice, &conversionPrice, &stockPrice, &bondCount, &conversionValue, &premium,
                               &shares, &cashRemainder, &valueAfter, &bondValue, &parityPrice, &redemptionTrigger,
                               &resetTrigger, &putTrigger, &limitUp, &limitDown}) {
      field->clear();
    }
  }

  // The inputs.
  std::string& bondPrice = text("Text1");        // as typed, then on the bond's tick
  std::string& conversionPrice = text("Text2");  // as typed, then on the stock's tick
  std::string& stockPrice = text("Text3");       // as typed, then on the stock's tick
  std::string& bondCount = text("Text4");
  std::string& redemptionRatio = text("Text5");  // percent of the conversion price
  std::string& resetRatio = text("Text6");
  std::string& putRatio = text("Text7");
  // The bond as shares, and the conversion.
  std::string& conversionValue = text("Text8");
  std::string& premium = text("Text9");
  std::string& shares = text("Text10");
  std::string& cashRemainder = text("Text11");
  std::string& valueAfter = text("Text12");
  std::string& bondValue = text("Text13");
  // Stock prices, and the bond's limits.
  std::string& parityPrice = text("Text14");
  std::string& redemptionTrigger = text("Text15");
  std::string& resetTrigger = text("Text16");  // or "无"
  std::string& putTrigger = text("Text17");    // or "无"
  std::string& limitUp = text("Text18");
  std::string& limitDown = text("Text19");
};

}  // namespace

std::unique_ptr<Screen> MakeConvertibleBond(App& app) { return std::make_unique<ConvertibleBondScreen>(app); }

}  // namespace hc
