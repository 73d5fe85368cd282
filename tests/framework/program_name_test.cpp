// The program's name taken from its command line. The command line is set
// once per process, so each case is a test of its own.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <ostream>
#include <string>
#include <vector>

#include "framework/system.h"
#include "platform/kernel32/command_line.h"

namespace {

struct NameCase {
    const char* label;
    std::vector<std::string> arguments;
    std::string name;
};

const std::string kLongSegment(400, 'n');

const NameCase kCases[] = {
    {"FullPath", {"C:\\Games\\Sample.exe"}, "Sample"},
    {"NoBackslash", {"Sample.exe"}, "Sample"},
    // A quoted path with arguments that hold no backslash.
    {"QuotedPathWithArguments",
     {"C:\\Program Files\\Fighter\\Fighter.exe", "-speed", "1.5"},
     "Fighter"},
    // The last backslash may be in an argument.
    {"BackslashInLastArgument", {"C:\\Games\\Sample.exe", "data\\stage.one.txt"}, "stage"},
    // "C:\Games\表.exe": the second byte of 表 (0x95 0x5C) is 0x5C.
    {"ShiftJisTrailByteIsNoBackslash", {"C:\\Games\\\x95\x5C.exe"}, "\x95\x5C"},
    // Names are kept to 99 bytes.
    {"LongName", {"C:\\" + kLongSegment + ".exe"}, std::string(99, 'n')},
    // Only the first 255 bytes count: the backslash further on is not seen.
    {"LongCommandLine", {"C:\\Games\\Sample.exe", kLongSegment + "\\late.txt"}, "Sample"},
};

void PrintTo(const NameCase& nameCase, std::ostream* out) {
    *out << nameCase.label;
}

class ProgramName : public ::testing::TestWithParam<NameCase> {};

TEST_P(ProgramName, IsTheLastPathSegmentCutAtItsFirstDot) {
    std::vector<std::string> arguments = GetParam().arguments;
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    brannock::platform::SetProcessArguments(static_cast<int>(argv.size()), argv.data());

    CSystem system;
    EXPECT_EQ(std::string(system.GetProgramName()), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, ProgramName, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
#endif  // _WIN32
