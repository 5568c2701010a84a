#include "gui/systems_catalog_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

#include "app/session.h"
#include "app/window_placement.h"
#include "gui/action_list.h"
#include "gui/list_view.h"
#include "gui/modal_hooks.h"
#include "gui/qt_ui_port.h"
#include "gui/system_dialog.h"
#include "gui/virtual_model.h"
#include "util/strings.h"

namespace zentrix::gui {

namespace {

// A sheet in the owner's colour (own green, another's blue, no owner grey): outlined while the
// system is only in the catalog, filled with a tick once it is on the computer.
QIcon SystemIcon(int kind) {
    static const std::array<QColor, 3> colours = {QColor(46, 139, 87), QColor(52, 101, 164),
                                                  QColor(128, 128, 128)};
    const QColor colour = colours[size_t(kind % 3)];
    const bool downloaded = kind >= 3;
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 1.5));
    p.setBrush(downloaded ? colour : colour.lighter(185));
    p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 2, 2);
    if (downloaded) {
        p.setPen(QPen(Qt::white, 2));
        QPainterPath tick;
        tick.moveTo(5, 8.5);
        tick.lineTo(7.3, 11);
        tick.lineTo(11, 5);
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    } else {
        p.setPen(QPen(colour, 1));
        for (double y : {5.5, 8.5, 11.5}) p.drawLine(QPointF(5, y), QPointF(11, y));
    }
    return QIcon(pixmap);
}

const QIcon& IconOfKind(int kind) {
    static const std::array<QIcon, 6> icons = [] {
        std::array<QIcon, 6> all;
        for (int k = 0; k < 6; ++k) all[size_t(k)] = SystemIcon(k);
        return all;
    }();
    return icons[size_t(std::clamp(kind, 0, 5))];
}

// Numbers compare as numbers, other texts as texts; an empty cell comes first.
bool CellLess(const std::string& a, const std::string& b) {
    const auto x = TryStrToInt64(a), y = TryStrToInt64(b);
    if (x && y) return *x < *y;
    return a < b;
}

}  // namespace

TSystemsCatalogPanel::TSystemsCatalogPanel(QWidget* parent, TMainSession& session,
                                           TActionList& actions, std::function<void()> localChanged)
    : QWidget(parent),
      session_(session),
      actions_(actions),
      localChanged_(std::move(localChanged)) {
    setObjectName("pnSystemsCatalog");
    TVirtualModel::TSource source;
    source.header = SystemColumns();
    source.alignment = {Qt::AlignLeft,  Qt::AlignLeft, Qt::AlignCenter, Qt::AlignCenter,
                        Qt::AlignRight, Qt::AlignLeft, Qt::AlignLeft,   Qt::AlignRight,
                        Qt::AlignLeft,  Qt::AlignLeft, Qt::AlignLeft};
    source.rowCount = [this] { return int(order_.size()); };
    source.rowTexts = [this](int row) {
        const int entry = EntryOfRow(row);
        if (entry < 0) return std::vector<std::string>{};
        return SystemRowTexts(Catalog().Entries().at(size_t(entry)), Catalog().Downloaded(entry));
    };
    source.rowIcon = [this](int row) { return IconOfKind(IconKind(row)); };
    model_ = new TVirtualModel(this, std::move(source));
    list_ = new TListView(this, kListName);
    list_->setModel(model_);
    list_->setShowGrid(true);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->horizontalHeader()->setSortIndicatorShown(true);
    list_->horizontalHeader()->setSectionsClickable(true);
    list_->horizontalHeader()->setSortIndicator(sortColumn_, Qt::AscendingOrder);
    const int widths[] = {200, 110, 64, 45, 90, 150, 80, 70, 150, 200, 160};
    for (int c = 0; c < int(std::size(widths)); ++c) list_->setColumnWidth(c, widths[c]);
    connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        const std::vector<int> selected = SelectedEntries();
        descending_ = column == sortColumn_ && !descending_;
        sortColumn_ = column;
        Rebuild();
        SelectEntries(selected);
    });

    TSystemsController& systems = session_.Systems();
    auto shown = [&systems] { return systems.Enabled(); };
    TActions& a = commands_;
    a.refresh = actions_.Add("Обновить", "Перезагрузить список с сервера", {}, shown,
                             [this] { Refresh(); });
    a.download = actions_.Add(
        "Загрузить", "Загрузить выделенные системы", {},
        [this, shown] { return shown() && !SelectedEntries().empty(); },
        [this] { DownloadSelected(); });
    a.add = actions_.Add("Добавить", "Добавить свою систему в список", {}, shown,
                         [this] { AddSystem(); });
    a.properties = actions_.Add(
        "Свойства", "Просмотр / редактирование свойств системы", {},
        [this, shown] {
            const int e = CurrentEntry();
            return shown() && e >= 0 && Catalog().Entries()[size_t(e)].id > 0;
        },
        [this] { ShowProperties(); });
    a.remove = actions_.Add(
        "Удалить", "Удалить свои системы из списка", {},
        [this, shown] {
            const int e = CurrentEntry();
            return shown() && e >= 0 && Catalog().IsOwn(e);
        },
        [this] { DeleteSelected(); });
    actions_.AttachContextMenu(list_, Actions());
    connect(list_, &QAbstractItemView::doubleClicked, this, [this] {
        actions_.UpdateNow();
        if (commands_.properties->isEnabled()) commands_.properties->trigger();
    });
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        Catalog().Select(CurrentEntry());
        actions_.RequestUpdate();
    });

    auto* tools = new QToolBar(this);
    for (QAction* action : Actions())
        tools->addWidget(TActionList::Button(action, action->text(), this));
    auto* caption = new QLabel("Системы online-каталога:", this);
    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(caption);
    top->addStretch(1);
    top->addWidget(tools);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
}

