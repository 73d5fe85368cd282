// The module-wide input switch and the shared values.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <thread>

#include "input/input_state.h"
#include "input/pad_input.h"

#ifndef _WIN32
#include "platform/testing/user_input.h"
#endif

namespace {

TEST(InputSharedValues, StartAtZeroAndKeepTheirOrder) {
    int a = -1, b = -1, c = -1, d = -1;
    GetSharedValues(a, b, c, d);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(c, 0);
    EXPECT_EQ(d, 0);
    SetSharedValues(1, -2, INT_MAX, INT_MIN);
    GetSharedValues(a, b, c, d);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, -2);
    EXPECT_EQ(c, INT_MAX);
    EXPECT_EQ(d, INT_MIN);
}

TEST(InputSharedValues, WritesOfOneThreadReachAnotherThatPolls) {
    std::thread writer([] { SetSharedValues(1, 2, 3, 4); });
    int a = 0, b = 0, c = 0, d = 0;
    while (d != 4)
        GetSharedValues(a, b, c, d);
    writer.join();
    EXPECT_EQ(d, 4);
}

#ifndef _WIN32
TEST(InputEnabled, SwitchedOffFromAnotherThreadSilencesAPollingLoop) {
    EXPECT_EQ(inputEnabled.load(), 1);
    CPadInput pad(0, 0, 640, 480);
    brannock::testing::SetKeyDown(VK_UP, true);
    ASSERT_EQ(pad.GetDirection(0), 8);
    std::thread other([] { SetInputEnabled(0); });
    while (pad.GetDirection(0) != 0)
        std::this_thread::yield();
    other.join();
    EXPECT_EQ(inputEnabled.load(), 0);
}
#endif

}  // namespace
