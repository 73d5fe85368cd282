// Host windows: each top-level window shown in an SDL window, drawn into
// the window's surface (straight from the screen when unscaled, scaling
// only in full screen), which costs little even without a GPU, as under Xvfb.
#include "platform/backend/sdl2/host_window.h"

#include <algorithm>
#include <cstring>

#include "platform/backend/sdl2/menu_bar.h"
#include "platform/display/window_area.h"
#include "platform/kernel32/cp932.h"
#include "platform/user32/user32.h"

namespace brannock::platform::sdl2 {
namespace {

// How long after a change of its size or exposure a window shows its frame
// again at each pump: the host may resize its drawable only some frames
// later, and a frame presented before that would stay wrongly placed.
constexpr auto kSettleTime = std::chrono::milliseconds(250);

}  // namespace

std::unique_ptr<HostWindow> HostWindow::Create(HWND window) {
    display::WindowArea area;
    if (!display::LocateWindow(window, area)) return nullptr;
    SDL_Window* sdlWindow = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                             std::max(area.HostWidth(), 1),
                                             std::max(area.HostHeight(), 1), SDL_WINDOW_HIDDEN);
    if (!sdlWindow) return nullptr;
    std::unique_ptr<HostWindow> host(new HostWindow(window, sdlWindow));
    host->Sync();
    return host;
}

HostWindow::HostWindow(HWND window, SDL_Window* sdlWindow)
    : window_(window), sdlWindow_(sdlWindow) {}

HostWindow::~HostWindow() {
    SDL_DestroyWindow(sdlWindow_);
}

void HostWindow::Sync() {
    display::WindowArea area;
    if (!display::LocateWindow(window_, area)) return;
    if (!fullScreen_) {
        int width = 0, height = 0;
        SDL_GetWindowSize(sdlWindow_, &width, &height);
        if (width != area.HostWidth() || height != area.HostHeight()) {
            SDL_SetWindowSize(sdlWindow_, std::max(area.HostWidth(), 1),
                              std::max(area.HostHeight(), 1));
            Expose();
        }
    }
    std::string title(static_cast<std::size_t>(GetWindowTextLengthA(window_)) + 1, '\0');
    title.resize(static_cast<std::size_t>(
        GetWindowTextA(window_, title.data(), static_cast<int>(title.size()))));
    if (title != title_) {
        title_ = std::move(title);
        SDL_SetWindowTitle(sdlWindow_, Cp932ToUtf8(title_).c_str());
    }
    const bool visible = IsWindowVisible(window_) != FALSE;
    if (visible != visible_) {
        visible_ = visible;
        if (visible)
            SDL_ShowWindow(sdlWindow_);
        else
            SDL_HideWindow(sdlWindow_);
    }
    // A menu bar that went away takes its drop-down with it.
    if (!GetMenu(window_)) CloseMenu();
    Refresh();
}

