// How the platform learns the program's frames: DirectDraw's present path
// tells the backend, and the frame counter makes frames of the notices.
#include <gtest/gtest.h>

#include <thread>

#include "platform/backend/script/frame_counter.h"
#include "platform/backend/script/frame_digest.h"
#include "tests/platform/ddraw_fixture.h"
#include "tests/platform/recording_backend.h"

namespace {

using brannock::platform::script::DigestOf;
using brannock::platform::script::FrameCounter;
using brannock::platform::script::FrameEnd;

std::vector<std::string> Ends(const std::vector<FrameEnd>& ends) {
    std::vector<std::string> text;
    for (const FrameEnd& end : ends)
        text.push_back(std::to_string(end.frame) + "@" + std::to_string(end.framesPerSecond));
    return text;
}

TEST(FrameCounter, PacingCallsEndFramesUntilTheProgramPresents) {
    std::vector<FrameEnd> ends;
    FrameCounter counter([&](const FrameEnd& end) { ends.push_back(end); });
    counter.Paced(30);  // a program drawing nothing yet, paced at 30
    counter.Paced(30);
    counter.Presented();
    counter.Paced(50);  // from now on pacing only sets the pace
    counter.Presented();
    counter.Presented();
    // Another thread's notices (a repaint) are no frames.
    std::thread([&] {
        counter.Presented();
        counter.Paced(10);
    }).join();
    counter.Presented();
    EXPECT_EQ(Ends(ends),
              (std::vector<std::string>{"0@30", "1@30", "2@30", "3@50", "4@50", "5@50"}));
}

TEST(FrameCounter, WithoutPacingTheFramesHaveTheDefaultPace) {
    std::vector<FrameEnd> ends;
    FrameCounter counter([&](const FrameEnd& end) { ends.push_back(end); });
    counter.Presented();
    counter.Presented();
    EXPECT_EQ(Ends(ends), (std::vector<std::string>{"0@60", "1@60"}));
}

TEST(PresentNotices, CopiesOntoThePrimaryAndFlipsArePresentedFramesAndNothingElse) {
    using namespace brannock::test;
    auto& backend = RecordingBackend::Install();
    const HWND window = CreateTestWindow(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    {
        auto directDraw = CreateDirectDraw();
        auto primary = CreatePrimary(directDraw.get());
        auto offscreen = CreatePlain(directDraw.get(), 64, 64);
        ASSERT_TRUE(primary && offscreen);
        backend.Clear();
        // Drawing elsewhere, and filling the primary, presents nothing.
        FillSurface(offscreen.get(), 0);
        FillSurface(primary.get(), 0);
        EXPECT_TRUE(backend.Events("present").empty());
        RECT to{0, 0, 64, 64};
        ASSERT_EQ(primary->Blt(&to, offscreen.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
        EXPECT_EQ(backend.Events("present").size(), 1u);
        ASSERT_EQ(primary->BltFast(0, 0, offscreen.get(), nullptr, DDBLTFAST_WAIT), DD_OK);
        EXPECT_EQ(backend.Events("present").size(), 2u);
        // A copy that fails presents nothing.
        RECT outside{0, 0, 65, 65};
        EXPECT_NE(primary->Blt(&to, offscreen.get(), &outside, DDBLT_WAIT, nullptr), DD_OK);
        EXPECT_EQ(backend.Events("present").size(), 2u);
    }

    auto directDraw = CreateDirectDraw(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 16, 0, 0), DD_OK);
    auto primary = CreatePrimary(directDraw.get(), 1);
    ASSERT_TRUE(primary);
    backend.Clear();
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    EXPECT_EQ(backend.Events("present"), (std::vector<std::string>{"present"}));
}

TEST(FrameDigest, FollowsEveryPixelAndTheShape) {
    brannock::platform::display::HostImage image{4, 2, 0, std::vector<std::uint32_t>(8, 0x123456)};
    const std::uint64_t digest = DigestOf(image);
    EXPECT_EQ(DigestOf(image), digest);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        auto changed = image;
        changed.pixels[i] ^= 1;
        EXPECT_NE(DigestOf(changed), digest) << i;
    }
    // The unused top byte is not part of the picture.
    auto padded = image;
    padded.pixels[3] |= 0xFF000000u;
    EXPECT_EQ(DigestOf(padded), digest);
    auto reshaped = image;
    reshaped.width = 2;
    reshaped.height = 4;
    EXPECT_NE(DigestOf(reshaped), digest);
}

}  // namespace
