#include "gui/repeats_window.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/session.h"
#include "gui/kept_splitter.h"
#include "gui/list_view.h"
#include "gui/series_chart.h"
#include "gui/virtual_model.h"
#include "gui/window_geometry.h"
#include "util/errors.h"

namespace zentrix::gui {

namespace {

constexpr const char* kListName = "lvRepeats";

QSpinBox* CountSpin(QWidget* parent, const char* name, const char* hint, int value) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(1, 2147483647);
    spin->setValue(value);
    spin->setToolTip(hint);
    spin->setStatusTip(hint);
    return spin;
}

}  // namespace

TFormRepeats::TFormRepeats(QWidget* parent, TMainSession& session)
    : QDialog(parent), session_(session) {
    setObjectName("FormRepeats");
    setWindowTitle(kRepeatsCaption);
    setSizeGripEnabled(true);
    resize(900, 640);
    TIniFile& ini = session_.Core().Settings().Ini();
    settings_.Read(ini);

    length_ =
        CountSpin(this, "edDrawsLen", "Количество тиражей, использующихся для расчета статистики",
                  settings_.DrawsLength);
    depth_ = CountSpin(this, "edDeep",
                       "Количество тиражей, просматриваемых \"в глубину\" для поиска совпадений",
                       settings_.DrawsDeep);
    length_->installEventFilter(this);
    depth_->installEventFilter(this);
    auto* calc = new QPushButton("Рассчитать", this);
    calc->setObjectName("btCalc");
    calc->setAutoDefault(false);
    connect(calc, &QPushButton::clicked, this, &TFormRepeats::Calculate);

    TVirtualModel::TSource source;
    source.header = RepeatsColumns();
    source.rowCount = [this] { return static_cast<int>(result_.Rows.size()); };
    source.rowTexts = [this](int row) { return RepeatsRowTexts(result_.Rows.at(row)); };
    source.alignment = {Qt::AlignRight, Qt::AlignRight, Qt::AlignRight, Qt::AlignLeft};
    model_ = new TVirtualModel(this, std::move(source));
    list_ = new TListView(this, kListName);
    list_->setModel(model_);
    list_->horizontalHeader()->setSectionsClickable(false);
    list_->setColumnWidth(2, list_->horizontalHeader()->fontMetrics().horizontalAdvance(
                                 QString::fromStdString(RepeatsColumns()[2])) +
                                 24);
    list_->RestoreColumns(ini, TRepeatsSettings::kSection);
    chart_ = new TSeriesChart(this, "chRepeats", {});

    split_ = new TKeptSplitter(Qt::Vertical, 1, this);
    split_->addWidget(list_);
    split_->addWidget(chart_);
    split_->setSizes({300, 320});
    split_->SetKeptSize(settings_.GraphHeight);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Тиражей:", this));
    top->addWidget(length_);
    top->addWidget(new QLabel("Глубина:", this));
    top->addWidget(depth_);
    top->addWidget(calc);
    top->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText("Закрыть");
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split_, 1);
    layout->addWidget(buttons);
    RestorePlacement(this, ini, TRepeatsSettings::kSection);
}

void TFormRepeats::Calculate() {
    try {
        result_ = session_.Charts().AnalyzeRepeats(length_->value(), depth_->value());
    } catch (const std::exception& e) {
        result_ = {};
        session_.Core().ErrorBox(ErrorText(e));
    }
    model_->Reload();
    chart_->Show(result_.Chart);
}

bool TFormRepeats::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == length_ || watched == depth_) && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            static_cast<QSpinBox*>(watched)->interpretText();
            Calculate();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormRepeats::done(int result) {
    try {
        TIniFile& ini = session_.Core().Settings().Ini();
        settings_.DrawsLength = length_->value();
        settings_.DrawsDeep = depth_->value();
        settings_.GraphHeight = split_->KeptSize(settings_.GraphHeight);
        settings_.Write(ini);
        list_->StoreColumns(ini, TRepeatsSettings::kSection);
        StorePlacement(this, ini, TRepeatsSettings::kSection);
        session_.Core().Settings().Save();
    } catch (const std::exception& e) {
        session_.Core().ErrorBox(ErrorText(e));
    }
    QDialog::done(result);
}

}  // namespace zentrix::gui
