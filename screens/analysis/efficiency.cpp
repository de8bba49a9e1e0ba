// Operating-efficiency ratios, opened from the operating-capacity menu
// Form22: inventory, receivables, current assets, fixed assets and total
// assets turnover. Each divides a yearly flow by the average of an opening
// and a closing balance; the inventory and receivables screens also give the
// turnover period in days.
#include "screens/analysis/ratio_screen.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr std::string_view kMenu = "Form22";

// Every screen of the group: the flow in Text1, the opening balance in
// Text2, the closing balance in Text3, all three required.
constexpr std::string_view kInputs[] = {"Text1", "Text2", "Text3"};

// The flow over the average balance: the two balances summed, halved, then
// the flow divided by that average.
constexpr RatioFormula kTurnover = [](const RatioInputs& in) {
  return in("Text1") / ((in("Text2") + in("Text3")) / 2);
};

// ---------------------------------------------------------------- Form25

constexpr ControlSpec kForm25Controls[] = {
    Label("Label1", "营业成本：", 120, 240, 540, 180),
    TextField("Text1", "", 1320, 120, 1335, 375),
    Label("Label2", "年初存货：", 120, 840, 540, 180),
    TextField("Text2", "", 1320, 720, 1335, 375),
    Label("Label3", "年末存货：", 120, 1440, 540, 180),
    TextField("Text3", "", 1320, 1320, 1335, 375),
    Label("Label4", "存货周转率：", 120, 2040, 540, 180),
    ResultField("Text4", "比率", 1320, 1920, 1335, 375),
    Label("Label6", "次", 2760, 2040, 540, 180),
    Label("Label5", "", 3360, 2040, 540, 180).Color(kRed),
    Button("Command1", "存货周转率", 120, 2760, 1335, 420),
    Button("Command2", "清空文本框", 1680, 2760, 1335, 420),
    Button("Command3", "切换回去", 3120, 2760, 1335, 420),
};
constexpr RatioCheck kForm25Checks[] = {
    {"Text1", "请输入营业成本！"},
    {"Text2", "请输入年初存货！"},
    {"Text3", "请输入年末存货！"},
};
// Cost of sales over the average inventory.
constexpr RatioMember kForm25{
    .name = "Form25",
    .title = "存货周转率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm25Controls,
    .inputs = kInputs,
    .checks = kForm25Checks,
    .formula = kTurnover,
    .result = "Text4",
    .daysLabel = "Label5",
};

// ---------------------------------------------------------------- Form26

constexpr ControlSpec kForm26Controls[] = {
    Label("Label1", "当期销售净收入：", 120, 240, 540, 180),
    TextField("Text1", "", 1680, 120, 1335, 375),
    Label("Label7", "主营业务收入", 3120, 240, 540, 180),
    Label("Label2", "期初应收帐款余额：", 120, 840, 540, 180),
    TextField("Text2", "", 1680, 720, 1335, 375),
    Label("Label3", "期末应收帐款余额：", 120, 1440, 540, 180),
    TextField("Text3", "", 1680, 1320, 1335, 375),
    Label("Label4", "应收帐款周转率：", 120, 2040, 540, 180),
    ResultField("Text4", "比率", 1680, 1920, 1335, 375),
    Label("Label5", "次", 3120, 2040, 540, 180),
    Label("Label6", "", 3720, 2040, 540, 180),
    Button("Command1", "应收帐款周转率", 0, 2760, 1485, 420),
    Button("Command2", "清空文本框", 1560, 2760, 1485, 420),
    Button("Command3", "切换回去", 3120, 2760, 1485, 420),
};
constexpr RatioCheck kForm26Checks[] = {
    {"Text1", "请输入当期销售净收入！"},
    {"Text2", "请输入期初应收帐款余额！"},
    {"Text3", "请输入期末应收帐款余额！"},
};
// Net sales revenue over the average receivables.
constexpr RatioMember kForm26{
    .name = "Form26",
    .title = "应收帐款周转率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm26Controls,
    .inputs = kInputs,
    .checks = kForm26Checks,
    .formula = kTurnover,
    .result = "Text4",
    .daysLabel = "Label6",
};

// ---------------------------------------------------------------- Form27

