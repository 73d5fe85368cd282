// Calls for the thread that drives the host: made there at once, queued
// from other threads until it runs them; a waiting caller gives up when its
// thread stops.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/backend/host_calls.h"
#include "platform/kernel32/interrupt.h"
#include "platform/win32.h"

namespace {

using brannock::platform::HostCalls;
using namespace std::chrono_literals;

TEST(HostCalls, CallsFromOtherThreadsWaitForTheOwnerToRunThem) {
    HostCalls calls;  // owned by this thread
    const DWORD owner = GetCurrentThreadId();
    std::atomic<DWORD> ranOn{0};
    EXPECT_EQ(calls.Call(
                  [&] {
                      ranOn = GetCurrentThreadId();
                      return 5;
                  },
                  -1),
              5);
    EXPECT_EQ(ranOn.load(), owner);

    std::atomic<int> answer{0};
    std::atomic<bool> posted{false};
    ranOn = 0;
    std::thread caller([&] {
        calls.Post([&] { posted = true; });
        answer = calls.Call(
            [&] {
                ranOn = GetCurrentThreadId();
                return 7;
            },
            -1);
    });
    std::this_thread::sleep_for(30ms);
    EXPECT_FALSE(posted);
    EXPECT_EQ(answer.load(), 0);
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (answer == 0 && std::chrono::steady_clock::now() < deadline) {
        calls.RunQueued();
        std::this_thread::sleep_for(1ms);
    }
    caller.join();
    EXPECT_TRUE(posted);
    EXPECT_EQ(answer.load(), 7);
    EXPECT_EQ(ranOn.load(), owner);
}

std::atomic<bool> g_stop{false};
thread_local bool t_stoppable = false;

TEST(HostCalls, AStopEndsTheWaitAndTheCallIsDropped) {
    brannock::platform::SetStopCheck([] { return t_stoppable && g_stop; });
    HostCalls calls;
    std::atomic<bool> ran{false};
    std::atomic<int> answer{0};
    std::thread caller([&] {
        t_stoppable = true;
        answer = calls.Call(
            [&] {
                ran = true;
                return 1;
            },
            -1);
    });
    std::this_thread::sleep_for(30ms);
    g_stop = true;
    caller.join();
    EXPECT_EQ(answer.load(), -1);
    calls.RunQueued();
    EXPECT_FALSE(ran);
    brannock::platform::SetStopCheck(nullptr);
}

}  // namespace
