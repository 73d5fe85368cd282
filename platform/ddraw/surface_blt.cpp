// Blt, BltFast and Flip: colour fills, plain, colour-keyed, mirrored and
// stretched copies, clipped to the clipper's window on the primary. Keyed
// 1:1 copies are drawn from the source's opaque runs, kept up to date here.
#include <typeinfo>

#include "platform/ddraw/clipper.h"
#include "platform/ddraw/direct_draw.h"
#include "platform/ddraw/surface.h"
#include "platform/display/frames.h"
#include "platform/display/window_area.h"
#include "platform/gdi32/gdi32.h"

namespace brannock::platform::ddraw {

namespace {

bool ValidFx(const DDBLTFX* fx) {
    return fx && fx->dwSize == sizeof(DDBLTFX);
}

// A clipper lets a destination reach past the surface, but not so far that
// its sides overflow the arithmetic of stretching.
bool SaneSize(const RECT& rect) {
    constexpr std::int64_t kLimit = std::int64_t{1} << 24;
    return std::int64_t{rect.right} - rect.left <= kLimit &&
           std::int64_t{rect.bottom} - rect.top <= kLimit;
}

}  // namespace

// The source key as a blit compares it: colour bits only, as stored keys may
// carry the unused bits of the value they were set from.
display::ColourKey Surface::BlitKey() const {
    const DWORD mask = display::Info(format_).colourMask;
    return {true, sourceKey_.dwColorSpaceLowValue & mask, sourceKey_.dwColorSpaceHighValue & mask};
}

HRESULT Surface::CheckSource(LPDIRECTDRAWSURFACE7 source, const LPRECT sourceRect, Surface*& from,
                             RECT& rect) const {
    // A type check as cheap as a compare: Surface is final, and this runs
    // for every sprite drawn.
    if (!source || typeid(*source) != typeid(Surface)) return DDERR_INVALIDPARAMS;
    from = static_cast<Surface*>(source);
    if (from->lost_) return DDERR_SURFACELOST;
    if (from->Busy()) return DDERR_SURFACEBUSY;
    rect = sourceRect ? *sourceRect : from->Bounds();
    if (display::IsEmpty(rect) || !display::Contains(from->Bounds(), rect)) {
        return DDERR_INVALIDRECT;
    }
    return DD_OK;
}

HRESULT Surface::RunBlit(Surface& from, const RECT& dest, const RECT& clip, const RECT& sourceRect,
                         const display::ColourKey& key, bool ownKey, DWORD effects) {
    // Keyed 1:1 copies from another surface draw from the source's opaque
    // runs. Not from the primary: GDI and other programs change its pixels
    // behind its back.
    const bool viaRuns = ownKey && &from != this && from.role_ != Role::kPrimary &&
                         dest.right - dest.left == sourceRect.right - sourceRect.left &&
                         dest.bottom - dest.top == sourceRect.bottom - sourceRect.top;
    std::unique_lock<std::mutex> runsLock;
    if (viaRuns) runsLock = std::unique_lock(from.runsMutex_);
    bool done;
    {
        // Only the screen's pixels are shared with the backend.
        std::unique_lock<std::mutex> screenLock;
        if (role_ == Role::kPrimary || from.role_ == Role::kPrimary) {
            screenLock = std::unique_lock(display::DisplayMutex());
        }
        // Every field given: a job made empty first costs a clearing per
        // sprite drawn.
        const display::BlitJob job{ViewLocked(),
                                   dest,
                                   clip,
                                   from.ViewLocked(),
                                   sourceRect,
                                   (effects & DDBLTFX_MIRRORLEFTRIGHT) != 0,
                                   (effects & DDBLTFX_MIRRORUPDOWN) != 0,
                                   key};
        if (job.target.width == 0 || job.source.width == 0) return DDERR_SURFACELOST;
        done = (viaRuns && from.BlitFromRunsLocked(job)) || display::Blit(job);
    }
    PixelsChanged();
    if (!done) return DDERR_INVALIDPIXELFORMAT;
    if (role_ == Role::kPrimary) {
        display::NotifyScreenUpdated(clip);
        // A surface copied onto the primary is a presented frame.
        display::NotifyFramePresented();
    }
    return DD_OK;
}

bool Surface::BlitFromRunsLocked(const display::BlitJob& job) {
    const std::uint64_t version = pixelsVersion_.load(std::memory_order_relaxed);
    if (!runsTried_ || runsVersion_ != version) {
        runs_.Build(job.source, job.key);  // a refusal leaves the runs empty until the next change
        runsVersion_ = version;
        runsTried_ = true;
    }
    return display::BlitRuns(job, runs_);
}

HRESULT Surface::Blt(LPRECT lpDestRect, LPDIRECTDRAWSURFACE7 lpDDSrcSurface, LPRECT lpSrcRect,
                     DWORD dwFlags, LPDDBLTFX lpDDBltFx) {
    if ((dwFlags & (DDBLT_COLORFILL | DDBLT_DDFX | DDBLT_KEYSRCOVERRIDE | DDBLT_ROP)) &&
        !ValidFx(lpDDBltFx)) {
        return DDERR_INVALIDPARAMS;
    }
    if (dwFlags & DDBLT_KEYDEST) return DDERR_UNSUPPORTED;
    if ((dwFlags & DDBLT_ROP) && lpDDBltFx->dwROP != SRCCOPY) return DDERR_UNSUPPORTED;
    if (lost_) return DDERR_SURFACELOST;
    if (Busy()) return DDERR_SURFACEBUSY;

    // Where it lands: inside the surface, or anywhere when a clipper cuts it
    // (on the primary, to the window's client area).
    const RECT dest = lpDestRect ? *lpDestRect : Bounds();
    if (display::IsEmpty(dest) || !SaneSize(dest)) return DDERR_INVALIDRECT;
    RECT clip = dest;
    if (clipper_) {
        // Clip lists of their own are not offered: a clipper without a
        // window has nothing to clip to.
        if (!clipper_->Window()) return DDERR_NOCLIPLIST;
        clip = display::Intersect(dest, Bounds());
        if (role_ == Role::kPrimary && clipper_->Window()) {
            display::WindowArea area;
            clip = display::LocateWindow(clipper_->Window(), area)
                       ? display::Intersect(clip, area.client)
                       : RECT{};
        }
    } else if (!display::Contains(Bounds(), dest)) {
        return DDERR_INVALIDRECT;
    }

    if (dwFlags & DDBLT_COLORFILL) {
        const DWORD pixel = lpDDBltFx->dwFillColor & display::Info(format_).colourMask;
        {
            display::CanvasLock lock(Canvas());
            const display::PixelView view = ViewLocked();
            if (view.width == 0) return DDERR_SURFACELOST;
            display::Fill(view, clip, pixel);
        }
        PixelsChanged();
        if (role_ == Role::kPrimary && !display::IsEmpty(clip)) display::NotifyScreenUpdated(clip);
        return DD_OK;
    }

    if (!lpDDSrcSurface) return DDERR_INVALIDPARAMS;
    Surface* from = nullptr;
    RECT sourceRect;
    if (const HRESULT result = CheckSource(lpDDSrcSurface, lpSrcRect, from, sourceRect);
        result != DD_OK) {
        return result;
    }
    display::ColourKey key;
    bool ownKey = false;
    if (dwFlags & DDBLT_KEYSRCOVERRIDE) {
        key = {true, lpDDBltFx->ddckSrcColorkey.dwColorSpaceLowValue,
               lpDDBltFx->ddckSrcColorkey.dwColorSpaceHighValue};
    } else if (dwFlags & DDBLT_KEYSRC) {
        // Asking for the source's key when it has none is an error, not a copy.
        if (!from->hasSourceKey_) return DDERR_INVALIDPARAMS;
        key = from->BlitKey();
        ownKey = true;
    }
    const DWORD effects = (dwFlags & DDBLT_DDFX) ? lpDDBltFx->dwDDFX : 0;
    return RunBlit(*from, dest, clip, sourceRect, key, ownKey, effects);
}

HRESULT Surface::BltFast(DWORD dwX, DWORD dwY, LPDIRECTDRAWSURFACE7 lpDDSrcSurface,
                         LPRECT lpSrcRect, DWORD dwTrans) {
    if (dwTrans & DDBLTFAST_DESTCOLORKEY) return DDERR_UNSUPPORTED;
    if (lost_) return DDERR_SURFACELOST;
    if (Busy()) return DDERR_SURFACEBUSY;
    if (clipper_) return DDERR_BLTFASTCANTCLIP;
    Surface* from = nullptr;
    RECT sourceRect;
    if (const HRESULT result = CheckSource(lpDDSrcSurface, lpSrcRect, from, sourceRect);
        result != DD_OK) {
        return result;
    }
    const std::int64_t right = std::int64_t{dwX} + (sourceRect.right - sourceRect.left);
    const std::int64_t bottom = std::int64_t{dwY} + (sourceRect.bottom - sourceRect.top);
    if (right > width_ || bottom > height_) return DDERR_INVALIDRECT;
    const RECT dest{static_cast<LONG>(dwX), static_cast<LONG>(dwY), static_cast<LONG>(right),
                    static_cast<LONG>(bottom)};
    // Unlike Blt, a source key asked for but missing is simply not used.
    const bool ownKey = (dwTrans & DDBLTFAST_SRCCOLORKEY) && from->hasSourceKey_;
    const display::ColourKey key = ownKey ? from->BlitKey() : display::ColourKey{};
    return RunBlit(*from, dest, dest, sourceRect, key, ownKey, 0);
}

HRESULT Surface::Flip(LPDIRECTDRAWSURFACE7 lpDDSurfaceTargetOverride, DWORD) {
    if (role_ != Role::kPrimary || backBuffers_.empty()) return DDERR_NOTFLIPPABLE;
    if (lpDDSurfaceTargetOverride && lpDDSurfaceTargetOverride != backBuffers_.front()) {
        return DDERR_INVALIDPARAMS;
    }
    if (!owner_->Exclusive()) return DDERR_NOEXCLUSIVEMODE;
    if (lost_) return DDERR_SURFACELOST;
    for (const Surface* back : backBuffers_) {
        if (back->lost_) return DDERR_SURFACELOST;
        if (back->Busy()) return DDERR_SURFACEBUSY;
    }
    if (Busy()) return DDERR_SURFACEBUSY;
    {
        // The front takes the first back buffer's memory, each back buffer
        // its successor's, and the last one the old front.
        std::lock_guard lock(display::DisplayMutex());
        if (!display::SwapScreenLocked(backBuffers_.front()->buffer_)) return DDERR_SURFACELOST;
        for (std::size_t i = 0; i + 1 < backBuffers_.size(); ++i) {
            backBuffers_[i]->buffer_.swap(backBuffers_[i + 1]->buffer_);
        }
    }
    PixelsChanged();
    for (Surface* back : backBuffers_)
        back->PixelsChanged();
    display::NotifyScreenUpdated(Bounds());
    display::NotifyFramePresented();
    return DD_OK;
}

}  // namespace brannock::platform::ddraw
