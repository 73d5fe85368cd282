#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/kernel32/command_line.h"
#include "platform/win32.h"

namespace {

using brannock::platform::CommandLineArguments;
using brannock::platform::JoinCommandLine;

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

}  // namespace
