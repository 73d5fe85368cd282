#include "platform/display/blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace brannock::platform::display {

RECT Intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (IsEmpty(r)) r = {0, 0, 0, 0};
    return r;
}

RECT Union(const RECT& a, const RECT& b) {
    if (IsEmpty(a)) return b;
    if (IsEmpty(b)) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

RECT ClampedRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    const auto clamp = [](std::int64_t v) {
        constexpr std::int64_t kLimit = std::int64_t{1} << 29;
        return static_cast<LONG>(v < -kLimit ? -kLimit : (v > kLimit ? kLimit : v));
    };
    return {clamp(left), clamp(top), clamp(right), clamp(bottom)};
}

KeyTest KeyTestFor(PixelFormat format, const ColourKey& key) {
    const std::uint32_t mask = Info(format).colourMask;
    KeyTest test{false, mask, key.low & mask, 0};
    const std::uint32_t high = key.high & mask;
    if (key.enabled && high >= test.low) {
        test.active = true;
        test.range = high - test.low;
    }
    return test;
}

namespace {

// A 24-bit pixel as stored: blue, green, red.
struct Pixel24 {
    std::uint8_t c[3];
};
static_assert(sizeof(Pixel24) == 3);

inline std::uint32_t ValueOf(std::uint16_t p) {
    return p;
}
inline std::uint32_t ValueOf(std::uint32_t p) {
    return p;
}
inline std::uint32_t ValueOf(Pixel24 p) {
    return p.c[0] | (p.c[1] << 8) | (static_cast<std::uint32_t>(p.c[2]) << 16);
}

#if defined(__GNUC__) || defined(__clang__)
template <class T>
struct VectorOf;
template <>
struct VectorOf<std::uint16_t> {
    typedef std::uint16_t Type __attribute__((vector_size(16)));
};
template <>
struct VectorOf<std::uint32_t> {
    typedef std::uint32_t Type __attribute__((vector_size(16)));
};

// The lanes of a vector in reverse order. Sixteen-bit lanes go as pairs
// reversed then swapped, which plain SSE2 does in three instructions.
inline VectorOf<std::uint32_t>::Type Reversed(VectorOf<std::uint32_t>::Type v) {
    return __builtin_shufflevector(v, v, 3, 2, 1, 0);
}
inline VectorOf<std::uint16_t>::Type Reversed(VectorOf<std::uint16_t>::Type v) {
    auto pairs = Reversed(reinterpret_cast<VectorOf<std::uint32_t>::Type>(v));
    pairs = (pairs << 16) | (pairs >> 16);
    return reinterpret_cast<VectorOf<std::uint16_t>::Type>(pairs);
}

// Copies a run 16 bytes at a time: read forwards from `source`, or
// leftwards from `source` as the rightmost pixel when kReversed. A keyed run
// costs a compare, a mask and a blend per vector, with no branches.
template <class T, bool kKeyed, bool kReversed>
void RunVector(T* __restrict target, const T* __restrict source, int count, const KeyTest& key) {
    using Vector = typename VectorOf<T>::Type;
    constexpr int kLanes = 16 / sizeof(T);
    const Vector mask = Vector{} + static_cast<T>(key.mask);
    const Vector low = Vector{} + static_cast<T>(key.low);
    const Vector range = Vector{} + static_cast<T>(key.range);
    int i = 0;
    for (; i + kLanes <= count; i += kLanes) {
        Vector s;
        if constexpr (kReversed) {
            std::memcpy(&s, source - i - (kLanes - 1), sizeof s);
            s = Reversed(s);
        } else {
            std::memcpy(&s, source + i, sizeof s);
        }
        if constexpr (kKeyed) {
            Vector t;
            std::memcpy(&t, target + i, sizeof t);
            const Vector keep = reinterpret_cast<Vector>(((s & mask) - low) <= range);
            s = (t & keep) | (s & ~keep);
        }
        std::memcpy(target + i, &s, sizeof s);
    }
    for (; i < count; ++i) {
        const T v = kReversed ? *(source - i) : source[i];
        target[i] = (kKeyed && key.Keyed(v)) ? target[i] : v;
    }
}
#endif

template <class P>
void KeyedRun(P* __restrict target, const P* __restrict source, int count, const KeyTest& key) {
#if defined(__GNUC__) || defined(__clang__)
    if constexpr (sizeof(P) == 2 || sizeof(P) == 4) {
        RunVector<P, true, false>(target, source, count, key);
        return;
    }
#endif
    for (int i = 0; i < count; ++i) {
        const P v = source[i];
        if (!key.Keyed(ValueOf(v))) target[i] = v;
    }
}

// `last` is the rightmost source pixel; the run reads leftwards.
template <class P, bool kKeyed>
void ReversedRun(P* __restrict target, const P* __restrict last, int count, const KeyTest& key) {
#if defined(__GNUC__) || defined(__clang__)
    if constexpr (sizeof(P) == 2 || sizeof(P) == 4) {
        RunVector<P, kKeyed, true>(target, last, count, key);
        return;
    }
#endif
    for (int i = 0; i < count; ++i) {
        const P v = *(last - i);
        if constexpr (kKeyed) {
            if (!key.Keyed(ValueOf(v))) target[i] = v;
        } else {
            target[i] = v;
        }
    }
}

template <class P, bool kKeyed>
void GatheredRun(P* __restrict target, const P* __restrict row, const int* columns, int count,
                 const KeyTest& key) {
    for (int i = 0; i < count; ++i) {
        const P v = row[columns[i]];
        if constexpr (kKeyed) {
            target[i] = key.Keyed(ValueOf(v)) ? target[i] : v;
        } else {
            target[i] = v;
        }
    }
}

// Nearest source index for target index u of `targetSize`, sampling at the
// centre of the target pixel.
inline int Sample(int u, int sourceSize, int targetSize) {
    return static_cast<int>((2 * static_cast<std::int64_t>(u) + 1) * sourceSize /
                            (2 * static_cast<std::int64_t>(targetSize)));
}

template <class P>
void BlitRows(const BlitJob& job, const PixelView& source, const RECT& sourceRect, bool keyed,
              const KeyTest& key) {
    const RECT& to = job.targetRect;
    const RECT& clip = job.clip;
    const int targetWidth = to.right - to.left, targetHeight = to.bottom - to.top;
    const int sourceWidth = sourceRect.right - sourceRect.left;
    const int sourceHeight = sourceRect.bottom - sourceRect.top;
    const bool stretchX = targetWidth != sourceWidth;
    const bool stretchY = targetHeight != sourceHeight;
    const int count = clip.right - clip.left;
    const int u0 = clip.left - to.left;

    // The source columns of the run: forward, reversed, or looked up.
    thread_local std::vector<int> columnTable;
    const int* columns = nullptr;
    int firstColumn = 0;
    if (stretchX) {
        if (columnTable.size() < static_cast<std::size_t>(count)) columnTable.resize(count);
        for (int i = 0; i < count; ++i) {
            const int u = job.mirrorLeftRight ? targetWidth - 1 - (u0 + i) : u0 + i;
            columnTable[i] = sourceRect.left + Sample(u, sourceWidth, targetWidth);
        }
        columns = columnTable.data();
    } else {
        firstColumn = sourceRect.left + (job.mirrorLeftRight ? targetWidth - 1 - u0 : u0);
    }

    for (int y = clip.top; y < clip.bottom; ++y) {
        int v = y - to.top;
        if (job.mirrorUpDown) v = targetHeight - 1 - v;
        const int sy = sourceRect.top + (stretchY ? Sample(v, sourceHeight, targetHeight) : v);
        const P* row = reinterpret_cast<const P*>(source.Row(sy));
        P* out = reinterpret_cast<P*>(job.target.Row(y)) + clip.left;
        if (columns) {
            if (keyed) {
                GatheredRun<P, true>(out, row, columns, count, key);
            } else {
                GatheredRun<P, false>(out, row, columns, count, key);
            }
        } else if (job.mirrorLeftRight) {
            if (keyed) {
                ReversedRun<P, true>(out, row + firstColumn, count, key);
            } else {
                ReversedRun<P, false>(out, row + firstColumn, count, key);
            }
        } else if (keyed) {
            KeyedRun(out, row + firstColumn, count, key);
        } else {
            std::memcpy(out, row + firstColumn, static_cast<std::size_t>(count) * sizeof(P));
        }
    }
}

// Copies between two colour tables index by index: each source index takes
// the target index nearest its colour.
void TranslateRow(const std::uint8_t* source, std::uint8_t* target, int count,
                  const std::uint8_t* map) {
    for (int i = 0; i < count; ++i)
        target[i] = map[source[i]];
}

// Unscaled, unmirrored, unkeyed copy, converting formats on the way.
void CopyRows(const BlitJob& job, const PixelView& source, const RECT& sourceRect) {
    const RECT& clip = job.clip;
    const int sourceX = sourceRect.left + (clip.left - job.targetRect.left);
    const int sourceTop = sourceRect.top + (clip.top - job.targetRect.top);
    const int sourceBytes = BytesPerPixel(source.format);
    const int targetBytes = BytesPerPixel(job.target.format);
    const int count = clip.right - clip.left;
    const auto eachRow = [&](auto&& convert) {
        for (int y = clip.top; y < clip.bottom; ++y) {
            convert(source.Row(sourceTop + (y - clip.top)) + sourceX * sourceBytes,
                    job.target.Row(y) + clip.left * targetBytes);
        }
    };
    const Palette* from = source.palette;
    const Palette* to = job.target.palette;
    if (from && to && from->colours != to->colours) {
        std::uint8_t map[256];
        for (int i = 0; i < 256; ++i)
            map[i] = NearestIndex(*to, from->colours[i]);
        eachRow([&](const std::uint8_t* s, std::uint8_t* t) { TranslateRow(s, t, count, map); });
    } else if (from && !to) {
        const PaletteRowConverter convert = FromIndexed(job.target.format);
        eachRow([&](const std::uint8_t* s, std::uint8_t* t) { convert(s, t, count, *from); });
    } else if (to && !from) {
        const PaletteRowConverter convert = ToIndexed(source.format);
        eachRow([&](const std::uint8_t* s, std::uint8_t* t) { convert(s, t, count, *to); });
    } else {
        const RowConverter convert = ConverterFor(source.format, job.target.format);
        eachRow([&](const std::uint8_t* s, std::uint8_t* t) { convert(s, t, count); });
    }
}

bool SameMemory(const PixelView& a, const PixelView& b) {
    return a.bits == b.bits && a.pitch == b.pitch;
}

}  // namespace

