// The message pumps a single-threaded main loop calls to keep its window
// alive. In threaded mode the window thread pumps, so both return at once.
#include "framework/globals.h"
#include "framework/stop_point.h"
#include "framework/system.h"

namespace {

void Deliver(CSystem& system, const MSG& message) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
    while (system.ProcessWindowRequest() != 0) {
    }
}

}  // namespace

int CSystem::PumpMessages() {
    StopPoint();
    if (threaded) return 1;
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Whatever is queued behind it stays queued.
            g_endFlag = 1;
            break;
        }
        Deliver(*this, message);
    }
    return g_endFlag ? 0 : 1;
}

int CSystem::PumpMessagesWait() {
    StopPoint();
    if (threaded) return 1;
    MSG message{};
    for (;;) {
        const BOOL result = GetMessageA(&message, nullptr, 0, 0);
        if (result == 0) {  // WM_QUIT
            g_endFlag = 1;
            break;
        }
        if (result < 0 || g_endFlag) break;
        Deliver(*this, message);
    }
    return g_endFlag ? 0 : 1;
}
