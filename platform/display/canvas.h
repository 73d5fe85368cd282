// Where a drawing call's pixels are: memory of a bitmap or surface of its
// own, or memory the display lock guards (the screen, a window overlay).
#pragma once

#include <memory>
#include <mutex>

#include "platform/display/pixel_buffer.h"

namespace brannock::platform::display {

class Canvas {
  public:
    enum class Kind { kNone, kBuffer, kScreen, kOverlay };

    Canvas() = default;
    static Canvas Buffer(std::shared_ptr<PixelBuffer> buffer) {
        return Canvas(Kind::kBuffer, std::move(buffer));
    }
    static Canvas Screen() { return Canvas(Kind::kScreen, nullptr); }
    static Canvas Overlay(std::shared_ptr<PixelBuffer> buffer) {
        return Canvas(Kind::kOverlay, std::move(buffer));
    }

    bool IsScreen() const { return kind_ == Kind::kScreen; }
    bool Guarded() const { return kind_ == Kind::kScreen || kind_ == Kind::kOverlay; }
    const std::shared_ptr<PixelBuffer>& buffer() const { return buffer_; }

    // The pixels; the caller holds the display lock when Guarded(). Empty
    // (width 0) for kNone.
    PixelView ViewLocked() const;

  private:
    Canvas(Kind kind, std::shared_ptr<PixelBuffer> buffer)
        : kind_(kind), buffer_(std::move(buffer)) {}

    Kind kind_ = Kind::kNone;
    std::shared_ptr<PixelBuffer> buffer_;
};

// Holds the display lock for as long as it lives if either canvas needs it.
class CanvasLock {
  public:
    explicit CanvasLock(const Canvas& a, const Canvas& b = {});

  private:
    std::unique_lock<std::mutex> lock_;
};

}  // namespace brannock::platform::display
