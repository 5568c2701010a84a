#include "gui/combs_page.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

#include "app/session.h"
#include "core/list_rows.h"
#include "gui/action_list.h"
#include "gui/generate_dialog.h"
#include "gui/info_dialog.h"
#include "gui/kept_splitter.h"
#include "gui/list_view.h"
#include "gui/modal_hooks.h"
#include "gui/qt_ui_port.h"
#include "gui/virtual_model.h"

namespace zentrix::gui {

TCombsPage::TCombsPage(QWidget* parent, TMainSession& session, TActionList& actions)
    : QWidget(parent), session_(session), actions_(actions) {
    setObjectName("tsCombs");
    TCombsController& combs = session_.Combs();

    model_ = new TVirtualModel(this, ControllerSource(CombListHeader(), combs));
    list_ = new TListView(this, "lvCombs");
    list_->setModel(model_);
    list_->setColumnWidth(0, 64);
    for (int c = 1; c <= 9; ++c) list_->setColumnWidth(c, 32);
    // "S" is a number column like the others.
    list_->horizontalHeader()->setStretchLastSection(false);

    TVirtualModel::TSource logSource;
    logSource.header = {"Примененные фильтры", "Значения", "Комбинаций"};
    logSource.rowCount = [&combs] { return static_cast<int>(combs.FilterLog().size()); };
    logSource.rowTexts = [&combs](int row) {
        const TFilterLogLine& l = combs.FilterLog()[row];
        return std::vector<std::string>{l.applied, l.values, std::to_string(l.count)};
    };
    logSource.rowIcon = [this, &combs](int row) {
        switch (combs.FilterLog()[row].mark) {
            case TFilterMark::Inclusion:
                return style()->standardIcon(QStyle::SP_DialogApplyButton);
            case TFilterMark::Exclusion:
                return style()->standardIcon(QStyle::SP_DialogCancelButton);
            case TFilterMark::Undone:
                return style()->standardIcon(QStyle::SP_ArrowBack);
        }
        return QIcon();
    };
    logSource.alignment = {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignRight};
    logModel_ = new TVirtualModel(this, std::move(logSource));
    log_ = new TListView(this, "lvFilters");
    log_->setModel(logModel_);
    log_->setSelectionMode(QAbstractItemView::SingleSelection);
    log_->setColumnWidth(0, 180);
    log_->setColumnWidth(1, 120);

    exclude_ = new QSpinBox(this);
    exclude_->setObjectName("edDrawsExclude");
    exclude_->setRange(0, 2147483647);
    exclude_->setToolTip("Исключить указанное количество последних тиражей из списка комбинаций");
    exclude_->setStatusTip(exclude_->toolTip());
    exclude_->setValue(session_.Core().Settings().Options().DrawsExclude);
    exclude_->installEventFilter(this);

    auto rows = [this] { return list_->SelectedRows(); };
    generate_ = actions_.Add(
        "Генерировать", "Создать новый список комбинаций", QKeySequence(Qt::Key_F2),
        [&combs] { return combs.CanCombsGen(); }, [this] { Generate(); });
    QAction* open = actions_.Add(
        "Открыть", "Открыть файл комбинаций", QKeySequence("Ctrl+O"),
        [&combs] { return combs.CanCombsOpen(); }, [&combs] { combs.CombsOpen(); });
    QAction* save = actions_.Add(
        "Сохранить", "Сохранить список комбинаций в файле", QKeySequence("Ctrl+S"),
        [&combs] { return combs.CanCombsSave(); }, [&combs] { combs.CombsSave(); });
    undo_ = actions_.Add(
        "Отменить", "Отменить последнюю операцию", QKeySequence("Ctrl+Z"),
        [&combs] { return combs.CanCombsUndo(); }, [&combs] { combs.CombsUndo(); });
    delExists_ = actions_.Add(
        "Исключить тиражи", "Исключить из списка комбинаций выпавшие комбинации",
        QKeySequence("Ctrl+E"),
        [this, &combs] { return combs.CanCombsDelExists(exclude_->value()); },
        [this, &combs] { combs.CombsDelExists(exclude_->value()); });
    QAction* delSelected = actions_.Add(
        "Удалить выделенные", "Удалить выделенные комбинации", QKeySequence("Ctrl+Del"),
        [&combs, rows] { return combs.CanCombsDelSelected(rows()); },
        [this, &combs, rows] {
            combs.CombsDelSelected(rows());
            list_->clearSelection();
        });
    QAction* copy = actions_.Add(
        "Копировать в буфер", "Копировать выделенные комбинации", QKeySequence("Ctrl+C"),
        [&combs] { return combs.CanCombsCopy(); }, [&combs, rows] { combs.CombsCopy(rows()); });
    QAction* paste = actions_.Add(
        "Вставить из буфера", "Вставить комбинации из буфера обмена", QKeySequence("Ctrl+V"),
        [&combs] { return combs.CanCombsPaste(); }, [&combs] { combs.CombsPaste(); });
    QAction* selectAll = actions_.Add(
        "Выделить все", "Выделить все комбинации", QKeySequence("Ctrl+A"),
        [&combs] { return combs.CanCombsSelectAll(); },
        [this, &combs] { combs.CombsSelectAll([this] { list_->selectAll(); }); });
    QAction* checkNums = actions_.Add(
        "Количество уникальных номеров", "Количество уникальных номеров в списке комбинаций", {},
        [&combs] { return combs.CanCombsCheckNums(); }, [&combs] { combs.CombsCheckNums(); });
    QAction* find = actions_.Add(
        "Проверить по архиву тиражей", "Найти выделенную комбинацию в архиве тиражей",
        QKeySequence("Ctrl+F"),
        [this, &combs] { return combs.CanCombsFindInDraws(list_->FocusedRow()); },
        [this, &combs] { combs.CombsFindInDraws(list_->FocusedRow()); });
    QAction* info = actions_.Add(
        "Сведения о комбинации", "Подробная информация о комбинации", {},
        [this, &combs] { return combs.CanCombsInfo(list_->FocusedRow()); }, [this] { Info(); });
    // Clipboard and selection keys act on the list only, so text fields keep theirs.
    for (QAction* a : {copy, paste, selectAll, delSelected}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        list_->addAction(a);
    }
    menuActions_ = {generate_, open,  save,      undo_,   delExists_, delSelected, nullptr,
                    copy,      paste, selectAll, nullptr, checkNums,  find,        info};

    // A tool bar: on a narrow window the buttons that do not fit move to its overflow menu
    // instead of widening the window.
    auto* tools = new QToolBar(this);
    tools->addWidget(TActionList::Button(generate_, "Новый", this));
    tools->addWidget(TActionList::Button(open, "Открыть", this));
    tools->addWidget(TActionList::Button(save, "Сохранить", this));
    tools->addWidget(TActionList::Button(undo_, "Отменить", this));
    tools->addWidget(TActionList::Button(delExists_, "[-] Тиражи", this));
    tools->addWidget(exclude_);

    split_ = new TKeptSplitter(Qt::Vertical, 1, this);
    split_->setObjectName("splFilters");
    split_->addWidget(list_);
    split_->addWidget(log_);
    split_->setStretchFactor(0, 1);
    split_->setStretchFactor(1, 0);
    split_->setSizes({450, 150});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(tools);
    layout->addWidget(split_);

    actions_.AttachContextMenu(list_, menuActions_);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, &actions_,
            &TActionList::RequestUpdate);
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, &actions_,
            &TActionList::RequestUpdate);
    connect(exclude_, &QSpinBox::valueChanged, &actions_, &TActionList::RequestUpdate);
}

