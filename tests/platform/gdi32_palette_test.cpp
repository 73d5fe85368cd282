// 8-bit DIB sections: pixels are indices into the section's colour table,
// read through it and written as the nearest table colour.
#include <cstring>
#include <vector>

#include "tests/platform/ddraw_fixture.h"

namespace {

using brannock::test::Dib;
using brannock::test::FillArea;
using brannock::test::MakeDib;
using brannock::test::MemoryDC;

// A top-down 8-bit section of `colours` (as 0x00RRGGBB); biClrUsed is their
// count, or 0 when `clrUsedZero`.
Dib MakeIndexed(int width, int height, const std::vector<DWORD>& colours,
                bool clrUsedZero = false) {
    std::vector<std::uint8_t> memory(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biCompression = BI_RGB;
    header.biClrUsed = clrUsedZero ? 0 : static_cast<DWORD>(colours.size());
    std::memcpy(memory.data(), &header, sizeof header);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const RGBQUAD entry{static_cast<BYTE>(colours[i]), static_cast<BYTE>(colours[i] >> 8),
                            static_cast<BYTE>(colours[i] >> 16), 0};
        std::memcpy(memory.data() + sizeof header + i * sizeof entry, &entry, sizeof entry);
    }
    Dib dib;
    dib.bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(memory.data()),
                                  DIB_RGB_COLORS, &dib.bits, nullptr, 0);
    return dib;
}

const std::vector<DWORD> kFour{0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

TEST(GdiIndexedDib, DescribesItselfAsEightBitsWithItsTable) {
    Dib dib = MakeIndexed(5, 3, kFour);
    ASSERT_NE(dib.bitmap, nullptr);
    ASSERT_NE(dib.bits, nullptr);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectA(dib.bitmap, sizeof section, &section),
              static_cast<int>(sizeof(DIBSECTION)));
    EXPECT_EQ(section.dsBm.bmBitsPixel, 8);
    EXPECT_EQ(section.dsBm.bmWidth, 5);
    EXPECT_EQ(section.dsBm.bmWidthBytes, 8);  // 5 bytes padded to 4
    EXPECT_EQ(section.dsBm.bmBits, dib.bits);
    EXPECT_EQ(section.dsBmih.biBitCount, 8);
    EXPECT_EQ(section.dsBmih.biCompression, static_cast<DWORD>(BI_RGB));
#ifndef _WIN32  // Wine reports the full 256
    EXPECT_EQ(section.dsBmih.biClrUsed, 4u);
#endif
    EXPECT_TRUE(DeleteObject(dib.bitmap));
}

TEST(GdiIndexedDib, PixelsReadThroughTheTable) {
    std::vector<DWORD> ramp(256);
    for (int i = 0; i < 256; ++i)
        ramp[i] = static_cast<DWORD>(i) << 8 | (255 - i);
    for (const bool clrUsedZero : {false, true}) {  // 0 means the full 256
        Dib dib = MakeIndexed(4, 2, ramp, clrUsedZero);
        ASSERT_NE(dib.bitmap, nullptr);
        auto* bytes = static_cast<std::uint8_t*>(dib.bits);
        bytes[0] = 0;
        bytes[1] = 200;
        bytes[2] = 255;
        bytes[4 + 3] = 7;  // second row, last pixel
        MemoryDC dc(dib.bitmap);
        EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255));
        EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 200, 55));
        EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 255, 0));
        EXPECT_EQ(GetPixel(dc, 3, 1), RGB(0, 7, 248));

        // Copies into other depths go through the table as well.
        for (const int bits : {16, 24, 32}) {
            Dib wide = MakeDib(4, -2, bits);
            MemoryDC to(wide.bitmap);
            ASSERT_TRUE(BitBlt(to, 0, 0, 4, 2, dc, 0, 0, SRCCOPY));
            EXPECT_EQ(GetPixel(to, 2, 0), RGB(0, 255, 0)) << bits;
            EXPECT_EQ(GetPixel(to, 0, 0), RGB(0, 0, 255)) << bits;
            if (bits != 16) {
                EXPECT_EQ(GetPixel(to, 3, 1), RGB(0, 7, 248)) << bits;
            }
        }
    }
}

