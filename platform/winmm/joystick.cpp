// joyGetPos on the backend's joysticks.
#include "platform/backend/backend.h"
#include "platform/winmm/mmsystem.h"

MMRESULT WINAPI joyGetPos(UINT uJoyID, LPJOYINFO pji) {
    constexpr UINT kLastJoystickId = 15;   // the ids winmm accepts
    constexpr UINT kBackendJoysticks = 4;  // the ids a backend may fill
    constexpr UINT kButtonBits = JOY_BUTTON1 | JOY_BUTTON2 | JOY_BUTTON3 | JOY_BUTTON4;
    if (uJoyID > kLastJoystickId) return JOYERR_PARMS;
    if (pji == nullptr) return MMSYSERR_INVALPARAM;
    brannock::platform::JoystickReading reading;
    if (uJoyID >= kBackendJoysticks ||
        !brannock::platform::CurrentBackend().ReadJoystick(uJoyID, reading))
        return JOYERR_UNPLUGGED;
    *pji = JOYINFO{reading.x, reading.y, reading.z, reading.buttons & kButtonBits};
    return JOYERR_NOERROR;
}
