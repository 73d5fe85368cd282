// DirectDraw blits between off-screen surfaces, pixel by pixel, at 16 and
// 32 bits: plain, colour-keyed, mirrored, stretched, refused rectangles,
// fills, and the surface states that stop them.
#include "tests/platform/ddraw_fixture.h"

#ifndef _WIN32
#include "platform/testing/display.h"
#endif

namespace {

using namespace brannock::test;

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
    Com<IDirectDrawSurface7> PatternSurface(int width, int height) {
        auto surface = CreatePlain(directDraw.get(), width, height, Bits());
        WritePixels(surface.get(), [&](int x, int y) { return Pattern(x, y); });
        return surface;
    }
    // A source holding `key` where keyed(x, y) and the pattern elsewhere, with
    // Key() as its source colour key.
    template <class Keyed>
    Com<IDirectDrawSurface7> KeyedSurface(int width, int height, Keyed keyed, DWORD key) {
        auto surface = CreatePlain(directDraw.get(), width, height, Bits());
        WritePixels(surface.get(), [&](int x, int y) { return keyed(x, y) ? key : Pattern(x, y); });
        DDCOLORKEY colourKey{Key(), Key()};
        EXPECT_EQ(surface->SetColorKey(DDCKEY_SRCBLT, &colourKey), DD_OK);
        return surface;
    }
    Com<IDirectDrawSurface7> Target(int width, int height) {
        auto surface = CreatePlain(directDraw.get(), width, height, Bits());
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
    ExpectPixels(target.get(), [&](int x, int y) {
        if (x >= 3 && x < 8 && y >= 4 && y < 7) return Pattern(x - 3 + 1, y - 4 + 1);
        if (x >= 12 && x < 17 && y >= 2 && y < 5) return Pattern(x - 12 + 1, y - 2 + 1);
        return Background();
    });
}

TEST_P(DirectDrawBlit, SourceColourKeyLeavesKeyedPixelsAlone) {
    constexpr int kWidth = 37;  // whole vectors and a tail
    const auto keyed = [](int x, int y) { return (x + y) % 3 == 0; };
    // On 32 bits only the colour bits count: the unused top byte is ignored.
    const DWORD keyAsStored = Bits() == 32 ? Key() | 0xAB000000 : Key();
    auto source = KeyedSurface(kWidth, 3, keyed, keyAsStored);
    auto viaBlt = Target(kWidth, 3);
    auto viaBltFast = Target(kWidth, 3);
    auto unkeyed = Target(kWidth, 3);
    ASSERT_EQ(viaBlt->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr),
              DD_OK);
    ASSERT_EQ(viaBltFast->BltFast(0, 0, source.get(), nullptr, DDBLTFAST_SRCCOLORKEY), DD_OK);
    ASSERT_EQ(unkeyed->BltFast(0, 0, source.get(), nullptr, DDBLTFAST_NOCOLORKEY), DD_OK);
    const auto expected = [&](int x, int y) { return keyed(x, y) ? Background() : Pattern(x, y); };
    ExpectPixels(viaBlt.get(), expected);
    ExpectPixels(viaBltFast.get(), expected);
    ExpectPixels(unkeyed.get(), [&](int x, int y) { return keyed(x, y) ? Key() : Pattern(x, y); });
}

