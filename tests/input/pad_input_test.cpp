// CPadInput: keypad directions and button bits from the keyboard and the
// joysticks, and MovePoint.
#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>

#include "input/input_state.h"
#include "input/pad_input.h"
#include "platform/win32.h"

#ifndef _WIN32
#include "platform/testing/user_input.h"
#include "tests/input/input_test_window.h"

namespace bt = brannock::testing;

namespace {

constexpr int kKeyboard = 0;

void HoldKeys(std::initializer_list<int> keys) {
    bt::ReleaseAllKeys();
    for (int key : keys)
        bt::SetKeyDown(key, true);
}

struct ArrowCase {
    std::initializer_list<int> keys;
    int direction;
};

TEST(PadKeyboard, ArrowKeysGiveKeypadDirections) {
    const ArrowCase cases[] = {
        {{}, 0},
        {{VK_UP}, 8},
        {{VK_UP, VK_LEFT}, 7},
        {{VK_UP, VK_RIGHT}, 9},
        {{VK_LEFT}, 4},
        {{VK_RIGHT}, 6},
        {{VK_DOWN}, 2},
        {{VK_DOWN, VK_LEFT}, 1},
        {{VK_DOWN, VK_RIGHT}, 3},
        {{VK_LEFT, VK_RIGHT}, 0},
        {{VK_UP, VK_DOWN}, 0},
        {{VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT}, 0},
        {{VK_UP, VK_DOWN, VK_LEFT}, 4},
        {{VK_UP, VK_DOWN, VK_RIGHT}, 6},
        {{VK_LEFT, VK_RIGHT, VK_DOWN}, 2},
    };
    CPadInput pad(0, 0, 640, 480);
    for (const ArrowCase& c : cases) {
        HoldKeys(c.keys);
        EXPECT_EQ(pad.GetDirection(kKeyboard), c.direction)
            << "case with " << c.keys.size() << " keys, expected " << c.direction;
    }
}

TEST(PadKeyboard, EachButtonKeyHasItsOwnBit) {
    const struct {
        int key;
        int bit;
    } keys[] = {{'Z', 0x001}, {'X', 0x002}, {'C', 0x004}, {'V', 0x008},      {'A', 0x010},
                {'S', 0x020}, {'D', 0x040}, {'F', 0x080}, {VK_SPACE, 0x100}, {VK_RETURN, 0x200}};
    CPadInput pad(0, 0, 640, 480);
    for (const auto& k : keys) {
        HoldKeys({k.key});
        EXPECT_EQ(pad.GetButtons(kKeyboard), k.bit) << "key " << k.key;
    }

    HoldKeys({'Z', 'X'});
    EXPECT_EQ(pad.GetButtons(kKeyboard), 3);
    HoldKeys({'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F', VK_SPACE, VK_RETURN});
    EXPECT_EQ(pad.GetButtons(kKeyboard), 0x3FF);
    HoldKeys({VK_UP, 'Q', VK_SHIFT});
    EXPECT_EQ(pad.GetButtons(kKeyboard), 0);
}

TEST(PadKeyboard, IndexOutsideThePadsReadsNothing) {
    CPadInput pad(0, 0, 640, 480);
    HoldKeys({VK_UP, 'Z'});
    bt::SetJoystick(0, true, 0x8000, 0x8000, 0x8000, 1);
    for (int index : {-1, 5, INT_MIN, INT_MAX}) {
        EXPECT_EQ(pad.GetDirection(index), 0) << index;
        EXPECT_EQ(pad.GetButtons(index), 0) << index;
    }
}

TEST(PadKeyboard, DisabledInputReadsNothing) {
    CPadInput pad(0, 0, 640, 480);
    bt::SetJoystick(0, true, 0x8000, 0x8000, 0x8000, 1);
    ASSERT_EQ(pad.GetDirection(1), 0);  // centred: now ready
    bt::SetJoystick(0, true, 0, 0, 0x8000, 1);
    HoldKeys({VK_UP, 'Z'});

    SetInputEnabled(0);
    EXPECT_EQ(pad.GetDirection(kKeyboard), 0);
    EXPECT_EQ(pad.GetButtons(kKeyboard), 0);
    EXPECT_EQ(pad.GetDirection(1), 0);
    EXPECT_EQ(pad.GetButtons(1), 0);

    SetInputEnabled(1);
    EXPECT_EQ(pad.GetDirection(kKeyboard), 8);
    EXPECT_EQ(pad.GetButtons(kKeyboard), 1);
    EXPECT_EQ(pad.GetDirection(1), 7);
    EXPECT_EQ(pad.GetButtons(1), 1);
}

TEST(PadKeyboard, ButtonsNeedTheOwnerWindowInFrontButArrowsDoNot) {
    test_window::PlainWindow owner(WS_OVERLAPPEDWINDOW, nullptr);
    test_window::PlainWindow other(WS_OVERLAPPEDWINDOW, nullptr);
    CPadInput pad(0, 0, 640, 480);
    pad.ownerWindow = owner.handle;
    HoldKeys({VK_LEFT, 'X'});

    bt::SetForeground(other.handle);
    EXPECT_EQ(pad.GetButtons(kKeyboard), 0);
    EXPECT_EQ(pad.GetDirection(kKeyboard), 4);

    bt::SetForeground(nullptr);
    EXPECT_EQ(pad.GetButtons(kKeyboard), 0);

    bt::SetForeground(owner.handle);
    EXPECT_EQ(pad.GetButtons(kKeyboard), 2);

    pad.ownerWindow = nullptr;
    bt::SetForeground(other.handle);
    EXPECT_EQ(pad.GetButtons(kKeyboard), 2);
}

// Joystick 1 is device id 0.
void SetStick(UINT x, UINT y, UINT buttons = 0) {
    bt::SetJoystick(0, true, x, y, 0x8000, buttons);
}

TEST(PadJoystick, ReportsNothingUntilOnceSeenCentred) {
    CPadInput pad(0, 0, 640, 480);
    SetStick(0, 0, 0xF);
    EXPECT_EQ(pad.GetDirection(1), 0);
    EXPECT_EQ(pad.GetButtons(1), 0);

    // GetButtons alone never makes a joystick ready.
    SetStick(0x8000, 0x8000, 0xF);
    EXPECT_EQ(pad.GetButtons(1), 0);

    EXPECT_EQ(pad.GetDirection(1), 0);
    EXPECT_EQ(pad.GetButtons(1), 0xF);
    SetStick(0, 0, 0x3);
    EXPECT_EQ(pad.GetDirection(1), 7);
    EXPECT_EQ(pad.GetButtons(1), 0x3);

    // Readiness belongs to one joystick and one pad object.
    bt::SetJoystick(1, true, 0, 0, 0x8000, 1);
    EXPECT_EQ(pad.GetDirection(2), 0);
    EXPECT_EQ(pad.GetButtons(2), 0);
    CPadInput fresh(0, 0, 640, 480);
    EXPECT_EQ(fresh.GetDirection(1), 0);
}

TEST(PadJoystick, CentreBoxIncludesTheXBoundsAndExcludesTheYBounds) {
    const struct {
        UINT x, y;
        bool readies;
    } first[] = {
        {0x4000, 0x8000, true},  {0xC000, 0x8000, true},  {0x3FFF, 0x8000, false},
        {0xC001, 0x8000, false}, {0x8000, 0x4000, false}, {0x8000, 0xC000, false},
        {0x8000, 0x4001, true},  {0x8000, 0xBFFF, true},
    };
    for (const auto& c : first) {
        CPadInput pad(0, 0, 640, 480);
        SetStick(c.x, c.y);
        EXPECT_EQ(pad.GetDirection(1), 0);
        SetStick(0xFFFF, 0xFFFF);
        EXPECT_EQ(pad.GetDirection(1), c.readies ? 3 : 0) << std::hex << c.x << ", " << c.y;
    }
}

TEST(PadJoystick, AxesCountOnlyStrictlyInTheirOuterEighths) {
    const struct {
        UINT x, y;
        int direction;
    } cases[] = {
        {0x2000, 0x8000, 0}, {0x1FFF, 0x8000, 4}, {0xE000, 0x8000, 0}, {0xE001, 0x8000, 6},
        {0x8000, 0x2000, 0}, {0x8000, 0x1FFF, 8}, {0x8000, 0xE000, 0}, {0x8000, 0xE001, 2},
        {0, 0, 7},           {0xFFFF, 0, 9},      {0, 0xFFFF, 1},      {0xFFFF, 0xFFFF, 3},
        {0x8000, 0x8000, 0},
    };
    CPadInput pad(0, 0, 640, 480);
    SetStick(0x8000, 0x8000);
    ASSERT_EQ(pad.GetDirection(1), 0);
    for (const auto& c : cases) {
        SetStick(c.x, c.y);
        EXPECT_EQ(pad.GetDirection(1), c.direction) << std::hex << c.x << ", " << c.y;
    }
}

TEST(PadJoystick, AbsentJoystickReadsNothing) {
    CPadInput pad(0, 0, 640, 480);
    for (UINT id = 0; id < 4; ++id) {
        bt::SetJoystick(id, true, 0x8000, 0x8000, 0x8000, 0);
        ASSERT_EQ(pad.GetDirection(static_cast<int>(id) + 1), 0);
        bt::SetJoystick(id, false, 0, 0, 0, 0xF);
        EXPECT_EQ(pad.GetDirection(static_cast<int>(id) + 1), 0);
        EXPECT_EQ(pad.GetButtons(static_cast<int>(id) + 1), 0);
    }
    // Plugged in again, it is still ready.
    bt::SetJoystick(3, true, 0, 0, 0x8000, 0x5);
    EXPECT_EQ(pad.GetDirection(4), 7);
    EXPECT_EQ(pad.GetButtons(4), 0x5);
}

}  // namespace
#endif  // _WIN32

