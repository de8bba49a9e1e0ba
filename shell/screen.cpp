#include "shell/screen.h"

#include <algorithm>
#include <stdexcept>

#include "shell/app.h"

namespace hc {

Screen::Screen(App& app, const ScreenSpec& layout) : app_(app), layout_(layout), title_(layout.title) {
  controls_.reserve(layout.controls.size());
  for (const ControlSpec& c : layout.controls) {
    Control control;
    control.layout = &c;
    control.text = std::string(c.text);
    control.color = c.color;
    control.readOnly = c.readOnly;
    control.visible = c.visible;
    control.enabled = c.enabled;
    control.font = std::string(c.font);
    control.fontSize = c.fontSize;
    control.bold = c.bold;
    controls_.push_back(std::move(control));
  }
}

int Screen::clientWidth() const {
  int width = layout_.clientWidth;
  for (const ControlSpec& c : layout_.controls) width = std::max(width, c.left + c.width);
  return width;
}

int Screen::clientHeight() const {
  int height = layout_.clientHeight;
  for (const ControlSpec& c : layout_.controls) height = std::max(height, c.top + c.height);
  return height;
}

Control* Screen::Find(std::string_view name) {
  for (Control& c : controls_) {
    if (c.name() == name) return &c;
  }
  return nullptr;
}

Control& Screen::At(std::string_view name) {
  Control* c = Find(name);
  if (c == nullptr) {
    throw std::out_of_range(std::string(layout_.name) + " has no control " + std::string(name));
  }
  return *c;
}

void Screen::Show() {
  visible_ = true;
  app_.host().WindowChanged(*this, WindowEvent::Shown);
}

void Screen::Hide() {
  visible_ = false;
  app_.host().WindowChanged(*this, WindowEvent::Hidden);
}

void Screen::SetPosition(int top, int left) {
  top_ = top;
  left_ = left;
  app_.host().WindowChanged(*this, WindowEvent::Moved);
}

void Screen::NoteMovedByUser(int top, int left) {
  top_ = top;
  left_ = left;
}

bool Screen::HasHandler(std::string_view button) const { return handlers_.find(button) != handlers_.end(); }

bool Screen::IsNavigation(std::string_view button) const { return navigation_.find(button) != navigation_.end(); }

void Screen::Click(std::string_view button) {
  auto it = handlers_.find(button);
  if (it == handlers_.end()) return;  // a button without action
  try {
    it->second();
  } catch (const CalcError& e) {
    app_.host().ReportError(e.kind());
  }
}

void Screen::Close() { app_.Exit(); }

void Screen::OnClick(std::string_view button, std::function<void()> handler) {
  handlers_[std::string(button)] = std::move(handler);
}

void Screen::Navigate(std::string_view button, std::string_view target, SwitchOrder order) {
  std::string to(target);
  OnClick(button, [this, to, order] { SwitchScreen(*this, to, order); });
  navigation_[std::string(button)] = true;
}

void Screen::PromptMissing(std::string_view message) { app_.host().ShowMessage(message); }

void Screen::ShowMessage(std::string_view message) { app_.host().ShowMessage(message); }

void Screen::PlaceLike(std::string_view other) {
  Screen& o = app_.Get(other);
  SetPosition(o.top(), o.left());
}

void Screen::CenterOnScreen() { hc::CenterOnScreen(*this); }

void SwitchScreen(Screen& source, std::string_view target, SwitchOrder order) {
  Screen& to = source.app().Get(target);
  if (order == SwitchOrder::HideFirst) {
    source.Hide();
    to.Show();
  } else {
    to.Show();
    source.Hide();
  }
  to.SetPosition(source.top(), source.left());
}

void CenterOnScreen(Screen& screen) {
  App& app = screen.app();
  int top = (app.displayHeight() - screen.clientHeight()) / 2;
  int left = (app.displayWidth() - screen.clientWidth()) / 2;
  screen.SetPosition(top, left);
}

}  // namespace hc
