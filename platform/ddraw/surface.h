// IDirectDrawSurface7: the primary surface (the screen itself), its flip
// chain's back buffers, and off-screen plain surfaces, all in one of the
// display's pixel formats.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "platform/ddraw/ddraw.h"
#include "platform/display/blit.h"
#include "platform/display/canvas.h"
#include "platform/display/screen.h"

namespace brannock::platform::ddraw {

class Clipper;
class DirectDraw;

class Surface final : public IDirectDrawSurface7 {
  public:
    enum class Role { kPrimary, kBackBuffer, kOffscreen };

    // A new surface holding a reference to `owner`. Off-screen and back
    // buffer surfaces get zero-filled memory; null when it cannot be had.
    static Surface* Create(DirectDraw* owner, Role role, int width, int height,
                           display::PixelFormat format);

    // Attaches `count` back buffers to a primary surface (a flip chain).
    bool AttachBackBuffers(int count);

    Role role() const { return role_; }
    void MarkLost() { lost_ = true; }

    // IUnknown
    HRESULT QueryInterface(REFIID riid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    // IDirectDrawSurface7
    HRESULT AddAttachedSurface(LPDIRECTDRAWSURFACE7 lpDDSAttachedSurface) override;
    HRESULT AddOverlayDirtyRect(LPRECT lpRect) override;
    HRESULT Blt(LPRECT lpDestRect, LPDIRECTDRAWSURFACE7 lpDDSrcSurface, LPRECT lpSrcRect,
                DWORD dwFlags, LPDDBLTFX lpDDBltFx) override;
    HRESULT BltBatch(LPDDBLTBATCH lpDDBltBatch, DWORD dwCount, DWORD dwFlags) override;
    HRESULT BltFast(DWORD dwX, DWORD dwY, LPDIRECTDRAWSURFACE7 lpDDSrcSurface, LPRECT lpSrcRect,
                    DWORD dwTrans) override;
    HRESULT DeleteAttachedSurface(DWORD dwFlags,
                                  LPDIRECTDRAWSURFACE7 lpDDSAttachedSurface) override;
    HRESULT EnumAttachedSurfaces(LPVOID lpContext,
                                 LPDDENUMSURFACESCALLBACK7 lpEnumSurfacesCallback) override;
    HRESULT EnumOverlayZOrders(DWORD dwFlags, LPVOID lpContext,
                               LPDDENUMSURFACESCALLBACK7 lpfnCallback) override;
    HRESULT Flip(LPDIRECTDRAWSURFACE7 lpDDSurfaceTargetOverride, DWORD dwFlags) override;
    HRESULT GetAttachedSurface(LPDDSCAPS2 lpDDSCaps,
                               LPDIRECTDRAWSURFACE7* lplpDDAttachedSurface) override;
    HRESULT GetBltStatus(DWORD dwFlags) override;
    HRESULT GetCaps(LPDDSCAPS2 lpDDSCaps) override;
    HRESULT GetClipper(LPDIRECTDRAWCLIPPER* lplpDDClipper) override;
    HRESULT GetColorKey(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey) override;
    HRESULT GetDC(HDC* lphDC) override;
    HRESULT GetFlipStatus(DWORD dwFlags) override;
    HRESULT GetOverlayPosition(LPLONG lplX, LPLONG lplY) override;
    HRESULT GetPalette(LPDIRECTDRAWPALETTE* lplpDDPalette) override;
    HRESULT GetPixelFormat(LPDDPIXELFORMAT lpDDPixelFormat) override;
    HRESULT GetSurfaceDesc(LPDDSURFACEDESC2 lpDDSurfaceDesc) override;
    HRESULT Initialize(LPDIRECTDRAW lpDD, LPDDSURFACEDESC2 lpDDSurfaceDesc) override;
    HRESULT IsLost() override;
    HRESULT Lock(LPRECT lpDestRect, LPDDSURFACEDESC2 lpDDSurfaceDesc, DWORD dwFlags,
                 HANDLE hEvent) override;
    HRESULT ReleaseDC(HDC hDC) override;
    HRESULT Restore() override;
    HRESULT SetClipper(LPDIRECTDRAWCLIPPER lpDDClipper) override;
    HRESULT SetColorKey(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey) override;
    HRESULT SetOverlayPosition(LONG lX, LONG lY) override;
    HRESULT SetPalette(LPDIRECTDRAWPALETTE lpDDPalette) override;
    HRESULT Unlock(LPRECT lpSurfaceData) override;
    HRESULT UpdateOverlay(LPRECT lpSrcRect, LPDIRECTDRAWSURFACE7 lpDDDestSurface, LPRECT lpDestRect,
                          DWORD dwFlags, LPDDOVERLAYFX lpDDOverlayFx) override;
    HRESULT UpdateOverlayDisplay(DWORD dwFlags) override;
    HRESULT UpdateOverlayZOrder(DWORD dwFlags, LPDIRECTDRAWSURFACE7 lpDDSReference) override;
    HRESULT GetDDInterface(LPVOID* lplpDD) override;
    HRESULT PageLock(DWORD dwFlags) override;
    HRESULT PageUnlock(DWORD dwFlags) override;
    HRESULT SetSurfaceDesc(LPDDSURFACEDESC2 lpDDSD, DWORD dwFlags) override;
    HRESULT SetPrivateData(REFGUID tag, LPVOID pData, DWORD cbSize, DWORD dwFlags) override;
    HRESULT GetPrivateData(REFGUID tag, LPVOID pBuffer, LPDWORD pcbBufferSize) override;
    HRESULT FreePrivateData(REFGUID tag) override;
    HRESULT GetUniquenessValue(LPDWORD pValue) override;
    HRESULT ChangeUniquenessValue() override;
    HRESULT SetPriority(DWORD prio) override;
    HRESULT GetPriority(LPDWORD prio) override;
    HRESULT SetLOD(DWORD lod) override;
    HRESULT GetLOD(LPDWORD lod) override;

  private:
    Surface(DirectDraw* owner, Role role, int width, int height, display::PixelFormat format);
    ~Surface();

    // Where the pixels are: the screen for the primary, memory otherwise.
    display::Canvas Canvas() const;
    // The pixels under the lock Canvas() needs; empty when the screen no
    // longer has this surface's size and format (a mode change).
    display::PixelView ViewLocked() const;
    RECT Bounds() const { return {0, 0, width_, height_}; }
    bool Busy() const { return locked_ || dc_ != nullptr; }

    // Checks shared by Blt and BltFast: the source and its rectangle.
    HRESULT CheckSource(LPDIRECTDRAWSURFACE7 source, const LPRECT sourceRect, Surface*& from,
                        RECT& rect) const;
    // Runs a blit prepared in `spec` (views filled in here) and tells the
    // backend when the screen changed.
    HRESULT RunBlit(display::BlitSpec spec, Surface& from);
    DWORD CapsBits() const;
    void FillDescription(DDSURFACEDESC2& desc) const;
    void FillPixelFormat(DDPIXELFORMAT& format) const;

    std::atomic<ULONG> references_{1};
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
};

}  // namespace brannock::platform::ddraw
