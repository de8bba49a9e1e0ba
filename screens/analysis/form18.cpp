// Form18: 现金比率计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form18",
    .title = "现金比率计算--衡川2.0",
    .controls = kControls,
};

class Form18 final : public Screen {
 public:
  explicit Form18(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form15", SwitchOrder::ShowFirst);
  }

 protected:
  void Load() override { PlaceLike("Form15"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm18(App& app) { return std::make_unique<Form18>(app); }

}  // namespace hc
