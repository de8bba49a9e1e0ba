// Window benchmarks: presses through the real widgets with their repaint
// (offscreen), the order ladder at its limit of 10 000 orders each way.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <string_view>

#include "qt/fonts.h"
#include "qt/qt_shell.h"
#include "tools/large_figures.h"

namespace {

// A program whose grid screen has computed the order ladder's large grid
// (the increasing grid, 10 000 steps of 0.01 % each way from 2999.99), with
// the ladder's window shown.
struct LadderProgram {
  hc::qt::QtShell shell;
  hc::Screen& ladder = shell.app().Get("Form42");

  LadderProgram() {
    hc::figures::CalculateWithLargeFigures(shell.app(), ladder,
                                           [](hc::Screen& s, std::string_view button) { s.Click(button); });
    ladder.Show();
    QApplication::processEvents();
  }
  bool Full() { return ladder.rows("Table1").size() == 10000 && ladder.rows("Table2").size() == 10000; }
};

// A press that rebuilds both tables, and the window's repaint: the tick
// changes with every press (shares, then funds), so every press lays out
// other rows.
void BM_LadderPressInWindow(benchmark::State& state) {
  LadderProgram program;
  if (!program.Full()) return state.SkipWithError("the ladder is not 10 000 orders each way");
  bool fund = false;
  for (auto _ : state) {
    fund = !fund;
    program.shell.Press(program.ladder, fund ? "Option2" : "Option1");
    QApplication::processEvents();
  }
}
BENCHMARK(BM_LadderPressInWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

// "刷新" with the grid unchanged: the same rows again, which the tables
// keep as they are (scroll position and selection included).
void BM_LadderRefreshUnchanged(benchmark::State& state) {
  LadderProgram program;
  if (!program.Full()) return state.SkipWithError("the ladder is not 10 000 orders each way");
  for (auto _ : state) {
    program.shell.Press(program.ladder, "Command1");
    QApplication::processEvents();
  }
}
BENCHMARK(BM_LadderRefreshUnchanged)->Unit(benchmark::kMillisecond)->UseRealTime();

// Another screen's press once the user has gone from the ladder to it.
void BM_OtherPressAfterLadder(benchmark::State& state) {
  LadderProgram program;
  hc::Screen& costs = program.shell.app().Get("Form40");
  hc::SwitchScreen(program.ladder, "Form40", hc::SwitchOrder::HideFirst);
  QApplication::processEvents();
  for (auto _ : state) {
    program.shell.Press(costs, "Command1");
    QApplication::processEvents();
  }
}
BENCHMARK(BM_OtherPressAfterLadder)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same press in a program that never made a ladder.
void BM_OtherPressAlone(benchmark::State& state) {
  hc::qt::QtShell shell;
  hc::Screen& costs = shell.app().Get("Form40");
  costs.Show();
  QApplication::processEvents();
  for (auto _ : state) {
    shell.Press(costs, "Command1");
    QApplication::processEvents();
  }
}
BENCHMARK(BM_OtherPressAlone)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("HENGCHUAN_AUTO_ANSWER", "1", 1);  // a message box must not wait
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  hc::qt::InstallFonts();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
