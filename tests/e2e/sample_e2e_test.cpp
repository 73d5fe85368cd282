// The sample game end to end: the real program on the SDL2 backend in an
// Xvfb server of its own, started in the sample folder, driven with xdotool
// and judged from screenshots against its own data (the background bitmap
// and the fighter's palette).
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <thread>

#include "child_program.h"
#include "x_display.h"

namespace brannock::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr const char* kLeakSuppressions =
    "LSAN_OPTIONS=suppressions=" BRANNOCK_E2E_LSAN_SUPPRESSIONS;
const fs::path kSampleFolder = BRANNOCK_E2E_SAMPLE_DIR;

constexpr int kScreenWidth = 1280, kScreenHeight = 720;
constexpr int kGameWidth = 640, kGameHeight = 480;
constexpr int kFloorY = 320;  // the row of the fighter's soles
// Below the frame-rate readout, which the window's top rows carry.
constexpr int kSceneTop = 40;

// Equal as far as the game's 16-bit display keeps a colour (0x00RRGGBB).
bool Same(std::uint32_t a, std::uint32_t b) {
    return ((a ^ b) & 0xF8FCF8) == 0;
}

std::uint32_t Field(const std::string& file, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(file[at + i]);
    return value;
}

// The background the game shows: a 24-bit, bottom-up BMP file.
Screenshot ReadBackground() {
    const std::string file = ReadFile(kSampleFolder / "image" / "bg02a.bmp");
    Screenshot image;
    if (file.size() < 54 || Field(file, 28, 2) != 24) return image;
    const int width = static_cast<int>(Field(file, 18, 4));
    const int height = static_cast<int>(Field(file, 22, 4));
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    const std::size_t start = Field(file, 10, 4);
    if (width <= 0 || height <= 0 || file.size() < start + stride * height) return image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = start + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x)
            image.pixels.push_back(Field(file, row + static_cast<std::size_t>(x) * 3, 3));
    }
    return image;
}

// The fighter's colours: the colour table of one of his 8-bit frames, less
// the transparent magenta.
std::vector<std::uint32_t> ReadFighterColours() {
    const std::string file = ReadFile(kSampleFolder / "image" / "stand0.bmp");
    std::vector<std::uint32_t> colours;
    if (file.size() < 54 || Field(file, 28, 2) != 8) return colours;
    const std::size_t table = 14 + Field(file, 14, 4);
    const std::size_t count = Field(file, 46, 4);
    for (std::size_t i = 0; i < count && table + 4 * i + 3 <= file.size(); ++i) {
        const std::uint32_t colour = Field(file, table + 4 * i, 3);
        if (colour != 0xFF00FF) colours.push_back(colour);
    }
    return colours;
}

// Where the picture differs from the background in the scene below the
// readout: the fighter, when the game drew him.
struct Figure {
    int pixels = 0;
    int inPalette = 0;  // of those, pixels in the fighter's colours
    int left = kGameWidth, top = kGameHeight, right = -1, bottom = -1;

    int CentreX() const { return (left + right) / 2; }
    int Height() const { return bottom - top + 1; }
    // Whole, standing on the floor, and drawn in the fighter's colours.
    bool StandsOnTheFloor() const {
        return pixels > 1500 && left > 0 && right < kGameWidth - 1 && Height() >= 90 &&
               Height() <= 150 && std::abs(bottom - kFloorY) <= 1 && inPalette >= pixels * 95 / 100;
    }
};

Figure FindFigure(const Screenshot& shot, const Screenshot& background,
                  const std::vector<std::uint32_t>& colours) {
    Figure figure;
    if (shot.width != kGameWidth || shot.height != kGameHeight) return figure;
    for (int y = kSceneTop; y < kGameHeight; ++y) {
        for (int x = 0; x < kGameWidth; ++x) {
            const std::uint32_t seen = shot.At(x, y);
            if (Same(seen, background.At(x, y))) continue;
            ++figure.pixels;
            for (std::uint32_t colour : colours) {
                if (Same(seen, colour)) {
                    ++figure.inPalette;
                    break;
                }
            }
            figure.left = std::min(figure.left, x);
            figure.right = std::max(figure.right, x);
            figure.top = std::min(figure.top, y);
            figure.bottom = std::max(figure.bottom, y);
        }
    }
    return figure;
}

