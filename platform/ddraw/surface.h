// IDirectDrawSurface7: the primary surface (the screen itself), its flip
// chain's back buffers, and off-screen plain surfaces, all in one of the
// display's pixel formats.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/ddraw/com_object.h"
#include "platform/ddraw/ddraw.h"
#include "platform/display/blit.h"
#include "platform/display/canvas.h"
#include "platform/display/opaque_runs.h"
#include "platform/display/screen.h"

namespace brannock::platform::ddraw {

class Clipper;
class DirectDraw;

class Surface final : public ComObject<Surface, IDirectDrawSurface7> {
  public:
    enum class Role { kPrimary, kBackBuffer, kOffscreen };

    // A new surface holding a reference to `owner`. Off-screen and back
    // buffer surfaces get zero-filled memory; null when it cannot be had.
    static Surface* Create(DirectDraw* owner, Role role, int width, int height,
                           display::PixelFormat format);

    // Attaches `count` back buffers to a primary surface (a flip chain).
    bool AttachBackBuffers(int count);

    Role role() const { return role_; }
    // A surface asked for with DDSCAPS_SYSTEMMEMORY reports it in its caps.
    void MarkSystemMemory() { systemMemory_ = true; }
    void MarkLost() {
        lost_ = true;
        PixelsChanged();
    }

    // IUnknown
    HRESULT QueryInterface(REFIID riid, void** object) override;

