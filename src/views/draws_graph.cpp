#include "views/draws_graph.h"

#include <algorithm>
#include <unordered_map>

#include "stats/custom_stat.h"

namespace zentrix {

namespace {

constexpr TColor kValuesColor{0, 128, 0};
constexpr TColor kValuesMarkerColor{255, 0, 255};
constexpr TColor kMeanColor{0, 0, 255};
constexpr TColor kModeColor{255, 0, 0};
constexpr int kValuesMarkerSize = 2;

TChartSeries FlatLine(const std::string& title, TColor color, const std::vector<int32_t>& draws,
                      long double y) {
    TChartSeries s{title, color, 1, false, 0, std::nullopt, {}};
    for (int32_t d : draws) s.Points.push_back({static_cast<long double>(d), y, std::to_string(d)});
    return s;
}

}  // namespace

bool TDrawsGraphCache::NeedsBuild(bool forced, bool shown, const TDrawsGraphKeys& keys) {
    if (!shown) return false;
    if (!forced && keys == last_) return false;
    last_ = keys;
    return true;
}

int32_t ModeOf(const std::vector<int32_t>& values) {
    // The tally in the order keys were first met; a hash index finds a key.
    std::vector<std::pair<int32_t, int>> tally;
    std::unordered_map<int32_t, size_t> index;
    for (int32_t v : values) {
        auto [it, added] = index.emplace(v, tally.size());
        if (added) tally.push_back({v, 0});
        ++tally[it->second].second;
    }
    int32_t mode = 0;
    int best = 0;
    for (const auto& [key, count] : tally)
        if (count > best) {
            best = count;
            mode = key;
        }
    return mode;
}

TDrawsGraph BuildDrawsGraph(const TCustomGraphStat& stat, const TDrawsArray& draws, int refIndex,
                            int length, bool sorted, const std::string& caption) {
    TDrawsGraph graph;
    if (refIndex < 0 || refIndex >= static_cast<int>(draws.size())) return graph;
    const int a = refIndex;
    const int b = std::max(0, a - std::max(1, length) + 1);
    TChartSeries values{caption, kValuesColor, 2, true, kValuesMarkerSize, kValuesMarkerColor, {}};
    values.Labels = true;
    int64_t sum = 0;
    for (int i = b; i <= a; ++i) {
        const int32_t v = stat.GraphValue(i, a, sorted);
        const int32_t number = draws[i].Number;
        values.Points.push_back({static_cast<long double>(number), static_cast<long double>(v),
                                 std::to_string(number)});
        graph.Draws.push_back(number);
        graph.Values.push_back(v);
        sum += v;
    }
    graph.Mean = static_cast<long double>(sum) / (a - b + 1);
    graph.Mode = ModeOf(graph.Values);
    graph.Series.push_back(std::move(values));
    graph.Series.push_back(FlatLine(kMeanSeriesTitle, kMeanColor, graph.Draws, graph.Mean));
    graph.Series.push_back(
        FlatLine(kModeSeriesTitle, kModeColor, graph.Draws, static_cast<long double>(graph.Mode)));
    return graph;
}

}  // namespace zentrix
