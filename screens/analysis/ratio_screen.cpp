#include "screens/analysis/ratio_screen.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

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
    // The member's fields, bound once: a name the table lacks fails here.
    for (std::string_view field : member.inputs) inputs_.push_back({field, &text(field)});
    for (const RatioCheck& check : member.checks) checks_.push_back({&text(check.field), check.message});
    result_ = &text(member.result);
    if (!member.daysLabel.empty()) days_ = &text(member.daysLabel);
    for (const Control& c : controls()) {
      if (c.kind() == Kind::Text) textFields_.push_back(&At(c.name()));
    }
    std::sort(textFields_.begin(), textFields_.end(),
              [](const Control* a, const Control* b) { return FieldNumber(a->name()) < FieldNumber(b->name()); });
  }

 private:
  // Command1: the ratio from the inputs.
  void Calculate() {
    // The first amount keeps a "%" (it reads as the number before it); every
    // later input may carry either unit.
    bool first = true;
    for (const Input& input : inputs_) {
      CleanNumberText(*input.text, first ? kMoneyMarks : kMoneyOrPercentMarks);
      first = false;
    }
    RatioInputs in;
    for (const Input& input : inputs_) in.Add(input.name, ReadNumber(*input.text));
    for (const Check& check : checks_) {
      if (IsMissing(*check.text)) return PromptMissing(check.message);
    }

    // Ratio and turnover period are both evaluated before either is shown,
    // so a period that cannot be computed leaves the ratio unwritten too.
    Num ratio = member_.formula(in);
    Num days;
    if (days_ != nullptr) days = Num(360) / member_.formula(in);

    WriteRounded(*result_, ratio);
    if (days_ != nullptr) WriteRounded(*days_, days, "天");
  }

  // Command2: every text field emptied in the order Text1, Text2, …, the
  // result's placeholder too. Labels, the days label among them, stay.
  void ClearFields() {
    for (Control* field : textFields_) field->text.clear();
  }

  struct Input {
    std::string_view name;
    std::string* text;
  };
  struct Check {
    std::string* text;
    std::string_view message;
  };

  const RatioMember& member_;
  std::vector<Input> inputs_;         // in cleaning order
  std::vector<Check> checks_;         // in checking order
  std::string* result_ = nullptr;     // the ratio's field
  std::string* days_ = nullptr;       // the turnover period's label, if any
  std::vector<Control*> textFields_;  // every text field, in the order Text1, Text2, …
};

}  // namespace

std::unique_ptr<Screen> MakeRatioScreen(App& app, const RatioMember& member) {
  return std::make_unique<RatioScreen>(app, member);
}

}  // namespace hc
