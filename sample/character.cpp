// The sample's fighter: a character seen from the side who stands, sits,
// walks, dashes on a second press, jumps, punches and kicks. Speeds are in
// pixels per step and a jump always takes the same number of steps, so the
// character behaves alike at any frame rate. A step allocates nothing and
// reads the jump's speeds from cosTable.
#include <climits>
#include <cmath>
#include <cstdint>

#include "sample/sample_app.h"

namespace {

// Keypad directions (input/pad_input.h) that the step tells apart.
constexpr int kDirNone = 0;
constexpr int kDirDown = 2;
constexpr int kDirLeft = 4;
constexpr int kDirRight = 6;
constexpr int kDirUp = 8;  // 7 and 9 lie either side, giving the jump's direction

constexpr int kPunchButton = 1 << 0;  // Z
constexpr int kKickButton = 1 << 1;   // X

constexpr int kStartX = 100;
constexpr int kWalkSpeed = 2;
constexpr int kDashSpeed = 3;
constexpr int kJumpSpeed = 2;       // horizontal, per step; doubled while dashing
constexpr int kJumpSpeedShift = 5;  // cosTable entries are 32 times the rise per step

// Walking past either edge comes back in from the other side.
constexpr int kWrapRight = 700;
constexpr int kWrapLeft = -150;
constexpr int kReenterRight = 698;

// 3.141592 / 180: slightly below pi / 180, which makes entry 0 come out 254.
constexpr double kRadiansPerDegree = 0.01745328888888889;
constexpr double kJumpAmplitude = 255.0;

int ClampToInt(std::int64_t value) {
    if (value < INT_MIN) return INT_MIN;
    if (value > INT_MAX) return INT_MAX;
    return static_cast<int>(value);
}

}  // namespace

void CSampleApp::FillJumpTable() {
    for (int i = 0; i < kJumpTableSize; ++i) {
        cosTable[i] = static_cast<int>(std::sin((i + 90) * kRadiansPerDegree) * kJumpAmplitude);
    }
}

void CSampleApp::InitScene() {
    posX = kStartX;
    posY = kGroundY;
    LoadBackground("image/bg02a.bmp");
    ComposeBackground(0, 0, kScreenWidth, kScreenHeight, 0, 0);
    facingLeft = 0;
    action = kStand;
    ChangeAnimation("STAND");
    jumpFrame = 0;
    jumping = 0;
    dashStart = 0;
    dashState = kDashIdle;
}

void CSampleApp::ChangeAnimation(const char* name) {
    Animation* const animation = spriteSet->Find(name);
    // A name the set lacks gives null, which leaves the player inactive.
    if (!player->IsPlaying(animation)) player->Start(animation, 0, 0);
}

void CSampleApp::RestartAnimation(const char* name) {
    player->Start(spriteSet->Find(name), 0, 0);
}

void CSampleApp::StepCharacter(int autoWalk) {
    // Each phase sees what the earlier ones left in this step.
    int buttons = 0;
    const int direction = ReadInput(autoWalk, buttons);
    if (action < kMovementLimit) Move(direction);
    if (action < kAttackLimit) Attack(buttons);
    if (jumping) StepJump();
    Draw(Animate());
}

int CSampleApp::ReadInput(int autoWalk, int& buttons) {
    // The double-tap window counts steps; unsigned, the count wraps cleanly.
    dashClock = static_cast<int>(static_cast<unsigned>(dashClock) + 1u);
    int direction = pad.GetDirection(0);
    if (autoWalk != 0) direction = kDirRight;
    buttons = pad.GetButtons(0);
    crouching = direction >= 1 && direction <= 3;
    return direction;
}

void CSampleApp::Move(int direction) {
    if (direction == kDirNone) {
        action = kStand;
        if (!jumping) ChangeAnimation("STAND");
        if (dashState == kDashHeld) {
            dashState = kDashReleased;
        } else if (dashState == kDashing) {
            dashState = kDashIdle;
        }
        return;
    }

    if (direction == kDirLeft || direction == kDirRight) {
        DetectDoubleTap();
        const bool dashing = dashState == kDashing;
        const int speed = dashing ? kDashSpeed : kWalkSpeed;
        posX += direction == kDirLeft ? -speed : speed;
        facingLeft = direction == kDirLeft;
        action = kMove;
        ChangeAnimation(dashing ? "DASH" : "WALK");
    }
    if (direction > kDirRight && !jumping) {
        jumping = 1;
        jumpFrame = 0;
        jumpDir = direction - kDirUp;
    }
    if (direction == kDirDown) {
        action = kMove;
        ChangeAnimation("SIT");
        dashState = kDashIdle;
    }
    if (posX > kWrapRight) posX = kWrapLeft;
    if (posX < kWrapLeft) posX = kReenterRight;
}

void CSampleApp::DetectDoubleTap() {
    // The second press after a release dashes when it comes soon enough,
    // whichever way the first went; a later one counts as a first press.
    if (dashState == kDashReleased) {
        const unsigned elapsed =
            static_cast<unsigned>(dashClock) - static_cast<unsigned>(dashStart);
        dashState = elapsed < static_cast<unsigned>(kDashWindow) ? kDashing : kDashIdle;
    }
    if (dashState == kDashIdle) {
        dashStart = dashClock;
        dashState = kDashHeld;
    }
}

void CSampleApp::Attack(int buttons) {
    // With both buttons the kick, started last, wins.
    if (buttons & kPunchButton) {
        ChangeAnimation(crouching ? "PUNCH2" : "PUNCH1");
        action = crouching ? kLowPunch : kPunch;
        dashState = kDashIdle;
    }
    if (buttons & kKickButton) {
        ChangeAnimation(crouching ? "KICK2" : "KICK1");
        action = crouching ? kLowKick : kKick;
        dashState = kDashIdle;
    }
}

void CSampleApp::StepJump() {
    jumpFrame = (jumpFrame + 1) % kJumpSteps;
    if (jumpFrame == 1) {
        action = kJump;
        ChangeAnimation("JUMP");
    }
    // An arithmetic shift: falling speeds round down, -4 giving -1.
    posY -= cosTable[2 * jumpFrame] >> kJumpSpeedShift;
    posX += jumpDir * (dashState == kDashing ? 2 * kJumpSpeed : kJumpSpeed);
    if (jumpFrame == 0) {  // landed
        jumping = 0;
        action = kStand;
        posY = kGroundY;
        RestartAnimation("STAND");
    }
}

int CSampleApp::Animate() {
    int image = player->Update();
    // An animation without a link has ended: back to sitting or standing.
    if (player->IsFinished()) {
        ChangeAnimation(crouching ? "SIT" : "STAND");
        action = crouching ? kMove : kStand;
        image = player->Update();
    }
    return image;
}

void CSampleApp::Draw(int image) {
    POINT offset{};
    player->GetDrawPosition(&offset, facingLeft);
    // Frame offsets come from the definition file and may be anything.
    DrawImage(ClampToInt(std::int64_t{posX} + offset.x), ClampToInt(std::int64_t{posY} + offset.y),
              image, 0, 0, facingLeft);
}
