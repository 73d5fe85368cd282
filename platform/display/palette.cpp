#include "platform/display/palette.h"

namespace brannock::platform::display {

std::uint8_t NearestIndex(const Palette& palette, std::uint32_t rgb) {
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < palette.count && bestDistance > 0; ++i) {
        const std::uint32_t c = palette.colours[i];
        const int dr = static_cast<int>((c >> 16) & 0xFF) - r;
        const int dg = static_cast<int>((c >> 8) & 0xFF) - g;
        const int db = static_cast<int>(c & 0xFF) - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<std::uint8_t>(best);
}

namespace {

template <PixelFormat T>
void FromIndexedRow(const std::uint8_t* source, std::uint8_t* target, int count,
                    const Palette& palette) {
    constexpr int kBytes = BytesPerPixel(T);
    for (int i = 0; i < count; ++i) {
        StorePixel<T>(target + i * kBytes, FromRgb<T>(palette.ColourOf(source[i])));
    }
}

// The search is the costly part: runs of one colour reuse the last answer.
template <PixelFormat S>
void ToIndexedRow(const std::uint8_t* source, std::uint8_t* target, int count,
                  const Palette& palette) {
    constexpr int kBytes = BytesPerPixel(S);
    std::uint32_t lastRgb = 0;
    std::uint8_t lastIndex = 0;
    bool known = false;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t rgb = ToRgb<S>(LoadPixel<S>(source + i * kBytes));
        if (!known || rgb != lastRgb) {
            lastIndex = NearestIndex(palette, rgb);
            lastRgb = rgb;
            known = true;
        }
        target[i] = lastIndex;
    }
}

// The converter for one direct format. An indexed format on the other side
// is taken as grey levels; blits between two tables translate index to
// index instead.
template <template <PixelFormat> class Row>
auto Pick(PixelFormat format) -> decltype(&Row<PixelFormat::kXrgb8888>::Convert) {
    switch (format) {
        case PixelFormat::kRgb555:
            return &Row<PixelFormat::kRgb555>::Convert;
        case PixelFormat::kRgb565:
            return &Row<PixelFormat::kRgb565>::Convert;
        case PixelFormat::kRgb888:
            return &Row<PixelFormat::kRgb888>::Convert;
        case PixelFormat::kXrgb8888:
            return &Row<PixelFormat::kXrgb8888>::Convert;
        case PixelFormat::kArgb8888:
            return &Row<PixelFormat::kArgb8888>::Convert;
        case PixelFormat::kIndexed8:
            return &Row<PixelFormat::kIndexed8>::Convert;
    }
    return &Row<PixelFormat::kXrgb8888>::Convert;
}

template <PixelFormat S>
void MatchRow(const std::uint8_t* source, std::uint8_t* target, int count, std::uint32_t match) {
    constexpr int kBytes = BytesPerPixel(S);
    for (int i = 0; i < count; ++i) {
        target[i] = LoadPixel<S>(source + i * kBytes) == match ? 1 : 0;
    }
}

template <PixelFormat F>
struct FromIndexedEntry {
    static void Convert(const std::uint8_t* s, std::uint8_t* t, int n, const Palette& p) {
        FromIndexedRow<F>(s, t, n, p);
    }
};
template <PixelFormat F>
struct ToIndexedEntry {
    static void Convert(const std::uint8_t* s, std::uint8_t* t, int n, const Palette& p) {
        ToIndexedRow<F>(s, t, n, p);
    }
};

template <PixelFormat F>
struct MatchEntry {
    static void Convert(const std::uint8_t* s, std::uint8_t* t, int n, std::uint32_t match) {
        MatchRow<F>(s, t, n, match);
    }
};

}  // namespace

PaletteRowConverter FromIndexed(PixelFormat target) {
    return Pick<FromIndexedEntry>(target);
}

PaletteRowConverter ToIndexed(PixelFormat source) {
    return Pick<ToIndexedEntry>(source);
}

MatchRowConverter MatchTo(PixelFormat source) {
    return Pick<MatchEntry>(source);
}

}  // namespace brannock::platform::display
