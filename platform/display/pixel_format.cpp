#include "platform/display/pixel_format.h"

#include <array>

namespace brannock::platform::display {

bool FormatForDepth(int bitsPerPixel, PixelFormat& format) {
    switch (bitsPerPixel) {
        case 16:
            format = PixelFormat::kRgb565;
            return true;
        case 24:
            format = PixelFormat::kRgb888;
            return true;
        case 32:
            format = PixelFormat::kXrgb8888;
            return true;
        default:
            return false;
    }
}

bool FormatForMasks(int bitsPerPixel, std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                    PixelFormat& format) {
    for (PixelFormat candidate : {PixelFormat::kRgb555, PixelFormat::kRgb565, PixelFormat::kRgb888,
                                  PixelFormat::kXrgb8888}) {
        const FormatInfo info = Info(candidate);
        if (info.bitsPerPixel == bitsPerPixel && info.redMask == red && info.greenMask == green &&
            info.blueMask == blue) {
            format = candidate;
            return true;
        }
    }
    return false;
}

namespace {

template <PixelFormat F>
std::uint32_t PixelToRgbOf(std::uint32_t pixel) {
    return ToRgb<F>(pixel);
}

template <PixelFormat F>
std::uint32_t RgbToPixelOf(std::uint32_t rgb) {
    return FromRgb<F>(rgb);
}

template <PixelFormat F>
std::uint32_t ReadPixelOf(const std::uint8_t* p) {
    return LoadPixel<F>(p);
}

template <PixelFormat F>
void WritePixelOf(std::uint8_t* p, std::uint32_t pixel) {
    StorePixel<F>(p, pixel);
}

template <PixelFormat S, PixelFormat T>
void ConvertRow(const std::uint8_t* source, std::uint8_t* target, int count) {
    constexpr int kSourceBytes = BytesPerPixel(S);
    constexpr int kTargetBytes = BytesPerPixel(T);
    if constexpr (S == T) {
        std::memmove(target, source, static_cast<std::size_t>(count) * kSourceBytes);
    } else {
        for (int i = 0; i < count; ++i) {
            const std::uint32_t rgb = ToRgb<S>(LoadPixel<S>(source + i * kSourceBytes));
            StorePixel<T>(target + i * kTargetBytes, FromRgb<T>(rgb));
        }
    }
}

constexpr std::size_t kFormats = 6;

// Instantiates `Table<F>::value` for every format, indexed by the enum.
template <template <PixelFormat> class Entry>
constexpr auto MakeTable() {
    return std::array{Entry<PixelFormat::kRgb555>::value,   Entry<PixelFormat::kRgb565>::value,
                      Entry<PixelFormat::kRgb888>::value,   Entry<PixelFormat::kXrgb8888>::value,
                      Entry<PixelFormat::kArgb8888>::value, Entry<PixelFormat::kIndexed8>::value};
}

template <PixelFormat F>
struct ToRgbEntry {
    static constexpr auto value = &PixelToRgbOf<F>;
};
template <PixelFormat F>
struct FromRgbEntry {
    static constexpr auto value = &RgbToPixelOf<F>;
};
template <PixelFormat F>
struct ReadEntry {
    static constexpr auto value = &ReadPixelOf<F>;
};
template <PixelFormat F>
struct WriteEntry {
    static constexpr auto value = &WritePixelOf<F>;
};
template <PixelFormat S>
struct ConverterRow {
    template <PixelFormat T>
    struct Entry {
        static constexpr RowConverter value = &ConvertRow<S, T>;
    };
    static constexpr auto value = MakeTable<Entry>();
};

constexpr auto kToRgb = MakeTable<ToRgbEntry>();
constexpr auto kFromRgb = MakeTable<FromRgbEntry>();
constexpr auto kRead = MakeTable<ReadEntry>();
constexpr auto kWrite = MakeTable<WriteEntry>();
constexpr auto kConverters = MakeTable<ConverterRow>();

constexpr std::size_t Index(PixelFormat format) {
    return static_cast<std::size_t>(format);
}
static_assert(kConverters.size() == kFormats);

}  // namespace

std::uint32_t PixelToRgb(PixelFormat format, std::uint32_t pixel) {
    return kToRgb[Index(format)](pixel);
}

std::uint32_t RgbToPixel(PixelFormat format, std::uint32_t rgb) {
    return kFromRgb[Index(format)](rgb);
}

std::uint32_t ReadPixel(PixelFormat format, const std::uint8_t* p) {
    return kRead[Index(format)](p);
}

void WritePixel(PixelFormat format, std::uint8_t* p, std::uint32_t pixel) {
    kWrite[Index(format)](p, pixel);
}

RowConverter ConverterFor(PixelFormat source, PixelFormat target) {
    return kConverters[Index(source)][Index(target)];
}

}  // namespace brannock::platform::display
