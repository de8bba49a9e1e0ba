// Form34: 净资产收益率计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form34",
    .title = "净资产收益率计算--衡川2.0",
    .controls = kControls,
};

class Form34 final : public Screen {
 public:
  explicit Form34(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form23", SwitchOrder::ShowFirst);
  }

 protected:
  void Load() override { PlaceLike("Form23"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm34(App& app) { return std::make_unique<Form34>(app); }

}  // namespace hc