    // IDirectDrawSurface7
    HRESULT AddAttachedSurface(LPDIRECTDRAWSURFACE7) override { return DDERR_UNSUPPORTED; }
    HRESULT AddOverlayDirtyRect(LPRECT) override { return DDERR_UNSUPPORTED; }
    HRESULT Blt(LPRECT lpDestRect, LPDIRECTDRAWSURFACE7 lpDDSrcSurface, LPRECT lpSrcRect,
                DWORD dwFlags, LPDDBLTFX lpDDBltFx) override;
    HRESULT BltBatch(LPDDBLTBATCH, DWORD, DWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT BltFast(DWORD dwX, DWORD dwY, LPDIRECTDRAWSURFACE7 lpDDSrcSurface, LPRECT lpSrcRect,
                    DWORD dwTrans) override;
    HRESULT DeleteAttachedSurface(DWORD, LPDIRECTDRAWSURFACE7) override {
        return DDERR_UNSUPPORTED;
    }
    HRESULT EnumAttachedSurfaces(LPVOID, LPDDENUMSURFACESCALLBACK7) override {
        return DDERR_UNSUPPORTED;
    }
    HRESULT EnumOverlayZOrders(DWORD, LPVOID, LPDDENUMSURFACESCALLBACK7) override {
        return DDERR_UNSUPPORTED;
    }
    HRESULT Flip(LPDIRECTDRAWSURFACE7 lpDDSurfaceTargetOverride, DWORD dwFlags) override;
    HRESULT GetAttachedSurface(LPDDSCAPS2 lpDDSCaps,
                               LPDIRECTDRAWSURFACE7* lplpDDAttachedSurface) override;
    HRESULT GetBltStatus(DWORD dwFlags) override;
    HRESULT GetCaps(LPDDSCAPS2 lpDDSCaps) override;
    HRESULT GetClipper(LPDIRECTDRAWCLIPPER* lplpDDClipper) override;
    HRESULT GetColorKey(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey) override;
    HRESULT GetDC(HDC* lphDC) override;
    HRESULT GetFlipStatus(DWORD dwFlags) override;
    HRESULT GetOverlayPosition(LPLONG, LPLONG) override { return DDERR_UNSUPPORTED; }
    HRESULT GetPalette(LPDIRECTDRAWPALETTE*) override { return DDERR_UNSUPPORTED; }
    HRESULT GetPixelFormat(LPDDPIXELFORMAT lpDDPixelFormat) override;
    HRESULT GetSurfaceDesc(LPDDSURFACEDESC2 lpDDSurfaceDesc) override;
    HRESULT Initialize(LPDIRECTDRAW, LPDDSURFACEDESC2) override { return DDERR_ALREADYINITIALIZED; }
    HRESULT IsLost() override;
    HRESULT Lock(LPRECT lpDestRect, LPDDSURFACEDESC2 lpDDSurfaceDesc, DWORD dwFlags,
                 HANDLE hEvent) override;
    HRESULT ReleaseDC(HDC hDC) override;
    HRESULT Restore() override;
    HRESULT SetClipper(LPDIRECTDRAWCLIPPER lpDDClipper) override;
    HRESULT SetColorKey(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey) override;
    HRESULT SetOverlayPosition(LONG, LONG) override { return DDERR_UNSUPPORTED; }
    HRESULT SetPalette(LPDIRECTDRAWPALETTE) override { return DDERR_UNSUPPORTED; }
    HRESULT Unlock(LPRECT lpSurfaceData) override;
    HRESULT UpdateOverlay(LPRECT, LPDIRECTDRAWSURFACE7, LPRECT, DWORD, LPDDOVERLAYFX) override {
        return DDERR_UNSUPPORTED;
    }
    HRESULT UpdateOverlayDisplay(DWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT UpdateOverlayZOrder(DWORD, LPDIRECTDRAWSURFACE7) override { return DDERR_UNSUPPORTED; }
    HRESULT GetDDInterface(LPVOID* lplpDD) override;
    HRESULT PageLock(DWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT PageUnlock(DWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT SetSurfaceDesc(LPDDSURFACEDESC2, DWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT SetPrivateData(REFGUID, LPVOID, DWORD, DWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT GetPrivateData(REFGUID, LPVOID, LPDWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT FreePrivateData(REFGUID) override { return DDERR_UNSUPPORTED; }
    HRESULT GetUniquenessValue(LPDWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT ChangeUniquenessValue() override { return DDERR_UNSUPPORTED; }
    HRESULT SetPriority(DWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT GetPriority(LPDWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT SetLOD(DWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT GetLOD(LPDWORD) override { return DDERR_UNSUPPORTED; }

  private:
    friend class ComObject<Surface, IDirectDrawSurface7>;
    Surface(DirectDraw* owner, Role role, int width, int height, display::PixelFormat format);
    ~Surface();

    // Where the pixels are: the screen for the primary, memory otherwise.
    display::Canvas Canvas() const;
    // The pixels under the lock Canvas() needs; empty when the screen no
    // longer has this surface's size and format (a mode change).
    display::PixelView ViewLocked() const {
        return role_ == Role::kPrimary ? ScreenViewLocked() : buffer_->View();
    }
    display::PixelView ScreenViewLocked() const;
    RECT Bounds() const { return {0, 0, width_, height_}; }
    bool Busy() const { return locked_ || dc_ != nullptr; }

    // Checks shared by Blt and BltFast: the source and its rectangle.
    HRESULT CheckSource(LPDIRECTDRAWSURFACE7 source, const LPRECT sourceRect, Surface*& from,
                        RECT& rect) const;
    // Blits sourceRect of `from` onto dest, drawing inside clip, with the
    // colour key and the DDBLTFX_MIRROR* effects given, and tells the
    // backend when the screen changed. `ownKey`: the key is the source's
    // own, so the source's opaque runs may draw it.
    HRESULT RunBlit(Surface& from, const RECT& dest, const RECT& clip, const RECT& sourceRect,
                    const display::ColourKey& key, bool ownKey, DWORD effects);
    // Draws `job` from this surface's opaque runs, encoding them first if
    // the pixels or the key changed since; false when the runs cannot draw
    // it. The caller holds runsMutex_ and has filled in the views.
    bool BlitFromRunsLocked(const display::BlitJob& job);
    // Anything that may have changed the pixels or the source key calls
    // this: the opaque runs are encoded again before they are next used.
    void PixelsChanged() { pixelsVersion_.fetch_add(1, std::memory_order_relaxed); }
    // Pixel x of the locked primary's row `row` (counted from the locked
    // rectangle's top) in its copy.
    std::uint8_t* ShadowRow(int row, int x);
    DWORD CapsBits() const;
    display::ColourKey BlitKey() const;
    void FillDescription(DDSURFACEDESC2& desc) const;

    DirectDraw* owner_;
    Role role_;
    int width_;
    int height_;
    display::PixelFormat format_;
    display::ScreenMode createdMode_;
    std::shared_ptr<display::PixelBuffer> buffer_;  // null for the primary
    std::atomic<bool> lost_{false};

    std::vector<Surface*> backBuffers_;  // the primary's flip chain, one reference each
    Surface* next_ = nullptr;            // a back buffer's successor in the chain

    bool systemMemory_ = false;   // asked for with DDSCAPS_SYSTEMMEMORY
    Clipper* clipper_ = nullptr;  // one reference
    bool hasSourceKey_ = false;
    DDCOLORKEY sourceKey_{};
    bool hasDestKey_ = false;
    DDCOLORKEY destKey_{};

    bool locked_ = false;
    bool lockReadOnly_ = false;
    RECT lockRect_{};
    std::vector<std::uint8_t> shadow_;  // the primary's locked pixels
    HDC dc_ = nullptr;

    // The opaque runs of the pixels under the source key, encoded by the
    // first keyed blit from this surface after a change. The mutex keeps
    // blits from one source on several threads from encoding at once.
    std::atomic<std::uint64_t> pixelsVersion_{0};
    std::mutex runsMutex_;
    display::OpaqueRuns runs_;       // guarded by runsMutex_
    std::uint64_t runsVersion_ = 0;  // guarded: the pixelsVersion_ runs_ were encoded at
    bool runsTried_ = false;         // guarded: runs_ reflect runsVersion_
};

}  // namespace brannock::platform::ddraw
