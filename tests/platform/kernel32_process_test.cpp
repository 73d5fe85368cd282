// The process: its command line, end-of-program work and ExitProcess.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/kernel32/command_line.h"
#include "platform/kernel32/process_end.h"
#include "platform/win32.h"

namespace {

using brannock::platform::AtProcessEnd;
using brannock::platform::CommandLineArguments;
using brannock::platform::JoinCommandLine;
using brannock::platform::RunProcessEndHandlers;

TEST(CommandLine, QuotesOnlyWhatTheRuntimeWouldSplit) {
    EXPECT_EQ(JoinCommandLine({"game", "-w", "640"}), "game -w 640");
    EXPECT_EQ(JoinCommandLine({"/opt/my game/run", "a b", ""}),
              "\"/opt/my game/run\" \"a b\" \"\"");
    // Backslashes stay literal unless a quote follows them.
    EXPECT_EQ(JoinCommandLine({"game", "C:\\dir\\"}), "game C:\\dir\\");
    EXPECT_EQ(JoinCommandLine({"game", "C:\\my dir\\"}), "game \"C:\\my dir\\\\\"");
    EXPECT_EQ(JoinCommandLine({"game", "say \"hi\""}), "game \"say \\\"hi\\\"\"");
    EXPECT_EQ(JoinCommandLine({"game", "a\\\"b"}), "game \"a\\\\\\\"b\"");
}

TEST(CommandLine, ArgumentsFollowTheProgramName) {
    EXPECT_EQ(CommandLineArguments("game -w 640"), "-w 640");
    EXPECT_EQ(CommandLineArguments("\"/opt/my game/run\"   x y"), "x y");
    EXPECT_EQ(CommandLineArguments("game"), "");
    EXPECT_EQ(CommandLineArguments("\"unterminated name"), "");
    EXPECT_EQ(CommandLineArguments(""), "");
    // WinMain receives a pointer into the command line: the arguments are
    // its tail, so they end where it does.
    const std::string line = "game  rest";
    const std::string_view arguments = CommandLineArguments(line);
    EXPECT_EQ(arguments.data() + arguments.size(), line.data() + line.size());
}

TEST(CommandLine, ProcessCommandLineStartsWithTheProgram) {
    const std::string line = GetCommandLineA();
    EXPECT_NE(line.find("test_platform"), std::string::npos) << line;
    EXPECT_EQ(GetCommandLineA(), GetCommandLineA());  // one stable buffer
}

TEST(ProcessEnd, HandlersRunOnceLastAddedFirst) {
    std::vector<int> order;
    AtProcessEnd([&] { order.push_back(1); });
    AtProcessEnd([&] { order.push_back(2); });
    RunProcessEndHandlers();
    RunProcessEndHandlers();
    EXPECT_EQ(order, (std::vector<int>{2, 1}));
}

std::string g_endWork, g_atExit;  // marker files the child process creates

void Touch(const std::string& path) {
    if (std::FILE* file = std::fopen(path.c_str(), "w")) std::fclose(file);
}

TEST(ProcessEnd, ExitProcessEndsAtOnceAfterTheEndOfProgramWork) {
    const auto temp = std::filesystem::temp_directory_path();
    g_endWork = temp / ("brannock_end_work_" + std::to_string(getpid()));
    g_atExit = temp / ("brannock_atexit_" + std::to_string(getpid()));
    EXPECT_EXIT(
        {
            std::atexit([] { Touch(g_atExit); });
            AtProcessEnd([] { Touch(g_endWork); });
            ExitProcess(3);
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_TRUE(std::filesystem::remove(g_endWork));
    EXPECT_FALSE(std::filesystem::remove(g_atExit));
}

}  // namespace
