#include "tests/sample/sample_run.h"

#include <thread>

#include "framework/globals.h"
#include "tests/support/framework_run.h"

namespace sample_test {

using brannock::test::WaitUntil;
using brannock::test::WindowText;

void ObservedSample::RestoreBackground(int x, int y, int w, int h, int mode) {
    ++frames;
    CSampleApp::RestoreBackground(x, y, w, h, mode);
}

void ObservedSample::OnUser(WPARAM what, LPARAM) {
    if (what == kDestroyWindow) {
        DestroyWindow(g_hWnd);
        // Held here, the run cannot end and stop the game before the game
        // has found the window gone by itself.
        Eventually([&] { return exit != Exit::kNone; });
    }
    if (what == kStopGame) StopGameThread();
    if (what == kMark) ++marks;
}

int ObservedSample::GameThreadMain() {
    try {
        CSampleApp::GameThreadMain();
        Note(Exit::kReturned);
    } catch (int) {
        Note(Exit::kIntException);
        throw;
    } catch (...) {
        Note(Exit::kOtherException);
        throw;
    }
    return 0;
}

void ObservedSample::Note(Exit how) {
    freedOnExit = !spriteSet && !player;
    exit = how;
}

bool Eventually(const std::function<bool()>& condition) {
    return WaitUntil(condition, 30000);
}

void Post(WPARAM key, LPARAM lParam, UINT message) {
    PostMessageA(g_hWnd, message, key, lParam);
}

std::string TitleWhen(const std::string& expected) {
    Eventually([&] { return WindowText(g_hWnd) == expected; });
    return WindowText(g_hWnd);
}

std::string TitleAfterPostedKeys(ObservedSample& game) {
    const int marks = game.marks;
    Post(ObservedSample::kMark, 0, WM_USER);
    Eventually([&] { return game.marks > marks; });
    return WindowText(g_hWnd);
}

void SampleRun::SetUp() {
    folder.WritePictures();
    folder.WriteSpriteFile(kTestSpriteFile);
}

void SampleRun::Run(const std::function<void()>& user) {
    std::jthread player([&] {
        if (Eventually([&] { return game.frames > 3; })) user();
        Post(VK_ESCAPE);
    });
    EXPECT_EQ(brannock::test::RunWinMain(), 0);
    player.join();
    EXPECT_FALSE(IsWindow(g_hWnd));
}

}  // namespace sample_test
