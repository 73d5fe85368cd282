// Helpers of the DirectDraw and GDI tests: COM pointers, surfaces of a chosen
// depth, raw pixels written through Lock and checked whole, memory DCs, fills,
// screen probes and window rectangles.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/win32.h"
#include "tests/support/surface_pixels.h"
#include "tests/support/test_window.h"

#ifndef _WIN32
#include "platform/testing/display.h"
#endif

namespace brannock::test {

struct ComRelease {
    void operator()(IUnknown* object) const {
        if (object) object->Release();
    }
};
template <class T>
using Com = std::unique_ptr<T, ComRelease>;

// A zeroed DirectDraw structure with its dwSize set.
template <class T>
T Sized() {
    T value;
    std::memset(&value, 0, sizeof value);
    value.dwSize = sizeof value;
    return value;
}

inline Com<IDirectDraw7> CreateDirectDraw(HWND window = nullptr, DWORD level = DDSCL_NORMAL) {
    void* object = nullptr;
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DD_OK);
    Com<IDirectDraw7> directDraw(static_cast<IDirectDraw7*>(object));
    if (directDraw) {
        EXPECT_EQ(directDraw->SetCooperativeLevel(window, level), DD_OK);
    }
    return directDraw;
}

// An off-screen plain surface; `bits` 16 (R5G6B5) or 32 (X8R8G8B8), or 0 for
// the display's format.
inline Com<IDirectDrawSurface7> CreatePlain(IDirectDraw7* directDraw, int width, int height,
                                            int bits = 0) {
    auto desc = Sized<DDSURFACEDESC2>();
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    if (bits) {
        desc.dwFlags |= DDSD_PIXELFORMAT;
        DDPIXELFORMAT& format = desc.ddpfPixelFormat;
        format.dwSize = sizeof format;
        format.dwFlags = DDPF_RGB;
        format.dwRGBBitCount = static_cast<DWORD>(bits);
        format.dwRBitMask = bits == 16 ? 0xF800 : 0xFF0000;
        format.dwGBitMask = bits == 16 ? 0x07E0 : 0x00FF00;
        format.dwBBitMask = bits == 16 ? 0x001F : 0x0000FF;
    }
    IDirectDrawSurface7* surface = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DD_OK);
    return Com<IDirectDrawSurface7>(surface);
}

// The primary surface, with a flip chain of `backBuffers` when not 0.
inline Com<IDirectDrawSurface7> CreatePrimary(IDirectDraw7* directDraw, int backBuffers = 0) {
    auto desc = Sized<DDSURFACEDESC2>();
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (backBuffers) {
        desc.dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        desc.dwBackBufferCount = static_cast<DWORD>(backBuffers);
    }
    IDirectDrawSurface7* surface = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DD_OK);
    return Com<IDirectDrawSurface7>(surface);
}

inline Com<IDirectDrawSurface7> BackBuffer(IDirectDrawSurface7* primary) {
    DDSCAPS2 caps{};
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    IDirectDrawSurface7* attached = nullptr;
    EXPECT_EQ(primary->GetAttachedSurface(&caps, &attached), DD_OK);
    return Com<IDirectDrawSurface7>(attached);
}

// Writes pixelAt(x, y) as the raw value of every pixel.
template <class PixelAt>
void WritePixels(IDirectDrawSurface7* surface, PixelAt pixelAt) {
    auto desc = Sized<DDSURFACEDESC2>();
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
    for (DWORD y = 0; y < desc.dwHeight; ++y) {
        auto* row = static_cast<std::uint8_t*>(desc.lpSurface) + y * desc.lPitch;
        for (DWORD x = 0; x < desc.dwWidth; ++x) {
            const DWORD value = pixelAt(static_cast<int>(x), static_cast<int>(y));
            std::memcpy(row + x * bytes, &value, bytes);
        }
    }
    surface->Unlock(nullptr);
}

// Checks that every raw pixel is expected(x, y); stops at the first that is not.
template <class Expected>
void ExpectPixels(IDirectDrawSurface7* surface, Expected expected) {
    auto desc = Sized<DDSURFACEDESC2>();
    ASSERT_EQ(surface->GetSurfaceDesc(&desc), DD_OK);
    const std::vector<DWORD> pixels = ReadPixels(surface);
    const int width = static_cast<int>(desc.dwWidth);
    for (int i = 0; i < static_cast<int>(pixels.size()); ++i)
        ASSERT_EQ(pixels[i], static_cast<DWORD>(expected(i % width, i / width)))
            << "at " << i % width << "," << i / width;
}

inline void FillSurface(IDirectDrawSurface7* surface, DWORD value) {
    auto fx = Sized<DDBLTFX>();
    fx.dwFillColor = value;
    ASSERT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
}

// Fills `area` of the DC with a solid colour.
inline void FillArea(HDC dc, RECT area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    EXPECT_NE(FillRect(dc, &area, brush), 0);
    DeleteObject(brush);
}

// A memory DC holding `bitmap`, put back and deleted at the end of scope.
class MemoryDC {
  public:
    explicit MemoryDC(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
        old_ = SelectObject(dc_, bitmap);
        EXPECT_NE(old_, nullptr);
    }
    ~MemoryDC() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    operator HDC() const { return dc_; }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

struct Dib {
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
};

// A DIB section of `bits` per pixel; `masks` with BI_BITFIELDS.
inline Dib MakeDib(int width, int height, int bits, DWORD compression = BI_RGB,
                   const DWORD* masks = nullptr) {
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bits);
    info.header.biCompression = compression;
    if (masks) std::memcpy(info.masks, masks, sizeof info.masks);
    Dib dib;
    dib.bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info),
                                  DIB_RGB_COLORS, &dib.bits, nullptr, 0);
    return dib;
}

// The screen's depth in bits per pixel.
inline int ScreenBitsPerPixel() {
#ifdef _WIN32
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
#else
    return testing::ScreenBitsPerPixel();
#endif
}

#ifndef _WIN32
// Expects the emulated screen to show `colour` at (x, y), for each probe.
struct ScreenProbe {
    int x, y;
    DWORD colour;
};
inline void ExpectScreen(std::initializer_list<ScreenProbe> probes) {
    for (const ScreenProbe& p : probes)
        EXPECT_EQ(testing::ScreenPixel(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
}
#endif

// The window's client area in screen coordinates.
inline RECT ClientOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

}  // namespace brannock::test
