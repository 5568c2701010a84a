#pragma once

#include "stats/families/chains.h"

namespace zentrix {

// Chains of the numbers themselves, over two or three draws.
class TCustomChainValues2Stat : public TCustomChainStat {
  public:
    TCustomChainValues2Stat(const TStatList& list, int index);
};

class TCustomChainValues3Stat : public TCustomChainStat {
  public:
    TCustomChainValues3Stat(const TStatList& list, int index);
};

// SDV2
class TstChain2DrawsAll final
    : public TMappedChainStat<TstChain2DrawsAll, TCustomChainValues2Stat, TChainSpan::Numbers> {
  public:
    using TMappedChainStat::TMappedChainStat;
    static TStatClassInfo Describe();
};

// SDP2
class TstChain2DrawsPos final
    : public TMappedChainStat<TstChain2DrawsPos, TCustomChainValues2Stat, TChainSpan::Positions> {
  public:
    using TMappedChainStat::TMappedChainStat;
    static TStatClassInfo Describe();
};

// SDN1..SDN8
class TstChain2Pos final
    : public TMappedChainStat<TstChain2Pos, TCustomChainValues2Stat, TChainSpan::Position> {
  public:
    using TMappedChainStat::TMappedChainStat;
    static TStatClassInfo Describe();
};

// SDP3
class TstChain3DrawsPos final
    : public TMappedChainStat<TstChain3DrawsPos, TCustomChainValues3Stat, TChainSpan::Positions> {
  public:
    using TMappedChainStat::TMappedChainStat;
    static TStatClassInfo Describe();
};

// SDM1..SDM8
class TstChain3Pos final
    : public TMappedChainStat<TstChain3Pos, TCustomChainValues3Stat, TChainSpan::Position> {
  public:
    using TMappedChainStat::TMappedChainStat;
    static TStatClassInfo Describe();
};

}  // namespace zentrix
