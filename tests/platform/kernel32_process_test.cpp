// The end of the process: end-of-program work and ExitProcess.
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