TEST_P(DirectDrawBlit, MirrorsLeftRightUpDownAndBoth) {
    constexpr int kWidth = 19, kHeight = 4;
    auto source = KeyedSurface(
        kWidth, kHeight, [](int x, int) { return x == 2; }, Key());
    for (const DWORD mirror : {DDBLTFX_MIRRORLEFTRIGHT, DDBLTFX_MIRRORUPDOWN,
                               DDBLTFX_MIRRORLEFTRIGHT | DDBLTFX_MIRRORUPDOWN}) {
        SCOPED_TRACE(mirror);
        auto target = Target(kWidth + 2, kHeight + 2);
        auto fx = Sized<DDBLTFX>();
        fx.dwDDFX = mirror;
        RECT dest{1, 1, 1 + kWidth, 1 + kHeight};
        ASSERT_EQ(
            target->Blt(&dest, source.get(), nullptr, DDBLT_WAIT | DDBLT_KEYSRC | DDBLT_DDFX, &fx),
            DD_OK);
        ExpectPixels(target.get(), [&](int x, int y) {
            if (x < 1 || x > kWidth || y < 1 || y > kHeight) return Background();
            const int sx = (mirror & DDBLTFX_MIRRORLEFTRIGHT) ? kWidth - x : x - 1;
            const int sy = (mirror & DDBLTFX_MIRRORUPDOWN) ? kHeight - y : y - 1;
            return sx == 2 ? Background() : Pattern(sx, sy);
        });
    }
}

