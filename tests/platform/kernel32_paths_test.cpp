// Windows-style paths on the host, and the current directory in Windows form.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/kernel32/host_path.h"
#include "platform/win32.h"

namespace {

using brannock::platform::ToHostPath;
using brannock::platform::ToWindowsPath;

TEST(HostPath, WindowsPathsBecomeHostPaths) {
    EXPECT_EQ(ToHostPath("image\\bg02a.bmp"), "image/bg02a.bmp");
    EXPECT_EQ(ToHostPath("Z:\\home\\me\\Debug"), "/home/me/Debug");
    EXPECT_EQ(ToHostPath("z:/tmp"), "/tmp");
    EXPECT_EQ(ToHostPath("Z:\\"), "/");
    EXPECT_EQ(ToHostPath("Z:"), "/");
    EXPECT_EQ(ToHostPath("Z:\\\\srv"), "/srv");
    EXPECT_EQ(ToHostPath("Z:rel\\a"), "rel/a");  // relative to drive Z:'s current directory
    EXPECT_EQ(ToHostPath("..\\image"), "../image");
    EXPECT_EQ(ToHostPath("C:\\x"), "C:/x");  // no such drive: names no host file
    EXPECT_EQ(ToHostPath(""), "");
}

TEST(HostPath, HostPathsBecomeWindowsPathsAndBack) {
    EXPECT_EQ(ToWindowsPath("/home/me/Debug"), "Z:\\home\\me\\Debug");
    EXPECT_EQ(ToWindowsPath("/"), "Z:\\");
    EXPECT_EQ(ToWindowsPath("a/b"), "a\\b");
    for (const char* host : {"/home/me/Debug", "/", "image/x.bmp", "/a b/\x8c\x78"})
        EXPECT_EQ(ToHostPath(ToWindowsPath(host)), host);
}

class CurrentDirectory : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string pattern =
            (std::filesystem::temp_directory_path() / "brannockXXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        root_ = name.data();
        std::filesystem::create_directories(root_ / "Game" / "Debug");
        previous_ = std::filesystem::current_path();
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(root_);
    }

    std::filesystem::path root_;
    std::filesystem::path previous_;
};

TEST_F(CurrentDirectory, RoundTripsInWindowsForm) {
    const std::string debug = ToWindowsPath((root_ / "Game" / "Debug").string());
    ASSERT_TRUE(SetCurrentDirectoryA(debug.c_str()));
    char buffer[256];
    const DWORD length = GetCurrentDirectoryA(255, buffer);
    ASSERT_EQ(length, debug.size());
    EXPECT_STREQ(buffer, debug.c_str());

    // The start-up fix-up: cut the last segment and go to the parent.
    std::string parent(buffer);
    parent.resize(parent.rfind('\\'));
    ASSERT_TRUE(SetCurrentDirectoryA(parent.c_str()));
    EXPECT_EQ(std::filesystem::current_path(), root_ / "Game");

    ASSERT_TRUE(SetCurrentDirectoryA("Debug"));  // relative
    EXPECT_EQ(std::filesystem::current_path(), root_ / "Game" / "Debug");
    ASSERT_TRUE(SetCurrentDirectoryA("..\\.."));
    EXPECT_EQ(std::filesystem::current_path(), root_);
}

TEST_F(CurrentDirectory, ShortBufferGetsTheNeededSizeAndStaysUntouched) {
    const std::string path = ToWindowsPath(root_.string());
    ASSERT_TRUE(SetCurrentDirectoryA(path.c_str()));
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), path.size() + 1);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), path.size() + 1);
    // Exactly the length without room for the terminator is still too short.
    std::string exact(path.size(), 'x');
    EXPECT_EQ(GetCurrentDirectoryA(static_cast<DWORD>(path.size()), exact.data()), path.size() + 1);
}

TEST_F(CurrentDirectory, SettingAMissingDirectoryFailsAndChangesNothing) {
    ASSERT_TRUE(SetCurrentDirectoryA(ToWindowsPath(root_.string()).c_str()));
    EXPECT_FALSE(SetCurrentDirectoryA("no\\such\\place"));
    EXPECT_FALSE(SetCurrentDirectoryA(""));
    EXPECT_FALSE(SetCurrentDirectoryA(nullptr));
    EXPECT_EQ(std::filesystem::current_path(), root_);
}

}  // namespace
