// Runs screen tests written as scripts: driver commands, each followed by
// the lines it must print, written as "> LINE". A command with no "> " lines
// after it must print nothing. Each file named runs in a fresh driver, all in
// one process; reports FILE:LINE for every mismatch.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "driver/platform.h"
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

// Runs one script file. Returns 0 when every command printed what it must,
// 1 on a mismatch, 2 when the file cannot be read or is not a screen test.
int RunScript(const std::filesystem::path& path) {
  const std::string name = hc::PathText(path);
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::cerr << name << ": cannot open\n";
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
        std::cerr << name << ':' << number << ": expected output before any command\n";
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
      std::cerr << name << ':' << step.line << ": " << step.command << '\n';
      for (const std::string& e : step.expected) std::cerr << "    expected: " << e << '\n';
      for (const std::string& g : got) std::cerr << "    got:      " << g << '\n';
    }
    if (!running) break;
  }
  std::cout << name << ": " << steps.size() << " commands, " << failures << " mismatches\n";
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  hc::UseBinaryStandardStreams();
  const std::vector<std::filesystem::path> scripts = hc::ArgumentPaths(argc, argv);
  if (scripts.empty()) {
    std::cerr << "usage: script_runner FILE...\n";
    return 2;
  }
  int status = 0;
  for (const std::filesystem::path& script : scripts) {
    const int result = RunScript(script);
    if (result > status) status = result;
  }
  return status;
}
