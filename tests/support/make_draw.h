#pragma once

#include <array>

#include "core/draw.h"
#include "core/game.h"

namespace zentrix::test {

// Brace lists of plain ints read better in test tables than uint8_t casts.
inline TDraw MakeDraw(int number, const std::array<int, kCombSize>& numbers, int extra = 1,
                      const char* date = "") {
    TDraw d;
    d.Number = number;
    for (int i = 0; i < kCombSize; ++i) d.Numbers[i] = static_cast<uint8_t>(numbers[i]);
    d.Extra = static_cast<uint8_t>(extra);
    d.SetDateText(date);
    return d;
}

}  // namespace zentrix::test
