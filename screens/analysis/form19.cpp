// Form19: 资本周转率计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form19",
    .title = "资本周转率计算--衡川2.0",
    .controls = kControls,
};

class Form19 final : public Screen {
 public:
  explicit Form19(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form15", SwitchOrder::ShowFirst);
  }

 protected:
  void Load() override { PlaceLike("Form15"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm19(App& app) { return std::make_unique<Form19>(app); }

}  // namespace hc
