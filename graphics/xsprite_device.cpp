// XSprite device set-up: construction, the DirectDraw object, the fixed
// surfaces in either screen mode, their backing bitmaps, colour keys, the
// pixel-format probe and the release of everything.
#include <algorithm>
#include <bit>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "graphics/dc_scope.h"
#include "graphics/xsprite.h"
#include "graphics/xsprite_texts.h"

namespace {

template <class Interface>
void ReleaseInterface(Interface*& object) {
    if (!object) return;
    object->Release();
    object = nullptr;
}

void DeleteBitmap(HBITMAP& bitmap) {
    if (!bitmap) return;
    DeleteObject(bitmap);
    bitmap = nullptr;
}

// The client area of `window` in client coordinates and on the screen.
void ReadClientRects(HWND window, RECT& client, RECT& onScreen) {
    GetClientRect(window, &client);
    onScreen = client;
    POINT topLeft{onScreen.left, onScreen.top};
    POINT bottomRight{onScreen.right, onScreen.bottom};
    ClientToScreen(window, &topLeft);
    ClientToScreen(window, &bottomRight);
    onScreen = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

DDSURFACEDESC2 EmptySurfaceDesc() {
    DDSURFACEDESC2 desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    return desc;
}

}  // namespace

XSprite::XSprite() = default;

XSprite::XSprite(HWND target) {
    detached = 0;
    window = target;
    GetWindowRect(target, &windowRect);
    screenWidth = 640;
    screenHeight = 480;
    displayBits = 16;
    CreateDisplay(nullptr, pageCount);
}

XSprite::~XSprite() {
    if (!detached) {
        ReleaseAllObjects(window);
        ReleaseDirectDraw();
        DeleteBitmap(bgImageBitmap);
        DeleteBitmap(bgScreenBitmap);
        for (int i = 0; i < kMaxPages; ++i) {
            DeleteBitmap(pageBitmaps[i]);
            pageBits[i] = nullptr;
        }
        // The bitmaps are gone: a later display must make them again.
        lastWidth = lastHeight = lastPageCount = 0;
    }
    images.clear();
    savedImages.clear();
}

void XSprite::AttachWindow(HWND target) {
    if (!detached) return;
    detached = 0;
    window = target;
    GetWindowRect(target, &windowRect);
}

void XSprite::InitDisplay(int width, int height, int bits, int count) {
    screenWidth = width;
    screenHeight = height;
    displayBits = bits;
    pageCount = count;
    if (CreateDisplay(nullptr, pageCount) == 0) {
        MessageBoxA(window, xsprite_text::kCannotInitialise, xsprite_text::kWarningCaption, MB_OK);
        std::exit(0);
    }
}

int XSprite::CreateDisplay(HWND target, int count) {
    if (target) {
        window = target;
        GetWindowRect(target, &windowRect);
    }
    if (!window) return 0;
    detached = 0;
    pageCount = std::clamp(count, 0, kMaxPages);

    // A display opened again starts from a fresh DirectDraw object; the old
    // one and its surfaces would otherwise be lost for good.
    if (directDraw) {
        ReleaseAllObjects(window);
        ReleaseDirectDraw();
    }
    void* created7 = nullptr;
    const HRESULT result = DirectDrawCreateEx(nullptr, &created7, IID_IDirectDraw7, nullptr);
    if (FAILED(result)) return ErrorBox(window, result, "DirectDrawCreateEx FAILED");
    directDraw = static_cast<IDirectDraw7*>(created7);

    // The backing bitmaps keep the fixed surfaces' contents across a
    // re-creation, so they survive as long as the size and count do.
    if (screenHeight != lastHeight || screenWidth != lastWidth || pageCount != lastPageCount) {
        DeleteBitmap(bgImageBitmap);
        bgImageBitmap = CreateBackingBitmap(screenWidth, screenHeight, 24);
        DeleteBitmap(bgScreenBitmap);
        bgScreenBitmap = CreateBackingBitmap(screenWidth, screenHeight, 24);
        for (int i = 0; i < pageCount; ++i) {
            DeleteBitmap(pageBitmaps[i]);
            pageBitmaps[i] = CreateBackingBitmap(screenWidth, screenHeight, 24, &pageBits[i]);
        }
    }
    for (int i = 0; i < pageCount; ++i)
        pageKeys[i] = kTransparent;

    if (CreateSurfaces(window, pageCount) < 0) return 0;

    drawEnabled = 1;
    lastWidth = screenWidth;
    lastHeight = screenHeight;
    lastPageCount = pageCount;
    return 1;
}

HRESULT XSprite::CreatePlainSurface(int width, int height, IDirectDrawSurface7** surface) {
    DDSURFACEDESC2 desc = EmptySurfaceDesc();
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    return directDraw->CreateSurface(&desc, surface, nullptr);
}

HRESULT XSprite::ColorFill(IDirectDrawSurface7* surface, DWORD value) {
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = value;
    return surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

HRESULT XSprite::SetFullScreenMode() {
    const auto tryDepth = [](int bits) {
        displayBits = bits;
        return directDraw->SetDisplayMode(screenWidth, screenHeight, bits, 0, 0);
    };
    HRESULT result = directDraw->SetDisplayMode(screenWidth, screenHeight, displayBits, 0, 0);
    if (SUCCEEDED(result)) return result;

    OutputDebugStringA(xsprite_text::kForcedModeChange);
    if (displayBits == 32) {
        OutputDebugStringA(xsprite_text::kTry24);
        if (SUCCEEDED(result = tryDepth(24))) return result;
        OutputDebugStringA(xsprite_text::kFailed24);
    } else if (displayBits == 24) {
        OutputDebugStringA(xsprite_text::kTry32);
        if (SUCCEEDED(result = tryDepth(32))) return result;
        OutputDebugStringA(xsprite_text::kFailed32);
    }
    OutputDebugStringA(xsprite_text::kTry16);
    if (SUCCEEDED(result = tryDepth(16))) return result;
    OutputDebugStringA(xsprite_text::kFailed16);
    OutputDebugStringA(xsprite_text::kNoDirectX);
    return ErrorBox(window, result, "SetDisplayMode FAILED(FULL)");
}

int XSprite::CreateSurfaces(HWND target, int count) {
    const int released = ReleaseAllObjects(target);
    if (released < 0) return ErrorBox(target, released, "ReleaseAllObjects FAILED");
    if (!IsWindow(target) || !directDraw) return 0;
    pageCount = std::clamp(count, 0, kMaxPages);

    HRESULT result;
    if (windowed) {
        result = directDraw->SetCooperativeLevel(target, DDSCL_NORMAL);
        if (FAILED(result)) return ErrorBox(target, result, "SetCooperativeLevel FAILED");
        ReadClientRects(target, sourceRect, destRect);

        DDSURFACEDESC2 desc = EmptySurfaceDesc();
        desc.dwFlags = DDSD_CAPS;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        result = directDraw->CreateSurface(&desc, &primary, nullptr);
        if (FAILED(result)) return ErrorBox(target, result, "CreateSurface FAILED");

        IDirectDrawClipper* clipper = nullptr;
        result = directDraw->CreateClipper(0, &clipper, nullptr);
        if (FAILED(result)) return ErrorBox(target, result, "CreateClipper FAILED");
        clipper->SetHWnd(0, target);
        primary->SetClipper(clipper);
        clipper->Release();  // the primary surface keeps it

        result = CreatePlainSurface(screenWidth, screenHeight, &back);
        if (FAILED(result)) return ErrorBox(target, result, "CreateSurface2 FAILED");
    } else {
        SetRect(&sourceRect, 0, 0, screenWidth, screenHeight);
        destRect = sourceRect;
        result = directDraw->SetCooperativeLevel(target, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
        if (FAILED(result)) return ErrorBox(target, result, "SetCooperativeLevel FAILED(FULL)");
        result = SetFullScreenMode();
        if (FAILED(result)) return result;

        DDSURFACEDESC2 desc = EmptySurfaceDesc();
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        desc.dwBackBufferCount = 1;
        result = directDraw->CreateSurface(&desc, &primary, nullptr);
        if (FAILED(result)) return ErrorBox(target, result, "CreateSurface FAILED(FULL)");

        DDSCAPS2 caps;
        std::memset(&caps, 0, sizeof caps);
        caps.dwCaps = DDSCAPS_BACKBUFFER;
        result = primary->GetAttachedSurface(&caps, &back);
        if (FAILED(result)) return ErrorBox(target, result, "GetAttachedSurface FAILED");
    }

    // The background layers and pages come back from their backing bitmaps.
    result = CreatePlainSurface(screenWidth, screenHeight, &bgImage);
    if (FAILED(result)) return ErrorBox(target, result, "BG-CreateSurface FAILED");
    if (bgImageBitmap) {
        CopyBitmapToSurface(bgImageBitmap, kSelectBgImage);
    } else {
        ColorFill(bgImage, 0);
    }
    result = CreatePlainSurface(screenWidth, screenHeight, &bgScreen);
    if (FAILED(result)) return ErrorBox(target, result, "BG-CreateSurface FAILED");
    if (bgScreenBitmap) {
        CopyBitmapToSurface(bgScreenBitmap, kSelectBgScreen);
    } else {
        ColorFill(bgScreen, 0);
    }
    for (int i = 0; i < pageCount; ++i) {
        result = CreatePlainSurface(screenWidth, screenHeight, &pages[i]);
        if (FAILED(result)) {
            return ErrorBox(
                target, result,
                windowed ? "Sprite-CreateSurface FAILED" : "Sprite-CreateSurface FAILED(FULL)");
        }
        SetSurfaceColorKey(pages[i], pageKeys[i]);
        if (pageBitmaps[i]) {
            CopyBitmapToSurface(pageBitmaps[i], i);
        } else {
            ColorFill(pages[i], 0);
        }
    }

    created = 1;
    DetectPixelFormat();
    return 0;
}

bool XSprite::HasSurfaces() const {
    if (primary || back || bgImage || bgScreen || !images.empty()) return true;
    return std::any_of(std::begin(pages), std::end(pages), [](auto* page) { return page; });
}

void XSprite::ReleaseSurfaces() {
    ReleaseImages();
    // Every page that exists, even beyond a page count lowered since.
    for (int i = kMaxPages - 1; i >= 0; --i)
        ReleaseInterface(pages[i]);
    ReleaseInterface(bgScreen);
    ReleaseInterface(bgImage);
    ReleaseInterface(back);
    ReleaseInterface(primary);
}

int XSprite::ReleaseAllObjects(HWND target) {
    // A creation that failed half-way leaves surfaces without `created`:
    // they are released all the same.
    if (!created && !HasSurfaces()) return 0;
    created = 0;
    if (directDraw) directDraw->SetCooperativeLevel(target, DDSCL_NORMAL);
    ReleaseSurfaces();
    return 0;
}

void XSprite::ReleaseDirectDraw() {
    ReleaseInterface(directDraw);
}

int XSprite::ErrorBox(HWND target, int code, const char* format, ...) {
    char text[128];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    ReleaseAllObjects(target);
    MessageBoxA(target, text, xsprite_text::kErrorCaption, MB_OK);
    DestroyWindow(target);
    return code;
}

HBITMAP XSprite::CreateBackingBitmap(int width, int height, int bits, void** pixels) {
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits);
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biClrImportant = 256;

    void* memory = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(screen, &info, bits >= 16 ? DIB_RGB_COLORS : DIB_PAL_COLORS,
                                      &memory, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (pixels) *pixels = bitmap ? memory : nullptr;
    if (!bitmap) return nullptr;

    MemoryDC dc(bitmap);
    if (dc) {
        HBRUSH black = CreateSolidBrush(0);
        RECT all;
        SetRect(&all, 0, 0, width, height);
        FillRect(dc.get(), &all, black);
        DeleteObject(black);
    }
    return bitmap;
}

DWORD XSprite::ColorMatch(IDirectDrawSurface7* surface, COLORREF colour) {
    DWORD result = 0xFFFFFFFF;
    if (!surface) return result;

    // Let GDI write the colour into the first pixel, read back what the
    // surface made of it, then put the old pixel back.
    const bool probe = colour != static_cast<COLORREF>(-1);
    COLORREF saved = 0;
    bool wrote = false;
    if (probe) {
        SurfaceDC dc(surface);
        if (dc) {
            saved = GetPixel(dc.get(), 0, 0);
            SetPixel(dc.get(), 0, 0, colour);
            wrote = true;
        }
    }

    DDSURFACEDESC2 desc = EmptySurfaceDesc();
    HRESULT locked;
    while ((locked = surface->Lock(nullptr, &desc, 0, nullptr)) == DDERR_WASSTILLDRAWING) {
    }
    if (locked == DD_OK) {
        // Read only the bytes of one pixel: a 16-bit surface one pixel wide
        // has no second pixel to read.
        const DWORD bitCount = desc.ddpfPixelFormat.dwRGBBitCount;
        const std::size_t bytes = std::clamp<DWORD>((bitCount + 7) / 8, 1, 4);
        DWORD value = 0;
        std::memcpy(&value, desc.lpSurface, bytes);
        if (bitCount < 32) value &= (DWORD{1} << bitCount) - 1;
        result = value;
        surface->Unlock(nullptr);
    }

    if (wrote) {
        SurfaceDC dc(surface);
        if (dc) SetPixel(dc.get(), 0, 0, saved);
    }
    return result;
}

void XSprite::SetSurfaceColorKey(IDirectDrawSurface7* surface, COLORREF colour) {
    if (!surface) return;
    const DWORD value = ColorMatch(surface, colour);
    DDCOLORKEY key{value, value};
    surface->SetColorKey(DDCKEY_SRCBLT, &key);
}

IDirectDrawSurface7* XSprite::SelectSurface(int selector) const {
    switch (selector) {
        case kSelectBgImage:
            return bgImage;
        case kSelectBgScreen:
            return bgScreen;
        case -3:
        case -4:
        case -5:
            return back;
        case kSelectDrawTarget:
            return autoRedraw ? bgScreen : back;
        default:
            return selector >= 0 && selector < pageCount ? pages[selector] : back;
    }
}

void XSprite::CopyBitmapToSurface(HBITMAP bitmap, int selector) {
    if (!IsWindow(window) || !bitmap) return;
    SurfaceDC surfaceDC(SelectSurface(selector));
    if (!surfaceDC) return;
    const SIZE size = BitmapSize(bitmap);
    MemoryDC source(bitmap);
    BitBlt(surfaceDC.get(), 0, 0, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
}

void XSprite::CopySurfaceToBitmap(HBITMAP bitmap, int selector) {
    if (!IsWindow(window) || !bitmap) return;
    SurfaceDC surfaceDC(SelectSurface(selector));
    if (!surfaceDC) {
        OutputDebugStringA(xsprite_text::kSurfaceCopyFailed);
        return;
    }
    const SIZE size = BitmapSize(bitmap);
    MemoryDC target(bitmap);
    BitBlt(target.get(), 0, 0, size.cx, size.cy, surfaceDC.get(), 0, 0, SRCCOPY);
}

int XSprite::DetectPixelFormat() {
    HDC screen = GetDC(nullptr);
    HBITMAP probe = CreateCompatibleBitmap(screen, 1, 1);
    BITMAP info{};
    if (probe) GetObjectA(probe, sizeof info, &info);
    DeleteObject(probe);
    ReleaseDC(nullptr, screen);

    const char* label;
    if (windowed) {
        pixelBits = info.bmBitsPixel;
        label = xsprite_text::kChangeWindowed;
    } else {
        pixelBits = displayBits;
        label = xsprite_text::kChangeFullScreen;
    }
    char line[64];
    std::snprintf(line, sizeof line, xsprite_text::kDepthFormat, label, pixelBits);
    OutputDebugStringA(line);

    colorBits = CountColorBits(nullptr, nullptr, nullptr);
    return pixelBits;
}

int XSprite::CountColorBits(DWORD* red, DWORD* green, DWORD* blue) {
    if (!created || !back) return 0;
    RECT none{0, 0, 0, 0};
    DDSURFACEDESC2 desc = EmptySurfaceDesc();
    if (back->Lock(&none, &desc, DDLOCK_WAIT, nullptr) != DD_OK) return -1;
    const DWORD r = desc.ddpfPixelFormat.dwRBitMask;
    const DWORD g = desc.ddpfPixelFormat.dwGBitMask;
    const DWORD b = desc.ddpfPixelFormat.dwBBitMask;
    back->Unlock(&none);
    if (red) *red = r;
    if (green) *green = g;
    if (blue) *blue = b;

    const int count = std::popcount(r | g | b);
    char line[64];
    std::snprintf(line, sizeof line, xsprite_text::kColorBitsFormat, count);
    OutputDebugStringA(line);
    return count;
}

void* XSprite::GetPageBits(int page) const {
    return page >= 0 && page < kMaxPages ? pageBits[page] : nullptr;
}
