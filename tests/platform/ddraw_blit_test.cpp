// DirectDraw blits between off-screen surfaces, pixel by pixel, at 16 and
// 32 bits: plain, colour-keyed, mirrored, stretched, refused rectangles,
// fills, and the surface states that stop them.
#include "tests/platform/ddraw_fixture.h"

#ifndef _WIN32
#include "platform/testing/display.h"
#endif

namespace {

using brannock::test::Com;
using brannock::test::CreateDirectDraw;
using brannock::test::CreatePlain;
using brannock::test::Description;
using brannock::test::Effects;
using brannock::test::FillSurface;
using brannock::test::ReadPixels;
using brannock::test::WritePixels;

class DirectDrawBlit : public ::testing::TestWithParam<int> {
  protected:
    int Bits() const { return GetParam(); }
    DWORD Key() const { return Bits() == 16 ? 0xF81F : 0xFF00FF; }
    DWORD Background() const { return Bits() == 16 ? 0x0841 : 0x102030; }
    // Distinct, never the key.
    DWORD Pattern(int x, int y) const {
        return Bits() == 16 ? static_cast<DWORD>(0x0100 + x * 37 + y * 1031)
                            : static_cast<DWORD>(0x010000 * (y + 1) + 0x0100 * (x + 1) + 7);
    }
    Com<IDirectDrawSurface7> Surface(int width, int height) {
        return CreatePlain(directDraw.get(), width, height, Bits());
    }
    Com<IDirectDrawSurface7> PatternSurface(int width, int height) {
        auto surface = Surface(width, height);
        WritePixels(surface.get(), [&](int x, int y) { return Pattern(x, y); });
        return surface;
    }
    Com<IDirectDrawSurface7> Target(int width, int height) {
        auto surface = Surface(width, height);
        FillSurface(surface.get(), Background());
        return surface;
    }

    Com<IDirectDraw7> directDraw = CreateDirectDraw();
};

INSTANTIATE_TEST_SUITE_P(Depths, DirectDrawBlit, ::testing::Values(16, 32),
                         [](const auto& info) { return std::to_string(info.param) + "bit"; });

TEST_P(DirectDrawBlit, OpaqueCopiesLandExactlyAndNowhereElse) {
    auto source = PatternSurface(7, 5);
    auto target = Target(20, 12);
    RECT part{1, 1, 6, 4};
    ASSERT_EQ(target->BltFast(3, 4, source.get(), &part, DDBLTFAST_WAIT), DD_OK);
    RECT dest{12, 2, 17, 5};
    ASSERT_EQ(target->Blt(&dest, source.get(), &part, DDBLT_WAIT, nullptr), DD_OK);

    const auto pixels = ReadPixels(target.get());
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 20; ++x) {
            DWORD expected = Background();
            if (x >= 3 && x < 8 && y >= 4 && y < 7) expected = Pattern(x - 3 + 1, y - 4 + 1);
            if (x >= 12 && x < 17 && y >= 2 && y < 5) expected = Pattern(x - 12 + 1, y - 2 + 1);
            ASSERT_EQ(pixels[y * 20 + x], expected) << x << "," << y;
        }
    }
}