TEST(GdiIndexedDib, DrawingPicksTheNearestTableColour) {
    Dib dib = MakeIndexed(4, 1, kFour);
    MemoryDC dc(dib.bitmap);
    const auto* bytes = static_cast<const std::uint8_t*>(dib.bits);
    EXPECT_EQ(SetPixel(dc, 0, 0, RGB(250, 10, 10)), RGB(255, 0, 0));
    EXPECT_EQ(SetPixel(dc, 1, 0, RGB(0, 0, 255)), RGB(0, 0, 255));
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], 3);
    FillArea(dc, {2, 0, 4, 1}, RGB(0, 255, 0));
    EXPECT_EQ(bytes[2], 2);
    EXPECT_EQ(bytes[3], 2);

    // From a 32-bit source: exact colours keep their index, near ones the
    // closest entry's.
    Dib source = MakeDib(4, -1, 32);
    auto* pixels = static_cast<DWORD*>(source.bits);
    pixels[0] = 0x0000FF;
    pixels[1] = 0x10E020;
    pixels[2] = 0x202020;
    pixels[3] = 0xE01008;
    MemoryDC from(source.bitmap);
    ASSERT_TRUE(BitBlt(dc, 0, 0, 4, 1, from, 0, 0, SRCCOPY));
    EXPECT_EQ(std::vector<int>(bytes, bytes + 4), (std::vector<int>{3, 2, 0, 1}));
}

TEST(GdiIndexedDib, CopiesBetweenTablesKeepTheColours) {
    // The same colours in another order: a copy moves the colour, not the index.
    const std::vector<DWORD> reversed(kFour.rbegin(), kFour.rend());
    Dib first = MakeIndexed(4, 1, kFour);
    Dib second = MakeIndexed(4, 1, reversed);
    auto* bytes = static_cast<std::uint8_t*>(first.bits);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(i);
    MemoryDC from(first.bitmap), to(second.bitmap);
    ASSERT_TRUE(BitBlt(to, 0, 0, 4, 1, from, 0, 0, SRCCOPY));
    const auto* copied = static_cast<const std::uint8_t*>(second.bits);
    EXPECT_EQ(std::vector<int>(copied, copied + 4), (std::vector<int>{3, 2, 1, 0}));
    EXPECT_EQ(GetPixel(to, 1, 0), RGB(255, 0, 0));

    // A compatible bitmap of a DC holding the section takes its colours.
    HBITMAP compatible = CreateCompatibleBitmap(from, 4, 1);
    ASSERT_NE(compatible, nullptr);
    {
        MemoryDC copy(compatible);
        ASSERT_TRUE(BitBlt(copy, 0, 0, 4, 1, from, 0, 0, SRCCOPY));
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(GetPixel(copy, x, 0), GetPixel(from, x, 0)) << x;
    }
    EXPECT_TRUE(DeleteObject(compatible));

    // Within one section, an overlapping copy reads the old indices.
    ASSERT_TRUE(BitBlt(from, 1, 0, 3, 1, from, 0, 0, SRCCOPY));
    EXPECT_EQ(std::vector<int>(bytes, bytes + 4), (std::vector<int>{0, 0, 1, 2}));
}

#ifndef _WIN32
// Windows takes these; the platform does not, and says so.
TEST(GdiIndexedDib, OtherIndexedKindsAreRefused) {
    EXPECT_EQ(MakeDib(8, 8, 4).bitmap, nullptr);
    EXPECT_EQ(MakeDib(8, 8, 1).bitmap, nullptr);
    struct {
        BITMAPINFOHEADER header;
        WORD indices[256];
    } info{};
    info.header = {sizeof(BITMAPINFOHEADER), 4, 4, 1, 8, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    EXPECT_EQ(CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info), DIB_PAL_COLORS,
                               &bits, nullptr, 0),
              nullptr);
}
#endif

}  // namespace
