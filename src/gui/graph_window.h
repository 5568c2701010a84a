#pragma once

#include <QDialog>

#include <vector>

#include "stakes/stake_graphs.h"

class QChartView;
class QCheckBox;

namespace zentrix::gui {

// The graph window "График": named series of points, each with its colour, markers and value
// labels; the check box shows or hides the labels of the series made with them. Shown modally.
class TFormGraph : public QDialog {
    Q_OBJECT
  public:
    TFormGraph(QWidget* parent, const QString& title, const std::vector<TGraphSeries>& series);

    QChartView* ChartView() const { return view_; }
    QCheckBox* LabelsBox() const { return labels_; }

  private:
    void ShowLabels(bool shown);

    QChartView* view_;
    QCheckBox* labels_;
    std::vector<bool> labelled_;  // per series of the chart
};

}  // namespace zentrix::gui
