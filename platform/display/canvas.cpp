#include "platform/display/canvas.h"

#include "platform/display/screen.h"

namespace brannock::platform::display {

PixelView Canvas::ViewLocked() const {
    switch (kind_) {
        case Kind::kScreen:
            return ScreenViewLocked();
        case Kind::kBuffer:
        case Kind::kOverlay:
            return buffer_ ? buffer_->View() : PixelView{};
        case Kind::kNone:
            break;
    }
    return PixelView{};
}

CanvasLock::CanvasLock(const Canvas& a, const Canvas& b) {
    if (a.Guarded() || b.Guarded()) lock_ = std::unique_lock(DisplayMutex());
}

}  // namespace brannock::platform::display
