// CPadInput: keypad directions and button bits from the keyboard and the
// joysticks, and MovePoint. CWindowInput: the pointer in client coordinates
// and keys held while the window is in front. Keys are pressed with
// keybd_event and the pointer placed with SetCursorPos, so these run on
// Windows too; joysticks and held mouse buttons are the headless backend's.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <set>
#include <string>
#include <utility>

#include "input/input_state.h"
#include "input/pad_input.h"
#include "input/window_input.h"
#include "tests/support/framework_run.h"

#ifndef _WIN32
#include "platform/testing/user_input.h"
#endif

namespace {

using brannock::test::WaitUntil;

// A plain top-level window, destroyed with the object.
struct PlainWindow {
    explicit PlainWindow(DWORD style = WS_OVERLAPPEDWINDOW, HMENU menu = nullptr) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "PlainTestWindow";
        RegisterClassExA(&wc);  // fails harmlessly once registered
        handle = CreateWindowExA(0, wc.lpszClassName, "", style, 100, 50, 300, 200, nullptr, menu,
                                 nullptr, nullptr);
    }
    ~PlainWindow() { DestroyWindow(handle); }
    HWND handle;
};

bool Held(int key) {
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

// The keys a test presses, through keybd_event as the user would. The key
// state is the whole desktop's: every key is let go again at the end.
class Keyboard : public ::testing::Test {
  protected:
    void TearDown() override { Hold(""); }

    // Holds exactly the keys named: arrows by their keypad digits 8 2 4 6,
    // ' ' Space, '\n' Enter, letters as themselves; others are let go.
    void Hold(const std::string& keys) {
        const std::string names = "8246 \n";
        const int codes[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SPACE, VK_RETURN};
        std::set<int> wanted;
        for (char key : keys) {
            const auto named = names.find(key);
            wanted.insert(named == std::string::npos ? static_cast<unsigned char>(key)
                                                     : codes[named]);
        }
        for (auto it = held_.begin(); it != held_.end();) {
            if (wanted.count(*it)) {
                ++it;
                continue;
            }
            Press(*it, false);
            it = held_.erase(it);
        }
        for (int key : wanted)
            if (held_.insert(key).second) Press(key, true);
    }

    // Makes `window` the foreground window, as the user's click would, and
    // lets the window system settle. Wine takes the key state from the X
    // server's when the focus moves: the keys held are pressed again.
    void BringToFront(HWND window) {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 100) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            Sleep(1);
        }
        for (int key : held_)
            Press(key, true);
    }

    static void Press(int key, bool down) {
        keybd_event(static_cast<BYTE>(key), 0, down ? 0 : KEYEVENTF_KEYUP, 0);
        EXPECT_TRUE(WaitUntil([&] { return Held(key) == down; })) << "key " << key;
    }

  private:
    std::set<int> held_;
};

using PadKeyboard = Keyboard;
using WindowInput = Keyboard;

TEST_F(PadKeyboard, ArrowsGiveKeypadDirectionsAndButtonKeysTheirBits) {
    const std::pair<const char*, int> arrows[] = {
        {"", 0},   {"8", 8},  {"84", 7}, {"86", 9}, {"4", 4},    {"6", 6},   {"2", 2},
        {"24", 1}, {"26", 3}, {"46", 0}, {"82", 0}, {"8246", 0}, {"824", 4}, {"826", 6}};
    CPadInput pad(0, 0, 640, 480);
    for (const auto& [keys, direction] : arrows) {
        Hold(keys);
        EXPECT_EQ(pad.GetDirection(0), direction) << "keys " << keys;
    }
    const std::string buttons = "ZXCVASDF \n";  // bits 0 to 9
    for (std::size_t bit = 0; bit < buttons.size(); ++bit) {
        Hold(buttons.substr(bit, 1));
        EXPECT_EQ(pad.GetButtons(0), 1 << bit) << "bit " << bit;
    }
    Hold(buttons + "8Q");
    EXPECT_EQ(pad.GetButtons(0), 0x3FF);
}

TEST_F(PadKeyboard, SwitchedOffBadIndexOrOwnerBehindReadNothing) {
    PlainWindow owner, other;
    CPadInput pad(0, 0, 640, 480);
    Hold("4X");
    for (int index : {-1, 5, INT_MIN})
        EXPECT_EQ(pad.GetDirection(index) | pad.GetButtons(index), 0);
    SetInputEnabled(0);
    EXPECT_EQ(pad.GetDirection(0) | pad.GetButtons(0), 0);
    SetInputEnabled(1);
    EXPECT_EQ(pad.GetButtons(0), 2);

    pad.ownerWindow = owner.handle;
    BringToFront(other.handle);
    EXPECT_EQ(pad.GetButtons(0), 0);
    EXPECT_EQ(pad.GetDirection(0), 4);  // arrows ignore the foreground
    BringToFront(owner.handle);
    EXPECT_EQ(pad.GetButtons(0), 2);
}