constexpr ControlSpec kForm27Controls[] = {
    Label("Label1", "销售收入：", 120, 240, 540, 180),
    TextField("Text1", "", 1560, 120, 1335, 375),
    Label("Label6", "主营业务收入", 3000, 240, 540, 180),
    Label("Label2", "期初流动资产：", 120, 840, 540, 180),
    TextField("Text2", "", 1560, 720, 1335, 375),
    Label("Label3", "期末流动资产：", 120, 1440, 540, 180),
    TextField("Text3", "", 1560, 1320, 1335, 375),
    Label("Label4", "流动资产周转率：", 120, 1920, 540, 180),
    ResultField("Text4", "比率", 1560, 1800, 1335, 375),
    Label("Label5", "次", 3000, 1920, 540, 180),
    Button("Command1", "流动资产周转率", 0, 2760, 1485, 420),
    Button("Command2", "清空文本框", 1560, 2760, 1485, 420),
    Button("Command3", "切换回去", 3120, 2760, 1485, 420),
};
constexpr RatioCheck kForm27Checks[] = {
    {"Text1", "请输入销售收入！"},
    {"Text2", "请输入期初流动资产！"},
    {"Text3", "请输入期末流动资产！"},
};
// Sales revenue over the average current assets.
constexpr RatioMember kForm27{
    .name = "Form27",
    .title = "流动资产周转率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm27Controls,
    .inputs = kInputs,
    .checks = kForm27Checks,
    .formula = kTurnover,
    .result = "Text4",
};

// ---------------------------------------------------------------- Form28

constexpr ControlSpec kForm28Controls[] = {
    Label("Label1", "销售收入净额：", 120, 240, 540, 180),
    TextField("Text1", "", 1560, 120, 1335, 375),
    Label("Label6", "主营业务收入", 3000, 240, 540, 180),
    Label("Label2", "期初固定资产：", 120, 840, 540, 180),
    TextField("Text2", "", 1560, 720, 1335, 375),
    Label("Label3", "期末固定资产：", 120, 1440, 540, 180),
    TextField("Text3", "", 1560, 1320, 1335, 375),
    Label("Label4", "固定资产利用率：", 120, 2040, 540, 180),
    ResultField("Text4", "比率", 1560, 1920, 1335, 375),
    Label("Label5", "次", 3000, 2040, 540, 180),
    Button("Command1", "固定资产利用率", 0, 2760, 1485, 420),
    Button("Command2", "清空文本框", 1560, 2760, 1485, 420),
    Button("Command3", "切换回去", 3120, 2760, 1485, 420),
};
constexpr RatioCheck kForm28Checks[] = {
    {"Text1", "请输入销售收入净额！"},
    {"Text2", "请输入期初固定资产！"},
    {"Text3", "请输入期末固定资产！"},
};
// Net sales revenue over the average fixed assets (the menu calls it
// 固定资产周转率).
constexpr RatioMember kForm28{
    .name = "Form28",
    .title = "固定资产利用率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm28Controls,
    .inputs = kInputs,
    .checks = kForm28Checks,
    .formula = kTurnover,
    .result = "Text4",
};

// ---------------------------------------------------------------- Form29

constexpr ControlSpec kForm29Controls[] = {
    Label("Label1", "销售收入总额：", 120, 240, 540, 180),
    TextField("Text1", "", 1680, 120, 1335, 375),
    Label("Label6", "主营销售收入", 3120, 240, 540, 180),
    Label("Label2", "年初总资产：", 120, 720, 540, 180),
    TextField("Text2", "", 1680, 600, 1335, 375),
    Label("Label3", "年末总资产：", 120, 1320, 540, 180),
    TextField("Text3", "", 1680, 1200, 1335, 375),
    Label("Label4", "总资产周转率：", 120, 1920, 540, 180),
    ResultField("Text4", "比率", 1680, 1800, 1335, 375),
    Label("Label5", "次", 3120, 1920, 540, 180),
    Button("Command1", "总资产周转率", 0, 2640, 1485, 420),
    Button("Command2", "清空文本框", 1560, 2640, 1485, 420),
    Button("Command3", "切换回去", 3120, 2640, 1485, 420),
};
constexpr RatioCheck kForm29Checks[] = {
    {"Text1", "请输入销售收入总额！"},
    {"Text2", "请输入年初总资产！"},
    {"Text3", "请输入年末总资产！"},
};
// Total sales revenue over the average total assets.
constexpr RatioMember kForm29{
    .name = "Form29",
    .title = "总资产周转率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm29Controls,
    .inputs = kInputs,
    .checks = kForm29Checks,
    .formula = kTurnover,
    .result = "Text4",
};

}  // namespace

std::unique_ptr<Screen> MakeForm25(App& app) { return MakeRatioScreen(app, kForm25); }
std::unique_ptr<Screen> MakeForm26(App& app) { return MakeRatioScreen(app, kForm26); }
std::unique_ptr<Screen> MakeForm27(App& app) { return MakeRatioScreen(app, kForm27); }
std::unique_ptr<Screen> MakeForm28(App& app) { return MakeRatioScreen(app, kForm28); }
std::unique_ptr<Screen> MakeForm29(App& app) { return MakeRatioScreen(app, kForm29); }

}  // namespace hc
