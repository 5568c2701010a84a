#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/chart_series.h"
#include "core/draw.h"

namespace zentrix {

class TCustomGraphStat;

inline constexpr const char* kDrawsGraphStatus = "Анализ тиражей и построение графиков...";
inline constexpr const char* kMeanSeriesTitle = "Среднее значение";
inline constexpr const char* kModeSeriesTitle = "Наиболее часто встречающееся значение";
inline constexpr int kDrawsGraphLenDefault = 100;

// What a build of the graph tab depends on.
struct TDrawsGraphKeys {
    int archiveLength = -1;
    int drawsOffset = -1;
    int graphLength = -1;
    int graphEntry = -1;  // the registry entry of the selected graph type, -1 for none
    bool operator==(const TDrawsGraphKeys&) const = default;
};

// The graph tab's cache of its last build: a hidden tab never builds; a shown one builds when
// forced or when a key changed, and then remembers the keys.
class TDrawsGraphCache {
  public:
    bool NeedsBuild(bool forced, bool shown, const TDrawsGraphKeys& keys);
    void Reset() { last_ = {}; }
    const TDrawsGraphKeys& Last() const { return last_; }

  private:
    TDrawsGraphKeys last_;
};

// The per-draw values of a graph method over draws b..a (a the reference draw, b length - 1
// before it, but not before the first draw), with their mean and their most frequent value.
struct TDrawsGraph {
    std::vector<TChartSeries> Series;  // values, mean, mode; empty when there are no draws
    std::vector<int32_t> Draws;        // draw numbers, oldest first
    std::vector<int32_t> Values;
    long double Mean = 0;
    int32_t Mode = 0;
};

// The values series (dark green, magenta markers, labelled with the draw numbers), the mean and
// the mode lines. refIndex outside the archive gives an empty graph.
TDrawsGraph BuildDrawsGraph(const TCustomGraphStat& stat, const TDrawsArray& draws, int refIndex,
                            int length, bool sorted, const std::string& caption);

// The key counted most often, the first met on a tie; 0 for no values.
int32_t ModeOf(const std::vector<int32_t>& values);

}  // namespace zentrix