#ifndef _WIN32
namespace bt = brannock::testing;

void Stick(UINT x, UINT y, UINT buttons = 0) {
    bt::SetJoystick(0, true, x, y, 0x8000, buttons);
}

TEST(PadJoystick, SwitchedOffOrBadIndexReadNothing) {
    CPadInput pad(0, 0, 640, 480);
    Stick(0x8000, 0x8000);
    pad.GetDirection(1);  // now ready
    Stick(0, 0, 1);
    for (int index : {-1, 5, INT_MIN})
        EXPECT_EQ(pad.GetDirection(index) | pad.GetButtons(index), 0);
    SetInputEnabled(0);
    EXPECT_EQ(pad.GetDirection(1) | pad.GetButtons(1), 0);
    SetInputEnabled(1);
    EXPECT_EQ(pad.GetButtons(1), 1);
}

TEST(PadJoystick, ReadyOnlyAfterAReadingInsideTheCentreBox) {
    // The box includes its x bounds and excludes its y bounds.
    const struct {
        UINT x, y;
        bool readies;
    } first[] = {{0x4000, 0x8000, true},  {0xC000, 0x8000, true},  {0x3FFF, 0x8000, false},
                 {0xC001, 0x8000, false}, {0x8000, 0x4000, false}, {0x8000, 0xC000, false},
                 {0x8000, 0x4001, true},  {0x8000, 0xBFFF, true},  {0, 0, false}};
    for (const auto& c : first) {
        CPadInput pad(0, 0, 640, 480);
        Stick(c.x, c.y, 0xF);
        EXPECT_EQ(pad.GetButtons(1), 0);  // which never makes it ready
        pad.GetDirection(1);
        Stick(0xFFFF, 0xFFFF, 0x5);
        EXPECT_EQ(pad.GetDirection(1), c.readies ? 3 : 0) << std::hex << c.x << "," << c.y;
        EXPECT_EQ(pad.GetButtons(1), c.readies ? 0x5 : 0);
    }
}

TEST(PadJoystick, AxesCountOnlyStrictlyInTheirOuterEighths) {
    const struct {
        UINT x, y;
        int direction;
    } cases[] = {{0x2000, 0x8000, 0}, {0x1FFF, 0x8000, 4}, {0xE000, 0x8000, 0}, {0xE001, 0x8000, 6},
                 {0x8000, 0x2000, 0}, {0x8000, 0x1FFF, 8}, {0x8000, 0xE000, 0}, {0x8000, 0xE001, 2},
                 {0, 0, 7},           {0xFFFF, 0, 9},      {0, 0xFFFF, 1}};
    CPadInput pad(0, 0, 640, 480);
    Stick(0x8000, 0x8000);
    pad.GetDirection(1);
    for (const auto& c : cases) {
        Stick(c.x, c.y);
        EXPECT_EQ(pad.GetDirection(1), c.direction) << std::hex << c.x << "," << c.y;
    }
    bt::SetJoystick(0, false, 0, 0, 0, 1);  // unplugged
    EXPECT_EQ(pad.GetDirection(1) | pad.GetButtons(1), 0);
}

#endif  // _WIN32

// x, y, left, right as GetPointer gives them.
std::array<int, 4> Pointer(HWND window) {
    std::array<int, 4> p{-1, -1, -1, -1};
    CWindowInput(window).GetPointer(p[0], p[1], p[2], p[3]);
    return p;
}

// Puts the cursor at (x, y) of the client area as the system metrics place
// it: inside border and frame, below a bordered window's caption and menu.
void PointAt(HWND window, int x, int y) {
    RECT r{};
    GetWindowRect(window, &r);
    y += r.top + GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYFRAME);
    if (static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & WS_BORDER)
        y += GetSystemMetrics(SM_CYCAPTION);
    if (GetMenu(window)) y += GetSystemMetrics(SM_CYMENU);
    x += r.left + GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXFRAME);
    SetCursorPos(x, y);
}

