#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/palette.h"

namespace zentrix {

// Plain chart models: what a chart shows, computed below the window; the front end only draws it.
struct TChartPoint {
    long double X = 0;
    long double Y = 0;
    std::string Label;
    bool operator==(const TChartPoint&) const = default;
};

struct TChartSeries {
    std::string Title;
    std::optional<TColor> Color;  // none: the chart's next colour
    int Width = 1;
    bool Markers = false;
    int MarkerSize = 0;                 // pixels across
    std::optional<TColor> MarkerColor;  // the markers' outline; none: the series' colour
    std::vector<TChartPoint> Points;
    // The points carry value labels; they are drawn while the chart's labels box is checked.
    bool Labels = false;
    // An inactive series is not drawn.
    bool Active = true;
};

// One call of the graph window's point adding.
struct TGraphPoint {
    int x = 0;
    std::string series;
    long double y = 0;
    bool markers = false;
    bool labels = false;
    std::optional<TColor> colour;  // none: the default colour
    bool operator==(const TGraphPoint&) const = default;
};

// The graph window's series, filled point by point: a point goes to the series of its title
// (compared without regard to case), which its first point creates as a line of width 2 with
// 3-pixel markers when asked, in its colour; the point's label is x in decimal.
class TGraphWindowModel {
  public:
    static constexpr int kLineWidth = 2;
    static constexpr int kMarkerSize = 3;

    void AddGraphPoint(const TGraphPoint& point);
    const std::vector<TChartSeries>& Series() const { return series_; }

  private:
    std::vector<TChartSeries> series_;
    std::unordered_map<std::string, size_t> index_;  // upper-cased title -> series
};

// The series a list of points makes, added in their order.
std::vector<TChartSeries> GraphSeries(const std::vector<TGraphPoint>& points);

}  // namespace zentrix
