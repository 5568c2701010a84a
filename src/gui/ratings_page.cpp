#include "gui/ratings_page.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/graph_window.h"
#include "gui/list_view.h"
#include "gui/modal_hooks.h"
#include "gui/qt_ui_port.h"
#include "gui/virtual_model.h"

namespace zentrix::gui {

TRatingsPage::TRatingsPage(QWidget* parent, TMainSession& session, TActionList& actions,
                           std::function<void()> showScenario)
    : QWidget(parent),
      session_(session),
      actions_(actions),
      showScenario_(std::move(showScenario)) {
    setObjectName("tsRatings");
    TRatingsController& ratings = session_.Ratings();
    TStakesController& stakes = session_.Stakes();

    const TTextTable frame = RatingsTable({}, ratings.EffMode());
    TVirtualModel::TSource source;
    source.header = frame.headers;
    source.alignment.assign(frame.headers.size(), Qt::AlignRight);
    source.alignment[0] = Qt::AlignLeft;
    source.rowCount = [&ratings] { return ratings.Count(); };
    source.rowTexts = [&ratings](int row) { return ratings.RowCells(size_t(row)); };
    model_ = new TVirtualModel(this, std::move(source));
    list_ = new TListView(this, "lvRatings");
    list_->setModel(model_);
    list_->setShowGrid(true);
    list_->horizontalHeader()->setSortIndicatorShown(true);
    list_->horizontalHeader()->setSectionsClickable(true);
    // The comment's designed width would hide every number on a narrow page.
    list_->setColumnWidth(0, 240);
    for (int c = 1; c < int(frame.widths.size()); ++c)
        list_->setColumnWidth(
            c, std::max(frame.widths[c], list_->horizontalHeader()->sectionSizeHint(c)));
    list_->horizontalHeader()->setStretchLastSection(false);
    connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        actions_.Run([this, column] { session_.Ratings().SortByClick(column); });
    });

    auto rows = [this] { return SelectedRows(); };
    TActions& a = commands_;
    a.rebuild = actions_.Add(
        "Обновить рейтинг", "Пересчитать рейтинг по текущим ставкам", QKeySequence("F5"),
        [&ratings, &stakes] { return ratings.CanRebuild(stakes.IsOpen()); },
        [&ratings, &stakes] { ratings.Rebuild(stakes.File()); });
    a.exportCsv = actions_.Add(
        "Экспорт рейтинга в CSV-файл", "Сохранить рейтинг в CSV-файле", {},
        [&ratings] { return ratings.CanExport(); }, [&ratings] { ratings.Export(); });
    a.toScenario = actions_.Add(
        "Добавить в сценарий", "Добавить выделенные строки рейтинга в сценарий", {},
        [&ratings, rows] { return ratings.CanToScenario(rows()); },
        [this, &ratings, rows] {
            if (ratings.ToScenario(rows()) > 0 && showScenario_) showScenario_();
        });
    a.matchCount = actions_.Add(
        "Количество совпадений", kMatchCountGraphTitle, {},
        [&ratings, rows] { return ratings.CanMatchGraph(rows()); },
        [this] { ShowGraph(kMatchCountGraphTitle, false, false); });
    a.stakeMatches = actions_.Add(
        "График совпадений ставок", "График совпадений ставок выделенных строк рейтинга",
        QKeySequence("Ctrl+F6"), [&stakes, rows] { return stakes.CanRatingGraph(rows()); },
        [this] { ShowGraph("График совпадений ставок", true, false); });
    a.stakeProfits = actions_.Add(
        "График профита ставок", "График профита ставок выделенных строк рейтинга",
        QKeySequence("Alt+F6"), [&stakes, rows] { return stakes.CanRatingGraph(rows()); },
        [this] { ShowGraph("График профита ставок", true, true); });
    for (int m = 0; m < 3; ++m) {
        const auto mode = static_cast<TEffMode>(m);
        a.modes[m] = actions_.AddCheck(
            kEffModeCaptions[m], kEffModeCaptions[m],
            [&ratings] { return ratings.CanSetEffMode(); },
            [&ratings, mode] { return ratings.EffMode() == mode; },
            [&ratings, mode] { ratings.SetEffMode(mode); });
    }
    menuActions_ = {a.rebuild,    a.exportCsv,    a.toScenario,   nullptr,
                    a.matchCount, a.stakeMatches, a.stakeProfits, nullptr,
                    a.modes[0],   a.modes[1],     a.modes[2]};

    // Short captions, so every command stays in sight on a narrow page; the mode as a list.
    modes_ = new QComboBox(this);
    modes_->setObjectName("cbEffMode");
    for (const char* caption : kEffModeCaptions) modes_->addItem(caption);
    modes_->setToolTip("Режим отображения эффективности");
    connect(modes_, &QComboBox::activated, this, [this](int index) {
        actions_.UpdateNow();
        if (index >= 0 && index < 3 && commands_.modes[index]->isEnabled())
            commands_.modes[index]->trigger();
    });
    auto* tools = new QToolBar(this);
    tools->addWidget(TActionList::Button(a.rebuild, "Обновить", this));
    tools->addWidget(TActionList::Button(a.exportCsv, "В CSV", this));
    tools->addWidget(TActionList::Button(a.toScenario, "В сценарий", this));
    tools->addWidget(TActionList::Button(a.matchCount, "Совпадения", this));
    auto* graphs = new QToolBar(this);
    graphs->addWidget(TActionList::Button(a.stakeMatches, "График совпадений", this));
    graphs->addWidget(TActionList::Button(a.stakeProfits, "График профита", this));
    auto* modeRow = new QHBoxLayout;
    modeRow->setContentsMargins(4, 2, 4, 2);
    modeRow->addWidget(modes_);
    modeRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(graphs);
    layout->addLayout(modeRow);
    layout->addWidget(list_);

    connect(list_, &QAbstractItemView::doubleClicked, this, [this] {
        actions_.UpdateNow();
        if (commands_.matchCount->isEnabled()) commands_.matchCount->trigger();
    });
    actions_.AttachContextMenu(list_, menuActions_);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, &actions_,
            &TActionList::RequestUpdate);
    ShowSortIndicator();
    modes_->setCurrentIndex(static_cast<int>(ratings.EffMode()));
}

