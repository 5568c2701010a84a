#pragma once

#include <QChartView>

class QGraphicsTextItem;

#include <vector>

#include "core/chart_series.h"

namespace zentrix::gui {

// A series of more than maxPoints points reduced to at most about maxPoints: the lowest and the
// highest point of each group of groupSize neighbours (1 when nothing was reduced).
QList<QPointF> ReducedPoints(const QList<QPointF>& points, int maxPoints, int& groupSize);

// Draws the engine's chart series as lines: each in its colour and width, with its markers and,
// while labels are shown, the value labels of the series that carry them. The legend is at the
// bottom and wraps long titles onto more lines rather than cutting them; an inactive series is
// left out.
class TSeriesChart : public QChartView {
    Q_OBJECT
  public:
    struct TLook {
        // The x axis names the points by their labels (a statistic's values) rather than numbers.
        bool categoryAxis = false;
        // The y axis starts at 0 (counts); otherwise it spans the values.
        bool yFromZero = true;
    };

    TSeriesChart(QWidget* parent, const QString& name, TLook look);
    // Thousands of values would make the chart slow to draw and unreadable: beyond this many
    // points a series is reduced (and the chart's title says so).
    static constexpr int kMaxChartPoints = 2000;
    // Beyond this many points a series' value labels would cover each other and the line.
    static constexpr int kMaxLabelledPoints = 300;

    void Show(const std::vector<TChartSeries>& series);
    void SetLabelsShown(bool shown);
    bool LabelsShown() const { return labelsShown_; }
    // The legend's text (plain), for tests.
    QString LegendText() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ApplyLabels();
    void LayoutLegend();

    TLook look_;
    bool labelsShown_ = true;
    std::vector<bool> labelled_;  // per drawn series
    QGraphicsTextItem* legend_;
};

}  // namespace zentrix::gui
