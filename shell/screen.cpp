#include "shell/screen.h"

#include <algorithm>
#include <stdexcept>

#include "market/dates.h"
#include "shell/app.h"

namespace hc {

ControlState ControlState::From(const ControlSpec& entry) {
  ControlState s;
  s.text = entry.today ? IsoText(Today()) : std::string(entry.text);
  s.color = entry.color;
  s.readOnly = entry.readOnly || entry.kind == Kind::Table;
  s.visible = entry.visible;
  s.enabled = entry.enabled;
  s.font = std::string(entry.font);
  s.fontSize = entry.fontSize;
  s.bold = entry.bold;
  s.checked = entry.checked;
  return s;
}

Screen::Screen(App& app, const ScreenSpec& layout) : app_(app), layout_(layout), title_(layout.title) {
  controls_.reserve(layout.controls.size());
  for (const ControlSpec& c : layout.controls) {
    Control control;
    control.layout = &c;
    control.Reset();
    controls_.push_back(std::move(control));
  }
  for (const Link& link : layout.links) {
    At(link.button);  // a link names a button of the table
    OnClick(link.button, [this, link] {
      SwitchScreen(*this, link.target == kOpener ? std::string_view(opener_) : link.target, link.order);
    });
  }
}

void Screen::RunLoad() {
  if (layout_.placedLike == kCentred) {
    CenterOnScreen();
  } else if (!layout_.placedLike.empty()) {
    PlaceLike(layout_.placedLike);
  }
  Load();
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

void Screen::Type(std::string_view field, std::string text) {
  Control& c = At(field);
  c.text = text;
  typed_.insert_or_assign(std::string(field), std::move(text));
}

const std::string* Screen::Typed(std::string_view field) const {
  auto it = typed_.find(field);
  return it == typed_.end() ? nullptr : &it->second;
}

void Screen::Show() {
  Showing();
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

bool Screen::IsNavigation(std::string_view button) const {
  for (const Link& link : layout_.links) {
    if (link.button == button) return true;
  }
  return false;
}

void Screen::Click(std::string_view button) {
  if (Control* c = Find(button); c != nullptr && c->kind() == Kind::Option) {
    for (Control& other : controls_) {
      if (other.kind() == Kind::Option && other.layout->group == c->layout->group) other.checked = false;
    }
    c->checked = true;
  }
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
