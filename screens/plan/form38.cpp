// Form38: 股票建仓计划--衡川2.0  作者：听风客
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 4440, 1290, 420),
    Button("Command4", "网格交易", 1680, 4440, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form38",
    .title = "股票建仓计划--衡川2.0  作者：听风客",
    .clientWidth = 6195,
    .clientHeight = 5025,
    .controls = kControls,
};

class Form38 final : public Screen {
 public:
  explicit Form38(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form1", SwitchOrder::HideFirst);
    Navigate("Command4", "Form39", SwitchOrder::HideFirst);
  }

 protected:
  void Load() override { PlaceLike("Form1"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm38(App& app) { return std::make_unique<Form38>(app); }

}  // namespace hc
