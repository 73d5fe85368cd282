// End-to-end tests: real programs on the SDL2 backend in an Xvfb server of
// their own, driven with xdotool and ImageMagick, and the headless fallback
// without a display. The probe program reports the messages it receives on
// stdout; further programs (the sample game) fit the same fixture.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

#include "child_program.h"
#include "x_display.h"

namespace brannock::e2e {
namespace {

using namespace std::chrono_literals;

// For sanitizer builds: leaks of the host's libraries are not the program's.
constexpr const char* kLeakSuppressions =
    "LSAN_OPTIONS=suppressions=" BRANNOCK_E2E_LSAN_SUPPRESSIONS;

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 720;
// The probe's layout: a 320x240 client area under a 20-pixel menu bar.
constexpr int kMenuHeight = 20;
constexpr std::uint32_t kBlue = 0x0000FF, kRed = 0xFF0000, kGreen = 0x00FF00;
constexpr std::uint32_t kWhite = 0xFFFFFF, kYellow = 0xFFFF00, kBlack = 0x000000;

std::string ScreenshotPath(const std::string& name) {
    std::filesystem::create_directories(BRANNOCK_E2E_SCREENSHOTS);
    return std::string(BRANNOCK_E2E_SCREENSHOTS) + "/" + name + ".png";
}

std::string TestName() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

// The display the tests run on says why it did not start, in the words of
// the program that failed.
TEST(XvfbHarness, ReportsWhyTheWindowManagerDidNotStart) {
    if (!XvfbDisplay::Installed() || !XvfbDisplay::WindowManagerInstalled())
        GTEST_SKIP() << "Xvfb or evilwm is not installed";
    const XvfbDisplay display(320, 240, "brannock-no-such-font");
    EXPECT_FALSE(display.Running());
    EXPECT_NE(display.Failure().find("evilwm did not start: "), std::string::npos)
        << display.Failure();
    EXPECT_NE(display.Failure().find("font"), std::string::npos) << display.Failure();
}

// One program on the SDL2 backend in its own Xvfb server.
class OnDisplay : public testing::Test {
  protected:
    void Start(const char* program, const std::string& titlePattern,
               const std::string& readyLine = {}) {
        if (!XvfbDisplay::Installed()) GTEST_SKIP() << "Xvfb is not installed";
        display_.emplace(kScreenWidth, kScreenHeight);
        ASSERT_TRUE(XvfbDisplay::WindowManagerInstalled()) << "evilwm is not installed";
        ASSERT_TRUE(display_->Running()) << display_->Failure();
        program_.emplace(ProgramSetup{
            program,
            std::filesystem::temp_directory_path(),
            {"DISPLAY=" + display_->Name(), "BRANNOCK_MESSAGE_BOXES=stderr", kLeakSuppressions},
            {"BRANNOCK_BACKEND"}});
        ASSERT_TRUE(program_->Started());
        if (!readyLine.empty()) {
            ASSERT_TRUE(program_->WaitForOutput(readyLine, 10s)) << program_->Output();
        }
        window_ = display_->FindWindow(titlePattern, 10s);
        ASSERT_FALSE(window_.empty()) << "no window; output:\n" << program_->Output();
    }

    // Takes screenshots until `wanted` holds for one (the host shows frames
    // a little after they are drawn) and returns it; when none does within
    // five seconds, fails and leaves the last one as a file for a look.
    Screenshot CaptureWhen(const std::string& window, const std::string& label,
                           const std::function<bool(const Screenshot&)>& wanted) {
        const std::string path = ScreenshotPath(TestName() + "." + label);
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        for (;;) {
            Screenshot shot = display_->Capture(window, path);
            if (shot.width > 0 && wanted(shot)) return shot;
            if (std::chrono::steady_clock::now() > deadline) {
                ADD_FAILURE() << "not shown: " << label << "; see " << path;
                return shot;
            }
            std::this_thread::sleep_for(100ms);
        }
    }

    void ExpectExitCodeZero() {
        const std::optional<int> code = program_->WaitForExit(5s);
        ASSERT_TRUE(code.has_value()) << "still running; output:\n" << program_->Output();
        EXPECT_EQ(*code, 0) << program_->Output();
    }

