// Copies of one run of pixels: the inner loop of drawing from opaque runs.
// A sprite's runs are short and of similar lengths, so a run is copied
// inline as a few fixed-size blocks, the last ones overlapping those before
// rather than leaving a tail, and the code branches only on the run's size
// class; a call to memcpy would cost about as much as the copy. kVector is
// the widest vector the calling code is compiled for: 16 bytes anywhere, 32
// in code built for AVX2.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

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

}  // namespace brannock::platform::display::run_copy
