#include "gui/stats_tab.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/favourites_dialog.h"
#include "gui/frozen_column.h"
#include "gui/help_dialog.h"
#include "gui/kept_splitter.h"
#include "gui/list_view.h"
#include "gui/modal_hooks.h"
#include "gui/qt_ui_port.h"
#include "gui/series_chart.h"
#include "gui/virtual_model.h"
#include "stats/favourites_model.h"
#include "stats/help_pages.h"

namespace zentrix::gui {

namespace {

constexpr int kNormColumnWidth = 80;

}  // namespace

TStatsTab::TStatsTab(QWidget* parent, TMainSession& session, TActionList& actions)
    : QWidget(parent), session_(session), actions_(actions) {
    setObjectName("tsStat");
    TStatsController& stats = session_.Stats();

    methods_ = new QComboBox(this);
    methods_->setObjectName("cbDrawsStat");
    methods_->setToolTip("Вид расчета статистики");
    methods_->setStatusTip(methods_->toolTip());
    // Wide enough to tell methods apart; the row gives it the rest of the width.
    methods_->setMinimumContentsLength(24);
    methods_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    window_ = new QSpinBox(this);
    window_->setObjectName("edDrawsStatLen");
    window_->setRange(1, TStatsController::kWindowLengthMax);
    window_->setValue(stats.WindowLength());
    window_->setToolTip("Количество тиражей, использующихся для расчета статистики");
    window_->setStatusTip(window_->toolTip());
    window_->installEventFilter(this);

    TVirtualModel::TSource source;
    for (const char* caption : StatColumnCaptions()) source.header.push_back(caption);
    for (const char* hint : StatColumnHints()) source.headerHints.push_back(hint);
    source.rowCount = [&stats] { return stats.HasTable() ? stats.Table().RowCount() : 0; };
    source.rowTexts = [&stats](int row) {
        std::vector<std::string> texts(kStatColumnCount);
        for (int c = 0; c < kStatColumnCount; ++c) texts[c] = stats.Table().CellText(row, c);
        return texts;
    };
    source.alignment.assign(kStatColumnCount, Qt::AlignRight);
    source.alignment[kColValue] = Qt::AlignLeft;
    model_ = new TVirtualModel(this, std::move(source));
    table_ = new TListView(this, "lvDrawsStat");
    table_->setModel(model_);
    table_->setShowGrid(true);
    table_->setColumnWidth(kColValue, 140);
    table_->horizontalHeader()->setSortIndicatorShown(true);
    table_->horizontalHeader()->setSectionsClickable(true);
    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        actions_.Run([this, column] { session_.Stats().SortByClick(column); });
    });
    new TFrozenColumn(table_);

    chart_ = new TSeriesChart(this, "chDrawsStat", {true, true});
    split_ = new TKeptSplitter(Qt::Vertical, 1, this);
    split_->setObjectName("splDrawsStat");
    split_->addWidget(table_);
    split_->addWidget(chart_);
    split_->setStretchFactor(0, 1);
    split_->setStretchFactor(1, 0);
    split_->setSizes({420, 280});

    auto rows = [this] { return table_->SelectedRows(); };
    QAction* calc = actions_.Add(
        "Обновить", "Пересчитать статистику", {}, [&stats] { return stats.CanDrawsStatCalc(); },
        [&stats] { stats.DrawsStatCalc(); });
    include_ = actions_.Add(
        "Оставить выделенные", "В списке комбинаций оставить комбинации с выделенными значениями",
        {}, [&stats, rows] { return stats.CanStatFilter(rows()); },
        [&stats, rows] { stats.StatFilterInclude(rows()); });
    exclude_ = actions_.Add(
        "Удалить выделенные", "Из списка комбинаций удалить комбинации с выделенными значениями",
        {}, [&stats, rows] { return stats.CanStatFilter(rows()); },
        [&stats, rows] { stats.StatFilterExclude(rows()); });
    prefetchs_ = actions_.AddCheck(
        "Использовать сравнение с полным набором комбинаций",
        "Сравнивать статистику с распределением по всем возможным комбинациям",
        [&stats] { return stats.CanTogglePrefetchs(); },
        [this] { return session_.Core().Settings().Options().PrefetchsEnabled; },
        [&stats] { stats.TogglePrefetchsEnabled(); });
    QAction* totalLine = actions_.AddCheck(
        "График идеального распределения", "Показывать на графике распределение полного набора",
        [&stats] { return stats.CanToggleShowTotalLine(); },
        [this] { return session_.Core().Settings().Options().ShowTotalLine; },
        [&stats] { stats.ToggleShowTotalLine(); });
    QAction* help = actions_.Add(
        "Описание статистики", "Описание выбранного метода расчета", {},
        [&stats] { return stats.CanFiltersInfo(); }, [this] { ShowHelp(); });
    QAction* favourites = actions_.Add(
        kFavouritesAction, "Выбор избранных методов расчета", {},
        [this] { return session_.Core().NotBusy(); }, [this] { ShowFavourites(); });
    QAction* all = actions_.Add(
        kAllMethodsAction, "Показывать все методы расчета", {},
        [&stats] { return stats.CanAllFavourites(); }, [&stats] { stats.AllFavourites(); });
    menuActions_ = {calc,      include_, exclude_, nullptr,    prefetchs_,
                    totalLine, nullptr,  help,     favourites, all};

    auto* top = new QHBoxLayout;
    top->addWidget(methods_, 1);
    top->addWidget(new QLabel("Тиражей:", this));
    top->addWidget(window_);
    auto* toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolbar->addActions({calc, include_, exclude_, help});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(top);
    layout->addWidget(toolbar);
    layout->addWidget(split_);

    connect(methods_, &QComboBox::activated, this, [this](int index) {
        actions_.Run([this, index] { session_.Stats().SelectPosition(index); });
    });
    connect(window_, &QSpinBox::valueChanged, this,
            [this](int value) { session_.Stats().SetWindowLength(value); });
    actions_.AttachContextMenu(table_, {include_, exclude_, nullptr, prefetchs_, totalLine});
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, &actions_,
            &TActionList::RequestUpdate);
    FillMethods();
    ShowTable();
}