std::string Describe(const Figure& f) {
    return std::to_string(f.pixels) + " pixels differ from the background (" +
           std::to_string(f.inPalette) + " in the fighter's colours), box x " +
           std::to_string(f.left) + "-" + std::to_string(f.right) + ", y " + std::to_string(f.top) +
           "-" + std::to_string(f.bottom);
}

std::string TestName() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

class SampleGame : public testing::Test {
  protected:
    void SetUp() override {
        if (!XvfbDisplay::Installed()) GTEST_SKIP() << "Xvfb is not installed";
        background_ = ReadBackground();
        colours_ = ReadFighterColours();
        ASSERT_EQ(background_.width, kGameWidth) << "cannot read the background bitmap";
        ASSERT_GE(colours_.size(), 8u) << "cannot read the fighter's palette";
        display_.emplace(kScreenWidth, kScreenHeight);
        ASSERT_TRUE(XvfbDisplay::WindowManagerInstalled()) << "evilwm is not installed";
        ASSERT_TRUE(display_->Running()) << "Xvfb or its window manager did not start";
        program_.emplace(ProgramSetup{
            BRANNOCK_E2E_SAMPLE,
            kSampleFolder.string(),
            {"DISPLAY=" + display_->Name(), "BRANNOCK_MESSAGE_BOXES=stderr", kLeakSuppressions},
            {"BRANNOCK_BACKEND", "BRANNOCK_SCRIPT", "BRANNOCK_RECORD"}});
        ASSERT_TRUE(program_->Started());
        window_ = display_->FindWindow("^AUTO=", 10s);
        ASSERT_FALSE(window_.empty()) << "no window; output:\n" << program_->Output();
    }

    // Presses a key in the game's window.
    void Press(const std::string& key) { ASSERT_TRUE(display_->Type(window_, "key " + key)); }

    // The title once it reads `expected` (the window thread sets it a
    // little after the key), or as it is after five seconds.
    std::string TitleWhen(const std::string& expected) {
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        std::string title = display_->WindowTitle(window_);
        while (title != expected && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(50ms);
            title = display_->WindowTitle(window_);
        }
        return title;
    }

