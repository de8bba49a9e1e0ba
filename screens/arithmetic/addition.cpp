// Form4, addition: the selling price from a purchase price and the profit
// wanted on it.
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

// The result font is 宋体 10.5 pt (五号), bold.
constexpr ControlSpec kControls[] = {
    Label("Label1", "进货价：", 360, 360, 540, 180),
    TextField("Text1", "", 1560, 360, 1335, 375),
    Label("Label4", "元 (精确到分)", 3000, 480, 1170, 180),
    Label("Label2", "利润：", 360, 1080, 540, 180).Color(kRed),
    TextField("Text2", "", 1560, 960, 1335, 375).Color(kRed),
    Label("Label3", "元 (精确到分)", 3000, 1080, 1170, 180),
    Label("Label6", "出货价：", 360, 1680, 540, 180).Color(kBlack),
    ResultField("Text3", "结果", 1560, 1560, 1335, 375).Color(kRed).Font("宋体", 10.5, true),
    Label("Label5", "元 (精确到分)", 3000, 1680, 1170, 180),
    Button("Command5", "乘法计算", 1800, 2040, 1290, 420),
    Button("Command4", "除法计算", 3120, 2040, 1290, 420),
    Button("Command1", "加法计算", 240, 2640, 1290, 420),
    Button("Command2", "清空文本框", 1680, 2640, 1290, 420),
    Button("Command3", "切换回去", 3120, 2640, 1290, 420),
};

constexpr std::string_view kTabOrder[] = {"Text1",    "Text2",    "Text3",    "Command1",
                                          "Command2", "Command3", "Command4", "Command5"};

constexpr Link kLinks[] = {
    {"Command3", "Form1", SwitchOrder::ShowFirst},
    {"Command4", "Form9", SwitchOrder::HideFirst},
    {"Command5", "Form5", SwitchOrder::HideFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form4",
    .title = "加法计算--衡川2.0",
    .controls = kControls,
    .tabOrder = kTabOrder,
    .initialFocus = "Text1",
    .defaultButton = "Command1",
    .links = kLinks,
    .placedLike = "Form1",
    .backButton = "Command3",
};

class Addition final : public Screen {
 public:
  explicit Addition(App& app) : Screen(app, kSpec) {
    OnClick("Command1", &Addition::Add);
    OnClick("Command2", &Addition::ClearPurchasePrice);
  }

 private:
  // "加法计算": selling price = purchase price + profit, to the cent.
  void Add() {
    CleanNumberText(purchasePrice, kMoneyMarks);
    CleanNumberText(profitWanted, kMoneyOrPercentMarks);
    Num purchase = ReadNumber(purchasePrice);
    Num profit = ReadNumber(profitWanted);
    if (IsMissing(purchasePrice)) return PromptMissing("请输入进货价！");
    if (IsMissing(profitWanted)) return PromptMissing("请输入利润！");
    WriteRounded(sellingPrice, purchase + profit);
  }

  // "清空文本框": only the purchase price; the profit stays for the next
  // purchase, and so does the result.
  void ClearPurchasePrice() { purchasePrice.clear(); }

  // The controls, bound once.
  std::string& purchasePrice = text("Text1");
  std::string& profitWanted = text("Text2");
  std::string& sellingPrice = text("Text3");
};

}  // namespace

std::unique_ptr<Screen> MakeAddition(App& app) { return std::make_unique<Addition>(app); }

}  // namespace hc
