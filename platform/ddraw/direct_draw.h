// IDirectDraw7: cooperative level, display mode, and the factory of
// surfaces and clippers. One object at a time may hold the exclusive
// (full-screen) level; it owns the display mode it sets.
#pragma once

#include <atomic>

#include "platform/ddraw/ddraw.h"

namespace brannock::platform::ddraw {

class Surface;

class DirectDraw final : public IDirectDraw7 {
  public:
    DirectDraw() = default;

    bool Exclusive() const { return exclusive_; }
    // Called by a primary surface as it goes away.
    void PrimaryGone(Surface* surface);

    // IUnknown
    HRESULT QueryInterface(REFIID riid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    // IDirectDraw7
    HRESULT Compact() override;
    HRESULT CreateClipper(DWORD dwFlags, LPDIRECTDRAWCLIPPER* lplpDDClipper,
                          IUnknown* pUnkOuter) override;
    HRESULT CreatePalette(DWORD dwFlags, LPPALETTEENTRY lpColorTable,
                          LPDIRECTDRAWPALETTE* lplpDDPalette, IUnknown* pUnkOuter) override;
    HRESULT CreateSurface(LPDDSURFACEDESC2 lpDDSurfaceDesc, LPDIRECTDRAWSURFACE7* lplpDDSurface,
                          IUnknown* pUnkOuter) override;
    HRESULT DuplicateSurface(LPDIRECTDRAWSURFACE7 lpDDSurface,
                             LPDIRECTDRAWSURFACE7* lplpDupDDSurface) override;
    HRESULT EnumDisplayModes(DWORD dwFlags, LPDDSURFACEDESC2 lpDDSurfaceDesc, LPVOID lpContext,
                             LPDDENUMMODESCALLBACK2 lpEnumModesCallback) override;
    HRESULT EnumSurfaces(DWORD dwFlags, LPDDSURFACEDESC2 lpDDSD, LPVOID lpContext,
                         LPDDENUMSURFACESCALLBACK7 lpEnumSurfacesCallback) override;
    HRESULT FlipToGDISurface() override;
    HRESULT GetCaps(LPDDCAPS lpDDDriverCaps, LPDDCAPS lpDDHELCaps) override;
    HRESULT GetDisplayMode(LPDDSURFACEDESC2 lpDDSurfaceDesc) override;
    HRESULT GetFourCCCodes(LPDWORD lpNumCodes, LPDWORD lpCodes) override;
    HRESULT GetGDISurface(LPDIRECTDRAWSURFACE7* lplpGDIDDSurface) override;
    HRESULT GetMonitorFrequency(LPDWORD lpdwFrequency) override;
    HRESULT GetScanLine(LPDWORD lpdwScanLine) override;
    HRESULT GetVerticalBlankStatus(BOOL* lpbIsInVB) override;
    HRESULT Initialize(GUID* lpGUID) override;
    HRESULT RestoreDisplayMode() override;
    HRESULT SetCooperativeLevel(HWND hWnd, DWORD dwFlags) override;
    HRESULT SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP, DWORD dwRefreshRate,
                           DWORD dwFlags) override;
    HRESULT WaitForVerticalBlank(DWORD dwFlags, HANDLE hEvent) override;
    HRESULT GetAvailableVidMem(LPDDSCAPS2 lpDDCaps, LPDWORD lpdwTotal, LPDWORD lpdwFree) override;
    HRESULT GetSurfaceFromDC(HDC hdc, LPDIRECTDRAWSURFACE7* pSurf) override;
    HRESULT RestoreAllSurfaces() override;
    HRESULT TestCooperativeLevel() override;
    HRESULT GetDeviceIdentifier(LPDDDEVICEIDENTIFIER2 pDDDI, DWORD dwFlags) override;
    HRESULT StartModeTest(SIZE* pModes, DWORD dwNumModes, DWORD dwFlags) override;
    HRESULT EvaluateMode(DWORD dwFlags, DWORD* pTimeout) override;

  private:
    ~DirectDraw();

    // Gives the display back to the desktop if this object changed it.
    void LeaveFullScreen();

    std::atomic<ULONG> references_{1};
    HWND window_ = nullptr;
    DWORD level_ = 0;
    bool exclusive_ = false;
    bool modeSet_ = false;
    Surface* primary_ = nullptr;
};

}  // namespace brannock::platform::ddraw
