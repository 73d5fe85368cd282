// The process's command line as GetCommandLineA gives it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brannock::platform {

// Called by the process entry with main's arguments. Without it the command
// line is read from the host (/proc/self/cmdline) on first use.
void SetProcessArguments(int argc, char** argv);

// Joins arguments into one Windows command line: an argument that is empty
// or holds a space, tab or quote is put in quotes, with quotes and the
// backslashes before them escaped so the C runtime splits it back unchanged.
std::string JoinCommandLine(const std::vector<std::string>& arguments);

// The part after the program name and the blanks that follow it, as WinMain
// receives it.
std::string_view CommandLineArguments(std::string_view commandLine);

}  // namespace brannock::platform
