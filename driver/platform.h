// What the driver and the script runner need from the operating system
// beyond standard C++, in one place: standard streams that carry bytes as
// they are, and file names from the command line.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace hc {

// Standard input and output carry bytes as they are: a printed "\n" stays
// one byte (Windows' text mode would write "\r\n"), so what a script prints
// is the same on every system, and a Ctrl-Z byte does not end the input.
// Call before anything is read or written.
void UseBinaryStandardStreams();

// The arguments after the program's name, as file names. On Windows they
// come from the wide command line, so a name outside the system's ANSI code
// page (a Chinese folder on a system set to another language) still opens.
std::vector<std::filesystem::path> ArgumentPaths(int argc, char** argv);

// A file name as UTF-8, for messages.
std::string PathText(const std::filesystem::path& path);

}  // namespace hc
