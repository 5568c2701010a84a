#include "stakes/stake_delete.h"

#include <vector>

namespace zentrix {

namespace {

template <typename Drop>
int64_t RewriteWithout(TStakesFile& file, Drop drop) {
    const std::vector<TStakeRec> records = file.ReadAll();
    std::vector<TStakeRec> kept;
    kept.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        if (!drop(static_cast<int64_t>(i), records[i])) kept.push_back(records[i]);
    const int64_t dropped = static_cast<int64_t>(records.size() - kept.size());
    if (dropped > 0) file.Rewrite(kept);
    return dropped;
}

}  // namespace

bool MeetsCondition(int32_t matches, TStakeCondition condition, int32_t value) {
    switch (condition) {
        case TStakeCondition::Equal:
            return matches == value;
        case TStakeCondition::Greater:
            return matches > value;
        case TStakeCondition::NotLess:
            return matches >= value;
        case TStakeCondition::Less:
            return matches < value;
        case TStakeCondition::NotGreater:
            return matches <= value;
    }
    return false;
}

int64_t DeleteStakeRows(TStakesFile& file, int64_t firstRow, int64_t lastRow) {
    return RewriteWithout(file, [&](int64_t index, const TStakeRec&) {
        return index + 1 >= firstRow && index + 1 <= lastRow;
    });
}

int64_t DeleteStakesWhere(TStakesFile& file, TStakeCondition condition, int32_t value) {
    return RewriteWithout(file, [&](int64_t, const TStakeRec& rec) {
        return !rec.IsSeparator() && MeetsCondition(rec.Matches(), condition, value);
    });
}

void ClearAllStakes(TStakesFile& file) {
    file.Clear();
}

}  // namespace zentrix
