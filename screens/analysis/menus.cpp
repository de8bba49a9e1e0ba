// The financial-analysis menus: the top menu Form14 and its four group
// menus. They hold nothing but navigation buttons.
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

// One menu button and the screen it opens.
struct MenuItem {
  ControlSpec button;
  std::string_view target;
  SwitchOrder order;
};

constexpr auto kHide = SwitchOrder::HideFirst;
constexpr auto kShow = SwitchOrder::ShowFirst;

// The buttons and links of a menu's layout table, taken from its items.
template <std::size_t N>
struct Menu {
  constexpr explicit Menu(const MenuItem (&items)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
      controls[i] = items[i].button;
      links[i] = Link{items[i].button.name, items[i].target, items[i].order};
    }
  }
  // The menu's window: its last button leads back.
  constexpr ScreenSpec Window(std::string_view name, std::string_view title, std::string_view placedLike) const {
    return ScreenSpec{.name = name,
                      .title = title,
                      .controls = controls,
                      .links = links,
                      .placedLike = placedLike,
                      .backButton = controls[N - 1].name};
  }
  ControlSpec controls[N];
  Link links[N];
};

// ---------------------------------------------------------------- Form14

constexpr MenuItem kForm14Items[] = {
    {Button("Command1", "偿债能力", 120, 120, 1290, 420), "Form15", kHide},
    {Button("Command2", "营运能力", 1680, 120, 1290, 420), "Form22", kHide},
    {Button("Command3", "盈利能力", 3240, 120, 1290, 420), "Form23", kHide},
    {Button("Command4", "资金实力", 120, 720, 1290, 420), "Form24", kHide},
    {Button("Command5", "切换回去", 3240, 2880, 1290, 420), "Form2", kShow},
};
constexpr Menu kForm14Menu(kForm14Items);
constexpr ScreenSpec kForm14 = kForm14Menu.Window("Form14", "财务分析--衡川2.0", "Form2");

// ---------------------------------------------------------------- Form15

constexpr MenuItem kForm15Items[] = {
    {Button("Command1", "流动比率", 120, 120, 1290, 420), "Form16", kHide},
    {Button("Command2", "速动比率", 1680, 120, 1290, 420), "Form17", kHide},
    {Button("Command3", "现金比率", 3240, 120, 1290, 420), "Form18", kHide},
    {Button("Command4", "资本周转率", 120, 720, 1290, 420), "Form19", kHide},
    {Button("Command6", "清算价值比率", 1680, 720, 1290, 420), "Form20", kHide},
    {Button("Command7", "利息支付倍数", 3240, 720, 1290, 420), "Form21", kHide},
    {Button("Command5", "切换回去", 3240, 2880, 1290, 420), "Form14", kShow},
};
constexpr Menu kForm15Menu(kForm15Items);
constexpr ScreenSpec kForm15 = kForm15Menu.Window("Form15", "偿债能力分析--衡川2.0", "Form14");

// ---------------------------------------------------------------- Form22

constexpr MenuItem kForm22Items[] = {
    {Button("Command1", "存货周转率", 0, 120, 1485, 420), "Form25", kHide},
    {Button("Command2", "应收账款周转率", 1560, 120, 1485, 420), "Form26", kHide},
    {Button("Command3", "流动资产周转率", 3240, 120, 1485, 420), "Form27", kHide},
    {Button("Command4", "固定资产周转率", 0, 840, 1485, 420), "Form28", kHide},
    {Button("Command5", "总资产周转率", 1560, 840, 1485, 420), "Form29", kHide},
    {Button("Command6", "切换回去", 3240, 2880, 1290, 420), "Form14", kShow},
};
constexpr Menu kForm22Menu(kForm22Items);
constexpr ScreenSpec kForm22 = kForm22Menu.Window("Form22", "营运能力分析--衡川2.0", "Form14");

// ---------------------------------------------------------------- Form23

constexpr MenuItem kForm23Items[] = {
    {Button("Command1", "营业利润率", 0, 120, 1485, 420), "Form30", kShow},
    {Button("Command2", "成本费用利润率", 1560, 120, 1485, 420), "Form31", kShow},
    {Button("Command3", "盈利现金比率", 3120, 120, 1485, 420), "Form32", kShow},
    {Button("Command4", "总资产报酬率", 0, 720, 1485, 420), "Form33", kShow},
    {Button("Command5", "净资产收益率", 1560, 720, 1485, 420), "Form34", kShow},
    {Button("Command6", "资本收益率", 3120, 720, 1485, 420), "Form35", kShow},
    {Button("Command7", "切换回去", 3240, 2880, 1290, 420), "Form14", kShow},
};
constexpr Menu kForm23Menu(kForm23Items);
constexpr ScreenSpec kForm23 = kForm23Menu.Window("Form23", "盈利能力分析--衡川2.0", "Form14");

// ---------------------------------------------------------------- Form24

constexpr MenuItem kForm24Items[] = {
    {Button("Command1", "自有资金结构率", 0, 120, 1485, 420), "Form36", kShow},
    {Button("Command2", "自有流动资金率", 1560, 120, 1485, 420), "Form37", kShow},
    {Button("Command3", "切换回去", 3240, 2880, 1290, 420), "Form14", kShow},
};
constexpr Menu kForm24Menu(kForm24Items);
constexpr ScreenSpec kForm24 = kForm24Menu.Window("Form24", "资金实力分析--衡川2.0", "Form14");

}  // namespace

// Form14 opens where the rise/fall screen stands; the group menus where
// Form14 stands. Each menu's last button leads back.
std::unique_ptr<Screen> MakeForm14(App& app) { return std::make_unique<Screen>(app, kForm14); }
std::unique_ptr<Screen> MakeForm15(App& app) { return std::make_unique<Screen>(app, kForm15); }
std::unique_ptr<Screen> MakeForm22(App& app) { return std::make_unique<Screen>(app, kForm22); }
std::unique_ptr<Screen> MakeForm23(App& app) { return std::make_unique<Screen>(app, kForm23); }
std::unique_ptr<Screen> MakeForm24(App& app) { return std::make_unique<Screen>(app, kForm24); }

}  // namespace hc
