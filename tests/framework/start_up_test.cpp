// What the program takes from how it was started: its name from the command
// line, and a move out of a build-output folder it was started in.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <random>
#include <string>

#include "framework/globals.h"
#include "framework/system.h"
#include "tests/support/framework_run.h"

#ifndef _WIN32
#include <vector>

#include "platform/kernel32/command_line.h"
#endif

namespace {

#ifndef _WIN32
struct NameCase {
    const char* label;
    std::vector<std::string> arguments;
    std::string name;
};

const std::string kLongSegment(400, 'n');

const NameCase kNameCases[] = {
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

// The command line is set once per process, so each case is a test of its own.
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

INSTANTIATE_TEST_SUITE_P(CommandLines, ProgramName, ::testing::ValuesIn(kNameCases),
                         [](const auto& info) { return std::string(info.param.label); });
#endif  // _WIN32

namespace fs = std::filesystem;

std::string CurrentDirectory() {
    char path[512] = {};
    GetCurrentDirectoryA(sizeof path, path);
    return path;
}

struct Start {
    std::string parent;
    std::string segment;
    bool moves;
};

void PrintTo(const Start& start, std::ostream* out) {
    *out << start.parent.substr(0, 8) << "/" << start.segment;
}

// A short single-threaded run started in <temp>/<parent>/<segment>.
class WorkingDirectory : public ::testing::TestWithParam<Start> {
  protected:
    void TearDown() override {
        std::error_code ignored;
        fs::current_path(fs::temp_directory_path(), ignored);
        fs::remove_all(root, ignored);
    }
    fs::path root =
        fs::temp_directory_path() / ("brannock-" + std::to_string(std::random_device{}()));
};

TEST_P(WorkingDirectory, BuildOutputFolderMovesToItsParent) {
    const Start& start = GetParam();
    fs::create_directories(root / start.parent / start.segment);
    fs::current_path(root / start.parent);
    const std::string parent = CurrentDirectory();
    fs::current_path(start.segment);
    const std::string started = CurrentDirectory();

    CSystem system;
    system.SetThreaded(0);
    brannock::test::RunWinMain();
    EXPECT_EQ(CurrentDirectory(), start.moves ? parent : started);
    // The title shows the new directory, cut to the title's 99 bytes.
    EXPECT_EQ(brannock::test::WindowText(g_hWnd), start.moves ? parent.substr(0, 99) : "Sample");
}

INSTANTIATE_TEST_SUITE_P(
    Segments, WorkingDirectory,
    ::testing::Values(Start{"game", "Debug", true}, Start{"game", "debug", true},
                      Start{"game", "RELEASE", true}, Start{"game", "Release", true},
                      Start{std::string(120, 'p'), "Debug", true}, Start{"game", "DebugX", false},
                      Start{"game", "Bin", false}, Start{"game", "Debug/bin", false}));

}  // namespace
