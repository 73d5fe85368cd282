// Surface life, description, colour keys, clipper, lock and DC.
#include "platform/ddraw/surface.h"

#include <cstring>

#include "platform/ddraw/clipper.h"
#include "platform/ddraw/direct_draw.h"
#include "platform/ddraw/format_description.h"
#include "platform/ddraw/surface_registry.h"
#include "platform/gdi32/surface_dc.h"

namespace brannock::platform::ddraw {

using display::PixelFormat;

Surface* Surface::Create(DirectDraw* owner, Role role, int width, int height, PixelFormat format) {
    auto* surface = new Surface(owner, role, width, height, format);
    if (role != Role::kPrimary) {
        surface->buffer_ = display::PixelBuffer::Create(width, height, format);
        if (!surface->buffer_) {
            surface->Release();
            return nullptr;
        }
    }
    return surface;
}

Surface::Surface(DirectDraw* owner, Role role, int width, int height, PixelFormat format)
    : owner_(owner),
      role_(role),
      width_(width),
      height_(height),
      format_(format),
      createdMode_(display::CurrentMode()) {
    owner_->AddRef();
    RegisterSurface(this);
}

Surface::~Surface() {
    UnregisterSurface(this);
    if (dc_) {
        RECT drawn;
        gdi::DeleteSurfaceDC(dc_, drawn);
    }
    for (Surface* back : backBuffers_) {
        back->next_ = nullptr;
        back->Release();
    }
    if (clipper_) clipper_->Release();
    if (role_ == Role::kPrimary) owner_->PrimaryGone(this);
    owner_->Release();
}

bool Surface::AttachBackBuffers(int count) {
    for (int i = 0; i < count; ++i) {
        Surface* back = Create(owner_, Role::kBackBuffer, width_, height_, format_);
        if (!back) return false;
        if (!backBuffers_.empty()) backBuffers_.back()->next_ = back;
        backBuffers_.push_back(back);
    }
    return true;
}

display::Canvas Surface::Canvas() const {
    return role_ == Role::kPrimary ? display::Canvas::Screen() : display::Canvas::Buffer(buffer_);
}

display::PixelView Surface::ScreenViewLocked() const {
    const display::PixelView view = display::ScreenViewLocked();
    if (view.width != width_ || view.height != height_ || view.format != format_) return {};
    return view;
}

// --- IUnknown -------------------------------------------------------------------

HRESULT Surface::QueryInterface(REFIID, void** object) {
    if (object) *object = nullptr;
    return E_NOINTERFACE;
}

// --- Description ----------------------------------------------------------------

void Surface::FillDescription(DDSURFACEDESC2& desc) const {
    const DWORD size = desc.dwSize;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = size;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc.dwWidth = static_cast<DWORD>(width_);
    desc.dwHeight = static_cast<DWORD>(height_);
    desc.lPitch = PitchOf(format_, width_);
    if (!backBuffers_.empty()) {
        desc.dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = static_cast<DWORD>(backBuffers_.size());
    }
    if (hasSourceKey_) {
        desc.dwFlags |= DDSD_CKSRCBLT;
        desc.ddckCKSrcBlt = sourceKey_;
    }
    if (hasDestKey_) {
        desc.dwFlags |= DDSD_CKDESTBLT;
        desc.ddckCKDestBlt = destKey_;
    }
    DescribePixelFormat(format_, desc.ddpfPixelFormat);
    desc.ddsCaps.dwCaps = CapsBits();
}

DWORD Surface::CapsBits() const {
    DWORD caps = systemMemory_ ? DDSCAPS_SYSTEMMEMORY : DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM;
    switch (role_) {
        case Role::kPrimary:
            caps |= DDSCAPS_PRIMARYSURFACE | DDSCAPS_VISIBLE;
            if (!backBuffers_.empty()) caps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_FRONTBUFFER;
            break;
        case Role::kBackBuffer:
            caps |= DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
            break;
        case Role::kOffscreen:
            caps |= DDSCAPS_OFFSCREENPLAIN;
            break;
    }
    return caps;
}

HRESULT Surface::GetCaps(LPDDSCAPS2 lpDDSCaps) {
    if (!lpDDSCaps) return DDERR_INVALIDPARAMS;
    std::memset(lpDDSCaps, 0, sizeof *lpDDSCaps);
    lpDDSCaps->dwCaps = CapsBits();
    return DD_OK;
}

HRESULT Surface::GetSurfaceDesc(LPDDSURFACEDESC2 lpDDSurfaceDesc) {
    if (!lpDDSurfaceDesc || lpDDSurfaceDesc->dwSize != sizeof(DDSURFACEDESC2)) {
        return DDERR_INVALIDPARAMS;
    }
    FillDescription(*lpDDSurfaceDesc);
    return DD_OK;
}

HRESULT Surface::GetPixelFormat(LPDDPIXELFORMAT lpDDPixelFormat) {
    if (!lpDDPixelFormat || lpDDPixelFormat->dwSize != sizeof(DDPIXELFORMAT)) {
        return DDERR_INVALIDPARAMS;
    }
    DescribePixelFormat(format_, *lpDDPixelFormat);
    return DD_OK;
}

// --- Flip chain -----------------------------------------------------------------

HRESULT Surface::GetAttachedSurface(LPDDSCAPS2 lpDDSCaps,
                                    LPDIRECTDRAWSURFACE7* lplpDDAttachedSurface) {
    if (!lpDDSCaps || !lplpDDAttachedSurface) return DDERR_INVALIDPARAMS;
    *lplpDDAttachedSurface = nullptr;
    Surface* found = nullptr;
    if (lpDDSCaps->dwCaps & (DDSCAPS_BACKBUFFER | DDSCAPS_FLIP)) {
        found = role_ == Role::kPrimary ? (backBuffers_.empty() ? nullptr : backBuffers_.front())
                                        : next_;
    }
    if (!found) return DDERR_NOTFOUND;
    found->AddRef();
    *lplpDDAttachedSurface = found;
    return DD_OK;
}

// --- Lost surfaces --------------------------------------------------------------

HRESULT Surface::IsLost() {
    return lost_ ? DDERR_SURFACELOST : DD_OK;
}

HRESULT Surface::Restore() {
    if (!lost_) return DD_OK;
    const display::ScreenMode mode = display::CurrentMode();
    const bool fits = role_ == Role::kPrimary ? mode == createdMode_ : mode.format == format_;
    if (!fits) return DDERR_WRONGMODE;
    lost_ = false;
    PixelsChanged();
    for (Surface* back : backBuffers_) {
        back->lost_ = false;
        back->PixelsChanged();
    }
    return DD_OK;
}

// --- Clipper and colour keys ------------------------------------------------------

HRESULT Surface::SetClipper(LPDIRECTDRAWCLIPPER lpDDClipper) {
    Clipper* clipper = nullptr;
    if (lpDDClipper) {
        clipper = dynamic_cast<Clipper*>(lpDDClipper);
        if (!clipper) return DDERR_INVALIDPARAMS;
        clipper->AddRef();
    }
    if (clipper_) clipper_->Release();
    clipper_ = clipper;
    return DD_OK;
}

HRESULT Surface::GetClipper(LPDIRECTDRAWCLIPPER* lplpDDClipper) {
    if (!lplpDDClipper) return DDERR_INVALIDPARAMS;
    *lplpDDClipper = clipper_;
    if (!clipper_) return DDERR_NOCLIPPERATTACHED;
    clipper_->AddRef();
    return DD_OK;
}

HRESULT Surface::SetColorKey(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey) {
    const DWORD which =
        dwFlags & (DDCKEY_SRCBLT | DDCKEY_DESTBLT | DDCKEY_SRCOVERLAY | DDCKEY_DESTOVERLAY);
    if (which == DDCKEY_SRCOVERLAY || which == DDCKEY_DESTOVERLAY) return DDERR_UNSUPPORTED;
    if (which != DDCKEY_SRCBLT && which != DDCKEY_DESTBLT) return DDERR_INVALIDPARAMS;
    if (which == DDCKEY_SRCBLT) PixelsChanged();  // the opaque runs follow the key
    bool& has = which == DDCKEY_SRCBLT ? hasSourceKey_ : hasDestKey_;
    DDCOLORKEY& key = which == DDCKEY_SRCBLT ? sourceKey_ : destKey_;
    if (!lpDDColorKey) {
        has = false;
        return DD_OK;
    }
    // Without DDCKEY_COLORSPACE the key is the single colour of the low value.
    // Kept as given; blits compare its colour bits only.
    key.dwColorSpaceLowValue = lpDDColorKey->dwColorSpaceLowValue;
    key.dwColorSpaceHighValue = (dwFlags & DDCKEY_COLORSPACE) ? lpDDColorKey->dwColorSpaceHighValue
                                                              : key.dwColorSpaceLowValue;
    has = true;
    return DD_OK;
}

HRESULT Surface::GetColorKey(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey) {
    if (!lpDDColorKey) return DDERR_INVALIDPARAMS;
    if (dwFlags == DDCKEY_SRCBLT) {
        if (!hasSourceKey_) return DDERR_NOCOLORKEY;
        *lpDDColorKey = sourceKey_;
        return DD_OK;
    }
    if (dwFlags == DDCKEY_DESTBLT) {
        if (!hasDestKey_) return DDERR_NOCOLORKEY;
        *lpDDColorKey = destKey_;
        return DD_OK;
    }
    return DDERR_INVALIDPARAMS;
}

// --- Lock and DC ------------------------------------------------------------------

std::uint8_t* Surface::ShadowRow(int row, int x) {
    return shadow_.data() + static_cast<std::size_t>(row) * PitchOf(format_, width_) +
           static_cast<std::size_t>(x) * display::BytesPerPixel(format_);
}

HRESULT Surface::Lock(LPRECT lpDestRect, LPDDSURFACEDESC2 lpDDSurfaceDesc, DWORD dwFlags, HANDLE) {
    if (!lpDDSurfaceDesc || lpDDSurfaceDesc->dwSize != sizeof(DDSURFACEDESC2)) {
        return DDERR_INVALIDPARAMS;
    }
    if (lost_) return DDERR_SURFACELOST;
    if (Busy()) return DDERR_SURFACEBUSY;
    RECT rect = Bounds();
    if (lpDestRect) {
        rect = *lpDestRect;
        // An empty rectangle is allowed; a reversed or outside one is not.
        if (rect.left < 0 || rect.top < 0 || rect.left > rect.right || rect.top > rect.bottom ||
            rect.right > width_ || rect.bottom > height_) {
            return DDERR_INVALIDPARAMS;
        }
    }
    const int bytes = display::BytesPerPixel(format_);
    void* pixels = nullptr;
    LONG pitch = 0;
    if (role_ == Role::kPrimary) {
        // The screen is shared with the backend: hand out a copy of the
        // rectangle's rows, at the surface's own pitch, written back by Unlock.
        const int rowBytes = (rect.right - rect.left) * bytes;
        pitch = PitchOf(format_, width_);
        shadow_.resize(static_cast<std::size_t>(pitch) * (rect.bottom - rect.top) + 4);
        display::CanvasLock lock(Canvas());
        const display::PixelView view = ViewLocked();
        if (view.width == 0) return DDERR_SURFACELOST;
        for (int y = rect.top; y < rect.bottom; ++y) {
            std::memcpy(ShadowRow(y - rect.top, rect.left), view.At(rect.left, y), rowBytes);
        }
        pixels = ShadowRow(0, rect.left);
    } else {
        const display::PixelView view = buffer_->View();
        pixels = view.At(rect.left, rect.top);
        pitch = static_cast<LONG>(view.pitch);
    }
    FillDescription(*lpDDSurfaceDesc);
    lpDDSurfaceDesc->dwFlags |= DDSD_LPSURFACE;
    lpDDSurfaceDesc->lpSurface = pixels;
    lpDDSurfaceDesc->lPitch = pitch;
    locked_ = true;
    lockReadOnly_ = (dwFlags & DDLOCK_READONLY) != 0;
    PixelsChanged();  // read-only is a promise nothing holds the caller to
    lockRect_ = rect;
    return DD_OK;
}

HRESULT Surface::Unlock(LPRECT) {
    if (!locked_) return DDERR_NOTLOCKED;
    locked_ = false;
    PixelsChanged();
    if (role_ != Role::kPrimary || lockReadOnly_ || display::IsEmpty(lockRect_)) return DD_OK;
    const int rowBytes = (lockRect_.right - lockRect_.left) * display::BytesPerPixel(format_);
    {
        display::CanvasLock lock(Canvas());
        const display::PixelView view = ViewLocked();
        if (view.width == 0) return DDERR_SURFACELOST;
        for (int y = lockRect_.top; y < lockRect_.bottom; ++y) {
            std::memcpy(view.At(lockRect_.left, y), ShadowRow(y - lockRect_.top, lockRect_.left),
                        rowBytes);
        }
    }
    display::NotifyScreenUpdated(lockRect_);
    return DD_OK;
}

HRESULT Surface::GetDC(HDC* lphDC) {
    if (!lphDC) return DDERR_INVALIDPARAMS;
    *lphDC = nullptr;
    if (lost_) return DDERR_SURFACELOST;
    if (dc_) return DDERR_DCALREADYCREATED;
    if (locked_) return DDERR_SURFACEBUSY;
    dc_ = gdi::CreateSurfaceDC(Canvas());
    if (!dc_) return DDERR_CANTCREATEDC;
    PixelsChanged();
    *lphDC = dc_;
    return DD_OK;
}

HRESULT Surface::ReleaseDC(HDC hDC) {
    if (!dc_) return DDERR_NODC;
    if (hDC != dc_) return DDERR_INVALIDPARAMS;
    RECT drawn{};
    gdi::DeleteSurfaceDC(dc_, drawn);
    dc_ = nullptr;
    PixelsChanged();
    if (role_ == Role::kPrimary && !display::IsEmpty(drawn)) display::NotifyScreenUpdated(drawn);
    return DD_OK;
}

HRESULT Surface::GetDDInterface(LPVOID* lplpDD) {
    if (!lplpDD) return DDERR_INVALIDPARAMS;
    owner_->AddRef();
    *lplpDD = static_cast<IDirectDraw7*>(owner_);
    return DD_OK;
}

// Blits complete before Blt and Flip return.
HRESULT Surface::GetBltStatus(DWORD) {
    return DD_OK;
}
HRESULT Surface::GetFlipStatus(DWORD) {
    return DD_OK;
}

}  // namespace brannock::platform::ddraw
