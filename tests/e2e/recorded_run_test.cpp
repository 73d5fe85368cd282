// A session of the frame probe recorded on the SDL2 backend in an Xvfb
// server, driven with xdotool, then played back on the headless backend:
// the recording holds what reached the program, and the replay shows the
// same frames.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "child_program.h"
#include "x_display.h"

namespace brannock::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr const char* kLeakSuppressions =
    "LSAN_OPTIONS=suppressions=" BRANNOCK_E2E_LSAN_SUPPRESSIONS;

TEST(RecordedRun, ASessionRecordedOnTheDisplayReplaysHeadlessToTheSameFrames) {
    if (!XvfbDisplay::Installed()) GTEST_SKIP() << "Xvfb is not installed";
    XvfbDisplay display(1024, 768);
    ASSERT_TRUE(XvfbDisplay::WindowManagerInstalled()) << "evilwm is not installed";
    ASSERT_TRUE(display.Running()) << "Xvfb or its window manager did not start";
    const fs::path folder =
        fs::temp_directory_path() / ("brannock_recorded_" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);

    {
        ChildProgram recorded(
            ProgramSetup{BRANNOCK_FRAME_PROBE,
                         folder.string(),
                         {"DISPLAY=" + display.Name(), "BRANNOCK_MESSAGE_BOXES=stderr",
                          "BRANNOCK_RECORD=session.txt", "BRANNOCK_DIGESTS=recorded.txt",
                          "BRANNOCK_DESKTOP=800x600", kLeakSuppressions},
                         {"BRANNOCK_BACKEND", "BRANNOCK_SCRIPT"}});
        ASSERT_TRUE(recorded.Started());
        const std::string window = display.FindWindow("^Frame probe", 10s);
        ASSERT_FALSE(window.empty()) << "no window; output:\n" << recorded.Output();
        // The game draws: from now on input is latched to its frames.
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (ReadFile(folder / "recorded.txt").empty() &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(20ms);
        ASSERT_FALSE(ReadFile(folder / "recorded.txt").empty()) << recorded.Output();
        // Keys held over several frames, typed, a click and a close.
        ASSERT_TRUE(display.Type(window, "keydown Right"));
        std::this_thread::sleep_for(300ms);
        ASSERT_TRUE(display.Type(window, "keyup Right key a keydown Down"));
        std::this_thread::sleep_for(200ms);
        ASSERT_TRUE(display.Type(window, "keyup Down"));
        ASSERT_TRUE(display.Click(window, 120, 90));
        std::this_thread::sleep_for(200ms);
        ASSERT_TRUE(display.RequestClose(window));
        const std::optional<int> code = recorded.WaitForExit(10s);
        ASSERT_TRUE(code.has_value()) << "still running:\n" << recorded.Output();
        ASSERT_EQ(*code, 0) << recorded.Output();
    }

    const std::string session = ReadFile(folder / "session.txt");
    for (const char* event :
         {" press Right\n", " release Right\n", " press A\n", " release A\n", " press Down\n",
          " move 120 90\n", " press LButton\n", " release LButton\n", " close\n"})
        EXPECT_NE(session.find(event), std::string::npos) << event << " not in:\n" << session;

    ChildProgram replayed(
        ProgramSetup{BRANNOCK_FRAME_PROBE,
                     folder.string(),
                     {"BRANNOCK_SCRIPT=session.txt", "BRANNOCK_DIGESTS=replayed.txt",
                      "BRANNOCK_DESKTOP=800x600", kLeakSuppressions},
                     {"DISPLAY", "WAYLAND_DISPLAY", "BRANNOCK_BACKEND"}});
    const std::optional<int> code = replayed.WaitForExit(60s);
    ASSERT_TRUE(code.has_value()) << "still running:\n" << replayed.Output();
    EXPECT_EQ(*code, 0) << replayed.Output();

    const std::vector<std::string> recordedFrames = Lines(ReadFile(folder / "recorded.txt"));
    EXPECT_FALSE(recordedFrames.empty());
    EXPECT_EQ(Lines(ReadFile(folder / "replayed.txt")), recordedFrames) << session;
    if (!testing::Test::HasFailure()) fs::remove_all(folder);
}

}  // namespace
}  // namespace brannock::e2e