bool TCombsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == exclude_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            exclude_->interpretText();
            actions_.UpdateNow();
            if (delExists_->isEnabled()) delExists_->trigger();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TCombsPage::RestoreSettings(TWindowSettings& settings) {
    split_->SetKeptSize(settings.Options().FiltersHeight);
    exclude_->setValue(settings.Options().DrawsExclude);
    list_->RestoreColumns(settings.Ini(), TWindowSettings::kMainSection);
    log_->RestoreColumns(settings.Ini(), TWindowSettings::kMainSection);
}

void TCombsPage::StoreSettings(TWindowSettings& settings) {
    TMainOptions& o = settings.Options();
    o.DrawsExclude = exclude_->value();
    o.FiltersHeight = split_->KeptSize(o.FiltersHeight);
    list_->StoreColumns(settings.Ini(), TWindowSettings::kMainSection);
    log_->StoreColumns(settings.Ini(), TWindowSettings::kMainSection);
}

void TCombsPage::OnInvalidated(TUiPart part) {
    if (part == TUiPart::CombList) {
        model_->Reload();
    } else if (part == TUiPart::FilterLog) {
        logModel_->Reload();
        // The applied filter's caption and its values are read whole.
        for (int c : {0, 1}) log_->WidenToContents(c);
        if (logModel_->rowCount() > 0) log_->scrollToBottom();
    }
}

void TCombsPage::Generate() {
    const TConfigSettings& s = session_.Config().Settings();
    TFormGenerate dialog(this, session_.Core().Ui(), s.generateMode, Q(s.generateParameters));
    if (ExecDialog(dialog) != QDialog::Accepted) return;
    session_.Combs().CombsGenerate(dialog.Mode(), S(dialog.Parameter()), dialog.SaveAsDefaults());
}

void TCombsPage::Info() {
    const int row = list_->FocusedRow();
    if (row < 0 || row >= session_.Combs().Count()) return;
    const TConfigData& config = session_.Config().Data();
    TFormInfo dialog(this, session_.Combs().InfoProperties(row), session_.Combs().Combs()[row],
                     config.MatrixCols, config.ChannelSize);
    ExecDialog(dialog);
}

}  // namespace zentrix::gui
