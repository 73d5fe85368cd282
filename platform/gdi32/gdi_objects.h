// The GDI handle table: bitmaps, brushes and device contexts are entries
// under one lock, named by handles that carry a generation, so a stale or
// forged handle is simply not found. Objects are shared_ptr-owned: a call
// that found one keeps it alive even if another thread deletes the handle.
#pragma once

#include <memory>

#include "platform/display/canvas.h"
#include "platform/gdi32/gdi32.h"

namespace brannock::platform::gdi {

struct Bitmap {
    std::shared_ptr<display::PixelBuffer> pixels;
    bool dibSection = false;
    // One bit per pixel to callers: kept as indices into black and white.
    bool monochrome = false;
    bool stock = false;
    HDC selectedInto = nullptr;  // memory DC holding it (guarded by the table lock)
    // A surface's own pixels: selectable into that surface's DC only, and
    // removed with it, so they are never reached once the surface is gone.
    HDC surfaceDC = nullptr;
};

struct Brush {
    COLORREF colour = 0;
    bool stock = false;
};

enum class DcKind {
    kScreen,   // GetDC(NULL)
    kWindow,   // GetDC(window): the client area on the screen
    kOverlay,  // GetWindowDC(window)
    kMemory,   // CreateCompatibleDC
    kSurface,  // IDirectDrawSurface7::GetDC
};

struct DeviceContext {
    DcKind kind = DcKind::kScreen;
    HWND window = nullptr;
    display::Canvas canvas;  // overlays and surfaces: fixed at creation

    // Memory DCs and off-screen surface DCs: the selected bitmap (guarded by
    // the table lock: read it through SelectedBitmap).
    HBITMAP bitmapHandle = nullptr;
    std::shared_ptr<Bitmap> bitmap;
    HBITMAP surfaceBitmap = nullptr;  // surface DCs: the entry for the surface's pixels

    HBRUSH brushHandle = nullptr;
    COLORREF textColour = 0x000000;
    COLORREF backColour = 0xFFFFFF;
    int backMode = OPAQUE;

    // What was drawn since the DC was taken, in canvas coordinates; the
    // screen and overlay DCs report it when released.
    RECT dirty{};
};

HGDIOBJ AddBitmap(std::shared_ptr<Bitmap> bitmap);
// A monochrome bitmap's pixels: indices into black (0) and white (1); null
// when the size is refused or memory runs out.
std::shared_ptr<display::PixelBuffer> MonochromePixels(int width, int height);
HGDIOBJ AddBrush(std::shared_ptr<Brush> brush);
// Adds a DC entry. Memory DCs start with the stock bitmap; a surface DC on
// a buffer starts with a bitmap entry sharing that buffer.
HDC AddDC(std::shared_ptr<DeviceContext> dc);

std::shared_ptr<Bitmap> FindBitmap(HGDIOBJ handle);
std::shared_ptr<Brush> FindBrush(HGDIOBJ handle);
std::shared_ptr<DeviceContext> FindDC(HDC handle);

// Selects a bitmap or brush into `dc`; returns the previous one of that
// kind, or null when the object or DC is invalid or the bitmap is selected
// elsewhere (or the DC holds no bitmaps: only memory DCs and off-screen
// surface DCs do).
HGDIOBJ Select(HDC dc, HGDIOBJ object);

// The bitmap selected into a memory or surface DC, or null.
std::shared_ptr<Bitmap> SelectedBitmap(HDC dc);

// Deletes a bitmap or brush: false for invalid handles and objects that are
// selected into a DC; stock objects stay and give true.
bool DeleteGdiObject(HGDIOBJ object);

// Removes a DC entry (deselecting its bitmap, and removing a surface DC's
// own bitmap entry); false when invalid.
bool RemoveDC(HDC dc);

// The DC's drawing surface as it stands now: the canvas, the canvas
// position of the DC's (0, 0), and the canvas rectangle drawing may touch.
// Window DCs look the window up through user32; false when it is gone.
struct Target {
    std::shared_ptr<DeviceContext> dc;
    display::Canvas canvas;
    POINT origin{0, 0};
    RECT clip{};
    bool monochrome = false;  // the canvas is a monochrome bitmap
};
bool ResolveTarget(HDC handle, Target& target);

}  // namespace brannock::platform::gdi
