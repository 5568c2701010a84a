#pragma once

#include <QDialog>

#include <vector>

#include "core/chart_series.h"

class QCheckBox;

namespace zentrix {
class TSessionCore;
}

namespace zentrix::gui {

class TSeriesChart;

// The graph window "График": the named series a feature filled point by point; the check box
// shows or hides the labels of the series made with them. A sizeable tool window, shown modally;
// its placement is kept in the window settings.
class TFormGraph : public QDialog {
    Q_OBJECT
  public:
    static constexpr const char* kSection = "TFormGraph";

    TFormGraph(QWidget* parent, TSessionCore& core, const QString& title,
               const std::vector<TChartSeries>& series);

    TSeriesChart* ChartView() const { return chart_; }
    QCheckBox* LabelsBox() const { return labels_; }

    void done(int result) override;

  private:
    TSessionCore& core_;
    TSeriesChart* chart_;
    QCheckBox* labels_;
};

}  // namespace zentrix::gui
