// hengchuan-script: the program's screens driven by a script from standard
// input or from the file named as the only argument.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string_view>
#include <system_error>
#include <vector>

#include "driver/platform.h"
#include "driver/script_driver.h"

namespace {

constexpr std::string_view kUsage =
    "用法：hengchuan-script [--] [脚本文件]\n"
    "      hengchuan-script --help | --version\n"
    "不开窗口运行衡川的计算屏幕：逐行执行脚本文件中的命令，不给文件时读标准输入。\n"
    "命令与输出见 man hengchuan-script。\n"
    "  -h, --help   显示本说明并退出\n"
    "  --version    显示版本并退出\n"
    "  --           其后的参数是脚本文件，即使它以“-”开头\n"
    "退出状态：打印过“fail:”或脚本无法读取时为 2，输出无法写入时为 1，否则为 0。\n"
    "\n"
    "Usage: hengchuan-script [--] [SCRIPT]\n"
    "       hengchuan-script --help | --version\n"
    "Runs Hengchuan's screens without a window: the commands of SCRIPT, one a\n"
    "line, or of standard input when no SCRIPT is given. The commands and what\n"
    "they print: man hengchuan-script.\n"
    "  -h, --help   show this help and exit\n"
    "  --version    show the version and exit\n"
    "  --           the argument after it is the script, even if it starts with -\n"
    "Exit status: 2 after a \"fail:\" line or for a script that cannot be read,\n"
    "1 when the output cannot be written, else 0.\n";

// What standard output took, as the exit status: 1 when it could not be written.
int Flushed() {
  std::cout.flush();
  return std::cout ? 0 : 1;
}

int Refuse(std::string_view what, std::string_view argument) {
  std::cerr << "hengchuan-script: " << what << argument << '\n' << kUsage;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  hc::UseBinaryStandardStreams();
  std::ios::sync_with_stdio(false);
  // Options first: any argument starting with "-" up to "--" is one (a lone
  // "-" too: the script comes from standard input by giving none). Help and
  // version answer at once; an unknown option refuses the whole line. The
  // script's name is taken from the system's own form of the arguments.
  const std::vector<std::filesystem::path> paths = hc::ArgumentPaths(argc, argv);
  const std::filesystem::path* script = nullptr;
  bool help = false;
  bool version = false;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (options && arg == "--") {
      options = false;
    } else if (options && (arg == "--help" || arg == "-h")) {
      help = true;
    } else if (options && arg == "--version") {
      version = true;
    } else if (options && arg.starts_with('-')) {
      return Refuse("未知选项 unknown option: ", arg);
    } else if (script != nullptr) {
      return Refuse("只能给一个脚本文件 only one script: ", arg);
    } else {
      script = &paths[static_cast<std::size_t>(i - 1)];
    }
  }
  if (help) {
    std::cout << kUsage;
    return Flushed();
  }
  if (version) {
    std::cout << "衡川 " HENGCHUAN_VERSION "\n";
    return Flushed();
  }

  std::ifstream file;
  if (script != nullptr) {
    // A folder opens like a file on some systems and then reads as empty:
    // only a regular file (or something that reads like one) is a script.
    std::error_code ec;
    if (std::filesystem::is_directory(*script, ec)) {
      std::cerr << "hengchuan-script: " << hc::PathText(*script) << " is a folder, not a script\n";
      return 2;
    }
    file.open(*script, std::ios::binary);
    if (!file) {
      std::cerr << "hengchuan-script: cannot read " << hc::PathText(*script) << '\n';
      return 2;
    }
  }
  hc::ScriptDriver driver(std::cout);
  const int status = driver.Run(script != nullptr ? static_cast<std::istream&>(file) : std::cin);
  if (script != nullptr && file.bad()) {
    std::cerr << "hengchuan-script: cannot read " << hc::PathText(*script) << '\n';
    return 2;
  }
  return status;
}
