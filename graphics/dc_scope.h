// Scoped device contexts for the display's GDI copies: a memory DC with a
// bitmap selected into it, and the DC of a DirectDraw surface. Both give
// back what they took when they go out of scope.
#pragma once

#include "platform/win32.h"

// A memory DC compatible with the screen, holding `bitmap` while it lives.
class MemoryDC {
  public:
    explicit MemoryDC(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
        if (dc_) old_ = SelectObject(dc_, bitmap);
    }
    ~MemoryDC() {
        if (!dc_) return;
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    explicit operator bool() const { return dc_ != nullptr; }
    HDC get() const { return dc_; }

  private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

// The GDI DC of a surface, released again at the end of the scope. False
// when the surface is missing or refuses a DC (lost, locked).
class SurfaceDC {
  public:
    explicit SurfaceDC(IDirectDrawSurface7* surface) : surface_(surface) {
        if (surface_ && surface_->GetDC(&dc_) != DD_OK) dc_ = nullptr;
    }
    ~SurfaceDC() {
        if (dc_) surface_->ReleaseDC(dc_);
    }
    SurfaceDC(const SurfaceDC&) = delete;
    SurfaceDC& operator=(const SurfaceDC&) = delete;

    explicit operator bool() const { return dc_ != nullptr; }
    HDC get() const { return dc_; }

  private:
    IDirectDrawSurface7* surface_;
    HDC dc_ = nullptr;
};

// Width and height of a GDI bitmap; 0 x 0 when it cannot be read.
inline SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}
