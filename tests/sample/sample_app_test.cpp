// The sample's application: its jump table, the scene it draws, and whole
// runs from the process entry: the title and the keys it answers, and every
// way out of the game, each freeing the sprite set and the player once.
// Nothing here needs the headless backend's test controls.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "framework/globals.h"
#include "tests/sample/sample_fixture.h"
#include "tests/sample/sample_run.h"
#include "tests/support/framework_run.h"
#include "tests/support/surface_pixels.h"

namespace sample_test {
namespace {

using brannock::test::CloseMainWindowWhen;
using brannock::test::RunWinMain;
using brannock::test::WindowText;

// ---- Before the first frame, and frames stepped one by one. ----

TEST_F(SceneTest, InitFillsTheJumpTableWithTruncatedCosines) {
    const std::pair<int, int> entries[] = {{0, 254},    {1, 254},    {30, 220},   {45, 180},
                                           {60, 127},   {89, 4},     {90, 0},     {91, -4},
                                           {120, -127}, {135, -180}, {166, -247}, {179, -254}};
    for (const auto& [index, value] : entries)
        EXPECT_EQ(app.cosTable[index], value) << "entry " << index;
    for (int i = 0; i < 90; ++i)
        EXPECT_GT(app.cosTable[i], 0) << "entry " << i;
    for (int i = 91; i < CSampleApp::kJumpTableSize; ++i)
        EXPECT_LT(app.cosTable[i], 0) << "entry " << i;
    RECT client{};
    GetClientRect(g_hWnd, &client);
    EXPECT_EQ(client.right - client.left, 640);
    EXPECT_EQ(client.bottom - client.top, 480);
}

struct SceneCase {
    const char* name;
    const char* spriteFile;  // null: no Sprite.txt
    bool standingPicture;

