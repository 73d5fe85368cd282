// Playing and recording input scripts on the headless backend, with a
// window on a thread of its own and this thread presenting the frames:
// input handed over at a frame boundary is handled before the boundary
// returns, the clock moves a frame at a time, screens are saved.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/backend/backend_override.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/backend/script/input_recorder.h"
#include "platform/bmp/bmp_decoder.h"
#include "platform/kernel32/virtual_clock.h"
#include "platform/testing/display.h"
#include "tests/platform/threaded_window.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using brannock::platform::Backend;
using brannock::platform::Settings;
using user32_test::Log;
using user32_test::Seen;
using user32_test::ThreadedWindow;

constexpr DWORD kStart = brannock::platform::virtual_clock::kStartTick;

fs::path TempPath(const std::string& name) {
    return fs::temp_directory_path() / ("brannock_" + std::to_string(getpid()) + "_" + name);
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Installs a headless backend that plays `script`; a window then made
// receives the script's input.
Backend& PlayScript(const std::string& script) {
    const fs::path path = TempPath("script.txt");
    std::ofstream(path) << script;
    Settings settings;
    settings.script = path.string();
    brannock::platform::InstallBackend(brannock::platform::CreateHeadlessBackend(settings));
    return brannock::platform::CurrentBackend();
}

// The key and mouse messages the window saw, as "message wParam lParam".
std::vector<std::string> InputSeen(HWND window) {
    std::vector<std::string> seen;
    for (const Seen& s : Log().All()) {
        const bool key = s.message >= WM_KEYDOWN && s.message <= WM_SYSKEYUP;
        const bool mouse = s.message >= WM_MOUSEMOVE && s.message <= WM_MBUTTONUP;
        if (s.hwnd != window || !(key || mouse)) continue;
        char text[64];
        std::snprintf(text, sizeof text, "%04x %x %08lx", s.message,
                      static_cast<unsigned>(s.wParam),
                      static_cast<unsigned long>(s.lParam & 0xFFFFFFFF));
        seen.emplace_back(text);
    }
    return seen;
}

bool Down(int key) {
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

TEST(ScriptPlayer, EachFramesInputIsHandledBeforeTheFrameIsDrawn) {
    Backend& backend = PlayScript(
        "0 press Right\n"
        "1 release Right\n"
        "1 press LShift\n"
        "2 press A\n"
        "3 release A\n"
        "3 release LShift\n");
    ThreadedWindow window;
    const HWND hwnd = window.Handle();
    // Frame 0's key is down from the start.
    EXPECT_TRUE(Down(VK_RIGHT));

    backend.FramePresented();  // frame 0 shown: frame 1's input goes in
    EXPECT_FALSE(Down(VK_RIGHT));
    EXPECT_TRUE(Down(VK_SHIFT));
    // The messages a PC keyboard's keys make, Right's press from frame 0
    // included: the window thread has handled them all.
    EXPECT_EQ(InputSeen(hwnd), (std::vector<std::string>{"0100 27 014d0001", "0101 27 c14d0001",
                                                         "0100 10 002a0001"}));
    Log().Clear();
    backend.FramePresented();
    // TranslateMessage's character came too: upper case, Shift being down.
    EXPECT_EQ(InputSeen(hwnd), (std::vector<std::string>{"0100 41 001e0001", "0102 41 001e0001"}));
    backend.FramePresented();
    EXPECT_FALSE(Down(VK_SHIFT));
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST(ScriptPlayer, MouseInputMovesTheCursorAndReachesTheClientArea) {
    Backend& backend = PlayScript(
        "1 move 10 20\n"
        "2 click 30 40 right\n"
        "3 press LButton\n"
        "4 release LButton\n");
    ThreadedWindow window;
    const HWND hwnd = window.Handle();
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    Log().Clear();
    backend.FramePresented();
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x - origin.x, 10);
    EXPECT_EQ(cursor.y - origin.y, 20);
    backend.FramePresented();
    backend.FramePresented();
    EXPECT_TRUE(Down(VK_LBUTTON));
    backend.FramePresented();
    EXPECT_EQ(InputSeen(hwnd), (std::vector<std::string>{
                                   "0200 0 0014000a",  // move to (10, 20)
                                   "0200 0 0028001e",  // the click's move
                                   "0204 2 0028001e",  // right button down...
                                   "0205 0 0028001e",  // ...and up
                                   "0201 1 0028001e",  // left button down
                                   "0202 0 0028001e",
                               }));
}

TEST(ScriptPlayer, TheWindowIsClosedAfterTheLastFrameTheScriptNames) {
    Backend& backend = PlayScript("2 press Space   # the last frame named\n");
    ThreadedWindow window;
    const HWND hwnd = window.Handle();
    backend.FramePresented();
    backend.FramePresented();
    EXPECT_TRUE(IsWindow(hwnd));
    // Frame 2 shown: the close control is clicked and handled.
    backend.FramePresented();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(Log().Of(hwnd, {WM_CLOSE}).size(), 1u);
}

TEST(ScriptPlayer, TheClockMovesOneFrameAtThePacePerFrame) {
    Backend& backend = PlayScript("100 close\n");
    ThreadedWindow window;
    EXPECT_EQ(GetTickCount(), kStart);
    // A program that paces but has not presented: its pacing ends frames.
    backend.FramePaced(30);
    EXPECT_EQ(GetTickCount(), kStart + 33);
    backend.FramePaced(30);
    backend.FramePresented();
    EXPECT_EQ(GetTickCount(), kStart + 100);
    backend.FramePaced(60);  // only the pace, now that it presents
    EXPECT_EQ(GetTickCount(), kStart + 100);
    backend.FramePresented();
    EXPECT_EQ(GetTickCount(), kStart + 116);
}

TEST(ScriptPlayer, SavesTheFramesItNamesAndReportsThoseItCannotSave) {
    const fs::path first = TempPath("first.bmp"), later = TempPath("later.bmp");
    Backend& backend = PlayScript("0 save " + first.string() +
                                  "\n"
                                  "0 save /no-such-folder/x.bmp\n"
                                  "1 save " +
                                  later.string() + "\n");
    ThreadedWindow window;
    HDC screen = GetDC(nullptr);
    SetPixel(screen, 3, 2, RGB(10, 20, 30));
    ReleaseDC(nullptr, screen);
    testing::internal::CaptureStderr();
    backend.FramePresented();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("script.txt:2: cannot save the screen to /no-such-folder/x.bmp"),
              std::string::npos)
        << errors;
    EXPECT_FALSE(fs::exists(later));
    backend.FramePresented();

    const auto saved = brannock::bmp::DecodeFile(first.string());
    ASSERT_TRUE(saved) << saved.error;
    EXPECT_EQ(saved.image->width, brannock::testing::ScreenWidth());
    EXPECT_EQ(saved.image->pixels[2 * saved.image->width + 3], 0x0A141Eu);
    EXPECT_TRUE(fs::exists(later));
    fs::remove(first);
    fs::remove(later);
}

TEST(InputRecorder, WritesWhatReachedTheProgramWithTheFrameItWasFor) {
    const fs::path path = TempPath("recording.txt");
    Settings settings;
    settings.record = path.string();
    auto recorder = brannock::platform::script::InputRecorder::Open(settings);
    ASSERT_NE(recorder, nullptr);
    ThreadedWindow window;
    const HWND hwnd = window.Handle();
    recorder->WindowCreated(hwnd);
    using brannock::platform::script::Event;
    using brannock::platform::script::EventKind;
    const auto event = [](EventKind kind, int key, int x = 0, int y = 0) {
        Event e;
        e.kind = kind;
        e.key = key;
        e.x = x;
        e.y = y;
        return e;
    };

    recorder->FrameEnded({0, 60});
    recorder->Latch(event(EventKind::kPress, VK_LEFT));
    recorder->Latch(event(EventKind::kMove, 0, 1, 1));
    recorder->Latch(event(EventKind::kMove, 0, 5, 6));  // between frames: the last one counts
    Log().Clear();
    recorder->FrameEnded({1, 60});
    // Handed over as a script's input is.
    EXPECT_TRUE(Down(VK_LEFT));
    EXPECT_EQ(Log().Of(hwnd, {WM_KEYDOWN, WM_MOUSEMOVE}),
              (std::vector<UINT>{WM_KEYDOWN, WM_MOUSEMOVE}));
    recorder->Latch(event(EventKind::kMove, 0, 5, 6));  // already there: nothing
    recorder->Latch(event(EventKind::kRelease, VK_LEFT));
    recorder->FrameEnded({2, 60});
    EXPECT_FALSE(Down(VK_LEFT));

    // Input that waits too long for a frame goes in anyway, for the next.
    recorder->Latch(event(EventKind::kClose, 0));
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (IsWindow(hwnd) && std::chrono::steady_clock::now() < deadline) {
        recorder->ReleaseIfStalled();
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_FALSE(IsWindow(hwnd));
    // Three frames of the virtual clock, at 60 a second.
    EXPECT_EQ(GetTickCount(), kStart + 50);

    EXPECT_EQ(ReadFile(path).substr(ReadFile(path).find('\n') + 1),
              "2 press Left\n2 move 5 6\n3 release Left\n3 close\n");
    fs::remove(path);
}

}  // namespace
