#include "screens/analysis/ratio_screen.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "shell/screen.h"

namespace hc {

Num RatioInputs::operator()(std::string_view field) const {
  for (const auto& [name, value] : values_) {
    if (name == field) return value;
  }
  throw std::out_of_range("ratio formula reads " + std::string(field) + ", which is not an input");
}

namespace {

// The number of a text field's name: 6 for "Text6".
int FieldNumber(std::string_view name) {
  constexpr std::string_view kPrefix = "Text";
  int n = 0;
  for (char c : name.substr(kPrefix.size())) n = n * 10 + (c - '0');
  return n;
}

// The window part of a ratio screen, built from the member before the
// Screen base that refers to it.
struct RatioWindow {
  explicit RatioWindow(const RatioMember& m) : back{Link{"Command3", m.menu, SwitchOrder::ShowFirst}} {
    // Tab walks the input fields in table order, then the buttons.
    for (const ControlSpec& c : m.controls) {
      if (c.kind == Kind::Text && !c.readOnly) tabOrder.push_back(c.name);
    }
    for (const ControlSpec& c : m.controls) {
      if (c.kind == Kind::Button) tabOrder.push_back(c.name);
    }
    windowSpec = ScreenSpec{
        .name = m.name,
        .title = m.title,
        .controls = m.controls,
        .tabOrder = tabOrder,
        .defaultButton = "Command1",
        .links = back,
        .placedLike = m.menu,
        .backButton = "Command3",
    };
  }
  Link back[1];  // Command3 leads back to the group menu
  std::vector<std::string_view> tabOrder;
  ScreenSpec windowSpec;
};

class RatioScreen final : private RatioWindow, public Screen {
 public:
  RatioScreen(App& app, const RatioMember& member) : RatioWindow(member), Screen(app, windowSpec), member_(member) {
    OnClick("Command1", &RatioScreen::Calculate);
    OnClick("Command2", &RatioScreen::ClearFields);
  }

 private:
  // Command1: the ratio from the inputs.
  void Calculate() {
    // The first amount keeps a "%" (it reads as the number before it); every
    // later input may carry either unit.
    bool first = true;
    for (std::string_view field : member_.inputs) {
      CleanNumberText(text(field), first ? kMoneyMarks : kMoneyOrPercentMarks);
      first = false;
    }
    RatioInputs in;
    for (std::string_view field : member_.inputs) in.Add(field, ReadNumber(text(field)));
    for (const RatioCheck& check : member_.checks) {
      if (IsMissing(text(check.field))) return PromptMissing(check.message);
    }

    // Ratio and turnover period are both evaluated before either is shown,
    // so a period that cannot be computed leaves the ratio unwritten too.
    Num ratio = member_.formula(in);
    Num days;
    if (!member_.daysLabel.empty()) days = Num(360) / member_.formula(in);

    WriteRounded(text(member_.result), ratio);
    if (!member_.daysLabel.empty()) WriteRounded(text(member_.daysLabel), days, "天");
  }

  // Command2: every text field emptied in the order Text1, Text2, …, the
  // result's placeholder too. Labels, the days label among them, stay.
  void ClearFields() {
    std::vector<std::string_view> fields;
    for (const Control& c : controls()) {
      if (c.kind() == Kind::Text) fields.push_back(c.name());
    }
    std::sort(fields.begin(), fields.end(),
              [](std::string_view a, std::string_view b) { return FieldNumber(a) < FieldNumber(b); });
    for (std::string_view field : fields) text(field).clear();
  }

  const RatioMember& member_;
};

}  // namespace

std::unique_ptr<Screen> MakeRatioScreen(App& app, const RatioMember& member) {
  return std::make_unique<RatioScreen>(app, member);
}

}  // namespace hc
