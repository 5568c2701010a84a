#include "gui/graph_window.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLegend>
#include <QLineSeries>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

#include "gui/qt_ui_port.h"
#include "gui/virtual_model.h"

namespace zentrix::gui {

namespace {

// Beyond this many points a series' value labels cover each other and the line.
constexpr size_t kMaxLabelledPoints = 60;

}  // namespace

TFormGraph::TFormGraph(QWidget* parent, const QString& title,
                       const std::vector<TGraphSeries>& seriesList)
    : QDialog(parent) {
    setObjectName("FormGraph");
    setWindowTitle(title.isEmpty() ? QString("График") : title);
    setWindowFlag(Qt::Tool);
    setSizeGripEnabled(true);
    resize(900, 560);

    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto* axisX = new QValueAxis(chart);
    axisX->setLabelFormat("%d");
    auto* axisY = new QValueAxis(chart);
    axisY->setLabelFormat("%g");
    double minX = 0, maxX = 1, minY = 0, maxY = 1;
    bool first = true;
    for (const TGraphSeries& s : seriesList)
        for (const auto& [x, y] : s.points) {
            const double fy = static_cast<double>(y);
            if (first) {
                minX = maxX = x;
                minY = std::min(0.0, fy);
                maxY = std::max(0.0, fy);
                first = false;
            }
            minX = std::min(minX, double(x));
            maxX = std::max(maxX, double(x));
            minY = std::min(minY, fy);
            maxY = std::max(maxY, fy);
        }
    if (maxX <= minX) maxX = minX + 1;
    if (maxY <= minY) maxY = minY + 1;
    const double padY = (maxY - minY) * 0.05;
    axisX->setRange(minX - 0.5, maxX + 0.5);
    axisX->setTickType(QValueAxis::TicksDynamic);
    axisX->setTickAnchor(std::floor(minX));
    axisX->setTickInterval(std::max(1.0, std::ceil((maxX - minX) / 12)));
    // Counts and gains start at the axis; only losses go below it.
    axisY->setRange(minY < 0 ? minY - padY : 0, maxY + padY);
    axisY->applyNiceNumbers();
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);

    for (const TGraphSeries& s : seriesList) {
        auto* line = new QLineSeries(chart);
        line->setName(Q(s.title));
        for (const auto& [x, y] : s.points) line->append(x, static_cast<double>(y));
        chart->addSeries(line);
        if (s.colour) {
            QPen pen(ToQColor(*s.colour));
            pen.setWidth(2);
            line->setPen(pen);
        } else {
            QPen pen = line->pen();  // the chart's colour for the next series
            pen.setWidth(2);
            line->setPen(pen);
        }
        line->setPointsVisible(s.markers);
        line->setMarkerSize(5);
        line->setPointLabelsFormat("@yPoint");
        line->setPointLabelsClipping(false);
        line->attachAxis(axisX);
        line->attachAxis(axisY);
        labelled_.push_back(s.labels && s.points.size() <= kMaxLabelledPoints);
    }

    view_ = new QChartView(chart, this);
    view_->setObjectName("chGraph");
    view_->setRenderHint(QPainter::Antialiasing);
    labels_ = new QCheckBox("Отображать метки на графиках", this);
    labels_->setObjectName("cbLabels");
    labels_->setChecked(true);
    connect(labels_, &QCheckBox::toggled, this, &TFormGraph::ShowLabels);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText("Закрыть");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(labels_);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    ShowLabels(true);
}

void TFormGraph::ShowLabels(bool shown) {
    const QList<QAbstractSeries*> series = view_->chart()->series();
    for (qsizetype i = 0; i < series.size() && i < qsizetype(labelled_.size()); ++i)
        if (auto* line = qobject_cast<QLineSeries*>(series[i]))
            line->setPointLabelsVisible(shown && labelled_[i]);
}

}  // namespace zentrix::gui
