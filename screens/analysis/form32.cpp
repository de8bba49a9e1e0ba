// Form32: 盈利现金比率计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form32",
    .title = "盈利现金比率计算--衡川2.0",
    .controls = kControls,
};

class Form32 final : public Screen {
 public:
  explicit Form32(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form23", SwitchOrder::ShowFirst);
  }

 protected:
  void Load() override { PlaceLike("Form23"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm32(App& app) { return std::make_unique<Form32>(app); }

}  // namespace hc
