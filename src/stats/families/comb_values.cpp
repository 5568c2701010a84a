#include "stats/families/comb_values.h"

#include <charconv>

#include "stats/comb_filter.h"
#include "stats/stat_list.h"
#include "util/format.h"

namespace zentrix {

namespace {

constexpr int kGroupNumbers = 0;

std::vector<TPositionSet> MakeMixSets(int k) {
    std::vector<TPositionSet> sets;
    TPositionSet p{};
    // Odometer over ascending positions, the first position outermost.
    for (int i = 0; i < k; ++i) p[i] = static_cast<uint8_t>(i);
    for (;;) {
        sets.push_back(p);
        int j = k - 1;
        while (j >= 0 && p[j] == kCombSize - k + j) --j;
        if (j < 0) return sets;
        ++p[j];
        for (int q = j + 1; q < k; ++q) p[q] = static_cast<uint8_t>(p[q - 1] + 1);
    }
}

std::vector<TPositionSet> MakeRunSets(int k, int first, int last) {
    std::vector<TPositionSet> sets;
    for (int start = first; start <= last; ++start) {
        TPositionSet p{};
        for (int i = 0; i < k; ++i) p[i] = static_cast<uint8_t>(start + i);
        sets.push_back(p);
    }
    return sets;
}

// The key of the tuple at one set of positions.
uint64_t TupleKey(const TComb& numbers, const TPositionSet& p, int k) {
    uint64_t key = 0;
    for (int i = 0; i < k; ++i) key |= uint64_t{numbers[p[i]]} << (16 * i);
    return key;
}

template <int K>
TIndexRange PosRange(const TConfigSettings&) {
    return {1, kCombSize + 1 - K};
}

}  // namespace

const std::vector<TPositionSet>& MixPositionSets(int k) {
    static const std::array<std::vector<TPositionSet>, 5> sets = {std::vector<TPositionSet>{},
                                                                  MakeMixSets(1), MakeMixSets(2),
                                                                  MakeMixSets(3), MakeMixSets(4)};
    return sets.at(k);
}

const std::vector<TPositionSet>& SeqPositionSets(int k) {
    static const std::array<std::vector<TPositionSet>, 5> sets = {
        std::vector<TPositionSet>{}, MakeRunSets(1, 0, 7), MakeRunSets(2, 0, 6),
        MakeRunSets(3, 0, 5), MakeRunSets(4, 0, 4)};
    return sets.at(k);
}

TCustomCombValuesStat::TCustomCombValuesStat(const TStatList& list, int index, int size)
    : TCustomStat(list, index), size_(size) {}

std::string TCustomCombValuesStat::ValueLabel(const TStatDraw& record) const {
    char buf[32];
    char* p = buf;
    for (int i = 0; i < size_; ++i) {
        if (i) *p++ = ':';
        p = std::to_chars(p, buf + sizeof buf, static_cast<int>(record.Key.K[i])).ptr;
    }
    return std::string(buf, p);
}

void TCustomCombValuesStat::DoAddDrawValues(int, int, bool, TStatDrawArray& values, TScanState&) {
    for (const TPositionSet& p : Sets())
        AddKey(values, TStatKey::FromPacked(TupleKey(current_.Numbers, p, size_)), true);
}

bool TCustomCombValuesStat::FilterTest(const TComb& comb, std::span<const TStatDraw> selected, int,
                                       bool, bool) const {
    for (const TPositionSet& p : Sets()) {
        int k[4] = {0, 0, 0, 0};
        for (int i = 0; i < size_; ++i) k[i] = comb[p[i]];
        if (MatchKey(selected, k[0], k[1], k[2], k[3])) return true;
    }
    return false;
}

std::unique_ptr<TCombFilter> TCustomCombValuesStat::PrepareFilter(
    std::span<const TStatDraw> selected, int, bool, bool exclude) const {
    return MakePredicateFilter(
        [keys = TKeySet(selected), sets = Sets(), size = size_](const TComb& c) {
            for (const TPositionSet& p : sets)
                if (keys.Has(TupleKey(c, p, size))) return true;
            return false;
        },
        exclude);
}

template <int K>
const TStatClass& TstCombValMix<K>::Class() {
    static const TStatClass c = MakeStatClass<TstCombValMix<K>>(
        {K == 2   ? "TstCombValMix2"
         : K == 3 ? "TstCombValMix3"
                  : "TstCombValMix4",
         Format("KNM%d", {K}), Format("Сочетания из %0:d чисел по всем числам тиража", {K}),
         kGroupNumbers, kFlagS});
    return c;
}

template <int K>
const TStatClass& TstCombValSeq<K>::Class() {
    static const TStatClass c = MakeStatClass<TstCombValSeq<K>>(
        {K == 2   ? "TstCombValSeq2"
         : K == 3 ? "TstCombValSeq3"
                  : "TstCombValSeq4",
         Format("KNS%d", {K}), Format("Сочетания из %0:d соседних чисел тиража", {K}),
         kGroupNumbers, kFlagS});
    return c;
}

template <int K>
TstCombValPos<K>::TstCombValPos(const TStatList& list, int index)
    : TCustomCombValuesStat(list, index, K) {
    // An index outside the range reads no positions.
    if (index >= 1 && index <= kCombSize + 1 - K) sets_ = MakeRunSets(K, index - 1, index - 1);
}

template <int K>
const TStatClass& TstCombValPos<K>::Class() {
    static const TStatClass c = MakeStatClass<TstCombValPos<K>>(
        {K == 2   ? "TstCombValPos2"
         : K == 3 ? "TstCombValPos3"
                  : "TstCombValPos4",
         Format("KNP%d", {K}) + "%d",
         Format("Сочетания из %d-х чисел тиража начиная с ", {K}) + "%0:d позиции", kGroupNumbers,
         kFlagS, Format("KNP%d", {K}), PosRange<K>});
    return c;
}

template class TstCombValMix<2>;
template class TstCombValMix<3>;
template class TstCombValMix<4>;
template class TstCombValSeq<2>;
template class TstCombValSeq<3>;
template class TstCombValSeq<4>;
template class TstCombValPos<2>;
template class TstCombValPos<3>;
template class TstCombValPos<4>;

}  // namespace zentrix
