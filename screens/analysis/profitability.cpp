// Profitability ratios, opened from the profitability menu Form23: operating
// margin, cost-expense profit ratio, earnings cash ratio, return on total
// assets, return on equity and return on capital. All but the earnings cash
// ratio are percentages; in every formula the division comes before the
// multiplication by 100.
#include "screens/analysis/ratio_screen.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr std::string_view kMenu = "Form23";

// ---------------------------------------------------------------- Form30

constexpr ControlSpec kForm30Controls[] = {
    Label("Label1", "营业利润：", 120, 240, 540, 180),
    TextField("Text1", "", 1560, 120, 1335, 375),
    Label("Label2", "营业收入：", 120, 840, 540, 180),
    TextField("Text2", "", 1560, 720, 1335, 375),
    Label("Label3", "营业利润率：", 120, 1440, 540, 180),
    ResultField("Text3", "比率", 1560, 1320, 1335, 375),
    Label("Label4", "10%-40%左右", 3000, 1440, 540, 180),
    Button("Command1", "营业利润率", 0, 2760, 1485, 420),
    Button("Command2", "清空文本框", 1560, 2760, 1485, 420),
    Button("Command3", "切换回去", 3120, 2760, 1485, 420),
};
constexpr std::string_view kForm30Inputs[] = {"Text1", "Text2"};
constexpr RatioCheck kForm30Checks[] = {
    {"Text1", "请输入营业利润！"},
    {"Text2", "请输入营业收入！"},
};
// Operating profit over operating revenue, in percent.
constexpr RatioMember kForm30{
    .name = "Form30",
    .title = "营业利润率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm30Controls,
    .inputs = kForm30Inputs,
    .checks = kForm30Checks,
    .formula = [](const RatioInputs& in) { return (in("Text1") / in("Text2")) * 100; },
    .result = "Text3",
};

// ---------------------------------------------------------------- Form31

