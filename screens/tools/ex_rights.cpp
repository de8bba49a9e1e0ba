// Form45, ex-rights and ex-dividend (除权除息): from the close on the record
// date and the company's terms per 10 shares (dividend, bonus shares,
// conversion of the capital reserve, rights issue), the exchanges' reference
// price on the ex-date; and for one holding the shares after, the dividend
// and its tax by holding period, the rights payment, the cost price after
// and the change of the holder's assets. Stocks only, on the cent. The rules
// are the ex-rights unit's; this screen reads its fields and writes the
// results.
#include <string>
#include <string_view>

#include "market/ex_rights.h"
#include "market/tick.h"
#include "screens/tools/tool_screen.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr int kRightsGroup = 1;
constexpr int kHoldingGroup = 2;

// Rows in twips: the inputs in two columns, the two option groups, the
// results in two columns.
constexpr int kInputRows[] = {120, 465, 810, 1155, 1500, 1845};
constexpr int kOptionRows[] = {2250, 2580};
constexpr int kResultRows[] = {2970, 3315, 3660, 4005, 4350, 4695};
constexpr int kFieldHeight = 300;
constexpr int kOptionHeight = 285;
constexpr int kCaptionDrop = 60;  // a caption's top below its field's
constexpr int kCaptionHeight = 180;

constexpr int CaptionTop(int row) { return row + kCaptionDrop; }

// Columns in twips. The inputs' captions carry their units.
constexpr int kLeft = 120;
constexpr int kInputField = 2160;  // after the longest caption, 股权登记日收盘价（元）
constexpr int kInputFieldWidth = 1035;
constexpr int kInputRight = 3300;
constexpr int kInputRightField = 4800;
constexpr int kInputRightFieldWidth = 1275;
constexpr int kResultField = 1440;  // after 除权除息参考价
constexpr int kResultFieldWidth = 1260;
constexpr int kResultRight = 2820;
constexpr int kResultRightField = 4500;  // after 红利税（卖出时扣）
constexpr int kResultRightFieldWidth = 1575;

