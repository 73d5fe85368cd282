// GDI bitmaps and memory DCs: DIB sections both ways up and in every depth,
// GetObjectA, conversions through BitBlt, fills, pixels, text, and the rules
// of selecting and deleting objects.
#include <algorithm>
#include <cstring>

#include "tests/platform/ddraw_fixture.h"

namespace {

using brannock::test::Dib;
using brannock::test::FillArea;
using brannock::test::MakeDib;
using brannock::test::MemoryDC;

BITMAP Describe(HBITMAP bitmap) {
    BITMAP info{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof(BITMAP)));
    return info;
}

// Checks every pixel of the DC's `width` x `height` against expected(x, y).
template <class Expected>
void ExpectDcPixels(HDC dc, int width, int height, Expected expected) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(GetPixel(dc, x, y), expected(x, y)) << x << "," << y;
}

TEST(GdiDibSection, RowsRunTopDownOrBottomUpAsTheHeightSays) {
    for (const int height : {3, -3}) {
        Dib dib = MakeDib(2, height, 24);
        ASSERT_NE(dib.bits, nullptr);
        const BITMAP info = Describe(dib.bitmap);
        EXPECT_EQ(info.bmHeight, 3);
        EXPECT_EQ(info.bmWidthBytes, 8);  // 6 bytes padded to 4
        EXPECT_EQ(info.bmBits, dib.bits);

        // The first row in memory: blue, green, red of a dark orange.
        auto* bytes = static_cast<std::uint8_t*>(dib.bits);
        bytes[0] = 0x10;
        bytes[1] = 0x80;
        bytes[2] = 0xF0;
        MemoryDC dc(dib.bitmap);
        const int firstRow = height > 0 ? 2 : 0;
        EXPECT_EQ(GetPixel(dc, 0, firstRow), RGB(0xF0, 0x80, 0x10));
        EXPECT_EQ(GetPixel(dc, 0, 2 - firstRow), RGB(0, 0, 0));
        EXPECT_EQ(GetPixel(dc, 2, 0), CLR_INVALID);
        DeleteObject(dib.bitmap);
    }
}

TEST(GdiDibSection, DepthsAndMasksGiveTheirFormatsOrNothing) {
    const DWORD masks565[3] = {0xF800, 0x07E0, 0x001F};
    const DWORD masks555[3] = {0x7C00, 0x03E0, 0x001F};
    struct Case {
        int bits;
        DWORD compression;
        const DWORD* masks;
        std::uint32_t whiteRaw;  // what RGB(255, 255, 255) is stored as
    };
    for (const Case& c :
         {Case{16, BI_RGB, nullptr, 0x7FFF}, Case{16, BI_BITFIELDS, masks565, 0xFFFF},
          Case{16, BI_BITFIELDS, masks555, 0x7FFF}, Case{32, BI_RGB, nullptr, 0xFFFFFF},
          Case{24, BI_RGB, nullptr, 0xFFFFFF}}) {
        Dib dib = MakeDib(3, -1, c.bits, c.compression, c.masks);
        ASSERT_NE(dib.bitmap, nullptr) << c.bits;
        EXPECT_EQ(Describe(dib.bitmap).bmBitsPixel, c.bits);
        MemoryDC dc(dib.bitmap);
        SetPixel(dc, 1, 0, RGB(255, 255, 255));
        std::uint32_t raw = 0;
        std::memcpy(&raw, static_cast<std::uint8_t*>(dib.bits) + c.bits / 8, c.bits / 8);
        EXPECT_EQ(raw, c.whiteRaw) << c.bits;
        DeleteObject(dib.bitmap);
    }
#ifndef _WIN32  // Windows takes any masks; the platform 5-5-5 and 5-6-5 only
    const DWORD masksBgr[3] = {0x001F, 0x07E0, 0xF800};
    EXPECT_EQ(MakeDib(3, 1, 16, BI_BITFIELDS, masksBgr).bitmap, nullptr);
#endif
    EXPECT_EQ(MakeDib(0, 1, 24).bitmap, nullptr);
    EXPECT_EQ(MakeDib(3, 0, 24).bitmap, nullptr);
    EXPECT_EQ(MakeDib(1 << 20, 1 << 20, 32).bitmap, nullptr);
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
}

