#include "gui/draws_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/session.h"
#include "core/list_rows.h"
#include "gui/action_list.h"
#include "gui/draw_dialog.h"
#include "gui/info_dialog.h"
#include "gui/list_view.h"
#include "gui/modal_hooks.h"
#include "gui/qt_ui_port.h"
#include "gui/virtual_model.h"

namespace zentrix::gui {

TDrawsPage::TDrawsPage(QWidget* parent, TMainSession& session, TActionList& actions)
    : QWidget(parent), session_(session), actions_(actions) {
    setObjectName("tsDraws");
    TArchiveController& archive = session_.Archive();

    TVirtualModel::TSource source = ControllerSource(DrawsListHeader(), archive);
    source.alignment.back() = Qt::AlignLeft;  // the date
    model_ = new TVirtualModel(this, std::move(source));

    list_ = new TListView(this, "lvDraws");
    list_->setModel(model_);
    list_->setColumnWidth(0, 70);
    for (int c = 1; c <= 10; ++c) list_->setColumnWidth(c, 32);
    list_->setColumnWidth(10, 40);

    add_ = actions_.Add(
        "Добавить", "Добавить новый тираж", {}, [&archive] { return archive.CanDrawsAdd(); },
        [this] { Add(); });
    QAction* edit = actions_.Add(
        "Изменить", "Изменить выделенный тираж", {},
        [this, &archive] { return archive.CanDrawsEdit(list_->FocusedRow()); }, [this] { Edit(); });
    delete_ = actions_.Add(
        "Удалить", "Удалить выделенные тиражи", {},
        [this, &archive] { return archive.CanDrawsDel(list_->SelectedRows()); },
        [this] { Delete(); });
    QAction* info = actions_.Add(
        "Сведения о тираже", "Подробная информация о тираже", {},
        [this, &archive] { return archive.CanDrawsInfo(list_->FocusedRow()); }, [this] { Info(); });
    QAction* sorted = actions_.AddCheck(
        "Упорядочить MIN->MAX", "Показывать числа тиражей по возрастанию",
        [&archive] { return archive.CanDrawsSorted(); },
        [&archive] { return archive.SortedDraws(); }, [&archive] { archive.ToggleSortedDraws(); });
    QAction* exportCsv = actions_.Add(
        "Экспорт в CSV-файл", "Экспорт списка тиражей в CSV-файл", {},
        [&archive] { return archive.CanDrawsExport(); }, [&archive] { archive.DrawsExport(); });
    QAction* importCsv = actions_.Add(
        "Импорт из CSV-файла", "Импорт списка тиражей из CSV-файла", {},
        [&archive] { return archive.CanDrawsImport(); }, [&archive] { archive.DrawsImport(); });
    // Delete in the list deletes the selection (after the usual question).
    delete_->setShortcut(QKeySequence::Delete);
    delete_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    list_->addAction(delete_);
    menuActions_ = {add_, edit, delete_, info, sorted, nullptr, exportCsv, importCsv};

    auto* toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolbar->addActions({add_, edit, delete_, info, sorted});
    auto* offsetRow = new QHBoxLayout;
    auto* offsetLabel = new QLabel("Смещение назад:", this);
    offset_ = new QSpinBox(this);
    offset_->setObjectName("edDrawsOffset");
    offset_->setToolTip("Смещение относительно последнего загруженного номера тиража");
    offset_->setStatusTip(offset_->toolTip());
    offset_->setRange(0, 0);
    offsetLabel->setBuddy(offset_);
    offsetRow->addWidget(offsetLabel);
    offsetRow->addWidget(offset_);
    offsetRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(toolbar);
    layout->addLayout(offsetRow);
    layout->addWidget(list_);

    connect(offset_, &QSpinBox::valueChanged, this, [this](int value) {
        actions_.Run([this, value] { session_.Archive().SetDrawsOffset(value); });
    });
    connect(list_, &QAbstractItemView::doubleClicked, this, [this, info] {
        if (info->isEnabled()) info->trigger();
    });
    actions_.AttachContextMenu(list_, menuActions_);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, &actions_,
            &TActionList::RequestUpdate);
    SyncOffsetSpin();
}

void TDrawsPage::RestoreSettings(TWindowSettings& settings) {
    list_->RestoreColumns(settings.Ini(), TWindowSettings::kMainSection);
}

void TDrawsPage::StoreSettings(TWindowSettings& settings) {
    list_->StoreColumns(settings.Ini(), TWindowSettings::kMainSection);
}

void TDrawsPage::OnInvalidated(TUiPart part) {
    if (part == TUiPart::DrawsList) {
        model_->Reload();
        SyncOffsetSpin();
    } else if (part == TUiPart::DrawsOffset) {
        SyncOffsetSpin();
        // The reference row is where the user looks next.
        const QModelIndex reference = model_->index(session_.Archive().DrawsOffset(), 0);
        if (reference.isValid()) list_->scrollTo(reference);
        list_->viewport()->update();
    }
}

void TDrawsPage::SyncOffsetSpin() {
    const TArchiveController& archive = session_.Archive();
    QSignalBlocker block(offset_);
    offset_->setMaximum(archive.OffsetMaximum());
    if (offset_->value() != archive.DrawsOffset()) offset_->setValue(archive.DrawsOffset());
}

void TDrawsPage::Add() {
    TFormDraw dialog(this, session_.Core(), session_.Archive().NewDrawRecord());
    if (ExecDialog(dialog) == QDialog::Accepted) session_.Archive().AddDraw(dialog.Result());
}

void TDrawsPage::Edit() {
    const int row = list_->FocusedRow();
    const int index = session_.Archive().IndexOfRow(row);
    if (index < 0) return;
    TFormDraw dialog(this, session_.Core(), session_.Archive().Draws()[index], true);
    if (ExecDialog(dialog) != QDialog::Accepted) return;
    session_.Archive().EditDraw(row, dialog.Result());
    // The list was reloaded: the edited row stays the focused and selected one.
    const QModelIndex edited = model_->index(row, 0);
    if (!edited.isValid()) return;
    list_->selectionModel()->setCurrentIndex(
        edited, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    actions_.RequestUpdate();
}

void TDrawsPage::Delete() {
    if (session_.Archive().DeleteDraws(list_->SelectedRows())) list_->clearSelection();
}

void TDrawsPage::Info() {
    const int row = list_->FocusedRow();
    const int index = session_.Archive().IndexOfRow(row);
    if (index < 0) return;
    TComb numbers = session_.Archive().Draws()[index].Numbers;
    if (session_.Archive().SortedDraws()) SortComb(numbers);
    const TConfigData& config = session_.Config().Data();
    TFormInfo dialog(this, session_.Archive().InfoProperties(row), numbers, config.MatrixCols,
                     config.ChannelSize);
    ExecDialog(dialog);
}

}  // namespace zentrix::gui
