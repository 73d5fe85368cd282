// winmm: the joystick query and the timer resolution of the multimedia API.
#pragma once

#include "platform/windef.h"

using MMRESULT = UINT;

#define MMSYSERR_NOERROR 0
#define MMSYSERR_NODRIVER 6
#define MMSYSERR_INVALPARAM 11

#define JOYERR_BASE 160
#define JOYERR_NOERROR 0
#define JOYERR_PARMS (JOYERR_BASE + 5)
#define JOYERR_NOCANDO (JOYERR_BASE + 6)
#define JOYERR_UNPLUGGED (JOYERR_BASE + 7)

#define JOYSTICKID1 0
#define JOYSTICKID2 1

#define JOY_BUTTON1 0x0001
#define JOY_BUTTON2 0x0002
#define JOY_BUTTON3 0x0004
#define JOY_BUTTON4 0x0008

struct JOYINFO {
    UINT wXpos;
    UINT wYpos;
    UINT wZpos;
    UINT wButtons;
};
using PJOYINFO = JOYINFO*;
using LPJOYINFO = JOYINFO*;

// Position (0..65535 per axis) and buttons 1-4 of joystick uJoyID.
// Ids 0-15 are valid; the backend knows joysticks 0-3, the others are
// unplugged. JOYERR_UNPLUGGED for an absent joystick, JOYERR_PARMS for an
// id above 15, MMSYSERR_INVALPARAM for a null record; on error the record is
// left alone.
MMRESULT WINAPI joyGetPos(UINT uJoyID, LPJOYINFO pji);

#define TIMERR_NOERROR 0
#define TIMERR_NOCANDO 97

// The timer resolution a program asks for while it relies on short waits
// (Sleep of a few milliseconds), in ms; calls pair up. The host's sleeps
// are already that precise, so nothing changes here, but as on Windows a
// period outside 1..1000000 ms is TIMERR_NOCANDO.
MMRESULT WINAPI timeBeginPeriod(UINT uPeriod);
MMRESULT WINAPI timeEndPeriod(UINT uPeriod);