    friend void PrintTo(const SceneCase& c, std::ostream* os) { *os << c.name; }
};

class SceneDrawing : public SceneTest, public ::testing::WithParamInterface<SceneCase> {};

// Without a picture to draw (no Sprite.txt, or one whose offsets throw the
// picture off any screen) the frame is the background and the game goes on.
TEST_P(SceneDrawing, FrameShowsTheBackgroundAndTheCharacterWhenItHasAPicture) {
    OpenScene(GetParam().spriteFile);
    Frame();
    if (GetParam().standingPicture) {
        // Standing at (100, 320): the picture centred 16 pixels above it.
        ExpectPicture(kStand0, 100 - kPictureWidth / 2, 320 - 16 - kPictureHeight / 2, false);
    } else {
        const std::vector<DWORD> pixels = brannock::test::ReadPixels(Back());
        const DWORD bands[] = {Stored(BackgroundPixel(0, 0)), Stored(BackgroundPixel(40, 0))};
        int wrong = 0;
        for (std::size_t i = 0; i < pixels.size(); ++i)
            wrong += (pixels[i] & 0xFFFFFF) != bands[(i % 640 / 40) % 2];
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(pixels.size(), 640u * 480u);
    }
    for (int step = 0; step < 10; ++step)
        Frame(1);
    EXPECT_EQ(app.posX, 120);
    EXPECT_EQ(app.action, CSampleApp::kMove);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SceneDrawing,
    ::testing::Values(SceneCase{"TestGame", kTestSpriteFile, true},
                      SceneCase{"NoSpriteFile", nullptr, false},
                      SceneCase{"OffsetsBeyondTheIntRange",
                                "[STAND]\nstand0.bmp, 2147483647, -2147483648, 2\n"
                                "[WALK]\n&JUMP WALK\nwalk.bmp, -2147483648, 2147483647, 2\n",
                                false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SceneTest, AutoWalksRightAndWrapsEvery426StepsFromStep301) {
    OpenScene();
    for (int step = 1; step <= 301 + 2 * 426; ++step) {
        Frame(1);
        const int expected = step < 301 ? 100 + 2 * step : -150 + 2 * ((step - 301) % 426);
        ASSERT_EQ(app.posX, expected) << "step " << step;
    }
    EXPECT_EQ(Playing(app), "WALK");
    EXPECT_EQ(app.facingLeft, 0);
}

// ---- Whole runs. ----

TEST_F(SampleRun, TitleShowsAutoAndWaitAsF1AndF2FlipThem) {
    std::vector<std::string> titles;
    Run([&] {
        titles.push_back(TitleWhen("AUTO=1 WAIT=0"));
        Post(VK_F1);
        titles.push_back(TitleWhen("AUTO=0 WAIT=0"));
        Post(VK_F1);
        titles.push_back(TitleWhen("AUTO=1 WAIT=0"));
        Post(VK_F2);
        titles.push_back(TitleWhen("AUTO=1 WAIT=1"));
        // Held down, a key repeats: every repeat flips again.
        const LPARAM repeat = 1 | (1 << 30);
        Post(VK_F1);
        Post(VK_F1, repeat);
        Post(VK_F2);
        Post(VK_F2, repeat);
        Post(VK_F2, repeat);
        titles.push_back(TitleAfterPostedKeys(game));
    });
    EXPECT_EQ(titles, (std::vector<std::string>{"AUTO=1 WAIT=0", "AUTO=0 WAIT=0", "AUTO=1 WAIT=0",
                                                "AUTO=1 WAIT=1", "AUTO=1 WAIT=0"}));
}

// Keys come as virtual-key codes: P is 'P', while the character 'p' (as a
// WM_CHAR) has F1's code 112. Neither, nor any other key, is answered.
TEST_F(SampleRun, OnlyEscapeF1F2AndF4AreAnswered) {
    std::vector<std::string> titles;
    bool running = false;
    Run([&] {
        TitleWhen("AUTO=1 WAIT=0");
        const WPARAM keys[] = {'P', 'Q', 'S', 'Z', VK_F3, VK_F5, VK_F12, VK_RETURN, VK_SPACE};
        for (WPARAM key : keys)
            Post(key);
        for (WPARAM character : {'p', 'q', 's', '\x1b'})
            Post(character, 1, WM_CHAR);
        titles.push_back(TitleAfterPostedKeys(game));
        const int frames = game.frames;
        running = Eventually([&] { return game.frames > frames + 3; }) && IsWindow(g_hWnd);
        Post(VK_F1);
        titles.push_back(TitleWhen("AUTO=0 WAIT=0"));
    });
    EXPECT_EQ(titles, (std::vector<std::string>{"AUTO=1 WAIT=0", "AUTO=0 WAIT=0"}));
    EXPECT_TRUE(running);
    EXPECT_TRUE(game.IsWindowed());
}

struct WayOut {
    const char* name;
    std::function<void(ObservedSample&)> leave;
    ObservedSample::Exit exit;  // kNone: any
    bool windowClosed;

    friend void PrintTo(const WayOut& w, std::ostream* os) { *os << w.name; }
};

class WaysOut : public SampleRun, public ::testing::WithParamInterface<WayOut> {};

// However the game ends, its main loop has freed the sprite set and the
// player by the time it is left (a second free would stop an ASan run).
TEST_P(WaysOut, MainLoopFreesTheSpriteSetAndPlayerOnItsWayOut) {
    bool running = false;
    std::jthread user([&] {
        running = Eventually([&] { return game.frames > 3; });
        GetParam().leave(game);
    });
    EXPECT_EQ(RunWinMain(), 0);
    user.join();
    EXPECT_TRUE(running);
    EXPECT_NE(game.exit, ObservedSample::Exit::kNone);
    if (GetParam().exit != ObservedSample::Exit::kNone) {
        EXPECT_EQ(game.exit, GetParam().exit);
    }
    EXPECT_TRUE(game.freedOnExit);
    EXPECT_EQ(game.spriteSet, nullptr);
    EXPECT_EQ(game.player, nullptr);
    EXPECT_EQ(IsWindow(g_hWnd) == FALSE, GetParam().windowClosed);
}

using Exit = ObservedSample::Exit;

INSTANTIATE_TEST_SUITE_P(
    Sample, WaysOut,
    ::testing::Values(
        WayOut{"CloseControl",
               [](ObservedSample&) { CloseMainWindowWhen([] { return true; }).join(); },
               Exit::kNone, true},
        WayOut{"Escape", [](ObservedSample&) { Post(VK_ESCAPE); }, Exit::kNone, true},
        // The loop sees its end flag, frees, and closes the window itself;
        // that close stops the game thread from within.
        WayOut{"EndFlagSeenByTheLoop", [](ObservedSample& game) { game.endRequested = 1; },
               Exit::kOtherException, true},
        WayOut{"GameThreadStopped",
               [](ObservedSample&) { Post(ObservedSample::kStopGame, 0, WM_USER); },
               Exit::kOtherException, false},
        WayOut{"WindowDestroyedUnderTheGame",
               [](ObservedSample&) { Post(ObservedSample::kDestroyWindow, 0, WM_USER); },
               Exit::kIntException, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sample_test
