// IDirectDraw7: cooperative level, display mode, and the factory of
// surfaces and clippers. One object at a time may hold the exclusive
// (full-screen) level; it owns the display mode it sets.
#pragma once

#include "platform/ddraw/com_object.h"
#include "platform/ddraw/ddraw.h"

namespace brannock::platform::ddraw {

class Surface;

class DirectDraw final : public ComObject<DirectDraw, IDirectDraw7> {
  public:
    DirectDraw() = default;

    bool Exclusive() const { return exclusive_; }
    // Called by a primary surface as it goes away.
    void PrimaryGone(Surface* surface);

    // IUnknown
    HRESULT QueryInterface(REFIID riid, void** object) override;

    // IDirectDraw7
    HRESULT Compact() override { return DDERR_UNSUPPORTED; }
    HRESULT CreateClipper(DWORD dwFlags, LPDIRECTDRAWCLIPPER* lplpDDClipper,
                          IUnknown* pUnkOuter) override;
    HRESULT CreatePalette(DWORD, LPPALETTEENTRY, LPDIRECTDRAWPALETTE*, IUnknown*) override {
        return DDERR_UNSUPPORTED;
    }
    HRESULT CreateSurface(LPDDSURFACEDESC2 lpDDSurfaceDesc, LPDIRECTDRAWSURFACE7* lplpDDSurface,
                          IUnknown* pUnkOuter) override;
    HRESULT DuplicateSurface(LPDIRECTDRAWSURFACE7, LPDIRECTDRAWSURFACE7*) override {
        return DDERR_UNSUPPORTED;
    }
    HRESULT EnumDisplayModes(DWORD, LPDDSURFACEDESC2, LPVOID, LPDDENUMMODESCALLBACK2) override {
        return DDERR_UNSUPPORTED;
    }
    HRESULT EnumSurfaces(DWORD, LPDDSURFACEDESC2, LPVOID, LPDDENUMSURFACESCALLBACK7) override {
        return DDERR_UNSUPPORTED;
    }
    HRESULT FlipToGDISurface() override { return DDERR_UNSUPPORTED; }
    HRESULT GetCaps(LPDDCAPS, LPDDCAPS) override { return DDERR_UNSUPPORTED; }
    HRESULT GetDisplayMode(LPDDSURFACEDESC2 lpDDSurfaceDesc) override;
    HRESULT GetFourCCCodes(LPDWORD, LPDWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT GetGDISurface(LPDIRECTDRAWSURFACE7*) override { return DDERR_UNSUPPORTED; }
    HRESULT GetMonitorFrequency(LPDWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT GetScanLine(LPDWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT GetVerticalBlankStatus(BOOL*) override { return DDERR_UNSUPPORTED; }
    HRESULT Initialize(GUID*) override { return DDERR_ALREADYINITIALIZED; }
    HRESULT RestoreDisplayMode() override;
    HRESULT SetCooperativeLevel(HWND hWnd, DWORD dwFlags) override;
    HRESULT SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP, DWORD dwRefreshRate,
                           DWORD dwFlags) override;
    HRESULT WaitForVerticalBlank(DWORD, HANDLE) override { return DDERR_UNSUPPORTED; }
    HRESULT GetAvailableVidMem(LPDDSCAPS2, LPDWORD, LPDWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT GetSurfaceFromDC(HDC, LPDIRECTDRAWSURFACE7*) override { return DDERR_UNSUPPORTED; }
    HRESULT RestoreAllSurfaces() override { return DDERR_UNSUPPORTED; }
    HRESULT TestCooperativeLevel() override { return DDERR_UNSUPPORTED; }
    HRESULT GetDeviceIdentifier(LPDDDEVICEIDENTIFIER2, DWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT StartModeTest(SIZE*, DWORD, DWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT EvaluateMode(DWORD, DWORD*) override { return DDERR_UNSUPPORTED; }

  private:
    friend class ComObject<DirectDraw, IDirectDraw7>;
    ~DirectDraw();

    // Gives the display back to the desktop if this object changed it.
    void LeaveFullScreen();

    HWND window_ = nullptr;
    DWORD level_ = 0;
    bool exclusive_ = false;
    bool modeSet_ = false;
    Surface* primary_ = nullptr;
};

}  // namespace brannock::platform::ddraw
