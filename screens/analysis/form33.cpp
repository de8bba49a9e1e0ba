// Form33: 总资产报酬率计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form33",
    .title = "总资产报酬率计算--衡川2.0",
    .controls = kControls,
};

class Form33 final : public Screen {
 public:
  explicit Form33(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form23", SwitchOrder::ShowFirst);
  }

 protected:
  void Load() override { PlaceLike("Form23"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm33(App& app) { return std::make_unique<Form33>(app); }

}  // namespace hc
