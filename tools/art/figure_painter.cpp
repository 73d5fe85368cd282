// Rasterising the shapes by pixel centres, tone picking, and laying a
// finished group over the picture with its outline.
#include "tools/art/figure_painter.h"

#include <algorithm>
#include <vector>

namespace brannock::art {
namespace {

// Toward the light: up and forward.
constexpr Vec kLight = Polar(144, kTrigOne);

// Thresholds on normal . light, as a fraction of kTrigOne.
constexpr std::int64_t kHighlightAbove = kTrigOne * 45 / 100;
constexpr std::int64_t kShadowBelow = -kTrigOne * 30 / 100;

int ToneFor(Vec normal, std::int64_t radius) {
    if (radius <= 0) return kBase;
    const std::int64_t lit = Dot(normal, kLight) / radius;  // kTrigOne scale
    if (lit > kHighlightAbove) return kHighlight;
    if (lit < kShadowBelow) return kShadow;
    return kBase;
}

}  // namespace

FigurePainter::FigurePainter(int width, int height, int anchorX, int anchorY)
    : image(width, height, kKeyIndex), group(width, height, 0), origin{Px(anchorX), Px(anchorY)} {}

void FigurePainter::BeginGroup(bool isFar) {
    for (int y = used.top; y < used.bottom; ++y)
        for (int x = used.left; x < used.right; ++x)
            group.At(x, y) = 0;
    used = {image.width, image.height, 0, 0};
    far = isFar;
}

void FigurePainter::EndGroup() {
    if (used.left >= used.right) return;
    auto in = [&](int x, int y) { return group.Inside(x, y) && group.At(x, y) != 0; };
    // The outline ring lies within a pixel of the group's pixels.
    const int left = std::max(used.left - 1, 0), right = std::min(used.right + 1, image.width);
    const int top = std::max(used.top - 1, 0), bottom = std::min(used.bottom + 1, image.height);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (!in(x, y) && (in(x - 1, y) || in(x + 1, y) || in(x, y - 1) || in(x, y + 1))) {
                image.At(x, y) = kOutlineIndex;
            }
        }
    }
    for (int y = used.top; y < used.bottom; ++y) {
        for (int x = used.left; x < used.right; ++x) {
            std::uint8_t index = group.At(x, y);
            if (index == 0) continue;
            // Far limbs sit in the body's shadow: one tone darker.
            if (far && index >= 2 && (index - 2) % kToneCount != kDeep) ++index;
            image.At(x, y) = index;
        }
    }
}

FigurePainter::Box FigurePainter::Bounds(Vec low, Vec high) const {
    const Vec a = low + origin;
    const Vec b = high + origin;
    Box box{PixelOf(a.x) - 1, PixelOf(a.y) - 1, PixelOf(b.x) + 2, PixelOf(b.y) + 2};
    box.left = std::max(box.left, 0);
    box.top = std::max(box.top, 0);
    box.right = std::min(box.right, image.width);
    box.bottom = std::min(box.bottom, image.height);
    return box;
}

Vec FigurePainter::CentreOfPixel(int x, int y) const {
    return Vec{CentreOf(x), CentreOf(y)} - origin;
}

void FigurePainter::Paint(int x, int y, Vec normal, std::int64_t radius, Material material,
                          Mode mode) {
    std::uint8_t& cell = group.At(x, y);
    if (mode == Mode::kOnto && cell == 0) return;
    cell = PaletteIndex(material, ToneFor(normal, radius));
    used = {std::min(used.left, x), std::min(used.top, y), std::max(used.right, x + 1),
            std::max(used.bottom, y + 1)};
}

void FigurePainter::Tube(Vec a, Vec b, std::int64_t ra, std::int64_t rb, Material material,
                         Mode mode) {
    const std::int64_t reach = std::max(ra, rb);
    const Box box = Bounds({std::min(a.x, b.x) - reach, std::min(a.y, b.y) - reach},
                           {std::max(a.x, b.x) + reach, std::max(a.y, b.y) + reach});
    const Vec axis = b - a;
    const std::int64_t axisSquared = Dot(axis, axis);
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const Vec p = CentreOfPixel(x, y);
            // Nearest point of the axis, t along it in 1/65536.
            std::int64_t t = 0;
            if (axisSquared > 0)
                t = std::clamp(Dot(p - a, axis) * 65536 / axisSquared, std::int64_t{0},
                               std::int64_t{65536});
            const Vec nearest = a + Scale(axis, t, 65536);
            const Vec normal = p - nearest;
            const std::int64_t radius = ra + (rb - ra) * t / 65536;
            if (Dot(normal, normal) > radius * radius) continue;
            Paint(x, y, normal, radius, material, mode);
        }
    }
}

void FigurePainter::Ball(Vec centre, std::int64_t radius, Material material, Mode mode) {
    Tube(centre, centre, radius, radius, material, mode);
}

void FigurePainter::Polygon(std::span<const Vec> points, Vec centre, std::int64_t radius,
                            Material material, Mode mode) {
    if (points.size() < 3) return;
    Vec low = points[0], high = points[0];
    for (const Vec p : points) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    const Box box = Bounds(low, high);
    std::vector<std::int64_t> crossings;
    for (int y = box.top; y < box.bottom; ++y) {
        const std::int64_t cy = CentreOf(y) - origin.y;
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Vec p0 = points[i];
            const Vec p1 = points[(i + 1) % points.size()];
            if ((p0.y <= cy && cy < p1.y) || (p1.y <= cy && cy < p0.y)) {
                crossings.push_back(p0.x + (cy - p0.y) * (p1.x - p0.x) / (p1.y - p0.y));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            for (int x = box.left; x < box.right; ++x) {
                const Vec p = CentreOfPixel(x, y);
                if (p.x < crossings[i] || p.x >= crossings[i + 1]) continue;
                Paint(x, y, p - centre, radius, material, mode);
            }
        }
    }
}

void FigurePainter::Recolour(const std::function<void(Vec, std::uint8_t&)>& change) {
    for (int y = used.top; y < used.bottom; ++y) {
        for (int x = used.left; x < used.right; ++x) {
            std::uint8_t& cell = group.At(x, y);
            if (cell != 0) change(CentreOfPixel(x, y), cell);
        }
    }
}

void FigurePainter::Mark(Vec at, std::uint8_t index) {
    const Vec p = at + origin;
    const int x = PixelOf(p.x);
    const int y = PixelOf(p.y);
    if (group.Inside(x, y) && group.At(x, y) != 0) group.At(x, y) = index;
}

}  // namespace brannock::art
