// hengchuan-script: the program's screens driven by a script from standard
// input or from the file named as the only argument.
#include <fstream>
#include <iostream>

#include "driver/script_driver.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  if (argc > 2) {
    std::cerr << "usage: hengchuan-script [SCRIPT]\n";
    return 2;
  }
  hc::ScriptDriver driver(std::cout);
  int status = 0;
  if (argc == 2) {
    std::ifstream file(argv[1]);
    if (!file) {
      std::cerr << "hengchuan-script: cannot open " << argv[1] << '\n';
      return 2;
    }
    status = driver.Run(file);
  } else {
    status = driver.Run(std::cin);
  }
  std::cout.flush();
  return status;
}
