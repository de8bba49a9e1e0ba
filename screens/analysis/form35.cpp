// Form35: 资本收益率计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form35",
    .title = "资本收益率计算--衡川2.0",
    .controls = kControls,
};

class Form35 final : public Screen {
 public:
  explicit Form35(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form23", SwitchOrder::ShowFirst);
  }

 protected:
  void Load() override { PlaceLike("Form23"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm35(App& app) { return std::make_unique<Form35>(app); }

}  // namespace hc
