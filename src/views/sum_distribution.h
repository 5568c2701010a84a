#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/chart_series.h"
#include "core/draw.h"
#include "core/game.h"

namespace zentrix {

inline constexpr const char* kSumDistributionCaption =
    "Распределение сумм тиражей и всех возможных комбинаций";
inline constexpr const char* kSumDistributionHint =
    "Распределение сумм всех возможных комбинаций и архива тиражей одновременно";
inline constexpr const char* kSumDistributionStatus = "Идет сбор статистики....";
inline constexpr int kMinCombSum = 36;   // 1 + 2 + ... + 8
inline constexpr int kMaxCombSum = 132;  // 13 + 14 + ... + 20

// A frequency band: the sums around the middle whose combination count reaches Level; a bound
// not found is 0.
struct TSumBand {
    int32_t Level = 0;
    int32_t Low = 0;
    int32_t High = 0;
    bool Contains(int32_t sum) const { return Low > 0 && High > 0 && sum >= Low && sum <= High; }
};

struct TSumDistribution {
    TStatSimpleArray Combs;  // sum -> number of combinations, by sum
    TStatSimpleArray Draws;  // sum -> number of archived draws, by sum
    int32_t MaxCombs = 0;    // T
    int32_t MinCombs = 0;    // t
    int32_t MaxDraws = 0;    // A
    std::array<TSumBand, 3> Bands{};
};

// The sums of all C(20, 8) combinations against those of draws 0..lastIndex, with the bands at
// 1/3, 1/2 and 2/3 of the combination counts' range. Records no draw can have are skipped.
TSumDistribution SumDistribution(const TDrawsArray& draws, int lastIndex);

// The graph window's points: the archive's sums (red, marked and labelled), the combinations'
// sums scaled to the archive's highest bar (dark red) and the three band levels.
std::vector<TGraphPoint> SumDistributionGraph(const TSumDistribution& d);

// One row per sum 36..132: the innermost band holding it (3 the narrowest, 0 none).
struct TSumRow {
    int32_t Sum = 0;
    int32_t Combs = 0;
    int32_t Draws = 0;
    int Band = 0;
};
std::vector<TSumRow> SumRows(const TSumDistribution& d);

}  // namespace zentrix
