// hengchuan-script: the program's screens driven by a script from standard
// input or from the file named as the only argument.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "driver/script_driver.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  if (argc > 2) {
    std::cerr << "usage: hengchuan-script [SCRIPT]\n";
    return 2;
  }
  std::ifstream file;
  if (argc == 2) {
    // A folder opens like a file on some systems and then reads as empty:
    // only a regular file (or something that reads like one) is a script.
    std::error_code ec;
    if (std::filesystem::is_directory(argv[1], ec)) {
      std::cerr << "hengchuan-script: " << argv[1] << " is a folder, not a script\n";
      return 2;
    }
    file.open(argv[1]);
    if (!file) {
      std::cerr << "hengchuan-script: cannot read " << argv[1] << '\n';
      return 2;
    }
  }
  hc::ScriptDriver driver(std::cout);
  const int status = driver.Run(argc == 2 ? static_cast<std::istream&>(file) : std::cin);
  if (argc == 2 && file.bad()) {
    std::cerr << "hengchuan-script: cannot read " << argv[1] << '\n';
    return 2;
  }
  return status;
}
