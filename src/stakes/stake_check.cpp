#include "stakes/stake_check.h"

#include <algorithm>

#include "core/archive.h"
#include "core/config.h"

namespace zentrix {

bool IsCheckCandidate(const TStakeRec& rec) {
    return !rec.Checked && rec.Draw > 0 && rec.Numbers.Count >= kCombSize;
}

void FillStakeResult(TStakeRec& rec, const TDraw& draw, const TConfigData& config) {
    rec.Checked = true;
    rec.Result = draw.Numbers;
    rec.Matched = IntersectNumbers(draw, rec.Numbers);
    rec.Profit = StakeResult(config, rec.Numbers.Count, rec.Matched.Count);
}

int CheckStakes(TStakesFile& file, const TDrawsArray& draws, const TConfigData& config,
                const TCheckHooks& hooks) {
    const std::vector<TStakeRec> records = file.ReadAll();
    const int64_t count = static_cast<int64_t>(records.size());
    int64_t first = -1;
    int checked = 0;
    try {
        for (int64_t i = 0; i < count; ++i) {
            TStakeRec rec = records[i];
            if (!IsCheckCandidate(rec)) continue;
            if (first < 0) first = i;
            const int64_t remaining = count - first;
            const int64_t done = i - first;
            if (hooks.progress && done % std::max<int64_t>(1, remaining / 100) == 0)
                hooks.progress(100.0L * done / remaining);
            const int index = FindDrawIndex(draws, rec.Draw);
            if (index < 0) continue;
            FillStakeResult(rec, draws[index], config);
            file.Write(i, rec);
            ++checked;
            if (hooks.checked) hooks.checked(rec);
        }
    } catch (...) {
        if (checked > 0) file.Flush();
        throw;
    }
    if (checked > 0) file.Flush();
    return checked;
}

}  // namespace zentrix