namespace {

TEST(PadMovePoint, StepsFollowTheKeypadWithYGrowingDownward) {
    const struct {
        int direction;
        int x, y;
    } cases[] = {
        {1, 98, 103}, {2, 100, 103}, {3, 102, 103}, {4, 98, 100},  {6, 102, 100},  {7, 98, 97},
        {8, 100, 97}, {9, 102, 97},  {0, 100, 100}, {5, 100, 100}, {10, 100, 100}, {-1, 100, 100},
    };
    const CPadInput pad(0, 0, 640, 480);
    for (const auto& c : cases) {
        int x = 100, y = 100;
        pad.MovePoint(c.direction, x, y, 2, 3);
        EXPECT_EQ(x, c.x) << "direction " << c.direction;
        EXPECT_EQ(y, c.y) << "direction " << c.direction;
    }
}

TEST(PadMovePoint, ClampsToTheRectangleWhateverTheDirection) {
    CPadInput pad(0, 0, 640, 480);
    int x = 0, y = 0;
    pad.MovePoint(9, x, y, 1, 1);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 0);

    x = 700, y = 500;
    pad.MovePoint(0, x, y, 5, 5);
    EXPECT_EQ(x, 640);
    EXPECT_EQ(y, 480);

    x = 640, y = 480;  // the edges themselves are inside
    pad.MovePoint(0, x, y, 5, 5);
    EXPECT_EQ(x, 640);
    EXPECT_EQ(y, 480);

    pad.SetClampRect(10, 20, 30, 40);
    x = 0, y = 100;
    pad.MovePoint(5, x, y, 1, 1);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 40);
}

TEST(PadMovePoint, InvertedRectangleLetsRightAndBottomWin) {
    const CPadInput pad(100, 200, 0, 0);
    int x = 50, y = 50;
    pad.MovePoint(0, x, y, 0, 0);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST(PadMovePoint, StepsBeyondTheIntRangeClampInsteadOfWrapping) {
    const CPadInput pad(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    int x = INT_MAX - 1, y = INT_MIN + 1;
    pad.MovePoint(9, x, y, INT_MAX, INT_MAX);
    EXPECT_EQ(x, INT_MAX);
    EXPECT_EQ(y, INT_MIN);

    x = INT_MIN, y = INT_MIN;
    pad.MovePoint(3, x, y, INT_MIN, INT_MIN);  // a negative step goes the other way
    EXPECT_EQ(x, INT_MIN);
    EXPECT_EQ(y, INT_MIN);
}

}  // namespace
