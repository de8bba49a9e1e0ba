#include "driver/script_driver.h"

#include <charconv>
#include <cstdio>

#include "shell/menu.h"

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
    case Kind::Option: return "option";
    case Kind::Table: return "table";
    case Kind::TextArea: return "textarea";
  }
  return "label";
}

std::string Hex(Rgb c) {
  char buf[8];
  std::snprintf(buf, sizeof(buf), "#%02X%02X%02X", c.r, c.g, c.b);
  return buf;
}

std::string Joined(const std::vector<std::string>& cells) {
  std::string out;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out += '|';
    out += cells[i];
  }
  return out;
}

// A multi-line field's text on one script line: each line break as "\n".
std::string OneLine(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

// A script line's text for a multi-line field: each "\n" a line break.
std::string Lines(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      out += '\n';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

ScriptDriver::ScriptDriver(std::ostream& out) : out_(out), app_(*this) { app_.Start(); }

void ScriptDriver::ShowMessage(std::string_view text) { out_ << "message: " << text << '\n'; }

void ScriptDriver::ShowAbout(std::string_view text) {
  // One box, one line: the paragraphs joined by a blank.
  std::string line(text);
  for (char& ch : line) {
    if (ch == '\n') ch = ' ';
  }
  ShowMessage(line);
}

void ScriptDriver::ReportError(ErrorKind kind) { out_ << "error: " << ErrorKindName(kind) << '\n'; }

void ScriptDriver::ExitProgram() {
  if (!ended_) out_ << "exit\n";
  ended_ = true;
}

bool ScriptDriver::SaveFile(std::string_view, std::string_view) {
  Fail("needs a window");
  return false;
}

bool ScriptDriver::SaveRates(const SavedRates&) {
  out_ << "saved: rates\n";
  return true;
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
  out_ << screen.name() << '.' << control.name() << '=';
  if (control.kind() == Kind::Table) {
    out_ << control.rows.size();
  } else if (control.kind() == Kind::TextArea) {
    out_ << OneLine(control.text);
  } else {
    out_ << control.text;
  }
  out_ << '\n';
}

// ---------------------------------------------------------------- commands

void ScriptDriver::Set(Screen* sp, Control* cp, std::string_view text) {
  Screen& s = *sp;
  Control& c = *cp;
  if (c.kind() == Kind::TextArea) return s.Type(c.name(), Lines(text));
  if (c.kind() != Kind::Text) return Fail(std::string(s.name()) + "." + std::string(c.name()) + " is not a text field");
  s.Type(c.name(), std::string(text));
}

void ScriptDriver::Click(Screen* sp, Control* cp, std::string_view) {
  Screen& s = *sp;
  Control& c = *cp;
  if (c.kind() != Kind::Button && c.kind() != Kind::Option) {
    return Fail(std::string(s.name()) + "." + std::string(c.name()) + " is not a button");
  }
  s.Click(c.name());
}

void ScriptDriver::Checked(Screen* sp, Control* cp, std::string_view) {
  Screen& s = *sp;
  Control& c = *cp;
  if (c.kind() != Kind::Option) {
    return Fail(std::string(s.name()) + "." + std::string(c.name()) + " is not an option button");
  }
  out_ << s.name() << '.' << c.name() << ".checked=" << (c.checked ? 1 : 0) << '\n';
}

void ScriptDriver::Rows(Screen* sp, Control* cp, std::string_view) {
  Screen& s = *sp;
  Control& c = *cp;
  if (c.kind() != Kind::Table) return Fail(std::string(s.name()) + "." + std::string(c.name()) + " is not a table");
  std::vector<std::string> head(c.layout->columns.begin(), c.layout->columns.end());
  out_ << s.name() << '.' << c.name() << ".head=" << Joined(head) << '\n';
  for (std::size_t i = 0; i < c.rows.size(); ++i) {
    out_ << s.name() << '.' << c.name() << '.' << (i + 1) << '=' << Joined(c.rows[i]) << '\n';
  }
}

void ScriptDriver::Props(Screen* sp, Control* cp, std::string_view) {
  Screen& s = *sp;
  Control& c = *cp;
  const ControlSpec& entry = *c.layout;
  out_ << s.name() << '.' << c.name() << " kind=" << KindName(c.kind()) << " readonly=" << c.readOnly
       << " visible=" << c.visible << " enabled=" << c.enabled << " color=" << Hex(c.color)
       << " font=" << (c.font.empty() ? std::string("default") : c.font) << " size=" << c.fontSize
       << " bold=" << c.bold << " geom=" << entry.left << ',' << entry.top << ',' << entry.width << ','
       << entry.height << '\n';
}

void ScriptDriver::Menu(Screen* s, Control*, std::string_view item) {
  if (item.empty()) return Fail("menu needs an item");
  const MenuNode* node = FindMenuItem(item);
  if (node == nullptr) return Fail("no menu item " + std::string(item));
  ChooseMenuItem(*s, *node);
}

void ScriptDriver::Dump(Screen* s, Control*, std::string_view) {
  for (const Control& c : s->controls()) PrintGet(*s, c);
}

void ScriptDriver::Title(Screen* s, Control*, std::string_view) { out_ << s->name() << ".title=" << s->title() << '\n'; }

void ScriptDriver::Pos(Screen* s, Control*, std::string_view) {
  out_ << s->name() << ".pos=" << s->top() << ',' << s->left() << '\n';
}

void ScriptDriver::Move(Screen* s, Control*, std::string_view args) {
  int top = 0;
  int left = 0;
  std::string_view ts = NextWord(args);
  std::string_view ls = NextWord(args);
  if (!ParseInt(ts, top) || !ParseInt(ls, left) || !args.empty()) return Fail("move needs TOP LEFT in twips");
  s->NoteMovedByUser(top, left);
}

void ScriptDriver::Close(Screen* s, Control*, std::string_view) { s->Close(); }

void ScriptDriver::Visible(Screen*, Control*, std::string_view) {
  std::string list;
  for (const ScreenEntry& e : ScreenRegistry()) {
    Screen* s = app_.Existing(e.name);
    if (s != nullptr && s->visible()) {
      if (!list.empty()) list += ',';
      list += e.name;
    }
  }
  out_ << "visible=" << list << '\n';
}

void ScriptDriver::Display(Screen*, Control*, std::string_view args) {
  int w = 0;
  int h = 0;
  std::string_view ws = NextWord(args);
  std::string_view hs = NextWord(args);
  if (!ParseInt(ws, w) || !ParseInt(hs, h) || !args.empty() || w <= 0 || h <= 0) {
    return Fail("display needs WIDTH HEIGHT in twips, both above 0");
  }
  app_.SetDisplay(w, h);
}

// ---------------------------------------------------------------- dispatch

// A command: what it takes after its name (nothing, a screen, or a screen
// and a control), whether the rest of the line is its own text, and what it
// does.
struct ScriptDriver::Command {
  enum class Args { None, Form, FormControl };
  std::string_view name;
  Args args;
  bool takesRest;
  void (ScriptDriver::*run)(Screen*, Control*, std::string_view rest);
};

bool ScriptDriver::Execute(std::string_view line) {
  using Args = Command::Args;
  static constexpr Command kCommands[] = {
      {"set", Args::FormControl, true, &ScriptDriver::Set},
      {"click", Args::FormControl, false, &ScriptDriver::Click},
      {"checked", Args::FormControl, false, &ScriptDriver::Checked},
      {"rows", Args::FormControl, false, &ScriptDriver::Rows},
      {"get", Args::FormControl, false, &ScriptDriver::Get},
      {"props", Args::FormControl, false, &ScriptDriver::Props},
      {"menu", Args::Form, true, &ScriptDriver::Menu},
      {"dump", Args::Form, false, &ScriptDriver::Dump},
      {"title", Args::Form, false, &ScriptDriver::Title},
      {"pos", Args::Form, false, &ScriptDriver::Pos},
      {"move", Args::Form, true, &ScriptDriver::Move},
      {"close", Args::Form, false, &ScriptDriver::Close},
      {"visible", Args::None, false, &ScriptDriver::Visible},
      {"display", Args::None, true, &ScriptDriver::Display},
  };

  if (ended_) return false;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty() || line.front() == '#') return true;
  std::string_view rest = line;
  const std::string_view name = NextWord(rest);
  const Command* cmd = nullptr;
  for (const Command& c : kCommands) {
    if (c.name == name) cmd = &c;
  }
  if (cmd == nullptr) {
    Fail("unknown command '" + std::string(name) + "'");
    return true;
  }

  Screen* screen = nullptr;
  Control* control = nullptr;
  if (cmd->args != Args::None) {
    const std::string_view formName = NextWord(rest);
    if (formName.empty()) {
      Fail(std::string(name) + " needs a screen");
      return true;
    }
    screen = ScreenArg(formName);
    if (screen == nullptr) return true;
  }
  if (cmd->args == Args::FormControl) {
    const std::string_view controlName = NextWord(rest);
    if (controlName.empty()) {
      Fail(std::string(name) + " needs a control");
      return true;
    }
    control = ControlArg(*screen, controlName);
    if (control == nullptr) return true;
  }
  if (!cmd->takesRest && !rest.empty()) {
    Fail(std::string(name) + " takes no further words: '" + std::string(rest) + "'");
    return true;
  }
  (this->*cmd->run)(screen, control, rest);
  return !ended_;
}

int ScriptDriver::Run(std::istream& in) {
  std::string line;
  while (std::getline(in, line)) {
    const bool running = Execute(line);
    if (!out_.flush()) return 1;
    if (!running) break;
  }
  if (!out_.flush()) return 1;
  return failed_ ? 2 : 0;
}

}  // namespace hc
