// Bitmaps: compatible bitmaps (the screen's format, or monochrome), DIB
// sections (8-bit with a colour table, 16-bit 5-5-5 or 5-6-5, 24-bit,
// 32-bit; top-down or bottom-up), GetObjectA and DeleteObject.
#include <cstdint>
#include <cstring>

#include "platform/display/screen.h"
#include "platform/gdi32/bitmap_factory.h"
#include "platform/gdi32/gdi_objects.h"

namespace brannock::platform::gdi {

using display::PixelFormat;

HBITMAP AddNewBitmap(int width, int height, PixelFormat format, bool dibSection, bool bottomUp,
                     std::shared_ptr<display::PixelBuffer>* pixels) {
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->pixels = display::PixelBuffer::Create(width, height, format, bottomUp);
    if (!bitmap->pixels) return nullptr;
    bitmap->dibSection = dibSection;
    if (pixels) *pixels = bitmap->pixels;
    return static_cast<HBITMAP>(AddBitmap(std::move(bitmap)));
}

namespace {

// The format a DIB header asks for, or false for formats without one here
// (1 and 4 bits, colour tables of palette indices, compressed or unusual
// masks).
bool DibFormat(const BITMAPINFO& info, UINT usage, PixelFormat& format) {
    const BITMAPINFOHEADER& header = info.bmiHeader;
    const int bits = header.biBitCount;
    if (header.biCompression == BI_RGB) {
        if (bits == 8 && usage == DIB_RGB_COLORS) {
            format = PixelFormat::kIndexed8;
            return true;
        }
        if (bits == 16) {
            format = PixelFormat::kRgb555;
            return true;
        }
        return (bits == 24 || bits == 32) && display::FormatForDepth(bits, format);
    }
    if (header.biCompression == BI_BITFIELDS && (bits == 16 || bits == 32)) {
        // The masks follow a 40-byte header, and sit at the same place inside
        // the larger ones.
        DWORD masks[3];
        std::memcpy(masks, reinterpret_cast<const BYTE*>(&info) + sizeof(BITMAPINFOHEADER),
                    sizeof masks);
        return display::FormatForMasks(bits, masks[0], masks[1], masks[2], format);
    }
    return false;
}

// Copies the colour table that follows the header: biClrUsed entries, or
// 256 when it is 0 (more than 256 are ignored).
void ReadColourTable(const BITMAPINFO& info, display::Palette& palette) {
    const BITMAPINFOHEADER& header = info.bmiHeader;
    palette.count =
        header.biClrUsed == 0 || header.biClrUsed > 256 ? 256 : static_cast<int>(header.biClrUsed);
    const BYTE* table = reinterpret_cast<const BYTE*>(&info) + header.biSize;
    for (int i = 0; i < palette.count; ++i) {
        RGBQUAD entry;
        std::memcpy(&entry, table + i * sizeof entry, sizeof entry);
        palette.colours[i] = (static_cast<std::uint32_t>(entry.rgbRed) << 16) |
                             (entry.rgbGreen << 8) | entry.rgbBlue;
    }
}

}  // namespace

}  // namespace brannock::platform::gdi

using namespace brannock::platform;

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    const auto dc = gdi::FindDC(hdc);
    if (!dc || cx < 0 || cy < 0) return nullptr;
    // As in Windows, a zero size gives a 1x1 bitmap.
    if (cx == 0 || cy == 0) cx = cy = 1;
    // A DC holding bitmaps makes them like the one selected (monochrome
    // while it holds the stock one); other DCs in the screen's format.
    const auto selected =
        dc->kind == gdi::DcKind::kMemory || dc->surfaceBitmap ? gdi::SelectedBitmap(hdc) : nullptr;
    if (selected && selected->monochrome) {
        auto bitmap = std::make_shared<gdi::Bitmap>();
        bitmap->pixels = gdi::MonochromePixels(cx, cy);
        if (!bitmap->pixels) return nullptr;
        bitmap->monochrome = true;
        return static_cast<HBITMAP>(gdi::AddBitmap(std::move(bitmap)));
    }
    if (!selected) return gdi::AddNewBitmap(cx, cy, display::CurrentMode().format, false, false);
    std::shared_ptr<display::PixelBuffer> pixels;
    HBITMAP bitmap = gdi::AddNewBitmap(cx, cy, selected->pixels->Format(), false, false, &pixels);
    if (bitmap && pixels->ColourTable()) *pixels->ColourTable() = *selected->pixels->ColourTable();
    return bitmap;
}

