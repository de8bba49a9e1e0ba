// Form11: PE估值计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form11",
    .title = "PE估值计算--衡川2.0",
    .controls = kControls,
};

class Form11 final : public Screen {
 public:
  explicit Form11(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form2", SwitchOrder::HideFirst);
  }

 protected:
  void Load() override {  }
};

}  // namespace

std::unique_ptr<Screen> MakeForm11(App& app) { return std::make_unique<Form11>(app); }

}  // namespace hc
