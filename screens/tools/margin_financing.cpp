// Form47, margin financing (融资融券): the interest accrued on the loan at
// the brokers' 360-day convention, the account's maintenance ratio, and the
// prices, to the tick, at which the ratio falls below the warning line and
// the liquidation line, with the fall from today's price to each. The rules
// are the margin unit's; this screen reads its fields and writes the results.
#include <cstdint>
#include <string>
#include <string_view>

#include "market/margin.h"
#include "screens/tools/tool_screen.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

// Rows of the inputs and of the results, in twips.
constexpr int kInputRows[] = {540, 960, 1380, 1800};
constexpr int kResultRows[] = {2340, 2760, 3180, 3600};
constexpr int kFieldHeight = 300;
constexpr int kCaptionDrop = 60;  // a caption's top below its field's
constexpr int kCaptionHeight = 180;

constexpr int CaptionTop(int row) { return row + kCaptionDrop; }

// The two columns: the position and the loan on the left, the rates and the
// lines on the right; captions carry their units.
constexpr int kLeftCaption = 120;
constexpr int kLeftCaptionWidth = 1860;  // ten characters and room
constexpr int kLeftInput = 2010;
constexpr int kLeftInputWidth = 1380;
constexpr int kLeftResultCaptionWidth = 1380;
constexpr int kLeftResult = 1500;
constexpr int kLeftResultWidth = 1890;
constexpr int kRightCaption = 3480;
constexpr int kRightCaptionWidth = 1380;
constexpr int kRightField = 4860;
constexpr int kRightFieldWidth = 1215;

