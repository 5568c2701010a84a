#include "gui/scenario_page.h"

#include "gui/scenario_run_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/catalog_panel.h"
#include "gui/kept_splitter.h"
#include "gui/list_view.h"
#include "gui/modal_hooks.h"
#include "gui/qt_ui_port.h"
#include "gui/script_command_dialog.h"
#include "gui/virtual_model.h"
#include "scenario/scenario_rows.h"

namespace zentrix::gui {

TScenarioPage::TScenarioPage(QWidget* parent, TMainSession& session, TActionList& actions,
                             std::function<int()> excludeDraws)
    : QWidget(parent),
      session_(session),
      actions_(actions),
      excludeDraws_(std::move(excludeDraws)) {
    setObjectName("tsScript");
    TScenarioController& scenario = session_.Scenario();

    TVirtualModel::TSource source;
    source.header = ScenarioListHeader();
    source.rowCount = [&scenario] { return scenario.Count(); };
    source.rowTexts = [&scenario](int row) { return scenario.RowTexts(row); };
    model_ = new TVirtualModel(this, std::move(source));
    list_ = new TListView(this, "lvScript");
    list_->setModel(model_);
    list_->setColumnWidth(0, 170);
    list_->setColumnWidth(1, 340);
    for (int c = 2; c < model_->columnCount(); ++c) list_->setColumnWidth(c, 200);
    list_->horizontalHeader()->setStretchLastSection(false);

    auto selected = [this] { return SelectedRow(); };
    auto rows = [this] { return list_->SelectedRows(); };
    TActions& a = commands_;
    a.open = actions_.Add(
        "Открыть", "Открыть файл сценария", QKeySequence("Ctrl+J"),
        [&scenario] { return scenario.CanOpen(); }, [&scenario] { scenario.Open(); });
    a.save = actions_.Add(
        "Сохранить", "Сохранить сценарий в файле", QKeySequence("Ctrl+I"),
        [&scenario] { return scenario.CanSave(); }, [&scenario] { scenario.Save(); });
    a.add = actions_.Add(
        "Добавить фильтры", "Добавить новую строку сценария", QKeySequence("Ctrl+Ins"),
        [&scenario] { return scenario.CanAdd(); }, [this] { Add(); });
    a.separator = actions_.Add(
        "Добавить разделитель", "Добавить пустую строку-разделитель", QKeySequence("Ctrl+Alt+Ins"),
        [&scenario] { return scenario.CanAddSeparator(); },
        [this, &scenario] { SelectRow(scenario.AddSeparator()); });
    a.append = actions_.Add(
        "Добавить сценарий", "Добавить в конец строки другого сценария", {},
        [&scenario] { return scenario.CanAppend(); }, [&scenario] { scenario.Append(); });
    a.clone = actions_.Add(
        "Клонировать", "Создать новую строку по образцу выделенной", QKeySequence("Ctrl+K"),
        [&scenario, selected] { return scenario.CanClone(selected()); }, [this] { Clone(); });
    a.edit = actions_.Add(
        "Изменить", "Изменить выделенную строку", QKeySequence("Ctrl+Return"),
        [&scenario, selected] { return scenario.CanEdit(selected()); }, [this] { Edit(); });
    a.remove = actions_.Add(
        "Удалить", "Удалить выделенные строки", QKeySequence("Ctrl+Del"),
        [&scenario, rows] { return scenario.CanDelete(rows()); }, [this] { Delete(); });
    a.removeAll = actions_.Add(
        "Удалить все", "Удалить все строки сценария", {},
        [&scenario] { return scenario.CanDeleteAll(); },
        [this, &scenario] {
            if (scenario.DeleteAll()) list_->clearSelection();
        });
    a.moveUp = actions_.Add(
        "Переместить вверх", "Переместить выделенную строку вверх", QKeySequence("Ctrl+Up"),
        [&scenario, selected] { return scenario.CanMoveUp(selected()); },
        [this, &scenario] { SelectRow(scenario.MoveUp(SelectedRow())); });
    a.moveDown = actions_.Add(
        "Переместить вниз", "Переместить выделенную строку вниз", QKeySequence("Ctrl+Down"),
        [&scenario, selected] { return scenario.CanMoveDown(selected()); },
        [this, &scenario] { SelectRow(scenario.MoveDown(SelectedRow())); });
    // Enter of the main keys and of the keypad.
    a.edit->setShortcuts({QKeySequence("Ctrl+Return"), QKeySequence("Ctrl+Enter")});
    menuActions_ = {a.open, a.save,  a.append, nullptr,     a.add,   a.separator, a.clone,
                    a.edit, nullptr, a.remove, a.removeAll, nullptr, a.moveUp,    a.moveDown};
    CreateRunActions();
    // The keys act on this page only: other lists have their own Ctrl+Del and Ctrl+Up.
    for (QAction* action : menuActions_) {
        if (!action) continue;
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    // The run's commands act from anywhere in the window, as the menu offers them.
    menuActions_ +=
        {nullptr, a.forecast, a.test, a.stop, nullptr, a.log, a.deleteLogs, a.checkOnLine};
    catalog_ = new TCatalogPanel(this, session_, actions_);
    menuActions_ += {nullptr, catalog_->Commands().toggle};

    // Rows of files, lines and order, so every command stays in sight on a narrow page.
    auto toolbar = [this](const QList<QAction*>& list) {
        auto* bar = new QToolBar(this);
        bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
        TActionList::AddToMenu(bar, list);
        return bar;
    };
    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    lines_ = new QLabel(this);
    lines_->setObjectName("stScriptPanel0");
    lines_->setMinimumWidth(120);
    status->addWidget(lines_);
    for (int i = 1; i <= 4; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QString("stScriptPanel%1").arg(i));
        panel->setMinimumWidth(i == 4 ? 300 : 90);
        status->addWidget(panel, i == 4 ? 1 : 0);
        runPanels_.push_back(panel);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(toolbar({a.open, a.save, a.append}));
    layout->addWidget(toolbar({a.add, a.separator, a.clone, a.edit}));
    layout->addWidget(toolbar({a.remove, a.removeAll, a.moveUp, a.moveDown}));
    layout->addWidget(toolbar({a.forecast, a.test, a.stop, a.log, a.checkOnLine}));
    split_ = new TKeptSplitter(Qt::Vertical, 1, this);
    split_->setObjectName("splScripts");
    split_->addWidget(list_);
    split_->addWidget(catalog_);
    split_->setStretchFactor(0, 1);
    split_->setStretchFactor(1, 0);
    split_->setChildrenCollapsible(false);
    split_->setSizes({400, TCatalogPanel::kDesignedHeight});
    layout->addWidget(split_, 1);
    layout->addWidget(status);

    connect(list_, &QAbstractItemView::doubleClicked, this, [this] {
        actions_.UpdateNow();
        if (commands_.edit->isEnabled()) commands_.edit->trigger();
    });
    actions_.AttachContextMenu(list_, menuActions_);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, &actions_,
            &TActionList::RequestUpdate);
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, &actions_,
            &TActionList::RequestUpdate);
    lines_->setText(Q(scenario.LinesPanelText()));
}

