#include "gui/card_tab.h"

#include <QHeaderView>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/grid_table.h"

namespace zentrix::gui {

TCardTab::TCardTab(QWidget* parent, TMainSession& session, TActionList& actions)
    : QWidget(parent), session_(session) {
    setObjectName("tsCard");
    TViewsController& views = session_.Views();
    TGridModel::TSource source;
    source.rows = [&views] { return views.Card().DataRows() + 1; };
    source.columns = [] { return kCardColumns; };
    source.text = [&views](int row, int column) {
        return row == 0 ? TDrawCard::Header(column) : views.Card().Text(row, column);
    };
    source.color = [&views](int row, int column) {
        return views.Card().Color(row, column, views.CardOptions());
    };
    model_ = new TGridModel(this, std::move(source));
    grid_ = new TGridTable(this, "sgCard", kCardCellSize + 4, kCardCellSize + 2);
    grid_->setModel(model_);
    grid_->verticalHeader()->setMinimumWidth(60);
    grid_->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto range = [this] { return grid_->Range(); };
    include_ = actions.Add(
        "Оставить выделенные", "В списке комбинаций оставить комбинации с выделенными значениями",
        {}, [&views, range] { return views.CanFilter(TGridView::Card, range()); },
        [&views, range] { views.Filter(TGridView::Card, false, range()); });
    exclude_ = actions.Add(
        "Удалить выделенные", "Из списка комбинаций удалить комбинации с выделенными  значениями",
        {}, [&views, range] { return views.CanFilter(TGridView::Card, range()); },
        [&views, range] { views.Filter(TGridView::Card, true, range()); });
    const TMainOptions& o = session_.Core().Settings().Options();
    QAction* channels = actions.AddCheck(
        "Выделять каналы в карте тиражей", "Выделять каналы в карте тиражей",
        [&views] { return views.CanToggleCardOption(); }, [&o] { return o.ColorCard; },
        [&views] { views.ToggleColorCard(); });
    QAction* sequences = actions.AddCheck(
        "Выделять последовательности в карте тиражей",
        "Выделять последовательности в карте тиражей",
        [&views] { return views.CanToggleCardOption(); }, [&o] { return o.ColorCardSequences; },
        [&views] { views.ToggleColorCardSequences(); });
    menuActions_ = {include_, exclude_, nullptr, channels, sequences};

    toolbar_ = new QToolBar(this);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // The colour options live in the context menu and the view menu.
    toolbar_->addActions({include_, exclude_});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(toolbar_);
    layout->addWidget(grid_);
    actions.AttachContextMenu(grid_, [this] {
        QList<QAction*> menu = menuActions_;
        if (export_) menu << nullptr << export_;
        return menu;
    });
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, &actions,
            &TActionList::RequestUpdate);
}

void TCardTab::AddExport(QAction* exportAction) {
    export_ = exportAction;
    toolbar_->addSeparator();
    toolbar_->addAction(exportAction);
}

void TCardTab::OnInvalidated(TUiPart part) {
    if (part != TUiPart::DrawCard) return;
    // The same rows keep the scroll position and the selection: only their cells are repainted.
    if (model_->rowCount() == session_.Views().Card().DataRows())
        model_->Repaint();
    else
        model_->Reload();
}

}  // namespace zentrix::gui
