// Form12: 猜猜价格--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
    Button("Command4", "猜猜回调价格", 1680, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form12",
    .title = "猜猜价格--衡川2.0",
    .controls = kControls,
};

class Form12 final : public Screen {
 public:
  explicit Form12(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form2", SwitchOrder::HideFirst);
    Navigate("Command4", "Form13", SwitchOrder::HideFirst);
  }

 protected:
  void Load() override {  }
};

}  // namespace

std::unique_ptr<Screen> MakeForm12(App& app) { return std::make_unique<Form12>(app); }

}  // namespace hc