std::vector<size_t> TRatingsPage::SelectedRows() const {
    std::vector<size_t> rows;
    const int count = session_.Ratings().Count();
    for (int r : list_->SelectedRows())
        if (r < count) rows.push_back(size_t(r));
    return rows;
}

void TRatingsPage::ShowGraph(const QString& title, bool ofStakes, bool profit) {
    std::vector<TGraphPoint> points;
    if (ofStakes) {
        auto made = session_.Stakes().RatingGraph(SelectedRows(), profit);
        if (!made) return;
        points = std::move(*made);
    } else {
        points = session_.Ratings().MatchGraph(SelectedRows());
    }
    TFormGraph graph(this, session_.Core(), title, GraphSeries(points));
    ExecDialog(graph);
}

void TRatingsPage::ShowSortIndicator() {
    const TRatingsController& ratings = session_.Ratings();
    list_->horizontalHeader()->setSortIndicator(
        ratings.SortColumn(), ratings.SortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TRatingsPage::RestoreSettings(TWindowSettings& settings) {
    list_->RestoreColumns(settings.Ini(), TWindowSettings::kMainSection);
}

void TRatingsPage::StoreSettings(TWindowSettings& settings) {
    list_->StoreColumns(settings.Ini(), TWindowSettings::kMainSection);
}

void TRatingsPage::OnInvalidated(TUiPart part) {
    if (part != TUiPart::RatingsList) return;
    model_->Reload();
    ShowSortIndicator();
    modes_->setCurrentIndex(static_cast<int>(session_.Ratings().EffMode()));
}

}  // namespace zentrix::gui
