#include "gui/stat_chart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include "gui/qt_ui_port.h"
#include "gui/virtual_model.h"

namespace zentrix::gui {

namespace {

// Beyond this many points the value labels would overlap: the axis shows positions instead.
constexpr size_t kMaxAxisLabels = 40;

}  // namespace

TStatChart::TStatChart(QWidget* parent) : QChartView(parent) {
    setObjectName("chDrawsStat");
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setMargins(QMargins(4, 4, 4, 4));
}

void TStatChart::Show(const std::vector<TChartSeries>& seriesList) {
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    if (seriesList.empty()) return;

    auto* axisY = new QValueAxis(c);
    axisY->setLabelFormat("%g");
    QAbstractAxis* axisX = nullptr;
    const TChartSeries& first = seriesList.front();
    double maxX = 1, maxY = 1;
    for (const TChartSeries& s : seriesList)
        for (const TChartPoint& p : s.Points) {
            maxX = std::max(maxX, static_cast<double>(p.X));
            maxY = std::max(maxY, static_cast<double>(p.Y));
        }
    const std::vector<TChartPoint>& labelled =
        seriesList.size() > 1 ? seriesList.back().Points : first.Points;
    if (labelled.size() <= kMaxAxisLabels) {
        auto* categories = new QCategoryAxis(c);
        categories->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        for (const TChartPoint& p : labelled)
            categories->append(Q(p.Label), static_cast<double>(p.X));
        axisX = categories;
    } else {
        auto* values = new QValueAxis(c);
        values->setLabelFormat("%d");
        axisX = values;
    }
    axisX->setRange(0.5, maxX + 0.5);
    axisY->setRange(0, maxY * 1.05);
    axisY->applyNiceNumbers();
    c->addAxis(axisX, Qt::AlignBottom);
    c->addAxis(axisY, Qt::AlignLeft);

    for (const TChartSeries& s : seriesList) {
        auto* line = new QLineSeries(c);
        line->setName(Q(s.Title));
        QPen pen(ToQColor(s.Color));
        pen.setWidth(s.Width);
        line->setPen(pen);
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(s.Points.size()));
        for (const TChartPoint& p : s.Points)
            points.append(QPointF(static_cast<double>(p.X), static_cast<double>(p.Y)));
        line->replace(points);
        c->addSeries(line);
        line->attachAxis(axisX);
        line->attachAxis(axisY);
        if (s.Markers) {
            auto* marks = new QScatterSeries(c);
            marks->setMarkerSize(std::max(4, s.MarkerSize * 2));
            marks->setColor(ToQColor(s.MarkerColor));
            marks->setBorderColor(ToQColor(s.MarkerColor));
            marks->replace(points);
            c->addSeries(marks);
            marks->attachAxis(axisX);
            marks->attachAxis(axisY);
            // The markers belong to the line: one legend entry.
            for (auto* marker : c->legend()->markers(marks)) marker->setVisible(false);
        }
    }
}

}  // namespace zentrix::gui
