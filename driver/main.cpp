// hengchuan-script: the program's screens driven by a script from standard
// input or from the file named as the only argument.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>
#include <vector>

#include "driver/platform.h"
#include "driver/script_driver.h"

int main(int argc, char** argv) {
  hc::UseBinaryStandardStreams();
  std::ios::sync_with_stdio(false);
  const std::vector<std::filesystem::path> args = hc::ArgumentPaths(argc, argv);
  if (args.size() > 1) {
    std::cerr << "usage: hengchuan-script [SCRIPT]\n";
    return 2;
  }
  std::ifstream file;
  if (!args.empty()) {
    // A folder opens like a file on some systems and then reads as empty:
    // only a regular file (or something that reads like one) is a script.
    std::error_code ec;
    if (std::filesystem::is_directory(args[0], ec)) {
      std::cerr << "hengchuan-script: " << hc::PathText(args[0]) << " is a folder, not a script\n";
      return 2;
    }
    file.open(args[0], std::ios::binary);
    if (!file) {
      std::cerr << "hengchuan-script: cannot read " << hc::PathText(args[0]) << '\n';
      return 2;
    }
  }
  hc::ScriptDriver driver(std::cout);
  const int status = driver.Run(args.empty() ? std::cin : static_cast<std::istream&>(file));
  if (!args.empty() && file.bad()) {
    std::cerr << "hengchuan-script: cannot read " << hc::PathText(args[0]) << '\n';
    return 2;
  }
  return status;
}
