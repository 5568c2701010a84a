#include "core/demo_archive.h"

#include <random>

namespace zentrix {

namespace {

// Uniform in 0..range-1 by rejection, so the result does not depend on the library's
// distribution classes.
uint32_t Uniform(std::mt19937& rng, uint32_t range) {
    const uint32_t limit = UINT32_MAX - UINT32_MAX % range;
    uint32_t v;
    do v = static_cast<uint32_t>(rng());
    while (v >= limit);
    return v % range;
}

}  // namespace

TDrawsArray MakeDemoDraws(int count, uint32_t seed, TDateTime start) {
    std::mt19937 rng(seed);
    TDrawsArray draws;
    draws.reserve(count > 0 ? static_cast<size_t>(count) : 0);
    for (int i = 0; i < count; ++i) {
        std::array<uint8_t, kMaxNumber> pool;
        for (int n = 0; n < kMaxNumber; ++n) pool[n] = static_cast<uint8_t>(n + 1);
        TDraw d;
        d.Number = i + 1;
        for (int k = 0; k < kCombSize; ++k) {
            uint32_t j = k + Uniform(rng, kMaxNumber - k);
            std::swap(pool[k], pool[j]);
            d.Numbers[k] = pool[k];
        }
        d.Extra = static_cast<uint8_t>(1 + Uniform(rng, kExtraMax));
        d.SetDateText(DateTimeText(start + i * (15.0 / (24 * 60))));
        draws.push_back(d);
    }
    return draws;
}

}  // namespace zentrix
