#pragma once

#include <span>

#include "core/game.h"
#include "stats/custom_stat.h"

namespace zentrix {

// Keeps (exclude false) or removes (exclude true) the source combinations that have one of the
// selected values, appending the result to dest in source order. The reference draw is loaded
// first, as the filter tests of flag D need it. The answer equals calling FilterTest on each
// combination; the family's prepared filter only makes it faster. With nothing selected nothing
// has a selected value: the caller, which leaves the list alone then, checks that first.
void FilterCombList(TCustomStat& stat, std::span<const TStatDraw> selected, int refIndex,
                    bool sorted, bool exclude, std::span<const TComb> source, TCombsArray& dest);

}  // namespace zentrix
