#include "gui/week_tab.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>
#include <QValueAxis>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/grid_table.h"
#include "gui/kept_splitter.h"
#include "gui/qt_ui_port.h"
#include "gui/virtual_model.h"

namespace zentrix::gui {

TWeekTab::TWeekTab(QWidget* parent, TMainSession& session, TActionList& actions)
    : QWidget(parent), session_(session), actions_(actions) {
    setObjectName("tsWeek");
    TViewsController& views = session_.Views();

    length_ = new QSpinBox(this);
    length_->setObjectName("edWeekLen");
    length_->setRange(1, kViewLengthMax);
    length_->setValue(views.WeekLen());
    length_->setToolTip("Количество тиражей, использующихся для расчета статистики");
    length_->setStatusTip(length_->toolTip());
    length_->installEventFilter(this);
    connect(length_, &QSpinBox::valueChanged, this,
            [this](int value) { session_.Views().SetWeekLen(value); });

    TGridModel::TSource source;
    source.rows = [] { return TWeekTable::kRows; };
    source.columns = [] { return TWeekTable::kColumns; };
    source.text = [&views](int row, int column) { return views.Week().Text(row, column); };
    source.color = [&views](int row, int column) { return views.Week().Color(row, column); };
    model_ = new TGridModel(this, std::move(source));
    grid_ = new TGridTable(this, "sgWeek", 30, 22);
    grid_->setModel(model_);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

    chart_ = new QChartView(this);
    chart_->setObjectName("chWeek");
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->chart()->legend()->hide();
    chart_->chart()->setMargins(QMargins(4, 4, 4, 4));

    auto range = [this] { return grid_->Range(); };
    const TMainOptions& o = session_.Core().Settings().Options();
    QAction* calc = actions_.Add(
        "Обновить", "Пересчитать статистику по выбранным параметрам", {},
        [&views] { return views.CanWeekStatCalc(); }, [&views] { views.WeekStatCalc(); });
    include_ = actions_.Add(
        "Оставить выделенные", "В списке комбинаций оставить комбинации с выделенными значениями",
        {}, [&views, range] { return views.CanFilter(TGridView::Week, range()); },
        [&views, range] { views.Filter(TGridView::Week, false, range()); });
    exclude_ = actions_.Add(
        "Удалить выделенные", "Из списка комбинаций удалить комбинации с выделенными значениями",
        {}, [&views, range] { return views.CanFilter(TGridView::Week, range()); },
        [&views, range] { views.Filter(TGridView::Week, true, range()); });
    QAction* mode = actions_.AddCheck(
        "График по дням недели", "Режим графика на вкладке \"дни недели\"",
        [&views] { return views.CanToggleWeekChart(); },
        [&o] { return o.WeekChartMode == TWeekChartMode::NumberOverDays; },
        [&views] { views.ToggleWeekChartMode(); });
    QAction* type = actions_.AddCheck(
        "График / диаграмма", "Вид графика на вкладке \"Дни недели\"",
        [&views] { return views.CanToggleWeekChart(); }, [&o] { return o.WeekChartType; },
        [&views] { views.ToggleWeekChartType(); });
    menuActions_ = {calc, include_, exclude_, nullptr, mode, type};

    auto* toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolbar->addWidget(new QLabel(" Тиражей: ", this));
    toolbar->addWidget(length_);
    toolbar->addActions({calc, include_, exclude_});
    actions_.AttachContextMenu(grid_, {include_, exclude_, nullptr, mode, type});
    actions_.AttachContextMenu(chart_, {mode, type});
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, &actions_,
            &TActionList::RequestUpdate);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { actions_.Run([this] { DrawChart(); }); });

    split_ = new TKeptSplitter(Qt::Vertical, 1, this);
    split_->setObjectName("splWeek");
    split_->addWidget(grid_);
    split_->addWidget(chart_);
    split_->setStretchFactor(0, 0);
    split_->setStretchFactor(1, 1);
    split_->setSizes({200, 400});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(toolbar);
    layout->addWidget(split_);
}

bool TWeekTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == length_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            length_->interpretText();
            actions_.Run([this] { session_.Views().WeekLenEntered(length_->value()); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TWeekTab::RestoreSettings(TWindowSettings& settings) {
    split_->SetKeptSize(settings.Options().WeekHeight);
    QSignalBlocker block(length_);
    length_->setValue(session_.Views().WeekLen());
}

void TWeekTab::StoreSettings(TWindowSettings& settings) {
    TMainOptions& o = settings.Options();
    o.WeekLen = length_->value();
    o.WeekHeight = split_->KeptSize(o.WeekHeight);
}

void TWeekTab::OnInvalidated(TUiPart part) {
    if (part != TUiPart::WeekTable) return;
    model_->Repaint();
    DrawChart();
}

void TWeekTab::DrawChart() {
    const auto [column, row] = grid_->CurrentCell();
    ShowChart(session_.Views().WeekChart(column, row));
}

void TWeekTab::ShowChart(const TWeekChart& week) {
    QChart* c = chart_->chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    const TChartSeries& s = week.series;
    // The model always gives both colours; the fallbacks only keep the chart drawable.
    const QColor color = ToQColor(s.Color.value_or(TColor{0, 0, 255}));
    const QColor markerColor = s.MarkerColor ? ToQColor(*s.MarkerColor) : color;
    double maxY = 1;
    for (const TChartPoint& p : s.Points) maxY = std::max(maxY, static_cast<double>(p.Y));
    auto* axisY = new QValueAxis(c);
    axisY->setLabelFormat("%d");
    axisY->setRange(0, maxY);
    axisY->applyNiceNumbers();
    c->addAxis(axisY, Qt::AlignLeft);
    if (!week.line) {
        auto* set = new QBarSet(Q(s.Title));
        set->setColor(color);
        set->setBorderColor(color);
        QStringList labels;
        for (const TChartPoint& p : s.Points) {
            set->append(static_cast<double>(p.Y));
            labels << Q(p.Label);
        }
        auto* bars = new QBarSeries(c);
        bars->append(set);
        bars->setLabelsVisible(false);
        auto* axisX = new QBarCategoryAxis(c);
        axisX->append(labels);
        c->addSeries(bars);
        c->addAxis(axisX, Qt::AlignBottom);
        bars->attachAxis(axisX);
        bars->attachAxis(axisY);
        return;
    }
    auto* axisX = new QCategoryAxis(c);
    axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    auto* line = new QLineSeries(c);
    QPen pen(color);
    pen.setWidth(s.Width);
    line->setPen(pen);
    auto* markers = new QScatterSeries(c);
    markers->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    markers->setMarkerSize(s.MarkerSize + 2);
    markers->setColor(markerColor);
    markers->setBorderColor(markerColor);
    for (const TChartPoint& p : s.Points) {
        const auto x = static_cast<double>(p.X), y = static_cast<double>(p.Y);
        line->append(x, y);
        markers->append(x, y);
        axisX->append(Q(p.Label), x);
    }
    axisX->setRange(s.Points.empty() ? 0 : static_cast<double>(s.Points.front().X) - 0.5,
                    s.Points.empty() ? 1 : static_cast<double>(s.Points.back().X) + 0.5);
    c->addAxis(axisX, Qt::AlignBottom);
    for (QXYSeries* series : {static_cast<QXYSeries*>(line), static_cast<QXYSeries*>(markers)}) {
        c->addSeries(series);
        series->attachAxis(axisX);
        series->attachAxis(axisY);
    }
}

}  // namespace zentrix::gui
