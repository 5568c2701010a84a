#include "gui/list_view.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include <algorithm>

#include "app/window_placement.h"

namespace zentrix::gui {

TListView::TListView(QWidget* parent, const QString& name) : QTableView(parent) {
    setObjectName(name);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(false);
    setShowGrid(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
}

std::vector<int> TListView::SelectedRows() const {
    std::vector<int> rows;
    if (!selectionModel()) return rows;
    // Ranges instead of per-index lists: a full selection of 125970 rows stays cheap.
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int r = range.top(); r <= range.bottom(); ++r) rows.push_back(r);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int TListView::FocusedRow() const {
    QModelIndex index = currentIndex();
    return index.isValid() ? index.row() : -1;
}

bool TListView::HasSelection() const {
    return selectionModel() && selectionModel()->hasSelection();
}

void TListView::WidenToContents(int column) {
    setColumnWidth(column, std::max(columnWidth(column), sizeHintForColumn(column)));
}

void TListView::RestoreColumns(const TIniFile& ini, const std::string& section) {
    if (!model()) return;
    const std::string name = objectName().toStdString();
    for (int c = 0; c < model()->columnCount(); ++c) {
        int width = ReadColumnWidth(ini, section, name, c, -1);
        if (width >= 0) setColumnWidth(c, width);
    }
}

void TListView::StoreColumns(TIniFile& ini, const std::string& section) const {
    if (!model()) return;
    const std::string name = objectName().toStdString();
    for (int c = 0; c < model()->columnCount(); ++c)
        WriteColumnWidth(ini, section, name, c, columnWidth(c));
}

}  // namespace zentrix::gui
