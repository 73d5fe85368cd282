// MessageBoxA: the backend shows the box (the headless one records and
// answers it). Texts arrive in code page 932 and go on as UTF-8.
#include "platform/backend/backend.h"
#include "platform/kernel32/cp932.h"
#include "platform/win32.h"

// A null caption is "Error", as on Windows.
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    using namespace brannock::platform;
    return CurrentBackend().ShowMessageBox(owner, Cp932ToUtf8(text ? text : ""),
                                           Cp932ToUtf8(caption ? caption : "Error"), type);
}