constexpr ControlSpec kControls[] = {
    // The close and the company's terms.
    Label("Label1", "股权登记日收盘价（元）", kLeft, CaptionTop(kInputRows[0]), 2010, kCaptionHeight),
    TextField("Text1", "20.35", kInputField, kInputRows[0], kInputFieldWidth, kFieldHeight),
    Label("Label2", "每10股派息（元，税前）", kLeft, CaptionTop(kInputRows[1]), 2010, kCaptionHeight),
    TextField("Text2", "4", kInputField, kInputRows[1], kInputFieldWidth, kFieldHeight),
    Label("Label3", "每10股送股（股）", kLeft, CaptionTop(kInputRows[2]), 2010, kCaptionHeight),
    TextField("Text3", "1", kInputField, kInputRows[2], kInputFieldWidth, kFieldHeight),
    Label("Label4", "每10股转增（股）", kLeft, CaptionTop(kInputRows[3]), 2010, kCaptionHeight),
    TextField("Text4", "0", kInputField, kInputRows[3], kInputFieldWidth, kFieldHeight),
    Label("Label5", "每10股配股（股）", kInputRight, CaptionTop(kInputRows[0]), 1470, kCaptionHeight),
    TextField("Text5", "2", kInputRightField, kInputRows[0], kInputRightFieldWidth, kFieldHeight),
    Label("Label6", "配股价（元）", kInputRight, CaptionTop(kInputRows[1]), 1470, kCaptionHeight),
    TextField("Text6", "5.5", kInputRightField, kInputRows[1], kInputRightFieldWidth, kFieldHeight),
    // The holding.
    Label("Label7", "持有股数（股）", kInputRight, CaptionTop(kInputRows[2]), 1470, kCaptionHeight),
    TextField("Text7", "1000", kInputRightField, kInputRows[2], kInputRightFieldWidth, kFieldHeight),
    Label("Label8", "持仓成本价（元）", kInputRight, CaptionTop(kInputRows[3]), 1470, kCaptionHeight),
    TextField("Text8", "20", kInputRightField, kInputRows[3], kInputRightFieldWidth, kFieldHeight),
    // 差异化分红: the notice's virtual figures, empty where it prints none.
    Label("Label21", "虚拟每股现金红利（元）", kLeft, CaptionTop(kInputRows[4]), 2010, kCaptionHeight),
    TextField("Text20", "", kInputField, kInputRows[4], kInputFieldWidth, kFieldHeight),
    Label("Label22", "虚拟流通股份变动比例", kLeft, CaptionTop(kInputRows[5]), 2010, kCaptionHeight),
    TextField("Text21", "", kInputField, kInputRows[5], kInputFieldWidth, kFieldHeight),
    Label("Label23", "见权益分派实施公告：", kInputRight, CaptionTop(kInputRows[4]), 2775, kCaptionHeight)
        .Color(kDarkGrey),
    Label("Label24", "差异化分红时填写", kInputRight, CaptionTop(kInputRows[5]), 2775, kCaptionHeight).Color(kDarkGrey),
    // Taking up the rights, and how long the shares will have been held
    // when sold (the dividend tax).
    OptionButton("Option1", "参与配股", kRightsGroup, kLeft, kOptionRows[0], 1260, kOptionHeight).Checked(),
    OptionButton("Option2", "不参与配股", kRightsGroup, 1500, kOptionRows[0], 1440, kOptionHeight),
    OptionButton("Option3", "持股1个月以内", kHoldingGroup, kLeft, kOptionRows[1], 1740, kOptionHeight),
    OptionButton("Option4", "1个月以上至1年", kHoldingGroup, 1980, kOptionRows[1], 1860, kOptionHeight).Checked(),
    OptionButton("Option5", "1年以上", kHoldingGroup, 3960, kOptionRows[1], 1200, kOptionHeight),
    // The price and the shares.
    Label("Label9", "除权除息参考价", kLeft, CaptionTop(kResultRows[0]), 1290, kCaptionHeight),
    ResultField("Text9", "", kResultField, kResultRows[0], kResultFieldWidth, kFieldHeight),
    Label("Label10", "送转股数", kLeft, CaptionTop(kResultRows[1]), 1290, kCaptionHeight),
    ResultField("Text10", "", kResultField, kResultRows[1], kResultFieldWidth, kFieldHeight),
    Label("Label11", "配股股数", kLeft, CaptionTop(kResultRows[2]), 1290, kCaptionHeight),
    ResultField("Text11", "", kResultField, kResultRows[2], kResultFieldWidth, kFieldHeight),
    Label("Label12", "除权后持股", kLeft, CaptionTop(kResultRows[3]), 1290, kCaptionHeight),
    ResultField("Text12", "", kResultField, kResultRows[3], kResultFieldWidth, kFieldHeight),
    Label("Label13", "税前派息", kLeft, CaptionTop(kResultRows[4]), 1290, kCaptionHeight),
    ResultField("Text13", "", kResultField, kResultRows[4], kResultFieldWidth, kFieldHeight),
    // The money.
    Label("Label14", "红利税（卖出时扣）", kResultRight, CaptionTop(kResultRows[0]), 1650, kCaptionHeight),
    ResultField("Text14", "", kResultRightField, kResultRows[0], kResultRightFieldWidth, kFieldHeight),
    Label("Label15", "配股缴款", kResultRight, CaptionTop(kResultRows[1]), 1650, kCaptionHeight),
    ResultField("Text15", "", kResultRightField, kResultRows[1], kResultRightFieldWidth, kFieldHeight),
    Label("Label16", "除权后成本价", kResultRight, CaptionTop(kResultRows[2]), 1650, kCaptionHeight),
    ResultField("Text16", "", kResultRightField, kResultRows[2], kResultRightFieldWidth, kFieldHeight),
    Label("Label17", "除权前市值", kResultRight, CaptionTop(kResultRows[3]), 1650, kCaptionHeight),
    ResultField("Text17", "", kResultRightField, kResultRows[3], kResultRightFieldWidth, kFieldHeight),
    Label("Label18", "除权后市值", kResultRight, CaptionTop(kResultRows[4]), 1650, kCaptionHeight),
    ResultField("Text18", "", kResultRightField, kResultRows[4], kResultRightFieldWidth, kFieldHeight),
    Label("Label19", "资产变化", kResultRight, CaptionTop(kResultRows[5]), 1650, kCaptionHeight),
    ResultField("Text19", "", kResultRightField, kResultRows[5], kResultRightFieldWidth, kFieldHeight),
    // Buttons and footer.
    Button("Command1", "计算", kLeft, 5070, 1300, 375),
    Button("Command2", "清空文本框", 1560, 5070, 1300, 375),
    Button("Command3", "切换回去", 3000, 5070, 1300, 375),
    Label("Label20", "仅作辅助计算，不能作投资决策用。", kLeft, 5475, 3200, 200)
        .Color(kDarkGrey)
        .Font("宋体", 10, true),
};

