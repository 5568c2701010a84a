#include "gui/series_chart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

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

// A round marker filled with the series' colour and outlined in the marker colour, drawn by the
// line itself: one graphics item per point (a scatter series) makes thousands of points take
// minutes.
QImage MarkerImage(const QColor& fill, const QColor& outline, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
    return image;
}

struct TRange {
    double minX = 0, maxX = 1, minY = 0, maxY = 1;
};

TRange RangeOf(const std::vector<TChartSeries>& seriesList, bool yFromZero) {
    TRange r;
    bool first = true;
    for (const TChartSeries& s : seriesList) {
        if (!s.Active) continue;
        for (const TChartPoint& p : s.Points) {
            const double x = static_cast<double>(p.X), y = static_cast<double>(p.Y);
            if (first) {
                r = {x, x, y, y};
                first = false;
            }
            r.minX = std::min(r.minX, x);
            r.maxX = std::max(r.maxX, x);
            r.minY = std::min(r.minY, y);
            r.maxY = std::max(r.maxY, y);
        }
    }
    if (yFromZero) {
        r.minY = std::min(0.0, r.minY);
        r.maxY = std::max(0.0, r.maxY);
    }
    if (r.maxX <= r.minX) r.maxX = r.minX + 1;
    if (r.maxY <= r.minY) {
        // One flat value: a band around it.
        r.minY -= 1;
        r.maxY += 1;
        if (yFromZero) r.minY = std::min(0.0, r.minY + 1);
    }
    return r;
}

}  // namespace

QList<QPointF> ReducedPoints(const QList<QPointF>& points, int maxPoints, int& groupSize) {
    groupSize = 1;
    if (maxPoints < 2 || points.size() <= maxPoints) return points;
    // Each group of neighbours keeps its lowest and its highest point, in their order, so every
    // peak and dip stays visible.
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

TSeriesChart::TSeriesChart(QWidget* parent, const QString& name, TLook look)
    : QChartView(parent), look_(look) {
    setObjectName(name);
    setRenderHint(QPainter::Antialiasing);
    // The chart's own legend cuts titles that do not fit one row.
    chart()->legend()->hide();
    chart()->setMargins(QMargins(4, 4, 4, 4));
    legend_ = new QGraphicsTextItem;
    legend_->setZValue(10);
    scene()->addItem(legend_);
}

QString TSeriesChart::LegendText() const {
    return legend_->toPlainText();
}

void TSeriesChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    LayoutLegend();
}

void TSeriesChart::LayoutLegend() {
    const QSizeF size = chart()->size();
    legend_->setTextWidth(std::max(50.0, size.width() - 16));
    const double height = legend_->toPlainText().isEmpty() ? 0 : legend_->boundingRect().height();
    chart()->setMargins(QMargins(4, 4, 4, 4 + static_cast<int>(std::ceil(height))));
    legend_->setPos(8, size.height() - height - 2);
}

void TSeriesChart::Show(const std::vector<TChartSeries>& seriesList) {
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    c->setTitle({});
    labelled_.clear();
    legend_->setHtml({});
    LayoutLegend();
    if (seriesList.empty()) return;

    const TRange range = RangeOf(seriesList, look_.yFromZero);
    auto* axisY = new QValueAxis(c);
    axisY->setLabelFormat("%g");
    QAbstractAxis* axisX = nullptr;
    const TChartSeries& first = seriesList.front();
    const std::vector<TChartPoint>& named =
        seriesList.size() > 1 ? seriesList.back().Points : first.Points;
    if (look_.categoryAxis && named.size() <= kMaxAxisLabels) {
        auto* categories = new QCategoryAxis(c);
        categories->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        for (const TChartPoint& p : named) categories->append(Q(p.Label), static_cast<double>(p.X));
        axisX = categories;
        axisX->setRange(0.5, range.maxX + 0.5);
    } else {
        auto* values = new QValueAxis(c);
        values->setLabelFormat("%d");
        if (!look_.categoryAxis) {
            // Whole steps: the x values are draw numbers or sums.
            values->setTickType(QValueAxis::TicksDynamic);
            values->setTickAnchor(std::floor(range.minX));
            values->setTickInterval(std::max(1.0, std::ceil((range.maxX - range.minX) / 12)));
        }
        axisX = values;
        axisX->setRange(look_.categoryAxis ? 0.5 : range.minX - 0.5, range.maxX + 0.5);
    }
    const double pad = (range.maxY - range.minY) * 0.05;
    axisY->setRange(look_.yFromZero && range.minY >= 0 ? 0 : range.minY - pad, range.maxY + pad);
    axisY->applyNiceNumbers();
    c->addAxis(axisX, Qt::AlignBottom);
    c->addAxis(axisY, Qt::AlignLeft);

    int groupSize = 1;
    QString legend;
    for (const TChartSeries& s : seriesList) {
        if (!s.Active) continue;
        auto* line = new QLineSeries(c);
        line->setName(Q(s.Title));
        int group = 1;
        line->replace(ReducedPoints(ToQPoints(s.Points), kMaxChartPoints, group));
        groupSize = std::max(groupSize, group);
        c->addSeries(line);  // a series without a colour of its own gets the chart's next one
        QPen pen = line->pen();
        if (s.Color) pen.setColor(ToQColor(*s.Color));
        pen.setWidth(s.Width);
        line->setPen(pen);
        // Markers only where each stands for one value.
        if (s.Markers && group == 1) {
            const int size = std::max(4, s.MarkerSize * 2 + 1);
            const QColor outline = s.MarkerColor ? ToQColor(*s.MarkerColor) : pen.color();
            line->setMarkerSize(size);
            line->setLightMarker(MarkerImage(pen.color(), outline, size));
        }
        // The labels name the points (draw numbers, sums).
        line->setPointLabelsFormat("@xPoint");
        line->setPointLabelsClipping(false);
        line->setPointLabelsColor(pen.color().darker(130));
        line->attachAxis(axisX);
        line->attachAxis(axisY);
        // Each entry stays on one line; the entries wrap between them.
        legend += QString(
                      "<span style=\"white-space:nowrap\"><span style=\"color:%1\">"
                      "&#9632;</span>&nbsp;%2</span> &nbsp; ")
                      .arg(pen.color().name(), Q(s.Title).toHtmlEscaped());
        labelled_.push_back(s.Labels && group == 1 &&
                            s.Points.size() <= static_cast<size_t>(kMaxLabelledPoints));
    }
    if (groupSize > 1)
        c->setTitle(QString("Значений: %1, на графике мин. и макс. каждых %2")
                        .arg(first.Points.size())
                        .arg(groupSize));
    legend_->setHtml(QString("<div align=\"center\">%1</div>").arg(legend));
    LayoutLegend();
    ApplyLabels();
}

void TSeriesChart::SetLabelsShown(bool shown) {
    labelsShown_ = shown;
    ApplyLabels();
}

void TSeriesChart::ApplyLabels() {
    const QList<QAbstractSeries*> series = chart()->series();
    for (qsizetype i = 0; i < series.size() && i < qsizetype(labelled_.size()); ++i)
        if (auto* line = qobject_cast<QLineSeries*>(series[i]))
            line->setPointLabelsVisible(labelsShown_ && labelled_[i]);
}

}  // namespace zentrix::gui
