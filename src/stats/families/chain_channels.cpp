#include "stats/families/chain_channels.h"

#include "stats/families/channels.h"
#include "util/format.h"

namespace zentrix {

namespace {

constexpr const char* kAllName = "Переходы каналов между %0:d тиражами без учета позиции";
constexpr const char* kPositionsName = "Переходы каналов между %0:d тиражами с учетом позиции";
constexpr const char* kPositionName = "Переходы каналов между %0:d тиражами в %%d позиции";
constexpr const char* kCountName = "Переходы кол-ва чисел в %%d канале между %0:d тиражами";

}  // namespace

TCustomChainChannelsStat::TCustomChainChannelsStat(const TStatList& list, int index, int length,
                                                   bool twoDigits)
    : TCustomChainChannelsStat(list, index, ConfiguredChannels(list), length, twoDigits) {}

TCustomChainChannelsStat::TCustomChainChannelsStat(const TStatList& list, int index, TCellMap cells,
                                                   int length, bool twoDigits)
    : TCustomChainStat(list, index, cells.cell, length, twoDigits), cells_(std::move(cells)) {}

TCustomChainChannels2Stat::TCustomChainChannels2Stat(const TStatList& list, int index)
    : TCustomChainChannelsStat(list, index, 2, true) {}

TCustomChainChannels3Stat::TCustomChainChannels3Stat(const TStatList& list, int index)
    : TCustomChainChannelsStat(list, index, 3, true) {}

TStatClassInfo TstChain2ChannelsAll::Describe() {
    return {"SCV2", Format(kAllName, {2}), TStatGroup::Moves, kFlagD};
}

TStatClassInfo TstChain2ChannelsPos::Describe() {
    return {"SCP2", Format(kPositionsName, {2}), TStatGroup::Moves, kFlagS | kFlagD};
}

TStatClassInfo TstChain2Channel::Describe() {
    return {"SCN%d", Format(kPositionName, {2}), TStatGroup::Moves, kFlagS | kFlagD,
            "SCNx",  ChainPositionRange};
}

TStatClassInfo TstChain3ChannelsPos::Describe() {
    return {"SCP3", Format(kPositionsName, {3}), TStatGroup::Moves, kFlagS | kFlagD};
}

TStatClassInfo TstChain3Channel::Describe() {
    return {"SCM%d", Format(kPositionName, {3}), TStatGroup::Moves, kFlagS | kFlagD,
            "SCMx",  ChainPositionRange};
}

TStatClassInfo TstChain2CnlCnt::Describe() {
    return {"SC2C%d", Format(kCountName, {2}), TStatGroup::Moves, kFlagD, "SC2Cx", ChannelRange};
}

TStatClassInfo TstChain3CnlCnt::Describe() {
    return {"SC3C%d", Format(kCountName, {3}), TStatGroup::Moves, kFlagD, "SC3Cx", ChannelRange};
}

// Inside-channel chains

TCustomChainChannels2Inside::TCustomChainChannels2Inside(const TStatList& list, int index,
                                                         TChainInsideMode mode)
    : TCustomChainChannels2Stat(list, index), mode_(mode) {}

std::string TCustomChainChannels2Inside::ValueLabel(const TStatDraw& record) const {
    return ChainLabel(record, 2, mode_ != TChainInsideMode::Cnt);
}

void TCustomChainChannels2Inside::DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values,
                                                  TScanState&) {
    // These read the draws in the order they were drawn, whatever the sorting option says.
    TChainDraws d;
    if (!ReadChain(ctx, false, d)) return;
    const TComb cur = ArchiveDraw(ctx.StandsFor(), false).Numbers;
    for (uint8_t r : d.prev.Numbers) {
        if (!InComb(r, d.ref.Numbers)) continue;
        int inChannel = 0;
        for (uint8_t y : cur) {
            if (map_[y] != map_[r]) continue;
            ++inChannel;
            if (mode_ == TChainInsideMode::All || mode_ == TChainInsideMode::Suc)
                AddChain(values, r, y);
        }
        if (mode_ == TChainInsideMode::Cnt)
            AddChain(values, r, inChannel);
        else if (inChannel == 0 && mode_ != TChainInsideMode::Suc)
            AddChain(values, r, 0);
    }
}

TByteSet TCustomChainChannels2Inside::FilterNumbers(std::span<const TStatDraw> selected,
                                                    const TStatContext& ctx) const {
    TByteSet numbers;
    for (uint8_t r : ctx.Reference->Numbers) {
        for (const TStatDraw& s : selected) {
            const int a = s.Key.K[0], b = s.Key.K[1];
            if (a != r) continue;
            if (mode_ == TChainInsideMode::Cnt || (a != 0 && b == 0)) {
                // Any number of r's channel; a number in no channel shares none.
                if (map_[r] == kNoCell) continue;
                for (int q = 1; q < 256; ++q)
                    if (map_[q] == map_[r]) numbers.Add(q);
            } else {
                numbers.Add(b);
            }
        }
    }
    return numbers;
}

TStatClassInfo TstChainChannels2InsideAll::Describe() {
    return {"SDA2", "Переходы чисел в пределах каналов (все)", TStatGroup::Moves, kFlagD};
}

TStatClassInfo TstChainChannels2InsideSuc::Describe() {
    return {"SDG2", "Переходы чисел в пределах каналов (N-M, удачные)", TStatGroup::Moves, kFlagD};
}

TStatClassInfo TstChainChannels2InsideBad::Describe() {
    return {"SDZ2", "Переходы чисел в пределах каналов (N-0, не удачные)", TStatGroup::Moves,
            kFlagD};
}

TStatClassInfo TstChainChannels2InsideCnt::Describe() {
    return {"SDC2", "Переходы чисел в пределах каналов (количество)", TStatGroup::Moves, kFlagD};
}

}  // namespace zentrix
