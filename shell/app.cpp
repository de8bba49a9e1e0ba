#include "shell/app.h"

#include <stdexcept>

namespace hc {

App::App(Host& host, int displayWidth, int displayHeight)
    : host_(host), displayWidth_(displayWidth), displayHeight_(displayHeight) {}

App::~App() = default;

bool App::IsKnown(std::string_view name) {
  for (const ScreenEntry& e : ScreenRegistry()) {
    if (e.name == name) return true;
  }
  return false;
}

Screen* App::Existing(std::string_view name) {
  auto it = screens_.find(name);
  return it == screens_.end() ? nullptr : it->second.get();
}

Screen& App::Get(std::string_view name) {
  if (Screen* s = Existing(name)) return *s;
  for (const ScreenEntry& e : ScreenRegistry()) {
    if (e.name != name) continue;
    std::unique_ptr<Screen> made = e.make(*this);
    Screen& screen = *made;
    screens_.emplace(std::string(name), std::move(made));
    host_.WindowChanged(screen, WindowEvent::Created);
    screen.RunLoad();
    return screen;
  }
  throw std::out_of_range("no screen " + std::string(name));
}

void App::Start() { Get("Form1").Show(); }

void App::Exit() {
  exited_ = true;
  host_.ExitProgram();
}

}  // namespace hc