HBITMAP WINAPI CreateDIBSection(HDC, const BITMAPINFO* lpbmi, UINT usage, VOID** ppvBits,
                                HANDLE hSection, DWORD) {
    if (ppvBits) *ppvBits = nullptr;
    if (!lpbmi || hSection || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)) return nullptr;
    const BITMAPINFOHEADER& header = lpbmi->bmiHeader;
    display::PixelFormat format;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 || header.biWidth <= 0 ||
        header.biHeight == 0 || header.biHeight == INT32_MIN ||
        !gdi::DibFormat(*lpbmi, usage, format)) {
        return nullptr;
    }
    const bool bottomUp = header.biHeight > 0;
    const int height = bottomUp ? header.biHeight : -header.biHeight;
    std::shared_ptr<display::PixelBuffer> pixels;
    HBITMAP handle = gdi::AddNewBitmap(header.biWidth, height, format, true, bottomUp, &pixels);
    if (!handle) return nullptr;
    if (display::Palette* table = pixels->ColourTable()) gdi::ReadColourTable(*lpbmi, *table);
    if (ppvBits) *ppvBits = pixels->Memory();
    return handle;
}

int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
    const auto bitmap = gdi::FindBitmap(h);
    if (!bitmap) return 0;
    if (!pv) return sizeof(BITMAP);
    if (c < static_cast<int>(sizeof(BITMAP))) return 0;
    const display::PixelBuffer& pixels = *bitmap->pixels;
    const int bits = bitmap->monochrome ? 1 : display::Info(pixels.Format()).bitsPerPixel;
    BITMAP info{};
    info.bmType = 0;
    info.bmWidth = pixels.Width();
    info.bmHeight = pixels.Height();
    // DIB rows are padded to 4 bytes, device-dependent ones report 2.
    info.bmWidthBytes = bitmap->dibSection ? static_cast<LONG>(pixels.Stride())
                                           : ((pixels.Width() * bits + 15) / 16) * 2;
    info.bmPlanes = 1;
    info.bmBitsPixel = static_cast<WORD>(bits);
    info.bmBits = bitmap->dibSection ? pixels.Memory() : nullptr;
    if (!bitmap->dibSection || c < static_cast<int>(sizeof(DIBSECTION))) {
        std::memcpy(pv, &info, sizeof info);
        return sizeof(BITMAP);
    }
    // A DIB section, given room, also tells its header and masks.
    DIBSECTION section{};
    section.dsBm = info;
    BITMAPINFOHEADER& header = section.dsBmih;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = pixels.Width();
    header.biHeight = pixels.BottomUp() ? pixels.Height() : -pixels.Height();
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bits);
    header.biSizeImage =
        static_cast<DWORD>(pixels.Stride() * static_cast<std::size_t>(pixels.Height()));
    if (const display::Palette* table = pixels.ColourTable()) {
        header.biClrUsed = static_cast<DWORD>(table->count);
    }
    if (pixels.Format() == display::PixelFormat::kRgb565) {
        const display::FormatInfo& format = display::Info(pixels.Format());
        header.biCompression = BI_BITFIELDS;
        section.dsBitfields[0] = format.redMask;
        section.dsBitfields[1] = format.greenMask;
        section.dsBitfields[2] = format.blueMask;
    }
    std::memcpy(pv, &section, sizeof section);
    return sizeof(DIBSECTION);
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    return gdi::DeleteGdiObject(ho) ? TRUE : FALSE;
}