void TScenarioPage::RestoreSettings(TWindowSettings& settings) {
    list_->RestoreColumns(settings.Ini(), TWindowSettings::kMainSection);
    catalog_->RestoreSettings(settings);
    split_->SetKeptSize(settings.Options().ScriptLibraryHeight);
}

void TScenarioPage::StoreSettings(TWindowSettings& settings) {
    list_->StoreColumns(settings.Ini(), TWindowSettings::kMainSection);
    catalog_->StoreSettings(settings);
    // A hidden panel measures nothing: its last height stays.
    int& height = settings.Options().ScriptLibraryHeight;
    if (!catalog_->isHidden()) height = split_->KeptSize(height);
}

void TScenarioPage::OnInvalidated(TUiPart part) {
    catalog_->OnInvalidated(part);
    if (part != TUiPart::ScenarioList) return;
    model_->Reload();
    lines_->setText(Q(session_.Scenario().LinesPanelText()));
}

int TScenarioPage::SelectedRow() const {
    const int row = list_->FocusedRow();
    return row >= 0 && list_->selectionModel()->isRowSelected(row, {}) ? row : -1;
}

void TScenarioPage::SelectRow(int row) {
    list_->clearSelection();
    if (row < 0 || row >= model_->rowCount()) return;
    list_->setCurrentIndex(model_->index(row, 0));
    list_->selectRow(row);
    list_->scrollTo(model_->index(row, 0));
}

bool TScenarioPage::EditLine(const QString& caption, int row, std::string& line) {
    TScenarioController& scenario = session_.Scenario();
    const TScriptLineFields fields =
        row < 0 ? scenario.NewLineFields(excludeDraws_ ? excludeDraws_() : 0)
                : scenario.LineFields(row);
    TFormScriptLine dialog(this, session_.Core(), scenario.FilterContext(), caption, fields);
    if (ExecDialog(dialog) != QDialog::Accepted) return false;
    line = dialog.Result();
    return true;
}

void TScenarioPage::Add() {
    std::string line;
    if (!EditLine(kNewLineCaption, -1, line)) return;
    list_->clearSelection();
    SelectRow(session_.Scenario().AddScriptLine(line));
}

void TScenarioPage::Clone() {
    std::string line;
    if (!EditLine(kNewLineCaption, SelectedRow(), line)) return;
    SelectRow(session_.Scenario().AddScriptLine(line));
}

void TScenarioPage::Edit() {
    const int row = SelectedRow();
    std::string line;
    if (row < 0 || !EditLine(kEditLineCaption, row, line)) return;
    session_.Scenario().SetScriptLine(row, line);
    SelectRow(row);
}

void TScenarioPage::Delete() {
    if (session_.Scenario().DeleteLines(list_->SelectedRows())) list_->clearSelection();
}

}  // namespace zentrix::gui
