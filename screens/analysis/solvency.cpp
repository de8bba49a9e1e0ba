// Solvency ratios, opened from the solvency menu Form15: current ratio,
// quick ratio, cash ratio, capital turnover, liquidation value ratio and
// interest coverage. Each is a ratio screen given by its data.
#include "screens/analysis/ratio_screen.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr std::string_view kMenu = "Form15";

// ---------------------------------------------------------------- Form16

constexpr ControlSpec kForm16Controls[] = {
    Label("Label1", "流动资产合计：", 120, 120, 540, 180),
    TextField("Text1", "10", 1320, 120, 1335, 375),
    Label("Label2", "流动负债合计：", 120, 840, 540, 180),
    TextField("Text2", "8", 1320, 720, 1335, 375),
    Label("Label3", "流动比率：", 120, 1560, 540, 180),
    ResultField("Text3", "比率", 1320, 1440, 1335, 375),
    Label("Label4", "合理为：1.5-2", 2760, 1560, 540, 180),
    Button("Command1", "流动比率计算", 120, 2640, 1290, 420),
    Button("Command2", "清空文本框", 1680, 2640, 1290, 420),
    Button("Command3", "切换回去", 3240, 2640, 1290, 420),
};
constexpr std::string_view kForm16Inputs[] = {"Text1", "Text2"};
constexpr RatioCheck kForm16Checks[] = {
    {"Text1", "请输入流动资产合计！"},
    {"Text2", "请输入流动负债合计！"},
};
// Current assets over current liabilities.
constexpr RatioMember kForm16{
    .name = "Form16",
    .title = "流动比率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm16Controls,
    .inputs = kForm16Inputs,
    .checks = kForm16Checks,
    .formula = [](const RatioInputs& in) { return in("Text1") / in("Text2"); },
    .result = "Text3",
};

// ---------------------------------------------------------------- Form17

constexpr ControlSpec kForm17Controls[] = {
    Label("Label1", "流动资产合计：", 120, 240, 540, 180),
    TextField("Text1", "", 1320, 120, 1335, 375),
    Label("Label2", "存货净额：", 120, 720, 540, 180),
    TextField("Text2", "", 1320, 600, 1335, 375),
    Label("Label3", "预付账款：", 120, 1200, 540, 180),
    TextField("Text3", "", 1320, 1080, 1335, 375),
    Label("Label4", "待摊费用", 120, 1680, 540, 180),
    TextField("Text4", "", 1320, 1560, 1335, 375),
    Label("Label6", "流动负债合计：", 120, 2160, 540, 180),
    TextField("Text6", "", 1320, 2040, 1335, 375),
    Label("Label5", "速动比率：", 120, 2640, 540, 180),
    ResultField("Text5", "比率", 1320, 2520, 1335, 375),
    Label("Label7", "要>1,=1资刚可抵债", 2880, 2520, 540, 180),
    Button("Command1", "速动比率计算", 120, 3000, 1290, 420),
    Button("Command2", "清空文本框", 1680, 3000, 1290, 420),
    Button("Command3", "切换回去", 3240, 3000, 1290, 420),
};
constexpr std::string_view kForm17Inputs[] = {"Text1", "Text2", "Text3", "Text4", "Text6"};
constexpr RatioCheck kForm17Checks[] = {
    {"Text1", "请输入流动资产合计！"},
    {"Text2", "请输入存货净额！"},
    {"Text6", "请输入流动负债合计！"},
};
// The quick assets (current assets less inventory, prepayments and deferred
// expenses) over current liabilities. Prepayments and deferred expenses may
// be left empty.
constexpr RatioMember kForm17{
    .name = "Form17",
    .title = "速动比率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm17Controls,
    .inputs = kForm17Inputs,
    .checks = kForm17Checks,
    .formula = [](const RatioInputs& in) {
      return (((in("Text1") - in("Text2")) - in("Text3")) - in("Text4")) / in("Text6");
    },
    .result = "Text5",
};

