#include "gui/graphs_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/qt_ui_port.h"
#include "gui/series_chart.h"

namespace zentrix::gui {

TGraphsTab::TGraphsTab(QTabWidget* tabs, TMainSession& session, TActionList& actions)
    : QWidget(tabs), tabs_(tabs), session_(session), actions_(actions) {
    setObjectName("tsGraphs");
    TChartsController& charts = session_.Charts();

    types_ = new QComboBox(this);
    types_->setObjectName("cbDrawsGraphType");
    types_->setToolTip("Тип графика");
    types_->setStatusTip(types_->toolTip());
    types_->setMinimumContentsLength(24);
    types_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    length_ = new QSpinBox(this);
    length_->setObjectName("edDrawsGraphLen");
    length_->setRange(1, TChartsController::kGraphLengthMax);
    length_->setValue(charts.GraphLength());
    length_->setToolTip("Количество тиражей, использующихся для построения графиков");
    length_->setStatusTip(length_->toolTip());
    length_->installEventFilter(this);
    labels_ = new QCheckBox("Отображать метки на графике", this);
    labels_->setObjectName("cbDrawsGraphMarks");
    chart_ = new TSeriesChart(this, "chDrawsGraph", {false, false});
    chart_->SetLabelsShown(false);

    draw_ = actions_.Add(
        "Обновить", "Построить графики по выбранным параметрам", {},
        [&charts] { return charts.CanDrawsGraphDraw(); }, [&charts] { charts.DrawsGraphDraw(); });
    tab_ = actions_.AddCheck(
        kTabGraphsCaption, kTabGraphsHint, [&charts] { return charts.CanTabGraps(); },
        [&charts] { return charts.TabShown(); },
        [this, &charts] {
            charts.TabGraps();
            if (charts.TabShown()) tabs_->setCurrentWidget(this);
        });

    auto* drawButton = new QToolButton(this);
    drawButton->setDefaultAction(draw_);
    auto* top = new QHBoxLayout;
    top->addWidget(types_, 1);
    top->addWidget(new QLabel("Тиражей:", this));
    top->addWidget(length_);
    top->addWidget(drawButton);
    top->addWidget(labels_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(top);
    layout->addWidget(chart_, 1);

    connect(types_, &QComboBox::activated, this, [this](int index) {
        actions_.Run([this, index] { session_.Charts().SelectGraphPosition(index); });
    });
    connect(length_, &QSpinBox::valueChanged, this,
            [this](int value) { session_.Charts().SetGraphLength(value); });
    connect(labels_, &QCheckBox::toggled, chart_, &TSeriesChart::SetLabelsShown);
    FillTypes();
    ShowGraph();
}

bool TGraphsTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == length_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            length_->interpretText();
            actions_.Run([this] { session_.Charts().GraphLengthEntered(length_->value()); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TGraphsTab::RestoreSettings(TWindowSettings&) {
    QSignalBlocker block(length_);
    length_->setValue(session_.Charts().GraphLength());
    ShowTab();
}

void TGraphsTab::StoreSettings(TWindowSettings& settings) {
    settings.Options().DrawsGraphLen = length_->value();
}

void TGraphsTab::OnInvalidated(TUiPart part) {
    if (part == TUiPart::MethodLists) FillTypes();
    if (part == TUiPart::DrawsGraph) {
        ShowTab();
        ShowGraph();
    }
}

void TGraphsTab::FillTypes() {
    const TStatsController& stats = session_.Stats();
    QSignalBlocker block(types_);
    types_->clear();
    for (const TMethodListItem& item : stats.MethodLists().Graphs) types_->addItem(Q(item.Caption));
    types_->setCurrentIndex(stats.GraphPosition());
}

void TGraphsTab::ShowGraph() {
    const TChartsController& charts = session_.Charts();
    if (charts.GraphVersion() == graphVersion_) return;
    graphVersion_ = charts.GraphVersion();
    chart_->Show(charts.Graph());
}

void TGraphsTab::ShowTab() {
    const int index = tabs_->indexOf(this);
    if (index >= 0) tabs_->setTabVisible(index, session_.Charts().TabShown());
}

}  // namespace zentrix::gui
