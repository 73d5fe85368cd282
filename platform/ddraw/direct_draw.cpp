// The DirectDraw object: DirectDrawCreateEx, cooperative levels, display
// modes, and the creation of surfaces and clippers.
#include "platform/ddraw/direct_draw.h"

#include <cstring>
#include <mutex>

#include "platform/ddraw/clipper.h"
#include "platform/ddraw/format_description.h"
#include "platform/ddraw/surface.h"
#include "platform/ddraw/surface_registry.h"
#include "platform/display/screen.h"
#include "platform/user32/user32.h"

// {15E65EC0-3B9C-11D2-B92F-00609797EA5B}
const IID IID_IDirectDraw7 = {
    0x15e65ec0, 0x3b9c, 0x11d2, {0xb9, 0x2f, 0x00, 0x60, 0x97, 0x97, 0xea, 0x5b}};

namespace brannock::platform::ddraw {

namespace {

constexpr HRESULT kNoAggregation = static_cast<HRESULT>(0x80040110u);  // CLASS_E_NOAGGREGATION

// Largest side of a surface or display mode.
constexpr DWORD kMaxSide = 16384;
// Largest flip chain.
constexpr DWORD kMaxBackBuffers = 3;

// The object holding the exclusive level, process-wide.
std::mutex exclusiveMutex;
DirectDraw* exclusiveHolder = nullptr;

bool TakeExclusive(DirectDraw* object) {
    std::lock_guard lock(exclusiveMutex);
    if (exclusiveHolder && exclusiveHolder != object) return false;
    exclusiveHolder = object;
    return true;
}

void DropExclusive(DirectDraw* object) {
    std::lock_guard lock(exclusiveMutex);
    if (exclusiveHolder == object) exclusiveHolder = nullptr;
}

}  // namespace

DirectDraw::~DirectDraw() {
    LeaveFullScreen();
    if (exclusive_) DropExclusive(this);
}

void DirectDraw::PrimaryGone(Surface* surface) {
    if (primary_ == surface) primary_ = nullptr;
}

void DirectDraw::LeaveFullScreen() {
    if (!modeSet_) return;
    modeSet_ = false;
    if (display::LeaveMode()) {
        LoseAllSurfaces();
        display::NotifyDisplayModeChanged(nullptr);
    }
}

// --- IUnknown ---------------------------------------------------------------------

HRESULT DirectDraw::QueryInterface(REFIID riid, void** object) {
    if (!object) return DDERR_INVALIDPARAMS;
    if (riid == IID_IDirectDraw7) {
        AddRef();
        *object = static_cast<IDirectDraw7*>(this);
        return DD_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// --- Cooperative level and display mode ---------------------------------------------

HRESULT DirectDraw::SetCooperativeLevel(HWND hWnd, DWORD dwFlags) {
    const bool normal = (dwFlags & DDSCL_NORMAL) != 0;
    const bool exclusive = (dwFlags & DDSCL_EXCLUSIVE) != 0;
    const bool fullScreen = (dwFlags & DDSCL_FULLSCREEN) != 0;
    if (normal == exclusive || exclusive != fullScreen) return DDERR_INVALIDPARAMS;
    if (hWnd && !IsWindow(hWnd)) return DDERR_INVALIDPARAMS;
    if (exclusive) {
        if (!hWnd) return DDERR_INVALIDPARAMS;
        if (!TakeExclusive(this)) return DDERR_EXCLUSIVEMODEALREADYSET;
        exclusive_ = true;
    } else if (exclusive_) {
        // Leaving the exclusive level gives the display back to the desktop.
        LeaveFullScreen();
        DropExclusive(this);
        exclusive_ = false;
    }
    window_ = hWnd;
    level_ = dwFlags;
    return DD_OK;
}

HRESULT DirectDraw::SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP, DWORD,
                                   DWORD dwFlags) {
    if (!level_) return DDERR_NOCOOPERATIVELEVELSET;
    if (!exclusive_) return DDERR_NOEXCLUSIVEMODE;
    if (dwFlags != 0) return DDERR_INVALIDPARAMS;
    display::PixelFormat format;
    if (dwWidth == 0 || dwHeight == 0 || dwWidth > kMaxSide || dwHeight > kMaxSide ||
        !display::DepthAccepted(dwBPP) ||
        !display::FormatForDepth(static_cast<int>(dwBPP), format)) {
        return DDERR_INVALIDMODE;
    }
    const display::ScreenMode wanted{static_cast<int>(dwWidth), static_cast<int>(dwHeight), format};
    if (modeSet_ && display::CurrentMode() == wanted) return DD_OK;
    if (!display::EnterMode(window_, wanted.width, wanted.height, format)) {
        return DDERR_OUTOFMEMORY;
    }
    modeSet_ = true;
    LoseAllSurfaces();
    display::NotifyDisplayModeChanged(window_);
    return DD_OK;
}

HRESULT DirectDraw::RestoreDisplayMode() {
    LeaveFullScreen();
    return DD_OK;
}

HRESULT DirectDraw::GetDisplayMode(LPDDSURFACEDESC2 lpDDSurfaceDesc) {
    if (!lpDDSurfaceDesc || lpDDSurfaceDesc->dwSize != sizeof(DDSURFACEDESC2)) {
        return DDERR_INVALIDPARAMS;
    }
    const display::ScreenMode mode = display::CurrentMode();
    std::memset(lpDDSurfaceDesc, 0, sizeof *lpDDSurfaceDesc);
    lpDDSurfaceDesc->dwSize = sizeof *lpDDSurfaceDesc;
    lpDDSurfaceDesc->dwFlags =
        DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
    lpDDSurfaceDesc->dwWidth = static_cast<DWORD>(mode.width);
    lpDDSurfaceDesc->dwHeight = static_cast<DWORD>(mode.height);
    lpDDSurfaceDesc->lPitch = PitchOf(mode.format, mode.width);
    lpDDSurfaceDesc->dwRefreshRate = 60;
    DescribePixelFormat(mode.format, lpDDSurfaceDesc->ddpfPixelFormat);
    return DD_OK;
}

// --- Surfaces and clippers ------------------------------------------------------------

HRESULT DirectDraw::CreateSurface(LPDDSURFACEDESC2 lpDDSurfaceDesc,
                                  LPDIRECTDRAWSURFACE7* lplpDDSurface, IUnknown* pUnkOuter) {
    if (!lplpDDSurface) return DDERR_INVALIDPARAMS;
    *lplpDDSurface = nullptr;
    if (!lpDDSurfaceDesc || lpDDSurfaceDesc->dwSize != sizeof(DDSURFACEDESC2)) {
        return DDERR_INVALIDPARAMS;
    }
    if (pUnkOuter) return kNoAggregation;
    if (!level_) return DDERR_NOCOOPERATIVELEVELSET;
    const DDSURFACEDESC2& desc = *lpDDSurfaceDesc;
    const DWORD caps = (desc.dwFlags & DDSD_CAPS) ? desc.ddsCaps.dwCaps : DDSCAPS_OFFSCREENPLAIN;
    const display::ScreenMode mode = display::CurrentMode();
    Surface* surface = nullptr;

    if (caps & DDSCAPS_PRIMARYSURFACE) {
        if (desc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT)) {
            return DDERR_INVALIDPARAMS;
        }
        if (primary_) return DDERR_PRIMARYSURFACEALREADYEXISTS;
        DWORD backBuffers = 0;
        if (caps & DDSCAPS_FLIP) {
            if (!(caps & DDSCAPS_COMPLEX)) return DDERR_INVALIDCAPS;
            if (!(desc.dwFlags & DDSD_BACKBUFFERCOUNT) || desc.dwBackBufferCount == 0 ||
                desc.dwBackBufferCount > kMaxBackBuffers) {
                return DDERR_INVALIDPARAMS;
            }
            if (!exclusive_) return DDERR_NOEXCLUSIVEMODE;
            backBuffers = desc.dwBackBufferCount;
        }
        surface =
            Surface::Create(this, Surface::Role::kPrimary, mode.width, mode.height, mode.format);
        if (!surface->AttachBackBuffers(static_cast<int>(backBuffers))) {
            surface->Release();
            return DDERR_OUTOFMEMORY;
        }
        primary_ = surface;
    } else {
        if (caps & (DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_FRONTBUFFER)) {
            return DDERR_INVALIDCAPS;
        }
        if ((desc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT) ||
            desc.dwWidth == 0 || desc.dwHeight == 0) {
            return DDERR_INVALIDPARAMS;
        }
        if (desc.dwWidth > kMaxSide || desc.dwHeight > kMaxSide) return DDERR_TOOBIGSIZE;
        display::PixelFormat format = mode.format;
        if (desc.dwFlags & DDSD_PIXELFORMAT) {
            const DDPIXELFORMAT& wanted = desc.ddpfPixelFormat;
            if (!(wanted.dwFlags & DDPF_RGB) ||
                !display::FormatForMasks(static_cast<int>(wanted.dwRGBBitCount), wanted.dwRBitMask,
                                         wanted.dwGBitMask, wanted.dwBBitMask, format)) {
                return DDERR_INVALIDPIXELFORMAT;
            }
        }
        surface = Surface::Create(this, Surface::Role::kOffscreen, static_cast<int>(desc.dwWidth),
                                  static_cast<int>(desc.dwHeight), format);
        if (!surface) return DDERR_OUTOFMEMORY;
        if (caps & DDSCAPS_SYSTEMMEMORY) surface->MarkSystemMemory();
    }

    if (desc.dwFlags & DDSD_CKSRCBLT) {
        DDCOLORKEY key = desc.ddckCKSrcBlt;
        surface->SetColorKey(DDCKEY_SRCBLT | DDCKEY_COLORSPACE, &key);
    }
    if (desc.dwFlags & DDSD_CKDESTBLT) {
        DDCOLORKEY key = desc.ddckCKDestBlt;
        surface->SetColorKey(DDCKEY_DESTBLT | DDCKEY_COLORSPACE, &key);
    }
    *lplpDDSurface = surface;
    return DD_OK;
}

HRESULT DirectDraw::CreateClipper(DWORD dwFlags, LPDIRECTDRAWCLIPPER* lplpDDClipper,
                                  IUnknown* pUnkOuter) {
    if (!lplpDDClipper) return DDERR_INVALIDPARAMS;
    *lplpDDClipper = nullptr;
    if (dwFlags != 0) return DDERR_INVALIDPARAMS;
    if (pUnkOuter) return kNoAggregation;
    *lplpDDClipper = new Clipper();
    return DD_OK;
}

}  // namespace brannock::platform::ddraw

HRESULT WINAPI DirectDrawCreateEx(GUID* lpGuid, LPVOID* lplpDD, REFIID iid, IUnknown* pUnkOuter) {
    using brannock::platform::ddraw::DirectDraw;
    if (!lplpDD) return DDERR_INVALIDPARAMS;
    *lplpDD = nullptr;
    if (!(iid == IID_IDirectDraw7)) return DDERR_INVALIDPARAMS;
    if (pUnkOuter) return static_cast<HRESULT>(0x80040110u);  // CLASS_E_NOAGGREGATION
    // Null, DDCREATE_HARDWAREONLY (1) or DDCREATE_EMULATIONONLY (2) name the
    // one display driver there is.
    const auto guid = reinterpret_cast<std::uintptr_t>(lpGuid);
    if (guid > 2) return DDERR_INVALIDPARAMS;
    *lplpDD = static_cast<IDirectDraw7*>(new DirectDraw());
    return DD_OK;
}
