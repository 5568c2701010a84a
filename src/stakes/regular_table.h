#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/config_data.h"
#include "core/draw.h"
#include "stakes/regular_rule.h"
#include "stakes/stake_rec.h"
#include "stakes/text_table.h"

namespace zentrix {

// Eight different numbers 1..20: what a base must be for its shift to stay a combination.
bool IsStakeComb(const TComb& comb);

// Advances the rule in place: its base (the numbers of the draw at `offset` with UseLastDraw,
// else CombCurrent) shifted by Step with wrap-around and sorted becomes CombCurrent, and
// StakesMade grows by one. Returns the new CombCurrent. A base that is no combination (no draw
// at that offset, a damaged record) or a step outside -20..20 raises EZentrix and leaves the
// rule as it was.
TComb NextTableCombination(TRegularRule& rule, const TDrawsArray& draws, int offset);

// The stake of kind 2 on the rule's current combination.
TStakeRec RegularStake(const TConfigData& config, const TRegularRule& rule, int32_t draw,
                       int32_t selection);

// "Регуляры": comment, start and current combinations joined by ";", step, stakes made.
const std::vector<std::string>& RegularHeaders();
std::vector<std::string> RegularCells(const TRegularRule& rule);
TTextTable RegularsTable(const TRegularRules& rules);

}  // namespace zentrix
