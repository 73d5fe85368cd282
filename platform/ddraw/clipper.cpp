#include "platform/ddraw/clipper.h"

namespace brannock::platform::ddraw {

HRESULT Clipper::QueryInterface(REFIID, void** object) {
    if (object) *object = nullptr;
    return E_NOINTERFACE;
}

ULONG Clipper::AddRef() {
    return ++references_;
}

ULONG Clipper::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT Clipper::GetClipList(LPRECT, LPRGNDATA, LPDWORD) {
    return DDERR_UNSUPPORTED;
}

HRESULT Clipper::GetHWnd(HWND* lphWnd) {
    if (!lphWnd) return DDERR_INVALIDPARAMS;
    *lphWnd = window_;
    return DD_OK;
}

HRESULT Clipper::Initialize(LPDIRECTDRAW, DWORD) {
    return DDERR_ALREADYINITIALIZED;
}

HRESULT Clipper::IsClipListChanged(BOOL*) {
    return DDERR_UNSUPPORTED;
}

HRESULT Clipper::SetClipList(LPRGNDATA, DWORD) {
    return DDERR_UNSUPPORTED;
}

HRESULT Clipper::SetHWnd(DWORD dwFlags, HWND hWnd) {
    if (dwFlags != 0) return DDERR_INVALIDPARAMS;
    window_ = hWnd;
    return DD_OK;
}

}  // namespace brannock::platform::ddraw