TEST_P(DirectDrawBlit, SourceColourKeyLeavesKeyedPixelsAlone) {
    // Wide enough for whole vectors and a tail.
    constexpr int kWidth = 37;
    auto source = Surface(kWidth, 3);
    const auto keyed = [](int x, int y) { return (x + y) % 3 == 0; };
    // On 32 bits only the colour bits count: the unused top byte is ignored.
    const DWORD keyAsStored = Bits() == 32 ? Key() | 0xAB000000 : Key();
    WritePixels(source.get(),
                [&](int x, int y) { return keyed(x, y) ? keyAsStored : Pattern(x, y); });
    DDCOLORKEY key{Key(), Key()};
    ASSERT_EQ(source->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);

    auto viaBlt = Target(kWidth, 3);
    auto viaBltFast = Target(kWidth, 3);
    auto unkeyed = Target(kWidth, 3);
    ASSERT_EQ(viaBlt->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr),
              DD_OK);
    ASSERT_EQ(viaBltFast->BltFast(0, 0, source.get(), nullptr, DDBLTFAST_SRCCOLORKEY), DD_OK);
    ASSERT_EQ(unkeyed->BltFast(0, 0, source.get(), nullptr, DDBLTFAST_NOCOLORKEY), DD_OK);

    const auto a = ReadPixels(viaBlt.get()), b = ReadPixels(viaBltFast.get());
    const auto c = ReadPixels(unkeyed.get());
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const DWORD expected = keyed(x, y) ? Background() : Pattern(x, y);
            ASSERT_EQ(a[y * kWidth + x], expected) << x << "," << y;
            ASSERT_EQ(b[y * kWidth + x], expected) << x << "," << y;
            ASSERT_EQ(c[y * kWidth + x], keyed(x, y) ? keyAsStored : Pattern(x, y));
        }
    }
}

TEST_P(DirectDrawBlit, MirrorsLeftRightUpDownAndBoth) {
    constexpr int kWidth = 19, kHeight = 4;
    auto source = Surface(kWidth, kHeight);
    WritePixels(source.get(), [&](int x, int y) { return x == 2 ? Key() : Pattern(x, y); });
    DDCOLORKEY key{Key(), Key()};
    ASSERT_EQ(source->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);

    for (const DWORD mirror : {DDBLTFX_MIRRORLEFTRIGHT, DDBLTFX_MIRRORUPDOWN,
                               DDBLTFX_MIRRORLEFTRIGHT | DDBLTFX_MIRRORUPDOWN}) {
        auto target = Target(kWidth + 2, kHeight + 2);
        DDBLTFX fx = Effects();
        fx.dwDDFX = mirror;
        RECT dest{1, 1, 1 + kWidth, 1 + kHeight};
        ASSERT_EQ(
            target->Blt(&dest, source.get(), nullptr, DDBLT_WAIT | DDBLT_KEYSRC | DDBLT_DDFX, &fx),
            DD_OK);
        const auto pixels = ReadPixels(target.get());
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const int sx = (mirror & DDBLTFX_MIRRORLEFTRIGHT) ? kWidth - 1 - x : x;
                const int sy = (mirror & DDBLTFX_MIRRORUPDOWN) ? kHeight - 1 - y : y;
                const DWORD expected = sx == 2 ? Background() : Pattern(sx, sy);
                ASSERT_EQ(pixels[(y + 1) * (kWidth + 2) + x + 1], expected)
                    << "mirror " << mirror << " at " << x << "," << y;
            }
        }
        EXPECT_EQ(pixels[0], Background());
    }
}

TEST_P(DirectDrawBlit, StretchesByTheNearestPixel) {
    auto source = PatternSurface(6, 4);
    auto doubled = Target(12, 8);
    RECT small{0, 0, 3, 2};
    ASSERT_EQ(doubled->Blt(nullptr, source.get(), &small, DDBLT_WAIT, nullptr), DD_OK);
    auto halved = Target(3, 2);
    ASSERT_EQ(halved->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    auto mirrored = Target(12, 8);
    DDBLTFX fx = Effects();
    fx.dwDDFX = DDBLTFX_MIRRORLEFTRIGHT;
    ASSERT_EQ(mirrored->Blt(nullptr, source.get(), &small, DDBLT_WAIT | DDBLT_DDFX, &fx), DD_OK);

    const auto twice = ReadPixels(doubled.get()), back = ReadPixels(mirrored.get());
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 12; ++x) {
            // Every source pixel of the 3x2 corner becomes a 4x4 block.
            ASSERT_EQ(twice[y * 12 + x], Pattern(x / 4, y / 4)) << x << "," << y;
            ASSERT_EQ(back[y * 12 + x], Pattern((11 - x) / 4, y / 4)) << x << "," << y;
        }
    }
    // Shrinking samples the centre of each target pixel: odd columns and rows.
    const auto half = ReadPixels(halved.get());
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(half[y * 3 + x], Pattern(2 * x + 1, 2 * y + 1));
    }
}

