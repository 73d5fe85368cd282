#include "input/pad_input.h"

#include "framework/stop_point.h"
#include "input/input_state.h"

namespace {

constexpr int kNoDirection = 0;
constexpr int kCentre = 5;  // the keypad's middle digit, reported as 0
constexpr int kRowStep = 3;
constexpr int kColumnStep = 1;

constexpr int kKeyboard = 0;
constexpr int kJoystickCount = 4;

// Stick positions (0-65535). A joystick becomes ready when first read
// inside the centre box; an axis counts only in the outer eighth at
// either end of its range.
constexpr UINT kCentreLow = 0x4000;
constexpr UINT kCentreHigh = 0xC000;
constexpr UINT kOuterLow = 0x2000;
constexpr UINT kOuterHigh = 0xE000;

struct ButtonKey {
    int virtualKey;
    int bit;
};

// Tested in this order.
constexpr ButtonKey kButtonKeys[] = {
    {VK_SPACE, 0x100}, {VK_RETURN, 0x200}, {'Z', 0x001}, {'X', 0x002}, {'C', 0x004},
    {'V', 0x008},      {'A', 0x010},       {'S', 0x020}, {'D', 0x040}, {'F', 0x080},
};

bool IsDown(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

bool IsPadIndex(int index) {
    return index >= kKeyboard && index <= kJoystickCount;
}

// Joystick index 1-4 is device id 0-3.
bool ReadJoystick(int index, JOYINFO& info) {
    return joyGetPos(static_cast<UINT>(JOYSTICKID1 + index - 1), &info) == JOYERR_NOERROR;
}

bool InCentreBox(const JOYINFO& info) {
    return info.wXpos >= kCentreLow && info.wXpos <= kCentreHigh && info.wYpos > kCentreLow &&
           info.wYpos < kCentreHigh;
}

int KeyboardDirection() {
    int direction = kCentre;
    if (IsDown(VK_UP)) direction += kRowStep;
    if (IsDown(VK_DOWN)) direction -= kRowStep;
    if (IsDown(VK_RIGHT)) direction += kColumnStep;
    if (IsDown(VK_LEFT)) direction -= kColumnStep;
    return direction;
}

int StickDirection(const JOYINFO& info) {
    int direction = kCentre;
    if (info.wXpos < kOuterLow) direction = kCentre - kColumnStep;
    if (info.wXpos > kOuterHigh) direction = kCentre + kColumnStep;
    if (info.wYpos < kOuterLow) direction += kRowStep;
    if (info.wYpos > kOuterHigh) direction -= kRowStep;
    return direction;
}

}  // namespace

CPadInput::CPadInput(int left, int top, int right, int bottom) {
    SetClampRect(left, top, right, bottom);
}

void CPadInput::SetClampRect(int left, int top, int right, int bottom) {
    clampLeft = left;
    clampTop = top;
    clampRight = right;
    clampBottom = bottom;
}

int CPadInput::GetDirection(int index) {
    StopPoint();
    if (inputEnabled.load() == 0 || !IsPadIndex(index)) return kNoDirection;

    int direction = kCentre;
    if (index == kKeyboard) {
        direction = KeyboardDirection();
    } else {
        JOYINFO info{};
        if (!ReadJoystick(index, info)) return kNoDirection;
        int& ready = joystickReady[index - 1];
        if (ready == 0 && InCentreBox(info)) ready = 1;
        if (ready != 0) direction = StickDirection(info);
    }
    return direction == kCentre ? kNoDirection : direction;
}

int CPadInput::GetButtons(int index) const {
    StopPoint();
    if (inputEnabled.load() == 0 || !IsPadIndex(index)) return 0;

    if (index == kKeyboard) {
        if (ownerWindow != nullptr && GetForegroundWindow() != ownerWindow) return 0;
        int buttons = 0;
        for (const ButtonKey& key : kButtonKeys)
            if (IsDown(key.virtualKey)) buttons |= key.bit;
        return buttons;
    }

    JOYINFO info{};
    if (!ReadJoystick(index, info)) return 0;
    return joystickReady[index - 1] != 0 ? static_cast<int>(info.wButtons) : 0;
}

void CPadInput::MovePoint(int direction, int& x, int& y, int dx, int dy) const {
    // Wide arithmetic: a step past the int range clamps instead of wrapping.
    long long newX = x;
    long long newY = y;
    if (direction >= 1 && direction <= 9) {
        // Keypad column -1, 0, 1 is left, none, right; row -1 (1-3) is down
        // on the screen, where y grows, and row 1 (7-9) is up.
        const int column = (direction - 1) % 3 - 1;
        const int row = (direction - 1) / 3 - 1;
        newX += static_cast<long long>(column) * dx;
        newY -= static_cast<long long>(row) * dy;
    }
    // In this order, so right and bottom win over an inverted rectangle.
    if (newX < clampLeft) newX = clampLeft;
    if (newY < clampTop) newY = clampTop;
    if (newX > clampRight) newX = clampRight;
    if (newY > clampBottom) newY = clampBottom;
    x = static_cast<int>(newX);
    y = static_cast<int>(newY);
}
