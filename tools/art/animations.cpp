// The poses, waits and loops of the fighter's animations. Angles follow
// skeleton.h: 0 points down, 90 forward, 180 up; the near arm and leg are
// the fighter's right (toward the viewer), the far ones his left, which
// leads in his stance.
#include "tools/art/animations.h"

#include "tools/art/gait.h"

namespace brannock::art {
namespace {

// Stance feet: the lead (far) foot ahead of the anchor, the rear one behind.
constexpr int kLeadFoot = 16;
constexpr int kRearFoot = -20;

// The fighting stance: fists up, lead hand forward, knees soft. `bob`
// lowers the hips by that many pixels; the feet stay put.
Pose Stance(int bob) {
    Pose p;
    p.hipX = -2;
    p.hipY = -50 + bob;
    p.lean = 6;
    p.head = -4;
    p.nearArm = {45, 170 - bob};
    p.farArm = {60, 135 - bob};
    p.nearLeg = LegGround(kRearFoot);
    p.farLeg = LegGround(kLeadFoot);
    p.tails = 40 + 4 * bob;
    return p;
}

// Crouching guard on the stance's feet, `depth` 0 (half way) to 2 (down).
Pose Crouch(int depth) {
    Pose p = Stance(0);
    p.hipX = -3 - depth;
    p.hipY = -42 + 5 * depth;
    p.lean = 10 + 4 * depth;
    p.head = -6 - 3 * depth;
    p.nearArm = {40, 165};
    p.farArm = {62, 140};
    p.nearLeg = LegGround(kRearFoot, 90 - 12 * depth);
    p.tails = 36;
    return p;
}

AnimationPlan Stand() {
    AnimationPlan a{"STAND",
                    {"Guard stance, breathing: the hips sink two pixels and rise again.",
                     "Loops. The feet keep the same pixels in every frame; the last frame",
                     "shows the second one's bitmap again."},
                    true,
                    {}};
    // On the way up the hips pass the same height as on the way down: the
    // fourth frame shows the second's bitmap again.
    a.frames = {{"stand0.bmp", Stance(0), 5},
                {"stand1.bmp", Stance(1), 11},
                {"stand2.bmp", Stance(2), 11},
                {"stand1.bmp", Stance(1), 11}};
    return a;
}

AnimationPlan Walk() {
    AnimationPlan a{"WALK",
                    {"Walking in guard, 2 pixels a step. Sixteen frames of 2 steps carry",
                     "the body 64 pixels; a planted foot moves back 4 pixels a frame, so it",
                     "keeps its spot on the floor. Loops."},
                    true,
                    {}};
    const Gait gait = {16, 4, 15, 7, -54, 2, 102, 70};
    for (int i = 0; i < gait.frames; ++i) {
        Pose p = Stance(0);
        p.hipX = 0;
        p.lean = 8;
        // Starting with the lead (far) foot landing ahead, as it stands in
        // the stance, so the first step follows on from standing.
        const int phase = (i + gait.frames / 2) % gait.frames;
        GaitFrame(gait, phase, p);
        // The fists keep their guard, swaying a little against the legs.
        const int sway = static_cast<int>(DivRound(5 * Sin(GaitPhase(gait, phase)), kTrigOne));
        p.nearArm = {45 + sway, 168};
        p.farArm = {60 - sway, 135};
        p.tails = 52 + 4 * (i / 2 % 2);
        a.frames.push_back({"walk" + std::to_string(i) + ".bmp", p, i == 0 ? 0 : 1});
    }
    return a;
}

AnimationPlan Dash() {
    AnimationPlan a{
        "DASH",
        {"Dashing, 3 pixels a step: a low run, leaning in, one foot always",
         "down. Twelve frames of 2 steps carry the body 72 pixels, 6 a frame.", "Loops."},
        true,
        {}};
    const Gait gait = {12, 6, 20, 20, -50, 2, 98, 45};
    for (int i = 0; i < gait.frames; ++i) {
        Pose p = Stance(0);
        p.hipX = 0;
        p.lean = 26;
        p.head = -20;
        const int phase = (i + gait.frames / 2) % gait.frames;  // lead foot first
        GaitFrame(gait, phase, p);
        // The arms pump against the legs: the near one is back as the near
        // foot lands.
        const int forward = static_cast<int>(
            DivRound(100 * (kTrigOne - Cos(GaitPhase(gait, phase))), 2 * kTrigOne));  // 0..100
        const ArmPose back = {-20, 80};
        const ArmPose front = {62, 150};
        auto blend = [](ArmPose a, ArmPose b, int t) {
            return ArmPose{a.upper + (b.upper - a.upper) * t / 100,
                           a.fore + (b.fore - a.fore) * t / 100};
        };
        p.nearArm = blend(back, front, forward);
        p.farArm = blend(front, back, forward);
        p.tails = 80 + 6 * (i / 2 % 2);
        a.frames.push_back({"dash" + std::to_string(i) + ".bmp", p, i == 0 ? 0 : 1});
    }
    return a;
}

AnimationPlan Sit() {
    AnimationPlan a{
        "SIT",
        {"Crouching down into a low guard. No &JUMP: the last frame stays", "while Down is held."},
        false,
        {}};
    a.frames = {{"sit0.bmp", Crouch(0), 1}, {"sit1.bmp", Crouch(1), 2}, {"sit2.bmp", Crouch(2), 4}};
    return a;
}

AnimationPlan Jump() {
    AnimationPlan a{"JUMP",
                    {"Jumping: take-off, tuck at the top, legs down for the landing.",
                     "The game moves the anchor along the jump's arc (84 steps, up to",
                     "y 121) and starts STAND when it lands, so the frames add up to more",
                     "than 84 steps and the last one holds until then. No &JUMP.",
                     "The anchor follows the arc under the fighter's feet: the hips stay 46",
                     "to 62 pixels above it, and tucked legs come up off it."},
                    false,
                    {}};
    Pose takeOff;
    takeOff.hipY = -62;
    takeOff.lean = 2;
    takeOff.head = -6;
    takeOff.nearArm = {150, 170};
    takeOff.farArm = {165, 175};
    takeOff.nearLeg = LegAngles(-6, -4, 25);
    takeOff.farLeg = LegAngles(4, 0, 20);
    takeOff.tails = 10;

    Pose rise = takeOff;
    rise.hipY = -56;
    rise.nearArm = {100, 160};
    rise.farArm = {110, 160};
    rise.nearLeg = LegAngles(40, -20, 40);
    rise.farLeg = LegAngles(60, -10, 60);
    rise.tails = 20;

    // Knees pulled up in front of the chest, hands on the shins.
    Pose tuck;
    tuck.hipY = -48;
    tuck.lean = 22;
    tuck.head = -16;
    tuck.nearArm = {62, 20};
    tuck.farArm = {76, 40};
    tuck.nearLeg = LegAngles(112, -24, 55);
    tuck.farLeg = LegAngles(124, -12, 65);
    tuck.tails = 60;

    Pose apex = tuck;
    apex.hipY = -46;
    apex.lean = 26;
    apex.head = -20;
    apex.nearLeg = LegAngles(120, -18, 60);
    apex.farLeg = LegAngles(132, -6, 70);
    apex.tails = 100;

    Pose open = takeOff;
    open.hipY = -50;
    open.lean = 10;
    open.head = -12;
    open.nearArm = {80, 130};
    open.farArm = {100, 150};
    open.nearLeg = LegAngles(50, -10, 60);
    open.farLeg = LegAngles(70, 10, 70);
    open.tails = 150;

    Pose land = takeOff;
    land.hipY = -58;
    land.lean = 8;
    land.head = -8;
    land.nearArm = {70, 120};
    land.farArm = {95, 130};
    land.nearLeg = LegAngles(-14, 8, 70);
    land.farLeg = LegAngles(22, -4, 80);
    land.tails = 165;

    a.frames = {{"jump0.bmp", takeOff, 3, true}, {"jump1.bmp", rise, 5, true},
                {"jump2.bmp", tuck, 12, true},   {"jump3.bmp", apex, 20, true},
                {"jump4.bmp", open, 9, true},    {"jump5.bmp", land, 40, true}};
    return a;
}

AnimationPlan Punch1() {
    AnimationPlan a{"PUNCH1",
                    {"Straight punch with the rear hand. Ends without &JUMP, and the game",
                     "goes back to STAND."},
                    false,
                    {}};
    Pose chamber = Stance(0);
    chamber.lean = 2;
    chamber.nearArm = {10, 150};
    Pose mid = Stance(0);
    mid.lean = 10;
    mid.nearArm = {70, 95};
    mid.farArm = {45, 160};
    Pose full = Stance(0);
    full.hipX = 1;
    full.hipY = -49;
    full.lean = 16;
    full.head = -14;
    full.nearArm = {92, 90};
    full.farArm = {30, 172};
    full.nearLeg = LegGround(kRearFoot, 76);
    full.tails = 60;
    Pose back = mid;
    back.nearArm = {60, 130};
    a.frames = {{"punch1_0.bmp", chamber, 2},
                {"punch1_1.bmp", mid, 1},
                {"punch1_2.bmp", full, 6},
                {"punch1_3.bmp", back, 4}};
    return a;
}

AnimationPlan Punch2() {
    AnimationPlan a{"PUNCH2",
                    {"Low punch from the crouch. Ends; the game goes on with SIT while",
                     "Down is held, STAND otherwise."},
                    false,
                    {}};
    Pose chamber = Crouch(2);
    chamber.nearArm = {5, 140};
    Pose mid = Crouch(2);
    mid.lean = 22;
    mid.nearArm = {60, 92};
    mid.farArm = {40, 165};
    Pose full = Crouch(2);
    full.hipX = -3;
    full.lean = 26;
    full.head = -22;
    full.nearArm = {88, 96};
    full.farArm = {30, 172};
    full.tails = 60;
    Pose back = Crouch(2);
    back.nearArm = {40, 120};
    a.frames = {{"punch2_0.bmp", chamber, 2},
                {"punch2_1.bmp", mid, 1},
                {"punch2_2.bmp", full, 6},
                {"punch2_3.bmp", back, 4}};
    return a;
}

AnimationPlan Kick1() {
    AnimationPlan a{"KICK1",
                    {"High kick with the rear leg: knee up, kick at head height, back",
                     "down. Ends; the game goes back to STAND."},
                    false,
                    {}};
    Pose lift = Stance(0);
    lift.hipX = 2;
    lift.hipY = -52;
    lift.lean = 0;
    lift.nearLeg = LegAngles(82, -10, 40);
    Pose chamber = lift;
    chamber.hipX = 4;
    chamber.hipY = -54;
    chamber.lean = -8;
    chamber.head = 6;
    chamber.nearLeg = LegAngles(115, 20, 50);
    Pose kick = chamber;
    kick.hipY = -55;
    kick.lean = -20;
    kick.head = 18;
    kick.nearArm = {40, 160};
    kick.farArm = {-50, -70};
    kick.nearLeg = LegAngles(146, 146, 130);
    kick.tails = 70;
    Pose recoil = chamber;
    recoil.nearLeg = LegAngles(110, 15, 50);
    Pose down = lift;
    down.nearLeg = LegAnkle(-12, -12, 60);
    a.frames = {{"kick1_0.bmp", lift, 2},
                {"kick1_1.bmp", chamber, 2},
                {"kick1_2.bmp", kick, 7},
                {"kick1_3.bmp", recoil, 3},
                {"kick1_4.bmp", down, 2}};
    return a;
}

AnimationPlan Kick2() {
    AnimationPlan a{"KICK2",
                    {"Low sweep from the crouch: sitting back onto a hand, the rear leg",
                     "swept out along the floor. Ends; SIT or STAND follows."},
                    false,
                    {}};
    Pose drop = Crouch(2);
    drop.hipX = -6;
    drop.hipY = -30;
    drop.lean = 8;
    drop.head = -6;
    drop.farArm = {-18, -6, true};
    Pose out = drop;
    out.hipX = -8;
    out.hipY = -24;
    out.lean = 2;
    out.head = -2;
    out.nearArm = {40, 160};
    out.farArm = {-20, -10, true};
    out.nearLeg = LegAnkle(18, -9, 130);
    Pose sweep = out;
    sweep.hipY = -22;
    sweep.lean = -2;
    sweep.head = 2;
    sweep.nearArm = {50, 165};
    sweep.nearLeg = LegGround(42, 150);
    sweep.tails = 70;
    Pose back = out;
    back.nearLeg = LegAnkle(10, -10, 110);
    a.frames = {{"kick2_0.bmp", drop, 1},
                {"kick2_1.bmp", out, 1},
                {"kick2_2.bmp", sweep, 8},
                {"kick2_3.bmp", back, 4}};
    return a;
}

}  // namespace

std::vector<AnimationPlan> FighterAnimations() {
    return {Stand(), Sit(), Walk(), Dash(), Jump(), Punch1(), Punch2(), Kick1(), Kick2()};
}

}  // namespace brannock::art
