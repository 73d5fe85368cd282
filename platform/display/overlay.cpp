#include "platform/display/overlay.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "platform/display/screen.h"

namespace brannock::platform::display {

namespace {

// Never destroyed: static objects' destructors may still draw or release.
std::map<HWND, std::shared_ptr<PixelBuffer>>& Overlays() {
    static auto* overlays = new std::map<HWND, std::shared_ptr<PixelBuffer>>;
    return *overlays;
}

}  // namespace

std::shared_ptr<PixelBuffer> OverlayLocked(HWND window, int width, int height) {
    auto& slot = Overlays()[window];
    if (slot && slot->Width() == width && slot->Height() == height) return slot;
    auto resized = PixelBuffer::Create(width, height, PixelFormat::kArgb8888);
    if (resized && slot) {
        const PixelView from = slot->View(), to = resized->View();
        const int rows = std::min(from.height, to.height);
        const std::size_t bytes = static_cast<std::size_t>(std::min(from.width, to.width)) * 4;
        for (int y = 0; y < rows; ++y)
            std::memcpy(to.Row(y), from.Row(y), bytes);
    }
    if (!resized) {
        Overlays().erase(window);
        return nullptr;
    }
    slot = resized;
    return resized;
}

std::shared_ptr<PixelBuffer> FindOverlayLocked(HWND window) {
    const auto& overlays = Overlays();
    const auto found = overlays.find(window);
    return found == overlays.end() ? nullptr : found->second;
}

void PruneOverlays(bool (*alive)(HWND)) {
    std::vector<HWND> windows;
    {
        std::lock_guard lock(DisplayMutex());
        for (const auto& entry : Overlays())
            windows.push_back(entry.first);
    }
    std::vector<HWND> dead;
    for (HWND window : windows) {
        if (!alive(window)) dead.push_back(window);
    }
    std::lock_guard lock(DisplayMutex());
    for (HWND window : dead)
        Overlays().erase(window);
}

void DropOverlay(HWND window) {
    std::lock_guard lock(DisplayMutex());
    Overlays().erase(window);
}

}  // namespace brannock::platform::display
