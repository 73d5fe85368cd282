#include <gtest/gtest.h>

#include "platform/testing/user_input.h"
#include "platform/win32.h"

namespace {

using brannock::testing::SetJoystick;

constexpr JOYINFO kUntouched{1, 2, 3, 4};

TEST(JoyGetPos, ReadsAPluggedJoystick) {
    SetJoystick(JOYSTICKID2, true, 0, 65535, 32767, JOY_BUTTON1 | JOY_BUTTON3);
    JOYINFO info{};
    ASSERT_EQ(joyGetPos(JOYSTICKID2, &info), static_cast<MMRESULT>(JOYERR_NOERROR));
    EXPECT_EQ(info.wXpos, 0u);
    EXPECT_EQ(info.wYpos, 65535u);
    EXPECT_EQ(info.wZpos, 32767u);
    EXPECT_EQ(info.wButtons, static_cast<UINT>(JOY_BUTTON1 | JOY_BUTTON3));

    // Joysticks are independent; the last one (id 3) works too.
    SetJoystick(3, true, 100, 200, 300, JOY_BUTTON4);
    ASSERT_EQ(joyGetPos(3, &info), static_cast<MMRESULT>(JOYERR_NOERROR));
    EXPECT_EQ(info.wXpos, 100u);
    EXPECT_EQ(info.wButtons, static_cast<UINT>(JOY_BUTTON4));
}

TEST(JoyGetPos, OnlyTheFirstFourButtonsAreReported) {
    SetJoystick(0, true, 32767, 32767, 32767, 0xFFFF);
    JOYINFO info{};
    ASSERT_EQ(joyGetPos(JOYSTICKID1, &info), static_cast<MMRESULT>(JOYERR_NOERROR));
    EXPECT_EQ(info.wButtons, 0xFu);
}

TEST(JoyGetPos, FailuresLeaveTheRecordAlone) {
    const auto check = [](UINT id, MMRESULT expected) {
        JOYINFO info = kUntouched;
        EXPECT_EQ(joyGetPos(id, &info), expected) << "id " << id;
        EXPECT_EQ(info.wXpos, kUntouched.wXpos);
        EXPECT_EQ(info.wButtons, kUntouched.wButtons);
    };
    check(JOYSTICKID1, JOYERR_UNPLUGGED);  // never plugged
    SetJoystick(1, true, 0, 0, 0, 1);
    SetJoystick(1, false, 0, 0, 0, 1);
    check(1, JOYERR_UNPLUGGED);  // unplugged again
    check(4, JOYERR_UNPLUGGED);  // a valid id no backend fills
    check(15, JOYERR_UNPLUGGED);
    check(16, JOYERR_PARMS);
    check(0xFFFFFFFFu, JOYERR_PARMS);

    SetJoystick(0, true, 0, 0, 0, 0);
    EXPECT_EQ(joyGetPos(0, nullptr), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
    SetJoystick(7, true, 0, 0, 0, 0);  // beyond the backend's joysticks: ignored
    check(7, JOYERR_UNPLUGGED);
}

}  // namespace
