#include "stats/families/repeats.h"

#include "util/format.h"

namespace zentrix {

namespace {

// "+1" in a code, "+ 1" in a name.
std::string ShiftCode(int s) {
    return Format(s < 0 ? "-%d" : "+%d", {s < 0 ? -s : s});
}

std::string ShiftText(int s) {
    return Format(s < 0 ? "- %d" : "+ %d", {s < 0 ? -s : s});
}

}  // namespace

TStatClassInfo RepValues2Info(int s, int t) {
    if (s != 0)
        return {Format("PRV%s", {ShiftCode(s)}),
                Format("Данные предыдущего тиража %s", {ShiftText(s)}), TStatGroup::Repeats,
                kFlagD};
    if (t > 1)
        return {Format("PRV2O%d", {t - 1}),
                Format("Повторяющиеся числа в 2-х тиражах через %d тираж(а)", {t - 1}),
                TStatGroup::Repeats, kFlagD};
    return {"RPV2", "Повторяющиеся числа в 2-х тиражах подряд", TStatGroup::Repeats, kFlagD};
}

TStatClassInfo RepCount2Info(int s, int t) {
    if (s != 0)
        return {Format("PRC%s", {ShiftCode(s)}),
                Format("Количество совпадений \"значений %s\"", {ShiftText(s)}),
                TStatGroup::Repeats, kFlagD};
    if (t > 1)
        // The count over one draw in between has a plain code of its own.
        return {t == 2 ? std::string("RPO1") : Format("PRC2O%d", {t - 1}),
                Format("Количество повторов в 2-х тиражах через %d тираж(а)", {t - 1}),
                TStatGroup::Repeats, kFlagD};
    return {"RPC2", "Количество повторов в 2-х тиражах подряд", TStatGroup::Repeats, kFlagD};
}

std::unique_ptr<TCombFilter> TCustomRepCount2Stat::CountFilter(std::span<const TStatDraw> selected,
                                                               const TStatContext& ctx) const {
    return MakePredicateFilter(
        [counts = SelectedBytes(selected), earlier = EarlierShifted(ctx)](const TComb& c) {
            return counts.Has(SharedCount(earlier, CombWord(c)));
        },
        ctx.Exclude);
}

TStatClassInfo TstRepValues3::Describe() {
    return {"RPV3", "Повторяющиеся числа в 3-х тиражах подряд", TStatGroup::Repeats, kFlagD};
}

TStatClassInfo TstRepValues2B3::Describe() {
    return {"PRL2", "Повторяющиеся числа не более чем в 2-х тиражах", TStatGroup::Repeats, kFlagD};
}

TStatClassInfo TstRepCount3::Describe() {
    return {"RPC3", "Количество повторов в 3-х тиражах подряд", TStatGroup::Repeats, kFlagD};
}

TStatClassInfo TstRepCount2B3::Describe() {
    return {"PRB2", "Количество повторов не более чем в 2-х тиражах", TStatGroup::Repeats, kFlagD};
}

}  // namespace zentrix
