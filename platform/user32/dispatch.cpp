// TranslateMessage and DispatchMessageA.
#include <cctype>

#include "platform/user32/messaging.h"
#include "platform/win32.h"

namespace brannock::platform::user32 {
namespace {

bool Down(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// The character a key makes on a US keyboard layout, or 0 for none.
char CharacterOf(UINT key) {
    const bool shift = Down(VK_SHIFT);
    if (key >= 'A' && key <= 'Z') {
        const bool upper = shift != ((GetKeyState(VK_CAPITAL) & 1) != 0);
        return static_cast<char>(upper ? key : std::tolower(static_cast<int>(key)));
    }
    if (key >= '0' && key <= '9') return shift ? ")!@#$%^&*("[key - '0'] : static_cast<char>(key);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return static_cast<char>('0' + key - VK_NUMPAD0);
    switch (key) {
        case VK_SPACE:
            return ' ';
        case VK_RETURN:
            return '\r';
        case VK_BACK:
            return '\b';
        case VK_TAB:
            return '\t';
        case VK_ESCAPE:
            return '\x1b';
        case VK_MULTIPLY:
            return '*';
        case VK_ADD:
            return '+';
        case VK_SUBTRACT:
            return '-';
        case VK_DECIMAL:
            return '.';
        case VK_DIVIDE:
            return '/';
        case VK_OEM_1:
            return shift ? ':' : ';';
        case VK_OEM_PLUS:
            return shift ? '+' : '=';
        case VK_OEM_COMMA:
            return shift ? '<' : ',';
        case VK_OEM_MINUS:
            return shift ? '_' : '-';
        case VK_OEM_PERIOD:
            return shift ? '>' : '.';
        case VK_OEM_2:
            return shift ? '?' : '/';
        case VK_OEM_3:
            return shift ? '~' : '`';
        case VK_OEM_4:
            return shift ? '{' : '[';
        case VK_OEM_5:
            return shift ? '|' : '\\';
        case VK_OEM_6:
            return shift ? '}' : ']';
        case VK_OEM_7:
            return shift ? '"' : '\'';
        default:
            return 0;
    }
}

}  // namespace
}  // namespace brannock::platform::user32

using namespace brannock::platform::user32;

// A key press that makes a character is followed by WM_CHAR (WM_SYSCHAR for
// system keys), read before anything else queued.
BOOL WINAPI TranslateMessage(const MSG* msg) {
    if (!msg) return FALSE;
    switch (msg->message) {
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return TRUE;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            break;
        default:
            return FALSE;
    }
    char c = CharacterOf(static_cast<UINT>(msg->wParam));
    if (c == 0 || (msg->message == WM_KEYDOWN && Down(VK_CONTROL))) return TRUE;
    State& state = GetState();
    Lock lock(state.mutex);
    std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
    UINT message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    queue->posted.push_front(MSG{msg->hwnd, message, static_cast<WPARAM>(static_cast<BYTE>(c)),
                                 msg->lParam, msg->time, msg->pt});
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        // Only a procedure that a live timer registered is called, never an
        // arbitrary address a posted message carries.
        TIMERPROC proc = nullptr;
        {
            State& state = GetState();
            Lock lock(state.mutex);
            Window* w = state.FindWindow(msg->hwnd);
            std::shared_ptr<ThreadQueue> queue = w ? w->queue : CurrentQueueLocked();
            for (const Timer& t : queue->timers)
                if (t.hwnd == msg->hwnd && t.id == msg->wParam &&
                    reinterpret_cast<LPARAM>(t.proc) == msg->lParam)
                    proc = t.proc;
        }
        if (proc) proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (!msg->hwnd) return 0;
    return CallProcedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}
