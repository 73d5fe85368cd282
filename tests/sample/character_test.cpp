// The character under keyboard control, stepped frame by frame with keys
// held through the headless backend: walking, dashing and its double-tap
// window, wrapping, jumps, attacks on the ground and in the air, what is
// drawn, and steps that allocate nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "tests/sample/sample_fixture.h"

#ifndef _WIN32
#include "platform/testing/user_input.h"

namespace {

// Counted while set: allocations of the whole program.
std::atomic<bool> g_countAllocations{false};
std::atomic<int> g_allocations{0};

}  // namespace

// Not inlined: the compiler would see a new paired with free.
[[gnu::noinline]] void* operator new(std::size_t size) {
    if (g_countAllocations) ++g_allocations;
    if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* memory) noexcept {
    std::free(memory);
}
[[gnu::noinline]] void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace sample_test {
namespace {

using App = CSampleApp;

// Holds exactly the keys named: arrows by their keypad digits (8 up, 2 down,
// 4 left, 6 right), letters as themselves.
void Hold(const std::string& keys) {
    brannock::testing::ReleaseAllKeys();
    for (char key : keys) {
        const char* const arrows = "8246";
        const int codes[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT};
        int code = key;
        for (int i = 0; i < 4; ++i)
            if (key == arrows[i]) code = codes[i];
        brannock::testing::SetKeyDown(code, true);
    }
}

class CharacterTest : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        if (!HasFatalFailure()) OpenScene();
    }
    void TearDown() override { brannock::testing::ReleaseAllKeys(); }

    // `count` frames with exactly `keys` held.
    void Steps(const std::string& keys, int count = 1) {
        Hold(keys);
        for (int i = 0; i < count; ++i)
            Frame();
    }
    // A whole jump of 84 steps with `keys` held; the heights after each.
    std::vector<int> Jump(const std::string& keys) {
        std::vector<int> heights;
        for (int i = 0; i < App::kJumpSteps; ++i) {
            Steps(keys);
            heights.push_back(app.posY);
        }
        return heights;
    }
};

TEST_F(CharacterTest, HoldingRightWalksTwoPixelsAStep) {
    for (int step = 1; step <= 10; ++step) {
        Steps("6");
        ASSERT_EQ(app.posX, 100 + 2 * step) << "step " << step;
        ASSERT_EQ(Playing(app), "WALK");
    }
    EXPECT_EQ(app.action, App::kMove);
    EXPECT_EQ(app.facingLeft, 0);
}

// The second press after a release dashes at once, whichever way the first
// went; letting go ends the dash, and the next press walks again.
TEST_F(CharacterTest, SecondPressDashesAndReleaseEndsTheDash) {
    Steps("4");
    Steps("");
    Steps("6");
    EXPECT_EQ(app.posX, 98 + 3);
    EXPECT_EQ(Playing(app), "DASH");
    EXPECT_EQ(app.facingLeft, 0);
    EXPECT_EQ(app.dashState, App::kDashing);
    Steps("6", 4);
    EXPECT_EQ(app.posX, 101 + 12);
    Steps("");
    EXPECT_EQ(app.dashState, App::kDashIdle);
    EXPECT_EQ(Playing(app), "STAND");
    EXPECT_EQ(app.posX, 113);
    Steps("6");
    EXPECT_EQ(app.posX, 115);
    EXPECT_EQ(Playing(app), "WALK");
}

// A second press counts within 20 steps of the first; a later one is a new
// first press, which a quick third press then turns into a dash.
TEST_F(CharacterTest, DoubleTapWindowIsTwentySteps) {
    struct Case {
        int releasedSteps;
        bool dashes;
    };
    for (const Case c : {Case{1, true}, Case{18, true}, Case{19, false}, Case{40, false}}) {
        SCOPED_TRACE(c.releasedSteps);
        Steps("6");
        Steps("", c.releasedSteps);
        const int x = app.posX;
        Steps("6");
        EXPECT_EQ(app.posX - x, c.dashes ? 3 : 2);
        EXPECT_EQ(Playing(app), c.dashes ? "DASH" : "WALK");
        if (!c.dashes) {
            Steps("");
            Steps("6");
            EXPECT_EQ(Playing(app), "DASH");
        }
        Steps("", 30);  // the dash ends, the window runs out
    }
}

TEST_F(CharacterTest, WalkingLeftPastMinus150ComesBackAt698) {
    Steps("4", 125);
    EXPECT_EQ(app.posX, -150);
    Steps("4");
    EXPECT_EQ(app.posX, 698);
    Steps("4");
    EXPECT_EQ(app.posX, 696);
    EXPECT_EQ(app.facingLeft, 1);
}