TSystemsCatalogController& TSystemsCatalogPanel::Catalog() const {
    return session_.SystemsCatalog();
}

QList<QAction*> TSystemsCatalogPanel::Actions() const {
    const TActions& a = commands_;
    return {a.refresh, a.download, a.add, a.properties, a.remove};
}

int TSystemsCatalogPanel::EntryOfRow(int row) const {
    // The controller may have changed its entries before the rows were rebuilt.
    if (row < 0 || row >= int(order_.size())) return -1;
    const int entry = order_[size_t(row)];
    return entry < int(Catalog().Entries().size()) ? entry : -1;
}

int TSystemsCatalogPanel::RowOfEntry(int entry) const {
    const auto at = std::find(order_.begin(), order_.end(), entry);
    return at == order_.end() ? -1 : int(at - order_.begin());
}

int TSystemsCatalogPanel::IconKind(int row) const {
    const int entry = EntryOfRow(row);
    if (entry < 0) return 2;
    const TSystemInfo& s = Catalog().Entries()[size_t(entry)];
    const int owner = Catalog().IsOwn(entry) ? 0 : Trim(s.ownerMail).empty() ? 2 : 1;
    return owner + (Catalog().Downloaded(entry) ? 3 : 0);
}

int TSystemsCatalogPanel::CurrentEntry() const {
    const std::vector<int> rows = list_->SelectedRows();
    if (rows.empty()) return -1;
    const int focused = list_->FocusedRow();
    const bool focusedSelected = std::find(rows.begin(), rows.end(), focused) != rows.end();
    return EntryOfRow(focusedSelected ? focused : rows.front());
}

std::vector<int> TSystemsCatalogPanel::SelectedEntries() const {
    std::vector<int> entries;
    for (int row : list_->SelectedRows())
        if (const int e = EntryOfRow(row); e >= 0) entries.push_back(e);
    return entries;
}

void TSystemsCatalogPanel::Sort() {
    const auto& entries = Catalog().Entries();
    std::vector<std::string> keys(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        keys[i] = SystemRowTexts(entries[i], Catalog().Downloaded(int(i))).at(size_t(sortColumn_));
    order_.resize(entries.size());
    for (size_t i = 0; i < order_.size(); ++i) order_[i] = int(i);
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        return descending_ ? CellLess(keys[size_t(b)], keys[size_t(a)])
                           : CellLess(keys[size_t(a)], keys[size_t(b)]);
    });
}

