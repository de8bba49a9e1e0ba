// Runs a screen test written as a script: driver commands, each followed by
// the lines it must print, written as "> LINE". A command with no "> " lines
// after it must print nothing. Reports FILE:LINE for every mismatch.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "driver/script_driver.h"

namespace {

struct Step {
  int line = 0;
  std::string command;
  std::vector<std::string> expected;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string l;
  while (std::getline(in, l)) out.push_back(l);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: script_runner FILE\n";
    return 2;
  }
  std::ifstream file(argv[1]);
  if (!file) {
    std::cerr << argv[1] << ": cannot open\n";
    return 2;
  }
  std::vector<Step> steps;
  std::string line;
  int number = 0;
  while (std::getline(file, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("> ", 0) == 0 || line == ">") {
      if (steps.empty()) {
        std::cerr << argv[1] << ':' << number << ": expected output before any command\n";
        return 2;
      }
      steps.back().expected.push_back(line.size() > 2 ? line.substr(2) : std::string());
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    steps.push_back(Step{number, line, {}});
  }

  std::ostringstream out;
  hc::ScriptDriver driver(out);
  int failures = 0;
  for (const Step& step : steps) {
    out.str("");
    out.clear();
    bool running = driver.Execute(step.command);
    std::vector<std::string> got = Lines(out.str());
    if (got != step.expected) {
      ++failures;
      std::cerr << argv[1] << ':' << step.line << ": " << step.command << '\n';
      for (const std::string& e : step.expected) std::cerr << "    expected: " << e << '\n';
      for (const std::string& g : got) std::cerr << "    got:      " << g << '\n';
    }
    if (!running) break;
  }
  std::cout << argv[1] << ": " << steps.size() << " commands, " << failures << " mismatches\n";
  return failures == 0 ? 0 : 1;
}
