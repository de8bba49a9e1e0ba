// Form38, the position-building plan: a fraction of the capital spent over up
// to three entry prices in one of three building modes, every purchase in
// whole lots of 100 shares, the money left by the rounding spent on further
// lots at the first and second price; then the plan measured against the
// stop-loss and target prices: moves, losses, gains and risk/reward.
//
// Every result lives in a label text and nothing is cleared before a press:
// a label that a press does not reach keeps the text of an earlier press.
// The hidden fields Text14 and Text15 hold the absolute total loss and gain
// and carry them from press to press into the overall risk/reward ratio.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "screens/plan/plan_calc.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Label("Label56", "32:1,2,4,8,16", 3000, 0, 1170, 180).Color(kLightGrey),
    Label("Label57", "3：6：12：25：50", 4320, 0, 1440, 180).Color(kLightGrey),
    // Capital, and the money actually used.
    Label("Label1", "本金：", 120, 240, 540, 180),
    TextField("Text1", "100000", 960, 120, 1335, 375),
    TextField("Text14", "Text14", 2400, 120, 495, 375).Hidden(),
    TextField("Text15", "Text15", 2400, 120, 495, 375).Hidden(),
    Label("Label39", "实际使用金额：", 3000, 240, 630, 180),
    Label("Label40", "", 4200, 240, 630, 180).Color(kRed),
    Label("Label45", "", 5520, 240, 630, 180).Color(kMagenta),
    // Fraction of the capital, building mode, planned amount.
    Label("Label2", "用钱比例：", 120, 720, 540, 180),
    TextField("Text2", "5", 960, 600, 800, 375),
    Label("Label3", "分之", 1800, 720, 540, 180),
    TextField("Text3", "3", 2280, 600, 600, 375),
    Label("Label23", "建仓模式：", 2880, 720, 630, 180),
    TextField("Text13", "2", 3720, 600, 400, 375),
    Label("Label4", "计划建仓：", 4200, 720, 540, 180),
    Label("Label5", "", 5040, 720, 540, 180).Color(kRed),
    // Entry prices and what each one buys.
    Label("Label6", "股价1：", 120, 1200, 540, 180),
    TextField("Text4", "7", 960, 1080, 800, 375),
    Label("Label7", "股价2：", 1920, 1200, 540, 180),
    TextField("Text5", "8", 2760, 1080, 800, 375),
    Label("Label8", "股价3：", 3720, 1200, 540, 180),
    TextField("Text6", "9", 4680, 1080, 800, 375),
    Label("Label9", "", 120, 1560, 630, 180),
    Label("Label10", "", 1200, 1560, 630, 180).Color(kRed),
    Label("Label11", "", 2160, 1560, 630, 180),
    Label("Label12", "", 3240, 1560, 630, 180).Color(kRed),
    Label("Label13", "", 4200, 1560, 630, 180),
    Label("Label14", "", 5280, 1560, 630, 180).Color(kRed),
    Label("Label52", "", 120, 1800, 630, 180).Color(kMagenta),
    Label("Label53", "", 2160, 1800, 630, 180).Color(kMagenta),
    Label("Label54", "", 4200, 1800, 630, 180).Color(kMagenta),
    // Summary: total shares, average price, its moves to stop 1 and target 1.
    Label("Label46", "", 120, 2040, 630, 180),
    Label("Label48", "", 120, 2040, 630, 180),
    Label("Label47", "", 1560, 2040, 630, 180),
    Label("Label49", "", 3120, 2040, 630, 180).Color(kBlue),
    Label("Label50", "", 4680, 2040, 630, 180).Color(kRed),
    // Stop-loss prices and the losses there.
    Label("Label15", "止损价：", 120, 2520, 630, 180),
    TextField("Text7", "6.5", 960, 2400, 800, 375),
    Label("Label16", "", 1920, 2520, 630, 180).Color(kBlue),
    TextField("Text8", "6.5", 2760, 2400, 800, 375),
    Label("Label17", "", 3600, 2520, 630, 180).Color(kBlue),
    TextField("Text9", "6.5", 4680, 2400, 800, 375),
    Label("Label18", "", 5520, 2520, 630, 180).Color(kBlue),
    Label("Label19", "总亏损：", 120, 3000, 630, 180),
    Label("Label38", "", 720, 3000, 630, 180).Color(kMagenta),
    Label("Label20", "", 1440, 3000, 630, 180).Color(kBlue),
    Label("Label22", "", 2400, 3000, 630, 180).Color(kBlue),
    Label("Label24", "", 3480, 3000, 630, 180).Color(kBlue),
    Label("Label25", "", 4440, 3000, 630, 180),
    Label("Label26", "", 4680, 3000, 630, 180).Color(kMagenta),
    Label("Label21", "", 5520, 3000, 630, 180).Color(kDarkPurple),
    // Target prices and the gains there.
    Label("Label27", "目标价：", 120, 3480, 630, 180),
    TextField("Text10", "12", 960, 3360, 800, 375),
    Label("Label28", "", 1800, 3480, 630, 180),
    TextField("Text11", "12", 2760, 3360, 800, 375),
    Label("Label29", "", 3600, 3480, 630, 180),
    TextField("Text12", "12", 4680, 3360, 800, 375),
    Label("Label42", "", 5520, 3480, 630, 180),
    Label("Label30", "目标盈利：", 120, 3840, 630, 180),
    Label("Label41", "", 840, 3840, 630, 180).Color(kRed),
    Label("Label31", "", 1680, 3840, 630, 180).Color(kRed),
    Label("Label32", "", 2640, 3840, 630, 180).Color(kRed),
    Label("Label33", "", 3600, 3840, 630, 180).Color(kRed),
    Label("Label43", "", 4440, 3840, 630, 180),
    Label("Label44", "", 4680, 3840, 630, 180).Color(kRed),
    Label("Label51", "", 5520, 3840, 630, 180).Color(kDarkPurple),
    // Risk/reward.
    Label("Label34", "风险收益比：", 120, 4200, 630, 180),
    Label("Label35", "", 1440, 4200, 630, 180).Color(kBlue),
    Label("Label36", "", 2760, 4200, 630, 180).Color(kBlue),
    Label("Label37", "", 4320, 4200, 630, 180).Color(kBlue),
    Label("Label55", "", 5520, 4200, 630, 180).Color(kDarkPurple),
    // Buttons and footer.
    Button("Command1", "建仓计划", 120, 4440, 1290, 420),
    Button("Command2", "清空文本框", 1680, 4440, 1290, 420),
    Button("Command4", "网格交易", 3240, 4440, 1290, 420),
    Button("Command3", "切换回去", 4800, 4440, 1290, 420),
    Label("Label58", "仅作辅助计算，不能作投资决策用。", 120, 4920, 735, 180)
        .Color(kDarkGrey)
        .Font("宋体", 10, true),
};