TEST_P(DirectDrawBlit, RectanglesOutsideTheSurfacesAreRefused) {
    auto source = PatternSurface(8, 8);
    auto target = Target(16, 16);
    RECT pastRight{10, 0, 18, 8};
    EXPECT_EQ(target->Blt(&pastRight, source.get(), nullptr, DDBLT_WAIT, nullptr),
              DDERR_INVALIDRECT);
    RECT aboveTop{0, -1, 8, 7};
    EXPECT_EQ(target->Blt(&aboveTop, source.get(), nullptr, DDBLT_WAIT, nullptr),
              DDERR_INVALIDRECT);
    RECT reversed{8, 0, 0, 8};
    EXPECT_EQ(target->Blt(&reversed, source.get(), nullptr, DDBLT_WAIT, nullptr),
              DDERR_INVALIDRECT);
    RECT outsideSource{4, 4, 12, 8};
    EXPECT_EQ(target->Blt(nullptr, source.get(), &outsideSource, DDBLT_WAIT, nullptr),
              DDERR_INVALIDRECT);
    EXPECT_EQ(target->BltFast(9, 0, source.get(), nullptr, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_EQ(target->BltFast(0xFFFFFFFF, 0, source.get(), nullptr, DDBLTFAST_WAIT),
              DDERR_INVALIDRECT);
    EXPECT_EQ(target->Blt(nullptr, nullptr, nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDPARAMS);
    DDBLTFX wrongSize = Effects();
    wrongSize.dwSize = 100;
    EXPECT_EQ(target->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &wrongSize),
              DDERR_INVALIDPARAMS);

    for (const DWORD pixel : ReadPixels(target.get()))
        ASSERT_EQ(pixel, Background());
}

TEST_P(DirectDrawBlit, ColourFillCoversItsRectangleOnly) {
    auto target = Target(9, 7);
    DDBLTFX fx = Effects();
    fx.dwFillColor = Pattern(3, 3) | 0xFF000000;  // bits beyond the format are dropped
    RECT area{2, 1, 5, 6};
    ASSERT_EQ(target->Blt(&area, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    const auto pixels = ReadPixels(target.get());
    const DWORD colourBits = Bits() == 16 ? 0xFFFF : 0xFFFFFF;
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 9; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 1 && y < 6;
            ASSERT_EQ(pixels[y * 9 + x], inside ? (Pattern(3, 3) & colourBits) : Background());
        }
    }
}

TEST_P(DirectDrawBlit, OverlappingCopyWithinOneSurfaceReadsTheOldPixels) {
    auto surface = PatternSurface(10, 4);
    RECT left{0, 0, 8, 4};
    ASSERT_EQ(surface->BltFast(2, 0, surface.get(), &left, DDBLTFAST_WAIT), DD_OK);
    const auto pixels = ReadPixels(surface.get());
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 10; ++x) {
            ASSERT_EQ(pixels[y * 10 + x], Pattern(x < 2 ? x : x - 2, y)) << x << "," << y;
        }
    }
}

