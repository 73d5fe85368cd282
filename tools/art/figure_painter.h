// Paints a figure from shaded shapes in the pixel-art manner: no blending,
// every pixel one palette entry. Shapes are collected in groups (a limb, the
// torso, the head); a finished group is laid over the picture with a
// 1-pixel outline around it, so the silhouette gets a dark outline and a
// near limb gets a dark line where it crosses the body.
//
// Shading: each shape knows the surface normal of its pixels (a tube's
// across its axis, a ball's from its centre) and picks highlight, base or
// shadow by how much the normal faces the light, which falls from above and
// in front of the fighter. A far group is drawn one tone darker.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "tools/art/fixed_math.h"
#include "tools/art/images.h"
#include "tools/art/palette.h"

namespace brannock::art {

class FigurePainter {
  public:
    // A key-coloured canvas; figure coordinates are fixed point relative to
    // the top-left corner of pixel (anchorX, anchorY).
    FigurePainter(int width, int height, int anchorX, int anchorY);

    // Where the next shapes go: kAdd paints wherever the shape covers,
    // kOnto only over pixels the current group already has.
    enum class Mode { kAdd, kOnto };

    void BeginGroup(bool far);
    void EndGroup();

    // A tube from a (radius ra) to b (radius rb) with round ends.
    void Tube(Vec a, Vec b, std::int64_t ra, std::int64_t rb, Material material,
              Mode mode = Mode::kAdd);
    // A ball.
    void Ball(Vec centre, std::int64_t radius, Material material, Mode mode = Mode::kAdd);
    // A polygon shaded like a ball of `radius` around `centre`.
    void Polygon(std::span<const Vec> points, Vec centre, std::int64_t radius, Material material,
                 Mode mode = Mode::kAdd);

    // Offers every pixel of the group to `change`, with its centre, to
    // rewrite its palette index.
    void Recolour(const std::function<void(Vec centre, std::uint8_t& index)>& change);
    // Sets the group pixel that holds `at` to `index` (if the group has it).
    void Mark(Vec at, std::uint8_t index);

    const IndexedImage& Image() const { return image; }

  private:
    // Pixel bounds of the canvas rectangle around a shape.
    struct Box {
        int left, top, right, bottom;  // inclusive-exclusive
    };
    Box Bounds(Vec low, Vec high) const;
    Vec CentreOfPixel(int x, int y) const;
    // Shades one pixel of `material` whose surface normal, scaled to
    // `radius`, is `normal`.
    void Paint(int x, int y, Vec normal, std::int64_t radius, Material material, Mode mode);

    IndexedImage image;
    IndexedImage group;  // the open group, 0 where it has no pixel
    Box used{};          // the part of `group` that holds its pixels
    Vec origin;          // fixed-point canvas position of the anchor
    bool far = false;
};

}  // namespace brannock::art
