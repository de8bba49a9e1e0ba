// Randomized whole-screen test: every screen of the registry gets random
// texts typed into its editable fields and its calculate and clear buttons
// pressed in random order, many thousand times. After every press:
// - nothing escapes Screen::Click but a reported calculation error;
// - no control of any screen holds an infinity or not-a-number text;
// - the press reported at most once (one prompt or one error);
// and every so often, with the load state put back from the layout table,
// each button gives exactly what it gives on a freshly created screen.
//
// Reproducible: HENGCHUAN_RANDOM_SEED chooses the seed (printed with every
// failure), HENGCHUAN_RANDOM_PRESSES the number of presses over all screens,
// HENGCHUAN_RANDOM_SCREEN limits the run to one screen.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "shell/app.h"
#include "tests/test_host.h"

namespace hc {
namespace {

constexpr std::uint64_t kDefaultSeed = 20240611;
constexpr long kDefaultPresses = 60000;  // over all screens that have buttons to press
constexpr int kRestoreEvery = 64;        // presses between two checks against a fresh screen
constexpr int kPressTimeLimitSeconds = 20;

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
  const char* v = std::getenv(name);
  if (v == nullptr || *v == '\0') return fallback;
  return std::strtoull(v, nullptr, 10);
}

std::uint64_t Seed() { return EnvNumber("HENGCHUAN_RANDOM_SEED", kDefaultSeed); }

// A screen's own stream of random numbers, independent of the other screens.
std::uint64_t ScreenSeed(std::uint64_t seed, std::string_view screen) {
  std::uint64_t h = seed ^ 0x9E3779B97F4A7C15ull;
  for (char c : screen) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
  return h;
}

// ---------------------------------------------------------------- control state

// A screen's controls as the user sees them, in table order.
using Snapshot = std::vector<ControlState>;

Snapshot Take(const Screen& screen) {
  Snapshot out;
  for (const Control& c : screen.controls()) out.push_back(c.state());
  return out;
}

// The state right after load, as the layout table holds it.
Snapshot LoadState(const Screen& screen) {
  Snapshot out;
  for (const Control& c : screen.controls()) out.push_back(ControlState::From(*c.layout));
  return out;
}

void RestoreLoadState(Screen& screen) {
  for (Control& c : screen.controls()) c.Reset();
}

std::string Shorten(std::string_view s, std::size_t max = 120) {
  if (s.size() <= max) return std::string(s);
  return std::string(s.substr(0, max)) + "…(" + std::to_string(s.size()) + " bytes)";
}

// Where two control lists differ, one line per control.
std::string Differences(const Screen& screen, const Snapshot& got, const Snapshot& want) {
  std::ostringstream out;
  const auto controls = screen.controls();
  for (std::size_t i = 0; i < got.size() && i < want.size() && i < controls.size(); ++i) {
    const ControlState& g = got[i];
    const ControlState& w = want[i];
    if (g == w) continue;
    out << "  " << controls[i].name() << ": '" << Shorten(g.text) << "' where '" << Shorten(w.text)
        << "' was expected";
    if (g.color != w.color) out << ", colour differs";
    if (g.visible != w.visible) out << ", visible=" << g.visible;
    if (g.enabled != w.enabled) out << ", enabled=" << g.enabled;
    if (g.readOnly != w.readOnly) out << ", readonly=" << g.readOnly;
    if (g.font != w.font || g.fontSize != w.fontSize || g.bold != w.bold) out << ", font differs";
    if (g.checked != w.checked) out << ", checked=" << g.checked;
    if (g.rows != w.rows) out << ", " << g.rows.size() << " rows where " << w.rows.size() << " were expected";
    out << '\n';
  }
  return out.str();
}

// An infinity or not-a-number spelling, in any case, or the "1.#INF" forms.
bool HasNonFiniteSpelling(std::string_view s) {
  std::string lower;
  lower.reserve(s.size());
  for (char c : s) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos ||
         lower.find("1.#") != std::string::npos;
}

// The buttons a user presses on a screen that are not navigation: the
// calculate and clear buttons.
std::vector<std::string> PressableButtons(const Screen& screen) {
  std::vector<std::string> out;
  for (const Control& c : screen.controls()) {
    if (c.kind() == Kind::Button && screen.HasHandler(c.name()) && !screen.IsNavigation(c.name())) {
      out.emplace_back(c.name());
    }
  }
  return out;
}

// ---------------------------------------------------------------- random texts

const char* const kTokens[] = {
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",     "+",      "-",     ".",      ",",
    "。", "，", "/",  "%",  "元", "股", "个", "倍", " ",  "\t",    "E",      "e",     "D",      "d",
    "1e308", "1e-320", "9e999", "-1e308", "1E+400", "1d-400", "０", "１", "５", "９", "．", "😀",   "🀄",
    "　", "..", "./", "\n",
};

const char* const kSpecials[] = {
    "",     " ",        "0",      "0.0",       "-0",          "1e308",    "-1e308",
    "1e-320", "1E400",  "0.001",  "100",       "99999999999999999999", "4.9e-324",
    "1.7976931348623157e308", "2147483648", "-2147483649", "0.3", "0.005", "-0.005", "1e15",
    "1e-5", "2.675", "1.005", "10元", "3%", "1,000元", "10。5", "12，3", "元", "%", "1/5", "1..5",
};

class TextMaker {
 public:
  explicit TextMaker(std::mt19937_64& rng) : rng_(rng) {}

