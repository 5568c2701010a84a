#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/config_data.h"
#include "core/draw.h"
#include "stakes/stakes_file.h"

namespace zentrix {

inline constexpr const char* kManualStakeComment = "Ставка \"вручную\"";
inline constexpr const char* kCheckedStakeAppend =
    "Добавление в конец файла уже проверенной ставки!";

// A new stake: the numbers ascending, unchecked, the profit the negative cost.
TStakeRec NewStake(const TConfigData& config, uint8_t kind, int32_t draw, int32_t selection,
                   const TComb& numbers, const std::string& comment);

// The draw a new stake is for: the one after the reference draw (1 for an empty archive).
int32_t StakeDraw(const TDrawsArray& draws, int offset);

// Picks an index 0..count-1 (count > 0); tests pass a fixed sequence.
using TRandomIndex = std::function<size_t(size_t count)>;
TRandomIndex SystemRandomIndex();
// The same sequence for the same seed, for reproducible runs.
TRandomIndex SeededRandomIndex(uint64_t seed);

// A manual stake on one combination of the list: the selected one, or a random one.
TStakeRec ManualStake(const TConfigData& config, int32_t draw, const TCombsArray& list,
                      const TComb& numbers, const std::string& comment = kManualStakeComment);
TStakeRec RandomStake(const TConfigData& config, int32_t draw, const TCombsArray& list,
                      const TRandomIndex& random, const std::string& comment = kManualStakeComment);
// One manual stake per listed combination (the selected rows, or all), in list order.
std::vector<TStakeRec> StakesForCombs(const TConfigData& config, int32_t draw,
                                      const TCombsArray& list, const std::vector<size_t>& rows,
                                      const std::string& comment);
std::vector<size_t> AllRows(const TCombsArray& list);

// What appending `stakes` for `drawsCount` draws (from each stake's own draw on) after a file
// whose last record is `last` writes: with more than one draw, each copy follows a separator
// unless the file is empty or ends with a record of no draw.
std::vector<TStakeRec> StakeCopies(const std::vector<TStakeRec>& stakes, int drawsCount,
                                   const TStakeRec* last);

// Appends in one batch: either every record is written or none. A checked stake is refused with
// kCheckedStakeAppend.
void AppendStake(TStakesFile& file, const TStakeRec& stake, int drawsCount = 1);
void AppendStakes(TStakesFile& file, const std::vector<TStakeRec>& stakes, int drawsCount = 1);
// A separator when the file is not empty and its last record is for a draw.
void AppendGroupSeparator(TStakesFile& file);

// A record for that draw with the same numbers, in any order.
bool StakeExists(const TStakesFile& file, int32_t draw, const TCountedNumbers& numbers);

}  // namespace zentrix
