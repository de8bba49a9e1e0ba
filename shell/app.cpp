#include "shell/app.h"

#include <stdexcept>

#include "market/rate_fields.h"

namespace hc {

namespace {

SavedRates LoadTexts() {
  return {std::string(kRateLoadTexts.commission), std::string(kRateLoadTexts.minimum),
          std::string(kRateLoadTexts.stampDuty), std::string(kRateLoadTexts.transferFee)};
}

// Saved rates a rate field would refuse are not used.
bool PassChecks(const SavedRates& r) {
  return ReadRates(r.commission, r.minimum, r.stampDuty, r.transferFee, Market::Stock).rates.has_value();
}

}  // namespace

App::App(Host& host, int displayWidth, int displayHeight)
    : host_(host), displayWidth_(displayWidth), displayHeight_(displayHeight), startRates_(LoadTexts()) {}

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

void App::Start() {
  bool savedInvalid = false;
  if (std::optional<SavedRates> saved = host_.LoadSavedRates()) {
    if (PassChecks(*saved)) {
      startRates_ = std::move(*saved);
    } else {
      savedInvalid = true;
    }
  }
  Get("Form1").Show();
  if (savedInvalid) host_.ShowMessage("保存的费率无效，已使用默认费率。");
}

bool App::SaveRates(const SavedRates& rates) {
  if (!host_.SaveRates(rates)) return false;
  startRates_ = rates;
  return true;
}

void App::RestoreDefaultRates() {
  host_.RemoveSavedRates();
  startRates_ = LoadTexts();
}

void App::Exit() {
  exited_ = true;
  host_.ExitProgram();
}

}  // namespace hc
