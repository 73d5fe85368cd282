// CSystem: the application object. One per process; it owns the run of the
// program (main window, message loop, game thread) and calls a game back
// through its virtual hooks.
#pragma once

#include <atomic>

#include "platform/win32.h"

class CSystem;
class CWindow;
struct MenuItem;
struct WindowRequest;

// The plain procedures a game may hand to the constructor instead of deriving.
using SystemProc = void (*)(CSystem* system);

class CSystem {
  public:
    CSystem();
    CSystem(SystemProc init, SystemProc main);
    CSystem(const CSystem&) = delete;
    CSystem& operator=(const CSystem&) = delete;

    // Hooks, in their fixed slot order. Message hooks (OnClose to
    // OnSysKeyUp) run on the window thread; MainLoop runs on the game thread
    // in threaded mode and on the window thread otherwise.
    virtual int GameThreadMain();    // calls MainLoop; returns 0
    virtual int SingleThreadMain();  // calls MainLoop, dropping an int exception; returns 1
    virtual void Init();             // calls initProc when set
    virtual void MainLoop();         // calls mainProc, or idles while threaded is set
    virtual int OnClose();           // 1 allows the close
    virtual void OnCommand(int notifyCode, int id, HWND control);
    virtual HICON GetIcon();
    virtual int OnHitTest(int x, int y);  // 0 lets the system answer
    virtual void OnKillFocus();
    virtual void OnSetFocus();
    virtual void OnTimer(UINT_PTR timerId);
    virtual void OnUser(WPARAM wParam, LPARAM lParam);
    virtual void OnKeyDown(int virtualKey);
    virtual void OnKeyUp(int virtualKey);
    virtual void OnMove(int x, int y);
    virtual void OnSize(int width, int height);
    virtual void OnChar(int character);  // signed: Shift-JIS lead bytes arrive negative
    virtual void OnMouse(int x, int y, int leftDown, int rightDown);
    virtual void OnPaint(HDC dc);
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnDestroy();
    virtual void OnActivate(int minimized);
    virtual void OnSetCursor();
    virtual void OnGetMinMaxInfo();
    virtual void OnMciNotify();
    virtual void OnSysKeyDown(int virtualKey);
    virtual void OnSysKeyUp(int virtualKey);
    virtual int Run(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                    int showCommand);

    // Destroys no window, menu or thread; the instance count drops and
    // g_pSystem no longer names this object.
    virtual ~CSystem();

    // Lifecycle and threads.
    void RequestClose();    // either thread: close the main window, then stop the game thread
    void StopGameThread();  // either thread; on the game thread it does not return
    void SetThreaded(int value);
    HWND GetWindowHandle();
    HINSTANCE GetInstance();
    void SetTitle(const char* text);

    // Message pumps and frame pacing.
    int PumpMessages();      // non-blocking; 0 once the program ends
    int PumpMessagesWait();  // blocking; returns when the program ends
    void WaitFrame(int framesPerSecond);

    // Main window state.
    int FixedSize(int mode);  // 0 clears, 1 sets, other values only read
    void ResetMouse();

    // Window geometry and menus.
    void SetWindowRect(int x, int y, int width, int height);
    void SetWindowStyle(DWORD style);
    BOOL SetClientSize(int width, int height);
    BOOL MoveWindowTo(int x, int y);
    BOOL SetMenuByName(LPCSTR name);
    BOOL SetMenuHandle(HMENU handle);
    HMENU BuildMenu(const MenuItem* table, int count, int popup);
    char* GetProgramName();

    // Secondary windows.
    void QueueWindow(int kind, const WindowRequest* request, CWindow* object);
    int ProcessWindowRequest();

    // Flags that either thread may write are atomic words.
    std::atomic<int> noWait{0};
    std::atomic<int> threaded{1};
    std::atomic<int> dragByClient{0};
    std::atomic<int> centreOnResize{1};
    HMENU menu = nullptr;
    std::atomic<int> fixedSize{0};
    char commandLine[256] = {};
    HANDLE gameThread = nullptr;
    SystemProc initProc = nullptr;
    SystemProc mainProc = nullptr;
};
