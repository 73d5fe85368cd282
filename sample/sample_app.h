// CSampleApp: the sample fighter game. The one object is at once the
// application (CSystem) and its display (XSprite). The window thread answers
// Escape, F1, F2 and F4 (sample_app.cpp); the game thread runs the frame
// loop, which steps and draws the one character (character.cpp).
#pragma once

#include <atomic>
#include <memory>

#include "framework/system.h"
#include "graphics/xsprite.h"
#include "input/pad_input.h"
#include "input/window_input.h"
#include "sprite/anim_player.h"
#include "sprite/sprite_set.h"

class CSampleApp : public CSystem, public XSprite {
  public:
    static constexpr int kScreenWidth = 640;
    static constexpr int kScreenHeight = 480;
    static constexpr int kJumpTableSize = 180;
    static constexpr int kJumpSteps = 84;   // a jump's length in steps
    static constexpr int kGroundY = 320;    // the ground line the character stands on
    static constexpr int kDashWindow = 20;  // steps in which a second press dashes

    // Action codes. Movement input counts below kMovementLimit, attack input
    // below kAttackLimit.
    static constexpr int kStand = 0;
    static constexpr int kMove = 1;  // walking, dashing or sitting
    static constexpr int kJump = 5;
    static constexpr int kPunch = 10;
    static constexpr int kLowPunch = 11;
    static constexpr int kKick = 20;
    static constexpr int kLowKick = 21;
    static constexpr int kMovementLimit = 2;
    static constexpr int kAttackLimit = 10;

    // Double-tap detector states.
    static constexpr int kDashIdle = 0;
    static constexpr int kDashHeld = 1;      // a first press is held
    static constexpr int kDashReleased = 2;  // released, waiting for the second press
    static constexpr int kDashing = 3;

    CSampleApp();

    // Window thread: sizes the window, opens the display, fills cosTable.
    void Init() override;
    // Game thread: the whole game, from loading to the last frame.
    void MainLoop() override;
    int OnClose() override;  // always allows the close
    void OnKeyDown(int virtualKey) override;

    // Shows "AUTO=%d WAIT=%d" as the window title.
    void UpdateTitle();

    // --- The character (character.cpp); game thread only. ---

    // Loads and shows the background and puts the character in its start
    // state. spriteSet and player must exist.
    void InitScene();
    // One frame of the character: input, movement, attacks, jump, animation
    // and drawing, in that order. With autoWalk set the direction is Right
    // whatever is held.
    void StepCharacter(int autoWalk);
    // Starts the named animation unless it is the current one.
    void ChangeAnimation(const char* name);
    // Starts the named animation afresh, current or not.
    void RestartAnimation(const char* name);

    // Vertical jump speeds: entry i is 255 * cos(i degrees), truncated.
    int cosTable[kJumpTableSize] = {};
    std::atomic<int> endRequested{0};  // set by OnClose, ends the frame loop
    CPadInput pad;
    CWindowInput windowInput;  // not used by the game; kept for extensions
    // Created by MainLoop and freed by it on every way out of it.
    std::unique_ptr<CSpriteSet> spriteSet;
    std::unique_ptr<CAnimPlayer> player;

    // Character state.
    int crouching = 0;  // this step's direction includes Down
    int jumpFrame = 0;  // step within the jump, 0 to kJumpSteps - 1
    int jumping = 0;
    int jumpDir = 0;  // -1 left, 0 straight up, 1 right
    int dashState = kDashIdle;
    int dashStart = 0;  // dashClock at the first press of a double tap
    int dashClock = 0;  // counts steps; wraps around
    int posX = 0;       // anchor of the character's picture
    int posY = 0;
    int facingLeft = 0;  // drawn mirrored when set
    int action = kStand;

    std::atomic<int> autoMode{0};  // F1: the character walks right by itself
    std::atomic<int> waitMode{0};  // F2: frames held to 60 per second

  private:
    void FillJumpTable();
    // The phases of StepCharacter.
    int ReadInput(int autoWalk, int& buttons);
    void Move(int direction);
    void DetectDoubleTap();
    void Attack(int buttons);
    void StepJump();
    int Animate();
    void Draw(int image);
};
