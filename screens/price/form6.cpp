// Form6: 股票补仓后平均成本计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
    Button("Command4", "分批买入", 1680, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form6",
    .title = "股票补仓后平均成本计算--衡川2.0",
    .controls = kControls,
};

class Form6 final : public Screen {
 public:
  explicit Form6(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form1", SwitchOrder::ShowFirst);
    Navigate("Command4", "Form8", SwitchOrder::HideFirst);
  }

 protected:
  void Load() override { CenterOnScreen(); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm6(App& app) { return std::make_unique<Form6>(app); }

}  // namespace hc
