#include "gui/export_commands.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include "gui/action_list.h"
#include "gui/export_dialog.h"
#include "gui/list_view.h"
#include "gui/modal_hooks.h"
#include "gui/qt_ui_port.h"
#include "util/errors.h"

namespace zentrix::gui {

TExportCommands::TExportCommands(QWidget* window, TMainSession& session, TActionList& actions)
    : QObject(window),
      window_(window),
      actionList_(actions),
      controller_(std::make_unique<TExportController>(session)) {}

TExportCommands::~TExportCommands() = default;

QAction* TExportCommands::Add(const std::string& name, QTableView* view) {
    const TExportTableEntry* entry = FindExportTable(name);
    if (!entry) throw EZentrix("Нет таблицы экспорта " + name);
    QAction* action = actionList_.Add(
        Q(entry->caption), Q(entry->hint), {},
        [this, entry] { return controller_->CanExport(*entry); },
        [this, entry, view] { Run(*entry, view); });
    actions_.push_back(action);
    return action;
}

void TExportCommands::Run(const TExportTableEntry& entry, QTableView* view) {
    std::vector<size_t> selected;
    if (auto* list = qobject_cast<TListView*>(view)) {
        for (int row : list->SelectedRows())
            if (row >= 0) selected.push_back(static_cast<size_t>(row));
    } else if (view->selectionModel()) {
        // A grid: the rows of its selected cells.
        for (const QModelIndex& index : view->selectionModel()->selectedIndexes())
            selected.push_back(static_cast<size_t>(index.row()));
    }
    TViewWidths widths;
    const QAbstractItemModel* model = view->model();
    for (int c = 0; model && c < model->columnCount(); ++c)
        if (!view->isColumnHidden(c))
            widths.emplace_back(S(model->headerData(c, Qt::Horizontal).toString()),
                                view->columnWidth(c));
    TExportJob job = controller_->Open(entry, std::move(selected), widths);
    TFormExportExcel dialog(window_, *controller_, job);
    if (ExecDialog(dialog) != QDialog::Accepted) return;
    controller_->Export(job);
}

}  // namespace zentrix::gui
