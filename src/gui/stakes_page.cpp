#include "gui/stakes_page.h"

#include <QHeaderView>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/delete_where_dialog.h"
#include "gui/graph_window.h"
#include "gui/list_view.h"
#include "gui/modal_hooks.h"
#include "gui/qt_ui_port.h"
#include "gui/stake_dialog.h"
#include "gui/stake_numbers_delegate.h"
#include "gui/virtual_model.h"

namespace zentrix::gui {

namespace {

Qt::Alignment ToQt(TCellAlign align) {
    switch (align) {
        case TCellAlign::Left:
            return Qt::AlignLeft;
        case TCellAlign::Center:
            return Qt::AlignHCenter;
        case TCellAlign::Right:
            return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

}  // namespace

TStakesPage::TStakesPage(QWidget* parent, TMainSession& session, TActionList& actions,
                         TListView* combsList)
    : QWidget(parent), session_(session), actions_(actions), combsList_(combsList) {
    setObjectName("tsStakes");
    TStakesController& stakes = session_.Stakes();

    // Model row r shows record r (grid row r + 1). A record that cannot be read shows nothing
    // rather than ending the program in a repaint; the failure is reported by the next command.
    const TTextTable frame = StakesTableFrame();
    TVirtualModel::TSource source;
    source.header = frame.headers;
    for (TCellAlign a : frame.alignments) source.alignment.push_back(ToQt(a));
    source.rowCount = [&stakes] {
        return static_cast<int>(std::min<int64_t>(stakes.Count(), std::numeric_limits<int>::max()));
    };
    source.rowTexts = [&stakes](int row) {
        try {
            return stakes.RowCells(row + 1);
        } catch (const std::exception&) {
            return std::vector<std::string>(kStakeColumnCount);
        }
    };
    source.cellColor = [&stakes](int row, int) -> std::optional<TColor> {
        try {
            return stakes.RowColour(row + 1);
        } catch (const std::exception&) {
            return std::nullopt;
        }
    };
    model_ = new TVirtualModel(this, std::move(source));
    grid_ = new TListView(this, "sgStakes");
    grid_->setModel(model_);
    // Rows are deleted as one range.
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setShowGrid(true);
    // The designed widths, widened where they would cut a caption, a kind's name or eight
    // numbers.
    const QFontMetrics metrics(grid_->font());
    for (int c = 0; c < kStakeColumnCount; ++c)
        grid_->setColumnWidth(
            c, std::max(frame.widths[c], grid_->horizontalHeader()->sectionSizeHint(c)));
    grid_->setColumnWidth(
        1, std::max(grid_->columnWidth(1), metrics.horizontalAdvance("Сценарий") + 12));
    for (int c : {kStakeNumbersColumn, kStakeResultColumn})
        grid_->setColumnWidth(c,
                              std::max(grid_->columnWidth(c),
                                       metrics.horizontalAdvance("20 20 20 20 20 20 20 20") + 16));
    grid_->setItemDelegate(new TStakeNumbersDelegate(grid_, [&stakes](int row, int column) {
        try {
            return stakes.RowNumberMarks(row + 1, column);
        } catch (const std::exception&) {
            return std::vector<TNumberMark>();
        }
    }));

    TActions& a = commands_;
    a.make = actions_.Add(
        "Сделать ставку", "Сделать ставку на выделенную комбинацию", QKeySequence("F4"),
        [&stakes] { return stakes.CanMakeStake(); },
        [this, &stakes] {
            std::optional<TComb> selected;
            const std::vector<size_t> rows = SelectedCombs();
            const int focused = combsList_ ? combsList_->FocusedRow() : -1;
            const TCombsArray& list = session_.Combs().Combs();
            if (focused >= 0 && size_t(focused) < list.size() &&
                std::find(rows.begin(), rows.end(), size_t(focused)) != rows.end())
                selected = list[focused];
            MakeStake(stakes.NewStakeFields(selected));
        });
    a.random = actions_.Add(
        "Сделать случайную ставку", "Сделать ставку на случайную комбинацию из списка",
        QKeySequence("Ctrl+F4"), [&stakes] { return stakes.CanMakeRandomStake(); },
        [this, &stakes] { MakeStake(stakes.RandomStakeFields(SystemRandomIndex())); });
    // Alt+F4 is the window's "Выход": this command goes without a key.
    a.selected = actions_.Add(
        "Сделать ставки для выделенных комбинаций",
        "Сделать ставки для всех выделенных комбинаций списка", {},
        [this, &stakes] { return stakes.CanMakeStakesForCombs(SelectedCombs()); },
        [this] { MakeStakes(SelectedCombs(), true); });
    a.all = actions_.Add(
        "Сделать ставки для всех комбинаций", "Сделать ставки для всех комбинаций списка",
        QKeySequence("Ctrl+Alt+F4"), [&stakes] { return stakes.CanMakeRandomStake(); },
        [this] { MakeStakes(AllRows(session_.Combs().Combs()), false); });
    a.remove = actions_.Add(
        "Удалить ставку", "Удалить выделенные ставки", QKeySequence("Ctrl+Del"),
        [this, &stakes] {
            const std::vector<int> rows = grid_->SelectedRows();
            return !rows.empty() && stakes.CanDeleteRows(rows.front() + 1, rows.back() + 1);
        },
        [this] { DeleteRows(); });
    a.removeWhere = actions_.Add(
        "Удалить по условию", "Удалить ставки по количеству совпадений", QKeySequence("Alt+D"),
        [&stakes] { return stakes.CanDeleteWhere(); }, [this] { DeleteWhere(); });
    a.removeAll = actions_.Add(
        "Удалить все ставки", "Удалить все ставки из файла ставок", QKeySequence("Ctrl+Shift+Del"),
        [&stakes] { return stakes.CanClearAll(); },
        [this, &stakes] {
            if (stakes.ClearAll()) grid_->clearSelection();
        });
    a.check = actions_.Add(
        "Проверить ставки", "Проверить результаты ставок по архиву тиражей",
        QKeySequence("Ctrl+F5"), [&stakes] { return stakes.CanCheck(); },
        [&stakes] { stakes.Check(); });
    a.profitGraph = actions_.Add(
        "Суммарный профит по тиражам", kProfitGraphTitle, QKeySequence("F6"),
        [&stakes] { return stakes.CanGraph(); }, [this] { ProfitGraph(); });
    a.scroll = actions_.AddCheck(
        "Прокручивать список при добавлении",
        "Прокручивать список ставок к последней строке после каждой ставки", {},
        [this] { return session_.Core().Settings().Options().StakesScrollEnabled; },
        [&stakes] { stakes.ToggleScroll(); });
    a.logs = actions_.AddCheck(
        "Журналы ставок", "Записывать проверенные ставки в журналы по числу совпадений", {},
        [this] { return session_.Core().Settings().Options().StakesLogEnabled; },
        [&stakes] { stakes.ToggleLogs(); });
    a.removeLogs = actions_.Add("Удалить журналы ставок", "Удалить все журналы ставок", {}, {},
                                [&stakes] { stakes.DeleteLogs(); });
    // Deleting keys act on the grid only: the other lists have their own Ctrl+Del.
    for (QAction* action : {a.remove, a.removeAll}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        grid_->addAction(action);
    }
    menuActions_ = {a.make,        a.random,      a.selected,  a.all,   nullptr,
                    a.remove,      a.removeWhere, a.removeAll, nullptr, a.check,
                    a.profitGraph, nullptr,       a.scroll,    a.logs,  a.removeLogs};

    // Short captions in two rows, so every command stays in sight on a narrow page; the menu
    // and the grid's context menu give the full ones.
    auto row = [this](const std::vector<std::pair<QAction*, QString>>& buttons) {
        auto* bar = new QToolBar(this);
        for (const auto& [action, caption] : buttons)
            bar->addWidget(TActionList::Button(action, caption, this));
        return bar;
    };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addWidget(row({{a.make, "Ставка"},
                           {a.random, "Случайная"},
                           {a.selected, "Выделенные"},
                           {a.all, "Все"},
                           {a.check, "Проверить"}}));
    layout->addWidget(row({{a.remove, "Удалить"},
                           {a.removeWhere, "По условию"},
                           {a.removeAll, "Удалить все"},
                           {a.profitGraph, "График профита"}}));
    layout->addWidget(grid_);

    actions_.AttachContextMenu(grid_, menuActions_);
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, &actions_,
            &TActionList::RequestUpdate);
    if (combsList_)
        connect(combsList_->selectionModel(), &QItemSelectionModel::selectionChanged, &actions_,
                &TActionList::RequestUpdate);
}

std::vector<size_t> TStakesPage::SelectedCombs() const {
    std::vector<size_t> rows;
    if (!combsList_) return rows;
    const size_t count = session_.Combs().Combs().size();
    for (int r : combsList_->SelectedRows())
        if (size_t(r) < count) rows.push_back(size_t(r));
    return rows;
}

void TStakesPage::MakeStake(const TStakeDialogFields& fields) {
    const TConfigData& config = session_.Config().Data();
    TFormStake dialog(this, session_.Core(), fields, false,
                      [&config](const TStakeDialogFields& f) { StakeDialogResult(f, config, 0); });
    if (ExecDialog(dialog) != QDialog::Accepted) return;
    if (session_.Stakes().MakeStake(dialog.Fields())) SelectLast();
}

void TStakesPage::MakeStakes(const std::vector<size_t>& rows, bool clearSelection) {
    TFormStake dialog(this, session_.Core(), session_.Stakes().NewStakeFields(std::nullopt), true,
                      [](const TStakeDialogFields& f) { CheckMultiStakeFields(f); });
    if (ExecDialog(dialog) != QDialog::Accepted) return;
    const bool made = session_.Stakes().MakeStakesForCombs(rows, dialog.Fields());
    if (clearSelection && combsList_) combsList_->clearSelection();
    if (made) SelectLast();
}

void TStakesPage::SelectLast() {
    model_->Reload();
    const int last = model_->rowCount() - 1;
    if (last < 0) return;
    grid_->clearSelection();
    grid_->setCurrentIndex(model_->index(last, 0));
    grid_->selectRow(last);
    if (session_.Core().Settings().Options().StakesScrollEnabled)
        grid_->scrollTo(model_->index(last, 0));
}

void TStakesPage::DeleteRows() {
    const std::vector<int> rows = grid_->SelectedRows();
    if (rows.empty()) return;
    if (session_.Stakes().DeleteRows(rows.front() + 1, rows.back() + 1) > 0)
        grid_->clearSelection();
}

void TStakesPage::DeleteWhere() {
    TFormDeleteWhere dialog(this);
    if (ExecDialog(dialog) != QDialog::Accepted) return;
    session_.Stakes().DeleteWhere(dialog.Condition(), dialog.Value());
    grid_->clearSelection();
}

void TStakesPage::ProfitGraph() {
    const auto points = session_.Stakes().ProfitGraph();
    if (!points) return;
    TFormGraph graph(this, session_.Core(), kProfitGraphTitle, GraphSeries(*points));
    ExecDialog(graph);
}

void TStakesPage::RestoreSettings(TWindowSettings& settings) {
    grid_->RestoreColumns(settings.Ini(), TWindowSettings::kMainSection);
}

void TStakesPage::StoreSettings(TWindowSettings& settings) {
    grid_->StoreColumns(settings.Ini(), TWindowSettings::kMainSection);
}

void TStakesPage::OnInvalidated(TUiPart part) {
    if (part == TUiPart::StakesList) model_->Reload();
}

}  // namespace zentrix::gui
