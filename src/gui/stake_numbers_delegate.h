#pragma once

#include <QStyledItemDelegate>

#include <functional>
#include <vector>

#include "stakes/stake_view.h"

namespace zentrix::gui {

// Paints the stakes grid's "Моя ставка" and "Результаты тиража" cells number by number, the
// matched ones bold and blue, 3 pixels apart; other cells as usual.
class TStakeNumbersDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using TMarks = std::function<std::vector<TNumberMark>(int row, int column)>;
    TStakeNumbersDelegate(QObject* parent, TMarks marks);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    TMarks marks_;
};

}  // namespace zentrix::gui
