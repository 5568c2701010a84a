#include "stats/comb_filter.h"

namespace zentrix {

TByteSet SelectedBytes(std::span<const TStatDraw> selected, bool useW1) {
    TByteSet set;
    for (const TStatDraw& r : selected) set.Add(useW1 ? r.Key.W1() : r.Key.K[0]);
    return set;
}

TKeySet::TKeySet(std::span<const uint64_t> keys) {
    size_t capacity = 16;
    while (capacity < keys.size() * 2) capacity *= 2;
    slots_.assign(capacity, 0);
    used_.assign(capacity, 0);
    for (size_t c = capacity; c > 1; c >>= 1) --shift_;
    const size_t mask = capacity - 1;
    for (const uint64_t packed : keys) {
        size_t s = Slot(packed);
        while (used_[s] && slots_[s] != packed) s = (s + 1) & mask;
        if (used_[s]) continue;
        used_[s] = 1;
        slots_[s] = packed;
        ++count_;
    }
}

}  // namespace zentrix