// ---------------------------------------------------------------- Form18

constexpr ControlSpec kForm18Controls[] = {
    Label("Label1", "货币资金：", 120, 240, 540, 180),
    TextField("Text1", "", 1560, 120, 1335, 375),
    Label("Label2", "交易性金融资产：", 120, 840, 540, 180),
    TextField("Text2", "", 1560, 720, 1335, 375),
    Label("Label3", "流动负债合计：", 120, 1440, 540, 180),
    TextField("Text3", "", 1560, 1320, 1335, 375),
    Label("Label4", "现金比率：", 120, 2040, 540, 180),
    ResultField("Text4", "比率", 1560, 1920, 1335, 375),
    Label("Label5", "%  20%以上为好", 3120, 2040, 540, 180),
    Button("Command1", "现金比率计算", 120, 2760, 1290, 420),
    Button("Command2", "清空文本框", 1680, 2760, 1290, 420),
    Button("Command3", "切换回去", 3240, 2760, 1290, 420),
};
constexpr std::string_view kForm18Inputs[] = {"Text1", "Text2", "Text3"};
constexpr RatioCheck kForm18Checks[] = {
    {"Text1", "请输入货币资金！"},
    {"Text3", "请输入流动负债合计！"},
};
// Cash and trading financial assets over current liabilities, in percent.
constexpr RatioMember kForm18{
    .name = "Form18",
    .title = "现金比率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm18Controls,
    .inputs = kForm18Inputs,
    .checks = kForm18Checks,
    .formula = [](const RatioInputs& in) { return ((in("Text1") + in("Text2")) / in("Text3")) * 100; },
    .result = "Text4",
};

// ---------------------------------------------------------------- Form19

constexpr ControlSpec kForm19Controls[] = {
    Label("Label1", "货币资金：", 120, 240, 540, 180),
    TextField("Text1", "", 1560, 120, 1335, 375),
    Label("Label2", "交易性金融资产：", 120, 720, 540, 180),
    TextField("Text2", "", 1560, 600, 1335, 375),
    Label("Label3", "应收票据：", 120, 1200, 540, 180),
    TextField("Text3", "", 1560, 1080, 1335, 375),
    Label("Label4", "非流动负债合计：", 120, 1680, 540, 180),
    TextField("Text4", "", 1560, 1560, 1335, 375),
    Label("Label5", "资本周转率：", 120, 2280, 540, 180),
    ResultField("Text5", "比率", 1560, 2160, 1335, 375),
    Label("Label6", "%  300%以上为佳", 3000, 2280, 540, 180),
    Button("Command1", "资本周转率", 120, 2760, 1290, 420),
    Button("Command2", "清空文本框", 1680, 2760, 1290, 420),
    Button("Command3", "切换回去", 3240, 2760, 1290, 420),
};
constexpr std::string_view kForm19Inputs[] = {"Text1", "Text2", "Text3", "Text4"};
constexpr RatioCheck kForm19Checks[] = {
    {"Text1", "请输入货币资金！"},
    {"Text4", "请输入非流动负债合计！"},
};
// Cash, trading financial assets and notes receivable over non-current
// liabilities, in percent.
constexpr RatioMember kForm19{
    .name = "Form19",
    .title = "资本周转率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm19Controls,
    .inputs = kForm19Inputs,
    .checks = kForm19Checks,
    .formula = [](const RatioInputs& in) {
      return (((in("Text1") + in("Text2")) + in("Text3")) / in("Text4")) * 100;
    },
    .result = "Text5",
};

// ---------------------------------------------------------------- Form20

