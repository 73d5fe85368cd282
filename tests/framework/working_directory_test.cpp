// The start-up move out of a build-output folder, seen through a whole run.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "framework/globals.h"
#include "framework/system.h"
#include "tests/support/framework_run.h"

namespace {

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
    fs::current_path(root / start.parent / start.segment);
    const std::string started = CurrentDirectory();

    CSystem system;
    system.SetThreaded(0);
    brannock::test::RunWinMain();

    // The title shows the new directory, cut to the title's 99 bytes.
    const std::string title = start.moves ? parent.substr(0, 99) : "Sample";
    char shown[256] = {};
    GetWindowTextA(g_hWnd, shown, sizeof shown);
    EXPECT_EQ(CurrentDirectory(), start.moves ? parent : started);
    EXPECT_EQ(shown, title);
}

INSTANTIATE_TEST_SUITE_P(
    Segments, WorkingDirectory,
    ::testing::Values(Start{"game", "Debug", true}, Start{"game", "debug", true},
                      Start{"game", "RELEASE", true}, Start{"game", "Release", true},
                      Start{std::string(120, 'p'), "Debug", true}, Start{"game", "DebugX", false},
                      Start{"game", "Bin", false}, Start{"game", "Debug/bin", false}));

}  // namespace
