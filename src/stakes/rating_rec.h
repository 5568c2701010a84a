#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/config_data.h"
#include "core/game.h"

namespace zentrix {

inline constexpr size_t kRatingRecordSize = 312;

// The stakes of one comment taken together.
struct TRatingRec {
    std::string Comment;  // UTF-8; the grouping key, compared case-insensitively
    int32_t Stakes = 0;
    int32_t Matches = 0;
    std::array<int32_t, kCombSize + 1> Histogram{};  // stakes with 0..8 matches
    TCurrency Profit = 0;
    bool operator==(const TRatingRec&) const = default;
};
using TRatingsArray = std::vector<TRatingRec>;

void WriteRatingRecord(std::string& out, const TRatingRec& rec);
TRatingRec ReadRatingRecord(std::string_view record);

}  // namespace zentrix
