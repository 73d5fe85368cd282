// The end of the process: end-of-program work, ExitProcess, the entry values.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/kernel32/process_end.h"
#include "platform/win32.h"

namespace {

using brannock::platform::AtProcessEnd;
using brannock::platform::RunProcessEndHandlers;

TEST(ProcessEnd, HandlersRunOnceLastAddedFirst) {
    std::vector<int> order;
    AtProcessEnd([&] { order.push_back(1); });
    AtProcessEnd([&] { order.push_back(2); });
    RunProcessEndHandlers();
    RunProcessEndHandlers();
    EXPECT_EQ(order, (std::vector<int>{2, 1}));
}

std::filesystem::path Marker(const char* name) {
    return std::filesystem::temp_directory_path() /
           (std::string(name) + "_" + std::to_string(getpid()));
}

void Touch(const std::filesystem::path& path) {
    if (std::FILE* file = std::fopen(path.c_str(), "w")) std::fclose(file);
}

// The marker paths carry the parent's pid, which the child inherits through
// these globals.
std::string g_endWork;
std::string g_atExit;

TEST(ProcessEnd, ExitProcessEndsAtOnceAfterTheEndOfProgramWork) {
    g_endWork = Marker("brannock_end_work").string();
    g_atExit = Marker("brannock_atexit").string();
    std::filesystem::remove(g_endWork);
    std::filesystem::remove(g_atExit);

    EXPECT_EXIT(
        {
            std::atexit([] { Touch(g_atExit); });
            AtProcessEnd([] { Touch(g_endWork); });
            ExitProcess(3);
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_TRUE(std::filesystem::exists(g_endWork));
    EXPECT_FALSE(std::filesystem::exists(g_atExit));
    std::filesystem::remove(g_endWork);
}

TEST(ProcessEnd, ModuleHandleNamesOnlyTheProgram) {
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(GetModuleHandleA(nullptr), GetModuleHandleA(nullptr));
    EXPECT_EQ(GetModuleHandleA("user32.dll"), nullptr);
}

}  // namespace
