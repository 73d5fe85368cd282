// Copies of one run of pixels, as they are or in reverse pixel order: the
// inner loop of drawing from opaque runs. A sprite's runs are short and of
// similar lengths, so a run is copied inline as a few fixed-size blocks,
// the last ones overlapping those before rather than leaving a tail, and
// the code branches only on the run's size class; a call to memcpy would
// cost about as much as the copy. kVector is the widest vector the calling
// code is compiled for: 16 bytes anywhere, 32 in code built for AVX2.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

namespace brannock::platform::display::run_copy {

using Byte = std::uint8_t;

template <std::size_t kBytes, std::size_t kVector>
[[gnu::always_inline]] inline void Move(Byte* __restrict target, const Byte* __restrict source) {
    // In vector-sized pieces: compilers copy larger constant sizes with a
    // string instruction, which is slow to start.
    if constexpr (kBytes > kVector) {
        Move<kVector, kVector>(target, source);
        Move<kBytes - kVector, kVector>(target + kVector, source + kVector);
    } else if constexpr (kBytes >= 16) {
        // Through a vector: a block copy of this size may be split into
        // narrower moves.
        typedef Byte Vector __attribute__((vector_size(kBytes)));
        Vector v;
        std::memcpy(&v, source, sizeof v);
        std::memcpy(target, &v, sizeof v);
    } else {
        std::memcpy(target, source, kBytes);
    }
}

// n bytes, kBlock <= n <= 4 * kBlock.
template <std::size_t kBlock, std::size_t kVector>
[[gnu::always_inline]] inline void MoveBlocks(Byte* __restrict target,
                                              const Byte* __restrict source, std::size_t n) {
    Move<kBlock, kVector>(target, source);
    if (n > 2 * kBlock) {
        Move<kBlock, kVector>(target + kBlock, source + kBlock);
        Move<kBlock, kVector>(target + n - 2 * kBlock, source + n - 2 * kBlock);
    }
    Move<kBlock, kVector>(target + n - kBlock, source + n - kBlock);
}

// Copies n bytes, n >= 2 (one pixel).
template <std::size_t kVector>
[[gnu::always_inline]] inline void CopyForward(Byte* __restrict target,
                                               const Byte* __restrict source, std::size_t n) {
    if (n > 2 * kVector) {
        if (n <= 8 * kVector) {
            MoveBlocks<2 * kVector, kVector>(target, source, n);
        } else if (n <= 16 * kVector) {
            MoveBlocks<4 * kVector, kVector>(target, source, n);
        } else {
            std::memcpy(target, source, n);
        }
    } else if (n >= kVector) {
        MoveBlocks<kVector, kVector>(target, source, n);
    } else if (kVector > 16 && n >= 16) {
        MoveBlocks<16, 16>(target, source, n);
    } else if (n >= 8) {
        MoveBlocks<8, 8>(target, source, n);
    } else if (n >= 4) {
        MoveBlocks<4, 4>(target, source, n);
    } else {
        MoveBlocks<2, 2>(target, source, n);
    }
}

// Byte i of a kBytes block whose kPixel-byte pixels are in reverse order.
constexpr int ReversedLane(std::size_t i, std::size_t kPixel, std::size_t kBytes) {
    return static_cast<int>((kBytes / kPixel - 1 - i / kPixel) * kPixel + i % kPixel);
}

template <std::size_t kPixel, std::size_t kBytes, std::size_t... kLane>
[[gnu::always_inline]] inline void ReverseVector(Byte* __restrict target,
                                                 const Byte* __restrict source,
                                                 std::index_sequence<kLane...>) {
    if constexpr (kPixel == 4 && kBytes == 32) {
        // The two halves swapped as they are loaded, then each reversed in
        // place: cheaper than a shuffle across the halves on some cores.
        typedef std::uint32_t Half __attribute__((vector_size(16)));
        typedef std::uint32_t Whole __attribute__((vector_size(32)));
        Half low, high;
        std::memcpy(&low, source, sizeof low);
        std::memcpy(&high, source + 16, sizeof high);
        const Whole v = __builtin_shufflevector(high, low, 3, 2, 1, 0, 7, 6, 5, 4);
        std::memcpy(target, &v, sizeof v);
    } else if constexpr (kPixel == 2 && kBytes == 16) {
        // Without a byte shuffle (plain SSE2) reversing the 32-bit words and
        // swapping their halves is quicker than a shuffle of 16-bit lanes.
        typedef std::uint32_t Words __attribute__((vector_size(16)));
        Words v;
        std::memcpy(&v, source, sizeof v);
        v = __builtin_shufflevector(v, v, 3, 2, 1, 0);
        v = (v << 16) | (v >> 16);
        std::memcpy(target, &v, sizeof v);
    } else {
        typedef Byte Bytes __attribute__((vector_size(kBytes)));
        Bytes v;
        std::memcpy(&v, source, sizeof v);
        v = __builtin_shufflevector(v, v, ReversedLane(kLane, kPixel, kBytes)...);
        std::memcpy(target, &v, sizeof v);
    }
}

// target[0, kBytes) = source[0, kBytes) with its pixels in reverse order.
template <std::size_t kPixel, std::size_t kBytes, std::size_t kVector>
[[gnu::always_inline]] inline void MoveReversed(Byte* __restrict target,
                                                const Byte* __restrict source) {
    if constexpr (kBytes > kVector) {
        MoveReversed<kPixel, kVector, kVector>(target, source + kBytes - kVector);
        MoveReversed<kPixel, kBytes - kVector, kVector>(target + kVector, source);
    } else {
        ReverseVector<kPixel, kBytes>(target, source, std::make_index_sequence<kBytes>());
    }
}

// n bytes, kBlock <= n <= 4 * kBlock: the target block at offset o holds
// the source bytes [n - o - kBlock, n - o), reversed.
template <std::size_t kPixel, std::size_t kBlock, std::size_t kVector>
[[gnu::always_inline]] inline void MoveReversedBlocks(Byte* __restrict target,
                                                      const Byte* __restrict source,
                                                      std::size_t n) {
    MoveReversed<kPixel, kBlock, kVector>(target, source + n - kBlock);
    if (n > 2 * kBlock) {
        MoveReversed<kPixel, kBlock, kVector>(target + kBlock, source + n - 2 * kBlock);
        MoveReversed<kPixel, kBlock, kVector>(target + n - 2 * kBlock, source + kBlock);
    }
    MoveReversed<kPixel, kBlock, kVector>(target + n - kBlock, source);
}

// Copies the n bytes of whole kPixel-byte pixels at `source` to `target`
// with the pixels in reverse order; kPixel is 2 or 4.
template <std::size_t kPixel, std::size_t kVector>
[[gnu::always_inline]] inline void CopyReversed(Byte* __restrict target,
                                                const Byte* __restrict source, std::size_t n) {
    if (n > 2 * kVector) {
        if (n <= 8 * kVector) {
            MoveReversedBlocks<kPixel, 2 * kVector, kVector>(target, source, n);
        } else if (n <= 16 * kVector) {
            MoveReversedBlocks<kPixel, 4 * kVector, kVector>(target, source, n);
        } else {
            for (std::size_t o = 0; o < n; o += kVector) {
                const std::size_t at = o + kVector <= n ? o : n - kVector;
                MoveReversed<kPixel, kVector, kVector>(target + at, source + n - at - kVector);
            }
        }
    } else if (n >= kVector) {
        MoveReversedBlocks<kPixel, kVector, kVector>(target, source, n);
    } else if (kVector > 16 && n >= 16) {
        MoveReversedBlocks<kPixel, 16, 16>(target, source, n);
    } else {
        for (std::size_t o = 0; o < n; o += kPixel)
            std::memcpy(target + o, source + n - kPixel - o, kPixel);
    }
}

}  // namespace brannock::platform::display::run_copy