    // Takes screenshots of `window` until `wanted` holds for one and returns
    // it; when none does within `patience`, fails and keeps the last one as
    // a file under the test's name for a look.
    Screenshot CaptureWhen(const std::string& window, const std::string& label,
                           const std::function<bool(const Screenshot&)>& wanted,
                           std::chrono::seconds patience = 5s) {
        fs::create_directories(BRANNOCK_E2E_SCREENSHOTS);
        const std::string path =
            std::string(BRANNOCK_E2E_SCREENSHOTS) + "/" + TestName() + "." + label + ".png";
        const auto deadline = std::chrono::steady_clock::now() + patience;
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

    // The fighter in a screenshot of the window taken once he stands whole
    // on the floor and `where` holds for him.
    Figure CaptureFighter(const std::string& label,
                          const std::function<bool(const Figure&)>& where = {},
                          std::chrono::seconds patience = 5s) {
        Figure found;
        CaptureWhen(
            window_, label,
            [&](const Screenshot& shot) {
                found = FindFigure(shot, background_, colours_);
                return found.StandsOnTheFloor() && (!where || where(found));
            },
            patience);
        return found;
    }

    Screenshot background_;
    std::vector<std::uint32_t> colours_;
    std::optional<XvfbDisplay> display_;
    std::optional<ChildProgram> program_;
    std::string window_;
};

TEST_F(SampleGame, TheTitleShowsTheSwitchesThatF1AndF2Flip) {
    EXPECT_EQ(TitleWhen("AUTO=1 WAIT=0"), "AUTO=1 WAIT=0");
    Press("F1");
    EXPECT_EQ(TitleWhen("AUTO=0 WAIT=0"), "AUTO=0 WAIT=0");
    Press("F2");
    EXPECT_EQ(TitleWhen("AUTO=0 WAIT=1"), "AUTO=0 WAIT=1");
    Press("F1");
    EXPECT_EQ(TitleWhen("AUTO=1 WAIT=1"), "AUTO=1 WAIT=1");
    // Letters are not switches, even 'p' and 'q', whose character codes are
    // those of F1 and F2.
    Press("p q P");
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(display_->WindowTitle(window_), "AUTO=1 WAIT=1");
}

TEST_F(SampleGame, TheFighterStandsOverTheBackgroundAndWalksRightWithAuto) {
    // Many colours: the background's shading, not a flat fill.
    const Screenshot shot = CaptureWhen(window_, "scene", [&](const Screenshot& s) {
        return FindFigure(s, background_, colours_).StandsOnTheFloor();
    });
    std::set<std::uint32_t> distinct(shot.pixels.begin(), shot.pixels.end());
    EXPECT_GT(distinct.size(), 200u);
    // Away from the fighter and the readout the picture is the background.
    int sky = 0;
    for (int x = 0; x < kGameWidth; ++x)
        sky += Same(shot.At(x, 100), background_.At(x, 100));
    EXPECT_EQ(sky, kGameWidth);

    // WAIT holds AUTO's walk to 2 pixels a frame at 60 frames a second, so
    // between two shots he goes some way right, unless he wrapped round from
    // the right edge to the left one in between; then the next pair tells.
    Press("F2");
    ASSERT_EQ(TitleWhen("AUTO=1 WAIT=1"), "AUTO=1 WAIT=1");
    std::string pairs;
    bool movedRight = false;
    for (int attempt = 0; attempt < 3 && !movedRight; ++attempt) {
        const Figure before = CaptureFighter("auto-before");
        std::this_thread::sleep_for(300ms);
        const Figure after = CaptureFighter("auto-after");
        const int moved = after.CentreX() - before.CentreX();
        movedRight = moved > 0 && moved < kGameWidth / 2;
        pairs += Describe(before) + "\n then " + Describe(after) + "\n";
    }
    EXPECT_TRUE(movedRight) << pairs;

    // AUTO off: he stays where he is. Stopped while off the screen between
    // the wrap points he would stay unseen, so stop him well inside it (on
    // a slow machine a round of his walk takes a while).
    CaptureFighter(
        "before-stop", [](const Figure& f) { return f.CentreX() < 400; }, 40s);
    Press("F1");
    ASSERT_EQ(TitleWhen("AUTO=0 WAIT=1"), "AUTO=0 WAIT=1");
    std::this_thread::sleep_for(200ms);
    const Figure standing = CaptureFighter("standing");
    std::this_thread::sleep_for(300ms);
    const Figure later = CaptureFighter("standing-later");
    EXPECT_LE(std::abs(later.CentreX() - standing.CentreX()), 3) << Describe(standing) << "\n"
                                                                 << Describe(later);
}

TEST_F(SampleGame, FullScreenAndBackKeepsThePicture) {
    CaptureFighter("window");
    Press("F4");
    // The 640x480 display mode scaled to the screen's height, with black
    // bars at the sides.
    const int shown = kScreenHeight * kGameWidth / kGameHeight;
    const int bar = (kScreenWidth - shown) / 2;
    const Screenshot screen = CaptureWhen("root", "full-screen", [&](const Screenshot& s) {
        return s.width == kScreenWidth && s.At(bar + 10, 10) != 0 &&
               s.At(kScreenWidth - bar - 10, kScreenHeight - 10) != 0 &&
               s.At(bar / 2, kScreenHeight / 2) == 0;
    });
    ASSERT_EQ(screen.width, kScreenWidth);
    // The sky of the background, scaled.
    for (int x = 0; x < kGameWidth; x += 40) {
        EXPECT_TRUE(Same(screen.At(bar + x * shown / kGameWidth, 100 * kScreenHeight / kGameHeight),
                         background_.At(x, 100)))
            << "at x " << x;
    }

    Press("F4");
    window_ = display_->FindWindow("^AUTO=", 10s);
    ASSERT_FALSE(window_.empty());
    const Figure back = CaptureFighter("window-again");
    EXPECT_TRUE(back.StandsOnTheFloor()) << Describe(back);
}

TEST_F(SampleGame, EscapeEndsTheProgramWithZeroWithinThreeSeconds) {
    CaptureFighter("running");
    Press("Escape");
    const std::optional<int> code = program_->WaitForExit(3s);
    ASSERT_TRUE(code.has_value()) << "still running 3 s after Escape:\n" << program_->Output();
    EXPECT_EQ(*code, 0) << program_->Output();
}

}  // namespace
}  // namespace brannock::e2e
