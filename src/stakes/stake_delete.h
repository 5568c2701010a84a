#pragma once

#include <array>
#include <cstdint>

#include "stakes/stakes_file.h"

namespace zentrix {

// The conditions of deleting by condition, in the dialog's order.
enum class TStakeCondition { Equal, Greater, NotLess, Less, NotGreater };
inline constexpr std::array<const char*, 5> kStakeConditionCaptions = {
    "Равно [ = ]", "Более [ > ]", "Не менее [ >= ]", "Менее [ < ]", "Не более [ <= ]"};

bool MeetsCondition(int32_t matches, TStakeCondition condition, int32_t value);

// Drops the records shown in grid rows first..last (row r shows record r - 1). Returns how many
// were dropped.
int64_t DeleteStakeRows(TStakesFile& file, int64_t firstRow, int64_t lastRow);
// Drops every stake whose matches (-1 when unchecked) meet the condition; separators stay.
int64_t DeleteStakesWhere(TStakesFile& file, TStakeCondition condition, int32_t value);
void ClearAllStakes(TStakesFile& file);

}  // namespace zentrix
