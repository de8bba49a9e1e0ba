// Form39: 股票网格交易法--衡川2.0（升级版）
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 4440, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form39",
    .title = "股票网格交易法--衡川2.0（升级版）",
    .clientWidth = 6195,
    .clientHeight = 5025,
    .controls = kControls,
};

class Form39 final : public Screen {
 public:
  explicit Form39(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form38", SwitchOrder::HideFirst);
  }

 protected:
  void Load() override { PlaceLike("Form1"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm39(App& app) { return std::make_unique<Form39>(app); }

}  // namespace hc
