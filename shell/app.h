// The program shell: the registry of screens, each created on first use and
// then kept (only hidden and shown) until the program ends.
#pragma once

#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {

class App {
 public:
  // The display size is in twips (1920 × 1080 pixels at 15 twips a pixel).
  explicit App(Host& host, int displayWidth = 28800, int displayHeight = 16200);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  Host& host() { return host_; }

  static bool IsKnown(std::string_view name);
  // The named screen, created and loaded (but not shown) on first use.
  // An unknown name is a programming error (std::out_of_range).
  Screen& Get(std::string_view name);
  // The named screen if it has been created, else null.
  Screen* Existing(std::string_view name);

  // Program start: creates the main screen and shows it.
  void Start();
  // Ends the program (through the host).
  void Exit();
  bool exited() const { return exited_; }

  // The fee rates the screens start from: the saved defaults where they
  // pass the rate fields' checks, else the load texts.
  const SavedRates& startRates() const { return startRates_; }
  // Keeps the rates as the defaults, for this run's screens not yet opened
  // and for later starts; false when the host could not write them.
  bool SaveRates(const SavedRates& rates);
  // Back to the load texts, the saved rates forgotten.
  void RestoreDefaultRates();

  int displayWidth() const { return displayWidth_; }
  int displayHeight() const { return displayHeight_; }
  void SetDisplay(int width, int height) {
    displayWidth_ = width;
    displayHeight_ = height;
  }

 private:
  Host& host_;
  int displayWidth_;
  int displayHeight_;
  bool exited_ = false;
  SavedRates startRates_;
  std::map<std::string, std::unique_ptr<Screen>, std::less<>> screens_;
};

}  // namespace hc
