#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QIcon>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/palette.h"

namespace zentrix::gui {

// A read-only table whose rows are produced on demand from the engine's arrays (the draws list,
// the combination list, the filter log). Rows are fetched a row at a time and the last one is
// kept, as a view asks for every column of a row in turn.
class TVirtualModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    struct TSource {
        std::vector<std::string> header;
        std::function<int()> rowCount;
        std::function<std::vector<std::string>(int row)> rowTexts;
        std::function<std::optional<TColor>(int row, int column)> cellColor;
        std::function<QIcon(int row)> rowIcon;  // shown in the first column
        std::vector<Qt::Alignment> alignment;   // per column; left when missing
        std::vector<std::string> headerHints;   // per column: the header's tooltip
    };

    TVirtualModel(QObject* parent, TSource source);

    // The engine changed the content: the row count is read again and the view repainted.
    void Reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const std::vector<std::string>& Row(int row) const;

    TSource source_;
    int rows_ = 0;
    mutable int cachedRow_ = -1;
    mutable std::vector<std::string> cachedTexts_;
};

// The source of a list whose controller offers Count, RowTexts and CellColor (the draws list,
// the combination list); numbers are right-aligned.
template <typename TController>
TVirtualModel::TSource ControllerSource(std::vector<std::string> header,
                                        const TController& controller) {
    TVirtualModel::TSource source;
    source.alignment.assign(header.size(), Qt::AlignRight);
    source.header = std::move(header);
    source.rowCount = [&controller] { return controller.Count(); };
    source.rowTexts = [&controller](int row) { return controller.RowTexts(row); };
    source.cellColor = [&controller](int row, int col) { return controller.CellColor(row, col); };
    return source;
}

inline QColor ToQColor(const TColor& c) {
    return QColor(c.r, c.g, c.b);
}

}  // namespace zentrix::gui
