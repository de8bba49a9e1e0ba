// Form16: 流动比率计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form16",
    .title = "流动比率计算--衡川2.0",
    .controls = kControls,
};

class Form16 final : public Screen {
 public:
  explicit Form16(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form15", SwitchOrder::ShowFirst);
  }

 protected:
  void Load() override { PlaceLike("Form15"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm16(App& app) { return std::make_unique<Form16>(app); }

}  // namespace hc
