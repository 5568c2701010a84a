#include "gui/graph_window.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/session_core.h"
#include "gui/series_chart.h"
#include "gui/window_geometry.h"
#include "util/errors.h"

namespace zentrix::gui {

TFormGraph::TFormGraph(QWidget* parent, TSessionCore& core, const QString& title,
                       const std::vector<TChartSeries>& series)
    : QDialog(parent), core_(core) {
    setObjectName("FormGraph");
    setWindowTitle(title.isEmpty() ? QString("График") : title);
    setWindowFlag(Qt::Tool);
    setSizeGripEnabled(true);
    resize(900, 560);

    chart_ = new TSeriesChart(this, "chGraph", {});
    chart_->Show(series);
    labels_ = new QCheckBox("Отображать метки на графиках", this);
    labels_->setObjectName("cbLabels");
    labels_->setChecked(true);
    connect(labels_, &QCheckBox::toggled, this, [this](bool shown) {
        try {
            chart_->SetLabelsShown(shown);
        } catch (const std::exception& e) {
            core_.ErrorBox(ErrorText(e));
        }
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText("Закрыть");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chart_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(labels_);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    RestorePlacement(this, core_.Settings().Ini(), kSection);
}

void TFormGraph::done(int result) {
    SavePlacementOnClose(this, core_, kSection);
    QDialog::done(result);
}

}  // namespace zentrix::gui
