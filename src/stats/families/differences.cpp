#include "stats/families/differences.h"

#include "stats/comb_filter.h"
#include "stats/families/comb_values.h"
#include "stats/stat_list.h"
#include "util/format.h"

namespace zentrix {

int MaxSameDiffs(const TDiffs& d) {
    int best = 0;
    for (int i = 0; i < kDiffCount; ++i) {
        int count = 0;
        for (int j = 0; j < kDiffCount; ++j) count += d[j] == d[i];
        best = std::max(best, count);
    }
    return best;
}

TStatClassInfo TstDiffTotal::Describe() {
    return {"DIFA", "Все разности между соседними позициями", TStatGroup::Differences,
            kFlagS | kFlagN};
}

TStatClassInfo TstDiffMax::Describe() {
    return {"DIFM", "Максимальная разность между соседними позициями", TStatGroup::Differences,
            kFlagS | kFlagN};
}

TStatClassInfo TstMinMaxDiffs::Describe() {
    return {"DIFD", "Разность между минимальным и максимальным числом", TStatGroup::Differences,
            kFlagN};
}

TStatClassInfo TstDiffSame::Describe() {
    return {"DIFO", "Одинаковые разности между соседними позициями", TStatGroup::Differences,
            kFlagS | kFlagN};
}

std::string TstDiffSame::ValueLabel(const TStatDraw& record) const {
    return Format("%0:d x %1:d", {record.Key.K[0], record.Key.K[1]});
}

std::unique_ptr<TCombFilter> TstDiffSame::DoPrepareFilter(std::span<const TStatDraw> selected,
                                                          const TStatContext& ctx) const {
    // Per difference, the counts selected with it (bit c for count c); most combinations have
    // no selected difference at all and need no counting.
    std::array<uint16_t, 256> counts{};
    for (const TStatDraw& r : selected) {
        const int d = static_cast<uint16_t>(r.Key.K[0]);
        const int c = static_cast<uint16_t>(r.Key.K[1]);
        if (d < 256 && c >= 1 && c <= kDiffCount) counts[d] |= static_cast<uint16_t>(1 << c);
    }
    return MakePredicateFilter(
        [counts](const TComb& comb) {
            const TDiffs d = NeighbourDiffs(comb);
            uint16_t any = 0;
            for (uint8_t x : d) any |= counts[x];
            if (any == 0) return false;
            for (int i = 0; i < kDiffCount; ++i) {
                if (counts[d[i]] == 0) continue;
                int n = 0;
                for (int j = 0; j < kDiffCount; ++j) n += d[j] == d[i];
                if ((counts[d[i]] >> n) & 1) return true;
            }
            return false;
        },
        ctx.Exclude);
}

TStatClassInfo TstDiffSameCnt::Describe() {
    return {"DIFK", "Количество одинаковых разностей между соседними позициями",
            TStatGroup::Differences, kFlagS | kFlagN};
}

template <int K>
TStatClassInfo TstCombDiffSeq<K>::Describe() {
    return {Format("KDS%d", {K}), Format("Сочетания из %0:d разностей между числами", {K}),
            TStatGroup::Differences, kFlagS};
}

template <int K>
std::string TstCombDiffSeq<K>::ValueLabel(const TStatDraw& record) const {
    return TupleLabel(record, K);
}

template <int K>
std::unique_ptr<TCombFilter> TstCombDiffSeq<K>::DoPrepareFilter(std::span<const TStatDraw> selected,
                                                                const TStatContext& ctx) const {
    // A run is looked up only when its first difference starts a selected run.
    std::vector<uint64_t> keys;
    TByteSet heads;
    for (const TStatDraw& r : selected) {
        keys.push_back(r.Key.Packed());
        heads.Add(static_cast<uint16_t>(r.Key.K[0]));
    }
    return MakePredicateFilter(
        [heads, set = TKeySet(keys)](const TComb& comb) {
            const TDiffs d = NeighbourDiffs(comb);
            for (int j = 0; j + K <= kDiffCount; ++j) {
                if (!heads.hit[d[j]]) continue;
                uint64_t key = 0;
                for (int i = 0; i < K; ++i) key |= uint64_t{d[j + i]} << (16 * i);
                if (set.HasKey(key)) return true;
            }
            return false;
        },
        ctx.Exclude);
}

template class TstCombDiffSeq<2>;
template class TstCombDiffSeq<3>;
template class TstCombDiffSeq<4>;

}  // namespace zentrix
