// Body parts of the fighter, painted back to front: headband tails, far arm,
// far leg, jacket, near leg, belt and skirt, head, near arm. Sizes are in
// quarter pixels (Qp) where a half pixel matters.
#include "tools/art/fighter_figure.h"

#include <array>

#include "tools/art/figure_painter.h"

namespace brannock::art {
namespace {

using Mode = FigurePainter::Mode;

// A frame of reference turned `angle` degrees forward (clockwise on the
// screen) around `origin`: x runs forward, y down, both in fixed point.
struct Frame {
    Vec origin;
    int angle = 0;

    Vec At(std::int64_t x, std::int64_t y) const {
        return origin + Vec{DivRound(Sin(90 - angle) * x + Sin(-angle) * y, kTrigOne),
                            DivRound(Cos(90 - angle) * x + Cos(-angle) * y, kTrigOne)};
    }
    // The inverse of At.
    Vec Local(Vec p) const {
        const Vec d = p - origin;
        return {DivRound(Dot(d, Polar(90 - angle, kTrigOne)), kTrigOne),
                DivRound(Dot(d, Polar(-angle, kTrigOne)), kTrigOne)};
    }
};

int ToneOf(std::uint8_t index) {
    return index >= 2 ? (index - 2) % kToneCount : kBase;
}
Material MaterialOf(std::uint8_t index) {
    return static_cast<Material>(index >= 2 ? (index - 2) / kToneCount : 0);
}

void PaintArm(FigurePainter& painter, const ArmJoints& arm, bool far) {
    painter.BeginGroup(far);
    painter.Tube(arm.elbow, arm.wrist, Qp(14), Qp(12), Material::kSkin);
    const Vec forearm = arm.wrist - arm.elbow;
    if (arm.open) {
        painter.Tube(arm.wrist, arm.hand + Scale(forearm, 3, 18), Qp(11), Qp(8), Material::kSkin);
    } else {
        // A fist: a rounded block along the forearm, the knuckles in shadow.
        const Vec half = Scale(forearm, 3, 36);
        painter.Tube(arm.hand - half, arm.hand + half, Qp(17), Qp(17), Material::kSkin);
        painter.Mark(arm.hand + half + Scale(forearm, 2, 18),
                     PaletteIndex(Material::kSkin, kShadow));
    }
    // The sleeve ends past the middle of the forearm, a little wider at the
    // cuff.
    painter.Tube(arm.elbow, arm.elbow + Scale(forearm, 3, 5), Qp(19), Qp(20), Material::kGi);
    painter.Tube(arm.shoulder, arm.elbow, Qp(22), Qp(19), Material::kGi);
    painter.EndGroup();
}

void PaintLeg(FigurePainter& painter, const LegJoints& leg, bool far) {
    painter.BeginGroup(far);
    std::array<Vec, std::size(kFootOutline)> foot;
    for (std::size_t i = 0; i < foot.size(); ++i)
        foot[i] = FootPointAt(leg.ankle, leg.foot, kFootOutline[i]);
    painter.Polygon(foot, FootPointAt(leg.ankle, leg.foot, {3, -3}), Px(13), Material::kSkin);
    const Vec shin = leg.knee - leg.ankle;
    painter.Tube(leg.ankle, leg.ankle + Scale(shin, 6, 27), Qp(12), Qp(12), Material::kSkin);
    // Wide gi trousers, ending a little above the ankle.
    painter.Tube(leg.knee, leg.ankle + Scale(shin, 4, 27), Qp(24), Qp(23), Material::kGi);
    painter.Tube(leg.hip, leg.knee, Qp(32), Qp(25), Material::kGi);
    painter.EndGroup();
}

void PaintJacket(FigurePainter& painter, const Joints& joints) {
    const Frame torso{joints.hip, joints.lean};
    const std::int64_t top = -Body::kTorso;
    painter.BeginGroup(false);
    painter.Tube(torso.At(0, Px(2)), torso.At(0, top + Px(4)), Qp(38), Qp(44), Material::kGi);
    painter.Ball(torso.At(Px(2), top + Px(11)), Px(10), Material::kGi, Mode::kAdd);
    // The jacket's opening: a V of chest above the crossing lapels, and the
    // lapel's edge running down to the belt.
    painter.Recolour([&](Vec p, std::uint8_t& index) {
        const Vec l = torso.Local(p);
        const std::int64_t depth = l.y - top;      // down from the top of the torso
        const std::int64_t edge = Px(-2) + depth;  // lapel line, forward as it goes down
        if (depth < Px(13) && l.x > edge + Px(1)) {
            index = PaletteIndex(Material::kSkin, ToneOf(index));
        } else if (l.x > edge - Px(2) && l.x <= edge + Px(1) && depth < Px(15)) {
            index = PaletteIndex(Material::kGi, kShadow);
        } else if (depth >= Px(15) && depth < Px(27) && l.x > Px(7) && l.x <= Px(8)) {
            index = PaletteIndex(Material::kGi, kShadow);
        }
    });
    painter.EndGroup();
}

void PaintWaist(FigurePainter& painter, const Joints& joints) {
    const Frame torso{joints.hip, joints.lean};
    painter.BeginGroup(false);
    // The jacket below the belt, its hem rounded off at the corners.
    const std::array<Vec, 6> skirt = {torso.At(Px(-10), Px(-3)), torso.At(Px(11), Px(-3)),
                                      torso.At(Px(12), Px(5)),   torso.At(Px(9), Px(8)),
                                      torso.At(Px(-8), Px(8)),   torso.At(Px(-11), Px(5))};
    painter.Polygon(skirt, torso.At(Px(0), Px(-4)), Px(13), Material::kGi);
    const std::array<Vec, 4> belt = {torso.At(Qp(-42), Px(-9)), torso.At(Qp(46), Px(-9)),
                                     torso.At(Qp(47), Px(-3)), torso.At(Qp(-43), Px(-3))};
    painter.Polygon(belt, torso.At(Px(0), Px(-6)), Px(12), Material::kBelt);
    // The knot in front, its two ends hanging.
    const Vec knot = torso.At(Px(11), Px(-6));
    painter.Tube(knot, knot + Polar(12, Px(11)), Qp(6), Qp(5), Material::kBelt);
    painter.Tube(knot, knot + Polar(-2, Px(9)), Qp(6), Qp(5), Material::kBelt);
    painter.Ball(knot, Qp(10), Material::kBelt);
    painter.EndGroup();
}

void PaintHeadbandTails(FigurePainter& painter, const Joints& joints) {
    const Frame head{joints.headCentre, joints.headAngle};
    const Vec knot = head.At(Qp(-38), Qp(-22));
    painter.BeginGroup(false);
    painter.Tube(knot, knot + Polar(-joints.tails, Px(13)), Qp(7), Qp(5), Material::kBand);
    painter.Tube(knot, knot + Polar(16 - joints.tails, Px(10)), Qp(7), Qp(5), Material::kBand);
    painter.EndGroup();
}

void PaintHead(FigurePainter& painter, const Joints& joints) {
    const Frame head{joints.headCentre, joints.headAngle};
    auto at = [&](int qx, int qy) { return head.At(Qp(qx), Qp(qy)); };
    painter.BeginGroup(false);
    painter.Tube(joints.neck, joints.headCentre, Qp(16), Qp(15), Material::kSkin);
    painter.Ball(joints.headCentre, Body::kHeadRadius, Material::kSkin);
    painter.Tube(at(4, 12), at(24, 26), Qp(18), Qp(14), Material::kSkin);  // jaw
    painter.Tube(at(34, -4), at(41, 6), Qp(5), Qp(4), Material::kSkin);    // nose
    // Spiky hair over the crown and the back of the head.
    painter.Tube(at(-10, -30), at(-46, -42), Qp(11), Qp(2), Material::kHair);
    painter.Tube(at(-24, -16), at(-60, -20), Qp(11), Qp(2), Material::kHair);
    painter.Tube(at(-28, -2), at(-52, 8), Qp(9), Qp(2), Material::kHair);
    painter.Tube(at(12, -32), at(34, -30), Qp(8), Qp(2), Material::kHair);
    painter.Recolour([&](Vec p, std::uint8_t& index) {
        const Vec l = head.Local(p);
        const bool crown = l.y < Qp(-14) + l.x / 5;
        const bool back = l.x < Qp(-14) && l.y < Qp(18);
        const bool band = l.y >= Qp(-26) + l.x / 10 && l.y < Qp(-14) + l.x / 10 && l.x > Qp(-44);
        if (band) {
            index = PaletteIndex(Material::kBand, ToneOf(index));
        } else if ((crown || back) && MaterialOf(index) == Material::kSkin) {
            index = PaletteIndex(Material::kHair, ToneOf(index));
        }
    });
    painter.Ball(at(-38, -22), Qp(9), Material::kBand);  // the headband's knot
    // Ear, eye, brow, mouth.
    painter.Recolour([&](Vec p, std::uint8_t& index) {
        const Vec ear = head.Local(p) - Vec{Qp(-8), Qp(4)};
        if (Dot(ear, ear) <= Qp(10) * Qp(10) && MaterialOf(index) == Material::kSkin) {
            index = PaletteIndex(Material::kSkin, kShadow);
        }
    });
    painter.Mark(at(-6, 4), PaletteIndex(Material::kSkin, kDeep));
    painter.Mark(at(-6, 8), PaletteIndex(Material::kSkin, kDeep));
    painter.Mark(at(22, -6), kOutlineIndex);
    painter.Mark(at(22, -2), kOutlineIndex);
    for (int x = 16; x <= 30; x += 4)
        painter.Mark(at(x, -12 - (x - 16) / 8), PaletteIndex(Material::kHair, kBase));
    painter.Mark(at(30, 18), PaletteIndex(Material::kSkin, kDeep));
    painter.EndGroup();
}

}  // namespace

IndexedImage PaintFighter(const Joints& joints, int width, int height, int anchorX, int anchorY) {
    FigurePainter painter(width, height, anchorX, anchorY);
    PaintHeadbandTails(painter, joints);
    PaintArm(painter, joints.farArm, true);
    PaintLeg(painter, joints.farLeg, true);
    PaintJacket(painter, joints);
    PaintLeg(painter, joints.nearLeg, false);
    PaintWaist(painter, joints);
    PaintHead(painter, joints);
    PaintArm(painter, joints.nearArm, false);
    return painter.Image();
}

}  // namespace brannock::art