constexpr std::string_view kTabOrder[] = {"Text1",   "Text2",    "Text3",    "Text4",   "Text5",   "Text6",
                                          "Text7",   "Text8",    "Text20",   "Text21",  "Option1",  "Option2", "Option3", "Option4",
                                          "Option5", "Command1", "Command2", "Command3"};

// A tool screen's window, two rows taller for the virtual figures.
constexpr ScreenSpec kSpec = [] {
  ScreenSpec layout = ToolSpec("Form45", "除权除息--衡川2.0", kControls, kTabOrder);
  layout.clientHeight = kWideScreenHeight + 690;
  return layout;
}();

// The messages of a per-10-share figure, from 0 to `high`.
FieldRead ReadPerTen(std::string_view cleaned, std::string_view name, Bound high, std::string_view above) {
  std::string below(name);
  below += "不能为负数！";
  return ReadInRange(cleaned, name, Bound{Decimal::Whole(0)}, below, high, above);
}

class ExRights final : public ToolScreen {
 public:
  explicit ExRights(App& app) : ToolScreen(app, kSpec) {
    OnCalculate("Command1", &ExRights::Calculate);
    OnClear("Command2", &ExRights::Clear);
    for (const char* option : {"Option1", "Option2", "Option3", "Option4", "Option5"}) OnOption(option);
  }

 private:
  HoldingPeriod period() const {
    if (withinMonthOption.checked) return HoldingPeriod::UpToOneMonth;
    return overYearOption.checked ? HoldingPeriod::OverOneYear : HoldingPeriod::UpToOneYear;
  }

  // "计算": every input cleaned and written back, then checked in order, the
  // first failure prompted and nothing computed; the rights price only
  // when there is a rights issue.
  void Calculate() {
    CleanField(close, FieldKind::Price);
    CleanField(dividendPerTen, FieldKind::Amount);
    CleanField(bonusPerTen, FieldKind::Count);
    CleanField(conversionPerTen, FieldKind::Count);
    CleanField(rightsPerTen, FieldKind::Count);
    CleanField(rightsPrice, FieldKind::Price);
    CleanField(shares, FieldKind::Count);
    CleanField(costPrice, FieldKind::CostPrice);
    CleanField(virtualDividend, FieldKind::Amount);
    CleanField(virtualShareRatio, FieldKind::Amount);

    const int tick = TickDecimals(Market::Stock);
    const FieldRead c = ReadPrice(close, "股权登记日收盘价", tick);
    if (!c) return Prompt(c);
    DistributionTerms terms;
    struct PerTen {
      const std::string& text;
      std::string_view name;
      Decimal& value;
      Bound high;
      std::string_view above;
    };
    // A dividend is paid out of what a share is worth: less than ten times
    // the close per 10 shares (贵州茅台's 10派276.73 on a close above 1400).
    // Shares per 10 up to 100.
    const Bound hundred{Decimal::Whole(100)};
    for (const PerTen& f :
         {PerTen{dividendPerTen, "每10股派息", terms.dividend, Bound{Decimal::Whole(10) * *c, false},
                 "每10股派息必须小于收盘价的10倍！"},
          PerTen{bonusPerTen, "每10股送股", terms.bonus, hundred, "每10股送股不能大于100！"},
          PerTen{conversionPerTen, "每10股转增", terms.conversion, hundred, "每10股转增不能大于100！"},
          PerTen{rightsPerTen, "每10股配股", terms.rights, hundred, "每10股配股不能大于100！"}}) {
      const FieldRead r = ReadPerTen(f.text, f.name, f.high, f.above);
      if (!r) return Prompt(r);
      f.value = *r;
    }
    const bool rightsIssue = terms.rights.sign() > 0;
    if (rightsIssue) {
      const FieldRead r = ReadPrice(rightsPrice, "配股价", tick);
      if (!r) return Prompt(r);
      terms.rightsPrice = *r;
    }
    const FieldRead n = ReadCount(shares, "持有股数");
    if (!n) return Prompt(n);
    const FieldRead cost = ReadCostPrice(costPrice, "持仓成本价");
    if (!cost) return Prompt(cost);
    // The notice's virtual figures, each optional: a virtual dividend is
    // paid out of what a share is worth, below the close.
    if (!virtualDividend.empty()) {
      const FieldRead r = ReadInRange(virtualDividend, "虚拟每股现金红利", Bound{Decimal::Whole(0)},
                                      "虚拟每股现金红利不能为负数！", Bound{*c, false}, "虚拟每股现金红利必须小于收盘价！");
      if (!r) return Prompt(r);
      terms.virtualDividend = *r;
    }
    if (!virtualShareRatio.empty()) {
      const FieldRead r =
          ReadInRange(virtualShareRatio, "虚拟流通股份变动比例", Bound{Decimal::Whole(0)},
                      "虚拟流通股份变动比例不能为负数！", Bound{Decimal::Whole(10)}, "虚拟流通股份变动比例不能大于10！");
      if (!r) return Prompt(r);
      terms.virtualShareRatio = *r;
    }
    if (DistributesNothing(terms)) return PromptMissing("派息、送股、转增和配股不能都为0！");

    const Holding holding{*n, *cost, subscribeOption.checked, period()};
    const std::optional<ExRightsPosition> p = ExRightsOf(*c, terms, holding);
    if (!p) return PromptMissing("除权除息参考价不大于0，请检查派息金额！");

    close = c->Text(tick);
    if (rightsIssue) rightsPrice = terms.rightsPrice.Text(tick);
    referencePrice = p->referencePrice.Text(tick);
    distributedShares = p->distributedShares.Text(0);
    rightsShares = p->rightsShares.Text(0);
    sharesAfter = p->sharesAfter.Text(0);
    dividend = p->dividend.Text(2);
    dividendTax = p->dividendTax.Text(2);
    rightsPayment = p->rightsPayment.Text(2);
    costPriceAfter = p->costPriceAfter.Text(3);
    valueBefore = p->valueBefore.Text(2);
    valueAfter = p->valueAfter.Text(2);
    assetChange = p->assetChange.Text(2);
    assetChangeColor = SignColor(p->assetChange);
    ResultsShown();
  }

