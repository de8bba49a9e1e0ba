// Form13: 猜猜回调价格--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form13",
    .title = "猜猜回调价格--衡川2.0",
    .controls = kControls,
};

class Form13 final : public Screen {
 public:
  explicit Form13(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form12", SwitchOrder::HideFirst);
  }

 protected:
  void Load() override {  }
};

}  // namespace

std::unique_ptr<Screen> MakeForm13(App& app) { return std::make_unique<Form13>(app); }

}  // namespace hc
