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
using brannock::test::RunWinMain;

std::string CurrentDirectory() {
    char path[512] = {};
    GetCurrentDirectoryA(sizeof path, path);
    return path;
}

std::string WindowTitle() {
    char title[256] = {};
    GetWindowTextA(g_hWnd, title, sizeof title);
    return title;
}

// Starts a short single-threaded run from inside <temp>/<parent>/<segment>.
class WorkingDirectoryTest : public ::testing::Test {
  protected:
    void StartIn(const std::string& parent, const std::string& segment) {
        root =
            fs::temp_directory_path() / ("brannock-wd-" + std::to_string(std::random_device{}()));
        const fs::path start = root / parent / segment;
        fs::create_directories(start);
        fs::current_path(root / parent);
        parentPath = CurrentDirectory();
        fs::current_path(start);
        startPath = CurrentDirectory();

        system.SetThreaded(0);
        RunWinMain();
    }

    void TearDown() override {
        std::error_code ignored;
        fs::current_path(fs::temp_directory_path(), ignored);
        fs::remove_all(root, ignored);
    }

    CSystem system;
    fs::path root;
    std::string parentPath;
    std::string startPath;
};

class BuildOutputFolder : public WorkingDirectoryTest,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(BuildOutputFolder, MovesToTheParentAndShowsItsPath) {
    StartIn("game", GetParam());
    EXPECT_EQ(CurrentDirectory(), parentPath);
    EXPECT_EQ(std::string(g_title), parentPath);
    EXPECT_EQ(WindowTitle(), parentPath);
}

INSTANTIATE_TEST_SUITE_P(AnyLetterCase, BuildOutputFolder,
                         ::testing::Values("Debug", "debug", "RELEASE", "Release"));

class OtherFolder : public WorkingDirectoryTest,
                    public ::testing::WithParamInterface<const char*> {};

TEST_P(OtherFolder, StaysWithTheFirstTitle) {
    StartIn("game", GetParam());
    EXPECT_EQ(CurrentDirectory(), startPath);
    EXPECT_STREQ(g_title, "Sample");
    EXPECT_EQ(WindowTitle(), "Sample");
}

// Only the last segment counts.
INSTANTIATE_TEST_SUITE_P(NotBuildOutput, OtherFolder,
                         ::testing::Values("DebugX", "Bin", "Debug/bin", "xDebug"));

TEST_F(WorkingDirectoryTest, ParentPathLongerThanTheTitleIsCut) {
    StartIn(std::string(120, 'p'), "Debug");
    EXPECT_EQ(CurrentDirectory(), parentPath);
    ASSERT_GT(parentPath.size(), 99u);
    EXPECT_EQ(std::string(g_title), parentPath.substr(0, 99));
    EXPECT_EQ(WindowTitle(), parentPath.substr(0, 99));
}

}  // namespace
