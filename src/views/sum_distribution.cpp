#include "views/sum_distribution.h"

#include <algorithm>
#include <cmath>

#include "core/enumerate.h"
#include "util/format.h"

namespace zentrix {

namespace {

constexpr const char* kActualTitle = "Фактическое распределение сумм (по тиражам)";
constexpr const char* kTheoryTitle = "Теоретическое распределение сумм (по комбинациям)";
constexpr const char* kBandTitle = "Диапазон %d (от %s и выше по оси Y) - суммы %d-%d";
constexpr TColor kActualColor{255, 0, 0};
constexpr TColor kTheoryColor{128, 0, 0};
constexpr std::array<TColor, 3> kBandColors{TColor{0, 128, 0}, TColor{0, 0, 255},
                                            TColor{255, 0, 255}};
constexpr std::array<const char*, 3> kBandFractions{"1/3", "1/2", "2/3"};

int32_t CombSum(const TComb& c) {
    int32_t sum = 0;
    for (uint8_t n : c) sum += n;
    return sum;
}

// Indexed by sum, so the tally is one pass with no search; then in ascending sums.
TStatSimpleArray TallyBySum(const std::array<int32_t, kMaxCombSum + 1>& counts) {
    TStatSimpleArray tally;
    for (int s = kMinCombSum; s <= kMaxCombSum; ++s)
        if (counts[s] > 0) tally.push_back({s, counts[s]});
    return tally;
}

const TStatSimpleArray& CombSums() {
    static const TStatSimpleArray tally = [] {
        std::array<int32_t, kMaxCombSum + 1> counts{};
        for (const TComb& c : AllCombs()) ++counts[CombSum(c)];
        return TallyBySum(counts);
    }();
    return tally;
}

TSumBand Band(const TStatSimpleArray& combs, int32_t level) {
    TSumBand band{level, 0, 0};
    const size_t middle = combs.size() / 2;
    for (size_t i = 0; i <= middle && i < combs.size(); ++i)
        if (combs[i].Count >= level) {
            band.Low = combs[i].Key;
            break;
        }
    for (size_t i = combs.size(); i-- > middle;)
        if (combs[i].Count >= level) {
            band.High = combs[i].Key;
            break;
        }
    return band;
}

int32_t CountOf(const TStatSimpleArray& tally, int32_t sum) {
    for (const TKeyCount& kc : tally)
        if (kc.Key == sum) return kc.Count;
    return 0;
}

}  // namespace

TSumDistribution SumDistribution(const TDrawsArray& draws, int lastIndex) {
    TSumDistribution d;
    d.Combs = CombSums();
    std::array<int32_t, kMaxCombSum + 1> counts{};
    const int last = std::min(lastIndex, static_cast<int>(draws.size()) - 1);
    for (int i = 0; i <= last; ++i)
        if (IsSoundDraw(draws[i])) ++counts[CombSum(draws[i].Numbers)];
    d.Draws = TallyBySum(counts);
    for (size_t i = 0; i < d.Combs.size(); ++i) {
        d.MaxCombs = i == 0 ? d.Combs[i].Count : std::max(d.MaxCombs, d.Combs[i].Count);
        d.MinCombs = i == 0 ? d.Combs[i].Count : std::min(d.MinCombs, d.Combs[i].Count);
    }
    for (const TKeyCount& kc : d.Draws) d.MaxDraws = std::max(d.MaxDraws, kc.Count);
    const long double span = d.MaxCombs - d.MinCombs + 1;
    const std::array<long double, 3> fractions{span / 3, span / 2, 2 * span / 3};
    for (int b = 0; b < 3; ++b)
        d.Bands[b] = Band(d.Combs, static_cast<int32_t>(std::trunc(d.MinCombs + fractions[b])));
    return d;
}

std::vector<TGraphPoint> SumDistributionGraph(const TSumDistribution& d) {
    std::vector<TGraphPoint> points;
    for (const TKeyCount& kc : d.Draws)
        points.push_back(
            {kc.Key, kActualTitle, static_cast<long double>(kc.Count), true, true, kActualColor});
    const long double scale =
        d.MaxCombs > 0 ? static_cast<long double>(d.MaxDraws) / d.MaxCombs : 0;
    for (const TKeyCount& kc : d.Combs) {
        points.push_back({kc.Key, kTheoryTitle, kc.Count * scale, false, false, kTheoryColor});
        for (int b = 0; b < 3; ++b) {
            const TSumBand& band = d.Bands[b];
            points.push_back({kc.Key,
                              Format(kBandTitle, {b + 1, kBandFractions[b], band.Low, band.High}),
                              band.Level * scale, false, false, kBandColors[b]});
        }
    }
    return points;
}

std::vector<TSumRow> SumRows(const TSumDistribution& d) {
    std::vector<TSumRow> rows;
    for (int32_t s = kMinCombSum; s <= kMaxCombSum; ++s) {
        TSumRow row{s, CountOf(d.Combs, s), CountOf(d.Draws, s), 0};
        for (int b = 0; b < 3; ++b)
            if (d.Bands[b].Contains(s)) row.Band = b + 1;
        rows.push_back(row);
    }
    return rows;
}

}  // namespace zentrix