  std::string Make(const Screen& screen) {
    int pick = Below(100);
    if (pick < 35) return PlainNumber();
    if (pick < 47) return kSpecials[Below(std::size(kSpecials))];
    if (pick < 85) return Soup(1 + Below(15));
    if (pick < 90) return Long();
    if (pick < 97) return CopyOf(screen);
    return "";
  }

 private:
  std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }

  // A number as a user types it: sign, digits, a decimal mark, a unit.
  std::string PlainNumber() {
    std::string s;
    if (Below(10) == 0) s += '-';
    std::size_t intDigits = Below(7);
    for (std::size_t i = 0; i < intDigits; ++i) s += static_cast<char>('0' + Below(10));
    if (intDigits == 0 || Below(2) == 0) {
      static const char* const kMarks[] = {".", ".", ".", "。", "，", ",", "/"};
      s += kMarks[Below(std::size(kMarks))];
      std::size_t frac = 1 + Below(4);
      for (std::size_t i = 0; i < frac; ++i) s += static_cast<char>('0' + Below(10));
    }
    static const char* const kUnits[] = {"", "", "", "", "元", "%", "股", "个", "倍"};
    s += kUnits[Below(std::size(kUnits))];
    return s;
  }

  std::string Soup(std::size_t tokens) {
    std::string s;
    for (std::size_t i = 0; i < tokens; ++i) s += kTokens[Below(std::size(kTokens))];
    return s;
  }

  // Thousands of characters: digits, or a repeated soup.
  std::string Long() {
    std::size_t length = 1000 + Below(5000);
    std::string unit = Below(2) == 0 ? PlainNumber() : Soup(1 + Below(6));
    if (unit.empty()) unit = "9";
    std::string s;
    while (s.size() < length) s += unit;
    return s;
  }

  // What another control of the screen shows, as a user copying a result.
  std::string CopyOf(const Screen& screen) {
    const auto& controls = screen.controls();
    if (controls.empty()) return "";
    const Control& c = controls[Below(controls.size())];
    return c.kind() == Kind::Button ? PlainNumber() : c.text;
  }

  std::mt19937_64& rng_;
};

// ---------------------------------------------------------------- watchdog

// A press that runs far too long (a loop driven by an input, say) would
// hang the test without a word; the watchdog prints what was pressed and
// with which texts, then ends the test program.
class Watchdog {
 public:
  Watchdog() : thread_([this] { Run(); }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  void Begin(std::string what) {
    std::lock_guard<std::mutex> lock(mutex_);
    what_ = std::move(what);
    started_ = std::chrono::steady_clock::now();
    busy_ = true;
  }
  void End() {
    std::lock_guard<std::mutex> lock(mutex_);
    busy_ = false;
  }

 private:
  void Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_) {
      wake_.wait_for(lock, std::chrono::milliseconds(500));
      if (busy_ && std::chrono::steady_clock::now() - started_ > std::chrono::seconds(kPressTimeLimitSeconds)) {
        std::fprintf(stderr, "\nA press has run for more than %d s:\n%s\n", kPressTimeLimitSeconds, what_.c_str());
        std::fflush(stderr);
        std::_Exit(3);
      }
    }
  }
  std::mutex mutex_;
  std::condition_variable wake_;
  std::string what_;
  std::chrono::steady_clock::time_point started_;
  bool busy_ = false;
  bool stop_ = false;
  std::thread thread_;
};

// ---------------------------------------------------------------- the run

struct Outcome {
  Snapshot state;
  std::vector<std::string> events;
  std::string escaped;  // an exception that left Click, if any
};

