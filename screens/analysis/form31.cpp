// Form31: 成本费用利润率计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form31",
    .title = "成本费用利润率计算--衡川2.0",
    .controls = kControls,
};

class Form31 final : public Screen {
 public:
  explicit Form31(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form23", SwitchOrder::ShowFirst);
  }

 protected:
  void Load() override { PlaceLike("Form23"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm31(App& app) { return std::make_unique<Form31>(app); }

}  // namespace hc