    std::optional<XvfbDisplay> display_;
    std::optional<ChildProgram> program_;
    std::string window_;
};

class ProbeProgram : public OnDisplay {
  protected:
    void SetUp() override { Start(BRANNOCK_E2E_PROBE, "^Probe", "ready"); }

    bool Reported(const std::string& line) {
        const bool found = program_->WaitForOutput(line + "\n", 5s);
        if (!found) ADD_FAILURE() << "no line \"" << line << "\" in:\n" << program_->Output();
        return found;
    }

    static bool ClientIs(const Screenshot& shot, std::uint32_t colour) {
        return shot.width == 320 && shot.height == 240 + kMenuHeight &&
               shot.At(200, kMenuHeight + 200) == colour;
    }
};

TEST_F(ProbeProgram, ShowsTitleClientAreaMenuBarAndOverlay) {
    // "Probe テスト": the code page 932 title reaches the host as UTF-8.
    EXPECT_EQ(display_->WindowTitle(window_), "Probe \xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88");

    // The client area with the white square painted at (20, 20), and the
    // overlay text "OVL" drawn through the whole-window DC at (280, 24) of
    // what the host shows.
    const Screenshot shot = CaptureWhen(window_, "window", [](const Screenshot& s) {
        return ClientIs(s, kBlue) && s.At(19, kMenuHeight + 19) == kBlue &&
               s.At(40, kMenuHeight + 40) == kWhite && s.Count(280, 24, 304, 40, kYellow) > 20;
    });
    ASSERT_EQ(shot.width, 320);
    EXPECT_EQ(shot.Count(0, kMenuHeight, 270, 240 + kMenuHeight, kYellow), 0);
    // The menu bar: light, with dark text in its left part.
    EXPECT_EQ(shot.At(300, 2), 0xF0F0F0u);
    EXPECT_GT(shot.Count(0, 0, 120, kMenuHeight, kBlack), 20);
}

TEST_F(ProbeProgram, CloseControlEndsTheProgramWithExitCodeZero) {
    ASSERT_TRUE(display_->RequestClose(window_));
    EXPECT_TRUE(Reported("close"));
    ExpectExitCodeZero();
}

TEST_F(ProbeProgram, KeysArriveAsKeyMessagesWithVirtualKeysAndKeyData) {
    ASSERT_TRUE(display_->Type(window_, "key a"));
    // Scan code 0x1E, repeat count 1; the release has the previous-state and
    // transition bits.
    EXPECT_TRUE(Reported("keydown vk=65 lparam=001e0001"));
    EXPECT_TRUE(Reported("char 97"));
    EXPECT_TRUE(Reported("keyup vk=65 lparam=c01e0001"));

    ASSERT_TRUE(display_->Type(window_, "key shift+a"));
    EXPECT_TRUE(Reported("keydown vk=16 lparam=002a0001"));
    EXPECT_TRUE(Reported("char 65"));

    // With Alt held, keys are system keys with the context bit (29) set.
    ASSERT_TRUE(display_->Type(window_, "keydown alt key x keyup alt"));
    EXPECT_TRUE(Reported("syskeydown vk=18 lparam=20380001"));
    EXPECT_TRUE(Reported("syskeydown vk=88 lparam=202d0001"));
    EXPECT_TRUE(Reported("syskeyup vk=88 lparam=e02d0001"));
    EXPECT_TRUE(Reported("syskeyup vk=18 lparam=c0380001"));

    // F10 is a system key without Alt; arrows are extended keys.
    ASSERT_TRUE(display_->Type(window_, "key F10 Left"));
    EXPECT_TRUE(Reported("syskeydown vk=121 lparam=00440001"));
    EXPECT_TRUE(Reported("keydown vk=37 lparam=014b0001"));

    ASSERT_TRUE(display_->Type(window_, "key Escape"));
    EXPECT_TRUE(Reported("close"));
    ExpectExitCodeZero();
}

TEST_F(ProbeProgram, MouseClicksArriveInClientCoordinatesWithTheCursorInStep) {
    ASSERT_TRUE(display_->Click(window_, 100, kMenuHeight + 50));
    EXPECT_TRUE(Reported("lbuttondown 100 50"));
    EXPECT_TRUE(Reported("cursor-in-client 100 50"));
}

TEST_F(ProbeProgram, MenuBarItemsAndDropDownItemsPostCommands) {
    CaptureWhen(window_, "start", [](const Screenshot& s) { return ClientIs(s, kBlue); });
    // "Colour" opens its drop-down; its first row is "Red".
    ASSERT_TRUE(display_->Click(window_, 20, 10));
    CaptureWhen(window_, "drop-down",
                [](const Screenshot& s) { return s.At(40, kMenuHeight + 10) != kBlue; });
    ASSERT_TRUE(display_->Click(window_, 40, kMenuHeight + 10));
    EXPECT_TRUE(Reported("command 101"));
    CaptureWhen(window_, "red-without-drop-down", [](const Screenshot& s) {
        return ClientIs(s, kRed) && s.At(40, kMenuHeight + 10) == kRed;
    });

    // "Quit", a plain item of the bar: "&Colour" is 6 characters of 8 pixels
    // plus 12 of padding wide.
    ASSERT_TRUE(display_->Click(window_, 60 + 20, 10));
    EXPECT_TRUE(Reported("command 110"));
    ExpectExitCodeZero();
}

// A pop-up row opens its list beside it, level with the row, where a
// command is chosen as in the drop-down.
TEST_F(ProbeProgram, NestedPopUpsOpenBesideTheirRowAndChoose) {
    CaptureWhen(window_, "start", [](const Screenshot& s) { return ClientIs(s, kBlue); });
    // Colour's drop-down, 80 pixels wide, has rows of 20 pixels from 1 below
    // the bar (a separator is 8): Red, Green, -, Blue, More.
    constexpr int kMoreY = kMenuHeight + 1 + 20 + 20 + 8 + 20 + 10;
    ASSERT_TRUE(display_->Click(window_, 20, 10));
    CaptureWhen(window_, "drop-down",
                [](const Screenshot& s) { return s.At(40, kMenuHeight + 10) != kBlue; });
    // Resting on More opens its list; another row of the drop-down closes it.
    ASSERT_TRUE(display_->MoveTo(window_, 40, kMoreY));
    CaptureWhen(window_, "nested", [](const Screenshot& s) { return s.At(120, kMoreY) != kBlue; });
    ASSERT_TRUE(display_->MoveTo(window_, 40, kMenuHeight + 10));
    CaptureWhen(window_, "nested-closed",
                [](const Screenshot& s) { return s.At(120, kMoreY) == kBlue; });
    // A press on More opens it too.
    ASSERT_TRUE(display_->Click(window_, 40, kMoreY));
    CaptureWhen(window_, "nested-again",
                [](const Screenshot& s) { return s.At(120, kMoreY) != kBlue; });
    ASSERT_TRUE(display_->Click(window_, 120, kMoreY));  // Yellow
    EXPECT_TRUE(Reported("command 104"));
    CaptureWhen(window_, "yellow-without-lists", [](const Screenshot& s) {
        return ClientIs(s, kYellow) && s.At(120, kMoreY) == kYellow && s.At(40, kMoreY) == kYellow;
    });
}

TEST_F(ProbeProgram, FullScreenShowsTheDisplayModeScaledWithLetterboxing) {
    ASSERT_TRUE(display_->Type(window_, "key f"));
    ASSERT_TRUE(Reported("full screen"));
    // 640x480 on 1280x720: scaled to 960x720, black bars of 160 at the sides.
    const Screenshot screen = CaptureWhen("root", "full-screen", [](const Screenshot& s) {
        return s.At(kScreenWidth / 2, kScreenHeight / 2) == kGreen;
    });
    ASSERT_EQ(screen.width, kScreenWidth);
    EXPECT_EQ(screen.At(170, 10), kGreen);
    EXPECT_EQ(screen.At(150, 10), kBlack);
    EXPECT_EQ(screen.At(kScreenWidth - 150, kScreenHeight - 10), kBlack);
    // Clicks land on what the scaled picture shows there: screen pixel
    // (100, 50) of the display mode is at (160 + 150, 75).
    ASSERT_TRUE(display_->Click(window_, 311, 76));
    EXPECT_TRUE(Reported("lbuttondown 100 50"));

    ASSERT_TRUE(display_->Type(window_, "key f"));
    CaptureWhen(window_, "windowed-again", [](const Screenshot& s) { return ClientIs(s, kBlue); });
}

TEST_F(ProbeProgram, PixelsDrawnOnAnotherThreadAreShownWhileTheWindowThreadWaits) {
    ASSERT_TRUE(display_->Type(window_, "key t"));
    ASSERT_TRUE(Reported("painted from thread"));
    CaptureWhen(window_, "magenta", [](const Screenshot& s) { return ClientIs(s, 0xFF00FF); });
}

// The window thread keeps the host served while it waits in
// WaitForSingleObject: what the other thread drew shows meanwhile.
TEST_F(ProbeProgram, PixelsDrawnOnAnotherThreadAreShownWhileTheWindowThreadWaitsForIt) {
    ASSERT_TRUE(display_->Type(window_, "key w"));
    ASSERT_TRUE(Reported("painted from thread"));
    CaptureWhen(window_, "magenta", [](const Screenshot& s) { return ClientIs(s, 0xFF00FF); });
}

// Boxes from any thread are shown by the window thread.
TEST_F(ProbeProgram, MessageBoxesGoToStderrForUnattendedRuns) {
    ASSERT_TRUE(display_->Type(window_, "key m"));
    // "Hello あ" in code page 932, shown in UTF-8, answered with OK (1).
    EXPECT_TRUE(Reported("[Probe] Hello \xE3\x81\x82 (answered OK)"));
    EXPECT_TRUE(Reported("messagebox 1"));
    ASSERT_TRUE(display_->Type(window_, "key g"));
    EXPECT_TRUE(Reported("[Probe] From a thread (answered OK)"));
    EXPECT_TRUE(Reported("thread messagebox 1"));
}

#ifdef BRANNOCK_E2E_MINIMAL
class MinimalProgram : public OnDisplay {
  protected:
    void SetUp() override { Start(BRANNOCK_E2E_MINIMAL, "^Brannock"); }
};

TEST_F(MinimalProgram, ShowsItsTitleAndAnErasedClientAreaAndEndsWithZeroWhenClosed) {
    EXPECT_EQ(display_->WindowTitle(window_).rfind("Brannock", 0), 0u);
    // The class's white background brush erased the client area.
    CaptureWhen(window_, "window",
                [](const Screenshot& s) { return s.At(s.width / 2, s.height / 2) == kWhite; });
    ASSERT_TRUE(display_->RequestClose(window_));
    ExpectExitCodeZero();
}
#endif

// Without a display the platform falls back to the headless backend, where
// BRANNOCK_HEADLESS_CLOSE_MS clicks the close control.
void ExpectHeadlessRunEndsWithZero(const char* program) {
    ChildProgram child(ProgramSetup{program,
                                    std::filesystem::temp_directory_path(),
                                    {"BRANNOCK_HEADLESS_CLOSE_MS=300", kLeakSuppressions},
                                    {"DISPLAY", "WAYLAND_DISPLAY", "BRANNOCK_BACKEND"}});
    ASSERT_TRUE(child.Started());
    const std::optional<int> code = child.WaitForExit(10s);
    ASSERT_TRUE(code.has_value()) << program << " still runs:\n" << child.Output();
    EXPECT_EQ(*code, 0) << child.Output();
}

TEST(HeadlessFallback, ProgramsRunWithoutADisplayAndEndWithZero) {
    ExpectHeadlessRunEndsWithZero(BRANNOCK_E2E_PROBE);
#ifdef BRANNOCK_E2E_MINIMAL
    ExpectHeadlessRunEndsWithZero(BRANNOCK_E2E_MINIMAL);
#endif
}

}  // namespace
}  // namespace brannock::e2e
