// Form7: 复利计算器--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form7",
    .title = "复利计算器--衡川2.0",
    .clientWidth = 4560,
    .clientHeight = 3465,
    .controls = kControls,
};

class Form7 final : public Screen {
 public:
  explicit Form7(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form1", SwitchOrder::HideFirst);
  }

 protected:
  void Load() override { PlaceLike("Form3"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm7(App& app) { return std::make_unique<Form7>(app); }

}  // namespace hc
