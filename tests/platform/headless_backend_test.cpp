// The headless backend, the environment knobs, the choice of backend, and
// the knobs that let a program run and end without a display.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>

#include "platform/backend/backend_override.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/backend/settings.h"
#include "platform/bmp/bmp_decoder.h"
#include "platform/kernel32/process_end.h"
#include "platform/testing/display.h"
#include "platform/testing/message_boxes.h"
#include "platform/win32.h"

namespace {

using namespace brannock::platform;

TEST(HeadlessBackend, MessageBoxesAreRecordedAndAnsweredWithTheDefaultButton) {
    auto backend = CreateHeadlessBackend(Settings{});
    const HWND owner = reinterpret_cast<HWND>(0x10);
    EXPECT_EQ(backend->ShowMessageBox(nullptr, "警告 text", "警告", MB_OK), IDOK);
    EXPECT_EQ(backend->ShowMessageBox(owner, "", "", MB_OKCANCEL | MB_ICONWARNING), IDOK);

    const struct {
        UINT type;
        int answer;
    } cases[] = {{MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
                 {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
                 {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
                 {MB_RETRYCANCEL, IDRETRY},
                 {MB_YESNO | MB_DEFBUTTON3, IDYES},  // no third button: the first
                 {MB_OK | MB_DEFBUTTON2, IDOK}};
    for (const auto& c : cases)
        EXPECT_EQ(backend->ShowMessageBox(owner, "", "", c.type), c.answer) << c.type;

    const auto boxes = brannock::testing::MessageBoxes();
    ASSERT_EQ(boxes.size(), 8u);
    // Recorded in the code page the program wrote them in.
    EXPECT_EQ(boxes[0].text, "\x8c\x78\x8d\x90 text");
    EXPECT_EQ(boxes[0].caption, "\x8c\x78\x8d\x90");
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[1].owner, owner);
    EXPECT_EQ(boxes[1].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONWARNING));
    brannock::testing::ClearMessageBoxes();
    EXPECT_TRUE(brannock::testing::MessageBoxes().empty());
}

Settings SettingsFrom(std::map<std::string, std::string> environment) {
    return ReadSettings([environment](const char* name) -> const char* {
        auto it = environment.find(name);
        return it == environment.end() ? nullptr : it->second.c_str();
    });
}

TEST(PlatformSettings, ReadsEveryKnob) {
    EXPECT_EQ(SettingsFrom({}).headlessCloseMs, -1);
    const Settings settings = SettingsFrom({{"BRANNOCK_BACKEND", "sdl2"},
                                            {"BRANNOCK_DESKTOP", "800X600"},
                                            {"BRANNOCK_DEBUG_OUTPUT", "stderr"},
                                            {"BRANNOCK_HEADLESS_CLOSE_MS", "2500"},
                                            {"BRANNOCK_HEADLESS_SCREENSHOT", "/tmp/s.bmp"}});
    EXPECT_EQ(settings.backend, "sdl2");
    EXPECT_EQ(settings.desktopWidth, 800);
    EXPECT_EQ(settings.desktopHeight, 600);
    EXPECT_EQ(settings.debugOutput, "stderr");
    EXPECT_EQ(settings.headlessCloseMs, 2500);
    EXPECT_EQ(settings.headlessScreenshot, "/tmp/s.bmp");
    EXPECT_TRUE(settings.problems.empty());
}

TEST(PlatformSettings, BadValuesAreReportedAndKeepTheirDefaults) {
    for (const char* desktop :
         {"", "800", "x600", "0x600", "800x-1", "800x600x2", "9000x600", "99999999999x1"}) {
        const Settings settings = SettingsFrom({{"BRANNOCK_DESKTOP", desktop}});
        EXPECT_EQ(settings.desktopWidth * 10000 + settings.desktopHeight, 19201080) << desktop;
        EXPECT_EQ(settings.problems.size(), 1u) << desktop;
    }
    for (const char* delay : {"-5", "soon", "10ms"}) {
        const Settings settings = SettingsFrom({{"BRANNOCK_HEADLESS_CLOSE_MS", delay}});
        EXPECT_EQ(settings.headlessCloseMs, -1) << delay;
        EXPECT_EQ(settings.problems.size(), 1u) << delay;
    }
    const Settings settings = SettingsFrom({{"BRANNOCK_BACKEND", "vulkan"}});
    EXPECT_EQ(settings.backend, "");
    ASSERT_EQ(settings.problems.size(), 1u);
    EXPECT_NE(settings.problems[0].find("BRANNOCK_BACKEND=vulkan"), std::string::npos);
}

TEST(PlatformSettings, ScriptRecordingAndDigestKnobsWithPathsFromTheStartFolder) {
    Settings settings = SettingsFrom({{"BRANNOCK_SCRIPT", "runs\\walk.txt"},
                                      {"BRANNOCK_RECORD", "/tmp/rec.txt"},
                                      {"BRANNOCK_DIGESTS", "stdout"},
                                      {"BRANNOCK_DIGEST_FRAMES", "saved"}});
    EXPECT_TRUE(settings.problems.empty());
    EXPECT_EQ(settings.record, "/tmp/rec.txt");
    EXPECT_EQ(settings.digests, "stdout");
    EXPECT_TRUE(settings.digestSavedFramesOnly);
    settings.startDirectory = "/home/me/game";
    EXPECT_EQ(PathFromStart(settings, settings.script), "/home/me/game/runs/walk.txt");
    EXPECT_EQ(PathFromStart(settings, settings.record), "/tmp/rec.txt");

    settings = SettingsFrom({{"BRANNOCK_DIGEST_FRAMES", "some"}});
    EXPECT_FALSE(settings.digestSavedFramesOnly);
    EXPECT_EQ(settings.problems.size(), 1u);
}

TEST(BackendChoice, ForcedHeadlessAndThenReplaced) {
    setenv("BRANNOCK_BACKEND", "headless", 1);
    Backend& before = CurrentBackend();
    EXPECT_STREQ(before.Name(), "headless");
    EXPECT_EQ(&CurrentBackend(), &before);

    auto replacement = CreateHeadlessBackend(Settings{});
    Backend* installed = replacement.get();
    InstallBackend(std::move(replacement));
    EXPECT_EQ(&CurrentBackend(), installed);
    EXPECT_STREQ(before.Name(), "headless");  // still alive for those holding it
}

constexpr UINT_PTR kWatchdogTimer = 1;

LRESULT CALLBACK QuitOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    if (message == WM_TIMER && wParam == kWatchdogTimer) PostQuitMessage(1);
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(HeadlessRun, TheFirstWindowIsClosedAfterTheDelay) {
    Settings settings;
    settings.headlessCloseMs = 100;
    InstallBackend(CreateHeadlessBackend(settings));
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = QuitOnDestroy;
    windowClass.lpszClassName = "HeadlessRun";
    ASSERT_NE(RegisterClassExA(&windowClass), 0);
    const auto create = [] {
        return CreateWindowExA(0, "HeadlessRun", "run", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240,
                               nullptr, nullptr, nullptr, nullptr);
    };

    const auto start = std::chrono::steady_clock::now();
    const HWND first = create();
    const HWND second = create();
    ASSERT_NE(second, nullptr);
    SetTimer(second, kWatchdogTimer, 5000, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    EXPECT_EQ(message.wParam, 0u) << "the watchdog ended the loop";
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(second));
}

TEST(HeadlessRun, TheScreenIsSavedAsItIsWhenTheProgramEnds) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("brannock_screen_" + std::to_string(getpid()) + ".bmp");
    Settings settings;
    settings.headlessScreenshot = path.string();
    auto backend = CreateHeadlessBackend(settings);
    const int right = brannock::testing::ScreenWidth() - 1;
    const int bottom = brannock::testing::ScreenHeight() - 1;
    HDC dc = GetDC(nullptr);
    SetPixel(dc, 0, 0, RGB(255, 0, 0));
    SetPixel(dc, 5, 3, RGB(1, 2, 3));
    SetPixel(dc, right, bottom, RGB(0, 0, 255));
    ReleaseDC(nullptr, dc);
    EXPECT_FALSE(std::filesystem::exists(path));

    RunProcessEndHandlers();
    const auto saved = brannock::bmp::DecodeFile(path.string());
    std::filesystem::remove(path);
    ASSERT_TRUE(saved) << saved.error;
    const auto& image = *saved.image;
    ASSERT_EQ(image.width, right + 1);
    ASSERT_EQ(image.height, bottom + 1);
    EXPECT_EQ(image.sourceBitsPerPixel, 24);
    EXPECT_EQ(image.pixels[0], 0xFF0000u);
    EXPECT_EQ(image.pixels[1], 0u);
    EXPECT_EQ(image.pixels[3 * image.width + 5], 0x010203u);
    EXPECT_EQ(image.pixels.back(), 0x0000FFu);
    EXPECT_FALSE(brannock::testing::SaveScreenBitmap("/nonexistent-folder/screen.bmp"));
}

}  // namespace