TEST_F(CharacterTest, StraightJumpTakes84StepsAndUpHeldJumpsAgain) {
    const std::vector<int> heights = Jump("8");
    // Up 7 in the first step, the top held from step 41 to 45, down 8 a
    // step at the end, and back on the ground in step 84.
    EXPECT_EQ(heights[0], 313);
    EXPECT_EQ(heights[39], 122);
    EXPECT_EQ(heights[40], 121);
    EXPECT_EQ(heights[44], 121);
    EXPECT_EQ(heights[45], 122);
    EXPECT_EQ(*std::min_element(heights.begin(), heights.end()), 121);
    EXPECT_EQ(heights[81], 308);
    EXPECT_EQ(heights[82], 316);
    EXPECT_EQ(heights[83], 320);
    EXPECT_EQ(app.jumping, 0);
    EXPECT_EQ(app.action, App::kStand);
    EXPECT_EQ(Playing(app), "STAND");
    EXPECT_EQ(app.posX, 100);

    Steps("8");
    EXPECT_EQ(app.jumping, 1);
    EXPECT_EQ(app.posY, 313);
    EXPECT_EQ(Playing(app), "JUMP");
}

// Sideways jumps go 2 pixels a step, 4 while dashing; the jump never turns
// the character round.
TEST_F(CharacterTest, SidewaysJumpDistances) {
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, int>> before;
        const char* keys;
        int distance;
        int facingLeft;
    };
    const Case cases[] = {
        {"after walking", {{"6", 5}}, "86", 168, 0},
        {"after a dash", {{"6", 1}, {"", 1}, {"6", 2}}, "86", 336, 0},
        {"up-left facing right", {{"6", 1}}, "84", -168, 0},
        {"up-right facing left", {{"4", 1}}, "86", 168, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& [keys, count] : c.before)
            Steps(keys, count);
        const int x = app.posX;
        Jump(c.keys);
        EXPECT_EQ(app.posX - x, c.distance);
        EXPECT_EQ(app.posY, 320);
        EXPECT_EQ(app.facingLeft, c.facingLeft);
        Steps("", 25);  // idle, facing as before
    }
}

// One frame of wait 2 in the test game: a punch is current for four steps
// and reports its end in the fifth, which shows STAND.
TEST_F(CharacterTest, HeldPunchRepeatsWithOneStandingStepBetween) {
    std::string seen;
    for (int step = 0; step < 15; ++step) {
        Steps("Z");
        seen += Playing(app) == "PUNCH1" && app.action == App::kPunch  ? 'P'
                : Playing(app) == "STAND" && app.action == App::kStand ? 'S'
                                                                       : '?';
    }
    EXPECT_EQ(seen, "PPPPSPPPPSPPPPS");
}

TEST_F(CharacterTest, AttackKeysPickTheAttack) {
    struct Case {
        const char* keys;
        const char* animation;
        int action;
    };
    // Last, as KICK1 goes on with STAND in the test game and so never ends.
    for (const Case c : {Case{"Z", "PUNCH1", App::kPunch}, Case{"2Z", "PUNCH2", App::kLowPunch},
                         Case{"2X", "KICK2", App::kLowKick}, Case{"26ZX", "KICK2", App::kLowKick},
                         Case{"24Z", "PUNCH2", App::kLowPunch}, Case{"ZX", "KICK1", App::kKick}}) {
        SCOPED_TRACE(c.keys);
        Steps(c.keys);
        EXPECT_EQ(Playing(app), c.animation);
        EXPECT_EQ(app.action, c.action);
        Steps("", 10);
    }
}

TEST_F(CharacterTest, LowPunchEndsInSittingWhileDownIsHeld) {
    Steps("2Z");
    Steps("2", 3);
    EXPECT_EQ(Playing(app), "PUNCH2");
    EXPECT_EQ(app.action, App::kLowPunch);
    Steps("2");
    EXPECT_EQ(Playing(app), "SIT");
    EXPECT_EQ(app.action, App::kMove);
    Steps("2", 10);  // SIT ends and holds its last picture
    EXPECT_EQ(Playing(app), "SIT");
    EXPECT_EQ(app.action, App::kMove);
    EXPECT_EQ(app.posX, 100);
}

TEST_F(CharacterTest, PunchStartedWhileWalkingStopsTheWalkUntilItEnds) {
    Steps("6", 3);
    Steps("6Z");
    EXPECT_EQ(app.posX, 108);
    EXPECT_EQ(Playing(app), "PUNCH1");
    Steps("6", 4);  // the fourth step ends the punch
    EXPECT_EQ(app.posX, 108);
    EXPECT_EQ(Playing(app), "STAND");
    Steps("6");
    EXPECT_EQ(app.posX, 110);
    EXPECT_EQ(Playing(app), "WALK");
}

TEST_F(CharacterTest, DownWithLeftOrRightCrouchesWithoutMovingAndAttacksLow) {
    for (const char* keys : {"24", "26"}) {
        SCOPED_TRACE(keys);
        Steps("6", 3);
        const int x = app.posX;
        Steps(keys, 5);
        EXPECT_EQ(app.posX, x);
        EXPECT_EQ(Playing(app), "WALK");
        EXPECT_EQ(app.facingLeft, 0);
        EXPECT_EQ(app.crouching, 1);
        Steps(std::string(keys) + "Z");
        EXPECT_EQ(Playing(app), "PUNCH2");
        Steps("", 10);
    }
}

