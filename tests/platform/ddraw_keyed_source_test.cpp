// A colour-keyed source surface drawn again after a change shows the change,
// whatever made it: Lock, a fill or a blit into it, a new key or key range,
// GDI drawing, a lost and restored surface, a flip; and one source drawn
// from two threads at once.
#include <thread>
#include <vector>

#include "tests/platform/ddraw_fixture.h"

namespace {

using namespace brannock::test;

class KeyedSource : public ::testing::TestWithParam<int> {
  protected:
    static constexpr int kWidth = 40, kHeight = 6;

    int Bits() const { return GetParam(); }
    DWORD ColourBits() const { return Bits() == 16 ? 0xFFFF : 0xFFFFFF; }
    DWORD Magenta() const { return Bits() == 16 ? 0xF81F : 0xFF00FF; }
    DWORD Background() const { return Bits() == 16 ? 0x0841 : 0x102030; }
    // Distinct colours, never magenta or the background.
    DWORD Pattern(int x, int y) const {
        return Bits() == 16 ? static_cast<DWORD>(0x0100 + x * 37 + y * 1031)
                            : static_cast<DWORD>(0x010000 * (y + 1) + 0x0100 * (x + 1) + 7);
    }

    void SetKey(IDirectDrawSurface7* surface, DWORD low, DWORD high) {
        DDCOLORKEY key{low, high};
        ASSERT_EQ(surface->SetColorKey(DDCKEY_SRCBLT | DDCKEY_COLORSPACE, &key), DD_OK);
        low_ = low;
        high_ = high;
    }
    // Stretches of 7 magenta pixels between stretches of 10 of the pattern,
    // keyed by magenta: shaped like a sprite.
    Com<IDirectDrawSurface7> Sprite() {
        auto sprite = CreatePlain(directDraw.get(), kWidth, kHeight, Bits());
        WritePixels(sprite.get(),
                    [&](int x, int y) { return (x + 3 * y) % 17 < 7 ? Magenta() : Pattern(x, y); });
        SetKey(sprite.get(), Magenta(), Magenta());
        return sprite;
    }

    // Draws `source` keyed into fresh targets, plainly and mirrored left-right
    // from a part of it, and checks that both show its
    // pixels as they are now under the key last set.
    void ExpectDrawnAsItIs(IDirectDrawSurface7* source) {
        const std::vector<DWORD> pixels = ReadPixels(source);
        const auto drawn = [&](int sx, int sy) {
            const DWORD value = pixels[sy * kWidth + sx];
            const DWORD colour = value & ColourBits();
            return colour >= low_ && colour <= high_ ? Background() : value;
        };
        auto plain = CreatePlain(directDraw.get(), kWidth + 4, kHeight + 2, Bits());
        FillSurface(plain.get(), Background());
        ASSERT_EQ(plain->BltFast(2, 1, source, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT),
                  DD_OK);
        ExpectPixels(plain.get(), [&](int x, int y) {
            const bool inside = x >= 2 && x < 2 + kWidth && y >= 1 && y < 1 + kHeight;
            return inside ? drawn(x - 2, y - 1) : Background();
        });

        // Mirrored, from a part of the source without 3 columns either side.
        auto mirrored = CreatePlain(directDraw.get(), kWidth - 6, kHeight, Bits());
        FillSurface(mirrored.get(), Background());
        auto fx = Sized<DDBLTFX>();
        fx.dwDDFX = DDBLTFX_MIRRORLEFTRIGHT;
        RECT part{3, 0, kWidth - 3, kHeight};
        const HRESULT keyed =
            mirrored->Blt(nullptr, source, &part, DDBLT_KEYSRC | DDBLT_DDFX | DDBLT_WAIT, &fx);
        // Blt, unlike BltFast, refuses a keyed draw from a source without a key.
        if (low_ > high_) {
            EXPECT_EQ(keyed, DDERR_INVALIDPARAMS);
            return;
        }
        ASSERT_EQ(keyed, DD_OK);
        ExpectPixels(mirrored.get(), [&](int x, int y) { return drawn(kWidth - 1 - (x + 3), y); });
    }

