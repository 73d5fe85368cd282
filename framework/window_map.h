// The window map: which object serves which window. It ties at most 30 window
// handles to their objects (the main window to the CSystem, secondary windows
// to their CWindow). Safe to use from any thread.
#pragma once

#include "platform/win32.h"

// Records the pair after dropping pairs whose window is gone. Returns 0 when
// the handle is not a window or 30 pairs are live, else 1.
int RegisterWindow(HWND window, void* object);

// The object recorded for the window, or null.
void* FindWindowObject(HWND window);

// Drops the pairs whose window no longer exists, keeping the order of the rest.
void CompactWindowMap();

// A call into the object of a window, made by a window procedure: found
// through the map (compacted first), and kept alive while the call lasts,
// since WithdrawWindowObject waits for it.
class WindowObjectCall {
  public:
    explicit WindowObjectCall(HWND window);
    WindowObjectCall(const WindowObjectCall&) = delete;
    WindowObjectCall& operator=(const WindowObjectCall&) = delete;
    ~WindowObjectCall();

    // Null when the window has no object.
    void* Object() const { return object_; }

  private:
    void* object_ = nullptr;
};

// Drops every pair of the object at once, so no new call reaches it, then
// waits until the calls into it that other threads are making have ended,
// serving messages sent to this thread meanwhile. Calls on this thread are
// not waited for: they are further up its own stack.
void WithdrawWindowObject(const void* object);
