// Form37: 自有流动资金率计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form37",
    .title = "自有流动资金率计算--衡川2.0",
    .controls = kControls,
};

class Form37 final : public Screen {
 public:
  explicit Form37(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form24", SwitchOrder::ShowFirst);
  }

 protected:
  void Load() override { PlaceLike("Form24"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm37(App& app) { return std::make_unique<Form37>(app); }

}  // namespace hc
