#include "scenario/filter_variants.h"

#include <limits>
#include <new>

#include "core/comb_text.h"
#include "scenario/filter_modes.h"
#include "util/errors.h"
#include "util/format.h"

namespace zentrix {

namespace {

// The parts one slot contributes, in their order.
std::vector<TFilterPart> SlotParts(const TFilterItem& item) {
    const TIntArray lengths = ParseIntList(item.DrawsLen);
    if (lengths.empty()) throw EZentrix(Format(kBadFilterText, {EncodeFilterItem(item)}));
    TIntArray levels;
    if (item.LevelMode != kLevelAll) {
        levels = ParseIntList(item.LevelValue);
        if (levels.empty()) throw EZentrix(Format(kBadFilterText, {EncodeFilterItem(item)}));
    }
    TFilterPart base;
    static_cast<TFilterSettings&>(base) = item;
    std::vector<TFilterPart> parts;
    const bool perValue = IsPerValueMode(item.LevelMode);
    for (int32_t length : lengths) {
        base.DrawsLen = length;
        if (perValue) {
            for (int32_t level : levels) {
                TFilterPart part = base;
                part.LevelValue = part.LevelSource = std::to_string(level);
                parts.push_back(std::move(part));
            }
        } else {
            TFilterPart part = base;
            part.LevelValue =
                IsListMode(item.LevelMode) ? IntListText(levels, ",") : item.LevelValue;
            part.LevelSource = item.LevelValue;
            parts.push_back(std::move(part));
        }
    }
    return parts;
}

size_t Multiply(size_t a, size_t b) {
    if (a != 0 && b > std::numeric_limits<size_t>::max() / a)
        return std::numeric_limits<size_t>::max();
    return a * b;
}

}  // namespace

std::vector<TFilterVar> ExpandVariants(const std::vector<TFilterItem>& items,
                                       const TVariantHooks& hooks) {
    // A line with no filter fails on its first (empty) slot.
    if (items.empty()) throw EZentrix(Format(kBadFilterText, {std::string()}));
    std::vector<std::vector<TFilterPart>> slots;
    for (size_t i = 0; i < items.size() && i < kFilterSlotCount; ++i)
        slots.push_back(SlotParts(items[i]));
    size_t total = 1;
    for (const auto& parts : slots) total = Multiply(total, parts.size());
    if (total > kMaxFilterVariants)
        throw ETooManyVariants(
            Format("Вариантов фильтров: %s, допустимо не более %d.",
                   {total == std::numeric_limits<size_t>::max() ? std::string("более 2^64")
                                                                : std::to_string(total),
                    static_cast<int>(kMaxFilterVariants)}));
    std::vector<TFilterVar> variants;
    try {
        variants.reserve(total);
        // An odometer over the slots, the last slot turning fastest.
        std::vector<size_t> at(slots.size(), 0);
        for (size_t made = 0; made < total; ++made) {
            if (hooks.stopped && hooks.stopped()) break;
            TFilterVar var{};
            for (size_t s = 0; s < slots.size(); ++s) var[s] = slots[s][at[s]];
            variants.push_back(std::move(var));
            if (hooks.progress && variants.size() % 1000 == 0) hooks.progress(variants.size());
            for (size_t s = slots.size(); s-- > 0;) {
                if (++at[s] < slots[s].size()) break;
                at[s] = 0;
            }
        }
    } catch (const std::bad_alloc& e) {
        throw ETooManyVariants(e.what());
    }
    return variants;
}

}  // namespace zentrix
