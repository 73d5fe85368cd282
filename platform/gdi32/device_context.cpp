// Device contexts: the screen, window client areas, window overlays, memory
// DCs and surface DCs, and the state text drawing reads.
#include <algorithm>
#include <climits>

#include "platform/display/blit.h"
#include "platform/display/overlay.h"
#include "platform/display/screen.h"
#include "platform/display/window_area.h"
#include "platform/gdi32/gdi_objects.h"
#include "platform/gdi32/surface_dc.h"
#include "platform/user32/user32.h"

namespace brannock::platform::gdi {

namespace {

using display::Canvas;

// No limit but the canvas's own bounds, which every drawing call applies.
constexpr RECT kUnlimited{INT_MIN / 4, INT_MIN / 4, INT_MAX / 4, INT_MAX / 4};

bool WindowAlive(HWND window) {
    return IsWindow(window) != FALSE;
}

}  // namespace

bool ResolveTarget(HDC handle, Target& target) {
    auto dc = FindDC(handle);
    if (!dc) return false;
    target.origin = {0, 0};
    target.clip = kUnlimited;
    target.monochrome = false;
    switch (dc->kind) {
        case DcKind::kScreen:
            target.canvas = Canvas::Screen();
            break;
        case DcKind::kWindow: {
            display::WindowArea area;
            if (!display::LocateWindow(dc->window, area)) return false;
            target.canvas = Canvas::Screen();
            target.origin = {area.client.left, area.client.top};
            target.clip = area.client;
            break;
        }
        case DcKind::kSurface:
            if (!dc->surfaceBitmap) {  // the primary: the screen itself
                target.canvas = dc->canvas;
                break;
            }
            [[fallthrough]];
        case DcKind::kMemory: {
            auto bitmap = SelectedBitmap(handle);
            if (!bitmap) return false;
            target.canvas = Canvas::Buffer(bitmap->pixels);
            target.monochrome = bitmap->monochrome;
            break;
        }
        case DcKind::kOverlay:
            target.canvas = dc->canvas;
            break;
    }
    target.dc = std::move(dc);
    return true;
}

HDC CreateSurfaceDC(const display::Canvas& canvas) {
    auto dc = std::make_shared<DeviceContext>();
    dc->kind = DcKind::kSurface;
    dc->canvas = canvas;
    return AddDC(std::move(dc));
}

bool DeleteSurfaceDC(HDC handle, RECT& drawn) {
    auto dc = FindDC(handle);
    if (!dc || dc->kind != DcKind::kSurface) return false;
    drawn = dc->dirty;
    return RemoveDC(handle);
}

}  // namespace brannock::platform::gdi

using namespace brannock::platform;
using gdi::DcKind;
using gdi::DeviceContext;

HDC WINAPI GetDC(HWND hWnd) {
    auto dc = std::make_shared<DeviceContext>();
    dc->canvas = display::Canvas::Screen();
    if (hWnd) {
        if (!IsWindow(hWnd)) return nullptr;
        dc->kind = DcKind::kWindow;
        dc->window = hWnd;
    }
    return gdi::AddDC(std::move(dc));
}

HDC WINAPI GetWindowDC(HWND hWnd) {
    if (!hWnd) return GetDC(nullptr);
    display::WindowArea area;
    if (!display::LocateWindow(hWnd, area)) return nullptr;
    std::shared_ptr<display::PixelBuffer> overlay;
    bool created;
    {
        std::lock_guard lock(display::DisplayMutex());
        created = !display::FindOverlayLocked(hWnd);
        overlay = display::OverlayLocked(hWnd, std::max(area.HostWidth(), 1),
                                         std::max(area.HostHeight(), 1));
    }
    if (!overlay) return nullptr;
    // A new overlay is a good moment to forget those of destroyed windows.
    if (created) display::PruneOverlays(&gdi::WindowAlive);
    auto dc = std::make_shared<DeviceContext>();
    dc->kind = DcKind::kOverlay;
    dc->window = hWnd;
    dc->canvas = display::Canvas::Overlay(std::move(overlay));
    return gdi::AddDC(std::move(dc));
}

int WINAPI ReleaseDC(HWND, HDC hDC) {
    auto dc = gdi::FindDC(hDC);
    if (!dc) return 0;
    switch (dc->kind) {
        case DcKind::kScreen:
        case DcKind::kWindow:
        case DcKind::kOverlay:
            break;
        default:
            return 0;  // memory DCs go through DeleteDC, surface DCs through their surface
    }
    if (!gdi::RemoveDC(hDC)) return 0;
    if (!display::IsEmpty(dc->dirty)) {
        if (dc->kind == DcKind::kOverlay) {
            display::NotifyOverlayUpdated(dc->window);
        } else {
            display::NotifyScreenUpdated(dc->dirty);
        }
    }
    return 1;
}

HDC WINAPI CreateCompatibleDC(HDC hdc) {
    auto dc = std::make_shared<DeviceContext>();
    dc->kind = DcKind::kMemory;
    if (hdc && !gdi::FindDC(hdc)) return nullptr;
    return gdi::AddDC(std::move(dc));
}

BOOL WINAPI DeleteDC(HDC hdc) {
    const auto dc = gdi::FindDC(hdc);
    if (!dc || dc->kind != DcKind::kMemory) return FALSE;
    return gdi::RemoveDC(hdc) ? TRUE : FALSE;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    return gdi::Select(hdc, h);
}

namespace {

// Puts `colour` in one of the DC's colours; the previous one, or CLR_INVALID.
COLORREF ExchangeColour(HDC hdc, COLORREF DeviceContext::*which, COLORREF colour) {
    const auto dc = gdi::FindDC(hdc);
    if (!dc) return CLR_INVALID;
    const COLORREF previous = (*dc).*which;
    (*dc).*which = colour & 0xFFFFFF;
    return previous;
}

}  // namespace

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    return ExchangeColour(hdc, &DeviceContext::textColour, color);
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    return ExchangeColour(hdc, &DeviceContext::backColour, color);
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    const auto dc = gdi::FindDC(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int previous = dc->backMode;
    dc->backMode = mode;
    return previous;
}
