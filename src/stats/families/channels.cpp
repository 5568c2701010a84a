#include "stats/families/channels.h"

#include "stats/stat_list.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

// One entry per channel; none for a size of 0 or less.
TIndexRange ChannelRange(const TConfigSettings& config) {
    if (config.data.ChannelSize <= 0) return {1, 0};
    return {1, ChannelCells(config.data.ChannelSize).CellCount()};
}

TCellMap ConfiguredChannels(const TStatList& list) {
    return ChannelCells(list.Config().data.ChannelSize);
}

TCustomChannelsStat::TCustomChannelsStat(const TStatList& list, int index)
    : TCellStat(list, index, ConfiguredChannels(list)) {}

TCustomChannelsGraphStat::TCustomChannelsGraphStat(const TStatList& list, int index)
    : TCellStat(list, index, ConfiguredChannels(list)) {}

TStatClassInfo TstChannels::Describe() {
    return {"CHAN", "Каналы", TStatGroup::Channels, kFlagN};
}

int32_t TstChannels::LabelToValue(std::string_view text) const {
    const std::string t = Trim(text);
    return StrToIntDef(std::string_view(t).substr(0, t.find(' ')), 0);
}

TStatClassInfo TstChanValues::Describe() {
    return {"CHNV", "Количество чисел в канале", TStatGroup::Channels, kFlagN};
}

TStatClassInfo TstChanCount::Describe() {
    return {"CHNC", "Количество каналов в тираже", TStatGroup::Channels, kFlagN};
}

template <int K>
TStatClassInfo TstCombChnMix<K>::Describe() {
    return {Format("KCM%d", {K}), Format("Сочетания из %0:d каналов по всем числам тиража", {K}),
            TStatGroup::Channels, kFlagS};
}

template <int K>
TStatClassInfo TstCombChnSeq<K>::Describe() {
    return {Format("KCS%d", {K}), Format("Сочетания из %0:d каналов по соседним числам", {K}),
            TStatGroup::Channels, kFlagS};
}

TStatClassInfo TstChnValCnt::Describe() {
    return {"CHN%d",     "Количество чисел в %0:d канале", TStatGroup::Channels, kFlagN, "CHNx",
            ChannelRange};
}

template class TstCombChnMix<2>;
template class TstCombChnMix<3>;
template class TstCombChnMix<4>;
template class TstCombChnSeq<2>;
template class TstCombChnSeq<3>;
template class TstCombChnSeq<4>;

}  // namespace zentrix
