#include "gui/grid_table.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include <climits>

#include "gui/qt_ui_port.h"
#include "gui/virtual_model.h"

namespace zentrix::gui {

TGridModel::TGridModel(QObject* parent, TSource source)
    : QAbstractTableModel(parent), source_(std::move(source)) {
    Reload();
}

void TGridModel::Reload() {
    beginResetModel();
    rows_ = std::max(0, source_.rows() - 1);
    columns_ = std::max(0, source_.columns() - 1);
    endResetModel();
}

void TGridModel::Repaint() {
    if (rows_ > 0 && columns_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
}

int TGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant TGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row() + 1, column = index.column() + 1;
    switch (role) {
        case Qt::DisplayRole:
            return Q(source_.text(row, column));
        case Qt::BackgroundRole:
            if (source_.color)
                if (auto c = source_.color(row, column)) return ToQColor(*c);
            return {};
        case Qt::TextAlignmentRole:
            return static_cast<int>(Qt::AlignCenter);
        default:
            return {};
    }
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole) return static_cast<int>(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return Q(source_.text(0, section + 1));
    return Q(source_.text(section + 1, 0));
}

TGridTable::TGridTable(QWidget* parent, const QString& name, int cellWidth, int cellHeight)
    : QTableView(parent) {
    setObjectName(name);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setShowGrid(true);
    // Fixed sections: a long card scrolls without measuring its rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(cellHeight);
    verticalHeader()->setMinimumSectionSize(cellHeight);
    horizontalHeader()->setDefaultSectionSize(cellWidth);
    horizontalHeader()->setMinimumSectionSize(std::min(cellWidth, 16));
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
}

TGridRange TGridTable::Range() const {
    if (!selectionModel() || !selectionModel()->hasSelection()) return {};
    const QItemSelection selection = selectionModel()->selection();
    TGridRange range{INT_MAX, INT_MAX, -1, -1};
    for (const QItemSelectionRange& r : selection) {
        range.left = std::min(range.left, r.left() + 1);
        range.top = std::min(range.top, r.top() + 1);
        range.right = std::max(range.right, r.right() + 1);
        range.bottom = std::max(range.bottom, r.bottom() + 1);
    }
    return range;
}

std::pair<int, int> TGridTable::CurrentCell() const {
    const QModelIndex index = currentIndex();
    if (!index.isValid()) return {1, 1};
    return {index.column() + 1, index.row() + 1};
}

}  // namespace zentrix::gui
