#pragma once

#include "stats/families/cells.h"

namespace zentrix {

// One entry per channel of the configured size; none for a size of 0 or less.
TIndexRange ChannelRange(const TConfigSettings& config);
TCellMap ConfiguredChannels(const TStatList& list);

// The channel size of the configuration, kept by every channel method.
class TCustomChannelsStat : public TCellStat<TCustomNumbersStat> {
  public:
    TCustomChannelsStat(const TStatList& list, int index);
    int ChannelSize() const { return cells_.channelSize; }
};

class TCustomChannelsGraphStat : public TCellStat<TCustomGraphStat> {
  public:
    TCustomChannelsGraphStat(const TStatList& list, int index);
    int ChannelSize() const { return cells_.channelSize; }
};

// CHAN
class TstChannels final : public TCellsStat<TstChannels, TCustomChannelsStat> {
  public:
    using TCellsStat::TCellsStat;
    static TStatClassInfo Describe();
    // The text up to the first blank: the label 02 [5-8] reads 2.
    int32_t LabelToValue(std::string_view text) const override;
};

// CHNV
class TstChanValues final : public TCellCountsStat<TstChanValues, TCustomChannelsStat> {
  public:
    using TCellCountsStat::TCellCountsStat;
    static TStatClassInfo Describe();
};

// CHNC
class TstChanCount final : public TCellSpreadStat<TstChanCount, TCustomChannelsGraphStat> {
  public:
    using TCellSpreadStat::TCellSpreadStat;
    static TStatClassInfo Describe();
};

// KCM2..KCM4
template <int K>
class TstCombChnMix final : public TCellTupleStat<TstCombChnMix<K>, TCustomChannelsStat, K, true> {
  public:
    using TCellTupleStat<TstCombChnMix<K>, TCustomChannelsStat, K, true>::TCellTupleStat;
    static TStatClassInfo Describe();
};

// KCS2..KCS4
template <int K>
class TstCombChnSeq final : public TCellTupleStat<TstCombChnSeq<K>, TCustomChannelsStat, K, false> {
  public:
    using TCellTupleStat<TstCombChnSeq<K>, TCustomChannelsStat, K, false>::TCellTupleStat;
    static TStatClassInfo Describe();
};

// CHN1..CHNC
class TstChnValCnt final : public TCellValueCountStat<TstChnValCnt, TCustomChannelsGraphStat> {
  public:
    using TCellValueCountStat::TCellValueCountStat;
    static TStatClassInfo Describe();
};

using TstCombChnMix2 = TstCombChnMix<2>;
using TstCombChnMix3 = TstCombChnMix<3>;
using TstCombChnMix4 = TstCombChnMix<4>;
using TstCombChnSeq2 = TstCombChnSeq<2>;
using TstCombChnSeq3 = TstCombChnSeq<3>;
using TstCombChnSeq4 = TstCombChnSeq<4>;

extern template class TstCombChnMix<2>;
extern template class TstCombChnMix<3>;
extern template class TstCombChnMix<4>;
extern template class TstCombChnSeq<2>;
extern template class TstCombChnSeq<3>;
extern template class TstCombChnSeq<4>;

}  // namespace zentrix
