// Helpers of the DirectDraw and GDI tests: COM pointers, surfaces of a chosen
// depth, raw pixel access through Lock, and a backend that records what the
// display tells it.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/backend/backend_override.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/backend/settings.h"
#include "platform/win32.h"

namespace brannock::test {

struct ComRelease {
    void operator()(IUnknown* object) const {
        if (object) object->Release();
    }
};
template <class T>
using Com = std::unique_ptr<T, ComRelease>;

inline Com<IDirectDraw7> CreateDirectDraw(HWND window = nullptr, DWORD level = DDSCL_NORMAL) {
    void* object = nullptr;
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DD_OK);
    Com<IDirectDraw7> directDraw(static_cast<IDirectDraw7*>(object));
    if (directDraw) {
        EXPECT_EQ(directDraw->SetCooperativeLevel(window, level), DD_OK);
    }
    return directDraw;
}

inline DDSURFACEDESC2 Description() {
    DDSURFACEDESC2 desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    return desc;
}

inline DDBLTFX Effects() {
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    return fx;
}

// An off-screen plain surface; `bits` 16 (R5G6B5) or 32 (X8R8G8B8), or 0 for
// the display's format.
inline Com<IDirectDrawSurface7> CreatePlain(IDirectDraw7* directDraw, int width, int height,
                                            int bits = 0) {
    DDSURFACEDESC2 desc = Description();
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    if (bits) {
        desc.dwFlags |= DDSD_PIXELFORMAT;
        DDPIXELFORMAT& format = desc.ddpfPixelFormat;
        format.dwSize = sizeof format;
        format.dwFlags = DDPF_RGB;
        format.dwRGBBitCount = static_cast<DWORD>(bits);
        format.dwRBitMask = bits == 16 ? 0xF800 : 0xFF0000;
        format.dwGBitMask = bits == 16 ? 0x07E0 : 0x00FF00;
        format.dwBBitMask = bits == 16 ? 0x001F : 0x0000FF;
    }
    IDirectDrawSurface7* surface = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DD_OK);
    return Com<IDirectDrawSurface7>(surface);
}

// The primary surface, with a flip chain of `backBuffers` when not 0.
inline Com<IDirectDrawSurface7> CreatePrimary(IDirectDraw7* directDraw, int backBuffers = 0) {
    DDSURFACEDESC2 desc = Description();
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (backBuffers) {
        desc.dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        desc.dwBackBufferCount = static_cast<DWORD>(backBuffers);
    }
    IDirectDrawSurface7* surface = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DD_OK);
    return Com<IDirectDrawSurface7>(surface);
}

// Raw pixel values of a whole surface, read or written through Lock.
inline std::vector<DWORD> ReadPixels(IDirectDrawSurface7* surface) {
    DDSURFACEDESC2 desc = Description();
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
    const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
    std::vector<DWORD> pixels;
    for (DWORD y = 0; y < desc.dwHeight; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(desc.lpSurface) + y * desc.lPitch;
        for (DWORD x = 0; x < desc.dwWidth; ++x) {
            DWORD value = 0;
            std::memcpy(&value, row + x * bytes, bytes);
            pixels.push_back(value);
        }
    }
    surface->Unlock(nullptr);
    return pixels;
}

template <class PixelAt>
void WritePixels(IDirectDrawSurface7* surface, PixelAt pixelAt) {
    DDSURFACEDESC2 desc = Description();
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
    for (DWORD y = 0; y < desc.dwHeight; ++y) {
        auto* row = static_cast<std::uint8_t*>(desc.lpSurface) + y * desc.lPitch;
        for (DWORD x = 0; x < desc.dwWidth; ++x) {
            const DWORD value = pixelAt(static_cast<int>(x), static_cast<int>(y));
            std::memcpy(row + x * bytes, &value, bytes);
        }
    }
    surface->Unlock(nullptr);
}

inline void FillSurface(IDirectDrawSurface7* surface, DWORD value) {
    DDBLTFX fx = Effects();
    fx.dwFillColor = value;
    ASSERT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
}

// A visible top-level window on this thread; `menu` attaches a menu bar.
inline HWND CreateTestWindow(int x, int y, int width, int height, bool menu = false) {
    static const ATOM atom = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "BrannockDisplayTest";
        return RegisterClassExA(&windowClass);
    }();
    EXPECT_NE(atom, 0);
    HMENU bar = nullptr;
    if (menu) {
        bar = CreateMenu();
        InsertMenuA(bar, 0, MF_BYPOSITION | MF_STRING, 1, "File");
    }
    const HWND window =
        CreateWindowExA(0, "BrannockDisplayTest", "test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                        width, height, nullptr, bar, nullptr, nullptr);
    EXPECT_NE(window, nullptr);
    return window;
}

// The window's client area in screen coordinates.
inline RECT ClientOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

// Records the display's notifications and otherwise behaves as headless.
class RecordingBackend : public platform::Backend {
  public:
    // Installs a recorder as the process's backend; it lives until the end.
    static RecordingBackend& Install() {
        auto backend = std::make_unique<RecordingBackend>();
        RecordingBackend& recorder = *backend;
        platform::InstallBackend(std::move(backend));
        return recorder;
    }

    std::vector<RECT> ScreenUpdates() {
        std::lock_guard lock(mutex_);
        return screenUpdates_;
    }
    std::vector<HWND> OverlayUpdates() {
        std::lock_guard lock(mutex_);
        return overlayUpdates_;
    }
    std::vector<HWND> ModeChanges() {
        std::lock_guard lock(mutex_);
        return modeChanges_;
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        screenUpdates_.clear();
        overlayUpdates_.clear();
        modeChanges_.clear();
    }

    const char* Name() const override { return "recording"; }
    void WindowCreated(HWND window) override { inner_->WindowCreated(window); }
    void WindowDestroyed(HWND window) override { inner_->WindowDestroyed(window); }
    void WindowChanged(HWND window) override { inner_->WindowChanged(window); }
    void ScreenUpdated(const RECT& rect) override {
        std::lock_guard lock(mutex_);
        screenUpdates_.push_back(rect);
    }
    void OverlayUpdated(HWND window) override {
        std::lock_guard lock(mutex_);
        overlayUpdates_.push_back(window);
    }
    void DisplayModeChanged(HWND window) override {
        std::lock_guard lock(mutex_);
        modeChanges_.push_back(window);
    }
    void PumpEvents() override { inner_->PumpEvents(); }
    int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                       UINT type) override {
        return inner_->ShowMessageBox(owner, text, caption, type);
    }
    bool ReadJoystick(UINT id, platform::JoystickReading& reading) override {
        return inner_->ReadJoystick(id, reading);
    }

  private:
    std::unique_ptr<platform::Backend> inner_ =
        platform::CreateHeadlessBackend(platform::ProcessSettings());
    std::mutex mutex_;
    std::vector<RECT> screenUpdates_;
    std::vector<HWND> overlayUpdates_;
    std::vector<HWND> modeChanges_;
};

inline bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace brannock::test