TEST(DirectDrawBlitFormats, PlainCopiesConvertButKeyedOrMirroredOnesNeedOneFormat) {
    auto directDraw = CreateDirectDraw();
    auto source = CreatePlain(directDraw.get(), 2, 1, 16);
    WritePixels(source.get(), [](int x, int) { return x == 0 ? 0xF800u : 0x07FFu; });
    auto target = CreatePlain(directDraw.get(), 2, 1, 32);
    ASSERT_EQ(target->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(ReadPixels(target.get()), (std::vector<DWORD>{0xFF0000, 0x00FFFF}));

    DDBLTFX fx = Effects();
    fx.dwDDFX = DDBLTFX_MIRRORLEFTRIGHT;
    EXPECT_EQ(target->Blt(nullptr, source.get(), nullptr, DDBLT_DDFX, &fx),
              DDERR_INVALIDPIXELFORMAT);
}

TEST(DirectDrawSurface, DescribesItsPixelFormat) {
    auto directDraw = CreateDirectDraw();
    for (const int bits : {16, 32}) {
        auto surface = CreatePlain(directDraw.get(), 5, 3, bits);
        DDSURFACEDESC2 desc = Description();
        ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        EXPECT_EQ(desc.dwWidth, 5u);
        EXPECT_EQ(desc.dwHeight, 3u);
        EXPECT_GE(desc.lPitch, 5 * bits / 8);
        EXPECT_NE(desc.lpSurface, nullptr);
        EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, static_cast<DWORD>(bits));
        EXPECT_EQ(desc.ddpfPixelFormat.dwRBitMask, bits == 16 ? 0xF800u : 0xFF0000u);
        EXPECT_EQ(desc.ddpfPixelFormat.dwGBitMask, bits == 16 ? 0x07E0u : 0x00FF00u);
        EXPECT_EQ(desc.ddpfPixelFormat.dwBBitMask, bits == 16 ? 0x001Fu : 0x0000FFu);
        EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_OFFSCREENPLAIN);
        ASSERT_EQ(surface->Unlock(nullptr), DD_OK);
        EXPECT_EQ(surface->Unlock(nullptr), DDERR_NOTLOCKED);

        DDPIXELFORMAT format{};
        format.dwSize = sizeof format;
        ASSERT_EQ(surface->GetPixelFormat(&format), DD_OK);
        EXPECT_EQ(format.dwRGBBitCount, static_cast<DWORD>(bits));
        DDSURFACEDESC2 tooSmall = Description();
        tooSmall.dwSize = 124;  // the 32-bit structure's size
        EXPECT_EQ(surface->GetSurfaceDesc(&tooSmall), DDERR_INVALIDPARAMS);
    }
}

TEST(DirectDrawSurface, GdiColoursMatchRawPixels) {
    auto directDraw = CreateDirectDraw();
    for (const int bits : {16, 32}) {
        auto surface = CreatePlain(directDraw.get(), 2, 2, bits);
        HDC dc = nullptr;
        ASSERT_EQ(surface->GetDC(&dc), DD_OK);
        EXPECT_EQ(SetPixel(dc, 0, 0, RGB(255, 0, 255)), RGB(255, 0, 255));
        EXPECT_EQ(SetPixel(dc, 1, 0, RGB(0x12, 0x34, 0x56)),
                  bits == 16 ? RGB(0x10, 0x34, 0x52) : RGB(0x12, 0x34, 0x56));
        EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 255));
        EXPECT_EQ(GetPixel(dc, 2, 0), CLR_INVALID);
        ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);
        const auto pixels = ReadPixels(surface.get());
        EXPECT_EQ(pixels[0], bits == 16 ? 0xF81Fu : 0xFF00FFu);
    }
}

