// GetCommandLineA and the process arguments behind it.
#include "platform/kernel32/command_line.h"

#include <fstream>
#include <iterator>
#include <mutex>

#include "platform/kernel32/kernel32.h"

namespace brannock::platform {
namespace {

std::once_flag g_commandLineOnce;
std::string* g_commandLine = nullptr;  // never freed: its bytes are handed out

void SetCommandLineOnce(const std::vector<std::string>& arguments) {
    std::call_once(g_commandLineOnce,
                   [&] { g_commandLine = new std::string(JoinCommandLine(arguments)); });
}

std::vector<std::string> HostArguments() {
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::string> arguments;
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find('\0', start);
        if (end == std::string::npos) end = all.size();
        arguments.emplace_back(all, start, end - start);
        start = end + 1;
    }
    return arguments;
}

bool NeedsQuotes(const std::string& argument) {
    return argument.empty() || argument.find_first_of(" \t\n\v\"") != std::string::npos;
}

}  // namespace

void SetProcessArguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.emplace_back(argv[i] != nullptr ? argv[i] : "");
    SetCommandLineOnce(arguments);
}

std::string JoinCommandLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) line += ' ';
        if (!NeedsQuotes(argument)) {
            line += argument;
            continue;
        }
        // Backslashes are literal except before a quote, where each pair
        // stands for one backslash and an odd one escapes the quote.
        line += '"';
        std::size_t backslashes = 0;
        for (char c : argument) {
            if (c == '\\') {
                ++backslashes;
                continue;
            }
            if (c == '"') backslashes = backslashes * 2 + 1;
            line.append(backslashes, '\\');
            line += c;
            backslashes = 0;
        }
        line.append(backslashes * 2, '\\');
        line += '"';
    }
    return line;
}

std::string_view CommandLineArguments(std::string_view commandLine) {
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        // A quoted program name runs to the next quote; it has no escapes.
        i = commandLine.find('"', 1);
        i = i == std::string_view::npos ? commandLine.size() : i + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t')
            ++i;
    }
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t'))
        ++i;
    return commandLine.substr(i);
}

}  // namespace brannock::platform

LPSTR WINAPI GetCommandLineA() {
    brannock::platform::SetCommandLineOnce(brannock::platform::HostArguments());
    return brannock::platform::g_commandLine->data();
}
