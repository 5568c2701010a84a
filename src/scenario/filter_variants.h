#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "scenario/filter_item.h"
#include "scenario/filter_part.h"
#include "util/errors.h"

namespace zentrix {

inline constexpr const char* kBadFilterText = "Некорректное описание фильтра: %s!";
inline constexpr const char* kTooManyVariants =
    "Вы задали слишком много вариантов фильтров - программа не сможет обработать их все!\n"
    "Пожалуйста, уменьшите в каждом из фильтров количество вариантов длины выборки и глубины, а "
    "затем повторите попытку.";
// More variants than a run could hold in memory and ever work through.
inline constexpr size_t kMaxFilterVariants = 100000;

// A line's variants would not fit: the run stops with kTooManyVariants and this text after it.
class ETooManyVariants : public EZentrix {
  public:
    using EZentrix::EZentrix;
};

struct TVariantHooks {
    // After every 1000th variant, with the count so far.
    std::function<void(size_t made)> progress;
    // Polled between variants; true ends the expansion early.
    std::function<bool()> stopped;
};

// The filter-set variants of a line's filled slots (compacted, at most seven), slot 1
// outermost; within a slot the window lengths outside and the level values inside. A per-value
// mode makes one part per level value, any other mode one part per window length. A slot whose
// window lengths, or (with a mode) whose level values, give no value raises kBadFilterText with
// the item's text; more than kMaxFilterVariants raises ETooManyVariants.
std::vector<TFilterVar> ExpandVariants(const std::vector<TFilterItem>& items,
                                       const TVariantHooks& hooks = {});

}  // namespace zentrix