void HostWindow::SetFullScreen(bool on) {
    if (on == fullScreen_) return;
    fullScreen_ = on;
    CloseMenu();
    SDL_SetWindowFullscreen(sdlWindow_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    Expose();
    Sync();
}

void HostWindow::OpenMenu(int item, HMENU popup, int left) {
    menu_.Close();
    if (popup) menu_.Open(popup, left, GetSystemMetrics(SM_CYMENU));
    openMenuItem_.store(item);
    menuDirty_ = true;
    Refresh();
}

void HostWindow::CloseMenu() {
    if (openMenuItem_.load() < 0 && !menu_.IsOpen()) return;
    menu_.Close();
    openMenuItem_.store(-1);
    menuDirty_ = true;
    Refresh();
}

void HostWindow::Expose() {
    presentAgainUntil_ = std::chrono::steady_clock::now() + kSettleTime;
}

void HostWindow::Render() {
    if (!visible_) return;
    bool again = std::chrono::steady_clock::now() < presentAgainUntil_;
    if (menuDirty_) {
        menuDirty_ = false;
        again = true;
    }
    if (!fresh_.exchange(false) && !again) return;
    // SDL makes the surface anew after the window's size changed.
    SDL_Surface* target = SDL_GetWindowSurface(sdlWindow_);
    if (!target) return;
    if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return;
    const bool drawn = DrawFrame(*target);
    if (drawn) {
        for (const DropDown& list : menu_.Lists())
            Draw(*target, list.Pixels(), list.Width(), list.Height(), list.Left(), list.Top());
    }
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
    if (!drawn) return;
    FillBars(*target);
    SDL_UpdateWindowSurface(sdlWindow_);
}

bool HostWindow::DrawFrame(SDL_Surface& target) {
    display::WindowArea area;
    if (!display::LocateWindow(window_, area) || area.HostWidth() <= 0 || area.HostHeight() <= 0)
        return false;
    const auto paintMenuBar = [this](const display::PixelView& bar) {
        PaintMenuBar(window_, bar, openMenuItem_.load());
    };
    Place(area.HostWidth(), area.HostHeight(), target.w, target.h);
    const bool scaled = frameRect_.w != frameWidth_ || frameRect_.h != frameHeight_;
    if (!scaled && target.format->format == SDL_PIXELFORMAT_RGB888) {
        // One copy from the screen, the window's part of the surface only.
        const display::PixelView out{
            static_cast<std::uint8_t*>(target.pixels) +
                static_cast<std::ptrdiff_t>(frameRect_.y) * target.pitch + frameRect_.x * 4,
            target.pitch, std::min(frameRect_.w, target.w - frameRect_.x),
            std::min(frameRect_.h, target.h - frameRect_.y), display::PixelFormat::kXrgb8888};
        display::DrawWindowImage(window_, area, out, paintMenuBar);
        return true;
    }
    if (!display::ReadWindowImage(window_, frame_, paintMenuBar) || frame_.width <= 0 ||
        frame_.height <= 0)
        return false;
    // The window may have changed its size since it was located.
    Place(frame_.width, frame_.height, target.w, target.h);
    Draw(target, frame_.pixels.data(), frame_.width, frame_.height, 0, 0);
    return true;
}

void HostWindow::Place(int frameWidth, int frameHeight, int targetWidth, int targetHeight) {
    frameWidth_ = frameWidth;
    frameHeight_ = frameHeight;
    if (!fullScreen_) {
        // The window is the frame's size; a frame of another size (the
        // window is being resized) is shown from the top left corner.
        frameRect_ = {0, 0, frameWidth, frameHeight};
    } else {
        // As large as fits, keeping the frame's shape: bars at the sides or
        // at the top and bottom.
        const long long byWidth = static_cast<long long>(targetWidth) * frameHeight;
        const long long byHeight = static_cast<long long>(targetHeight) * frameWidth;
        int w = targetWidth, h = targetHeight;
        if (byWidth > byHeight)
            w = static_cast<int>(byHeight / frameHeight);
        else
            h = static_cast<int>(byWidth / frameWidth);
        frameRect_ = {(targetWidth - w) / 2, (targetHeight - h) / 2, std::max(w, 1),
                      std::max(h, 1)};
    }
    if (columns_.size() == static_cast<std::size_t>(frameRect_.w) && scaledFrom_ == frameWidth)
        return;
    // Nearest-neighbour scaling: the frame column each shown column takes.
    scaledFrom_ = frameWidth;
    columns_.resize(static_cast<std::size_t>(frameRect_.w));
    for (int x = 0; x < frameRect_.w; ++x)
        columns_[static_cast<std::size_t>(x)] =
            static_cast<int>(static_cast<long long>(x) * frameWidth / frameRect_.w);
    row_.resize(columns_.size());
}

void HostWindow::Draw(SDL_Surface& target, const std::uint32_t* pixels, int width, int height,
                      int left, int top) {
    const bool scaled = frameRect_.w != frameWidth_ || frameRect_.h != frameHeight_;
    // The image's rectangle in frame pixels, then in the target's.
    const int x0 =
        frameRect_.x + static_cast<int>(static_cast<long long>(left) * frameRect_.w / frameWidth_);
    const int x1 = frameRect_.x + static_cast<int>(static_cast<long long>(left + width) *
                                                   frameRect_.w / frameWidth_);
    const int y0 =
        frameRect_.y + static_cast<int>(static_cast<long long>(top) * frameRect_.h / frameHeight_);
    const int y1 = frameRect_.y + static_cast<int>(static_cast<long long>(top + height) *
                                                   frameRect_.h / frameHeight_);
    const int firstX = std::max(x0, 0), lastX = std::min(x1, target.w);
    if (firstX >= lastX) return;
    auto* out = static_cast<std::uint8_t*>(target.pixels);
    const int bytes = target.format->BytesPerPixel;
    const std::size_t rowBytes = static_cast<std::size_t>(lastX - firstX) * bytes;
    int previousY = -1;
    for (int y = std::max(y0, 0); y < std::min(y1, target.h); ++y) {
        // The image row this target row shows (rounding may point just
        // outside the image at its edges).
        const int imageY = std::clamp(static_cast<int>(static_cast<long long>(y - frameRect_.y) *
                                                       frameHeight_ / frameRect_.h) -
                                          top,
                                      0, height - 1);
        std::uint8_t* to = out + static_cast<std::ptrdiff_t>(y) * target.pitch + firstX * bytes;
        if (imageY == previousY) {  // scaled up: the row above shows the same
            std::memcpy(to, to - target.pitch, rowBytes);
            continue;
        }
        previousY = imageY;
        const std::uint32_t* source = pixels + static_cast<std::ptrdiff_t>(imageY) * width;
        const std::uint32_t* run = source + (firstX - x0);
        if (scaled) {
            for (int x = firstX; x < lastX; ++x) {
                const int imageX = columns_[static_cast<std::size_t>(x - frameRect_.x)] - left;
                row_[static_cast<std::size_t>(x - firstX)] =
                    source[std::clamp(imageX, 0, width - 1)];
            }
            run = row_.data();
        }
        SDL_ConvertPixels(lastX - firstX, 1, SDL_PIXELFORMAT_RGB888, run, width * 4,
                          target.format->format, to, target.pitch);
    }
}

void HostWindow::FillBars(SDL_Surface& target) {
    const SDL_Rect& f = frameRect_;
    const SDL_Rect bars[] = {
        {0, 0, target.w, f.y},
        {0, f.y + f.h, target.w, target.h - (f.y + f.h)},
        {0, f.y, f.x, f.h},
        {f.x + f.w, f.y, target.w - (f.x + f.w), f.h},
    };
    for (const SDL_Rect& bar : bars)
        if (bar.w > 0 && bar.h > 0) SDL_FillRect(&target, &bar, SDL_MapRGB(target.format, 0, 0, 0));
}

SDL_Point HostWindow::FramePoint(int x, int y) const {
    if (frameRect_.w <= 0 || frameRect_.h <= 0) return {x, y};
    return {
        static_cast<int>(static_cast<long long>(x - frameRect_.x) * frameWidth_ / frameRect_.w),
        static_cast<int>(static_cast<long long>(y - frameRect_.y) * frameHeight_ / frameRect_.h)};
}

}  // namespace brannock::platform::sdl2
