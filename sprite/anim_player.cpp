#include "sprite/anim_player.h"

#include <climits>
#include <cstdint>
#include <cstdio>

namespace {

LONG ClampToLong(std::int64_t value) {
    if (value < INT32_MIN) return INT32_MIN;
    if (value > INT32_MAX) return INT32_MAX;
    return static_cast<LONG>(value);
}

}  // namespace

void CAnimPlayer::LoadFrame(int index) {
    const Animation::Frame frame = anim->GetFrame(index);
    image = frame.image;
    wait = frame.wait;
    negHalfWidth = frame.negHalfWidth;
    negHalfHeight = frame.negHalfHeight;
    offsetX = frame.offsetX;
    offsetY = frame.offsetY;
}

void CAnimPlayer::Start(Animation* animation, int anchorX, int anchorY) {
    // An animation without frames has nothing to show: treated like none.
    if (animation == nullptr || animation->FrameCount() == 0) {
        active = 0;
        return;
    }
    active = 1;
    anim = animation;
    counter = 1;
    frameIndex = 0;
    LoadFrame(0);
    x = anchorX;
    y = anchorY;
    frameCount = animation->FrameCount();
    finished = 0;
}

int CAnimPlayer::Restart() {
    counter = 1;
    frameIndex = 0;
    finished = 0;
    return Update();
}

int CAnimPlayer::Update() {
    if (active == 0) return -1;

    int result = image;
    if (counter < INT_MAX) ++counter;  // a held last frame counts on
    if (counter > wait) {
        // The second test only matters if the animation lost frames while
        // playing; frames are never read beyond its lists.
        if (frameIndex < frameCount && frameIndex < anim->FrameCount()) {
            LoadFrame(frameIndex);
            result = image;
            ++frameIndex;
            counter = 0;
        } else {
            finished = 1;
        }
    }

    // A link to an animation without frames cannot be followed: the
    // animation then ends as if it had no link.
    Animation* const next = finished == 1 ? anim->jump : nullptr;
    if (next != nullptr && next->FrameCount() > 0) {
        if (next != anim) {
            anim = next;
            frameCount = next->FrameCount();
        }
        counter = 0;
        frameIndex = 0;
        finished = 0;
        LoadFrame(0);
        result = image;
    }

    Trace();
    return result;
}

void CAnimPlayer::Trace() const {
    char line[64];
    std::snprintf(line, sizeof line, "Num=%d Counter=%d flag=%d\n", frameIndex, counter, finished);
    OutputDebugStringA(line);
}

POINT* CAnimPlayer::GetDrawPosition(POINT* point, int mirrored) const {
    if (point == nullptr) return nullptr;
    const std::int64_t offset = mirrored != 0 ? -std::int64_t{offsetX} : offsetX;
    point->x = ClampToLong(std::int64_t{x} + offset + negHalfWidth);
    point->y = ClampToLong(std::int64_t{y} + offsetY + negHalfHeight);
    return point;
}
