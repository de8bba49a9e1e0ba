// Form2: 涨跌幅计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
    Button("Command4", "PE估值", 1680, 2880, 1290, 420),
    Button("Command5", "猜猜价格", 3240, 2880, 1290, 420),
    Button("Command6", "财务分析", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form2",
    .title = "涨跌幅计算--衡川2.0",
    .controls = kControls,
};

class Form2 final : public Screen {
 public:
  explicit Form2(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form1", SwitchOrder::ShowFirst);
    Navigate("Command4", "Form11", SwitchOrder::HideFirst);
    Navigate("Command5", "Form12", SwitchOrder::HideFirst);
    Navigate("Command6", "Form14", SwitchOrder::HideFirst);
  }

 protected:
  void Load() override { PlaceLike("Form1"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm2(App& app) { return std::make_unique<Form2>(app); }

}  // namespace hc
