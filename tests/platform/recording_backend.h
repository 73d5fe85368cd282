// A backend that records what the platform tells it, one line per call, and
// otherwise behaves as the headless one.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/backend/backend_override.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/backend/settings.h"
#include "platform/win32.h"

namespace brannock::test {

// "left,top,right,bottom", as the recorder writes rectangles.
inline std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

class RecordingBackend final : public platform::Backend {
  public:
    // Installs a recorder as the process's backend; it lives until the end.
    static RecordingBackend& Install() {
        auto backend = std::make_unique<RecordingBackend>();
        RecordingBackend& recorder = *backend;
        platform::InstallBackend(std::move(backend));
        return recorder;
    }

    // The lines recorded since the last Clear that start with `prefix`.
    std::vector<std::string> Events(const std::string& prefix = "") {
        std::lock_guard lock(mutex_);
        std::vector<std::string> wanted;
        for (const std::string& event : events_)
            if (event.rfind(prefix, 0) == 0) wanted.push_back(event);
        return wanted;
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        events_.clear();
    }

    const char* Name() const override { return "recording"; }
    void WindowCreated(HWND window) override {
        Add("created");
        inner_->WindowCreated(window);
    }
    void WindowDestroyed(HWND window) override {
        Add("destroyed");
        inner_->WindowDestroyed(window);
    }
    void WindowChanged(HWND window) override {
        char title[64] = {};
        GetWindowTextA(window, title, sizeof title);
        Add(std::string("changed ") + title);
    }
    void ScreenUpdated(const RECT& rect) override { Add("screen " + RectText(rect)); }
    void OverlayUpdated(HWND) override { Add("overlay"); }
    void DisplayModeChanged(HWND window) override {
        Add(window ? "mode full screen" : "mode desktop");
    }
    void FramePresented() override { Add("present"); }
    void FramePaced(int framesPerSecond) override {
        Add("paced " + std::to_string(framesPerSecond));
    }
    void PumpEvents() override {
        ++pumps_;
        inner_->PumpEvents();
    }
    // How often the platform has let it pump, on any thread.
    int Pumps() const { return pumps_; }
    int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                       UINT type) override {
        Add("box " + caption + ": " + text);
        return inner_->ShowMessageBox(owner, text, caption, type);
    }
    bool ReadJoystick(UINT id, platform::JoystickReading& reading) override {
        return inner_->ReadJoystick(id, reading);
    }

  private:
    void Add(std::string event) {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }

    std::unique_ptr<platform::Backend> inner_ =
        platform::CreateHeadlessBackend(platform::ProcessSettings());
    std::mutex mutex_;
    std::vector<std::string> events_;
    std::atomic<int> pumps_{0};
};

}  // namespace brannock::test