TEST(DirectDrawSurface, LockedOrDrawnSurfacesAreBusy) {
    auto directDraw = CreateDirectDraw();
    auto source = CreatePlain(directDraw.get(), 4, 4);
    auto target = CreatePlain(directDraw.get(), 4, 4);
    DDSURFACEDESC2 desc = Description();
    ASSERT_EQ(source->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(source->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(target->BltFast(0, 0, source.get(), nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
    HDC dc = nullptr;
    EXPECT_EQ(source->GetDC(&dc), DDERR_SURFACEBUSY);
    ASSERT_EQ(source->Unlock(nullptr), DD_OK);

    ASSERT_EQ(source->GetDC(&dc), DD_OK);
    HDC second = nullptr;
    EXPECT_EQ(source->GetDC(&second), DDERR_DCALREADYCREATED);
    EXPECT_EQ(target->BltFast(0, 0, source.get(), nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
    EXPECT_EQ(source->ReleaseDC(second), DDERR_INVALIDPARAMS);
    ASSERT_EQ(source->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(target->BltFast(0, 0, source.get(), nullptr, DDBLTFAST_WAIT), DD_OK);
}

#ifndef _WIN32
TEST(DirectDrawSurface, LostSurfacesFailUntilRestored) {
    auto directDraw = CreateDirectDraw();
    auto source = CreatePlain(directDraw.get(), 4, 4);
    auto target = CreatePlain(directDraw.get(), 4, 4);
    brannock::testing::LoseSurface(target.get());
    EXPECT_EQ(target->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(target->BltFast(0, 0, source.get(), nullptr, DDBLTFAST_WAIT), DDERR_SURFACELOST);
    EXPECT_EQ(source->BltFast(0, 0, target.get(), nullptr, DDBLTFAST_WAIT), DDERR_SURFACELOST);
    DDSURFACEDESC2 desc = Description();
    EXPECT_EQ(target->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    HDC dc = nullptr;
    EXPECT_EQ(target->GetDC(&dc), DDERR_SURFACELOST);
    EXPECT_EQ(source->IsLost(), DD_OK);

    ASSERT_EQ(target->Restore(), DD_OK);
    EXPECT_EQ(target->IsLost(), DD_OK);
    EXPECT_EQ(target->BltFast(0, 0, source.get(), nullptr, DDBLTFAST_WAIT), DD_OK);

    brannock::testing::LoseAllSurfaces();
    EXPECT_EQ(source->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(target->IsLost(), DDERR_SURFACELOST);
}
#endif

TEST(DirectDraw, CreateSurfaceChecksItsDescription) {
    void* object = nullptr;
    ASSERT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DD_OK);
    Com<IDirectDraw7> directDraw(static_cast<IDirectDraw7*>(object));
    IDirectDrawSurface7* surface = nullptr;
    DDSURFACEDESC2 desc = Description();
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = desc.dwHeight = 8;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DDERR_NOCOOPERATIVELEVELSET);
    ASSERT_EQ(directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);

    DDSURFACEDESC2 wrong = desc;
    wrong.dwSize = 124;
    EXPECT_EQ(directDraw->CreateSurface(&wrong, &surface, nullptr), DDERR_INVALIDPARAMS);
    wrong = desc;
    wrong.dwFlags = DDSD_CAPS;
    EXPECT_EQ(directDraw->CreateSurface(&wrong, &surface, nullptr), DDERR_INVALIDPARAMS);
    wrong = desc;
    wrong.dwFlags |= DDSD_PIXELFORMAT;
    wrong.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
    wrong.ddpfPixelFormat.dwFlags = DDPF_RGB;
    wrong.ddpfPixelFormat.dwRGBBitCount = 16;
    wrong.ddpfPixelFormat.dwRBitMask = 0x001F;  // blue and red swapped
    wrong.ddpfPixelFormat.dwGBitMask = 0x07E0;
    wrong.ddpfPixelFormat.dwBBitMask = 0xF800;
    EXPECT_EQ(directDraw->CreateSurface(&wrong, &surface, nullptr), DDERR_INVALIDPIXELFORMAT);
    EXPECT_EQ(surface, nullptr);

    DDSURFACEDESC2 primary = Description();
    primary.dwFlags = DDSD_CAPS;
    primary.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface7* first = nullptr;
    ASSERT_EQ(directDraw->CreateSurface(&primary, &first, nullptr), DD_OK);
    Com<IDirectDrawSurface7> keep(first);
    EXPECT_EQ(directDraw->CreateSurface(&primary, &surface, nullptr),
              DDERR_PRIMARYSURFACEALREADYEXISTS);
    primary.dwFlags |= DDSD_BACKBUFFERCOUNT;
    primary.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    primary.dwBackBufferCount = 1;
    keep.reset();
    EXPECT_EQ(directDraw->CreateSurface(&primary, &surface, nullptr), DDERR_NOEXCLUSIVEMODE);
}

}  // namespace
