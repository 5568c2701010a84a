#pragma once

#include <cstdint>
#include <functional>

#include "core/config_data.h"
#include "core/draw.h"
#include "stakes/stakes_file.h"

namespace zentrix {

// An unchecked stake for a draw, with its eight numbers.
bool IsCheckCandidate(const TStakeRec& rec);
// Fills in the result from the draw: its numbers, the matched ones ascending, the profit.
void FillStakeResult(TStakeRec& rec, const TDraw& draw, const TConfigData& config);

struct TCheckHooks {
    // Each stake just checked, after it was written (ratings, logs).
    std::function<void(const TStakeRec&)> checked;
    // The share done, 0..100, at the progress steps.
    std::function<void(long double percent)> progress;
};

// Fills in every candidate whose draw is in the archive; the others stay as they are. Returns
// how many were checked. A failure raises EZentrix; the stakes checked before it stay written.
int CheckStakes(TStakesFile& file, const TDrawsArray& draws, const TConfigData& config,
                const TCheckHooks& hooks = {});

}  // namespace zentrix
