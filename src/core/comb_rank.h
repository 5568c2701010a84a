#pragma once

#include <array>
#include <cstdint>
#include <cstring>

#include "core/game.h"

namespace zentrix {

namespace detail {
// kRankTerms[p][v] = Binomial(20 - v, 8 - p). The terms of a combination's eight numbers add
// up to the count of combinations after it in lexicographic order.
inline constexpr auto kRankTerms = [] {
    std::array<std::array<uint32_t, kMaxNumber + 1>, kCombSize> t{};
    for (int p = 0; p < kCombSize; ++p)
        for (int v = 1; v <= kMaxNumber; ++v) {
            const int n = kMaxNumber - v, k = kCombSize - p;
            uint64_t b = k > n ? 0 : 1;
            for (int i = 1; i <= k && k <= n; ++i) b = b * (n - k + i) / i;
            t[p][v] = static_cast<uint32_t>(b);
        }
    return t;
}();
}  // namespace detail

// The eight bytes of a combination as one little-endian word (byte 1 lowest).
inline uint64_t CombWord(const TComb& comb) {
    uint64_t w;
    std::memcpy(&w, comb.data(), sizeof w);
    return w;
}

// True when the eight numbers ascend strictly within 1..20, as every generated combination's
// do; a list read from a file may hold any bytes. One word, no branch.
inline bool IsCanonicalComb(const TComb& c) {
    constexpr uint64_t kHigh = 0x8080808080808080ull;
    constexpr uint64_t kHigh7 = 0x0080808080808080ull;  // bytes 0..6
    const uint64_t w = CombWord(c);
    // Every byte at most 127, then at most 20 (adding 107 carries into no other byte).
    const bool small = ((w | (w + 0x6B6B6B6B6B6B6B6Bull)) & kHigh) == 0;
    // Byte i + 1 above byte i: 0x80 + next - this - 1 keeps its high bit, without borrows.
    const uint64_t steps =
        ((w >> 8) | kHigh7) - (w & 0x00FFFFFFFFFFFFFFull) - 0x0001010101010101ull;
    return small & ((steps & kHigh7) == kHigh7) & ((w & 0xFF) != 0);
}

// The position 0..125969 of a canonical combination in the full list in lexicographic order
// (AllCombs); -1 for any other bytes.
inline int CombRank(const TComb& c) {
    if (!IsCanonicalComb(c)) return -1;
    uint32_t after = 0;
    for (int p = 0; p < kCombSize; ++p) after += detail::kRankTerms[p][c[p]];
    return kCombCount - 1 - static_cast<int>(after);
}

}  // namespace zentrix
