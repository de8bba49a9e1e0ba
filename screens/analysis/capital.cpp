// Capital-strength ratios, opened from the capital-strength menu Form24: how
// much of a company is financed with its own money, as a percentage of its
// total assets.
#include "screens/analysis/ratio_screen.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr std::string_view kMenu = "Form24";

// ---------------------------------------------------------------- Form36

constexpr ControlSpec kForm36Controls[] = {
    Label("Label1", "股东权益：", 120, 240, 540, 180),
    TextField("Text1", "", 1680, 120, 1335, 375),
    Label("Label5", "净资产", 3120, 240, 540, 180),
    Label("Label2", "资产总额：", 120, 840, 540, 180),
    TextField("Text2", "", 1680, 720, 1335, 375),
    Label("Label3", "自有资金结构率：", 120, 1440, 540, 180),
    ResultField("Text3", "比率", 1680, 1320, 1335, 375),
    Label("Label4", "20-35-50%,<20获贷难", 3120, 1440, 540, 180),
    Button("Command1", "自有资金结构率", 0, 2880, 1485, 420),
    Button("Command2", "清空文本框", 1560, 2880, 1485, 420),
    Button("Command3", "切换回去", 3120, 2880, 1485, 420),
};
constexpr std::string_view kForm36Inputs[] = {"Text1", "Text2"};
constexpr RatioCheck kForm36Checks[] = {
    {"Text1", "请输入股东权益！"},
    {"Text2", "请输入资产总额！"},
};
// Shareholders' equity over total assets, in percent.
constexpr RatioMember kForm36{
    .name = "Form36",
    .title = "自有资金结构率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm36Controls,
    .inputs = kForm36Inputs,
    .checks = kForm36Checks,
    .formula = [](const RatioInputs& in) { return (in("Text1") / in("Text2")) * 100; },
    .result = "Text3",
};

// ---------------------------------------------------------------- Form37

// No hint or unit beside the result, although it is a percentage.
constexpr ControlSpec kForm37Controls[] = {
    Label("Label1", "股东权益：", 120, 240, 540, 180),
    TextField("Text1", "", 1680, 120, 1335, 375),
    Label("Label2", "固定资产净值：", 120, 720, 540, 180),
    TextField("Text2", "", 1680, 600, 1335, 375),
    Label("Label3", "无形资产：", 120, 1200, 540, 180),
    TextField("Text3", "", 1680, 1080, 1335, 375),
    Label("Label4", "长期借款：", 120, 1680, 540, 180),
    TextField("Text4", "", 1680, 1560, 1335, 375),
    Label("Label5", "资产总额：", 120, 2160, 540, 180),
    TextField("Text5", "", 1680, 2040, 1335, 375),
    Label("Label6", "自有流动资金率", 120, 2640, 540, 180),
    ResultField("Text6", "比率", 1680, 2520, 1335, 375),
    Button("Command1", "自有流动资金率", 0, 3000, 1485, 420),
    Button("Command2", "清空文本框", 1560, 3000, 1485, 420),
    Button("Command3", "切换回去", 3120, 3000, 1485, 420),
};
constexpr std::string_view kForm37Inputs[] = {"Text1", "Text2", "Text3", "Text4", "Text5"};
constexpr RatioCheck kForm37Checks[] = {
    {"Text1", "请输入股东权益！"},
    {"Text2", "请输入固定资产净值！"},
    {"Text5", "请输入资产总额！"},
};
// The equity left for working capital (less net fixed and intangible assets,
// plus long-term loans, left to right) over total assets, in percent.
// Intangible assets and long-term loans may be left empty.
constexpr RatioMember kForm37{
    .name = "Form37",
    .title = "自有流动资金率计算--衡川2.0",
    .menu = kMenu,
    .controls = kForm37Controls,
    .inputs = kForm37Inputs,
    .checks = kForm37Checks,
    .formula = [](const RatioInputs& in) {
      return ((((in("Text1") - in("Text2")) - in("Text3")) + in("Text4")) / in("Text5")) * 100;
    },
    .result = "Text6",
};

}  // namespace

std::unique_ptr<Screen> MakeForm36(App& app) { return MakeRatioScreen(app, kForm36); }
std::unique_ptr<Screen> MakeForm37(App& app) { return MakeRatioScreen(app, kForm37); }

}  // namespace hc
