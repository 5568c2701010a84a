#include "stats/families/periods.h"

#include "stats/stat_list.h"

namespace zentrix {

void TCustomPeriodsStat::DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values,
                                         TScanState& state) {
    const int32_t number = ctx.Draw->Number;
    for (uint8_t n : ctx.Draw->Numbers) {
        TStatKey key;
        key.K[0] = cells_.cell[n];
        // -1 for a value seen first; a second number of the same value gives 0.
        const int32_t period = UpdateLastValue(state.lastValues, {number, key});
        if (period <= 0) continue;
        key.K[1] = LengthComponent(period);
        AddKey(values, key, true);
    }
}

TByteSet TCustomPeriodsStat::TestedNumbers(std::span<const TStatDraw> selected,
                                           const TStatContext& ctx) const {
    TByteSet numbers;
    for (const TStatDraw& r : selected) {
        const int value = r.Key.K[0];
        const int slot = value >= 0 && value < 256 ? cells_.slot[value] : -1;
        if (slot < 0) continue;
        const int period = static_cast<uint16_t>(r.Key.K[1]);
        const TDraw back = ArchiveDraw(ctx.RefIndex + 1 - period, false);
        const bool holds = (CellSlots(cells_, back.Numbers) >> slot) & 1;
        if (holds == ctx.Exclude) continue;
        for (int n = 1; n <= kMaxNumber; ++n)
            if (cells_.cell[n] == value) numbers.Add(n);
    }
    return numbers;
}

bool TCustomPeriodsStat::DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                                      const TStatContext& ctx) const {
    const TByteSet numbers = TestedNumbers(selected, ctx);
    for (uint8_t n : comb)
        if (numbers.Has(n)) return true;
    return false;
}

std::unique_ptr<TCombFilter> TCustomPeriodsStat::DoPrepareFilter(
    std::span<const TStatDraw> selected, const TStatContext& ctx) const {
    return AnyByteFilter(TestedNumbers(selected, ctx), ctx.Exclude);
}

TstNumPeriods::TstNumPeriods(const TStatList& list, int index)
    : TDescribedStat(list, index, NumberCells()) {}

TStatClassInfo TstNumPeriods::Describe() {
    return {"PRDV", "Периоды повторения чисел", TStatGroup::Periods, kFlagP};
}

TstChnPeriods::TstChnPeriods(const TStatList& list, int index)
    : TDescribedStat(list, index, ChannelCells(list.Config().data.ChannelSize)) {}

TStatClassInfo TstChnPeriods::Describe() {
    return {"PRDC", "Периоды повторения каналов", TStatGroup::Periods, kFlagP};
}

TstSgmPeriods::TstSgmPeriods(const TStatList& list, int index)
    : TDescribedStat(list, index, SegmentCells(list.Config().data.MatrixSegments)) {}

TStatClassInfo TstSgmPeriods::Describe() {
    return {"PRDG", "Периоды повторения сегментов", TStatGroup::Periods, kFlagP};
}

}  // namespace zentrix
