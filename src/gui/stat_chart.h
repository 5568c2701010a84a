#pragma once

#include <QChartView>

#include <vector>

#include "stats/stat_table.h"

namespace zentrix::gui {

// A series of more than maxPoints points reduced to at most about maxPoints: the lowest and the
// highest point of each group of groupSize neighbours (1 when nothing was reduced).
QList<QPointF> ReducedPoints(const QList<QPointF>& points, int maxPoints, int& groupSize);

// Renders the engine's chart series (the actual distribution and the full set's ideal one).
class TStatChart : public QChartView {
    Q_OBJECT
  public:
    explicit TStatChart(QWidget* parent);
    // Thousands of values would make the chart slow to draw and unreadable: beyond this many
    // points a series is reduced (and its title says so).
    static constexpr int kMaxChartPoints = 2000;
    void Show(const std::vector<TChartSeries>& series);
};

}  // namespace zentrix::gui
