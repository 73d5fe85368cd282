// IDirectDrawClipper: a clipper bound to a window, which keeps blits to the
// primary surface inside the window's client area.
#pragma once

#include <atomic>

#include "platform/ddraw/ddraw.h"

namespace brannock::platform::ddraw {

class Clipper final : public IDirectDrawClipper {
  public:
    Clipper() = default;

    HWND Window() const { return window_; }

    HRESULT QueryInterface(REFIID riid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetClipList(LPRECT lpRect, LPRGNDATA lpClipList, LPDWORD lpdwSize) override;
    HRESULT GetHWnd(HWND* lphWnd) override;
    HRESULT Initialize(LPDIRECTDRAW lpDD, DWORD dwFlags) override;
    HRESULT IsClipListChanged(BOOL* lpbChanged) override;
    HRESULT SetClipList(LPRGNDATA lpClipList, DWORD dwFlags) override;
    HRESULT SetHWnd(DWORD dwFlags, HWND hWnd) override;

  private:
    ~Clipper() = default;

    std::atomic<ULONG> references_{1};
    HWND window_ = nullptr;
};

}  // namespace brannock::platform::ddraw
