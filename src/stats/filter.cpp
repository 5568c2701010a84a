#include "stats/filter.h"

namespace zentrix {

void FilterCombList(TCustomStat& stat, std::span<const TStatDraw> selected, int refIndex,
                    bool sorted, bool exclude, std::span<const TComb> source, TCombsArray& dest) {
    stat.LoadDraws(-1, refIndex, sorted);
    stat.PrepareFilter(selected, refIndex, sorted, exclude)->Apply(source, dest);
}

}  // namespace zentrix
