// Calculation benchmarks: every screen's calculate handler with its load
// texts, through the model, plus the heaviest cases and the numeric core.
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "market/dates.h"
#include "numeric/numeric.h"
#include "market/limits.h"
#include "shell/app.h"
#include "tests/test_host.h"

namespace {

// Presses one button of a freshly loaded screen, with some fields set first.
void Press(benchmark::State& state, const char* screen, const char* button,
           std::vector<std::pair<const char*, const char*>> fields) {
  hc::TestHost host;
  hc::App app(host);
  hc::Screen& s = app.Get(screen);
  for (const auto& [name, text] : fields) {
    hc::Control* c = s.Find(name);
    if (c == nullptr) {
      state.SkipWithError("the screen has no such field");
      return;
    }
    c->text = text;
  }
  for (auto _ : state) {
    s.Click(button);
    benchmark::ClobberMemory();
  }
}

// Every calculate button of the registry with the load texts.
void RegisterDefaults() {
  for (const hc::ScreenEntry& entry : hc::ScreenRegistry()) {
    hc::TestHost host;
    hc::App app(host);
    hc::Screen& s = app.Get(entry.name);
    for (const hc::Control& c : s.controls()) {
      if (c.kind() != hc::Kind::Button || !s.HasHandler(c.name()) || s.IsNavigation(c.name())) continue;
      std::string name = std::string(entry.name) + "." + std::string(c.name());
      std::string form(entry.name);
      std::string button(c.name());
      benchmark::RegisterBenchmark(("defaults/" + name).c_str(), [form, button](benchmark::State& st) {
        Press(st, form.c_str(), button.c_str(), {});
      });
    }
  }
}

void BM_DoublingGrid220(benchmark::State& state) {
  Press(state, "Form39", "Command6", {{"Text4", "220"}, {"Text5", "220"}});
}
BENCHMARK(BM_DoublingGrid220);

void BM_IncreasingGrid100(benchmark::State& state) {
  Press(state, "Form39", "Command5", {{"Text4", "100"}, {"Text5", "100"}});
}
BENCHMARK(BM_IncreasingGrid100);

// The grids at the step-count limits, 10 000 up and 10 000 down: the
// slowest presses of the program. The regular grid sells no more steps than
// the base position holds, so the base shares make room for 10 000.
void BM_RegularGrid10000(benchmark::State& state) {
  Press(state, "Form39", "Command1", {{"Text2", "2000000"}, {"Text4", "10000"}, {"Text5", "10000"}});
}
BENCHMARK(BM_RegularGrid10000)->Unit(benchmark::kMillisecond);

void BM_IncreasingGrid10000(benchmark::State& state) {
  Press(state, "Form39", "Command5", {{"Text4", "10000"}, {"Text5", "10000"}});
}
BENCHMARK(BM_IncreasingGrid10000)->Unit(benchmark::kMillisecond);

void BM_PlanMode(benchmark::State& state) {
  const std::string mode = std::to_string(state.range(0));
  Press(state, "Form38", "Command1", {{"Text13", mode.c_str()}});
}
BENCHMARK(BM_PlanMode)->Arg(1)->Arg(2)->Arg(3);

// The limit screen's longest ladder: 60 days at the widest custom limit,
// whose up chain grows to 20 digits.
void BM_LimitLadder60(benchmark::State& state) {
  hc::TestHost host;
  hc::App app(host);
  hc::Screen& s = app.Get("Form41");
  s.Click("Option5");
  s.text("Text2") = "99.99";
  s.text("Text3") = "60";
  for (auto _ : state) {
    s.Click("Command1");
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LimitLadder60);

// The limit rules alone: 60 days on the main board.
void BM_LimitLadderRules60(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(hc::LimitLadder(1015, hc::kMainBoardLimit, 60));
}
BENCHMARK(BM_LimitLadderRules60);

// Trading costs: the largest trade (10^14 yuan each way), and the longest
// break-even search, one share of a fund at rates near 1 %, where the
// search walks the most ticks after its bisection.
void BM_TradingCostsLargest(benchmark::State& state) {
  Press(state, "Form40", "Command1", {{"Text1", "100000"}, {"Text2", "1000000000"}, {"Text3", "100000"}});
}
BENCHMARK(BM_TradingCostsLargest);

void BM_TradingCostsOneFundShare(benchmark::State& state) {
  hc::TestHost host;
  hc::App app(host);
  hc::Screen& s = app.Get("Form40");
  s.Click("Option2");
  for (auto [name, text] : {std::pair{"Text1", "0.501"}, {"Text2", "1"}, {"Text3", "0.6"}, {"Text4", "99.99"},
                            {"Text5", "0"}}) {
    s.text(name) = text;
  }
  for (auto _ : state) {
    s.Click("Command1");
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TradingCostsOneFundShare);

// Convertible bonds at the largest inputs, the clause ratios with thirty
// decimals: the lines outgrow 128 bits and are judged on long numbers.
void BM_ConvertibleBondLongRatios(benchmark::State& state) {
  Press(state, "Form46", "Command1",
        {{"Text1", "100000"}, {"Text2", "99999.99"}, {"Text3", "100000"}, {"Text4", "1000000000"},
         {"Text5", "999.999999999999999999999999999999"}, {"Text6", "129.999999999999999999999999999999"},
         {"Text7", "0.000000000000000000000000000001"}});
}
BENCHMARK(BM_ConvertibleBondLongRatios);

// The swing at its largest: 10^9 shares each way at 100000, with a cost price
// of thirty decimals whose product with the holding outgrows 128 bits.
void BM_SwingLargest(benchmark::State& state) {
  Press(state, "Form43", "Command1",
        {{"Text1", "1000000000"}, {"Text2", "99999.123456789012345678901234567891"}, {"Text3", "1000000000"},
         {"Text4", "100000"}, {"Text5", "99999.99"}});
}
BENCHMARK(BM_SwingLargest);

// A change of option on the swing's results, each field given back the
// text typed into it (a fund's prices the stock's tick rounds) before the
// calculation runs again; the two options in turn.
void BM_SwingOptionAsTyped(benchmark::State& state) {
  hc::TestHost host;
  hc::App app(host);
  hc::Screen& s = app.Get("Form43");
  s.Click("Option2");
  for (auto [name, text] :
       {std::pair{"Text1", "20000"}, {"Text2", "1.3"}, {"Text3", "10000"}, {"Text4", "1.234"}, {"Text5", "1.196"}}) {
    s.Type(name, text);
  }
  s.Click("Command1");
  bool fund = false;
  for (auto _ : state) {
    s.Click(fund ? "Option2" : "Option1");
    fund = !fund;
    benchmark::ClobberMemory();
  }
  if (s.text("Text12").empty()) state.SkipWithError("no results");
}
BENCHMARK(BM_SwingOptionAsTyped);

// Lots to a target cost for 10^9 shares held, whose cost prices of thirty
// decimals times the holding outgrow 128 bits: 9 283 579 lots.
void BM_CostTargetLargest(benchmark::State& state) {
  Press(state, "Form44", "Command1",
        {{"Text1", "1000000000"}, {"Text2", "16.640000000000000000000000000001"},
         {"Text4", "15.000000000000000000000000000001"}});
}
BENCHMARK(BM_CostTargetLargest);

// Lots to a target cost where a lot gains 10^-7 cents on fees at rates of
// 30 decimals and no minimum, one share held: 2 cents above the target (no
// lot count reaches it), and 1 cent above it (370 415 lots, the fees'
// roundings deciding among ten million lots).
void CostTargetRounding(benchmark::State& state, const char* cost, const char* expected) {
  hc::TestHost host;
  hc::App app(host);
  hc::Screen& rates = app.Get("Form40");
  rates.text("Text4") = "2.123456789012345678901234567891";
  rates.text("Text5") = "0";
  rates.text("Text7") = "0.654321098765432109876543210987";
  hc::Screen& s = app.Get("Form44");
  for (auto [name, text] :
       {std::pair{"Text1", "1"}, {"Text2", cost}, {"Text3", "10"}, {"Text4", "10.002777777897777777788777777779"}}) {
    s.text(name) = text;
  }
  for (auto _ : state) {
    s.Click("Command1");
    benchmark::ClobberMemory();
  }
  if (s.text("Text6") != expected) state.SkipWithError(("the lots are " + s.text("Text6")).c_str());
}
void BM_CostTargetUnreachable(benchmark::State& state) {
  CostTargetRounding(state, "10.022777777897777777788777777779", "");
}
BENCHMARK(BM_CostTargetUnreachable);
void BM_CostTargetRoundingDecides(benchmark::State& state) {
  CostTargetRounding(state, "10.012777777897777777788777777779", "37041500");
}
BENCHMARK(BM_CostTargetRoundingDecides);

// The order ladder at its longest: 10 000 orders each way of the increasing
// grid (one share more … ), refreshed from the grid screen, at a step of
// 0.01 %, of a step with ten decimals, and of one with 30 (whose powers
// grow four limbs a step).
void LadderPress(benchmark::State& state, const char* percent) {
  hc::TestHost host;
  hc::App app(host);
  hc::Screen& grid = app.Get("Form39");
  for (auto [name, text] : {std::pair{"Text2", "10000"}, {"Text3", "1"}, {"Text4", "10000"}, {"Text5", "10000"}}) {
    grid.text(name) = text;
  }
  grid.text("Text6") = percent;
  grid.Click("Command5");
  hc::Screen& ladder = app.Get("Form42");
  for (auto _ : state) {
    ladder.Click("Command1");
    benchmark::ClobberMemory();
  }
  if (ladder.rows("Table1").size() != 10000 || ladder.rows("Table2").size() != 10000) {
    state.SkipWithError("the ladder is not 10 000 orders each way");
  }
}
void BM_Ladder10000(benchmark::State& state) { LadderPress(state, "0.01"); }
BENCHMARK(BM_Ladder10000)->Unit(benchmark::kMillisecond);
void BM_Ladder10000TenDecimals(benchmark::State& state) { LadderPress(state, "0.0123456789"); }
BENCHMARK(BM_Ladder10000TenDecimals)->Unit(benchmark::kMillisecond);
void BM_Ladder10000ThirtyDecimals(benchmark::State& state) { LadderPress(state, "0.000000000000000000000000000123"); }
BENCHMARK(BM_Ladder10000ThirtyDecimals)->Unit(benchmark::kMillisecond);

// Margin financing at the largest inputs, percentages with thirty decimals:
// the line prices' exact comparisons of whole numbers of fifty digits.
void BM_MarginLargest(benchmark::State& state) {
  Press(state, "Form47", "Command1",
        {{"Text1", "1000000000"}, {"Text2", "100000"}, {"Text3", "1000000000000"}, {"Text4", "1000000000000"},
         {"Text5", "99.999999999999999999999999999999"}, {"Text6", "3650"},
         {"Text7", "999.999999999999999999999999999999"}, {"Text8", "100.000000000000000000000000000001"}});
}
BENCHMARK(BM_MarginLargest);
// The annual-return screen at its most records, 10 000 on as many days from
// 1998-01-01 on, with today the day after the last: buys alone (one root,
// bracketed between 0 and an end of the range), and daily buys of 1000 and
// sales of 990 in turn worth 1000 at the end, whose rate (-70.40 %) the scan
// finds after walking the whole side above 0 and most of the side below.
void AnnualReturnPress(benchmark::State& state, bool mixed, const char* value, const char* expected) {
  std::string records;
  std::string today;
  int count = 0;
  for (int year = 1998; count <= 10000; ++year) {
    for (int month = 1; month <= 12 && count <= 10000; ++month) {
      for (int day = 1; day <= 31 && count <= 10000; ++day) {
        const std::optional<hc::Date> date = hc::Date::FromCivil(year, month, day);
        if (!date) continue;
        if (count == 10000) {
          today = hc::IsoText(*date);
        } else {
          records += hc::IsoText(*date) + (mixed && count % 2 == 1 ? " -990\n" : " 1000\n");
        }
        ++count;
      }
    }
  }
  hc::TestHost host;
  hc::App app(host);
  hc::Screen& s = app.Get("Form48");
  s.text("Text1") = records;
  s.text("Text2") = today;
  s.text("Text3") = value;
  for (auto _ : state) {
    s.Click("Command1");
    benchmark::ClobberMemory();
  }
  if (!host.messages.empty() || s.text("Text9") != expected) {
    state.SkipWithError(("the rate is " + s.text("Text9") + ", not " + expected).c_str());
  }
}
void BM_AnnualReturn10000Buys(benchmark::State& state) { AnnualReturnPress(state, false, "15000000", "2.82%"); }
BENCHMARK(BM_AnnualReturn10000Buys)->Unit(benchmark::kMillisecond);
void BM_AnnualReturn10000BuysAndSales(benchmark::State& state) { AnnualReturnPress(state, true, "1000", "-70.40%"); }
BENCHMARK(BM_AnnualReturn10000BuysAndSales)->Unit(benchmark::kMillisecond);

// The annual-return screen at 10 000 records with three rates, two of them
// close: the three flows whose rates are 5.00 %, 5.10 % and 30.00 %, a
// hundred thousand times larger, after 9 997 daily buys of 0.01 from
// 1993-08-18 on. Every root is isolated; the one nearest 0 is shown.
void CloseRatesPress(benchmark::State& state, const char* expected) {
  std::vector<hc::Date> days;
  const hc::Date first = *hc::Date::FromCivil(2021, 1, 1);
  for (int year = 1993; year <= 2020; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= 31; ++day) {
        const std::optional<hc::Date> date = hc::Date::FromCivil(year, month, day);
        if (date && first - *date <= 9997) days.push_back(*date);
      }
    }
  }
  std::string records;
  for (std::size_t i = 0; i < days.size(); ++i) {
    records += hc::IsoText(days[i]) + " 0.01\n";
  }
  records += "2021-01-01 69705113000\n2022-01-01 -237067088000\n2023-01-01 267308651000";
  hc::TestHost host;
  hc::App app(host);
  hc::Screen& s = app.Get("Form48");
  s.text("Text1") = records;
  s.text("Text2") = "2024-01-01";
  s.text("Text3") = "100000000000";
  for (auto _ : state) {
    s.Click("Command1");
    benchmark::ClobberMemory();
  }
  if (!host.messages.empty() || s.text("Text9") != expected) {
    state.SkipWithError(("the rate is " + s.text("Text9") + ", not " + expected).c_str());
  }
}
void BM_AnnualReturn10000CloseRates(benchmark::State& state) { CloseRatesPress(state, "5.00%"); }
BENCHMARK(BM_AnnualReturn10000CloseRates)->Unit(benchmark::kMillisecond);

// The regular-investment plan at its longest, 100 years of weekly deposits
// (5200 periods, a table of 100 years), with a target, under the effective
// period rate (the 52nd root by Newton's method) and the nominal one, at
// the start of each week; and a rate of thirty decimals.
void PlanPress(benchmark::State& state, const char* option, const char* percent, const char* expected) {
  hc::TestHost host;
  hc::App app(host);
  hc::Screen& s = app.Get("Form50");
  s.Click("Option3");
  s.Click(option);
  s.text("Text2") = percent;
  s.text("Text3") = "100";
  s.text("Text4") = "50000";
  s.text("Text5") = "100000000";
  for (auto _ : state) {
    s.Click("Command1");
    benchmark::ClobberMemory();
  }
  if (!host.messages.empty() || s.text("Text8") != expected || s.rows("Table1").size() != 100) {
    state.SkipWithError(("the plan ends at " + s.text("Text8") + ", not " + expected).c_str());
  }
}
void BM_Plan100YearsWeeklyEffective(benchmark::State& state) {
  PlanPress(state, "Option6", "8", "1596717114.15");
}
BENCHMARK(BM_Plan100YearsWeeklyEffective)->Unit(benchmark::kMicrosecond);
void BM_Plan100YearsWeeklyNominal(benchmark::State& state) {
  PlanPress(state, "Option7", "8", "2076193734.24");
}
BENCHMARK(BM_Plan100YearsWeeklyNominal)->Unit(benchmark::kMicrosecond);
void BM_Plan100YearsWeeklyLongRate(benchmark::State& state) {
  PlanPress(state, "Option6", "0.123456789012345678901234567890", "5591031.35");
}
BENCHMARK(BM_Plan100YearsWeeklyLongRate)->Unit(benchmark::kMicrosecond);
// The position size at the largest account and cash, single shares at one
// tick of risk a share: both bisections over 10^12 shares.
void BM_PositionSizeLargest(benchmark::State& state) {
  Press(state, "Form49", "Command1",
        {{"Text1", "1000000000000"}, {"Text2", "100"}, {"Text3", "1"}, {"Text4", "0.99"}});
}
BENCHMARK(BM_PositionSizeLargest);

// A convertible's yield to maturity at 30 yearly rates, bought the day after
// interest starts: 30 flows to come, two annual-rate searches and the bond
// floor's 30 discount factors in exact decimals.
void BM_ConvertibleYield30Years(benchmark::State& state) {
  hc::TestHost host;
  hc::App app(host);
  hc::Screen& s = app.Get("Form51");
  s.text("Text1") = "112.345";
  s.text("Text2") = "2000-06-16";
  s.text("Text3") = "2000-06-15";
  s.text("Text4") = "2030-06-15";
  s.text("Text5") =
      "0.3 0.5 1.0 1.5 1.8 2.0 2.5 3.0 3.5 4.0 0.3 0.5 1.0 1.5 1.8 2.0 2.5 3.0 3.5 4.0 "
      "0.3 0.5 1.0 1.5 1.8 2.0 2.5 3.0 3.5 4.0";
  s.text("Text7") = "3.123456789";
  for (auto _ : state) {
    s.Click("Command1");
    benchmark::ClobberMemory();
  }
  if (!host.messages.empty() || s.rows("Table1").size() != 30) state.SkipWithError("the press did not calculate");
}
BENCHMARK(BM_ConvertibleYield30Years)->Unit(benchmark::kMicrosecond);

// The reverse repo at its largest amount, the highest rate and a discount
// with thirty decimals, 182 days on the Monday before 国庆: the nine terms'
// dates on the calendar and their money, exact.
void BM_ReverseRepoLargest(benchmark::State& state) {
  hc::TestHost host;
  hc::App app(host);
  hc::Screen& s = app.Get("Form52");
  s.Click("Option9");
  s.text("Text1") = "10000000000";
  s.text("Text2") = "100";
  s.text("Text3") = "2025-09-29";
  s.text("Text4") = "3.333333333333333333333333333333";
  for (auto _ : state) {
    s.Click("Command1");
    benchmark::ClobberMemory();
  }
  if (!host.messages.empty() || s.text("Text11") != "4985301369.86") {
    state.SkipWithError(("the net income is " + s.text("Text11")).c_str());
  }
}
BENCHMARK(BM_ReverseRepoLargest);

// 10 000 mixed calls of the numeric core.
void BM_NumericMix10000(benchmark::State& state) {
  const char* inputs[] = {"10", "3.0", "12.34", " - 3 . 5", "1e3", "0.125", "abc", "2.675", "9.99", "100000"};
  for (auto _ : state) {
    double sum = 0;
    std::size_t length = 0;
    for (int i = 0; i < 10000 / 3; ++i) {
      double x = hc::ReadNumber(inputs[i % 10]) * 1.1;
      sum += x;
      length += hc::NumberText(x).size() + hc::Fixed2(x).size();
    }
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(length);
  }
}
BENCHMARK(BM_NumericMix10000);

}  // namespace

int main(int argc, char** argv) {
  RegisterDefaults();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