TEST_F(WindowInput, PointerIsRelativeToTheClientAreaAndNotClamped) {
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "File");
    PlainWindow plain, withMenu(WS_OVERLAPPEDWINDOW, menu), popup(WS_POPUP);
    for (HWND window : {plain.handle, withMenu.handle, popup.handle}) {
        PointAt(window, 10, 20);
        EXPECT_EQ(Pointer(window), (std::array{10, 20, 0, 0}));
    }
    PointAt(plain.handle, 600, 0);  // past the client area, still on the screen
    EXPECT_EQ(Pointer(plain.handle), (std::array{600, 0, 0, 0}));
    PointAt(plain.handle, 5, -1);
    EXPECT_EQ(Pointer(plain.handle), (std::array{5, -1, 0, 0}));
    // Without a window: the screen position less a caption.
    SetCursorPos(300, 200);
    EXPECT_EQ(Pointer(nullptr), (std::array{300, 200 - GetSystemMetrics(SM_CYCAPTION), 0, 0}));
}

#ifndef _WIN32
TEST_F(WindowInput, ButtonsNeedTheWindowInFrontAndTheClientArea) {
    bt::SetKeyDown(VK_LBUTTON, true);
    bt::SetKeyDown(VK_RBUTTON, true);
    PlainWindow plain;
    bt::SetForeground(plain.handle);
    PointAt(plain.handle, 10, 20);
    EXPECT_EQ(Pointer(plain.handle), (std::array{10, 20, 0x8000, 0x8000}));
    // No buttons behind another window or above the client area; the input
    // switch does not apply.
    SetInputEnabled(0);
    EXPECT_EQ(Pointer(plain.handle), (std::array{10, 20, 0x8000, 0x8000}));
    PointAt(plain.handle, 5, -1);
    EXPECT_EQ(Pointer(plain.handle), (std::array{5, -1, 0, 0}));
    bt::SetForeground(nullptr);
    PointAt(plain.handle, 10, 20);
    EXPECT_EQ(Pointer(plain.handle), (std::array{10, 20, 0, 0}));
    // Without a window, buttons only while no window is in front.
    EXPECT_EQ(Pointer(nullptr)[2], 0x8000);
    bt::SetForeground(plain.handle);
    EXPECT_EQ(Pointer(nullptr)[2], 0);
}
#endif

TEST_F(WindowInput, KeysCountWhileTheWindowIsInFront) {
    PlainWindow window, other;
    Hold(std::string{static_cast<char>(VK_F1), static_cast<char>(VK_LSHIFT)});
    BringToFront(window.handle);
    const CWindowInput input(window.handle);
    EXPECT_EQ(input.IsKeyDown(VK_F1), 0x8000);
    EXPECT_EQ(input.IsKeyDown(VK_F2), 0);
    // Codes above 127 arrive sign-extended and read as up.
    EXPECT_EQ(input.IsKeyDown(static_cast<char>(VK_LSHIFT)), 0);

    BringToFront(other.handle);
    EXPECT_EQ(input.IsKeyDown(VK_F1), 0);
    EXPECT_EQ(CWindowInput(nullptr).IsKeyDown(VK_F1), 0x8000);
    SetInputEnabled(0);
    EXPECT_EQ(CWindowInput(nullptr).IsKeyDown(VK_F1), 0);
}

TEST(PadMovePoint, StepsFollowTheKeypadThenClamp) {
    CPadInput pad(0, 0, 640, 480);
    const auto move = [&](int direction, int x, int y, int dx, int dy) {
        pad.MovePoint(direction, x, y, dx, dy);
        return std::pair(x, y);
    };
    // From (100, 100) by (2, 3) for directions 0 to 9; y grows downward.
    const std::pair<int, int> expected[10] = {{100, 100}, {98, 103},  {100, 103}, {102, 103},
                                              {98, 100},  {100, 100}, {102, 100}, {98, 97},
                                              {100, 97},  {102, 97}};
    for (int direction = 0; direction < 10; ++direction)
        EXPECT_EQ(move(direction, 100, 100, 2, 3), expected[direction]) << direction;
    EXPECT_EQ(move(9, 0, 0, 1, 1), std::pair(1, 0));  // y -1 held at the top
    EXPECT_EQ(move(0, 700, 500, 1, 1), std::pair(640, 480));
    pad.SetClampRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // clamps rather than wraps
    EXPECT_EQ(move(9, INT_MAX - 1, INT_MIN + 1, INT_MAX, INT_MAX), std::pair(INT_MAX, INT_MIN));
}

}  // namespace
