// Form51, a convertible bond's yield to maturity: from its dirty price, the
// day bought, its coupon schedule and redemption price, the flows still to
// come, the annual yield of holding it to maturity before and after the tax
// on interest, its bond floor at a discount rate of the user's with the
// price's premium over it, and the interest the price already holds. The
// rules are the convertible-yield unit's; this screen reads its fields and
// writes the results.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "market/annual_return.h"
#include "market/convertible_bond.h"
#include "market/convertible_yield.h"
#include "market/dates.h"
#include "market/present_value.h"
#include "numeric/numeric.h"
#include "screens/tools/tool_screen.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr int kRedemptionGroup = 1;
constexpr int kTaxGroup = 2;

// Rows of the inputs and of the results below them, in twips.
constexpr int kInputRows[] = {120, 450, 780, 1110, 1440, 1770, 2100};
constexpr int kResultRows[] = {2520, 2850, 3180, 3510, 3840};
constexpr int kFieldHeight = 300;
constexpr int kCaptionDrop = 60;  // a caption's top below its field's
constexpr int kCaptionHeight = 180;

// The left column: a caption and its field. The right one holds the
// options and two results beside the last inputs, with their units.
constexpr int kCaptionLeft = 120;
constexpr int kCaptionWidth = 2040;
constexpr int kFieldLeft = 2190;
constexpr int kFieldWidth = 1290;
constexpr int kUnitWidth = 180;
constexpr int kRightLeft = 3600;
constexpr int kRightEnd = 6075;
constexpr int kRightCaptionWidth = 1290;
constexpr int kRightField = 4920;
constexpr int kRightFieldWidth = 960;
constexpr int kRightUnit = 5940;
constexpr int kOptionHeight = 300;
// The results below the inputs take narrower captions and fields, leaving
// the table of flows the room of its three columns.
constexpr int kResultCaptionWidth = 1620;
constexpr int kResultField = 1770;
constexpr int kResultFieldWidth = 1080;
constexpr int kResultUnit = 2880;
constexpr int kTableLeft = 3150;

constexpr int CaptionTop(int row) { return row + kCaptionDrop; }

constexpr std::string_view kFlowColumns[] = {"日期", "税前", "税后"};