// The jump goes on under an attack; once the attack ends, the arrows walk
// for the rest of the jump, and the landing stands the character up.
TEST_F(CharacterTest, AttackInTheAirKeepsTheJumpPath) {
    const std::vector<int> plain = Jump("8");
    Steps("", 5);

    std::vector<int> heights;
    const auto step = [&](const char* keys) {
        Steps(keys);
        heights.push_back(app.posY);
    };
    step("8");
    step("");
    step("Z");
    EXPECT_EQ(Playing(app), "PUNCH1");
    EXPECT_EQ(app.action, App::kPunch);
    for (int i = 0; i < 4; ++i)
        step("6");
    EXPECT_EQ(app.posX, 100);  // no walking while punching
    EXPECT_EQ(Playing(app), "STAND");
    EXPECT_EQ(app.action, App::kStand);
    while (heights.size() < plain.size() - 1) {
        step("6");
        ASSERT_EQ(Playing(app), "WALK");
    }
    EXPECT_EQ(app.posX, 100 + 2 * (App::kJumpSteps - 8));
    step("6");  // landing
    EXPECT_EQ(heights, plain);
    EXPECT_EQ(Playing(app), "STAND");
    EXPECT_EQ(app.action, App::kStand);
    EXPECT_EQ(app.jumping, 0);
}

// With a jump link an attack never ends: its code stays, holding the
// character still, until a jump it was started in lands.
TEST_F(CharacterTest, AttackWithAJumpLinkBlocksMovementUntilALanding) {
    Steps("8");
    Steps("X");
    Steps("6", 10);
    EXPECT_EQ(Playing(app), "STAND");  // linked
    EXPECT_EQ(app.action, App::kKick);
    EXPECT_EQ(app.posX, 100);
    Steps("6", App::kJumpSteps - 13);
    EXPECT_EQ(app.jumping, 1);
    Steps("6");  // landing
    EXPECT_EQ(app.jumping, 0);
    EXPECT_EQ(app.action, App::kStand);
    Steps("6");
    EXPECT_EQ(app.posX, 102);

    Steps("X");
    Steps("", 10);
    for (const char* keys : {"6", "4", "8", "Z", "2"}) {
        Steps(keys, 5);
        EXPECT_EQ(app.action, App::kKick) << keys;
    }
    EXPECT_EQ(app.posX, 102);
    EXPECT_EQ(app.jumping, 0);
}

// A STAND that does not loop holds its last picture, and the fall-back does
// not restart it; a landing does.
TEST_F(SceneTest, LandingRestartsAStandThatHadEnded) {
    std::string file = kTestSpriteFile;
    file.erase(file.find("&JUMP STAND\n"), 12);
    OpenScene(file.c_str());
    Hold("8");
    Frame();
    Hold("Z");
    Frame();
    Hold("");
    for (int step = 3; step < App::kJumpSteps; ++step)
        Frame();
    EXPECT_EQ(Playing(app), "STAND");
    EXPECT_TRUE(app.player->IsFinished());
    Frame();  // landing
    EXPECT_EQ(app.jumping, 0);
    EXPECT_FALSE(app.player->IsFinished());
    brannock::testing::ReleaseAllKeys();
}

TEST_F(CharacterTest, PictureIsDrawnAtTheAnchorMirroredWhenFacingLeft) {
    struct Case {
        const char* keys;
        const Picture& picture;
        int left, top;
        bool mirrored;
    };
    // Offsets in the test game: WALK (4, -16), SIT (0, -8); the x offset
    // turns round with the picture.
    const Case cases[] = {
        {"", kStand0, 100 - 8, 320 - 16 - 16, false},
        {"6", kWalk, 102 + 4 - 8, 320 - 16 - 16, false},
        {"4", kWalk, 100 - 4 - 8, 320 - 16 - 16, true},
        {"2", kSit, 100 - 8, 320 - 8 - 16, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        Steps(c.keys);
        ExpectPicture(c.picture, c.left, c.top, c.mirrored);
    }
}

// Every move, twice: the first round may grow buffers of the platform
// layer; the second must not allocate at all.
TEST_F(CharacterTest, StepsAllocateNothing) {
    const std::pair<const char*, int> script[] = {
        {"6", 5}, {"", 1},   {"6", 5}, {"4", 5},   {"", 1},    {"4", 3},  {"2", 5},  {"24", 3},
        {"Z", 6}, {"2X", 6}, {"", 8},  {"86", 84}, {"84", 20}, {"Z", 10}, {"6", 70}, {"2Z", 8},
    };
    for (int round = 0; round < 2; ++round) {
        g_allocations = 0;
        for (const auto& [keys, count] : script) {
            Hold(keys);  // outside the count: the test control's own doing
            g_countAllocations = round == 1;
            for (int i = 0; i < count; ++i)
                Frame();
            g_countAllocations = false;
        }
    }
    EXPECT_EQ(g_allocations, 0);
}

}  // namespace
}  // namespace sample_test
#endif  // _WIN32