// Presses `button` and records what escaped Click, if anything.
std::string PressRecording(Screen& screen, std::string_view button) {
  try {
    screen.Click(button);
  } catch (const std::exception& e) {
    return std::string("an exception escaped the handler: ") + e.what();
  } catch (...) {
    return "something that is not an exception escaped the handler";
  }
  return {};
}

// Creates (or finds) the screen under test in an App.
using Opener = std::function<Screen&(App&)>;

Opener FromRegistry(std::string name) {
  return [name](App& app) -> Screen& { return app.Get(name); };
}

// Presses every button once on a freshly created screen.
std::vector<Outcome> FreshOutcomes(const Opener& open, const std::vector<std::string>& buttons) {
  std::vector<Outcome> out;
  for (const std::string& b : buttons) {
    TestHost host;
    App app(host);
    app.Start();
    Screen& screen = open(app);
    host.Forget();
    Outcome o;
    o.escaped = PressRecording(screen, b);
    o.state = Take(screen);
    o.events = host.reports;
    out.push_back(std::move(o));
  }
  return out;
}

std::string JoinEvents(const std::vector<std::string>& events) {
  if (events.empty()) return "(nothing)";
  std::string s;
  for (const std::string& e : events) s += (s.empty() ? "" : " | ") + e;
  return s;
}

class ScreenRun {
 public:
  ScreenRun(std::string_view name, Opener open, std::uint64_t seed, long presses, Watchdog& watchdog)
      : name_(name), open_(std::move(open)), seed_(seed), presses_(presses), rng_(ScreenSeed(seed, name)), maker_(rng_),
        watchdog_(watchdog) {}

  void Run() {
    app_.Start();
    Screen& screen = open_(app_);
    screen.Show();
    if (!CheckAfterLoad(screen)) return;
    buttons_ = PressableButtons(screen);
    if (buttons_.empty()) return;
    fresh_ = FreshOutcomes(open_, buttons_);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
      if (!fresh_[i].escaped.empty()) {
        return Fault(buttons_[i] + " on a fresh screen: " + fresh_[i].escaped);
      }
      if (!CheckEvents(fresh_[i].events, buttons_[i] + " on a fresh screen")) return;
    }

