#pragma once

#include <QChartView>

#include <vector>

#include "stats/stat_table.h"

namespace zentrix::gui {

// Renders the engine's chart series (the actual distribution and the full set's ideal one).
class TStatChart : public QChartView {
    Q_OBJECT
  public:
    explicit TStatChart(QWidget* parent);
    void Show(const std::vector<TChartSeries>& series);
};

}  // namespace zentrix::gui
