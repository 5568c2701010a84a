#include "stats/comb_filter.h"

#include <vector>

namespace zentrix {

namespace {

// Any byte of the word equal to one of N values: the zero-byte test on the word XOR-ed with
// each value spread over all bytes.
template <int N>
struct TSwarBytes {
    std::array<uint64_t, N> spread{};
    bool operator()(const TComb& comb) const {
        const uint64_t w = CombWord(comb);
        uint64_t any = 0;
        for (int i = 0; i < N; ++i) any |= ZeroByteBits(w ^ spread[i]);
        return any != 0;
    }
};

template <int N>
std::unique_ptr<TCombFilter> SwarFilter(const std::vector<int>& values, bool exclude) {
    TSwarBytes<N> swar;
    for (int i = 0; i < N; ++i) swar.spread[i] = 0x0101010101010101ull * uint64_t(values[i]);
    return MakePredicateFilter(swar, exclude);
}

struct TTableBytes {
    std::array<uint8_t, 256> hit{};
    bool operator()(const TComb& c) const {
        return (hit[c[0]] | hit[c[1]] | hit[c[2]] | hit[c[3]] | hit[c[4]] | hit[c[5]] | hit[c[6]] |
                hit[c[7]]) != 0;
    }
};

}  // namespace

bool AllCanonical(std::span<const TComb> combs) {
    // IsCanonicalComb's tests as bits of one word over the whole list, so the loop vectorises.
    constexpr uint64_t kHigh = 0x8080808080808080ull, kHigh7 = 0x0080808080808080ull;
    uint64_t bad = 0;
    for (const TComb& c : combs) {
        const uint64_t w = CombWord(c);
        bad |= (w | (w + 0x6B6B6B6B6B6B6B6Bull)) & kHigh;
        bad |=
            ~(((w >> 8) | kHigh7) - (w & 0x00FFFFFFFFFFFFFFull) - 0x0001010101010101ull) & kHigh7;
        bad |= ((w & 0xFF) - 1) >> 63;
    }
    return bad == 0;
}

std::unique_ptr<TCombFilter> AnyByteFilter(const TByteSet& set, bool exclude) {
    std::vector<int> values;
    for (int v = 0; v < 256; ++v)
        if (set.hit[v]) values.push_back(v);
    switch (values.size()) {
        case 0:
            return MakePredicateFilter([](const TComb&) { return false; }, exclude);
        case 1:
            return SwarFilter<1>(values, exclude);
        case 2:
            return SwarFilter<2>(values, exclude);
        case 3:
            return SwarFilter<3>(values, exclude);
        case 4:
            return SwarFilter<4>(values, exclude);
        default:
            break;
    }
    return MakePredicateFilter(TTableBytes{set.hit}, exclude);
}

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
