// The virtual clock of repeatable runs, as GetTickCount and Sleep show it,
// and the hook that new threads run first.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/kernel32/thread_start.h"
#include "platform/kernel32/virtual_clock.h"
#include "platform/win32.h"

namespace {

namespace clock = brannock::platform::virtual_clock;
constexpr DWORD kStart = clock::kStartTick;

DWORD TickOnAnotherThread() {
    DWORD tick = 0;
    std::thread([&] { tick = GetTickCount(); }).join();
    return tick;
}

// Started, with this thread as the frame thread.
void StartOnThisThread() {
    clock::Start();
    clock::SetFrameThread(GetCurrentThreadId());
}

TEST(VirtualClock, FramesEndOnTheScheduleOfThePace) {
    StartOnThisThread();
    EXPECT_EQ(GetTickCount(), kStart);
    std::vector<DWORD> ends;
    for (int frame = 0; frame < 61; ++frame) {
        clock::EndFrame(60);
        ends.push_back(GetTickCount() - kStart);
    }
    // Frame k ends k * 1000 / 60 ms in, truncated: WaitFrame(60)'s due
    // times, so a paced program never has to wait.
    EXPECT_EQ(std::vector<DWORD>(ends.begin(), ends.begin() + 4),
              (std::vector<DWORD>{16, 33, 50, 66}));
    EXPECT_EQ(ends[59], 1000u);
    EXPECT_EQ(ends[60], 1016u);
    EXPECT_EQ(TickOnAnotherThread(), kStart + 1016);

    // A new pace starts its schedule where the clock stands; no pace is 60.
    clock::EndFrame(30);
    EXPECT_EQ(GetTickCount(), kStart + 1049);
    clock::EndFrame(0);
    EXPECT_EQ(GetTickCount(), kStart + 1065);
}

TEST(VirtualClock, TheFrameThreadsSleepIsVirtualAndAFrameThatSleptLongerEndsWhereItWas) {
    StartOnThisThread();
    // A minute's sleep returns at once with the clock a minute on.
    Sleep(60'000);
    EXPECT_EQ(GetTickCount(), kStart + 60'000);
    clock::EndFrame(60);
    EXPECT_EQ(GetTickCount(), kStart + 60'000);
    clock::EndFrame(60);
    EXPECT_EQ(GetTickCount(), kStart + 60'016);

    // Other threads sleep in real time and leave the clock alone.
    std::thread([] { Sleep(5); }).join();
    EXPECT_EQ(GetTickCount(), kStart + 60'016);
}

TEST(VirtualClock, PollingTheClockOnTheFrameThreadMovesItWhileAFewReadsDoNot) {
    StartOnThisThread();
    clock::EndFrame(60);
    const DWORD start = GetTickCount();
    EXPECT_EQ(GetTickCount(), start);
    EXPECT_EQ(GetTickCount(), start);
    // A wait for the clock ends.
    int reads = 0;
    while (GetTickCount() - start < 5)
        ++reads;
    EXPECT_GE(reads, clock::kPollReads);
    // The frame schedule goes on as before: frame 2 ends 33 ms in.
    clock::EndFrame(60);
    EXPECT_EQ(GetTickCount(), start + 17);
    {
        // The platform's own reads never move it.
        const clock::QuietReads quiet;
        const DWORD now = GetTickCount();
        for (int i = 0; i < 3 * clock::kPollReads; ++i)
            ASSERT_EQ(GetTickCount(), now);
    }
    // Nor do another thread's.
    const DWORD now = GetTickCount();
    std::thread([] {
        for (int i = 0; i < 3 * clock::kPollReads; ++i)
            GetTickCount();
    }).join();
    EXPECT_EQ(TickOnAnotherThread(), now);
}

DWORD WINAPI RecordStart(LPVOID order) {
    static_cast<std::vector<int>*>(order)->push_back(2);
    return 0;
}

TEST(ThreadStartHook, RunsOnEachNewThreadBeforeItsRoutine) {
    std::vector<int> order;
    std::atomic<int> hooks{0};
    brannock::platform::SetThreadStartHook([&] {
        ++hooks;
        order.push_back(1);
    });
    HANDLE thread = CreateThread(nullptr, 0, &RecordStart, &order, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, 10'000), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));

    brannock::platform::SetThreadStartHook({});
    thread = CreateThread(nullptr, 0, &RecordStart, &order, 0, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, 10'000), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(hooks, 1);
}

}  // namespace
