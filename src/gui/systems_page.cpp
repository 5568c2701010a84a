#include "gui/systems_page.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/list_view.h"
#include "gui/modal_hooks.h"
#include "gui/qt_ui_port.h"
#include "gui/stake_dialog.h"
#include "gui/systems_catalog_panel.h"
#include "gui/virtual_model.h"
#include "util/errors.h"
#include "util/format.h"

namespace zentrix::gui {

namespace {

const std::vector<std::string> kLocalHeaders = {"Система", "Числа", "Блок", "Номер", "Комбинаций"};

}  // namespace

TSystemsPage::TSystemsPage(QWidget* parent, TMainSession& session, TActionList& actions,
                           std::function<void()> stakesMade)
    : QWidget(parent), session_(session), actions_(actions), stakesMade_(std::move(stakesMade)) {
    setObjectName("tsSystems");
    TSystemsController& systems = session_.Systems();

    TVirtualModel::TSource source;
    source.header = kLocalHeaders;
    source.alignment = {Qt::AlignLeft, Qt::AlignCenter, Qt::AlignCenter, Qt::AlignRight,
                        Qt::AlignRight};
    source.rowCount = [this] { return int(rows_.size()); };
    source.rowTexts = [this](int row) { return rows_.at(size_t(row)); };
    model_ = new TVirtualModel(this, std::move(source));
    list_ = new TListView(this, "lvLocalSystems");
    list_->setModel(model_);
    list_->setShowGrid(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setColumnWidth(0, 200);

    TActions& a = commands_;
    a.playWhole = actions_.Add(
        kPlayWholeCaption, kPlayWholeHint, QKeySequence("Ctrl+Alt+J"),
        [&systems] { return systems.CanPlay(); }, [this] { Play(true); });
    a.playFiltered = actions_.Add(
        kPlayFilteredCaption, kPlayFilteredHint, QKeySequence("Alt+J"),
        [&systems] { return systems.CanPlay(); }, [this] { Play(false); });
    a.reload = actions_.Add(
        "Обновить список", "Перечитать системы, загруженные на компьютер", {},
        [&systems] { return systems.Enabled(); }, [this] { Reload(); });
    a.checkList = actions_.Add(
        "Гарантии списка комбинаций", "Гарантии списка комбинаций как системы на его числах", {},
        [this] { return session_.Combs().Count() > 0; }, [this] { CheckList(); });

    auto* tools = new QToolBar(this);
    tools->addWidget(TActionList::Button(a.playWhole, "Вся система", this));
    tools->addWidget(TActionList::Button(a.playFiltered, "Система * комбинации", this));
    tools->addWidget(TActionList::Button(a.reload, "Перечитать папку", this));
    tools->addWidget(TActionList::Button(a.checkList, "Гарантии списка", this));

    checkCaption_ = new QLabel(this);
    checkCaption_->setObjectName("lbSystemCheck");
    checkCaption_->setWordWrap(true);
    check_ = new QTableWidget(this);
    check_->setObjectName("sgSystemCheck");
    QStringList headers = {"t", "Гарантия"};
    for (int m = 0; m <= kCombSize; ++m) headers << QString("%1").arg(m);
    headers << "Тиражей";
    check_->setColumnCount(int(headers.size()));
    check_->setHorizontalHeaderLabels(headers);
    check_->verticalHeader()->hide();
    check_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    check_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    check_->setToolTip(
        "t: сколько из 8 выпавших номеров попало в числа системы; Гарантия: наименьшее "
        "совпадение лучшей ставки; 0..8: доля тиражей с таким совпадением лучшей ставки");

    // The catalog's list above the local one.
    catalogSlot_ = new QVBoxLayout;
    catalogSlot_->setContentsMargins(0, 0, 0, 0);
    catalog_ = new TSystemsCatalogPanel(this, session_, actions_, [this] { Reload(); });
    catalogSlot_->addWidget(catalog_);
    auto* localCaption = new QLabel("Системы на компьютере (папка \"Systems\"):", this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(catalogSlot_, 2);
    layout->addWidget(tools);
    layout->addWidget(localCaption);
    layout->addWidget(list_, 1);
    layout->addWidget(checkCaption_);
    layout->addWidget(check_, 1);

    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { actions_.Run([this] { CheckSelected(); }); });
}

void TSystemsPage::Reload() {
    systems_ = session_.Systems().Enabled() ? session_.Systems().LocalSystems()
                                            : std::vector<TLocalSystem>{};
    rows_.clear();
    for (const TLocalSystem& system : systems_) {
        std::string count;
        try {
            count = std::to_string(ReadSystemFile(system.path, system.numbers).size());
        } catch (const std::exception&) {
            count = "ошибка";
        }
        rows_.push_back({system.name, Format("%.2d", {system.numbers}),
                         system.block >= 0 ? std::to_string(system.block) : "",
                         system.id >= 0 ? std::to_string(system.id) : "", count});
    }
    list_->clearSelection();
    model_->Reload();
}

void TSystemsPage::ApplyEnabled() {
    const bool enabled = session_.Systems().Enabled();
    for (QAction* action : PlayActions()) action->setVisible(enabled);
    Reload();
}

void TSystemsPage::Play(bool whole) {
    TSystemsController& systems = session_.Systems();
    std::optional<TSystemsController::TPlay> play = systems.PreparePlay(whole);
    if (!play) return;
    TFormStake dialog(this, session_.Core(), play->fields, true,
                      [](const TStakeDialogFields& f) { CheckMultiStakeFields(f); });
    if (ExecDialog(dialog) != QDialog::Accepted) return;
    if (systems.Play(*play, dialog.Fields()) > 0 && stakesMade_) stakesMade_();
}

void TSystemsPage::CheckSelected() {
    const std::vector<int> rows = list_->SelectedRows();
    if (rows.empty() || size_t(rows.front()) >= systems_.size()) return;
    const TLocalSystem& system = systems_[size_t(rows.front())];
    try {
        ShowCheck(Q(Format("Гарантии системы \"%s\" (%d чисел):", {system.name, system.numbers})),
                  session_.Systems().CheckLocal(system));
    } catch (const EZentrix& e) {
        check_->setRowCount(0);
        checkCaption_->setText(Q(Format("Система \"%s\": %s", {system.name, e.what()})));
    }
}

void TSystemsPage::CheckList() {
    const TWheelCheck check = session_.Systems().CheckWorkingList();
    ShowCheck(Q(Format("Гарантии списка комбинаций как системы (%d чисел, %d комбинаций):",
                       {check.numbers, int64_t(check.tickets)})),
              check);
}

void TSystemsPage::ShowCheck(const QString& caption, const TWheelCheck& check) {
    checkCaption_->setText(caption);
    std::vector<const TWheelRow*> rows;
    for (const TWheelRow& row : check.rows) rows.push_back(&row);
    TWheelRow all = check.all;
    all.subsets = all.draws;
    rows.push_back(&all);
    check_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const TWheelRow& row = *rows[size_t(r)];
        QStringList cells;
        cells << (row.drawn >= 0 ? QString::number(row.drawn) : QString("все"))
              << (row.guaranteed >= 0 ? QString::number(row.guaranteed) : QString());
        for (int m = 0; m <= kCombSize; ++m)
            cells << (row.subsets > 0 ? Q(Format("%.2f%%", {row.Share(m) * 100})) : QString());
        cells << QString::number(row.draws);
        for (int c = 0; c < int(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
            check_->setItem(r, c, item);
        }
    }
}

void TSystemsPage::RestoreSettings(TWindowSettings& settings) {
    catalog_->RestoreSettings(settings);
}

void TSystemsPage::StoreSettings(TWindowSettings& settings) {
    catalog_->StoreSettings(settings);
}
void TSystemsPage::OnInvalidated(TUiPart) {}

void TSystemsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Reload();
}

}  // namespace zentrix::gui