  // "清空文本框": every input and every result; the choices stay.
  void Clear() {
    for (std::string* field :
         {&close, &dividendPerTen, &bonusPerTen, &conversionPerTen, &rightsPerTen, &rightsPrice, &shares, &costPrice,
          &virtualDividend, &virtualShareRatio, &referencePrice, &distributedShares, &rightsShares, &sharesAfter, &dividend, &dividendTax, &rightsPayment,
          &costPriceAfter, &valueBefore, &valueAfter, &assetChange}) {
      field->clear();
    }
    assetChangeColor = kBlack;
  }

  // The close and the terms, per 10 shares.
  std::string& close = text("Text1");  // as typed, then on the cent
  std::string& dividendPerTen = text("Text2");
  std::string& bonusPerTen = text("Text3");
  std::string& conversionPerTen = text("Text4");
  std::string& rightsPerTen = text("Text5");
  std::string& rightsPrice = text("Text6");  // on the cent when read
  // The holding and the holder's choices.
  std::string& shares = text("Text7");
  std::string& costPrice = text("Text8");
  std::string& virtualDividend = text("Text20");    // yuan a share, optional
  std::string& virtualShareRatio = text("Text21");  // a plain ratio, optional
  const Control& subscribeOption = At("Option1");    // else 不参与配股
  const Control& withinMonthOption = At("Option3");  // 20 %
  const Control& overYearOption = At("Option5");     // 0; else 10 %
  // The results.
  std::string& referencePrice = text("Text9");
  std::string& distributedShares = text("Text10");  // 送转
  std::string& rightsShares = text("Text11");
  std::string& sharesAfter = text("Text12");
  std::string& dividend = text("Text13");  // before tax
  std::string& dividendTax = text("Text14");
  std::string& rightsPayment = text("Text15");
  std::string& costPriceAfter = text("Text16");
  std::string& valueBefore = text("Text17");
  std::string& valueAfter = text("Text18");
  std::string& assetChange = text("Text19");
  Rgb& assetChangeColor = At("Text19").color;
};

}  // namespace

std::unique_ptr<Screen> MakeExRights(App& app) { return std::make_unique<ExRights>(app); }

}  // namespace hc
