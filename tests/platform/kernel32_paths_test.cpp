// Windows-style paths on the host, and the current directory in Windows form.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/kernel32/host_path.h"
#include "platform/win32.h"

namespace {

using brannock::platform::ToHostPath;
using brannock::platform::ToWindowsPath;
namespace fs = std::filesystem;

TEST(HostPath, ConvertsBothWays) {
    EXPECT_EQ(ToHostPath("image\\bg02a.bmp"), "image/bg02a.bmp");
    EXPECT_EQ(ToHostPath("Z:\\home\\me\\Debug"), "/home/me/Debug");
    EXPECT_EQ(ToHostPath("z:/tmp"), "/tmp");
    EXPECT_EQ(ToHostPath("Z:"), "/");
    EXPECT_EQ(ToHostPath("Z:\\\\srv"), "/srv");
    EXPECT_EQ(ToHostPath("Z:rel\\a"), "rel/a");  // relative to drive Z:'s current directory
    EXPECT_EQ(ToHostPath("C:\\x"), "C:/x");      // no such drive: names no host file
    EXPECT_EQ(ToWindowsPath("/home/me/Debug"), "Z:\\home\\me\\Debug");
    EXPECT_EQ(ToWindowsPath("a/b"), "a\\b");
    for (const char* host : {"/", "image/x.bmp", "/a b/\x8c\x78"})
        EXPECT_EQ(ToHostPath(ToWindowsPath(host)), host);
}

TEST(CurrentDirectory, RoundTripsInWindowsForm) {
    const fs::path root = fs::temp_directory_path() / ("brannock_dir_" + std::to_string(getpid()));
    fs::create_directories(root / "Game" / "Debug");
    const std::string debug = ToWindowsPath((root / "Game" / "Debug").string());
    ASSERT_TRUE(SetCurrentDirectoryA(debug.c_str()));
    char buffer[256];
    ASSERT_EQ(GetCurrentDirectoryA(255, buffer), debug.size());
    EXPECT_STREQ(buffer, debug.c_str());

    ASSERT_TRUE(SetCurrentDirectoryA("..\\..\\Game\\.."));  // relative
    EXPECT_EQ(fs::current_path(), root);

    EXPECT_FALSE(SetCurrentDirectoryA("no\\such\\place"));
    EXPECT_FALSE(SetCurrentDirectoryA(""));
    EXPECT_FALSE(SetCurrentDirectoryA(nullptr));
    EXPECT_EQ(fs::current_path(), root);

    // A short buffer gets the size needed and stays untouched.
    const std::string path = ToWindowsPath(root.string());
    std::string exact(path.size(), 'x');  // no room for the terminator
    EXPECT_EQ(GetCurrentDirectoryA(static_cast<DWORD>(exact.size()), exact.data()),
              path.size() + 1);
    EXPECT_EQ(exact, std::string(path.size(), 'x'));
    EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), path.size() + 1);
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(root);
}

}  // namespace
