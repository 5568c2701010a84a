#include "core/chart_series.h"

#include "util/strings.h"

namespace zentrix {

void TGraphWindowModel::AddGraphPoint(const TGraphPoint& p) {
    auto [it, added] = index_.emplace(UpperCase(p.series), series_.size());
    if (added) {
        TChartSeries s;
        s.Title = p.series;
        s.Color = p.colour;
        s.Width = kLineWidth;
        s.Markers = p.markers;
        s.MarkerSize = p.markers ? kMarkerSize : 0;
        s.Labels = p.labels;
        series_.push_back(std::move(s));
    }
    series_[it->second].Points.push_back({static_cast<long double>(p.x), p.y, std::to_string(p.x)});
}

std::vector<TChartSeries> GraphSeries(const std::vector<TGraphPoint>& points) {
    TGraphWindowModel model;
    for (const TGraphPoint& p : points) model.AddGraphPoint(p);
    return model.Series();
}

}  // namespace zentrix
