#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "scenario/filter_item.h"

namespace zentrix {

inline constexpr int kFilterSlotCount = 7;

// One variant of a filter item: a single window length and, for the per-value modes, a single
// level value.
struct TFilterPart : TFilterSettings {
    int32_t DrawsLen = 0;
    std::string LevelSource;  // what is printed: the item's level text or the single value
};

using TFilterVar = std::array<TFilterPart, kFilterSlotCount>;

// The item encoding with the part's window length and LevelSource; empty for a disabled part.
std::string EncodeFilterPart(const TFilterPart& part);
// The non-empty part texts in slot order, joined by " + ".
std::string JoinFilterParts(const TFilterVar& parts);

}  // namespace zentrix
