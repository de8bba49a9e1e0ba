// Form28: 固定资产利用率计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form28",
    .title = "固定资产利用率计算--衡川2.0",
    .controls = kControls,
};

class Form28 final : public Screen {
 public:
  explicit Form28(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form22", SwitchOrder::ShowFirst);
  }

 protected:
  void Load() override { PlaceLike("Form22"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm28(App& app) { return std::make_unique<Form28>(app); }

}  // namespace hc
