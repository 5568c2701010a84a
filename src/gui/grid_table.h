#pragma once

#include <QAbstractTableModel>
#include <QTableView>

#include <functional>
#include <optional>
#include <string>

#include "core/palette.h"
#include "views/grid_selection.h"

namespace zentrix::gui {

// A read-only grid over a view of the engine in its own coordinates: row 0 and column 0 are the
// fixed header row and column, shown as the table's headers; data cell (r, c) sits at the
// table's (r - 1, c - 1). Cells are produced when painted, so a grid of thousands of rows stays
// virtual.
class TGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    struct TSource {
        std::function<int()> rows;     // grid rows, the fixed one counted
        std::function<int()> columns;  // grid columns, the fixed one counted
        std::function<std::string(int row, int column)> text;
        std::function<std::optional<TColor>(int row, int column)> color;
    };

    TGridModel(QObject* parent, TSource source);
    // The view built anew: sizes and texts read again.
    void Reload();
    // The same cells with other texts or colours.
    void Repaint();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    TSource source_;
    int rows_ = 0;
    int columns_ = 0;
};

// The grid's table: one rectangular selection of cells, fixed cell sizes, a context menu.
class TGridTable : public QTableView {
    Q_OBJECT
  public:
    TGridTable(QWidget* parent, const QString& name, int cellWidth, int cellHeight);
    // The selected rectangle in grid coordinates; empty when nothing is selected.
    TGridRange Range() const;
    // The current cell in grid coordinates (1, 1 when there is none).
    std::pair<int, int> CurrentCell() const;
};

}  // namespace zentrix::gui