    Com<IDirectDraw7> directDraw = CreateDirectDraw();
    DWORD low_ = 0, high_ = 0;
};

INSTANTIATE_TEST_SUITE_P(Depths, KeyedSource, ::testing::Values(16, 24, 32),
                         [](const auto& info) { return std::to_string(info.param) + "bit"; });

TEST_P(KeyedSource, WritesIntoTheSourceShowInTheNextDraw) {
    auto sprite = Sprite();
    ExpectDrawnAsItIs(sprite.get());

    // Lock: a keyed stretch becomes opaque, an opaque one keyed.
    const std::vector<DWORD> before = ReadPixels(sprite.get());
    WritePixels(sprite.get(), [&](int x, int y) {
        if (y == 2 && x < 12) return Pattern(x, y);
        if (y == 3 && x >= 20) return Magenta();
        return before[y * kWidth + x];
    });
    EXPECT_EQ(Pixel(sprite.get(), 30, 3), Magenta());
    ExpectDrawnAsItIs(sprite.get());

    // Colour fills: a keyed block, then an opaque one.
    auto fx = Sized<DDBLTFX>();
    fx.dwFillColor = Magenta();
    RECT block{5, 0, 25, 4};
    ASSERT_EQ(sprite->Blt(&block, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    ExpectDrawnAsItIs(sprite.get());
    fx.dwFillColor = Pattern(1, 1);
    RECT row{0, 5, kWidth, 6};
    ASSERT_EQ(sprite->Blt(&row, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    ExpectDrawnAsItIs(sprite.get());

    // Blits into it: an opaque copy, then a keyed one from a sprite of its
    // own.
    auto solid = CreatePlain(directDraw.get(), 10, 3, Bits());
    WritePixels(solid.get(), [&](int x, int y) { return Pattern(x + 20, y + 2); });
    ASSERT_EQ(sprite->BltFast(8, 1, solid.get(), nullptr, DDBLTFAST_WAIT), DD_OK);
    ExpectDrawnAsItIs(sprite.get());
    auto other = Sprite();
    RECT part{0, 0, 16, 6};
    RECT dest{20, 0, 36, 6};
    ASSERT_EQ(sprite->Blt(&dest, other.get(), &part, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);
    ExpectDrawnAsItIs(sprite.get());

    // GDI: a magenta rectangle and an opaque pixel.
    HDC dc = nullptr;
    ASSERT_EQ(sprite->GetDC(&dc), DD_OK);
    FillArea(dc, {30, 1, 38, 5}, RGB(255, 0, 255));
    SetPixel(dc, 0, 0, RGB(0x40, 0x80, 0xC0));
    ASSERT_EQ(sprite->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(Pixel(sprite.get(), 31, 2), Magenta());
    ExpectDrawnAsItIs(sprite.get());

    // Lost and restored (in the desktop's format, the only one a windowed
    // display restores), the pixels are drawn as they stand.
#ifndef _WIN32
    if (Bits() == 32) {
        brannock::testing::LoseSurface(sprite.get());
        ASSERT_EQ(sprite->Restore(), DD_OK);
        ExpectDrawnAsItIs(sprite.get());
    }
#endif
}

TEST_P(KeyedSource, ANewKeyOrKeyRangeShowsInTheNextDraw) {
    auto sprite = Sprite();
    ExpectDrawnAsItIs(sprite.get());
    // The colour of one opaque pixel becomes the key: magenta is drawn.
    const DWORD colour = Pixel(sprite.get(), 10, 0);
    SetKey(sprite.get(), colour, colour);
    ExpectDrawnAsItIs(sprite.get());
#ifndef _WIN32  // Windows' software blitter keys single colours only
    // A range holding about half the pattern's colours.
    SetKey(sprite.get(), Pattern(0, 2), Pattern(kWidth - 1, 4));
    ExpectDrawnAsItIs(sprite.get());
#endif
#ifndef _WIN32  // Wine goes on keying with a key taken away
    // A key taken away: BltFast's keyed draw copies every pixel.
    ASSERT_EQ(sprite->SetColorKey(DDCKEY_SRCBLT, nullptr), DD_OK);
    low_ = 1;
    high_ = 0;
    ExpectDrawnAsItIs(sprite.get());
#endif
    SetKey(sprite.get(), Magenta(), Magenta());
    ExpectDrawnAsItIs(sprite.get());
}

#ifndef _WIN32  // a 40x6 display mode exists on the emulated screen only
TEST_P(KeyedSource, ABackBufferUsedAsASourceShowsWhatAFlipBroughtIntoIt) {
    const HWND window = CreateTestWindow(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    directDraw = CreateDirectDraw(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    ASSERT_EQ(directDraw->SetDisplayMode(kWidth, kHeight, Bits(), 0, 0), DD_OK);
    auto primary = CreatePrimary(directDraw.get(), 1);
    ASSERT_TRUE(primary);
    auto back = BackBuffer(primary.get());
    WritePixels(back.get(), [&](int x, int y) { return x < 20 ? Magenta() : Pattern(x, y); });
    SetKey(back.get(), Magenta(), Magenta());
    ExpectDrawnAsItIs(back.get());
    // The back buffer now holds what the screen showed: black, drawn whole.
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(Pixel(back.get(), 0, 0), 0u);
    ExpectDrawnAsItIs(back.get());
    DestroyWindow(window);
}
#endif

// Both threads may find the source changed and its runs to be built anew.
TEST_P(KeyedSource, TwoThreadsDrawFromOneSourceAtOnce) {
    auto sprite = Sprite();
    std::vector<Com<IDirectDrawSurface7>> targets;
    for (int i = 0; i < 2; ++i)
        targets.push_back(CreatePlain(directDraw.get(), kWidth, kHeight, Bits()));
    for (int round = 0; round < 20; ++round) {
        const DWORD colour = Pattern(round, round % kHeight);
        SetKey(sprite.get(), round % 2 ? colour : Magenta(), round % 2 ? colour : Magenta());
        std::vector<std::thread> threads;
        for (const auto& target : targets) {
            IDirectDrawSurface7* into = target.get();
            FillSurface(into, Background());
            threads.emplace_back([into, source = sprite.get()] {
                for (int i = 0; i < 5; ++i)
                    EXPECT_EQ(into->BltFast(0, 0, source, nullptr, DDBLTFAST_SRCCOLORKEY), DD_OK);
            });
        }
        for (std::thread& thread : threads)
            thread.join();
        const std::vector<DWORD> pixels = ReadPixels(sprite.get());
        for (const auto& target : targets) {
            ExpectPixels(target.get(), [&](int x, int y) {
                const DWORD value = pixels[y * kWidth + x];
                return (value & ColourBits()) == low_ ? Background() : value;
            });
        }
    }
}

}  // namespace
