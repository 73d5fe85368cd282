#include "platform/ddraw/clipper.h"

namespace brannock::platform::ddraw {

HRESULT Clipper::QueryInterface(REFIID, void** object) {
    if (object) *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT Clipper::GetHWnd(HWND* lphWnd) {
    if (!lphWnd) return DDERR_INVALIDPARAMS;
    *lphWnd = window_;
    return DD_OK;
}

HRESULT Clipper::SetHWnd(DWORD dwFlags, HWND hWnd) {
    if (dwFlags != 0) return DDERR_INVALIDPARAMS;
    window_ = hWnd;
    return DD_OK;
}

}  // namespace brannock::platform::ddraw
