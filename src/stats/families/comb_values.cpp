#include "stats/families/comb_values.h"

#include <charconv>

#include "stats/comb_filter.h"
#include "stats/stat_list.h"
#include "util/format.h"

namespace zentrix {

namespace {

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

TCustomCombValuesStat::TCustomCombValuesStat(const TStatList& list, int index, int size,
                                             const std::vector<TPositionSet>* sets)
    : TCustomStat(list, index), sets_(sets), size_(size) {}

std::string TupleLabel(const TStatDraw& record, int k) {
    char buf[32];
    char* p = buf;
    for (int i = 0; i < k && i < 4; ++i) {
        if (i) *p++ = ':';
        p = std::to_chars(p, buf + sizeof buf, static_cast<int>(record.Key.K[i])).ptr;
    }
    return std::string(buf, p);
}

std::string TCustomCombValuesStat::ValueLabel(const TStatDraw& record) const {
    return TupleLabel(record, size_);
}

template <int K>
TStatClassInfo TstCombValMix<K>::Describe() {
    return {Format("KNM%d", {K}), Format("Сочетания из %0:d чисел по всем числам тиража", {K}),
            TStatGroup::Numbers, kFlagS};
}

template <int K>
TStatClassInfo TstCombValSeq<K>::Describe() {
    return {Format("KNS%d", {K}), Format("Сочетания из %0:d соседних чисел тиража", {K}),
            TStatGroup::Numbers, kFlagS};
}

template <int K>
TstCombValPos<K>::TstCombValPos(const TStatList& list, int index)
    : TSetValuesStat<TstCombValPos<K>, TCustomCombValuesStat>(list, index, K, nullptr) {
    // An index outside the range reads no positions.
    if (index >= 1 && index <= kCombSize + 1 - K) own_ = MakeRunSets(K, index - 1, index - 1);
    this->sets_ = &own_;
}

template <int K>
TStatClassInfo TstCombValPos<K>::Describe() {
    return {Format("KNP%d", {K}) + "%d",
            Format("Сочетания из %d-х чисел тиража начиная с ", {K}) + "%0:d позиции",
            TStatGroup::Numbers,
            kFlagS,
            Format("KNP%d", {K}),
            PosRange<K>};
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
