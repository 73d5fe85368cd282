// CAnimPlayer: plays one Animation of a sprite set, one step per Update.
// A frame of wait W stays W + 1 steps (the first frame of a start is shown
// once more before the second follows). After the last frame the player
// follows the animation's jump link, or holds the last frame and reports
// IsFinished.
#pragma once

#include "platform/win32.h"
#include "sprite/animation.h"

class CAnimPlayer {
  public:
    CAnimPlayer() = default;

    // Starts `animation` afresh with its anchor at (x, y). A null animation,
    // or one without frames, makes the player inactive and leaves the rest
    // of its state as it was.
    void Start(Animation* animation, int x, int y);
    // Rewinds the current animation to its start and performs one Update.
    int Restart();
    // Advances one step and returns the image handle to draw now, or -1 when
    // the player is inactive. Sends "Num=%d Counter=%d flag=%d" (next frame,
    // counter, finished) to the debugger output.
    int Update();
    // Fills `point` with the top-left corner at which to draw the current
    // image so that its centre lies at the anchor plus the frame's offset,
    // the x offset reflected when `mirrored` is non-zero. Returns `point`.
    POINT* GetDrawPosition(POINT* point, int mirrored) const;
    // Non-zero once the last frame has run out with no link to follow.
    int IsFinished() const { return finished; }
    // True when `animation` is the current one, finished or not, active or not.
    bool IsPlaying(const Animation* animation) const { return animation == anim; }

    bool IsActive() const { return active != 0; }
    Animation* GetAnimation() const { return anim; }
    int GetFrameIndex() const { return frameIndex; }  // next frame to load
    int GetCounter() const { return counter; }        // steps since the frame was loaded
    int GetFrameCount() const { return frameCount; }

  private:
    // Copies frame `index` of the current animation into the loaded frame.
    void LoadFrame(int index);
    void Trace() const;

    int active = 0;
    int frameIndex = 0;
    int counter = 0;
    int x = 0;
    int y = 0;
    int offsetX = 0;
    int offsetY = 0;
    int wait = 0;
    int image = 0;
    int frameCount = 0;
    int finished = 0;
    int negHalfWidth = 0;
    int negHalfHeight = 0;
    Animation* anim = nullptr;
};
