#include "stats/families/chain_segments.h"

#include "stats/families/segments.h"
#include "util/format.h"

namespace zentrix {

namespace {

constexpr const char* kAllName = "Переходы сегментов между %0:d тиражами без учета позиции";
constexpr const char* kPositionsName = "Переходы сегментов между %0:d тиражами с учетом позиции";
constexpr const char* kPositionName = "Переходы сегментов между %0:d тиражами в %%d позиции";
constexpr const char* kCountName = "Переходы кол-ва чисел в %%d сегменте между %0:d тиражами";

}  // namespace

TCustomChainSegmentsStat::TCustomChainSegmentsStat(const TStatList& list, int index, int length)
    : TCustomChainStat(list, index, ConfiguredSegments(list).cell, length, false) {}

TCustomChainSegments2Stat::TCustomChainSegments2Stat(const TStatList& list, int index)
    : TCustomChainSegmentsStat(list, index, 2) {}

TCustomChainSegments3Stat::TCustomChainSegments3Stat(const TStatList& list, int index)
    : TCustomChainSegmentsStat(list, index, 3) {}

TStatClassInfo TstChain2SegmentsAll::Describe() {
    return {"SSV2", Format(kAllName, {2}), TStatGroup::Moves, kFlagD};
}

TStatClassInfo TstChain2SegmentsPos::Describe() {
    return {"SSP2", Format(kPositionsName, {2}), TStatGroup::Moves, kFlagS | kFlagD};
}

TStatClassInfo TstChain2Segment::Describe() {
    return {"SSN%d", Format(kPositionName, {2}), TStatGroup::Moves, kFlagS | kFlagD,
            "SSNx",  ChainPositionRange};
}

TStatClassInfo TstChain3SegmentsPos::Describe() {
    return {"SSP3", Format(kPositionsName, {3}), TStatGroup::Moves, kFlagS | kFlagD};
}

TStatClassInfo TstChain3Segment::Describe() {
    return {"SSM%d", Format(kPositionName, {3}), TStatGroup::Moves, kFlagS | kFlagD,
            "SSMx",  ChainPositionRange};
}

TStatClassInfo TstChain2SgmCnt::Describe() {
    return {"SS2C%d", Format(kCountName, {2}), TStatGroup::Moves, kFlagD, "SS2Cx", SegmentRange};
}

TStatClassInfo TstChain3SgmCnt::Describe() {
    return {"SS3C%d", Format(kCountName, {3}), TStatGroup::Moves, kFlagD, "SS3Cx", SegmentRange};
}

}  // namespace zentrix
