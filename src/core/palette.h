#pragma once

#include <cstdint>

namespace zentrix {

struct TColor {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const TColor&) const = default;
};

inline constexpr TColor kWhite{255, 255, 255};
inline constexpr TColor kReferenceRowColor{255, 170, 170};

// The background of number n's channel; pure red for a number outside 1..20.
TColor ChannelColor(int n, int width);

}  // namespace zentrix
