// Form30: 营业利润率计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form30",
    .title = "营业利润率计算--衡川2.0",
    .controls = kControls,
};

class Form30 final : public Screen {
 public:
  explicit Form30(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form23", SwitchOrder::ShowFirst);
  }

 protected:
  void Load() override { PlaceLike("Form23"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm30(App& app) { return std::make_unique<Form30>(app); }

}  // namespace hc