void TSystemsCatalogPanel::Rebuild() {
    const int selected = Catalog().Selected();
    QSignalBlocker block(list_->selectionModel());
    Sort();
    model_->Reload();
    list_->horizontalHeader()->setSortIndicator(
        sortColumn_, descending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
    if (selected >= 0) SelectEntries({selected});
    Catalog().Select(selected);
    actions_.RequestUpdate();
}

void TSystemsCatalogPanel::SelectEntries(const std::vector<int>& entries) {
    list_->clearSelection();
    QItemSelection selection;
    for (int e : entries)
        if (const int row = RowOfEntry(e); row >= 0)
            selection.select(model_->index(row, 0), model_->index(row, model_->columnCount() - 1));
    if (entries.empty()) return;
    const int first = RowOfEntry(entries.front());
    if (first >= 0) {
        list_->selectionModel()->setCurrentIndex(model_->index(first, 0),
                                                 QItemSelectionModel::NoUpdate);
        list_->scrollTo(model_->index(first, 0));
    }
    list_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void TSystemsCatalogPanel::ApplyEnabled() {
    if (session_.Systems().Enabled()) {
        Refresh();
    } else {
        Catalog().Clear();
        Rebuild();
    }
}

void TSystemsCatalogPanel::Refresh() {
    Catalog().LoadSystemList();
    Rebuild();
    // Systems downloaded again while listing changed the folder.
    if (localChanged_) localChanged_();
}

void TSystemsCatalogPanel::DownloadSelected() {
    const std::vector<int> rows = list_->SelectedRows();
    if (rows.empty()) return;
    const int first = EntryOfRow(rows.front());
    std::vector<int> kept;
    for (int row : rows) {
        const int entry = EntryOfRow(row);
        const bool done = Catalog().DownloadSystem(entry);
        if (!done || entry == first) kept.push_back(entry);
        model_->Reload();
        if (localChanged_) localChanged_();
    }
    QSignalBlocker block(list_->selectionModel());
    SelectEntries(kept);
    Catalog().Select(CurrentEntry());
}

void TSystemsCatalogPanel::AddSystem() {
    TFormSystem dialog(this, session_.Core(), Catalog().NewSystem(), true);
    if (ExecDialog(dialog) != QDialog::Accepted) return;
    if (Catalog().AddSystem(dialog.Result())) Rebuild();
}

void TSystemsCatalogPanel::ShowProperties() {
    const int entry = CurrentEntry();
    if (entry < 0) return;
    const std::optional<TSystemData> data = Catalog().SystemData(entry);
    if (!data) return;
    const bool own = Catalog().IsOwn(entry);
    TFormSystem dialog(this, session_.Core(), *data, own);
    if (ExecDialog(dialog) != QDialog::Accepted || !own) return;
    Catalog().Select(entry);
    if (Catalog().EditSystem(entry, dialog.Result())) Rebuild();
}

void TSystemsCatalogPanel::DeleteSelected() {
    const int entry = CurrentEntry();
    if (entry < 0) return;
    if (Catalog().DeleteSystem(entry)) {
        Rebuild();
        if (localChanged_) localChanged_();
    }
}

void TSystemsCatalogPanel::RestoreSettings(TWindowSettings& settings) {
    const TIniFile& ini = settings.Ini();
    list_->RestoreColumns(ini, TWindowSettings::kMainSection);
    if (auto sort = ReadSortType(ini, TWindowSettings::kMainSection, kListName);
        sort && sort->first >= 0 && sort->first < int(SystemColumns().size())) {
        sortColumn_ = sort->first;
        descending_ = sort->second != 0;
    }
    Rebuild();
}

void TSystemsCatalogPanel::StoreSettings(TWindowSettings& settings) {
    TIniFile& ini = settings.Ini();
    list_->StoreColumns(ini, TWindowSettings::kMainSection);
    WriteSortType(ini, TWindowSettings::kMainSection, kListName, sortColumn_, descending_ ? 1 : 0);
}

}  // namespace zentrix::gui
