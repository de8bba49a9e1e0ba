// Form5: 乘法计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
    Button("Command4", "除法计算", 1680, 2880, 1290, 420),
    Button("Command5", "加法计算", 3240, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form5",
    .title = "乘法计算--衡川2.0",
    .controls = kControls,
};

class Form5 final : public Screen {
 public:
  explicit Form5(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form1", SwitchOrder::ShowFirst);
    Navigate("Command4", "Form9", SwitchOrder::HideFirst);
    Navigate("Command5", "Form4", SwitchOrder::ShowFirst);
  }

 protected:
  void Load() override { PlaceLike("Form1"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm5(App& app) { return std::make_unique<Form5>(app); }

}  // namespace hc
