// Scripted runs of real programs on the headless backend: the frame probe
// (a game on the framework that presents frames following its input and
// clock) and the minimal program (which only paces). Runs are compared by
// their frame digests.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "child_program.h"

namespace brannock::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr const char* kLeakSuppressions =
    "LSAN_OPTIONS=suppressions=" BRANNOCK_E2E_LSAN_SUPPRESSIONS;

// Walks the probe's square right and down, types, clicks, and goes to full
// screen and back; 100 frames in all.
constexpr const char* kTour = R"(# A tour of the frame probe.
0 press Right
20 release Right
20 press Down   # held for 15 frames
30 press A
31 release A
35 release Down
40 click 200 150
45 move 300 200
46 press Digit1
47 release Digit1
50 press F4
51 release F4
60 save full.bmp
70 press F4
71 release F4
80 press 37   # Left, by its code
90 release 0x25
99 save end.bmp
)";

// Each test works in a folder of its own, where the programs start.
class ScriptedRun : public testing::Test {
  protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() /
                  ("brannock_scripted_" + std::to_string(getpid()) + "_" + info->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        if (!HasFailure()) fs::remove_all(folder_);
    }

    // Runs `program` headless on an 800x600 desktop with `script` (unless
    // null) and the given knobs, digests going to digests.txt.
    RunResult Run(const char* program, const char* script, std::vector<std::string> knobs = {}) {
        if (script) {
            std::ofstream(folder_ / "script.txt") << script;
            knobs.push_back("BRANNOCK_SCRIPT=script.txt");
        }
        knobs.push_back("BRANNOCK_DESKTOP=800x600");
        knobs.push_back(kLeakSuppressions);
        bool digestsSet = false;
        for (const std::string& knob : knobs)
            digestsSet = digestsSet || knob.rfind("BRANNOCK_DIGESTS=", 0) == 0;
        if (!digestsSet) knobs.push_back("BRANNOCK_DIGESTS=digests.txt");
        fs::remove(folder_ / "digests.txt");

        return RunToEnd(ProgramSetup{program,
                                     folder_.string(),
                                     knobs,
                                     {"DISPLAY", "WAYLAND_DISPLAY", "BRANNOCK_BACKEND"}},
                        (folder_ / "digests.txt").string());
    }

    fs::path folder_;
};

TEST_F(ScriptedRun, TheSameScriptGivesTheSameFramesEachTime) {
    const RunResult first = Run(BRANNOCK_FRAME_PROBE, kTour);
    ASSERT_EQ(first.exitCode, 0) << first.output;
    // Frames 0 to 99, one line each; the run ends after the last one named.
    ASSERT_EQ(first.digests.size(), 100u) << first.output;
    EXPECT_EQ(first.digests.front().rfind("frame 0 ", 0), 0u);
    EXPECT_EQ(first.digests.back().rfind("frame 99 ", 0), 0u);
    // The input and the clock change what is drawn.
    EXPECT_GT(std::set<std::string>(first.digests.begin(), first.digests.end()).size(), 50u);

    // The saved screens: full screen at 640x480, then the desktop again.
    const std::string full = ReadFile(folder_ / "full.bmp");
    const std::string end = ReadFile(folder_ / "end.bmp");
    ASSERT_EQ(full.size(), 54u + 640 * 480 * 3);
    ASSERT_EQ(end.size(), 54u + 800 * 600 * 3);

    const RunResult second = Run(BRANNOCK_FRAME_PROBE, kTour);
    ASSERT_EQ(second.exitCode, 0) << second.output;
    EXPECT_EQ(second.digests, first.digests);
    EXPECT_EQ(ReadFile(folder_ / "end.bmp"), end);
    EXPECT_EQ(ReadFile(folder_ / "full.bmp"), full);

    // Digests of the saved frames only: the same values.
    const RunResult saved = Run(BRANNOCK_FRAME_PROBE, kTour, {"BRANNOCK_DIGEST_FRAMES=saved"});
    EXPECT_EQ(saved.digests, (std::vector<std::string>{first.digests[60], first.digests[99]}));
}

