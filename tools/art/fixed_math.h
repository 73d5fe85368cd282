// Integer geometry for the art generator. Every coordinate is a fixed-point
// number with 8 fraction bits and every angle a whole degree, and the sines
// come from a table computed at compile time in integer arithmetic, so the
// pictures come out the same bit for bit on any compiler, build type or
// sanitizer: nothing depends on how a libm rounds.
#pragma once

#include <array>
#include <cstdint>

namespace brannock::art {

// Fixed-point coordinates: 1 pixel = kUnit.
inline constexpr std::int64_t kUnit = 256;

// Whole pixels (or a multiple of 1/256 px) as fixed point.
constexpr std::int64_t Px(std::int64_t pixels) {
    return pixels * kUnit;
}
// Quarter pixels, for radii and lengths that need finer steps.
constexpr std::int64_t Qp(std::int64_t quarters) {
    return quarters * kUnit / 4;
}

// Scale of the sine table: sin(90) = kTrigOne.
inline constexpr std::int64_t kTrigOne = 1 << 14;

namespace detail {

// sin(d degrees) for 0 <= d <= 90, as kTrigOne * sin rounded, from the
// Taylor series in 2^30 fixed point.
constexpr std::int64_t QuarterSine(int degrees) {
    constexpr std::int64_t kPi30 = 3373259426;  // pi * 2^30
    const std::int64_t x = kPi30 * degrees / 180;
    std::int64_t term = x;
    std::int64_t sum = x;
    for (int n = 1; n <= 9; ++n) {
        term = (term * x) >> 30;
        term = (term * x) >> 30;
        term = -term / ((2 * n) * (2 * n + 1));
        sum += term;
    }
    return (sum + (std::int64_t{1} << 15)) >> 16;
}

constexpr std::array<std::int64_t, 91> MakeSineTable() {
    std::array<std::int64_t, 91> table{};
    for (int d = 0; d <= 90; ++d)
        table[d] = QuarterSine(d);
    return table;
}

inline constexpr std::array<std::int64_t, 91> kSineTable = MakeSineTable();

}  // namespace detail

// sin and cos of a whole number of degrees (any sign), times kTrigOne.
constexpr std::int64_t Sin(int degrees) {
    int d = degrees % 360;
    if (d < 0) d += 360;
    if (d <= 90) return detail::kSineTable[d];
    if (d <= 180) return detail::kSineTable[180 - d];
    if (d <= 270) return -detail::kSineTable[d - 180];
    return -detail::kSineTable[360 - d];
}
constexpr std::int64_t Cos(int degrees) {
    return Sin(degrees + 90);
}

static_assert(Sin(30) == kTrigOne / 2 && Sin(90) == kTrigOne && Cos(180) == -kTrigOne);

// Floor of the square root.
constexpr std::int64_t ISqrt(std::int64_t value) {
    if (value <= 0) return 0;
    std::int64_t root = 0;
    std::int64_t bit = std::int64_t{1} << 62;
    while (bit > value)
        bit >>= 2;
    while (bit != 0) {
        if (value >= root + bit) {
            value -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    return root;
}

// Division rounding to the nearest integer, halves away from zero.
constexpr std::int64_t DivRound(std::int64_t a, std::int64_t b) {
    if (b < 0) a = -a, b = -b;
    return a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b);
}

struct Vec {
    std::int64_t x = 0;
    std::int64_t y = 0;

    friend constexpr Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
    friend constexpr Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
    friend constexpr bool operator==(Vec a, Vec b) = default;
};

constexpr std::int64_t Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y;
}
constexpr std::int64_t Length(Vec v) {
    return ISqrt(Dot(v, v));
}

// A bone of `length` at `degrees`: 0 points straight down, 90 forward (to
// the right, where the fighter faces), 180 up, -90 backward. Screen y grows
// downward.
constexpr Vec Polar(int degrees, std::int64_t length) {
    return {DivRound(Sin(degrees) * length, kTrigOne), DivRound(Cos(degrees) * length, kTrigOne)};
}

// `v` scaled by num / den, rounded.
constexpr Vec Scale(Vec v, std::int64_t num, std::int64_t den) {
    return {DivRound(v.x * num, den), DivRound(v.y * num, den)};
}

// `v` turned a quarter turn: forward becomes down, down becomes backward.
constexpr Vec Perp(Vec v) {
    return {-v.y, v.x};
}

// Pixel index of a fixed-point coordinate (floor).
constexpr int PixelOf(std::int64_t fixed) {
    return static_cast<int>(fixed >= 0 ? fixed / kUnit : -((-fixed + kUnit - 1) / kUnit));
}

// Centre of pixel `index` in fixed point.
constexpr std::int64_t CentreOf(int index) {
    return std::int64_t{index} * kUnit + kUnit / 2;
}

}  // namespace brannock::art
