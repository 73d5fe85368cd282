// SetTitle: the main window's title, which either thread may change.
#include <cstring>
#include <mutex>

#include "framework/globals.h"
#include "framework/shift_jis.h"
#include "framework/system.h"

namespace {

// Guards g_title: the game thread and the window thread both set titles (a
// game's main loop and its key hooks).
std::mutex g_titleMutex;

}  // namespace

void CSystem::SetTitle(const char* text) {
    // Longer titles are cut to the buffer at a character boundary, so a
    // double-byte character is never split.
    char title[sizeof g_title];
    {
        const std::lock_guard lock(g_titleMutex);
        if (text && text[0] != '\0') CopyShiftJisTruncated(g_title, sizeof g_title, text);
        std::memcpy(title, g_title, sizeof title);
    }
    // Not under the lock: from the game thread this waits for the window
    // thread, which may itself be setting a title.
    if (HWND window = g_hWnd.load()) SetWindowTextA(window, title);
}
