#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/config_data.h"
#include "stakes/stake_rec.h"

namespace zentrix {

inline constexpr const char* kBadStakeNumbers = "Введена некорректная комбинация!";
inline constexpr const char* kNoStakeComment = "Необходимо ввести комментарий!";
inline constexpr size_t kStakeCommentLimit = 64;
inline constexpr int64_t kStakeDrawMax = 2147483647;
inline constexpr int64_t kStakeDrawsMax = 65535;

// The stake dialog's fields (the multi-stake dialog uses all but the numbers).
struct TStakeDialogFields {
    int64_t draw = 1;
    int64_t draws = 1;
    std::string numbers;  // separated by ";" or ","
    std::string comment;
};

// A new stake's dialog: the next draw, one draw, the numbers of the selected combination.
TStakeDialogFields NewStakeFields(int32_t nextDraw, const std::optional<TComb>& selected);
// The read-only sum: words that are not numbers count 0.
int64_t StakeNumbersSum(std::string_view numbers);
// Eight different numbers 1..20 separated by ";" or ",", in the typed order; nothing otherwise.
std::optional<TComb> ParseStakeNumbers(std::string_view numbers);

struct TStakeDialogResult {
    TStakeRec stake;
    int draws = 1;
};
// What OK gives: eight different numbers 1..20 (stored ascending) and a comment of at most 64
// characters; raises EConvertError kBadStakeNumbers or kNoStakeComment.
TStakeDialogResult StakeDialogResult(const TStakeDialogFields& fields, const TConfigData& config,
                                     int32_t selection, uint8_t kind = kStakeManual);
// The multi-stake dialog's check of the draw, the draws and the comment, which it returns cut
// to its length.
std::string CheckMultiStakeFields(const TStakeDialogFields& fields);

}  // namespace zentrix