constexpr ControlSpec kControls[] = {
    OptionButton("Option1", "股票", 1, 120, 120, 900, 285).Checked(),
    OptionButton("Option2", "场内基金（ETF、LOF）", 1, 1080, 120, 2700, 285),
    // The position and the loan.
    Label("Label1", "信用账户持股数（股）", kLeftCaption, CaptionTop(kInputRows[0]), kLeftCaptionWidth, kCaptionHeight),
    TextField("Text1", "20000", kLeftInput, kInputRows[0], kLeftInputWidth, kFieldHeight),
    Label("Label2", "现价（元）", kLeftCaption, CaptionTop(kInputRows[1]), kLeftCaptionWidth, kCaptionHeight),
    TextField("Text2", "9", kLeftInput, kInputRows[1], kLeftInputWidth, kFieldHeight),
    Label("Label3", "融资负债（元）", kLeftCaption, CaptionTop(kInputRows[2]), kLeftCaptionWidth, kCaptionHeight),
    TextField("Text3", "100000", kLeftInput, kInputRows[2], kLeftInputWidth, kFieldHeight),
    Label("Label4", "其他担保资产（元）", kLeftCaption, CaptionTop(kInputRows[3]), kLeftCaptionWidth, kCaptionHeight),
    TextField("Text4", "0", kLeftInput, kInputRows[3], kLeftInputWidth, kFieldHeight),
    // The rate, the days and the broker's lines.
    Label("Label5", "融资年利率（%）", kRightCaption, CaptionTop(kInputRows[0]), kRightCaptionWidth, kCaptionHeight),
    TextField("Text5", "6", kRightField, kInputRows[0], kRightFieldWidth, kFieldHeight),
    Label("Label6", "计息天数（天）", kRightCaption, CaptionTop(kInputRows[1]), kRightCaptionWidth, kCaptionHeight),
    TextField("Text6", "31", kRightField, kInputRows[1], kRightFieldWidth, kFieldHeight),
    Label("Label7", "预警线（%）", kRightCaption, CaptionTop(kInputRows[2]), kRightCaptionWidth, kCaptionHeight),
    TextField("Text7", "150", kRightField, kInputRows[2], kRightFieldWidth, kFieldHeight),
    Label("Label8", "平仓线（%）", kRightCaption, CaptionTop(kInputRows[3]), kRightCaptionWidth, kCaptionHeight),
    TextField("Text8", "130", kRightField, kInputRows[3], kRightFieldWidth, kFieldHeight),
    // The account today.
    Label("Label9", "融资利息（元）", kLeftCaption, CaptionTop(kResultRows[0]), kLeftResultCaptionWidth,
          kCaptionHeight),
    ResultField("Text9", "", kLeftResult, kResultRows[0], kLeftResultWidth, kFieldHeight),
    Label("Label10", "负债合计（元）", kLeftCaption, CaptionTop(kResultRows[1]), kLeftResultCaptionWidth,
          kCaptionHeight),
    ResultField("Text10", "", kLeftResult, kResultRows[1], kLeftResultWidth, kFieldHeight),
    Label("Label11", "担保资产（元）", kLeftCaption, CaptionTop(kResultRows[2]), kLeftResultCaptionWidth,
          kCaptionHeight),
    ResultField("Text11", "", kLeftResult, kResultRows[2], kLeftResultWidth, kFieldHeight),
    Label("Label12", "维持担保比例", kLeftCaption, CaptionTop(kResultRows[3]), kLeftResultCaptionWidth, kCaptionHeight),
    ResultField("Text12", "", kLeftResult, kResultRows[3], kLeftResultWidth, kFieldHeight),
    // The lines' prices and the falls to them.
    Label("Label13", "预警价（元）", kRightCaption, CaptionTop(kResultRows[0]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text13", "", kRightField, kResultRows[0], kRightFieldWidth, kFieldHeight),
    Label("Label14", "预警价跌幅", kRightCaption, CaptionTop(kResultRows[1]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text14", "", kRightField, kResultRows[1], kRightFieldWidth, kFieldHeight),
    Label("Label15", "平仓价（元）", kRightCaption, CaptionTop(kResultRows[2]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text15", "", kRightField, kResultRows[2], kRightFieldWidth, kFieldHeight),
    Label("Label16", "平仓价跌幅", kRightCaption, CaptionTop(kResultRows[3]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text16", "", kRightField, kResultRows[3], kRightFieldWidth, kFieldHeight),
    // Buttons and footer.
    Button("Command1", "计算", 120, 4320, 1300, 375),
    Button("Command2", "清空文本框", 1560, 4320, 1300, 375),
    Button("Command3", "切换回去", 3000, 4320, 1300, 375),
    Label("Label17", "仅作辅助计算，不能作投资决策用。", 120, 4725, 3200, 200).Color(kDarkGrey).Font("宋体", 10, true),
};

constexpr std::string_view kTabOrder[] = {"Text1", "Text2",   "Text3",   "Text4",    "Text5",    "Text6",   "Text7",
                                          "Text8", "Option1", "Option2", "Command1", "Command2", "Command3"};

constexpr ScreenSpec kSpec = ToolSpec("Form47", "融资融券--衡川2.0", kControls, kTabOrder);

// The largest loan or other collateral, in yuan.
constexpr std::int64_t kMaxAmount = 1000000000000;
// The longest interest period, in days.
constexpr std::int64_t kMaxDays = 3650;

// "无" in both fields of a line the other collateral alone holds.
constexpr std::string_view kNoPrice = "无";

class MarginFinancing final : public ToolScreen {
 public:
  explicit MarginFinancing(App& app) : ToolScreen(app, kSpec) {
    OnCalculate("Command1", &MarginFinancing::Calculate);
    OnClear("Command2", &MarginFinancing::Clear);
    OnOption("Option1");
    OnOption(fundOption.name());
  }

 private:
  Market market() const { return fundOption.checked ? Market::Fund : Market::Stock; }

  // A line in percent, above 100 and below 1000.
  static FieldRead ReadLine(std::string_view cleaned, std::string_view name) {
    const std::string outside = std::string(name) + "必须大于100且小于1000！";
    return ReadInRange(cleaned, name, Bound{Decimal::Whole(100), false}, outside, Bound{Decimal::Whole(1000), false},
                       outside);
  }

  // The loan above 0 as the account books it, in cents: less than half a
  // cent is no loan.
  static FieldRead ReadLoan(std::string_view cleaned) {
    constexpr std::string_view notPositive = "融资负债必须大于0！";
    FieldRead r = ReadInRange(cleaned, "融资负债", Bound{Decimal::Whole(0), false}, notPositive,
                              Bound{Decimal::Whole(kMaxAmount)}, "融资负债不能大于1000000000000！");
    if (r && ToCents(*r).sign() <= 0) r = FieldRead{{}, std::string(notPositive)};
    return r;
  }

  void Calculate() {
    const Market m = market();
    CleanField(shares, FieldKind::Count);
    CleanField(price, FieldKind::Price);
    CleanField(loan, FieldKind::Amount);
    CleanField(otherCollateral, FieldKind::Amount);
    CleanField(annualRate, FieldKind::Percent);
    CleanField(days, FieldKind::Count);
    CleanField(warningLine, FieldKind::Percent);
    CleanField(liquidationLine, FieldKind::Percent);

    const FieldRead n = ReadCount(shares, "信用账户持股数");
    if (!n) return Prompt(n);
    const FieldRead p = ReadPrice(price, "现价", TickDecimals(m));
    if (!p) return Prompt(p);
    const FieldRead l = ReadLoan(loan);
    if (!l) return Prompt(l);
    const FieldRead a =
        ReadInRange(otherCollateral, "其他担保资产", Bound{Decimal::Whole(0)}, "其他担保资产不能为负数！",
                    Bound{Decimal::Whole(kMaxAmount)}, "其他担保资产不能大于1000000000000！");
    if (!a) return Prompt(a);
    constexpr std::string_view rateOutside = "融资年利率必须在0到100之间！";
    const FieldRead r = ReadInRange(annualRate, "融资年利率", Bound{Decimal::Whole(0)}, rateOutside,
                                    Bound{Decimal::Whole(100), false}, rateOutside);
    if (!r) return Prompt(r);
    const FieldRead d = ReadCount(days, "计息天数", 0, kMaxDays);
    if (!d) return Prompt(d);
    const FieldRead warn = ReadLine(warningLine, "预警线");
    if (!warn) return Prompt(warn);
    const FieldRead liq = ReadLine(liquidationLine, "平仓线");
    if (!liq) return Prompt(liq);

    const MarginAccount acc = CalculateMargin(MarginTerms{*n, *p, *l, *a, *r, *d, *warn, *liq}, m);
    const int t = TickDecimals(m);
    price = p->Text(t);
    interest = acc.interest.Text(2);
    debt = acc.debt.Text(2);
    collateral = acc.collateral.Text(2);
    ratio = acc.ratio.Text(2) + "%";
    ratioColor = acc.belowLiquidation ? kRed : kBlack;
    Show(acc.warning, warningPrice, warningChange, t);
    Show(acc.liquidation, liquidationPrice, liquidationChange, t);
    ResultsShown();
  }

  static void Show(const LineCrossing& line, std::string& priceField, std::string& changeField, int tickDecimals) {
    if (!line.price) {
      priceField = kNoPrice;
      changeField = kNoPrice;
      return;
    }
    priceField = line.price->Text(tickDecimals);
    changeField = line.change.Text(2) + "%";
  }

  // "清空文本框": the position, the loan, the other collateral and every
  // result; the tick, the rate, the days and the lines stay.
  void Clear() {
    for (std::string* field : {&shares, &price, &loan, &otherCollateral, &interest, &debt, &collateral, &ratio,
                               &warningPrice, &warningChange, &liquidationPrice, &liquidationChange}) {
      field->clear();
    }
    ratioColor = kBlack;
  }

  const Control& fundOption = At("Option2");  // the stock tick when not chosen
  // The position and the loan.
  std::string& shares = text("Text1");
  std::string& price = text("Text2");  // as typed, then on the tick
  std::string& loan = text("Text3");
  std::string& otherCollateral = text("Text4");  // cash and other securities
  // The rate, the days and the broker's lines, in percent but the days.
  std::string& annualRate = text("Text5");
  std::string& days = text("Text6");
  std::string& warningLine = text("Text7");
  std::string& liquidationLine = text("Text8");
  // The account today.
  std::string& interest = text("Text9");
  std::string& debt = text("Text10");        // loan and interest
  std::string& collateral = text("Text11");  // shares at today's price and the other collateral
  std::string& ratio = text("Text12");
  Rgb& ratioColor = At("Text12").color;  // red below the liquidation line
  // The lines' prices and the moves to them from today's price.
  std::string& warningPrice = text("Text13");
  std::string& warningChange = text("Text14");
  std::string& liquidationPrice = text("Text15");
  std::string& liquidationChange = text("Text16");
};

}  // namespace

std::unique_ptr<Screen> MakeMarginFinancing(App& app) { return std::make_unique<MarginFinancing>(app); }

}  // namespace hc