bool Blit(const BlitJob& job) {
    const RECT& to = job.targetRect;
    const RECT& from = job.sourceRect;
    if (IsEmpty(job.clip) || IsEmpty(to) || IsEmpty(from)) return true;

    const KeyTest key = KeyTestFor(job.source.format, job.key);
    const bool keyed = key.active;

    const bool stretched = to.right - to.left != from.right - from.left ||
                           to.bottom - to.top != from.bottom - from.top;
    const bool plain = !stretched && !job.mirrorLeftRight && !job.mirrorUpDown && !keyed;
    if (job.source.format != job.target.format && !plain) return false;
    if ((job.source.palette || job.target.palette) && !plain) return false;

    // A source that overlaps what is written is read from a copy.
    PixelView source = job.source;
    RECT sourceRect = from;
    if (SameMemory(source, job.target) && !IsEmpty(Intersect(job.clip, from))) {
        thread_local std::vector<std::uint8_t> scratch;
        const int width = from.right - from.left, height = from.bottom - from.top;
        const std::size_t rowBytes = static_cast<std::size_t>(width) * BytesPerPixel(source.format);
        if (scratch.size() < rowBytes * height) scratch.resize(rowBytes * height);
        for (int y = 0; y < height; ++y) {
            std::memcpy(scratch.data() + y * rowBytes, source.At(from.left, from.top + y),
                        rowBytes);
        }
        source = {scratch.data(), static_cast<std::ptrdiff_t>(rowBytes),
                  width,          height,
                  source.format,  source.palette};
        sourceRect = {0, 0, width, height};
    }

    if (plain) {
        CopyRows(job, source, sourceRect);
        return true;
    }
    switch (BytesPerPixel(source.format)) {
        case 2:
            BlitRows<std::uint16_t>(job, source, sourceRect, keyed, key);
            break;
        case 3:
            BlitRows<Pixel24>(job, source, sourceRect, keyed, key);
            break;
        default:
            BlitRows<std::uint32_t>(job, source, sourceRect, keyed, key);
            break;
    }
    return true;
}

void Fill(const PixelView& target, const RECT& rect, std::uint32_t pixel) {
    if (IsEmpty(rect)) return;
    const int count = rect.right - rect.left;
    for (int y = rect.top; y < rect.bottom; ++y) {
        std::uint8_t* row = target.At(rect.left, y);
        switch (BytesPerPixel(target.format)) {
            case 1:
                std::memset(row, static_cast<std::uint8_t>(pixel), static_cast<std::size_t>(count));
                break;
            case 2:
                std::fill_n(reinterpret_cast<std::uint16_t*>(row), count,
                            static_cast<std::uint16_t>(pixel));
                break;
            case 3:
                for (int i = 0; i < count; ++i) {
                    row[3 * i] = static_cast<std::uint8_t>(pixel);
                    row[3 * i + 1] = static_cast<std::uint8_t>(pixel >> 8);
                    row[3 * i + 2] = static_cast<std::uint8_t>(pixel >> 16);
                }
                break;
            default:
                std::fill_n(reinterpret_cast<std::uint32_t*>(row), count, pixel);
                break;
        }
    }
}

}  // namespace brannock::platform::display
