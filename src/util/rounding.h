#pragma once

#include <cmath>
#include <cstdint>

namespace zentrix {

// Rounds to the nearest integer, a tie going to the even one (banker's rounding).
inline int64_t RoundHalfEven(long double x) {
    long double r = std::nearbyint(x);  // FE_TONEAREST is the default rounding mode
    if (std::fabs(x - r) == 0.5L) r = 2.0L * std::nearbyint(x / 2.0L);
    return static_cast<int64_t>(r);
}

}  // namespace zentrix