TEST_F(ScriptedRun, PacingNeitherSlowsNorChangesAScriptedRun) {
    const RunResult unpaced = Run(BRANNOCK_FRAME_PROBE, kTour);
    // F2 turns the probe's WaitFrame(60) on before its first frame; its
    // frames stay the same, clock readings and frame-rate readout included.
    const RunResult paced =
        Run(BRANNOCK_FRAME_PROBE, (std::string("0 press F2\n0 release F2\n") + kTour).c_str());
    ASSERT_EQ(paced.exitCode, 0) << paced.output;
    ASSERT_EQ(paced.digests.size(), 100u);
    EXPECT_EQ(paced.digests, unpaced.digests);
}

TEST_F(ScriptedRun, MalformedLinesAreReportedWithTheirNumbersAndTheRunGoesOn) {
    const RunResult clean = Run(BRANNOCK_FRAME_PROBE, kTour);
    const std::string bad = std::string(kTour) +
                            "99 press Rihgt\n"     // line 20
                            "98 press Up\n"        // 21: out of order
                            "-1 press Up\n"        // 22
                            "99 jump\n"            // 23
                            "99 move 5\n"          // 24
                            "99 click 1 2 side\n"  // 25
                            "5000000000 close\n"   // 26
                            "99 press\n"           // 27
                            "99 close now\n"       // 28
                            "99 move 40000 1\n"    // 29
                            "99 save\n"            // 30
                            "later press Up\n";    // 31
    const RunResult run = Run(BRANNOCK_FRAME_PROBE, bad.c_str());
    ASSERT_EQ(run.exitCode, 0) << run.output;
    for (int line = 20; line <= 31; ++line) {
        EXPECT_NE(run.output.find("script.txt:" + std::to_string(line) + ": "), std::string::npos)
            << "line " << line << " not reported:\n"
            << run.output;
    }
    EXPECT_NE(run.output.find("script.txt:20: unknown key \"Rihgt\"; line skipped"),
              std::string::npos);
    EXPECT_NE(run.output.find("script.txt:21: frame 98 comes after frame 99"), std::string::npos);
    EXPECT_NE(run.output.find("script.txt:26: frame number 5000000000 is out of range"),
              std::string::npos);
    EXPECT_EQ(run.output.find("script.txt:19"), std::string::npos);
    EXPECT_EQ(run.digests, clean.digests);
}

TEST_F(ScriptedRun, FilesThatCannotBeWrittenAreReportedAndTheRunGoesOn) {
    const RunResult run = Run(BRANNOCK_FRAME_PROBE, "5 save no-such-folder/a.bmp\n9 save b.bmp\n",
                              {"BRANNOCK_DIGESTS=no-such-folder/digests.txt"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("script.txt:1: cannot save the screen to"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("cannot write frame digests to"), std::string::npos) << run.output;
    EXPECT_TRUE(fs::exists(folder_ / "b.bmp"));
    EXPECT_FALSE(fs::exists(folder_ / "no-such-folder"));
}

TEST_F(ScriptedRun, AScriptThatCannotBeReadIsReportedOnceAndTheProgramRunsWithoutIt) {
    // Unscripted, the run ends when the headless close control is clicked.
    for (const char* script : {"missing.txt", "."}) {
        const RunResult run =
            Run(BRANNOCK_FRAME_PROBE, nullptr,
                {std::string("BRANNOCK_SCRIPT=") + script, "BRANNOCK_HEADLESS_CLOSE_MS=300"});
        EXPECT_EQ(run.exitCode, 0) << run.output;
        const auto at = run.output.find("brannock: cannot read the script");
        EXPECT_NE(at, std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("brannock:", at + 1), std::string::npos) << run.output;
    }
}

TEST_F(ScriptedRun, AnEmptyScriptEndsTheRunBeforeTheFirstFrame) {
    const RunResult run = Run(BRANNOCK_FRAME_PROBE, "# nothing to do\n\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.digests.empty()) << run.digests.front();
}

#ifdef BRANNOCK_E2E_MINIMAL
TEST_F(ScriptedRun, AProgramThatOnlyPacesHasAFramePerPacingCall) {
    // Two seconds of the minimal program at 60 frames a second, digests on
    // stdout.
    const RunResult run =
        Run(BRANNOCK_E2E_MINIMAL, "119 save end.bmp\n", {"BRANNOCK_DIGESTS=stdout"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    int frames = 0;
    for (const std::string& line : Lines(run.output))
        frames += line.rfind("frame ", 0) == 0;
    EXPECT_EQ(frames, 120) << run.output;
    EXPECT_TRUE(fs::exists(folder_ / "end.bmp"));
}
#endif

}  // namespace
}  // namespace brannock::e2e