#ifndef _WIN32
// The platform's own sampling; Windows leaves the filter to the driver.
TEST_P(DirectDrawBlit, StretchesByTheNearestPixel) {
    auto source = PatternSurface(6, 4);
    RECT corner{0, 0, 3, 2};
    // Every source pixel of the 3x2 corner becomes a 4x4 block.
    auto doubled = Target(12, 8);
    ASSERT_EQ(doubled->Blt(nullptr, source.get(), &corner, DDBLT_WAIT, nullptr), DD_OK);
    ExpectPixels(doubled.get(), [&](int x, int y) { return Pattern(x / 4, y / 4); });
    auto mirrored = Target(12, 8);
    auto fx = Sized<DDBLTFX>();
    fx.dwDDFX = DDBLTFX_MIRRORLEFTRIGHT;
    ASSERT_EQ(mirrored->Blt(nullptr, source.get(), &corner, DDBLT_WAIT | DDBLT_DDFX, &fx), DD_OK);
    ExpectPixels(mirrored.get(), [&](int x, int y) { return Pattern((11 - x) / 4, y / 4); });
    // Shrinking samples the centre of each target pixel: odd columns and rows.
    auto halved = Target(3, 2);
    ASSERT_EQ(halved->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    ExpectPixels(halved.get(), [&](int x, int y) { return Pattern(2 * x + 1, 2 * y + 1); });
}
#endif

TEST_P(DirectDrawBlit, RectanglesOutsideTheSurfacesAreRefused) {
    auto source = PatternSurface(8, 8);
    auto target = Target(16, 16);
    // Past the right, above the top, reversed; a source rectangle outside.
    for (RECT dest : {RECT{10, 0, 18, 8}, RECT{0, -1, 8, 7}, RECT{8, 0, 0, 8}})
        EXPECT_EQ(target->Blt(&dest, source.get(), nullptr, DDBLT_WAIT, nullptr),
                  DDERR_INVALIDRECT);
    RECT outsideSource{4, 4, 12, 8};
    EXPECT_EQ(target->Blt(nullptr, source.get(), &outsideSource, DDBLT_WAIT, nullptr),
              DDERR_INVALIDRECT);
    EXPECT_EQ(target->BltFast(9, 0, source.get(), nullptr, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_EQ(target->BltFast(0xFFFFFFFF, 0, source.get(), nullptr, DDBLTFAST_WAIT),
              DDERR_INVALIDRECT);
    EXPECT_EQ(target->Blt(nullptr, nullptr, nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDPARAMS);
#ifndef _WIN32  // Wine skips this check
    auto wrongSize = Sized<DDBLTFX>();
    wrongSize.dwSize = 100;
    EXPECT_EQ(target->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &wrongSize),
              DDERR_INVALIDPARAMS);
#endif
    // A clipper with neither a window nor a clip list has nothing to clip to.
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(directDraw->CreateClipper(0, &clipper, nullptr), DD_OK);
    ASSERT_EQ(target->SetClipper(clipper), DD_OK);
    clipper->Release();
    RECT dest{-4, 0, 4, 8};
    EXPECT_EQ(target->Blt(&dest, source.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_NOCLIPLIST);
    ExpectPixels(target.get(), [&](int, int) { return Background(); });
}

TEST_P(DirectDrawBlit, ColourFillCoversItsRectangleOnly) {
    auto target = Target(9, 7);
    auto fx = Sized<DDBLTFX>();
    fx.dwFillColor = Pattern(3, 3) | 0xFF000000;  // bits beyond the format are dropped
    RECT area{2, 1, 5, 6};
    ASSERT_EQ(target->Blt(&area, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    const DWORD filled = Pattern(3, 3) & (Bits() == 16 ? 0xFFFF : 0xFFFFFF);
    ExpectPixels(target.get(), [&](int x, int y) {
        return x >= 2 && x < 5 && y >= 1 && y < 6 ? filled : Background();
    });
}

TEST_P(DirectDrawBlit, OverlappingCopyWithinOneSurfaceReadsTheOldPixels) {
    auto surface = PatternSurface(10, 4);
    RECT left{0, 0, 8, 4};
    ASSERT_EQ(surface->BltFast(2, 0, surface.get(), &left, DDBLTFAST_WAIT), DD_OK);
    ExpectPixels(surface.get(), [&](int x, int y) { return Pattern(x < 2 ? x : x - 2, y); });
}

TEST(DirectDrawSurface, FormatsConvertOnPlainCopiesAndThroughGdi) {
    auto directDraw = CreateDirectDraw();
    auto source = CreatePlain(directDraw.get(), 2, 1, 16);
    WritePixels(source.get(), [](int x, int) { return x == 0 ? 0xF800u : 0x07FFu; });
    auto target = CreatePlain(directDraw.get(), 2, 1, 32);
    ASSERT_EQ(target->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(ReadPixels(target.get()), (std::vector<DWORD>{0xFF0000, 0x00FFFF}));
#ifndef _WIN32
    // The platform's keyed or mirrored blits need one format (drivers may
    // convert).
    auto fx = Sized<DDBLTFX>();
    fx.dwDDFX = DDBLTFX_MIRRORLEFTRIGHT;
    EXPECT_EQ(target->Blt(nullptr, source.get(), nullptr, DDBLT_DDFX, &fx),
              DDERR_INVALIDPIXELFORMAT);
#endif

    for (const int bits : {16, 32}) {
        auto surface = CreatePlain(directDraw.get(), 2, 2, bits);
        DDPIXELFORMAT format{};
        format.dwSize = sizeof format;
        ASSERT_EQ(surface->GetPixelFormat(&format), DD_OK);
        EXPECT_EQ(format.dwRBitMask, bits == 16 ? 0xF800u : 0xFF0000u);
        EXPECT_EQ(format.dwBBitMask, bits == 16 ? 0x001Fu : 0x0000FFu);
        HDC dc = nullptr;
        ASSERT_EQ(surface->GetDC(&dc), DD_OK);
        EXPECT_EQ(SetPixel(dc, 0, 0, RGB(255, 0, 255)), RGB(255, 0, 255));
        EXPECT_EQ(SetPixel(dc, 1, 0, RGB(0x12, 0x34, 0x56)),
                  bits == 16 ? RGB(0x10, 0x34, 0x52) : RGB(0x12, 0x34, 0x56));
        EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 255));
        EXPECT_EQ(GetPixel(dc, 2, 0), CLR_INVALID);
        ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);
        EXPECT_EQ(ReadPixels(surface.get())[0], bits == 16 ? 0xF81Fu : 0xFF00FFu);
    }
}

TEST(DirectDrawSurface, LockedOrDrawnSurfacesAreBusy) {
    auto directDraw = CreateDirectDraw();
    auto source = CreatePlain(directDraw.get(), 4, 4);
    auto target = CreatePlain(directDraw.get(), 4, 4);
    auto desc = Sized<DDSURFACEDESC2>();
    ASSERT_EQ(source->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_GE(desc.lPitch, 4 * 4);
    EXPECT_EQ(source->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(target->BltFast(0, 0, source.get(), nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
    HDC dc = nullptr;
#ifndef _WIN32  // Wine hands out the DC of a locked surface
    EXPECT_EQ(source->GetDC(&dc), DDERR_SURFACEBUSY);
#endif
    ASSERT_EQ(source->Unlock(nullptr), DD_OK);
    EXPECT_EQ(source->Unlock(nullptr), DDERR_NOTLOCKED);

    ASSERT_EQ(source->GetDC(&dc), DD_OK);
    HDC second = nullptr;
    EXPECT_EQ(source->GetDC(&second), DDERR_DCALREADYCREATED);
    EXPECT_EQ(target->BltFast(0, 0, source.get(), nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
    EXPECT_TRUE(FAILED(source->ReleaseDC(second)));  // not the surface's DC
    ASSERT_EQ(source->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(target->BltFast(0, 0, source.get(), nullptr, DDBLTFAST_WAIT), DD_OK);
}

// Blt refuses to use a source key that is not there; BltFast copies as if
// none had been asked for.
TEST_P(DirectDrawBlit, SourceKeyBlitsWithoutASourceKey) {
    auto source = PatternSurface(4, 4);
    auto target = Target(4, 4);
    EXPECT_EQ(target->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr),
              DDERR_INVALIDPARAMS);
    ExpectPixels(target.get(), [&](int, int) { return Background(); });
    EXPECT_EQ(target->BltFast(0, 0, source.get(), nullptr, DDBLTFAST_SRCCOLORKEY), DD_OK);
    ExpectPixels(target.get(), [&](int x, int y) { return Pattern(x, y); });
}

TEST_P(DirectDrawBlit, ColourKeysReadBackAsTheyWereSet) {
    auto surface = CreatePlain(directDraw.get(), 2, 2, Bits());
    DDCOLORKEY key{};
    EXPECT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DDERR_NOCOLORKEY);
    // Bits beyond the format are kept, though blits compare colour bits only.
    const DDCOLORKEY given{Key() | 0xAB000000, Key() | 0xAB000000};
    DDCOLORKEY set = given;
    ASSERT_EQ(surface->SetColorKey(DDCKEY_SRCBLT, &set), DD_OK);
    ASSERT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue, given.dwColorSpaceLowValue);
    EXPECT_EQ(key.dwColorSpaceHighValue, given.dwColorSpaceHighValue);
    ASSERT_EQ(surface->SetColorKey(DDCKEY_SRCBLT, nullptr), DD_OK);
    EXPECT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DDERR_NOCOLORKEY);
}

TEST(DirectDrawSurface, ASurfaceReportsTheMemoryItWasAskedFor) {
    auto directDraw = CreateDirectDraw();
    for (const DWORD memory : {static_cast<DWORD>(DDSCAPS_SYSTEMMEMORY), DWORD{0}}) {
        auto desc = Sized<DDSURFACEDESC2>();
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | memory;
        desc.dwWidth = desc.dwHeight = 4;
        IDirectDrawSurface7* created = nullptr;
        ASSERT_EQ(directDraw->CreateSurface(&desc, &created, nullptr), DD_OK);
        Com<IDirectDrawSurface7> surface(created);
        DDSCAPS2 caps{};
        ASSERT_EQ(surface->GetCaps(&caps), DD_OK);
        EXPECT_EQ(caps.dwCaps & DDSCAPS_OFFSCREENPLAIN, static_cast<DWORD>(DDSCAPS_OFFSCREENPLAIN));
        if (memory) {
            EXPECT_EQ(caps.dwCaps & (DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY),
                      static_cast<DWORD>(DDSCAPS_SYSTEMMEMORY));
        } else {
            EXPECT_NE(caps.dwCaps & (DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY), 0u);
        }
    }
}

// A locked rectangle is addressed with the surface's own pitch, from its
// first pixel; what is written there lands in the rectangle.
TEST(DirectDrawSurface, LockedRectanglesKeepTheSurfacePitch) {
    auto directDraw = CreateDirectDraw();
    auto plain = CreatePlain(directDraw.get(), 16, 8, 32);
    auto primary = CreatePrimary(directDraw.get());
    for (IDirectDrawSurface7* surface : {plain.get(), primary.get()}) {
        auto whole = Sized<DDSURFACEDESC2>();
        ASSERT_EQ(surface->Lock(nullptr, &whole, DDLOCK_WAIT, nullptr), DD_OK);
        surface->Unlock(nullptr);
        const DWORD bytes = whole.ddpfPixelFormat.dwRGBBitCount / 8;

        RECT part{3, 2, 7, 5};
        auto desc = Sized<DDSURFACEDESC2>();
        ASSERT_EQ(surface->Lock(&part, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        EXPECT_EQ(desc.lPitch, whole.lPitch);
        auto* row = static_cast<std::uint8_t*>(desc.lpSurface) + 2 * desc.lPitch;
        std::memset(row + 3 * bytes, 0x5A, bytes);  // (6, 4)
        ASSERT_EQ(surface->Unlock(&part), DD_OK);
        EXPECT_EQ(Pixel(surface, 6, 4) & 0xFFFFFF, 0x5A5A5Au);
    }
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
    auto desc = Sized<DDSURFACEDESC2>();
    EXPECT_EQ(target->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    HDC dc = nullptr;
    EXPECT_EQ(target->GetDC(&dc), DDERR_SURFACELOST);
    EXPECT_EQ(source->IsLost(), DD_OK);

    ASSERT_EQ(target->Restore(), DD_OK);
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
    const auto create = [&](DDSURFACEDESC2 desc) {
        return directDraw->CreateSurface(&desc, &surface, nullptr);
    };
    auto plain = Sized<DDSURFACEDESC2>();
    plain.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    plain.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    plain.dwWidth = plain.dwHeight = 8;
    EXPECT_EQ(create(plain), DDERR_NOCOOPERATIVELEVELSET);
    ASSERT_EQ(directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);

    DDSURFACEDESC2 narrow = plain;
    narrow.dwSize = 124;  // the 32-bit structure's size
    EXPECT_EQ(create(narrow), DDERR_INVALIDPARAMS);
    DDSURFACEDESC2 wrong = plain;
    wrong.dwFlags = DDSD_CAPS;
    EXPECT_EQ(create(wrong), DDERR_INVALIDPARAMS);
    wrong = plain;
    wrong.dwFlags |= DDSD_PIXELFORMAT;
    wrong.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
    wrong.ddpfPixelFormat.dwFlags = DDPF_RGB;
    wrong.ddpfPixelFormat.dwRGBBitCount = 16;
    wrong.ddpfPixelFormat.dwRBitMask = 0x001F;  // blue and red swapped
    wrong.ddpfPixelFormat.dwGBitMask = 0x07E0;
    wrong.ddpfPixelFormat.dwBBitMask = 0xF800;
    EXPECT_EQ(create(wrong), DDERR_INVALIDPIXELFORMAT);
    EXPECT_EQ(surface, nullptr);

    auto primary = Sized<DDSURFACEDESC2>();
    primary.dwFlags = DDSD_CAPS;
    primary.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    ASSERT_EQ(create(primary), DD_OK);
    Com<IDirectDrawSurface7> first(surface);
#ifndef _WIN32  // Wine makes a second one
    EXPECT_EQ(create(primary), DDERR_PRIMARYSURFACEALREADYEXISTS);
#endif
    EXPECT_EQ(first->GetSurfaceDesc(&narrow), DDERR_INVALIDPARAMS);
    first.reset();
    primary.dwFlags |= DDSD_BACKBUFFERCOUNT;
    primary.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    primary.dwBackBufferCount = 1;
#ifndef _WIN32  // Wine makes the flip chain without exclusive mode
    EXPECT_EQ(create(primary), DDERR_NOEXCLUSIVEMODE);
#endif
}

}  // namespace
