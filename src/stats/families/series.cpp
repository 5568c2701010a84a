#include "stats/families/series.h"

#include <algorithm>

#include "stats/stat_list.h"
#include "util/errors.h"
#include "util/format.h"

namespace zentrix {

namespace {

TSeriesState& SeriesState(TScanState& state) {
    auto* series = dynamic_cast<TSeriesState*>(&state);
    if (!series) throw EZentrix("Series methods need their own scan state");
    return *series;
}

}  // namespace

std::string TrackedLabel(const TCellMap& map, const TStatDraw& record) {
    const int value = record.Key.K[0];
    const std::string text = map.channelSize > 0 ? Format("%.2d", {value}) : std::to_string(value);
    return Format("%0:s x %1:d", {text, static_cast<int>(static_cast<uint16_t>(record.Key.K[1]))});
}

int16_t LengthComponent(int64_t length) {
    return static_cast<int16_t>(static_cast<uint16_t>(std::clamp<int64_t>(length, 0, UINT16_MAX)));
}

TCustomSerialStat::TCustomSerialStat(const TStatList& list, int index, TCellMap map, bool pauses)
    : TCellStat(list, index, std::move(map)), pauses_(pauses) {
    for (int s = 0; s < cells_.CellCount(); ++s) ascending_.push_back(s);
    std::sort(ascending_.begin(), ascending_.end(),
              [this](int a, int b) { return cells_.cells[a] < cells_.cells[b]; });
}

std::unique_ptr<TScanState> TCustomSerialStat::NewScanState() const {
    return std::make_unique<TSeriesState>();
}

void TCustomSerialStat::DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values,
                                        TScanState& state) {
    TSeriesState& series = SeriesState(state);
    const uint32_t held = CellSlots(cells_, ctx.Draw->Numbers);
    const uint32_t last = CellSlots(cells_, ctx.Reference->Numbers);
    const bool atReference = ctx.Index == ctx.RefIndex;
    auto add = [&](int s, const TSeriesSlot& slot) {
        work_.LastDraw = slot.lastDraw;
        work_.PrevDraw = slot.lastDraw;
        work_.Depth = slot.age;
        TStatKey key;
        key.K[0] = static_cast<int16_t>(cells_.cells[s]);
        key.K[1] = LengthComponent(slot.count);
        AddKey(values, key, true);
    };
    for (int s : ascending_) {
        TSeriesSlot& slot = series.slots[s];
        const bool inReference = (last >> s) & 1;
        if ((((held >> s) & 1) != 0) != pauses_) {
            ++slot.count;
            slot.lastDraw = ctx.Draw->Number;
            slot.age = ctx.RefIndex - ctx.Index + 1;
            if (atReference && inReference) add(s, slot);
        } else {
            if (slot.count > 0 && inReference) add(s, slot);
            slot.count = 0;
        }
    }
}

bool TCustomSerialStat::DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                                     const TStatContext&) const {
    for (uint8_t n : comb)
        for (const TStatDraw& r : selected)
            if (r.Key.K[0] == cells_.cell[n]) return true;
    return false;
}

std::unique_ptr<TCombFilter> TCustomSerialStat::DoPrepareFilter(std::span<const TStatDraw> selected,
                                                                const TStatContext& ctx) const {
    return CellMemberFilter(cells_, selected, ctx.Exclude);
}

TValuesSerialStat::TValuesSerialStat(const TStatList& list, int index, bool pauses)
    : TCustomSerialStat(list, index, NumberCells(), pauses) {}

TChannelsSerialStat::TChannelsSerialStat(const TStatList& list, int index, bool pauses)
    : TCustomSerialStat(list, index, ChannelCells(list.Config().data.ChannelSize), pauses) {}

TSegmentsSerialStat::TSegmentsSerialStat(const TStatList& list, int index, bool pauses)
    : TCustomSerialStat(list, index, SegmentCells(list.Config().data.MatrixSegments), pauses) {}

TStatClassInfo TstNumGroups::Describe() {
    return {"GRPV", "Повторы чисел в нескольких тиражах подряд", TStatGroup::Series, kFlagD};
}

TStatClassInfo TstNumPauses::Describe() {
    return {"GRPP", "Интервалы между повторениями чисел", TStatGroup::Series, kFlagD};
}

TStatClassInfo TstChnGroups::Describe() {
    return {"GRCV", "Повторы каналов в нескольких тиражах подряд", TStatGroup::Series, kFlagD};
}

TStatClassInfo TstChnPauses::Describe() {
    return {"GRCP", "Интервалы между повторениями каналов", TStatGroup::Series, kFlagD};
}

TStatClassInfo TstSgmGroups::Describe() {
    return {"GRSV", "Повторы сегментов в нескольких тиражах подряд", TStatGroup::Series, kFlagD};
}

TStatClassInfo TstSgmPauses::Describe() {
    return {"GRSP", "Интервалы между повторениями сегментов", TStatGroup::Series, kFlagD};
}

}  // namespace zentrix
