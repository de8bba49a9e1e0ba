#include "driver/script_driver.h"

#include <charconv>
#include <cstdio>
#include <vector>

namespace hc {

namespace {

// Splits off the first word (up to the first blank) of `rest`.
std::string_view NextWord(std::string_view& rest) {
  std::size_t blank = rest.find(' ');
  std::string_view word = rest.substr(0, blank);
  rest = blank == std::string_view::npos ? std::string_view{} : rest.substr(blank + 1);
  return word;
}

bool ParseInt(std::string_view s, int& out) {
  if (s.empty()) return false;
  auto r = std::from_chars(s.data(), s.data() + s.size(), out);
  return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

std::string_view KindName(Kind kind) {
  switch (kind) {
    case Kind::Text: return "text";
    case Kind::Label: return "label";
    case Kind::Button: return "button";
  }
  return "label";
}

std::string Hex(Rgb c) {
  char buf[8];
  std::snprintf(buf, sizeof(buf), "#%02X%02X%02X", c.r, c.g, c.b);
  return buf;
}

}  // namespace

ScriptDriver::ScriptDriver(std::ostream& out) : out_(out), app_(*this) { app_.Start(); }

void ScriptDriver::ShowMessage(std::string_view text) { out_ << "message: " << text << '\n'; }

void ScriptDriver::ReportError(ErrorKind kind) { out_ << "error: " << ErrorKindName(kind) << '\n'; }

void ScriptDriver::ExitProgram() {
  if (!ended_) out_ << "exit\n";
  ended_ = true;
}

void ScriptDriver::Fail(std::string_view reason) {
  out_ << "fail: " << reason << '\n';
  failed_ = true;
}

Screen* ScriptDriver::ScreenArg(std::string_view name) {
  if (!App::IsKnown(name)) {
    Fail("unknown screen '" + std::string(name) + "'");
    return nullptr;
  }
  return &app_.Get(name);
}

Control* ScriptDriver::ControlArg(Screen& screen, std::string_view name) {
  Control* c = screen.Find(name);
  if (c == nullptr) Fail("unknown control '" + std::string(name) + "' on " + std::string(screen.name()));
  return c;
}

void ScriptDriver::PrintGet(Screen& screen, const Control& control) {
  out_ << screen.name() << '.' << control.name() << '=' << control.text << '\n';
}

bool ScriptDriver::Execute(std::string_view line) {
  if (ended_) return false;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty() || line.front() == '#') return true;
  std::string_view rest = line;
  std::string_view cmd = NextWord(rest);

  if (cmd == "visible") {
    std::string list;
    for (const ScreenEntry& e : ScreenRegistry()) {
      Screen* s = app_.Existing(e.name);
      if (s != nullptr && s->visible()) {
        if (!list.empty()) list += ',';
        list += e.name;
      }
    }
    out_ << "visible=" << list << '\n';
    return true;
  }
  if (cmd == "display") {
    int w = 0;
    int h = 0;
    std::string_view ws = NextWord(rest);
    std::string_view hs = NextWord(rest);
    if (!ParseInt(ws, w) || !ParseInt(hs, h) || !rest.empty()) {
      Fail("display needs WIDTH HEIGHT in twips");
    } else {
      app_.SetDisplay(w, h);
    }
    return true;
  }

  static const std::vector<std::string_view> kFormCommands = {"set",   "click", "get",  "dump", "props",
                                                              "title", "pos",   "move", "close"};
  bool known = false;
  for (std::string_view c : kFormCommands) known = known || c == cmd;
  if (!known) {
    Fail("unknown command '" + std::string(cmd) + "'");
    return true;
  }
  std::string_view formName = NextWord(rest);
  if (formName.empty()) {
    Fail(std::string(cmd) + " needs a screen");
    return true;
  }
  Screen* screen = ScreenArg(formName);
  if (screen == nullptr) return true;

  if (cmd == "title") {
    out_ << screen->name() << ".title=" << screen->title() << '\n';
  } else if (cmd == "dump") {
    for (const Control& c : screen->controls()) PrintGet(*screen, c);
  } else if (cmd == "pos") {
    out_ << screen->name() << ".pos=" << screen->top() << ',' << screen->left() << '\n';
  } else if (cmd == "move") {
    int top = 0;
    int left = 0;
    std::string_view ts = NextWord(rest);
    std::string_view ls = NextWord(rest);
    if (!ParseInt(ts, top) || !ParseInt(ls, left) || !rest.empty()) {
      Fail("move needs TOP LEFT in twips");
    } else {
      screen->NoteMovedByUser(top, left);
    }
  } else if (cmd == "close") {
    screen->Close();
  } else {
    // set, click, get, props: a control follows.
    std::string_view controlName = NextWord(rest);
    if (controlName.empty()) {
      Fail(std::string(cmd) + " needs a control");
      return !ended_;
    }
    Control* control = ControlArg(*screen, controlName);
    if (control == nullptr) return !ended_;
    if (cmd == "get") {
      PrintGet(*screen, *control);
    } else if (cmd == "set") {
      if (control->kind() != Kind::Text) {
        Fail(std::string(screen->name()) + "." + std::string(control->name()) + " is not a text field");
      } else {
        control->text = std::string(rest);
      }
    } else if (cmd == "click") {
      if (control->kind() != Kind::Button) {
        Fail(std::string(screen->name()) + "." + std::string(control->name()) + " is not a button");
      } else {
        screen->Click(control->name());
      }
    } else {  // props
      const ControlSpec& s = *control->layout;
      out_ << screen->name() << '.' << control->name() << " kind=" << KindName(control->kind())
           << " readonly=" << control->readOnly << " visible=" << control->visible
           << " enabled=" << control->enabled << " color=" << Hex(control->color)
           << " font=" << (control->font.empty() ? std::string("default") : control->font)
           << " size=" << control->fontSize << " bold=" << control->bold << " geom=" << s.left << ','
           << s.top << ',' << s.width << ',' << s.height << '\n';
    }
  }
  return !ended_;
}

int ScriptDriver::Run(std::istream& in) {
  std::string line;
  while (std::getline(in, line)) {
    if (!Execute(line)) return 0;
  }
  return failed_ ? 2 : 0;
}

}  // namespace hc
