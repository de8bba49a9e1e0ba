// Form3: 涨停价、跌停价计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
    Button("Command4", "连续涨跌停", 1680, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form3",
    .title = "涨停价、跌停价计算--衡川2.0",
    .controls = kControls,
};

class Form3 final : public Screen {
 public:
  explicit Form3(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form1", SwitchOrder::HideFirst);
    Navigate("Command4", "Form7", SwitchOrder::HideFirst);
  }

 protected:
  void Load() override { PlaceLike("Form1"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm3(App& app) { return std::make_unique<Form3>(app); }

}  // namespace hc