constexpr ControlSpec kControls[] = {
    // The bond as bought.
    Label("Label1", "转债价格（元/张，全价）", kCaptionLeft, CaptionTop(kInputRows[0]), kCaptionWidth, kCaptionHeight),
    TextField("Text1", "112.345", kFieldLeft, kInputRows[0], kFieldWidth, kFieldHeight),
    Label("Label2", "买入日期", kCaptionLeft, CaptionTop(kInputRows[1]), kCaptionWidth, kCaptionHeight),
    TextField("Text2", "", kFieldLeft, kInputRows[1], kFieldWidth, kFieldHeight).TodayAtLoad(),
    // Its terms.
    Label("Label3", "起息日（发行首日）", kCaptionLeft, CaptionTop(kInputRows[2]), kCaptionWidth, kCaptionHeight),
    TextField("Text3", "2021-06-15", kFieldLeft, kInputRows[2], kFieldWidth, kFieldHeight),
    Label("Label4", "到期日", kCaptionLeft, CaptionTop(kInputRows[3]), kCaptionWidth, kCaptionHeight),
    TextField("Text4", "2027-06-15", kFieldLeft, kInputRows[3], kFieldWidth, kFieldHeight),
    Label("Label5", "各年票面利率（%）", kCaptionLeft, CaptionTop(kInputRows[4]), kCaptionWidth, kCaptionHeight),
    TextField("Text5", "0.3 0.5 1.0 1.5 1.8 2.0", kFieldLeft, kInputRows[4], kRightEnd - kFieldLeft, kFieldHeight),
    Label("Label6", "到期赎回价（元）", kCaptionLeft, CaptionTop(kInputRows[5]), kCaptionWidth, kCaptionHeight),
    TextField("Text6", "115", kFieldLeft, kInputRows[5], kFieldWidth, kFieldHeight),
    Label("Label7", "纯债折现率（%）", kCaptionLeft, CaptionTop(kInputRows[6]), kCaptionWidth, kCaptionHeight),
    TextField("Text7", "3", kFieldLeft, kInputRows[6], kFieldWidth, kFieldHeight),
    // What the redemption price holds, and how the maturity payment is taxed.
    OptionButton("Option1", "赎回价含最后一期利息", kRedemptionGroup, kRightLeft, 120, kRightEnd - kRightLeft,
                 kOptionHeight)
        .Checked(),
    OptionButton("Option2", "赎回价不含最后一期利息", kRedemptionGroup, kRightLeft, 420, kRightEnd - kRightLeft,
                 kOptionHeight),
    OptionButton("Option3", "到期只对最后一期利息扣税", kTaxGroup, kRightLeft, 780, kRightEnd - kRightLeft,
                 kOptionHeight)
        .Checked(),
    OptionButton("Option4", "到期对超出面值部分扣税", kTaxGroup, kRightLeft, 1080, kRightEnd - kRightLeft,
                 kOptionHeight),
    // The term left and the interest the price holds.
    Label("Label8", "剩余年限", kRightLeft, CaptionTop(kInputRows[5]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text8", "", kRightField, kInputRows[5], kRightFieldWidth, kFieldHeight),
    Label("Label9", "年", kRightUnit, CaptionTop(kInputRows[5]), kUnitWidth, kCaptionHeight),
    Label("Label10", "已含应计利息", kRightLeft, CaptionTop(kInputRows[6]), kRightCaptionWidth, kCaptionHeight),
    ResultField("Text14", "", kRightField, kInputRows[6], kRightFieldWidth, kFieldHeight),
    Label("Label11", "元", kRightUnit, CaptionTop(kInputRows[6]), kUnitWidth, kCaptionHeight),
    // The yields, the floor and the premium.
    Label("Label12", "剩余现金流（税前）", kCaptionLeft, CaptionTop(kResultRows[0]), kResultCaptionWidth,
          kCaptionHeight),
    ResultField("Text9", "", kResultField, kResultRows[0], kResultFieldWidth, kFieldHeight),
    Label("Label13", "元", kResultUnit, CaptionTop(kResultRows[0]), kUnitWidth, kCaptionHeight),
    Label("Label14", "到期税前收益率", kCaptionLeft, CaptionTop(kResultRows[1]), kResultCaptionWidth, kCaptionHeight),
    ResultField("Text10", "", kResultField, kResultRows[1], kResultFieldWidth, kFieldHeight),
    Label("Label15", "到期税后收益率", kCaptionLeft, CaptionTop(kResultRows[2]), kResultCaptionWidth, kCaptionHeight),
    ResultField("Text11", "", kResultField, kResultRows[2], kResultFieldWidth, kFieldHeight),
    Label("Label16", "纯债价值", kCaptionLeft, CaptionTop(kResultRows[3]), kResultCaptionWidth, kCaptionHeight),
    ResultField("Text12", "", kResultField, kResultRows[3], kResultFieldWidth, kFieldHeight),
    Label("Label17", "元", kResultUnit, CaptionTop(kResultRows[3]), kUnitWidth, kCaptionHeight),
    Label("Label18", "纯债溢价率", kCaptionLeft, CaptionTop(kResultRows[4]), kResultCaptionWidth, kCaptionHeight),
    ResultField("Text13", "", kResultField, kResultRows[4], kResultFieldWidth, kFieldHeight),
    // The flows still to come, one row a payment day.
    Table("Table1", kFlowColumns, kTableLeft, kResultRows[0], kRightEnd - kTableLeft,
          kResultRows[4] + kFieldHeight - kResultRows[0])
        .ReadOnly(),
    // Buttons and footer.
    Button("Command1", "计算", 120, 4320, 1300, 375),
    Button("Command2", "清空文本框", 1560, 4320, 1300, 375),
    Button("Command3", "切换回去", 3000, 4320, 1300, 375),
    Label("Label19", "仅作辅助计算，不能作投资决策用。", 120, 4725, 3200, 200).Color(kDarkGrey).Font("宋体", 10, true),
};

constexpr std::string_view kTabOrder[] = {"Text1",   "Text2",    "Text3",    "Text4",    "Text5",
                                          "Text6",   "Text7",    "Option1",  "Option2",  "Option3",
                                          "Option4", "Command1", "Command2", "Command3", "Table1"};

constexpr ScreenSpec kSpec = ToolSpec("Form51", "可转债到期收益率--衡川2.0", kControls, kTabOrder);

// A percent range's message, the same at both ends.
FieldRead ReadPercentUpTo100(std::string_view cleaned, std::string_view name) {
  const std::string outside = std::string(name) + "必须在0到100之间！";
  return ReadInRange(cleaned, name, Bound{Decimal::Whole(0)}, outside, Bound{Decimal::Whole(kHighestDiscountPercent)},
                     outside);
}

// What is wrong with the coupon rates, in the prompt's words.
std::string CouponMessage(const CouponRatesRead& read) {
  const std::string rate = "第" + std::to_string(read.number) + "个票面利率";
  switch (read.fault) {
    case CouponFault::NoRates: return MissingMessage("各年票面利率");
    case CouponFault::NotNumber: return NotNumberMessage(rate);
    case CouponFault::OutOfRange: return rate + "必须在0到" + std::to_string(kHighestCouponPercent) + "之间！";
    case CouponFault::None: break;
  }
  return {};
}

// A yield as a percentage with two decimals, or "无" where no rate fits.
std::string YieldText(const std::optional<double>& rate) { return rate ? RatePercent(*rate).Text(2) + "%" : "无"; }
Rgb YieldColor(const std::optional<double>& rate) { return rate ? SignColor(RatePercent(*rate)) : kBlack; }

class ConvertibleYieldScreen final : public ToolScreen {
 public:
  explicit ConvertibleYieldScreen(App& app) : ToolScreen(app, kSpec) {
    for (std::string_view option : {"Option1", "Option2", "Option3", "Option4"}) OnOption(option);
    OnCalculate("Command1", &ConvertibleYieldScreen::Calculate);
    OnClear("Command2", &ConvertibleYieldScreen::Clear);
  }

 private:
  // A date field's cleaning: full-width digits and marks as plain ones, blanks
  // trimmed at both ends.
  static void CleanDate(std::string& field) { field = std::string(TrimBlanks(PlainWidth(field))); }

  // A cleaned date field read: empty → "请输入{名}！", no date of the five
  // forms → "{名}无效！".
  std::optional<Date> ReadDateField(const std::string& field, std::string_view name) {
    if (field.empty()) {
      PromptMissing(MissingMessage(name));
      return std::nullopt;
    }
    const std::optional<Date> day = ParseDate(field);
    if (!day) PromptMissing(std::string(name) + "无效！");
    return day;
  }

  // "计算": every input cleaned and written back, then the fields checked in
  // order and then the dates against each other and the number of rates;
  // the first failure is prompted and nothing computed.
  void Calculate() {
    CleanField(price, FieldKind::Price);
    for (std::string* date : {&bought, &interestStart, &maturity}) CleanDate(*date);
    rates = std::string(TrimBlanks(PlainWidth(rates)));
    CleanField(redemption, FieldKind::Price);
    CleanField(discount, FieldKind::Percent);

    const FieldRead p = ReadPrice(price, "转债价格", kBondTickDecimals);
    if (!p) return Prompt(p);
    const std::optional<Date> day = ReadDateField(bought, "买入日期");
    if (!day) return;
    const std::optional<Date> start = ReadDateField(interestStart, "起息日");
    if (!start) return;
    const std::optional<Date> end = ReadDateField(maturity, "到期日");
    if (!end) return;
    CouponRatesRead coupons = ReadCouponRates(rates);
    if (coupons.fault != CouponFault::None) return PromptMissing(CouponMessage(coupons));
    const FieldRead r = ReadPrice(redemption, "到期赎回价", kBondTickDecimals);
    if (!r) return Prompt(r);
    const FieldRead y = ReadPercentUpTo100(discount, "纯债折现率");
    if (!y) return Prompt(y);

    if (!(*start < *end)) return PromptMissing("到期日必须晚于起息日！");
    const int years = WholeYears(*start, *end);
    if (years > kMostBondYears) {
      return PromptMissing("起息日到到期日不能超过" + std::to_string(kMostBondYears) + "年！");
    }
    if (Anniversary(*start, years) != *end) return PromptMissing("到期日应为起息日满整年的当日！");
    if (*day < *start || !(*day < *end)) return PromptMissing("买入日期必须在起息日和到期日之间！");
    if (coupons.percents.size() != static_cast<std::size_t>(years)) {
      return PromptMissing("票面利率应有" + std::to_string(years) + "个（每年一个）！");
    }

    BondTerms terms{*start,
                    *end,
                    std::move(coupons.percents),
                    *r,
                    withoutLastCoupon.checked ? LastCoupon::BesideRedemption : LastCoupon::InRedemption,
                    aboveFaceTax.checked ? MaturityTax::AboveFaceValue : MaturityTax::LastCouponOnly};
    const BondYield f = ConvertibleYield(*p, *day, terms, *y);
    std::vector<std::vector<std::string>> table;
    table.reserve(f.flows.size());
    for (const BondFlow& flow : f.flows) {
      table.push_back({IsoText(flow.date), flow.beforeTax.Text(2), flow.afterTax.Text(2)});
    }

    price = p->Text(kBondTickDecimals);
    redemption = r->Text(kBondTickDecimals);
    remainingYears = f.remainingYears.Text(3);
    remainingCash = f.remainingCash.Text(2);
    yieldBeforeTax = YieldText(f.yieldBeforeTax);
    yieldBeforeTaxColor = YieldColor(f.yieldBeforeTax);
    yieldAfterTax = YieldText(f.yieldAfterTax);
    yieldAfterTaxColor = YieldColor(f.yieldAfterTax);
    bondFloor = f.bondFloor.Text(2);
    premium = f.premiumPercent ? f.premiumPercent->Text(2) + "%" : "无";
    accrued = f.accruedInterest.Text(4);
    flowRows = std::move(table);
    ResultsShown();
  }

  // "清空文本框": the bond's price and terms and every result; the day
  // bought, the discount rate and the options stay.
  void Clear() {
    for (std::string* field : {&price, &interestStart, &maturity, &rates, &redemption, &remainingYears, &remainingCash,
                               &yieldBeforeTax, &yieldAfterTax, &bondFloor, &premium, &accrued}) {
      field->clear();
    }
    yieldBeforeTaxColor = kBlack;
    yieldAfterTaxColor = kBlack;
    flowRows.clear();
  }

  // The inputs.
  std::string& price = text("Text1");  // the dirty price, as typed, then on the bond's tick
  std::string& bought = text("Text2");
  std::string& interestStart = text("Text3");
  std::string& maturity = text("Text4");
  std::string& rates = text("Text5");       // one coupon rate a year, in percent
  std::string& redemption = text("Text6");  // as typed, then on the bond's tick
  std::string& discount = text("Text7");    // in percent a year
  const Control& withoutLastCoupon = At("Option2");
  const Control& aboveFaceTax = At("Option4");
  // The results.
  std::string& remainingYears = text("Text8");
  std::string& remainingCash = text("Text9");
  std::string& yieldBeforeTax = text("Text10");
  Rgb& yieldBeforeTaxColor = At("Text10").color;
  std::string& yieldAfterTax = text("Text11");
  Rgb& yieldAfterTaxColor = At("Text11").color;
  std::string& bondFloor = text("Text12");
  std::string& premium = text("Text13");  // or "无"
  std::string& accrued = text("Text14");
  std::vector<std::vector<std::string>>& flowRows = rows("Table1");
};

}  // namespace

std::unique_ptr<Screen> MakeConvertibleYield(App& app) { return std::make_unique<ConvertibleYieldScreen>(app); }

}  // namespace hc
