// Monochrome bitmaps: what memory DCs make by default, and how BitBlt turns
// colour into black and white and back through the DCs' colours.
#include "tests/platform/ddraw_fixture.h"

namespace {

using brannock::test::Dib;
using brannock::test::MakeDib;
using brannock::test::MemoryDC;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// A monochrome bitmap from a fresh memory DC.
HBITMAP MakeMonochrome(int width, int height) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    DeleteDC(dc);
    return bitmap;
}

TEST(GdiMonochrome, AFreshMemoryDCMakesOneBitBitmaps) {
    HDC dc = CreateCompatibleDC(nullptr);
    for (const auto& [width, rowBytes] : {std::pair{5, 2}, std::pair{16, 2}, std::pair{20, 4}}) {
        HBITMAP bitmap = CreateCompatibleBitmap(dc, width, 3);
        ASSERT_NE(bitmap, nullptr);
        BITMAP info{};
        ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
        EXPECT_EQ(info.bmBitsPixel, 1);
        EXPECT_EQ(info.bmPlanes, 1);
        EXPECT_EQ(info.bmWidth, width);
        EXPECT_EQ(info.bmHeight, 3);
        EXPECT_EQ(info.bmWidthBytes, rowBytes) << width;
        EXPECT_EQ(info.bmBits, nullptr);
        EXPECT_TRUE(DeleteObject(bitmap));
    }

    // The bitmap it starts with is the 1x1 monochrome stock one; with a
    // colour bitmap selected it makes that bitmap's kind.
    Dib dib = MakeDib(2, 2, 32);
    const HGDIOBJ stock = SelectObject(dc, dib.bitmap);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(stock, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 1);
    EXPECT_EQ(info.bmBitsPixel, 1);
    HBITMAP colour = CreateCompatibleBitmap(dc, 2, 2);
    ASSERT_EQ(GetObjectA(colour, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 32);
    DeleteObject(colour);
    SelectObject(dc, stock);
    DeleteDC(dc);
    DeleteObject(dib.bitmap);
}

TEST(GdiMonochrome, ColourBecomesWhiteWhereItIsTheSourcesBackgroundColour) {
    const COLORREF paper = RGB(10, 20, 30);
    for (const int bits : {16, 24, 32}) {
        Dib source = MakeDib(4, -1, bits);
        MemoryDC from(source.bitmap);
        SetPixel(from, 0, 0, paper);
        SetPixel(from, 1, 0, kWhite);  // white, but not the background colour
        SetPixel(from, 2, 0, paper);
        SetPixel(from, 3, 0, RGB(200, 0, 0));
        SetBkColor(from, paper);
        SetTextColor(from, RGB(200, 0, 0));  // plays no part

        HBITMAP mono = MakeMonochrome(4, 1);
        MemoryDC to(mono);
        ASSERT_TRUE(BitBlt(to, 0, 0, 4, 1, from, 0, 0, SRCCOPY));
        EXPECT_EQ(GetPixel(to, 0, 0), kWhite) << bits;
        EXPECT_EQ(GetPixel(to, 1, 0), kBlack) << bits;
        EXPECT_EQ(GetPixel(to, 2, 0), kWhite) << bits;
        EXPECT_EQ(GetPixel(to, 3, 0), kBlack) << bits;
        DeleteObject(mono);
        DeleteObject(source.bitmap);
    }
}

TEST(GdiMonochrome, BlackAndWhiteBecomeTheTargetsTextAndBackgroundColours) {
    HBITMAP mono = MakeMonochrome(3, 1);
    MemoryDC from(mono);
    EXPECT_EQ(SetPixel(from, 0, 0, kWhite), kWhite);
    EXPECT_EQ(SetPixel(from, 1, 0, kBlack), kBlack);
    EXPECT_EQ(SetPixel(from, 2, 0, kWhite), kWhite);
    // The source's own colours play no part.
    SetTextColor(from, RGB(0, 255, 0));
    SetBkColor(from, RGB(255, 0, 255));

    Dib target = MakeDib(3, -1, 32);
    MemoryDC to(target.bitmap);
    SetTextColor(to, RGB(200, 0, 0));
    SetBkColor(to, RGB(0, 0, 200));
    ASSERT_TRUE(BitBlt(to, 0, 0, 3, 1, from, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(to, 0, 0), RGB(0, 0, 200));
    EXPECT_EQ(GetPixel(to, 1, 0), RGB(200, 0, 0));
    EXPECT_EQ(GetPixel(to, 2, 0), RGB(0, 0, 200));

    // Monochrome to monochrome copies the bits whatever the colours.
    HBITMAP other = MakeMonochrome(3, 1);
    {
        MemoryDC copy(other);
        SetTextColor(copy, RGB(200, 0, 0));
        SetBkColor(copy, RGB(0, 0, 200));
        ASSERT_TRUE(BitBlt(copy, 0, 0, 3, 1, from, 0, 0, SRCCOPY));
        EXPECT_EQ(GetPixel(copy, 0, 0), kWhite);
        EXPECT_EQ(GetPixel(copy, 1, 0), kBlack);
    }
    DeleteObject(other);
    DeleteObject(target.bitmap);
}

}  // namespace