TEST(GdiDibSection, GetObjectDescribesTheSectionWhenGivenRoom) {
    const DWORD masks565[3] = {0xF800, 0x07E0, 0x001F};
    Dib dib = MakeDib(5, -3, 16, BI_BITFIELDS, masks565);
    ASSERT_NE(dib.bitmap, nullptr);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectA(dib.bitmap, sizeof section, &section),
              static_cast<int>(sizeof(DIBSECTION)));
    EXPECT_EQ(section.dsBm.bmWidth, 5);
    EXPECT_EQ(section.dsBm.bmHeight, 3);
    EXPECT_EQ(section.dsBm.bmBits, dib.bits);
    EXPECT_EQ(section.dsBmih.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(section.dsBmih.biWidth, 5);
    EXPECT_EQ(section.dsBmih.biBitCount, 16);
    EXPECT_EQ(section.dsBmih.biCompression, static_cast<DWORD>(BI_BITFIELDS));
    EXPECT_EQ(section.dsBitfields[0], 0xF800u);
    EXPECT_EQ(section.dsBitfields[1], 0x07E0u);
    EXPECT_EQ(section.dsBitfields[2], 0x001Fu);
    DeleteObject(dib.bitmap);

    // A bitmap that is no DIB section fills a BITMAP only.
    HDC screen = GetDC(nullptr);
    HBITMAP compatible = CreateCompatibleBitmap(screen, 2, 2);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(GetObjectA(compatible, sizeof section, &section), static_cast<int>(sizeof(BITMAP)));
    DeleteObject(compatible);
}

TEST(GdiBitBlt, ConvertsBetweenDepths) {
    // 24 -> 16 (5-6-5) keeps the top bits of each channel; 16 -> 32 widens
    // them by repeating the top bits, so white stays white.
    const DWORD masks565[3] = {0xF800, 0x07E0, 0x001F};
    Dib source = MakeDib(3, -1, 24);
    Dib middle = MakeDib(3, -1, 16, BI_BITFIELDS, masks565);
    Dib target = MakeDib(3, -1, 32);
    MemoryDC from(source.bitmap), via(middle.bitmap), to(target.bitmap);
    SetPixel(from, 0, 0, RGB(0x12, 0x34, 0x56));
    SetPixel(from, 1, 0, RGB(255, 255, 255));
    SetPixel(from, 2, 0, RGB(255, 0, 255));
    ASSERT_TRUE(BitBlt(via, 0, 0, 3, 1, from, 0, 0, SRCCOPY));
    ASSERT_TRUE(BitBlt(to, 0, 0, 3, 1, via, 0, 0, SRCCOPY));

    const auto* stored = static_cast<const std::uint16_t*>(middle.bits);
    EXPECT_EQ(stored[0], (0x12 >> 3) << 11 | (0x34 >> 2) << 5 | (0x56 >> 3));
    EXPECT_EQ(stored[2], 0xF81F);
    const auto* wide = static_cast<const std::uint32_t*>(target.bits);
    EXPECT_EQ(wide[0] & 0xFFFFFF, 0x103452u);
    EXPECT_EQ(wide[1] & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(wide[2] & 0xFFFFFF, 0xFF00FFu);
}

TEST(GdiBitBlt, CopiesAndFillsOnlyWherePixelsAre) {
    Dib source = MakeDib(4, -4, 32);
    Dib target = MakeDib(6, -6, 32);
    MemoryDC from(source.bitmap), to(target.bitmap);
    // A fill reaching past the bitmap on three sides.
    RECT area;
    ASSERT_TRUE(SetRect(&area, 2, -2, 100, 3));
    FillArea(from, area, RGB(255, 0, 0));
    ExpectDcPixels(from, 4, 4,
                   [](int x, int y) { return x >= 2 && y < 3 ? RGB(255, 0, 0) : RGB(0, 0, 0); });

    // Copies the 3x3 that fits both from (1, 1) to (2, 1).
    FillArea(to, {0, 0, 6, 6}, RGB(255, 255, 255));
    ASSERT_TRUE(BitBlt(to, 2, 1, 3, 3, from, 1, 1, SRCCOPY));
    ExpectDcPixels(to, 6, 6, [](int x, int y) {
        if (x < 2 || x >= 5 || y < 1 || y >= 4) return RGB(255, 255, 255);
        return x >= 3 && y < 3 ? RGB(255, 0, 0) : RGB(0, 0, 0);
    });
#ifndef _WIN32
    // The platform's own limits, where Windows goes on: no fill without a
    // brush, a source rectangle cut at the bitmap's edge, only the
    // raster operations the framework uses.
    EXPECT_EQ(FillRect(from, &area, nullptr), 0);
    FillArea(to, {0, 0, 6, 6}, RGB(0, 0, 255));
    ASSERT_TRUE(BitBlt(to, 2, 1, 5, 5, from, 1, 1, SRCCOPY));
    ExpectDcPixels(to, 6, 6, [](int x, int y) {
        if (x < 2 || x >= 5 || y < 1 || y >= 4) return RGB(0, 0, 255);
        return x >= 3 && y < 3 ? RGB(255, 0, 0) : RGB(0, 0, 0);
    });
    EXPECT_FALSE(BitBlt(to, 0, 0, 1, 1, from, 0, 0, 0x00EE0086));  // SRCPAINT
#endif
    EXPECT_TRUE(BitBlt(to, 0, 0, 6, 6, nullptr, 0, 0, BLACKNESS));
    EXPECT_EQ(GetPixel(to, 5, 5), RGB(0, 0, 0));
    EXPECT_TRUE(BitBlt(to, 0, 0, 6, 6, nullptr, 0, 0, WHITENESS));
    EXPECT_EQ(GetPixel(to, 0, 0), RGB(255, 255, 255));
}

#ifndef _WIN32
// How many pixels of the area have each colour of `colours`; fails on others.
std::vector<int> CountColours(HDC dc, RECT area, std::vector<COLORREF> colours) {
    std::vector<int> counts(colours.size());
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const auto found = std::find(colours.begin(), colours.end(), GetPixel(dc, x, y));
            EXPECT_NE(found, colours.end()) << x << "," << y;
            if (found != colours.end()) ++counts[found - colours.begin()];
        }
    }
    return counts;
}