// The mode field comes after the buttons; the hidden fields take no focus.
constexpr std::string_view kTabOrder[] = {"Text1",  "Text2",    "Text3",    "Text4",    "Text5",  "Text6",
                                          "Text7",  "Text8",    "Text9",    "Text10",   "Text11", "Text12",
                                          "Command1", "Command2", "Command3", "Text13", "Command4"};

constexpr Link kLinks[] = {
    {"Command3", "Form1", SwitchOrder::HideFirst},
    {"Command4", "Form39", SwitchOrder::HideFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form38",
    .title = "股票建仓计划--衡川2.0  作者：听风客",
    .clientWidth = kWideScreenWidth,
    .clientHeight = kWideScreenHeight,
    .controls = kControls,
    .tabOrder = kTabOrder,
    .initialFocus = "Text1",
    .defaultButton = "Command1",
    .links = kLinks,
    // The plan opens where the main screen stands.
    .placedLike = "Form1",
    .backButton = "Command3",
};

// The fields of one tranche (one entry price).
struct TrancheFields {
  std::string_view price, stop, target;  // inputs
  std::string_view money, shares, ofCapital;  // what the tranche buys
  // The tranche's risk labels: move to the stop, loss there, move to the
  // target, gain there, risk/reward.
  std::string_view stopMove, loss, targetMove, gain, ratio;
};

constexpr TrancheFields kTranches[3] = {
    {"Text4", "Text7", "Text10", "Label9", "Label10", "Label52", "Label16", "Label20", "Label28", "Label31", "Label35"},
    {"Text5", "Text8", "Text11", "Label11", "Label12", "Label53", "Label17", "Label22", "Label29", "Label32", "Label36"},
    {"Text6", "Text9", "Text12", "Label13", "Label14", "Label54", "Label18", "Label24", "Label42", "Label33", "Label37"},
};

// A stop equal to the entry price gives no risk to divide the reward by.
constexpr std::string_view kStopAtPriceMessages[3] = {
    "",
    "损止价不能和买入股2价相同，请重新输入！",
    "损止价不能和买入股3价相同，请重新输入！",
};

constexpr std::string_view kRatioPrefix = "1 ： ";

// Everything the clear button empties: the results of a plan. The "="
// labels stay.
constexpr std::string_view kClearedLabels[] = {
    "Label5",  "Label9",  "Label10", "Label11", "Label12", "Label13", "Label14", "Label16", "Label17",
    "Label18", "Label20", "Label21", "Label22", "Label24", "Label26", "Label28", "Label29", "Label31",
    "Label32", "Label33", "Label35", "Label36", "Label37", "Label38", "Label40", "Label41", "Label42",
    "Label44", "Label45", "Label46", "Label47", "Label48", "Label49", "Label50", "Label51", "Label52",
    "Label53", "Label54", "Label55"};

// Everything a plan without shares empties: the stop, target and
// risk/reward outputs and the two carried totals.
constexpr std::string_view kRiskOutputs[] = {
    "Label16", "Label17", "Label18", "Label38", "Label20", "Label22", "Label24", "Label25", "Label26",
    "Label21", "Label28", "Label29", "Label42", "Label41", "Label31", "Label32", "Label33", "Label43",
    "Label44", "Label51", "Label35", "Label36", "Label37", "Text14",  "Text15",  "Label55"};

// The texts of one tranche's fields, bound once.
struct Tranche {
  std::string &price, &stop, &target;
  std::string &money, &shares, &ofCapital;
  std::string &stopMove, &loss, &targetMove, &gain, &ratio;
};

// A set of tranches over which the totals are summed.
struct Tranches {
  bool in[3] = {};
};

// The total's text without its sign. Only a leading minus goes: a total
// below 0.0001 is written like '-1E-05', and dropping the exponent's minus
// too would turn it into 100000.
std::string WithoutSign(std::string text) {
  if (!text.empty() && text.front() == '-') text.erase(0, 1);
  return text;
}

class PositionPlan final : public Screen {
 public:
  explicit PositionPlan(App& app) : Screen(app, kSpec) {
    OnClick("Command1", &PositionPlan::BuildPlan);
    OnClick("Command2", &PositionPlan::Clear);
  }

 private:
  // The inputs and working values of one press; every press starts from 0.
  struct Plan {
    Num capital, denominator, numerator, mode;  // C, D, U, m
    Num price[3], stop[3], target[3];
    bool hasPrice[3] = {}, hasStop[3] = {}, hasTarget[3] = {};
    Num planned;                    // P
    std::int32_t first[3] = {};     // first-pass lots B
    std::int32_t extra[3] = {};     // extra lots E (never at price 3)
    std::int32_t shares[3] = {};    // final counts N = E + B
    std::int32_t totalShares = 0;   // S
    Num totalMoney;                 // M, the money of the final counts
  };

  // A field is filled when it holds a text that reads as a number other
  // than 0.
  static bool Filled(const std::string& field) { return !IsMissing(field) && ReadNumber(field) != 0; }

  static void Empty(std::initializer_list<std::string*> fields) {
    for (std::string* f : fields) f->clear();
  }
  void EmptyRisk(int i) {
    Tranche& t = tranches_[i];
    Empty({&t.stopMove, &t.loss, &t.targetMove, &t.gain, &t.ratio});
  }

  // "建仓计划".
  void BuildPlan() {
    plan_ = Plan{};
    Plan& p = plan_;

    CleanNumberText(capital, kCapitalMarks);
    CleanNumberText(denominator, kTypedMoneyOrPercentMarks);
    CleanNumberText(numerator, kTypedMoneyOrPercentMarks);
    for (Tranche& t : tranches_) CleanNumberText(t.price, kTypedMoneyOrPercentMarks);
    for (Tranche& t : tranches_) CleanNumberText(t.stop, kTypedMoneyOrPercentMarks);
    for (Tranche& t : tranches_) CleanNumberText(t.target, kTypedMoneyOrPercentMarks);
    CleanNumberText(mode, kModeMarks);
    p.capital = ReadNumber(capital);
    p.denominator = ReadNumber(denominator);
    p.numerator = ReadNumber(numerator);
    for (int i = 0; i < 3; ++i) p.price[i] = ReadNumber(tranches_[i].price);
    for (int i = 0; i < 3; ++i) p.stop[i] = ReadNumber(tranches_[i].stop);
    for (int i = 0; i < 3; ++i) p.target[i] = ReadNumber(tranches_[i].target);
    p.mode = ReadNumber(mode);

    if (IsMissing(capital)) return PromptMissing("请输入本金！");
    if (IsMissing(denominator)) return PromptMissing("请输入金额比例！");
    if (IsMissing(numerator)) return PromptMissing("请输入金额比例！！");
    if (mode == "0" || IsMissing(mode)) {
      return PromptMissing("请输入建仓模式：1是平均分配，2是金字塔，3是2/3,1/3！！");
    }
    if (p.numerator > p.denominator) return PromptMissing("分子比分母大了，请正确输入金额比例！");
    if (p.mode > 3) return PromptMissing("建仓模式的范围值：1-3，请正确输入！");
    if (p.capital == 0) return PromptMissing("本金不能为0,请正确输入本金数目！");
    if (p.denominator == 0 || p.numerator == 0) return PromptMissing("金额比例不能为0,请正确输入金额比例！");

    p.planned = (p.numerator / p.denominator) * p.capital;
    for (int i = 0; i < 3; ++i) {
      p.hasPrice[i] = Filled(tranches_[i].price);
      p.hasStop[i] = Filled(tranches_[i].stop);
      p.hasTarget[i] = Filled(tranches_[i].target);
    }

    // First pass: each filled price buys whole lots with its allotment. A
    // later tranche that cannot buy a lot shows no risk figures.
    for (int i = 0; i < 3; ++i) {
      if (!p.hasPrice[i]) continue;
      p.first[i] = LotShares(Allotment(i), p.price[i]);
      if (i > 0 && p.first[i] < kLot) EmptyRisk(i);
      WritePurchase(i);
      if (i == 2 && p.hasPrice[0] && p.hasPrice[1]) BuyExtraLots();
    }
    WriteRounded(plannedAmount, p.planned, "元");

    // Totals over the final counts.
    for (int i = 0; i < 3; ++i) p.shares[i] = AddShares(p.extra[i], p.first[i]);
    p.totalShares = AddShares(p.shares[2], AddShares(p.shares[1], p.shares[0]));
    p.totalMoney = Num(p.shares[2]) * p.price[2] + (Num(p.shares[1]) * p.price[1] + Num(p.shares[0]) * p.price[0]);
    if (p.hasPrice[0] || p.hasPrice[1] || p.hasPrice[2]) {
      sharesBought = "总股数：" + NumberText(p.totalShares);
      averagePrice = p.totalShares > 0 ? "平均价：" + Fixed2(p.totalMoney / p.totalShares) : "";
      SummaryLevels();
    }

    // A tranche whose first pass bought nothing shows no purchase, even when
    // extra lots were bought at its price.
    for (int i = 0; i < 3; ++i) {
      if (p.first[i] <= 0) Empty({&tranches_[i].money, &tranches_[i].shares, &tranches_[i].ofCapital});
    }
    if (p.totalShares == 0) {
      for (std::string* f : riskOutputs_) f->clear();
    }

    for (int i = 0; i < 3; ++i) StopSide(i);
    MoneyUsed();
    for (int i = 0; i < 3; ++i) {
      if (!TargetSide(i)) return;
    }
    OverallRatio();
  }

  // The money the building mode gives tranche i in the first pass. The mode
  // is compared with 1, 2 and 3 exactly; any other mode allots nothing.
  Num Allotment(int i) const {
    const Plan& p = plan_;
    Num k[3];
    for (int j = 0; j < 3; ++j) k[j] = p.hasPrice[j] ? 1 : 0;
    Num P = p.planned;
    if (p.mode == 1) {  // 平均分配: later tranches absorb the rounding of earlier ones
      switch (i) {
        case 0:
          return P / (k[0] + k[1] + k[2]);
        case 1: {
          Num rest = P - p.price[0] * p.first[0];
          Num share = rest / (k[1] + k[2]);
          return share < p.price[1] * kLot ? rest : share;
        }
        default:
          return (P - p.price[0] * p.first[0]) - p.price[1] * p.first[1];
      }
    }
    if (p.mode == 2) {  // 金字塔: fixed weights 8 : 4 : 2 of fourteenths
      constexpr double kWeights[3] = {8, 4, 2};
      return (P * kWeights[i]) / 14;
    }
    if (p.mode == 3) {  // 2/3,1/3
      switch (i) {
        case 0:
          return (P * 2) / 3;
        case 1:
          return !p.hasPrice[0] && p.hasPrice[2] ? (P * 2) / 3 : (P * 1) / 3;
        default:
          return p.hasPrice[0] && p.hasPrice[1] && p.hasPrice[2] ? Num(0) : (P * 1) / 3;
      }
    }
    return 0;
  }

  // Writes what tranche i buys: its money, its share count and its share
  // of the capital.
  void WritePurchase(int i) {
    const Plan& p = plan_;
    Tranche& f = tranches_[i];
    Num money = p.price[i] * p.extra[i] + p.price[i] * p.first[i];
    WriteRounded(f.money, money, "元");
    f.shares = NumberText(AddShares(p.extra[i], p.first[i])) + "股";
    WriteRounded(f.ofCapital, money / p.capital * 100, "%");
  }

  // What the first pass left over buys further lots at price 1, then at
  // price 2; never at price 3.
  void BuyExtraLots() {
    Plan& p = plan_;
    Num left = ((p.planned - p.price[0] * p.first[0]) - p.price[1] * p.first[1]) - p.price[2] * p.first[2];
    if (left >= p.price[0] * kLot) {
      p.extra[0] = LotShares(left, p.price[0]);
      WritePurchase(0);
    }
    left = left - p.price[0] * p.extra[0];
    if (left >= p.price[1] * kLot) {
      p.extra[1] = LotShares(left, p.price[1]);
      WritePurchase(1);
    }
  }

  // The moves from the average price, as shown with two decimals, to stop 1
  // and target 1.
  void SummaryLevels() {
    const Plan& p = plan_;
    if (!p.hasStop[0]) return;
    Num average = p.totalShares > 0 ? ReadNumber(Fixed2(p.totalMoney / p.totalShares)) : 0.0;
    stopLevel = average > 0 ? "止损位：" + Fixed2(MovePercent(average, p.stop[0])) + "%" : "";
    if (p.hasTarget[0]) {
      targetLevel = average > 0 ? "目标盈利：" + Fixed2(MovePercent(average, p.target[0])) + "%" : "";
    }
  }

  // The tranches a total of tranche i runs over: tranche i itself and every
  // earlier tranche for which `included` holds. (Tranche i's own step runs
  // only when its fields are filled.)
  template <class Pred>
  static Tranches Through(int i, Pred included) {
    Tranches set{};
    for (int j = 0; j < i; ++j) set.in[j] = included(j);
    set.in[i] = true;
    return set;
  }

  // Σ term(i) over the set, in tranche order.
  template <class Term>
  static Num Sum(const Tranches& set, Term term) {
    Num s = 0;
    for (int i = 0; i < 3; ++i) {
      if (set.in[i]) s = s + term(i);
    }
    return s;
  }
  Num Cost(const Tranches& set) const {
    return Sum(set, [this](int i) { return plan_.price[i] * plan_.shares[i]; });
  }
  Num ValueAt(const Num (&prices)[3], const Tranches& set) const {
    return Sum(set, [&](int i) { return prices[i] * plan_.shares[i]; });
  }
  // Σ (prices − entry) × N: the loss at the stops or the gain at the targets.
  Num ChangeAt(const Num (&prices)[3], const Tranches& set) const {
    return Sum(set, [&](int i) { return (prices[i] - plan_.price[i]) * plan_.shares[i]; });
  }

  // A total into its label and its absolute value into the hidden field
  // that carries it to the overall ratio. Both are computed before either
  // is written, so a failing total writes nothing.
  static void WriteTotal(std::string& label, std::string& carried, Num total) {
    std::string shown = NumberText(total);
    std::string absolute = WithoutSign(shown);
    RoundInPlace(absolute);
    RoundInPlace(shown);
    carried = std::move(absolute);
    label = std::move(shown);
  }

  // "：" + the value rounded to the cent + "%".
  void WriteOfCapital(std::string& label, Num value) {
    std::string s;
    WriteRounded(s, value / plan_.capital * 100, "%");
    label = "：" + s;
  }

  void WriteLossOnInvested(const Tranches& set) {
    WriteRounded(lossOnInvested, MovePercent(Cost(set), ValueAt(plan_.stop, set)), "%");
  }
  // The risk to the capital: Σ (entry − stop) × N.
  void WriteLossOfCapital(const Tranches& set) {
    Num risk = Sum(set, [this](int i) { return (plan_.price[i] - plan_.stop[i]) * plan_.shares[i]; });
    WriteOfCapital(lossOfCapital, risk);
  }

  // The stop-loss side of tranche i.
  void StopSide(int i) {
    const Plan& p = plan_;
    Tranche& f = tranches_[i];
    if (p.first[i] > 0 && p.hasPrice[i] && p.hasStop[i]) {
      WriteRounded(f.stopMove, MovePercent(p.price[i], p.stop[i]), "%");
      WriteRounded(f.loss, (p.stop[i] - p.price[i]) * p.shares[i]);
      Tranches set = Through(i, [&p](int j) { return p.hasStop[j] && p.hasPrice[j]; });
      Tranches stopsOnly = Through(i, [&p](int j) { return p.hasStop[j]; });
      if (i == 0) {
        WriteLossOnInvested(set);
        WriteLossOfCapital(stopsOnly);
        WriteTotal(totalLoss, carriedLoss, ChangeAt(p.stop, set));
      } else {
        WriteTotal(totalLoss, carriedLoss, ChangeAt(p.stop, set));
        WriteLossOnInvested(set);
        WriteLossOfCapital(stopsOnly);
      }
    }
    if (p.stop[i] <= 0) Empty({&f.stopMove, &f.loss});
    if (i == 2) {
      if (p.stop[0] <= 0 && p.stop[1] <= 0 && p.stop[2] <= 0) {
        Empty({&lossOnInvested, &totalLoss, &lossEquals, &carriedLoss, &overallRatio});
      } else {
        lossEquals = "=";
      }
    }
    if (p.price[i] <= 0) EmptyRisk(i);
  }

  // The money actually spent, extra lots included.
  void MoneyUsed() {
    const Plan& p = plan_;
    Num used = (((p.price[0] * p.first[0] + p.price[1] * p.first[1]) + p.price[2] * p.first[2]) +
                p.price[0] * p.extra[0]) +
               p.price[1] * p.extra[1];
    WriteRounded(moneyUsed, used, "元");
    WriteRounded(usedOfCapital, used / p.capital * 100, "%");
  }

  // The target side and the risk/reward of tranche i. False when a stop
  // equal to its entry price ends the press.
  bool TargetSide(int i) {
    const Plan& p = plan_;
    Tranche& f = tranches_[i];
    if (p.first[i] > 0 && p.hasPrice[i] && p.hasTarget[i]) {
      if (i > 0 && p.stop[i] == p.price[i]) {
        ShowMessage(kStopAtPriceMessages[i]);
        return false;
      }
      WriteRounded(f.targetMove, MovePercent(p.price[i], p.target[i]), "%");
      WriteRounded(f.gain, (p.target[i] - p.price[i]) * p.shares[i]);
      Tranches set = Through(i, [&p](int j) { return p.hasTarget[j] && p.hasPrice[j]; });
      Num gain = ChangeAt(p.target, set);
      WriteTotal(totalGain, carriedGain, gain);
      WriteOfCapital(gainOfCapital, gain);
      WriteRounded(gainOnInvested, MovePercent(Cost(set), ValueAt(p.target, set)), "%");
      // Reward per unit of risk on the first-pass lots; a stop at the entry
      // price (allowed for price 1 only) has no risk and shows "0".
      Num risk = p.price[i] - p.stop[i];
      if (risk == 0) {
        f.ratio = "0";
      } else {
        std::string r;
        WriteRounded(r, ((p.target[i] - p.price[i]) * p.first[i]) / (risk * p.first[i]));
        f.ratio = std::string(kRatioPrefix) + r;
      }
    }
    if (i == 0 && p.target[0] <= 0) Empty({&f.targetMove, &f.gain, &f.ratio, &targetLevel});
    if (i == 1 && p.target[1] <= 0) Empty({&f.targetMove, &f.gain, &f.ratio});
    return true;
  }

  // The overall risk/reward from the carried totals, which may come from
  // an earlier press; then the end of the target row.
  void OverallRatio() {
    const Plan& p = plan_;
    if (Filled(carriedLoss) && Filled(carriedGain)) {
      std::string r;
      WriteRounded(r, Num(ReadNumber(carriedGain)) / ReadNumber(carriedLoss));
      overallRatio = std::string(kRatioPrefix) + r;
    } else {
      overallRatio.clear();
    }
    Tranche& third = tranches_[2];
    if (p.target[2] <= 0) Empty({&third.targetMove, &third.gain, &third.ratio});
    if (p.target[0] <= 0 && p.target[1] <= 0 && p.target[2] <= 0) {
      Empty({&gainOnInvested, &gainEquals, &totalGain, &carriedGain, &overallRatio, &targetLevel});
    } else {
      gainEquals = "=";
    }
  }

  // "清空文本框": empties the prices, stops and targets and the results;
  // the capital, the fraction, the mode, the carried totals and the "="
  // labels stay.
  void Clear() {
    for (Tranche& t : tranches_) Empty({&t.price, &t.stop, &t.target});
    for (std::string* f : clearedLabels_) f->clear();
  }

  // Binds the names of a list of controls to their texts.
  template <std::size_t N>
  std::vector<std::string*> Bind(const std::string_view (&names)[N]) {
    std::vector<std::string*> out;
    for (std::string_view name : names) out.push_back(&text(name));
    return out;
  }
  Tranche Bind(const TrancheFields& f) {
    return Tranche{text(f.price),    text(f.stop), text(f.target),     text(f.money), text(f.shares), text(f.ofCapital),
                   text(f.stopMove), text(f.loss), text(f.targetMove), text(f.gain),  text(f.ratio)};
  }

  // Capital C, the fraction U / D of it to spend, the building mode m.
  std::string& capital = text("Text1");
  std::string& denominator = text("Text2");
  std::string& numerator = text("Text3");
  std::string& mode = text("Text13");
  Tranche tranches_[3] = {Bind(kTranches[0]), Bind(kTranches[1]), Bind(kTranches[2])};
  // The plan as a whole.
  std::string& plannedAmount = text("Label5");  // P = U / D × C
  std::string& sharesBought = text("Label48");  // S
  std::string& averagePrice = text("Label47");  // M / S
  std::string& stopLevel = text("Label49");     // from the average price to stop 1
  std::string& targetLevel = text("Label50");   // from the average price to target 1
  std::string& moneyUsed = text("Label40");
  std::string& usedOfCapital = text("Label45");
  // Totals at the stops.
  std::string& lossOnInvested = text("Label38");
  std::string& lossEquals = text("Label25");
  std::string& totalLoss = text("Label26");
  std::string& lossOfCapital = text("Label21");
  std::string& carriedLoss = text("Text14");  // hidden: |total loss|, kept for the overall ratio
  // Totals at the targets.
  std::string& gainOnInvested = text("Label41");
  std::string& gainEquals = text("Label43");
  std::string& totalGain = text("Label44");
  std::string& gainOfCapital = text("Label51");
  std::string& carriedGain = text("Text15");  // hidden: |total gain|, kept for the overall ratio
  std::string& overallRatio = text("Label55");
  const std::vector<std::string*> riskOutputs_ = Bind(kRiskOutputs);
  const std::vector<std::string*> clearedLabels_ = Bind(kClearedLabels);
  Plan plan_;
};

}  // namespace

std::unique_ptr<Screen> MakePositionPlan(App& app) { return std::make_unique<PositionPlan>(app); }

}  // namespace hc
