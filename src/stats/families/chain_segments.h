#pragma once

#include "stats/families/chains.h"

namespace zentrix {

// Chains of segments: the segment map of the configuration, copied when a method is created.
class TCustomChainSegmentsStat : public TCustomChainStat {
  public:
    TCustomChainSegmentsStat(const TStatList& list, int index, int length);
    // A count chain lists the count 0 alone.
    int MaxListedCount() const { return 0; }
};

class TCustomChainSegments2Stat : public TCustomChainSegmentsStat {
  public:
    TCustomChainSegments2Stat(const TStatList& list, int index);
};

class TCustomChainSegments3Stat : public TCustomChainSegmentsStat {
  public:
    TCustomChainSegments3Stat(const TStatList& list, int index);
};

// SSV2
class TstChain2SegmentsAll final
    : public TMappedChainStat<TstChain2SegmentsAll, TCustomChainSegments2Stat,
                              TChainSpan::Numbers> {
  public:
    using TMappedChainStat::TMappedChainStat;
    static TStatClassInfo Describe();
};

// SSP2
class TstChain2SegmentsPos final
    : public TMappedChainStat<TstChain2SegmentsPos, TCustomChainSegments2Stat,
                              TChainSpan::Positions> {
  public:
    using TMappedChainStat::TMappedChainStat;
    static TStatClassInfo Describe();
};

// SSN1..SSN8
class TstChain2Segment final
    : public TMappedChainStat<TstChain2Segment, TCustomChainSegments2Stat, TChainSpan::Position> {
  public:
    using TMappedChainStat::TMappedChainStat;
    static TStatClassInfo Describe();
};

// SSP3
class TstChain3SegmentsPos final
    : public TMappedChainStat<TstChain3SegmentsPos, TCustomChainSegments3Stat,
                              TChainSpan::Positions> {
  public:
    using TMappedChainStat::TMappedChainStat;
    static TStatClassInfo Describe();
};

// SSM1..SSM8
class TstChain3Segment final
    : public TMappedChainStat<TstChain3Segment, TCustomChainSegments3Stat, TChainSpan::Position> {
  public:
    using TMappedChainStat::TMappedChainStat;
    static TStatClassInfo Describe();
};

// SS2Ck, SS3Ck: per segment of the map
class TstChain2SgmCnt final : public TCountChainStat<TstChain2SgmCnt, TCustomChainSegmentsStat, 2> {
  public:
    using TCountChainStat::TCountChainStat;
    static TStatClassInfo Describe();
};

class TstChain3SgmCnt final : public TCountChainStat<TstChain3SgmCnt, TCustomChainSegmentsStat, 3> {
  public:
    using TCountChainStat::TCountChainStat;
    static TStatClassInfo Describe();
};

}  // namespace zentrix
