// IDirectDrawClipper: a clipper bound to a window, which keeps blits to the
// primary surface inside the window's client area.
#pragma once

#include "platform/ddraw/com_object.h"
#include "platform/ddraw/ddraw.h"

namespace brannock::platform::ddraw {

class Clipper final : public ComObject<Clipper, IDirectDrawClipper> {
  public:
    Clipper() = default;

    HWND Window() const { return window_; }

    HRESULT QueryInterface(REFIID riid, void** object) override;

    // Clip lists of their own are not offered: a clipper follows its window.
    HRESULT GetClipList(LPRECT, LPRGNDATA, LPDWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT GetHWnd(HWND* lphWnd) override;
    HRESULT Initialize(LPDIRECTDRAW, DWORD) override { return DDERR_ALREADYINITIALIZED; }
    HRESULT IsClipListChanged(BOOL*) override { return DDERR_UNSUPPORTED; }
    HRESULT SetClipList(LPRGNDATA, DWORD) override { return DDERR_UNSUPPORTED; }
    HRESULT SetHWnd(DWORD dwFlags, HWND hWnd) override;

  private:
    friend class ComObject<Clipper, IDirectDrawClipper>;
    ~Clipper() = default;

    HWND window_ = nullptr;
};

}  // namespace brannock::platform::ddraw
