#pragma once

#include "core/game.h"

namespace zentrix {

// Offers every combination of 8 out of 20 in lexicographic order (1 2 3 4 5 6 7 8 first,
// 13 14 15 16 17 18 19 20 last) and appends those the test accepts.
template <typename Accept>
void EnumerateCombs(Accept&& accept, TCombsArray& out) {
    TComb c;
    for (int i = 0; i < kCombSize; ++i) c[i] = static_cast<uint8_t>(i + 1);
    for (;;) {
        if (accept(static_cast<const TComb&>(c))) out.push_back(c);
        // Advance the rightmost position that still has room, then reset those after it.
        int p = kCombSize - 1;
        while (p >= 0 && c[p] == kMaxNumber - (kCombSize - 1 - p)) --p;
        if (p < 0) return;
        ++c[p];
        for (int q = p + 1; q < kCombSize; ++q) c[q] = static_cast<uint8_t>(c[q - 1] + 1);
    }
}

// All 125970 combinations, enumerated once.
const TCombsArray& AllCombs();

}  // namespace zentrix
