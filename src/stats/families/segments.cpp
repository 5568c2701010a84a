#include "stats/families/segments.h"

#include "stats/stat_list.h"
#include "util/format.h"

namespace zentrix {

TCellMap ConfiguredSegments(const TStatList& list) {
    return SegmentCells(list.Config().data.MatrixSegments);
}

// The smallest segment of the map (searched from 9 down) to the largest (searched from 1 up).
TIndexRange SegmentRange(const TConfigSettings& config) {
    TIndexRange r{9, 1};
    for (int c : SegmentCells(config.data.MatrixSegments).cells) {
        r.Low = std::min(r.Low, c);
        r.High = std::max(r.High, c);
    }
    return r;
}

TCustomSegmentsStat::TCustomSegmentsStat(const TStatList& list, int index)
    : TCellStat(list, index, ConfiguredSegments(list)) {}

TCustomSegmentsGraphStat::TCustomSegmentsGraphStat(const TStatList& list, int index)
    : TCellStat(list, index, ConfiguredSegments(list)) {}

TStatClassInfo TstSegments::Describe() {
    return {"SGMS", "Сегменты матрицы", TStatGroup::Segments, kFlagN};
}

TStatClassInfo TstSegmValues::Describe() {
    return {"SGMV", "Количество чисел в сегменте матрицы", TStatGroup::Segments, kFlagN};
}

TStatClassInfo TstSegmCount::Describe() {
    return {"SGMC", "Количество не пустых сегментов в матрице", TStatGroup::Segments, kFlagN};
}

template <int K>
TStatClassInfo TstCombSegmMix<K>::Describe() {
    return {Format("KGM%d", {K}), Format("Сочетания из %0:d сегментов по всем числам тиража", {K}),
            TStatGroup::Segments, kFlagS};
}

template <int K>
TStatClassInfo TstCombSegmSeq<K>::Describe() {
    return {Format("KGS%d", {K}), Format("Сочетания из %0:d сегментов по соседним числам", {K}),
            TStatGroup::Segments, kFlagS};
}

TStatClassInfo TstSgmValCnt::Describe() {
    return {"SGM%d",
            "Количество чисел в %0:d сегменте матрицы",
            TStatGroup::Segments,
            kFlagN,
            "SGMx",
            SegmentRange};
}

template class TstCombSegmMix<2>;
template class TstCombSegmMix<3>;
template class TstCombSegmMix<4>;
template class TstCombSegmSeq<2>;
template class TstCombSegmSeq<3>;
template class TstCombSegmSeq<4>;

}  // namespace zentrix