// Two columns of inputs, narrower fields.
constexpr ControlSpec kForm31Controls[] = {
    Label("Label1", "利润总额：", 0, 240, 540, 180),
    TextField("Text1", "", 1200, 120, 1095, 375),
    Label("Label4", "销售费用：", 2520, 240, 540, 180),
    TextField("Text4", "", 3480, 120, 1095, 375),
    Label("Label2", "营业成本：", 0, 720, 540, 180),
    TextField("Text2", "", 1200, 600, 1095, 375),
    Label("Label5", "管理费用：", 2520, 720, 540, 180),
    TextField("Text5", "", 3480, 600, 1095, 375),
    Label("Label3", "营业税金附加：", 0, 1200, 540, 180),
    TextField("Text3", "", 1200, 1080, 1095, 375),
    Label("Label6", "财务费用：", 2520, 1200, 540, 180),
    TextField("Text6", "", 3480, 1080, 1095, 375),
    Label("Label7", "成本费用利润率：", 0, 1680, 540, 180),
    ResultField("Text7", "比率", 1200, 1560, 1095, 375),
    Label("Label8", "%   15%-30%", 2400, 1680, 540, 180),
    Button("Command1", "成本费用利润率", 0, 2760, 1485, 420),
    Button("Command2", "清空文本框", 1560, 2760, 1485, 420),
    Button("Command3", "切换回去", 3120, 2760, 1485, 420),
};
constexpr std::string_view kForm31Inputs[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"};
// The operating cost is asked for by its income-statement name, 主营业务成本.
constexpr RatioCheck kForm31Checks[] = {
    {"Text1", "请输入利润总额！"},
    {"Text2", "请输入主营业务成本！"},
    {"Text4", "请输入销售费用！"},
    {"Text5", "请输入管理费用！"},
};
// Total profit over the costs and expenses (operating cost, business taxes,
// selling, administrative and financial expenses, summed left to right), in
// percent. Business taxes and financial expenses may be left empty.
constexpr RatioMember kForm31{
    .name = "Form31",
    .title = "成本费用利润率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm31Controls,
    .inputs = kForm31Inputs,
    .checks = kForm31Checks,
    .formula = [](const RatioInputs& in) {
      return (in("Text1") / ((((in("Text2") + in("Text3")) + in("Text4")) + in("Text5")) + in("Text6"))) * 100;
    },
    .result = "Text7",
};

// ---------------------------------------------------------------- Form32

constexpr ControlSpec kForm32Controls[] = {
    Label("Label1", "经营现金流量净额：", 120, 240, 585, 180),
    TextField("Text1", "", 1680, 120, 1335, 375),
    Label("Label2", "净利润：", 120, 840, 540, 180),
    TextField("Text2", "", 1680, 720, 1335, 375),
    Label("Label3", "盈利现金比率：", 120, 1440, 540, 180),
    ResultField("Text3", "比率", 1680, 1320, 1335, 375),
    Label("Label4", "大于1,<1没现金利润", 3120, 1440, 540, 180),
    Button("Command1", "盈利现金比率", 0, 2880, 1485, 420),
    Button("Command2", "清空文本框", 1560, 2880, 1485, 420),
    Button("Command3", "切换回去", 3120, 2880, 1485, 420),
};
constexpr std::string_view kForm32Inputs[] = {"Text1", "Text2"};
constexpr RatioCheck kForm32Checks[] = {
    {"Text1", "请输入经营现金流量净额！"},
    {"Text2", "请输入净利润！"},
};
// Net operating cash flow over net profit.
constexpr RatioMember kForm32{
    .name = "Form32",
    .title = "盈利现金比率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm32Controls,
    .inputs = kForm32Inputs,
    .checks = kForm32Checks,
    .formula = [](const RatioInputs& in) { return in("Text1") / in("Text2"); },
    .result = "Text3",
};

// ---------------------------------------------------------------- Form33

constexpr ControlSpec kForm33Controls[] = {
    Label("Label1", "利润总额：", 120, 240, 540, 180),
    TextField("Text1", "", 1560, 120, 1335, 375),
    Label("Label2", "利息支出：", 120, 720, 540, 180),
    TextField("Text2", "0", 1560, 600, 1335, 375),
    Label("Label3", "期初资产总额：", 120, 1200, 540, 180),
    TextField("Text3", "", 1560, 1080, 1335, 375),
    Label("Label4", "期末资产总额：", 120, 1680, 540, 180),
    TextField("Text4", "", 1560, 1560, 1335, 375),
    Label("Label5", "总资产报酬率：", 120, 2160, 540, 180),
    ResultField("Text5", "比率", 1560, 2040, 1335, 375),
    Label("Label6", "% 值越大投入产出比高", 3000, 2160, 540, 180),
    Button("Command1", "总资产报酬率", 0, 2880, 1485, 420),
    Button("Command2", "清空文本框", 1560, 2880, 1485, 420),
    Button("Command3", "切换回去", 3120, 2880, 1485, 420),
};
constexpr std::string_view kForm33Inputs[] = {"Text1", "Text2", "Text3", "Text4"};
constexpr RatioCheck kForm33Checks[] = {
    {"Text1", "请输入利润总额！"},
    {"Text3", "请输入期初资产总额！"},
    {"Text4", "请输入期末资产总额！"},
};
// Total profit with the interest expense added back, over the average of the
// opening and closing total assets, in percent. The interest starts as 0.
constexpr RatioMember kForm33{
    .name = "Form33",
    .title = "总资产报酬率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm33Controls,
    .inputs = kForm33Inputs,
    .checks = kForm33Checks,
    .formula = [](const RatioInputs& in) {
      return ((in("Text1") + in("Text2")) / ((in("Text3") + in("Text4")) / 2)) * 100;
    },
    .result = "Text5",
};

// ---------------------------------------------------------------- Form34

constexpr ControlSpec kForm34Controls[] = {
    Label("Label1", "净利润(销售收入)：", 120, 240, 540, 180),
    TextField("Text1", "", 1680, 120, 1335, 375),
    Label("Label2", "年初股东权益合计：", 120, 720, 540, 180),
    TextField("Text2", "", 1680, 600, 1335, 375),
    Label("Label6", "年初净资产", 3120, 720, 540, 180),
    Label("Label3", "年末股东权益合计：", 120, 1200, 540, 180),
    TextField("Text3", "", 1680, 1080, 1335, 375),
    Label("Label7", "年末净资产", 3120, 1200, 540, 180),
    Label("Label4", "净资产收益率：", 120, 1680, 540, 180),
    ResultField("Text4", "比率", 1680, 1560, 1335, 375),
    Label("Label5", "% 15-39%，>39%不稳因素", 3120, 1680, 540, 180),
    Label("Label8", "资本周转率检查股东资金运用效率，（通常以300%以上）", 240, 2040, 540, 180).Color(kRed),
    Label("Label9", "但比率过高则表示公司过份依赖举债经营，即自有资本少。", 240, 2280, 540, 180),
    Button("Command1", "净资产收益率", 0, 2880, 1485, 420),
    Button("Command2", "清空文本框", 1560, 2880, 1485, 420),
    Button("Command3", "切换回去", 3120, 2880, 1485, 420),
};
constexpr std::string_view kForm34Inputs[] = {"Text1", "Text2", "Text3"};
// The equity fields are asked for by both their names.
constexpr RatioCheck kForm34Checks[] = {
    {"Text1", "请输入净利润(销售收入)！"},
    {"Text2", "请输入年初净资产(年初股东权益合计)！"},
    {"Text3", "请输入年末净资产(年末股东权益合计)！"},
};
// Net profit over the average of the opening and closing shareholders'
// equity, in percent.
constexpr RatioMember kForm34{
    .name = "Form34",
    .title = "净资产收益率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm34Controls,
    .inputs = kForm34Inputs,
    .checks = kForm34Checks,
    .formula = [](const RatioInputs& in) { return (in("Text1") / ((in("Text2") + in("Text3")) / 2)) * 100; },
    .result = "Text4",
};

// ---------------------------------------------------------------- Form35

constexpr ControlSpec kForm35Controls[] = {
    Label("Label1", "净利润：", 120, 240, 540, 180),
    TextField("Text1", "", 1680, 120, 1335, 375),
    Label("Label2", "资产总额：", 120, 840, 540, 180),
    TextField("Text2", "", 1680, 720, 1335, 375),
    Label("Label3", "资本收益率：", 120, 1440, 540, 180),
    ResultField("Text3", "比率", 1680, 1320, 1335, 375),
    Label("Label4", "%  10-20%", 3120, 1440, 540, 180),
    Button("Command1", "资本收益率", 0, 2880, 1485, 420),
    Button("Command2", "清空文本框", 1560, 2880, 1485, 420),
    Button("Command3", "切换回去", 3120, 2880, 1485, 420),
};
constexpr std::string_view kForm35Inputs[] = {"Text1", "Text2"};
constexpr RatioCheck kForm35Checks[] = {
    {"Text1", "请输入净利润！"},
    {"Text2", "请输入资产总额！"},
};
// Net profit over total assets, in percent.
constexpr RatioMember kForm35{
    .name = "Form35",
    .title = "资本收益率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm35Controls,
    .inputs = kForm35Inputs,
    .checks = kForm35Checks,
    .formula = [](const RatioInputs& in) { return (in("Text1") / in("Text2")) * 100; },
    .result = "Text3",
};

}  // namespace

std::unique_ptr<Screen> MakeForm30(App& app) { return MakeRatioScreen(app, kForm30); }
std::unique_ptr<Screen> MakeForm31(App& app) { return MakeRatioScreen(app, kForm31); }
std::unique_ptr<Screen> MakeForm32(App& app) { return MakeRatioScreen(app, kForm32); }
std::unique_ptr<Screen> MakeForm33(App& app) { return MakeRatioScreen(app, kForm33); }
std::unique_ptr<Screen> MakeForm34(App& app) { return MakeRatioScreen(app, kForm34); }
std::unique_ptr<Screen> MakeForm35(App& app) { return MakeRatioScreen(app, kForm35); }

}  // namespace hc