bool TStatsTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            window_->interpretText();
            actions_.Run([this] { session_.Stats().WindowLengthEntered(window_->value()); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TStatsTab::RestoreSettings(TWindowSettings& settings) {
    split_->SetKeptSize(settings.Options().DrawsStatHeight);
    table_->RestoreColumns(settings.Ini(), TWindowSettings::kMainSection);
}

void TStatsTab::StoreSettings(TWindowSettings& settings) {
    table_->StoreColumns(settings.Ini(), TWindowSettings::kMainSection);
    settings.Options().DrawsStatHeight = split_->KeptSize(settings.Options().DrawsStatHeight);
}

void TStatsTab::OnInvalidated(TUiPart part) {
    if (part == TUiPart::MethodLists) FillMethods();
    if (part == TUiPart::StatTable) ShowTable();
}

void TStatsTab::FillMethods() {
    const TStatsController& stats = session_.Stats();
    QSignalBlocker block(methods_);
    methods_->clear();
    for (const TMethodListItem& item : stats.MethodLists().Stats)
        methods_->addItem(Q(item.Caption));
    methods_->setCurrentIndex(stats.SelectedPosition());
}

void TStatsTab::ShowTable() {
    const TStatsController& stats = session_.Stats();
    model_->Reload();
    const bool norms = stats.NormColumnsShown();
    for (int c : {int(kColNorm), int(kColDeviation), int(kColDeviationPercent)}) {
        table_->setColumnHidden(c, !norms);
        if (norms && table_->columnWidth(c) == 0) table_->setColumnWidth(c, kNormColumnWidth);
    }
    const int column = stats.HasTable() ? stats.Table().SortColumn() : stats.StoredSort().first;
    const bool descending =
        stats.HasTable() ? stats.Table().SortDescending() : stats.StoredSort().second;
    table_->horizontalHeader()->setSortIndicator(
        column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    if (stats.ChartVersion() != chartVersion_) {
        chartVersion_ = stats.ChartVersion();
        chart_->Show(stats.Chart());
    }
    if (window_->value() != stats.WindowLength()) {
        QSignalBlocker block(window_);
        window_->setValue(stats.WindowLength());
    }
}

void TStatsTab::ShowHelp() {
    const TStatsController& stats = session_.Stats();
    TFormHelp dialog(this, session_.Core(), Q(stats.SelectedMethodName()),
                     Q(stats.SelectedHelpTopic()));
    ExecDialog(dialog);
}

void TStatsTab::ShowFavourites() {
    TFavouritesModel model(session_.Stats().Registry());
    TFormFavourites dialog(this, session_.Core(), model);
    if (ExecDialog(dialog) != QDialog::Accepted) return;
    model.Apply();
    session_.Stats().FavouritesApplied();
}

}  // namespace zentrix::gui
