#include <gtest/gtest.h>

#include "platform/testing/user_input.h"
#include "platform/win32.h"

namespace {

using brannock::testing::SetJoystick;

TEST(JoyGetPos, ReadsPluggedJoysticksAndTheirFirstFourButtons) {
    SetJoystick(JOYSTICKID2, true, 0, 65535, 32767, JOY_BUTTON1 | JOY_BUTTON3);
    SetJoystick(3, true, 100, 200, 300, 0xFFFF);
    JOYINFO info{};
    ASSERT_EQ(joyGetPos(JOYSTICKID2, &info), static_cast<MMRESULT>(JOYERR_NOERROR));
    EXPECT_EQ(info.wXpos, 0u);
    EXPECT_EQ(info.wYpos, 65535u);
    EXPECT_EQ(info.wZpos, 32767u);
    EXPECT_EQ(info.wButtons, static_cast<UINT>(JOY_BUTTON1 | JOY_BUTTON3));
    ASSERT_EQ(joyGetPos(3, &info), static_cast<MMRESULT>(JOYERR_NOERROR));
    EXPECT_EQ(info.wXpos, 100u);
    EXPECT_EQ(info.wButtons, 0xFu);
}

TEST(JoyGetPos, FailuresLeaveTheRecordAlone) {
    SetJoystick(1, true, 0, 0, 0, 1);
    SetJoystick(1, false, 0, 0, 0, 1);
    SetJoystick(7, true, 0, 0, 0, 0);  // beyond the backend's four: ignored
    const struct {
        UINT id;
        MMRESULT result;
    } cases[] = {{JOYSTICKID1, JOYERR_UNPLUGGED}, {1, JOYERR_UNPLUGGED}, {7, JOYERR_UNPLUGGED},
                 {15, JOYERR_UNPLUGGED},          {16, JOYERR_PARMS},    {~0u, JOYERR_PARMS}};
    for (const auto& c : cases) {
        JOYINFO info{1, 2, 3, 4};
        EXPECT_EQ(joyGetPos(c.id, &info), c.result) << "id " << c.id;
        EXPECT_EQ(info.wXpos, 1u);
        EXPECT_EQ(info.wButtons, 4u);
    }
    SetJoystick(0, true, 0, 0, 0, 0);
    EXPECT_EQ(joyGetPos(0, nullptr), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
}

}  // namespace