// The platform's built-in 8x16 bitmap font; Windows draws its own fonts.
TEST(GdiTextOut, DrawsBlackTextOnAWhiteCellByDefault) {
    Dib dib = MakeDib(40, -20, 32);
    MemoryDC dc(dib.bitmap);
    ASSERT_TRUE(TextOutA(dc, 2, 1, "Hi", 2));
    // Two 8x16 cells of ink and paper, and nothing around them.
    const auto cells = CountColours(dc, {2, 1, 18, 17}, {RGB(0, 0, 0), RGB(255, 255, 255)});
    EXPECT_GT(cells[0], 20);
    EXPECT_GT(cells[1], 150);
    EXPECT_EQ(GetPixel(dc, 1, 5), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 18, 5), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 5, 17), RGB(0, 0, 0));

    // Transparent text in another colour leaves the background alone.
    FillArea(dc, {0, 0, 40, 20}, RGB(0, 0, 255));
    SetBkMode(dc, TRANSPARENT);
    EXPECT_EQ(SetTextColor(dc, RGB(255, 255, 0)), RGB(0, 0, 0));
    ASSERT_TRUE(TextOutA(dc, 0, 0, "\x8c\x78", 2));  // Shift-JIS bytes show boxes
    EXPECT_GT(CountColours(dc, {0, 0, 16, 16}, {RGB(255, 255, 0), RGB(0, 0, 255)})[0], 20);
    EXPECT_FALSE(TextOutA(dc, 0, 0, nullptr, 3));
    EXPECT_FALSE(TextOutA(dc, 0, 0, "x", -1));
}
#endif

TEST(GdiObjects, SelectedBitmapsStayUntilReleasedAndStaleHandlesAreInvalid) {
    Dib dib = MakeDib(2, 2, 24);
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    HGDIOBJ original = SelectObject(first, dib.bitmap);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(SelectObject(second, dib.bitmap), nullptr);  // already in `first`
#ifndef _WIN32  // Wine deletes it once it is let go instead
    EXPECT_FALSE(DeleteObject(dib.bitmap));
#endif
    EXPECT_EQ(SelectObject(first, original), dib.bitmap);
    EXPECT_NE(SelectObject(second, dib.bitmap), nullptr);
    EXPECT_TRUE(DeleteDC(second));  // deleting the DC lets the bitmap go
    EXPECT_TRUE(DeleteObject(dib.bitmap));
    EXPECT_FALSE(DeleteObject(dib.bitmap));
    BITMAP info{};
    EXPECT_EQ(GetObjectA(dib.bitmap, sizeof info, &info), 0);
    EXPECT_EQ(SelectObject(first, dib.bitmap), nullptr);
    EXPECT_TRUE(DeleteDC(first));
    EXPECT_FALSE(DeleteDC(first));
    EXPECT_EQ(GetPixel(first, 0, 0), CLR_INVALID);
}

#ifndef _WIN32
// Past the 32,767 create/delete cycles after which a slot's handle used to
// come round again (the frame-rate readout alone makes one per frame).
// Windows' own handles do come round; the layer's 64-bit handles need not.
TEST(GdiObjects, AStaleHandleNeverNamesALaterObject) {
    HBRUSH stale = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_TRUE(DeleteObject(stale));
    int repeats = 0;
    for (int i = 0; i < 70000; ++i) {
        HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
        repeats += brush == stale;
        DeleteObject(brush);
    }
    EXPECT_EQ(repeats, 0);

    HBRUSH live = CreateSolidBrush(RGB(7, 8, 9));
    EXPECT_FALSE(DeleteObject(stale));  // a double delete leaves `live` alone
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_NE(SelectObject(dc, live), nullptr);
    DeleteDC(dc);
    EXPECT_TRUE(DeleteObject(live));
}
#endif

TEST(GdiObjects, CompatibleBitmapsTakeTheScreenFormat) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 3, 2);
    ASSERT_NE(bitmap, nullptr);
    const BITMAP info = Describe(bitmap);
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmBitsPixel, brannock::test::ScreenBitsPerPixel());
    EXPECT_EQ(info.bmBits, nullptr);
    BITMAP small{};
    EXPECT_EQ(GetObjectA(bitmap, 20, &small), 0);
    EXPECT_EQ(GetObjectA(bitmap, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
#ifndef _WIN32  // Wine skips this check
    EXPECT_EQ(CreateCompatibleBitmap(screen, -1, 2), nullptr);
#endif
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
}

}  // namespace
