#pragma once

#include "stats/families/chains.h"

namespace zentrix {

// Chains of channels: the channel size of the configuration, kept as the channel methods keep it.
class TCustomChainChannelsStat : public TCustomChainStat {
  public:
    TCustomChainChannelsStat(const TStatList& list, int index, int length, bool twoDigits = false);
    int ChannelSize() const { return cells_.channelSize; }
    // A count chain lists the counts 0..s.
    int MaxListedCount() const { return cells_.channelSize; }

  private:
    TCustomChainChannelsStat(const TStatList& list, int index, TCellMap cells, int length,
                             bool twoDigits);
    TCellMap cells_;
};

class TCustomChainChannels2Stat : public TCustomChainChannelsStat {
  public:
    TCustomChainChannels2Stat(const TStatList& list, int index);
};

class TCustomChainChannels3Stat : public TCustomChainChannelsStat {
  public:
    TCustomChainChannels3Stat(const TStatList& list, int index);
};

// SCV2
class TstChain2ChannelsAll final
    : public TMappedChainStat<TstChain2ChannelsAll, TCustomChainChannels2Stat,
                              TChainSpan::Numbers> {
  public:
    using TMappedChainStat::TMappedChainStat;
    static TStatClassInfo Describe();
};

// SCP2
class TstChain2ChannelsPos final
    : public TMappedChainStat<TstChain2ChannelsPos, TCustomChainChannels2Stat,
                              TChainSpan::Positions> {
  public:
    using TMappedChainStat::TMappedChainStat;
    static TStatClassInfo Describe();
};

// SCN1..SCN8
class TstChain2Channel final
    : public TMappedChainStat<TstChain2Channel, TCustomChainChannels2Stat, TChainSpan::Position> {
  public:
    using TMappedChainStat::TMappedChainStat;
    static TStatClassInfo Describe();
};

// SCP3
class TstChain3ChannelsPos final
    : public TMappedChainStat<TstChain3ChannelsPos, TCustomChainChannels3Stat,
                              TChainSpan::Positions> {
  public:
    using TMappedChainStat::TMappedChainStat;
    static TStatClassInfo Describe();
};

// SCM1..SCM8
class TstChain3Channel final
    : public TMappedChainStat<TstChain3Channel, TCustomChainChannels3Stat, TChainSpan::Position> {
  public:
    using TMappedChainStat::TMappedChainStat;
    static TStatClassInfo Describe();
};

// SC2C1..: per channel
class TstChain2CnlCnt final : public TCountChainStat<TstChain2CnlCnt, TCustomChainChannelsStat, 2> {
  public:
    using TCountChainStat::TCountChainStat;
    static TStatClassInfo Describe();
};

// SC3C1..: per channel
class TstChain3CnlCnt final : public TCountChainStat<TstChain3CnlCnt, TCustomChainChannelsStat, 3> {
  public:
    using TCountChainStat::TCountChainStat;
    static TStatClassInfo Describe();
};

// What an inside-channel chain adds for a number of the draw before that the reference draw
// holds: every number of the following draw in its channel, with (n, 0) when there is none
// (All); only those numbers (Suc); only (n, 0) (Bad); how many there are (Cnt).
enum class TChainInsideMode { All, Suc, Bad, Cnt };

class TCustomChainChannels2Inside : public TCustomChainChannels2Stat {
  public:
    TCustomChainChannels2Inside(const TStatList& list, int index, TChainInsideMode mode);
    std::string ValueLabel(const TStatDraw& record) const override;

  protected:
    void DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values, TScanState&) override;
    TByteSet FilterNumbers(std::span<const TStatDraw> selected,
                           const TStatContext& ctx) const override;

  private:
    TChainInsideMode mode_;
};

template <typename Self, TChainInsideMode Mode>
class TInsideChainStat : public TDescribedStat<Self, TCustomChainChannels2Inside> {
  public:
    TInsideChainStat(const TStatList& list, int index)
        : TDescribedStat<Self, TCustomChainChannels2Inside>(list, index, Mode) {}
};

// SDA2
class TstChainChannels2InsideAll final
    : public TInsideChainStat<TstChainChannels2InsideAll, TChainInsideMode::All> {
  public:
    using TInsideChainStat::TInsideChainStat;
    static TStatClassInfo Describe();
};

// SDG2
class TstChainChannels2InsideSuc final
    : public TInsideChainStat<TstChainChannels2InsideSuc, TChainInsideMode::Suc> {
  public:
    using TInsideChainStat::TInsideChainStat;
    static TStatClassInfo Describe();
};

// SDZ2
class TstChainChannels2InsideBad final
    : public TInsideChainStat<TstChainChannels2InsideBad, TChainInsideMode::Bad> {
  public:
    using TInsideChainStat::TInsideChainStat;
    static TStatClassInfo Describe();
};

// SDC2
class TstChainChannels2InsideCnt final
    : public TInsideChainStat<TstChainChannels2InsideCnt, TChainInsideMode::Cnt> {
  public:
    using TInsideChainStat::TInsideChainStat;
    static TStatClassInfo Describe();
};

}  // namespace zentrix
