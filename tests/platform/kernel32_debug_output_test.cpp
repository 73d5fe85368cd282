#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/backend/settings.h"
#include "platform/testing/debug_output.h"
#include "platform/win32.h"

namespace {

using namespace brannock::testing;

TEST(DebugOutput, CaptureKeepsEachCallsBytesWhileOn) {
    OutputDebugStringA("before capture");
    CaptureDebugOutput(true);
    OutputDebugStringA("CreateSurface FAILED\n");
    OutputDebugStringA("\x8c\x78\x8d\x90");
    OutputDebugStringA("");
    OutputDebugStringA(nullptr);
    CaptureDebugOutput(false);
    OutputDebugStringA("after capture");
    EXPECT_EQ(DebugOutput(),
              (std::vector<std::string>{"CreateSurface FAILED\n", "\x8c\x78\x8d\x90", ""}));
    ClearDebugOutput();
    EXPECT_TRUE(DebugOutput().empty());
}

// The file sink is chosen once per process from the environment.
TEST(DebugOutput, FileSinkGetsOneLinePerCall) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("brannock_debug_" + std::to_string(getpid()) + ".txt");
    setenv("BRANNOCK_DEBUG_OUTPUT", path.c_str(), 1);
    if (brannock::platform::ProcessSettings().debugOutput != path.string())
        GTEST_SKIP() << "settings were read before this test; run it in a process of its own";

    OutputDebugStringA("first");
    OutputDebugStringA("second\n");
    OutputDebugStringA("\x8c\x78\x8d\x90");
    std::ifstream file(path, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
    EXPECT_EQ(written, "first\nsecond\n\x8c\x78\x8d\x90\n");
    std::filesystem::remove(path);
}

}  // namespace
