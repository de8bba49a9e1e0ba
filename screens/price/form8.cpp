// Form8: 股票分批补仓价计算--衡川2.0
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Button("Command3", "切换回去", 120, 2880, 1290, 420),
};

constexpr ScreenSpec kSpec{
    .name = "Form8",
    .title = "股票分批补仓价计算--衡川2.0",
    .controls = kControls,
};

class Form8 final : public Screen {
 public:
  explicit Form8(App& app) : Screen(app, kSpec) {
    Navigate("Command3", "Form1", SwitchOrder::HideFirst);
  }

 protected:
  void Load() override { PlaceLike("Form6"); }
};

}  // namespace

std::unique_ptr<Screen> MakeForm8(App& app) { return std::make_unique<Form8>(app); }

}  // namespace hc
