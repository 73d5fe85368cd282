// XSprite drawing: the background layers and colour-keyed, stretched and
// mirrored images, all drawn into the back buffer.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "framework/stop_point.h"
#include "graphics/xsprite.h"

namespace {

// Rectangle edges wide enough that no int argument can overflow them.
struct Edges {
    std::int64_t left, top, right, bottom;

    bool Inside(std::int64_t width, std::int64_t height) const {
        return left >= 0 && top >= 0 && left < right && top < bottom && right <= width &&
               bottom <= height;
    }
    RECT ToRect() const {
        return RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right),
                    static_cast<LONG>(bottom)};
    }
};

Edges MakeEdges(int x, int y, int w, int h) {
    return Edges{x, y, std::int64_t{x} + w, std::int64_t{y} + h};
}

// (x, y, x + w, y + h) for a blit; edges beyond LONG are clamped, which
// keeps an impossible rectangle impossible.
RECT MakeRect(int x, int y, int w, int h) {
    const auto clamp = [](std::int64_t v) {
        return static_cast<LONG>(std::clamp<std::int64_t>(v, std::numeric_limits<LONG>::min(),
                                                          std::numeric_limits<LONG>::max()));
    };
    return RECT{x, y, clamp(std::int64_t{x} + w), clamp(std::int64_t{y} + h)};
}

}  // namespace

void XSprite::OnDraw(IDirectDrawSurface7*) {}

void XSprite::RestoreBackground(int x, int y, int w, int h, int mode) {
    StopPoint();
    if (!IsWindow(window) || !back) return;
    if (mode == -1) {
        ColorFill(back, 0);
    } else if (mode == 0) {
        RECT area = MakeRect(x, y, w, h);
        back->Blt(&area, bgScreen, &area, DDBLT_WAIT, nullptr);
    }
}

HRESULT XSprite::ComposeBackground(int x, int y, int w, int h, int srcX, int srcY) {
    if (!IsWindow(window) || !bgScreen) return DDERR_INVALIDOBJECT;
    RECT source = MakeRect(srcX, srcY, w, h);
    return bgScreen->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), bgImage, &source,
                             DDBLTFAST_WAIT);
}

HRESULT XSprite::DrawImage(int x, int y, int image, int w, int h, int flip) {
    StopPoint();
    if (!IsWindow(window) || !back) return DDERR_INVALIDOBJECT;
    if (image < 0 || image >= static_cast<int>(images.size())) return DDERR_INVALIDPARAMS;
    const ImageRecord& record = images[image];
    const std::int64_t width = record.width;
    const std::int64_t height = record.height;
    const bool mirrorX = flip & 1;
    const bool mirrorY = flip & 2;

    Edges dest = MakeEdges(x, y, record.width, record.height);
    Edges source{0, 0, width, height};
    const bool stretched = w != 0 || h != 0;
    if (stretched) {
        // The source loses half of what passes the screen edge, whatever the
        // mirroring. The right edge is looked at first.
        dest = MakeEdges(x, y, w, h);
        if (dest.right > screenWidth) {
            source.right = width - (dest.right - screenWidth) / 2;
            dest.right = screenWidth;
        } else if (dest.left < 0) {
            source.left = -(dest.left / 2);
            dest.left = 0;
        }
        if (dest.bottom > screenHeight) {
            source.bottom = height - (dest.bottom - screenHeight) / 2;
            dest.bottom = screenHeight;
        } else if (dest.top < 0) {
            source.top = -(dest.top / 2);
            dest.top = 0;
        }
    } else {
        // 1:1, the cut lands on the mirrored side of the source.
        if (dest.right > screenWidth) {
            const std::int64_t over = dest.right - screenWidth;
            if (mirrorX) {
                source.left = over;
            } else {
                source.right = width - over;
            }
            dest.right = screenWidth;
        } else if (dest.left < 0) {
            if (mirrorX) {
                source.right = width + dest.left;
            } else {
                source.left = -dest.left;
            }
            dest.left = 0;
        }
        if (dest.bottom > screenHeight) {
            const std::int64_t over = dest.bottom - screenHeight;
            if (mirrorY) {
                source.top = over;
            } else {
                source.bottom = height - over;
            }
            dest.bottom = screenHeight;
        } else if (dest.top < 0) {
            if (mirrorY) {
                source.bottom = height + dest.top;
            } else {
                source.top = -dest.top;
            }
            dest.top = 0;
        }
    }

    // An image wholly off the screen, one wider than the screen that still
    // starts left of it, or an inverted stretch leaves nothing to draw.
    if (!dest.Inside(screenWidth, screenHeight) || !source.Inside(width, height)) {
        return DDERR_INVALIDRECT;
    }
    RECT destRect = dest.ToRect();
    RECT sourceRect = source.ToRect();

    if (flip == 0) {
        if (stretched) {
            return back->Blt(&destRect, record.surface, &sourceRect, DDBLT_WAIT | DDBLT_KEYSRC,
                             nullptr);
        }
        return back->BltFast(static_cast<DWORD>(destRect.left), static_cast<DWORD>(destRect.top),
                             record.surface, &sourceRect, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
    }
    // The effect block is kept between calls: a flip value without either
    // mirror bit draws with the effect of the last mirrored call.
    mirrorFx.dwSize = sizeof(DDBLTFX);
    switch (flip) {
        case 1:
            mirrorFx.dwDDFX = DDBLTFX_MIRRORLEFTRIGHT;
            break;
        case 2:
            mirrorFx.dwDDFX = DDBLTFX_MIRRORUPDOWN;
            break;
        case 3:
            mirrorFx.dwDDFX = DDBLTFX_MIRRORLEFTRIGHT | DDBLTFX_MIRRORUPDOWN;
            break;
        default:
            break;
    }
    return back->Blt(&destRect, record.surface, &sourceRect, DDBLT_WAIT | DDBLT_KEYSRC | DDBLT_DDFX,
                     &mirrorFx);
}

int XSprite::Redraw() {
    RestoreBackground(0, 0, screenWidth, screenHeight, 0);
    OnDraw(back);
    return 1;
}
