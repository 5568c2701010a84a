#include "gui/stat_chart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>

#include <QImage>
#include <QPainter>

#include "gui/qt_ui_port.h"
#include "gui/virtual_model.h"

namespace zentrix::gui {

namespace {

// Beyond this many points the value labels would overlap: the axis shows positions instead.
constexpr size_t kMaxAxisLabels = 40;

QList<QPointF> ToQPoints(const std::vector<TChartPoint>& points) {
    QList<QPointF> result;
    result.reserve(static_cast<qsizetype>(points.size()));
    for (const TChartPoint& p : points)
        result.append(QPointF(static_cast<double>(p.X), static_cast<double>(p.Y)));
    return result;
}

// A round marker of the series' marker colour, drawn by the line itself: one graphics item
// per point (a scatter series) makes thousands of points take minutes.
QImage MarkerImage(const TColor& color, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(color));
    painter.drawEllipse(QRectF(0, 0, size, size));
    return image;
}

}  // namespace

QList<QPointF> ReducedPoints(const QList<QPointF>& points, int maxPoints, int& groupSize) {
    groupSize = 1;
    if (maxPoints < 2 || points.size() <= maxPoints) return points;
    // Each group of neighbours keeps its lowest and its highest point, in their order, so every
    // peak and dip of the distribution stays visible.
    groupSize = static_cast<int>((points.size() + maxPoints / 2 - 1) / (maxPoints / 2));
    QList<QPointF> reduced;
    reduced.reserve(maxPoints + 2);
    for (qsizetype start = 0; start < points.size(); start += groupSize) {
        const qsizetype end = std::min<qsizetype>(points.size(), start + groupSize);
        qsizetype low = start, high = start;
        for (qsizetype i = start + 1; i < end; ++i) {
            if (points[i].y() < points[low].y()) low = i;
            if (points[i].y() > points[high].y()) high = i;
        }
        reduced.append(points[std::min(low, high)]);
        if (low != high) reduced.append(points[std::max(low, high)]);
    }
    return reduced;
}

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
    c->setTitle({});
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

    int groupSize = 1;
    for (const TChartSeries& s : seriesList) {
        auto* line = new QLineSeries(c);
        line->setName(Q(s.Title));
        QPen pen(ToQColor(s.Color));
        pen.setWidth(s.Width);
        line->setPen(pen);
        int group = 1;
        line->replace(ReducedPoints(ToQPoints(s.Points), kMaxChartPoints, group));
        groupSize = std::max(groupSize, group);
        // Markers only where each stands for one value.
        if (s.Markers && group == 1) {
            const int size = std::max(4, s.MarkerSize * 2);
            line->setMarkerSize(size);
            line->setLightMarker(MarkerImage(s.MarkerColor, size));
        }
        c->addSeries(line);
        line->attachAxis(axisX);
        line->attachAxis(axisY);
    }
    if (groupSize > 1)
        c->setTitle(QString("Значений: %1, на графике мин. и макс. каждых %2")
                        .arg(first.Points.size())
                        .arg(groupSize));
}

}  // namespace zentrix::gui
