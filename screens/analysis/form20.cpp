// Form20: 清算价值比率计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form20",
    .title = "清算价值比率计算--衡川2.0",
    .controls = kControls,
};

class Form20 final : public Screen {
 public:
  explicit Form20(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form15", SwitchOrder::ShowFirst);
  }

 protected:
  void Load() override { PlaceLike("Form15"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm20(App& app) { return std::make_unique<Form20>(app); }

}  // namespace hc