    for (long n = 1; n <= presses_ && !failed_; ++n) {
      std::size_t typings = std::uniform_int_distribution<std::size_t>(0, 3)(rng_);
      for (std::size_t t = 0; t < typings; ++t) Type(screen);
      const std::string& button = buttons_[std::uniform_int_distribution<std::size_t>(0, buttons_.size() - 1)(rng_)];
      Press(screen, button);
      if (n % kRestoreEvery == 0 || n == presses_) CompareWithFresh(screen);
    }
  }

  long presses() const { return pressed_; }
  bool failed() const { return failed_; }
  // How the random presses ended: with a prompt, an error, or quietly.
  std::string Summary() const {
    return std::to_string(prompts_) + " prompted, " + std::to_string(errors_) + " stopped by an error, " +
           std::to_string(quiet_) + " ran through";
  }

 private:
  // The layout table holds the state right after load.
  bool CheckAfterLoad(Screen& screen) {
    std::string diff = Differences(screen, Take(screen), LoadState(screen));
    if (!diff.empty()) {
      Fault("the state after load differs from the layout table:\n" + diff);
      return false;
    }
    CheckAllTexts(screen, "after load");
    return !failed_;
  }

  void Type(Screen& screen) {
    std::vector<Control*> editable;
    for (Control& c : screen.controls()) {
      const bool field = c.kind() == Kind::Text || c.kind() == Kind::TextArea;
      if (field && !c.readOnly && c.visible && c.enabled) editable.push_back(&c);
    }
    if (editable.empty()) return;
    Control* c = editable[std::uniform_int_distribution<std::size_t>(0, editable.size() - 1)(rng_)];
    std::string text = maker_.Make(screen);
    Log("set " + std::string(c->name()) + " " + Escape(text));
    c->text = std::move(text);
  }

  void Press(Screen& screen, const std::string& button) {
    if (!screen.At(button).visible || !screen.At(button).enabled) return;  // a user cannot press it
    Log("click " + button);
    host_.Forget();
    watchdog_.Begin(Describe(screen, button));
    std::string escaped = PressRecording(screen, button);
    watchdog_.End();
    ++pressed_;
    if (!escaped.empty()) return Fault(escaped);
    if (!CheckEvents(host_.reports, "pressing " + button)) return;
    Tally(host_.reports);
    CheckAllTexts(screen, "after pressing " + button);
  }

  // One press reports at most once: one prompt, or one calculation error.
  bool CheckEvents(const std::vector<std::string>& events, const std::string& what) {
    if (events.size() > 1) {
      Fault(what + " reported more than once: " + JoinEvents(events));
      return false;
    }
    return true;
  }

  // No control of any screen that exists holds an infinity or NaN text.
  void CheckAllTexts(Screen& screen, const std::string& when) {
    std::vector<Screen*> screens = {&screen};
    for (const ScreenEntry& e : ScreenRegistry()) {
      if (Screen* s = app_.Existing(e.name); s != nullptr && s != &screen) screens.push_back(s);
    }
    for (Screen* s : screens) {
      for (const Control& c : s->controls()) {
        if (HasNonFiniteSpelling(c.text)) {
          return Fault(when + ": " + std::string(s->name()) + "." + std::string(c.name()) + " holds '" +
                       Shorten(c.text) + "'");
        }
      }
    }
  }

  // With the load state put back, each button gives what it gives on a
  // fresh screen: no state hides outside the fields, and an earlier error
  // left the screen fully usable.
  void CompareWithFresh(Screen& screen) {
    for (std::size_t i = 0; i < buttons_.size() && !failed_; ++i) {
      RestoreLoadState(screen);
      Log("(load texts restored) click " + buttons_[i]);
      host_.Forget();
      watchdog_.Begin(Describe(screen, buttons_[i]));
      std::string escaped = PressRecording(screen, buttons_[i]);
      watchdog_.End();
      ++pressed_;
      if (!escaped.empty()) return Fault(escaped);
      std::string diff = Differences(screen, Take(screen), fresh_[i].state);
      if (!diff.empty() || host_.reports != fresh_[i].events) {
        return Fault("with the load texts restored, " + buttons_[i] + " gives other results than on a fresh screen:\n" +
                     diff + "  reports: " + JoinEvents(host_.reports) + ", fresh: " + JoinEvents(fresh_[i].events));
      }
    }
    RestoreLoadState(screen);
    history_.clear();
    Log("(load texts restored)");
  }

  void Tally(const std::vector<std::string>& events) {
    if (events.empty()) {
      ++quiet_;
    } else if (events.front().rfind("error: ", 0) == 0) {
      ++errors_;
    } else {
      ++prompts_;
    }
  }

  std::string Describe(Screen& screen, const std::string& button) {
    std::ostringstream out;
    out << "seed " << seed_ << ", screen " << name_ << ", pressing " << button << " with:\n";
    for (const Control& c : screen.controls()) {
      if (c.kind() == Kind::Text || c.kind() == Kind::TextArea) out << "  " << c.name() << " = " << Escape(Shorten(c.text, 200)) << '\n';
    }
    return out.str();
  }

  void Log(std::string line) {
    history_.push_back(std::move(line));
    if (history_.size() > 40) history_.pop_front();
  }

  static std::string Escape(std::string_view s) {
    std::string out;
    for (char c : s) {
      if (c == '\t') {
        out += "\\t";
      } else if (c == '\n') {
        out += "\\n";
      } else {
        out += c;
      }
    }
    return out;
  }

  void Fault(const std::string& what) {
    failed_ = true;
    std::ostringstream out;
    out << name_ << ": " << what << "\n  seed " << seed_ << " (rerun: HENGCHUAN_RANDOM_SEED=" << seed_
        << " HENGCHUAN_RANDOM_SCREEN=" << name_ << " unit_tests --gtest_filter='*RandomScreens*')\n"
        << "  last steps since the load texts were restored:\n";
    for (const std::string& h : history_) out << "    " << Shorten(h, 300) << '\n';
    ADD_FAILURE() << out.str();
  }

  std::string name_;
  Opener open_;
  std::uint64_t seed_;
  long presses_;
  std::mt19937_64 rng_;
  TextMaker maker_;
  Watchdog& watchdog_;
  TestHost host_;
  App app_{host_};
  std::vector<std::string> buttons_;
  std::vector<Outcome> fresh_;
  std::deque<std::string> history_;
  long pressed_ = 0;
  long prompts_ = 0, errors_ = 0, quiet_ = 0;
  bool failed_ = false;
};

// Presses per screen, so that all screens with buttons together get at
// least the number asked for.
long PressesPerScreen() {
  long total = static_cast<long>(EnvNumber("HENGCHUAN_RANDOM_PRESSES", kDefaultPresses));
  long withButtons = 0;
  TestHost host;
  App app(host);
  app.Start();
  for (const ScreenEntry& e : ScreenRegistry()) {
    if (!PressableButtons(app.Get(e.name)).empty()) ++withButtons;
  }
  if (withButtons == 0) return 0;
  return (total + withButtons - 1) / withButtons;
}

