#include "stats/families/shredding.h"

#include <algorithm>
#include <vector>

#include "core/config_rules.h"
#include "stats/comb_filter.h"
#include "stats/stat_list.h"

namespace zentrix {

namespace {

constexpr int kFormulaCount = 3;

TIndexRange FormulaRange(const TConfigSettings&) {
    return {1, kFormulaCount};
}

const std::string& FormulaOf(const TStatList& list, int index) {
    static const std::string none;
    return index >= 1 && index <= kFormulaCount ? list.Config().formulas[index - 1] : none;
}

int DigitsOf(const TStatList& list, int index) {
    const int d = index >= 1 && index <= kFormulaCount ? list.Config().formulaDigits[index - 1]
                                                       : kFormulaDigitsMin;
    return std::clamp(d, kFormulaDigitsMin, kFormulaDigitsMax);
}

// The selected values as a bit table over 0 .. 10^5 - 1; others can never match.
std::vector<bool> SelectedValues(std::span<const TStatDraw> selected) {
    std::vector<bool> hit(100000);
    for (const TStatDraw& r : selected) {
        const int32_t v = r.Key.W1();
        if (v >= 0 && v < static_cast<int32_t>(hit.size())) hit[v] = true;
    }
    return hit;
}

}  // namespace

TstShreddingStat::TstShreddingStat(const TStatList& list, int index)
    : TDescribedStat(list, index),
      formula_(FormulaOf(list, index)),
      digits_(DigitsOf(list, index)),
      compiled_(formula_) {}

TStatClassInfo TstShreddingStat::Describe() {
    return {"SHR%d",     "Метод шинковки %0:d: %%s", TStatGroup::Shredding, kFlagS | kFlagN, "SHRx",
            FormulaRange};
}

std::string TstShreddingStat::ValueLabel(const TStatDraw& record) const {
    return std::to_string(record.Key.W1());
}

TComb TstShreddingStat::NumbersAt(int index, bool sorted, bool needed) const {
    return needed ? DrawAt(FDraws, index, sorted).Numbers : TComb{};
}

int32_t TstShreddingStat::ValueAfter(const TComb& numbers, int previous, bool sorted) const {
    return Value(numbers, NumbersAt(previous, sorted, compiled_.ReadsPrevious()),
                 NumbersAt(previous - 1, sorted, compiled_.ReadsBeforePrevious()));
}

void TstShreddingStat::DoAddCombValues(const TComb& comb, const TStatContext&,
                                       TStatDrawArray& values) {
    // The full set has no draws before it.
    AddW1(values, Value(comb, TComb{}, TComb{}), false);
}

void TstShreddingStat::DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values,
                                       TScanState&) {
    AddW1(values, ValueAfter(ctx.Draw->Numbers, ctx.Index - 1, ctx.Sorted), true);
}

// A combination stands where the next draw would: after the last draw of the table.
bool TstShreddingStat::DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                                    const TStatContext& ctx) const {
    const int32_t v = ValueAfter(comb, ctx.RefIndex, ctx.Sorted);
    return std::any_of(selected.begin(), selected.end(),
                       [v](const TStatDraw& r) { return r.Key.W1() == v; });
}

std::unique_ptr<TCombFilter> TstShreddingStat::DoPrepareFilter(std::span<const TStatDraw> selected,
                                                               const TStatContext& ctx) const {
    const TComb p = NumbersAt(ctx.RefIndex, ctx.Sorted, compiled_.ReadsPrevious());
    const TComb t = NumbersAt(ctx.RefIndex - 1, ctx.Sorted, compiled_.ReadsBeforePrevious());
    return MakePredicateFilter(
        [self = this, p, t, hit = SelectedValues(selected)](const TComb& c) {
            return hit[static_cast<size_t>(self->Value(c, p, t))];
        },
        ctx.Exclude);
}

int32_t TstShreddingStat::DoGraphValue(const TComb& numbers, const TStatContext& ctx) const {
    return ValueAfter(numbers, ctx.Index - 1, ctx.Sorted);
}

void TstShreddingStat::CollectValues(const TComb& numbers, const TStatContext& ctx,
                                     std::vector<uint64_t>& keys) const {
    keys.push_back(static_cast<uint32_t>(DoGraphValue(numbers, ctx)));
}

}  // namespace zentrix
