// Form29: 总资产周转率计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form29",
    .title = "总资产周转率计算--衡川2.0",
    .controls = kControls,
};

class Form29 final : public Screen {
 public:
  explicit Form29(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form22", SwitchOrder::ShowFirst);
  }

 protected:
  void Load() override { PlaceLike("Form22"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm29(App& app) { return std::make_unique<Form29>(app); }

}  // namespace hc
