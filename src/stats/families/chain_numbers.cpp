#include "stats/families/chain_numbers.h"

#include "util/format.h"

namespace zentrix {

namespace {

constexpr const char* kAllName = "Переходы чисел между %0:d тиражами без учета позиции";
constexpr const char* kPositionsName = "Переходы чисел между %0:d тиражами с учетом позиции";
constexpr const char* kPositionName = "Переходы чисел между %0:d тиражами в %%d позиции";

}  // namespace

TCustomChainValues2Stat::TCustomChainValues2Stat(const TStatList& list, int index)
    : TCustomChainStat(list, index, NumberChainMap(), 2, false) {}

TCustomChainValues3Stat::TCustomChainValues3Stat(const TStatList& list, int index)
    : TCustomChainStat(list, index, NumberChainMap(), 3, false) {}

TStatClassInfo TstChain2DrawsAll::Describe() {
    return {"SDV2", Format(kAllName, {2}), TStatGroup::Moves, kFlagD};
}

TStatClassInfo TstChain2DrawsPos::Describe() {
    return {"SDP2", Format(kPositionsName, {2}), TStatGroup::Moves, kFlagS | kFlagD};
}

TStatClassInfo TstChain2Pos::Describe() {
    return {"SDN%d", Format(kPositionName, {2}), TStatGroup::Moves, kFlagS | kFlagD,
            "SDNx",  ChainPositionRange};
}

TStatClassInfo TstChain3DrawsPos::Describe() {
    return {"SDP3", Format(kPositionsName, {3}), TStatGroup::Moves, kFlagS | kFlagD};
}

TStatClassInfo TstChain3Pos::Describe() {
    return {"SDM%d", Format(kPositionName, {3}), TStatGroup::Moves, kFlagS | kFlagD,
            "SDMx",  ChainPositionRange};
}

}  // namespace zentrix