std::vector<std::string> ScreenNames() {
  std::vector<std::string> out;
  for (const ScreenEntry& e : ScreenRegistry()) out.emplace_back(e.name);
  return out;
}

class RandomScreens : public ::testing::TestWithParam<std::string> {};

TEST_P(RandomScreens, SurviveRandomTextsAndPresses) {
  const char* only = std::getenv("HENGCHUAN_RANDOM_SCREEN");
  if (only != nullptr && *only != '\0' && GetParam() != only) GTEST_SKIP() << "HENGCHUAN_RANDOM_SCREEN=" << only;
  static const long perScreen = PressesPerScreen();
  Watchdog watchdog;
  ScreenRun run(GetParam(), FromRegistry(GetParam()), Seed(), perScreen, watchdog);
  run.Run();
  std::printf("%s: %ld presses (%s), seed %llu\n", GetParam().c_str(), run.presses(), run.Summary().c_str(),
              static_cast<unsigned long long>(Seed()));
}

INSTANTIATE_TEST_SUITE_P(Registry, RandomScreens, ::testing::ValuesIn(ScreenNames()),
                         [](const ::testing::TestParamInfo<std::string>& screen) { return screen.param; });

// ---------------------------------------------------------------- the test catches faults

// Small screens with one planted fault each, to show that the run finds it.
constexpr ControlSpec kFakeControls[] = {
    TextField("Text1", "10", 0, 0, 900, 300),
    TextField("Text2", "3", 0, 400, 900, 300),
    Label("Label1", "", 1000, 0, 900, 300),
    Button("Command1", "计算", 0, 800, 900, 300),
};
constexpr ScreenSpec kFakeSpec{.name = "FakeForm", .title = "测试", .controls = kFakeControls};

enum class Planted { None, InfinityText, HiddenState, EscapingException, TwoReports };

class FakeScreen final : public Screen {
 public:
  FakeScreen(App& app, Planted fault) : Screen(app, kFakeSpec), fault_(fault) { OnClick("Command1", &FakeScreen::Calc); }

 private:
  void Calc() {
    CleanNumberText(text("Text1"), kMoneyMarks);
    CleanNumberText(text("Text2"), kRateMarks);
    if (IsMissing(text("Text1"))) {
      if (fault_ == Planted::EscapingException) text("Text9") = "";  // no such control
      PromptMissing("请输入价格！");
      if (fault_ == Planted::TwoReports) PromptMissing("请输入价格！");
      return;
    }
    Num a = ReadNumber(text("Text1"));
    Num b = ReadNumber(text("Text2"));
    switch (fault_) {
      case Planted::InfinityText:  // plain double division, unchecked
        text("Label1") = std::to_string(a.v() / b.v());
        return;
      case Planted::HiddenState:  // remembers the presses outside the fields
        WriteRounded(text("Label1"), a / b + presses_++);
        return;
      default:
        WriteRounded(text("Label1"), a / b);
    }
  }
  Planted fault_;
  int presses_ = 0;
};

// Keeps the fake screens alive as long as the test needs them.
Opener FakeOpener(Planted fault, std::vector<std::unique_ptr<Screen>>& keep) {
  return [fault, &keep](App& app) -> Screen& {
    keep.push_back(std::make_unique<FakeScreen>(app, fault));
    return *keep.back();
  };
}

bool RunFake(Planted fault) {
  std::vector<std::unique_ptr<Screen>> keep;
  Watchdog watchdog;
  ScreenRun run("FakeForm", FakeOpener(fault, keep), Seed(), 3000, watchdog);
  run.Run();
  return !run.failed();
}

TEST(RandomScreensHarness, PassesASoundScreen) { EXPECT_TRUE(RunFake(Planted::None)); }

TEST(RandomScreensHarness, FindsPlantedFaults) {
  struct Case {
    Planted fault;
    const char* message;
  };
  const Case cases[] = {
      {Planted::InfinityText, "FakeForm.Label1 holds '"},
      {Planted::HiddenState, "other results than on a fresh screen"},
      {Planted::EscapingException, "an exception escaped the handler"},
      {Planted::TwoReports, "reported more than once"},
  };
  for (const Case& c : cases) {
    bool passed = true;
    EXPECT_NONFATAL_FAILURE(passed = RunFake(c.fault), c.message);
    EXPECT_FALSE(passed) << c.message;
  }
}

}  // namespace
}  // namespace hc
