// The knobs that let a program run and end without a display.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/backend/backend_override.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/kernel32/process_end.h"
#include "platform/testing/display.h"
#include "platform/win32.h"

namespace {

using namespace brannock::platform;

constexpr UINT_PTR kWatchdogTimer = 1;

LRESULT CALLBACK QuitOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    if (message == WM_TIMER && wParam == kWatchdogTimer) PostQuitMessage(1);
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateTopLevelWindow() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = QuitOnDestroy;
    windowClass.lpszClassName = "HeadlessRun";
    RegisterClassExA(&windowClass);
    return CreateWindowExA(0, "HeadlessRun", "run", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, nullptr,
                           nullptr, nullptr, nullptr);
}

TEST(HeadlessRun, TheFirstWindowIsClosedAfterTheDelay) {
    Settings settings;
    settings.headlessCloseMs = 100;
    InstallBackend(CreateHeadlessBackend(settings));

    const auto start = std::chrono::steady_clock::now();
    const HWND first = CreateTopLevelWindow();
    const HWND second = CreateTopLevelWindow();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    SetTimer(second, kWatchdogTimer, 5000, nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    EXPECT_EQ(message.wParam, 0u) << "the watchdog ended the loop";
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(second));
    DestroyWindow(second);
}

TEST(HeadlessRun, TheScreenIsSavedWhenTheProgramEnds) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("brannock_screen_" + std::to_string(getpid()) + ".bmp");
    Settings settings;
    settings.headlessScreenshot = path.string();
    auto backend = CreateHeadlessBackend(settings);
    EXPECT_FALSE(std::filesystem::exists(path));

    RunProcessEndHandlers();
    std::ifstream file(path, std::ios::binary);
    char header[26] = {};
    ASSERT_TRUE(file.read(header, sizeof header));
    EXPECT_EQ(std::string(header, 2), "BM");
    std::int32_t width = 0;
    std::memcpy(&width, header + 18, sizeof width);
    EXPECT_EQ(width, brannock::testing::ScreenWidth());
    std::filesystem::remove(path);
}

}  // namespace