constexpr ControlSpec kForm20Controls[] = {
    Label("Label1", "资产总计：", 120, 240, 540, 180),
    TextField("Text1", "", 1320, 120, 1335, 375),
    Label("Label2", "无形资产：", 120, 720, 540, 180),
    TextField("Text2", "", 1320, 600, 1335, 375),
    Label("Label3", "递延资产：", 120, 1200, 540, 180),
    TextField("Text3", "", 1320, 1080, 1335, 375),
    Label("Label7", "一般计入长期待摊费用", 2760, 1200, 540, 180),
    Label("Label4", "负债合计：", 120, 1680, 540, 180),
    TextField("Text4", "", 1320, 1560, 1335, 375),
    Label("Label5", "清算价值比率：", 120, 2160, 540, 180),
    ResultField("Text5", "比率", 1320, 2040, 1335, 375),
    Label("Label6", "%  %值越大越好", 2880, 2160, 540, 180),
    Button("Command1", "清算价值比率", 120, 2880, 1455, 375),
    Button("Command2", "清空文本框", 1680, 2880, 1335, 375),
    Button("Command3", "切换回去", 3240, 2880, 1335, 375),
};
constexpr std::string_view kForm20Inputs[] = {"Text1", "Text2", "Text3", "Text4"};
constexpr RatioCheck kForm20Checks[] = {
    {"Text1", "请输入资产总计！"},
    {"Text4", "请输入负债合计！"},
};
// The tangible assets (total assets less intangible and deferred assets)
// over total liabilities, in percent.
constexpr RatioMember kForm20{
    .name = "Form20",
    .title = "清算价值比率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm20Controls,
    .inputs = kForm20Inputs,
    .checks = kForm20Checks,
    .formula = [](const RatioInputs& in) {
      return ((in("Text1") - (in("Text2") + in("Text3"))) / in("Text4")) * 100;
    },
    .result = "Text5",
};

// ---------------------------------------------------------------- Form21

constexpr ControlSpec kForm21Controls[] = {
    Label("Label1", "利润总额：", 120, 240, 540, 180),
    TextField("Text1", "", 1440, 120, 1335, 375),
    Label("Label2", "财务费用：", 120, 840, 540, 180),
    TextField("Text2", "", 1440, 720, 1335, 375),
    Label("Label3", "利息支付倍数：", 120, 1440, 540, 180),
    ResultField("Text3", "比率", 1440, 1320, 1335, 375),
    Label("Label4", "大于1，<1不够支付利息", 2880, 1440, 540, 180),
    Button("Command1", "利息支付倍数", 120, 2760, 1335, 375),
    Button("Command2", "清空文本框", 1680, 2760, 1335, 375),
    Button("Command3", "切换回去", 3240, 2760, 1335, 375),
};
constexpr std::string_view kForm21Inputs[] = {"Text1", "Text2"};
constexpr RatioCheck kForm21Checks[] = {
    {"Text1", "请输入利润总额！"},
    {"Text2", "请输入财务费用！"},
};
// The profit before interest (total profit with the financial expenses added
// back) over the financial expenses, in times.
constexpr RatioMember kForm21{
    .name = "Form21",
    .title = "利息支付倍数计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm21Controls,
    .inputs = kForm21Inputs,
    .checks = kForm21Checks,
    .formula = [](const RatioInputs& in) { return (in("Text1") + in("Text2")) / in("Text2"); },
    .result = "Text3",
};

}  // namespace

std::unique_ptr<Screen> MakeForm16(App& app) { return MakeRatioScreen(app, kForm16); }
std::unique_ptr<Screen> MakeForm17(App& app) { return MakeRatioScreen(app, kForm17); }
std::unique_ptr<Screen> MakeForm18(App& app) { return MakeRatioScreen(app, kForm18); }
std::unique_ptr<Screen> MakeForm19(App& app) { return MakeRatioScreen(app, kForm19); }
std::unique_ptr<Screen> MakeForm20(App& app) { return MakeRatioScreen(app, kForm20); }
std::unique_ptr<Screen> MakeForm21(App& app) { return MakeRatioScreen(app, kForm21); }

}  // namespace hc
