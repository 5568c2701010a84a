#pragma once

#include "stats/families/cells.h"

namespace zentrix {

TCellMap ConfiguredSegments(const TStatList& list);
// The smallest to the largest segment of the configured map.
TIndexRange SegmentRange(const TConfigSettings& config);

// The segment map of the configuration, copied by every segment method.
class TCustomSegmentsStat : public TCellStat<TCustomNumbersStat> {
  public:
    TCustomSegmentsStat(const TStatList& list, int index);
};

class TCustomSegmentsGraphStat : public TCellStat<TCustomGraphStat> {
  public:
    TCustomSegmentsGraphStat(const TStatList& list, int index);
};

// SGMS
class TstSegments final : public TCellsStat<TstSegments, TCustomSegmentsStat> {
  public:
    using TCellsStat::TCellsStat;
    static TStatClassInfo Describe();
};

// SGMV
class TstSegmValues final : public TCellCountsStat<TstSegmValues, TCustomSegmentsStat> {
  public:
    using TCellCountsStat::TCellCountsStat;
    static TStatClassInfo Describe();
};

// SGMC
class TstSegmCount final : public TCellSpreadStat<TstSegmCount, TCustomSegmentsGraphStat> {
  public:
    using TCellSpreadStat::TCellSpreadStat;
    static TStatClassInfo Describe();
};

// KGM2..KGM4
template <int K>
class TstCombSegmMix final
    : public TCellTupleStat<TstCombSegmMix<K>, TCustomSegmentsStat, K, true> {
  public:
    using TCellTupleStat<TstCombSegmMix<K>, TCustomSegmentsStat, K, true>::TCellTupleStat;
    static TStatClassInfo Describe();
};

// KGS2..KGS4
template <int K>
class TstCombSegmSeq final
    : public TCellTupleStat<TstCombSegmSeq<K>, TCustomSegmentsStat, K, false> {
  public:
    using TCellTupleStat<TstCombSegmSeq<K>, TCustomSegmentsStat, K, false>::TCellTupleStat;
    static TStatClassInfo Describe();
};

// SGMk, from the smallest to the largest segment of the map.
class TstSgmValCnt final : public TCellValueCountStat<TstSgmValCnt, TCustomSegmentsGraphStat> {
  public:
    using TCellValueCountStat::TCellValueCountStat;
    static TStatClassInfo Describe();
};

using TstCombSegmMix2 = TstCombSegmMix<2>;
using TstCombSegmMix3 = TstCombSegmMix<3>;
using TstCombSegmMix4 = TstCombSegmMix<4>;
using TstCombSegmSeq2 = TstCombSegmSeq<2>;
using TstCombSegmSeq3 = TstCombSegmSeq<3>;
using TstCombSegmSeq4 = TstCombSegmSeq<4>;

extern template class TstCombSegmMix<2>;
extern template class TstCombSegmMix<3>;
extern template class TstCombSegmMix<4>;
extern template class TstCombSegmSeq<2>;
extern template class TstCombSegmSeq<3>;
extern template class TstCombSegmSeq<4>;

}  // namespace zentrix
