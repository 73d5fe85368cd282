#include "platform/backend/sdl2/host_window.h"

#include <algorithm>

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
    SDL_Window* sdlWindow = SDL_CreateWindow(
        "", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, std::max(area.HostWidth(), 1),
        std::max(area.HostHeight(), 1), SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!sdlWindow) return nullptr;
    SDL_Renderer* renderer = SDL_CreateRenderer(sdlWindow, -1, 0);
    if (!renderer) renderer = SDL_CreateRenderer(sdlWindow, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) {
        SDL_DestroyWindow(sdlWindow);
        return nullptr;
    }
    std::unique_ptr<HostWindow> host(new HostWindow(window, sdlWindow, renderer));
    host->Sync();
    return host;
}

HostWindow::HostWindow(HWND window, SDL_Window* sdlWindow, SDL_Renderer* renderer)
    : window_(window), sdlWindow_(sdlWindow), renderer_(renderer) {}

HostWindow::~HostWindow() {
    DestroyMenuTextures();
    if (frameTexture_) SDL_DestroyTexture(frameTexture_);
    SDL_DestroyRenderer(renderer_);
    SDL_DestroyWindow(sdlWindow_);
}

void HostWindow::Refresh() {
    mailbox_.Write([this](display::HostImage& image) {
        return display::ReadWindowImage(window_, image, [this](display::HostImage& bar) {
            PaintMenuBar(window_, bar, openMenuItem_.load());
        });
    });
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

// Puts the shown frame into the frame texture, made anew when the size
// changed.
bool HostWindow::Upload() {
    if (shown_.width <= 0 || shown_.height <= 0) return false;
    if (!frameTexture_ || textureWidth_ != shown_.width || textureHeight_ != shown_.height) {
        if (frameTexture_) SDL_DestroyTexture(frameTexture_);
        frameTexture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888,
                                          SDL_TEXTUREACCESS_STREAMING, shown_.width, shown_.height);
        if (!frameTexture_) return false;
        textureWidth_ = shown_.width;
        textureHeight_ = shown_.height;
        // Full screen shows the frame scaled and letterboxed; in a window
        // the scale is 1. Mouse positions come back in frame pixels.
        SDL_RenderSetLogicalSize(renderer_, shown_.width, shown_.height);
    }
    return SDL_UpdateTexture(frameTexture_, nullptr, shown_.pixels.data(), shown_.width * 4) == 0;
}

void HostWindow::DestroyMenuTextures() {
    for (SDL_Texture* texture : menuTextures_)
        if (texture) SDL_DestroyTexture(texture);
    menuTextures_.clear();
}

void HostWindow::Expose() {
    presentAgainUntil_ = std::chrono::steady_clock::now() + kSettleTime;
}

void HostWindow::Render() {
    if (!visible_) return;
    bool again = std::chrono::steady_clock::now() < presentAgainUntil_;
    const bool fresh = mailbox_.Take(shown_) && Upload();
    if (menuDirty_) {
        menuDirty_ = false;
        again = true;
        DestroyMenuTextures();
        for (const DropDown& list : menu_.Lists()) {
            SDL_Texture* texture =
                SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STATIC,
                                  list.Width(), list.Height());
            if (texture) SDL_UpdateTexture(texture, nullptr, list.Pixels(), list.Width() * 4);
            menuTextures_.push_back(texture);
        }
    }
    if (!fresh && !again) return;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    if (frameTexture_) SDL_RenderCopy(renderer_, frameTexture_, nullptr, nullptr);
    const auto& lists = menu_.Lists();
    for (std::size_t i = 0; i < menuTextures_.size() && i < lists.size(); ++i) {
        if (!menuTextures_[i]) continue;
        const SDL_Rect where{lists[i].Left(), lists[i].Top(), lists[i].Width(), lists[i].Height()};
        SDL_RenderCopy(renderer_, menuTextures_[i], nullptr, &where);
    }
    SDL_RenderPresent(renderer_);
}

}  // namespace brannock::platform::sdl2
