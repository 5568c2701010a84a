#include "gui/virtual_model.h"

namespace zentrix::gui {

TVirtualModel::TVirtualModel(QObject* parent, TSource source)
    : QAbstractTableModel(parent), source_(std::move(source)) {
    rows_ = source_.rowCount();
}

void TVirtualModel::Reload() {
    beginResetModel();
    rows_ = source_.rowCount();
    cachedRow_ = -1;
    endResetModel();
}

int TVirtualModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TVirtualModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(source_.header.size());
}

const std::vector<std::string>& TVirtualModel::Row(int row) const {
    if (row != cachedRow_) {
        cachedTexts_ = source_.rowTexts(row);
        cachedRow_ = row;
    }
    return cachedTexts_;
}

QVariant TVirtualModel::data(const QModelIndex& index, int role) const {
    // The engine may have shrunk its array before the view heard of it (a repaint while a long
    // operation lets events through): rows beyond the live count show nothing.
    if (!index.isValid() || index.row() >= rows_ || index.row() >= source_.rowCount()) return {};
    const int col = index.column();
    switch (role) {
        case Qt::DisplayRole: {
            const auto& texts = Row(index.row());
            return col < static_cast<int>(texts.size()) ? QString::fromStdString(texts[col])
                                                        : QString();
        }
        case Qt::BackgroundRole:
            if (source_.cellColor)
                if (auto c = source_.cellColor(index.row(), col)) return ToQColor(*c);
            return {};
        case Qt::DecorationRole:
            if (col == 0 && source_.rowIcon) return source_.rowIcon(index.row());
            return {};
        case Qt::TextAlignmentRole:
            if (col < static_cast<int>(source_.alignment.size()))
                return static_cast<int>(source_.alignment[col] | Qt::AlignVCenter);
            return static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant TVirtualModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0) return {};
    if (role == Qt::ToolTipRole && section < static_cast<int>(source_.headerHints.size()))
        return QString::fromStdString(source_.headerHints[section]);
    if (role != Qt::DisplayRole || section >= static_cast<int>(source_.header.size())) return {};
    return QString::fromStdString(source_.header[section]);
}

}  // namespace zentrix::gui
