// Form6: the average cost per share after adding to a position: the cost of
// each purchase, the total cost, the total shares and the average price.
#include <cmath>

#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

// The dark green of the cost and average labels.
constexpr Rgb kCostGreen{0, 128, 0};

constexpr ControlSpec kControls[] = {
    Label("Label1", "买入价格：", 120, 240, 540, 180),
    TextField("Text1", "10", 1320, 120, 1335, 375),
    Label("Label6", " 元 ", 2760, 240, 540, 180),
    Label("Label2", "买入数量：", 120, 720, 540, 180),
    TextField("Text2", "500", 1320, 600, 1335, 375),
    Label("Label8", " 股 ", 2760, 720, 540, 180),
    Label("Label9", "", 3120, 720, 540, 180).Color(kCostGreen),
    Label("Label3", "补仓价格：", 120, 1200, 540, 180),
    TextField("Text3", "8", 1320, 1080, 1335, 375),
    Label("Label10", " 元 ", 2760, 1200, 630, 180),
    Label("Label4", "补仓数量：", 120, 1680, 540, 180),
    TextField("Text4", "1000", 1320, 1560, 1335, 375),
    Label("Label11", " 股 ", 2760, 1680, 630, 180),
    Label("Label14", "", 3120, 1680, 630, 180),
    Label("Label5", "平均股价：", 120, 2160, 540, 180),
    ResultField("Text5", "股票价格", 1320, 2040, 1335, 375),
    Label("Label12", " 元 ", 2760, 2160, 630, 180),
    Button("Command4", "分批买入", 3120, 2040, 1290, 420),
    Label("Label7", "", 120, 2520, 540, 180).Color(kCostGreen),
    Label("Label13", "", 1560, 2520, 630, 180),
    Label("Label15", "", 3240, 2520, 630, 180),
    Button("Command1", "计算平均成本", 240, 2880, 1290, 420),
    Button("Command2", "清空文件框", 1680, 2880, 1290, 420),
    Button("Command3", "切换回去", 3120, 2880, 1290, 420),
};

constexpr std::string_view kTabOrder[] = {"Text2",    "Text1",    "Text3", "Text4",   "Command3",
                                          "Command2", "Command1", "Text5", "Command4"};

constexpr Link kLinks[] = {
    {"Command3", "Form1", SwitchOrder::ShowFirst},
    {"Command4", "Form8", SwitchOrder::HideFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form6",
    .title = "股票补仓后平均成本计算--衡川2.0",
    .controls = kControls,
    .tabOrder = kTabOrder,
    .initialFocus = "Text2",
    .defaultButton = "Command1",
    .links = kLinks,
    .placedLike = kCentred,
    .backButton = "Command3",
};

class AverageCost final : public Screen {
 public:
  explicit AverageCost(App& app) : Screen(app, kSpec) {
    OnClick("Command1", &AverageCost::NewAverage);
    OnClick("Command2", &AverageCost::ClearInputs);
  }

 private:
  // "计算平均成本": the first purchase (p1, q1) and the added one (p2, q2)
  // give the costs, the totals and the average price per share.
  void NewAverage() {
    CleanNumberText(firstPrice, kMoneyMarks);
    CleanNumberText(firstShares, kShareMarks);
    CleanNumberText(addedPrice, kMoneyMarks);
    CleanNumberText(addedShares, kShareMarks);
    if (IsMissing(firstPrice)) return PromptMissing("请输入买入价格！");
    if (IsMissing(firstShares)) return PromptMissing("请输入买入数量！");
    if (IsMissing(addedPrice)) return PromptMissing("请输入补仓价格！");
    if (IsMissing(addedShares)) return PromptMissing("请输入补仓数量！");

    Num p1 = Price(firstPrice);
    Num q1 = Shares(firstShares);
    Num p2 = Price(addedPrice);
    Num q2 = Shares(addedShares);

    Num cost1 = p1 * q1;
    Num cost2 = p2 * q2;
    Num total = cost1 + cost2;
    Num shares = q1 + q2;
    firstCost = "成本：" + NumberText(cost1);
    addedCost = "成本：" + NumberText(cost2);
    totalCost = "总成本：" + NumberText(total);
    totalShares = "总股数：" + NumberText(shares);
    // With no shares in total (100 and -100) the division stops the
    // calculation here; the labels above keep their new texts.
    averagePrice = Fixed2(total / shares);
    averageCaption = "平均股价：" + averagePrice;
  }

  // A price field taken to the cent, halves away from zero, and shown so.
  static Num Price(std::string& field) {
    field = Fixed2(ReadNumber(field));
    return ReadNumber(field);
  }

  // A quantity field taken to whole shares, the fraction dropped toward zero
  // (500.9 is 500, -8.7 is -8), and shown so.
  static Num Shares(std::string& field) {
    double whole = std::trunc(ReadNumber(field));
    field = NumberText(whole);
    return whole;
  }

  // "清空文件框": empties the four inputs; the results stay.
  void ClearInputs() {
    for (std::string* field : {&firstPrice, &firstShares, &addedPrice, &addedShares}) field->clear();
  }

  // The controls, bound once.
  std::string& firstPrice = text("Text1");  // p1
  std::string& firstShares = text("Text2");  // q1
  std::string& addedPrice = text("Text3");  // p2
  std::string& addedShares = text("Text4");  // q2
  std::string& averagePrice = text("Text5");
  std::string& firstCost = text("Label9");
  std::string& addedCost = text("Label14");
  std::string& totalCost = text("Label13");
  std::string& totalShares = text("Label15");
  std::string& averageCaption = text("Label7");
};

}  // namespace

std::unique_ptr<Screen> MakeAverageCost(App& app) { return std::make_unique<AverageCost>(app); }

}  // namespace hc
