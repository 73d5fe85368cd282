// The headless backend and the choice of backend.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/backend/backend_override.h"
#include "platform/backend/desktop.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/backend/settings.h"
#include "platform/testing/message_boxes.h"
#include "platform/win32.h"

namespace {

using namespace brannock::platform;

TEST(HeadlessBackend, MessageBoxesAreRecordedAndAnsweredWithTheDefaultButton) {
    auto backend = CreateHeadlessBackend(Settings{});
    brannock::testing::ClearMessageBoxes();
    const HWND owner = reinterpret_cast<HWND>(0x10);

    EXPECT_EQ(backend->ShowMessageBox(nullptr, "警告 text", "警告", MB_OK), IDOK);
    EXPECT_EQ(backend->ShowMessageBox(owner, "", "", MB_OKCANCEL | MB_ICONWARNING), IDOK);
    EXPECT_EQ(backend->ShowMessageBox(owner, "", "", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(backend->ShowMessageBox(owner, "", "", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(backend->ShowMessageBox(owner, "", "", MB_ABORTRETRYIGNORE | MB_DEFBUTTON2), IDRETRY);
    EXPECT_EQ(backend->ShowMessageBox(owner, "", "", MB_YESNO), IDYES);
    EXPECT_EQ(backend->ShowMessageBox(owner, "", "", MB_RETRYCANCEL), IDRETRY);
    // A default button the box does not have falls back to the first one.
    EXPECT_EQ(backend->ShowMessageBox(owner, "", "", MB_YESNO | MB_DEFBUTTON3), IDYES);
    EXPECT_EQ(backend->ShowMessageBox(owner, "", "", MB_OK | MB_DEFBUTTON2), IDOK);

    const auto boxes = brannock::testing::MessageBoxes();
    ASSERT_EQ(boxes.size(), 9u);
    // Recorded in the code page the program wrote them in.
    EXPECT_EQ(boxes[0].text, "\x8c\x78\x8d\x90 text");
    EXPECT_EQ(boxes[0].caption, "\x8c\x78\x8d\x90");
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes[1].owner, owner);
    EXPECT_EQ(boxes[1].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONWARNING));

    brannock::testing::ClearMessageBoxes();
    EXPECT_TRUE(brannock::testing::MessageBoxes().empty());
}

// Settings read from a fake environment.
Settings SettingsFrom(std::map<std::string, std::string> environment) {
    return ReadSettings([environment](const char* name) -> const char* {
        auto it = environment.find(name);
        return it == environment.end() ? nullptr : it->second.c_str();
    });
}

TEST(PlatformSettings, DefaultsWithoutEnvironment) {
    const Settings settings = SettingsFrom({});
    EXPECT_EQ(settings.backend, "");
    EXPECT_EQ(settings.desktopWidth, 1920);
    EXPECT_EQ(settings.desktopHeight, 1080);
    EXPECT_EQ(settings.debugOutput, "");
    EXPECT_EQ(settings.headlessCloseMs, -1);
    EXPECT_EQ(settings.headlessScreenshot, "");
    EXPECT_TRUE(settings.problems.empty());
}

TEST(PlatformSettings, ReadsEveryKnob) {
    const Settings settings = SettingsFrom({{"BRANNOCK_BACKEND", "sdl2"},
                                            {"BRANNOCK_DESKTOP", "800x600"},
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
    EXPECT_EQ(SettingsFrom({{"BRANNOCK_DESKTOP", "640X480"}}).desktopWidth, 640);
}

TEST(PlatformSettings, BadValuesAreReportedAndKeepTheirDefaults) {
    for (const char* desktop : {"", "800", "800x", "x600", "0x600", "800x-1", "800x600x2",
                                "9000x600", "800 x600", "99999999999x1"}) {
        const Settings settings = SettingsFrom({{"BRANNOCK_DESKTOP", desktop}});
        EXPECT_EQ(settings.desktopWidth, 1920) << desktop;
        EXPECT_EQ(settings.desktopHeight, 1080) << desktop;
        EXPECT_EQ(settings.problems.size(), 1u) << desktop;
    }
    for (const char* delay : {"-5", "soon", "10ms", ""}) {
        const Settings settings = SettingsFrom({{"BRANNOCK_HEADLESS_CLOSE_MS", delay}});
        EXPECT_EQ(settings.headlessCloseMs, -1) << delay;
        EXPECT_EQ(settings.problems.size(), 1u) << delay;
    }
    const Settings settings = SettingsFrom({{"BRANNOCK_BACKEND", "vulkan"}});
    EXPECT_EQ(settings.backend, "");
    ASSERT_EQ(settings.problems.size(), 1u);
    EXPECT_NE(settings.problems[0].find("BRANNOCK_BACKEND=vulkan"), std::string::npos);
}

TEST(BackendChoice, ForcedHeadlessBackendAndItsDesktop) {
    setenv("BRANNOCK_BACKEND", "headless", 1);
    EXPECT_STREQ(CurrentBackend().Name(), "headless");
    EXPECT_EQ(&CurrentBackend(), &CurrentBackend());
    const DesktopSize desktop = VirtualDesktop();
    EXPECT_EQ(desktop.width, ProcessSettings().desktopWidth);
    EXPECT_EQ(desktop.height, ProcessSettings().desktopHeight);
}

// Counts joystick reads and reports one joystick.
class ScriptedBackend final : public Backend {
  public:
    const char* Name() const override { return "scripted"; }
    void WindowCreated(HWND) override {}
    void WindowDestroyed(HWND) override {}
    void WindowChanged(HWND) override {}
    void ScreenUpdated(const RECT&) override {}
    void OverlayUpdated(HWND) override {}
    void DisplayModeChanged(HWND) override {}
    void PumpEvents() override {}
    int ShowMessageBox(HWND, const std::string&, const std::string&, UINT) override { return IDNO; }
    bool ReadJoystick(UINT id, JoystickReading& reading) override {
        reading.x = 1000 + id;
        return id == 2;
    }
};

TEST(BackendChoice, AnInstalledBackendReplacesTheCurrentOne) {
    Backend& before = CurrentBackend();
    const std::string beforeName = before.Name();
    InstallBackend(std::make_unique<ScriptedBackend>());
    EXPECT_STREQ(CurrentBackend().Name(), "scripted");
    EXPECT_EQ(before.Name(), beforeName);  // still alive for those holding it

    JOYINFO info{};
    EXPECT_EQ(joyGetPos(2, &info), static_cast<MMRESULT>(JOYERR_NOERROR));
    EXPECT_EQ(info.wXpos, 1002u);
    EXPECT_EQ(joyGetPos(1, &info), static_cast<MMRESULT>(JOYERR_UNPLUGGED));
}

}  // namespace
