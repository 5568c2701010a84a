#pragma once

#include <cstddef>
#include <cstdint>

namespace zentrix {

// Set bits of a word, without the library call that std::popcount becomes on a baseline CPU.
inline size_t BitCount(uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<size_t>((x * 0x0101010101010101ull) >> 56);
}

}  // namespace zentrix
