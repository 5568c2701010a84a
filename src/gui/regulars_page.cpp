#include "gui/regulars_page.h"

#include <QHeaderView>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/list_view.h"
#include "gui/modal_hooks.h"
#include "gui/regular_dialog.h"
#include "gui/stake_dialog.h"
#include "gui/stakes_page.h"
#include "gui/virtual_model.h"

namespace zentrix::gui {

TRegularsPage::TRegularsPage(QWidget* parent, TMainSession& session, TActionList& actions,
                             TStakesPage* stakesPage)
    : QWidget(parent), session_(session), actions_(actions), stakesPage_(stakesPage) {
    setObjectName("tsTables");
    TRegularsController& regulars = session_.Regulars();

    const TTextTable frame = RegularsTable({});
    TVirtualModel::TSource source;
    source.header = frame.headers;
    for (TCellAlign a : frame.alignments)
        source.alignment.push_back(a == TCellAlign::Right ? Qt::AlignRight : Qt::AlignLeft);
    source.rowCount = [&regulars] { return regulars.Count(); };
    source.rowTexts = [&regulars](int row) { return regulars.RowCells(size_t(row)); };
    model_ = new TVirtualModel(this, std::move(source));
    list_ = new TListView(this, "lvTables");
    list_->setModel(model_);
    list_->setShowGrid(true);
    list_->horizontalHeader()->setSectionsClickable(false);
    for (int c = 0; c < int(frame.widths.size()); ++c)
        list_->setColumnWidth(
            c, std::max(frame.widths[c], list_->horizontalHeader()->sectionSizeHint(c)));

    auto rows = [this] { return SelectedRows(); };
    TActions& a = commands_;
    a.add = actions_.Add(
        "Добавить регулярную ставку", "Добавить регулярную табличную ставку", {},
        [&regulars] { return regulars.CanAdd(); }, [this] { Add(); });
    a.remove = actions_.Add(
        "Удалить регулярную ставку", "Удалить выделенные регулярные ставки", {},
        [&regulars, rows] { return regulars.CanDelete(rows()); },
        [&regulars, rows] { regulars.Delete(rows()); });
    a.stake = actions_.Add(
        "Сделать ставку по регуляру", "Сделать ставку на следующий тираж по выделенному регуляру",
        {}, [&regulars, rows] { return regulars.CanStake(rows()); }, [this] { Stake(); });
    a.test = actions_.Add(
        "Тест регуляров", "Тест выделенных регуляров на прошедших тиражах", {},
        [&regulars, rows] { return regulars.CanTest(rows()); }, [this] { Test(); });
    menuActions_ = {a.add, a.remove, nullptr, a.stake, a.test};

    auto* tools = new QToolBar(this);
    tools->addWidget(TActionList::Button(a.add, "Добавить", this));
    tools->addWidget(TActionList::Button(a.remove, "Удалить", this));
    tools->addWidget(TActionList::Button(a.stake, "Сделать ставку", this));
    tools->addWidget(TActionList::Button(a.test, "Тест", this));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(list_);

    connect(list_, &QAbstractItemView::doubleClicked, this, [this] {
        actions_.UpdateNow();
        if (commands_.stake->isEnabled()) commands_.stake->trigger();
    });
    actions_.AttachContextMenu(list_, menuActions_);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, &actions_,
            &TActionList::RequestUpdate);
}

std::vector<size_t> TRegularsPage::SelectedRows() const {
    std::vector<size_t> rows;
    const int count = session_.Regulars().Count();
    for (int r : list_->SelectedRows())
        if (r < count) rows.push_back(size_t(r));
    return rows;
}

void TRegularsPage::Add() {
    TRegularsController& regulars = session_.Regulars();
    const TRegularAddDialog dialog = regulars.OpenAdd(stakesPage_->SelectedCombs());
    TFormRegular form(this, session_.Core(), regulars, dialog);
    if (ExecDialog(form) != QDialog::Accepted) return;
    const int before = regulars.Count();
    if (regulars.Add(dialog, form.Fields()) > 0) {
        list_->clearSelection();
        list_->selectRow(before);
    }
}

void TRegularsPage::Stake() {
    TRegularsController& regulars = session_.Regulars();
    const std::optional<TRegularStakeDraft> draft = regulars.PrepareStake(SelectedRows());
    if (!draft) return;
    const TConfigData& config = session_.Config().Data();
    TFormStake dialog(
        this, session_.Core(), draft->fields, false,
        [&config](const TStakeDialogFields& f) { StakeDialogResult(f, config, 0, kStakeRegular); });
    if (ExecDialog(dialog) != QDialog::Accepted) return;
    if (regulars.CommitStake(*draft, dialog.Fields())) stakesPage_->SelectLast();
}

void TRegularsPage::Test() {
    if (session_.Regulars().Test(SelectedRows()) > 0) stakesPage_->SelectLast();
}

void TRegularsPage::RestoreSettings(TWindowSettings& settings) {
    list_->RestoreColumns(settings.Ini(), TWindowSettings::kMainSection);
}

void TRegularsPage::StoreSettings(TWindowSettings& settings) {
    list_->StoreColumns(settings.Ini(), TWindowSettings::kMainSection);
}

void TRegularsPage::OnInvalidated(TUiPart part) {
    if (part != TUiPart::RegularsList) return;
    // A stake or a test changes the rules' cells: the rules stay selected for the next one.
    const std::vector<int> selected = list_->SelectedRows();
    const int current = list_->currentIndex().row();
    model_->Reload();
    const int count = model_->rowCount();
    QItemSelection selection;
    for (int r : selected)
        if (r < count) selection.select(model_->index(r, 0), model_->index(r, 0));
    if (current >= 0 && current < count)
        list_->selectionModel()->setCurrentIndex(model_->index(current, 0),
                                                 QItemSelectionModel::NoUpdate);
    list_->selectionModel()->select(selection,
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

}  // namespace zentrix::gui
