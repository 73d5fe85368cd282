// CSystem's construction, the single-instance rule and the plain accessors.
#include "framework/system.h"

#include <cstdlib>

#include "framework/globals.h"

namespace {

// "2つ以上CSystemクラスを使うことはできません。"
// (two or more CSystem objects cannot be used)
constexpr char kSecondSystemText[] =
    "2\x82\xc2\x88\xc8\x8f\xe3"
    "CSystem"
    "\x83\x4e\x83\x89\x83\x58\x82\xf0\x8e\x67\x82\xa4\x82\xb1\x82\xc6\x82\xcd\x82\xc5\x82\xab"
    "\x82\xdc\x82\xb9\x82\xf1\x81\x42";
// "警告" (warning)
constexpr char kWarningCaption[] = "\x8c\x78\x8d\x90";

void Register(CSystem* system) {
    if (g_systemCount != 0) {
        // A second object is a programming error the user cannot fix: say so
        // and end through the normal exit path.
        MessageBoxA(nullptr, kSecondSystemText, kWarningCaption, MB_OK);
        std::exit(0);
    }
    g_pSystem = system;
    ++g_systemCount;
}

}  // namespace

CSystem::CSystem() {
    Register(this);
}

CSystem::CSystem(SystemProc init, SystemProc main) : initProc(init), mainProc(main) {
    Register(this);
}

CSystem::~CSystem() {
    --g_systemCount;
    // Messages that still reach the main window (its destruction at process
    // end, say) must not call hooks of a destroyed object.
    if (g_pSystem == this) g_pSystem = nullptr;
}

void CSystem::SetThreaded(int value) {
    threaded = value;
}

HWND CSystem::GetWindowHandle() {
    return g_hWnd;
}

HINSTANCE CSystem::GetInstance() {
    return g_hInstance;
}
