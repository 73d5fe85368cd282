// Whole runs of the sample from the process entry, in a folder with the test
// game, watched and steered from a thread of the test.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/sample/sample_fixture.h"

namespace sample_test {

// Waits until `condition` holds; false when it does not within a time
// generous enough for sanitizer builds on a busy machine.
bool Eventually(const std::function<bool()>& condition);

// The sample as the program runs it, observed: frames are counted, the
// window thread destroys the window (and waits for the game to leave),
// stops the game thread or counts a mark on request (WM_USER), and leaving
// the game thread's main routine notes how and whether the sprite set and
// the player were freed by then.
class ObservedSample : public CSampleApp {
  public:
    static constexpr WPARAM kDestroyWindow = 1;
    static constexpr WPARAM kStopGame = 2;
    static constexpr WPARAM kMark = 3;

    enum class Exit { kNone, kReturned, kIntException, kOtherException };

    std::atomic<int> frames{0};
    std::atomic<int> marks{0};
    std::atomic<Exit> exit{Exit::kNone};
    std::atomic<bool> freedOnExit{false};

    void RestoreBackground(int x, int y, int w, int h, int mode) override;
    void OnUser(WPARAM what, LPARAM) override;
    int GameThreadMain() override;

  private:
    void Note(Exit how);
};

// Posts a message to the main window, by default a key press.
void Post(WPARAM key, LPARAM lParam = 1, UINT message = WM_KEYDOWN);

// The title once it reads `expected`, or as it is when that does not come.
std::string TitleWhen(const std::string& expected);

// The title once the window thread has handled everything posted so far.
std::string TitleAfterPostedKeys(ObservedSample& game);

// A run of the sample in a folder with the test game.
class SampleRun : public ::testing::Test {
  protected:
    void SetUp() override;
    // Runs the program; `user` plays on a thread of its own once frames
    // run, and Escape after it ends the run.
    void Run(const std::function<void()>& user);

    GameFolder folder;
    ObservedSample game;
};

}  // namespace sample_test
