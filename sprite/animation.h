// Animation: one named animation of a sprite set, its frames kept as
// parallel per-attribute lists (a frame is an index into all of them).
#pragma once

#include <string>
#include <vector>

struct Animation {
    // Room for a jump target of up to 31 characters and its terminator.
    static constexpr int kJumpNameSize = 32;

    // One frame's values, as an image line gives them.
    struct Frame {
        int image = -1;   // image handle, -1 when the bitmap did not load
        int offsetX = 0;  // centre relative to the anchor (negated when mirrored)
        int offsetY = 0;
        int negHalfWidth = 0;  // minus half the bitmap's size, rounded toward zero
        int negHalfHeight = 0;
        int wait = 0;   // player steps the frame stays, less one
        int user1 = 0;  // free values stored with the frame
        int user2 = 0;
    };

    std::string name;
    std::vector<int> image;
    std::vector<int> offsetX;
    std::vector<int> offsetY;
    std::vector<int> negHalfWidth;
    std::vector<int> negHalfHeight;
    std::vector<int> wait;
    std::vector<int> user1;
    std::vector<int> user2;
    // The section this animation goes on with after its last frame; empty
    // for none. Upper case, as the JUMP directive stores it.
    char jumpName[kJumpNameSize] = {};
    // The resolved link: null until CSpriteSet::Find resolves it (or when the
    // target does not exist), then the target animation.
    Animation* jump = nullptr;

    void AddFrame(const Frame& frame);
    // Number of complete frames (entries present in every list).
    int FrameCount() const;
    // Frame `index`, which must be below FrameCount().
    Frame GetFrame(int index) const;
};
