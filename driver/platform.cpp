#include "driver/platform.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#endif

#include <cstdio>

namespace hc {

#ifdef _WIN32

void UseBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

std::vector<std::filesystem::path> ArgumentPaths(int argc, char** argv) {
  std::vector<std::filesystem::path> paths;
  int count = 0;
  if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    if (count == argc) {
      for (int i = 1; i < count; ++i) paths.emplace_back(wide[i]);
    }
    LocalFree(wide);
    if (count == argc) return paths;
  }
  // The wide command line split otherwise than the C runtime split it: the
  // narrow arguments, in the ANSI code page, are all there is.
  for (int i = 1; i < argc; ++i) paths.emplace_back(argv[i]);
  return paths;
}

#else

void UseBinaryStandardStreams() {}  // POSIX streams carry bytes as they are

std::vector<std::filesystem::path> ArgumentPaths(int argc, char** argv) {
  if (argc < 2) return {};
  return std::vector<std::filesystem::path>(argv + 1, argv + argc);
}

#endif

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace hc
