// The sample's showcase (sample/showcase.txt) played through the real game
// on the headless backend, as scripts/run.sh plays it without a display:
// every line of the script is used, the run ends on its Escape with exit
// code 0, the frames it saves exist at the size of the screen mode they were
// taken in, and a second run gives the same frames.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <utility>

#include "child_program.h"

namespace brannock::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr const char* kLeakSuppressions =
    "LSAN_OPTIONS=suppressions=" BRANNOCK_E2E_LSAN_SUPPRESSIONS;
const fs::path kSampleFolder = BRANNOCK_E2E_SAMPLE_DIR;
const fs::path kShowcase = kSampleFolder / "showcase.txt";
constexpr const char* kAfterEscape = "shots/after-escape.bmp";

// The windowed screen of the test's runs; full screen is the game's 640x480.
constexpr int kDesktopWidth = 800, kDesktopHeight = 600;

// What the script asks for, read from its lines: the frames it saves (with
// the screen mode F4 left the game in by then) and the frame of its Escape.
struct Showcase {
    struct Save {
        long frame = 0;
        std::string path;
        bool fullScreen = false;
    };
    std::vector<Save> saves;
    long escapeFrame = -1;
};

Showcase ReadShowcase() {
    Showcase showcase;
    bool fullScreen = false;
    for (const std::string& line : Lines(ReadFile(kShowcase))) {
        std::istringstream words(line.substr(0, line.find('#')));
        long frame = 0;
        std::string command, argument;
        if (!(words >> frame >> command >> argument)) continue;
        if (command == "press" && argument == "F4") fullScreen = !fullScreen;
        if (command == "press" && argument == "Escape") showcase.escapeFrame = frame;
        if (command == "save") showcase.saves.push_back({frame, argument, fullScreen});
    }
    return showcase;
}

// Width and height from a BMP file's header; 0 x 0 when it is none.
std::pair<int, int> BitmapSize(const std::string& file) {
    if (file.size() < 54 || file.compare(0, 2, "BM") != 0) return {0, 0};
    const auto field = [&](std::size_t at) {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = value << 8 | static_cast<unsigned char>(file[at + i]);
        return static_cast<std::int32_t>(value);
    };
    return {field(18), std::abs(field(22))};
}

// Each run works in a folder of its own that holds the sample's data, as
// the sample folder does, and an empty shots/ for the saved frames.
class SampleShowcase : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("brannock_showcase_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        fs::create_symlink(kSampleFolder / "Sprite.txt", folder_ / "Sprite.txt");
        fs::create_directory_symlink(kSampleFolder / "image", folder_ / "image");
    }
    void TearDown() override {
        if (!HasFailure()) fs::remove_all(folder_);
    }

    // Plays the showcase with one line added: a save of the frame Escape was
    // pressed for, which the game never shows when Escape ends it.
    RunResult Run(long escapeFrame) {
        fs::remove_all(folder_ / "shots");
        fs::create_directory(folder_ / "shots");
        fs::remove(folder_ / "digests.txt");
        std::ofstream(folder_ / "showcase.txt") << ReadFile(kShowcase) << "\n"
                                                << escapeFrame << " save " << kAfterEscape << "\n";
        return RunToEnd(
            ProgramSetup{BRANNOCK_E2E_SAMPLE,
                         folder_.string(),
                         {"BRANNOCK_SCRIPT=showcase.txt", "BRANNOCK_DIGESTS=digests.txt",
                          "BRANNOCK_DIGEST_FRAMES=saved",
                          "BRANNOCK_DESKTOP=" + std::to_string(kDesktopWidth) + "x" +
                              std::to_string(kDesktopHeight),
                          kLeakSuppressions},
                         {"DISPLAY", "WAYLAND_DISPLAY", "BRANNOCK_BACKEND"}},
            (folder_ / "digests.txt").string());
    }

    fs::path folder_;
};

TEST_F(SampleShowcase, PlaysEveryLineEndsOnEscapeAndGivesTheSameFramesEachTime) {
    const Showcase showcase = ReadShowcase();
    ASSERT_GE(showcase.saves.size(), 5u) << "a handful of saved frames";
    ASSERT_GT(showcase.escapeFrame, showcase.saves.back().frame);

    const RunResult first = Run(showcase.escapeFrame);
    ASSERT_EQ(first.exitCode, 0) << first.output;
    // The platform reports any line it could not use, and any save it could
    // not write, with a "brannock:" line.
    EXPECT_EQ(first.output.find("brannock:"), std::string::npos) << first.output;
    // Escape ended the game before it drew the frame it was pressed for;
    // without Escape, the script's end would close the window after it.
    EXPECT_FALSE(fs::exists(folder_ / kAfterEscape));

    ASSERT_EQ(first.digests.size(), showcase.saves.size()) << first.output;
    std::vector<std::string> frames;
    std::set<std::string> savedDigests;
    for (std::size_t i = 0; i < showcase.saves.size(); ++i) {
        const Showcase::Save& save = showcase.saves[i];
        SCOPED_TRACE(save.path);
        frames.push_back(ReadFile(folder_ / save.path));
        const auto [width, height] = BitmapSize(frames.back());
        EXPECT_EQ(width, save.fullScreen ? 640 : kDesktopWidth);
        EXPECT_EQ(height, save.fullScreen ? 480 : kDesktopHeight);
        const std::string& line = first.digests[i];
        EXPECT_EQ(line.rfind("frame " + std::to_string(save.frame) + " ", 0), 0u) << line;
        savedDigests.insert(line.substr(line.rfind(' ') + 1));
    }
    // Each saved frame shows something of its own.
    EXPECT_EQ(savedDigests.size(), showcase.saves.size());

    const RunResult second = Run(showcase.escapeFrame);
    ASSERT_EQ(second.exitCode, 0) << second.output;
    EXPECT_EQ(second.digests, first.digests);
    for (std::size_t i = 0; i < showcase.saves.size(); ++i)
        EXPECT_EQ(ReadFile(folder_ / showcase.saves[i].path), frames[i]) << showcase.saves[i].path;
}

}  // namespace
}  // namespace brannock::e2e
