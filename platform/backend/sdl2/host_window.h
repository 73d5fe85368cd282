// The host window of one top-level window: an SDL window showing the
// client area (under the menu bar when a menu is attached) as the screen
// holds it when the window is next drawn, the open menu lists, and full
// screen as SDL's desktop full screen with the display mode's screen scaled
// and letterboxed. Everything but Refresh and Handle runs on the thread that
// started SDL.
#pragma once

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend/sdl2/menu_cascade.h"
#include "platform/display/host_image.h"
#include "platform/windef.h"

namespace brannock::platform::sdl2 {

class HostWindow {
  public:
    // Null when SDL cannot make the window.
    static std::unique_ptr<HostWindow> Create(HWND window);
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    ~HostWindow();

    HWND Handle() const { return window_; }
    Uint32 SdlId() const { return SDL_GetWindowID(sdlWindow_); }

    // Any thread: what the window shows changed; the next Render draws it.
    void Refresh() { fresh_.store(true); }

    // Follows the window's size, title and visibility.
    void Sync();
    void SetFullScreen(bool on);
    // Draws the window when it changed since the last time, and at every
    // call for a short while after Expose (the host lost the window's pixels
    // or changed its size).
    void Render();
    void Expose();

    // The menu bar item shown open (-1: none) and its lists.
    int OpenMenuItem() const { return openMenuItem_.load(); }
    void OpenMenu(int item, HMENU popup, int left);
    void CloseMenu();
    MenuCascade& Menu() { return menu_; }
    // The lists or their pixels changed.
    void MenuChanged() { menuDirty_ = true; }

    // A position in the host window in pixels of the shown frame (they
    // differ in full screen, where the frame is scaled).
    SDL_Point FramePoint(int x, int y) const;

  private:
    HostWindow(HWND window, SDL_Window* sdlWindow);
    // Where a frame of this size goes in a window surface of that size,
    // and the scaling tables for it.
    void Place(int frameWidth, int frameHeight, int targetWidth, int targetHeight);
    // Draws the frame into the surface, straight from the screen when the
    // surface takes 0x00RRGGBB rows unscaled. False when the window is gone.
    bool DrawFrame(SDL_Surface& target);
    // Draws an image given in frame pixels (0x00RRGGBB rows) at its place.
    void Draw(SDL_Surface& target, const std::uint32_t* pixels, int width, int height, int left,
              int top);
    // Blackens what the frame does not cover.
    void FillBars(SDL_Surface& target);

    HWND window_;
    SDL_Window* sdlWindow_;
    std::atomic<bool> fresh_{true};  // changed since last drawn
    display::HostImage frame_;       // the frame, when it must be converted or scaled
    int frameWidth_ = 0;             // the size of the frame last drawn
    int frameHeight_ = 0;
    SDL_Rect frameRect_{};            // where it is shown in the window surface
    std::vector<int> columns_;        // the frame column of each shown column
    int scaledFrom_ = 0;              // the frame width columns_ was made for
    std::vector<std::uint32_t> row_;  // one scaled row
    std::string title_;               // as last set, code page 932
    bool visible_ = false;
    bool fullScreen_ = false;
    std::atomic<int> openMenuItem_{-1};
    MenuCascade menu_;
    bool menuDirty_ = false;
    std::chrono::steady_clock::time_point presentAgainUntil_{};
};

}  // namespace brannock::platform::sdl2
