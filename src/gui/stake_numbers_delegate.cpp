#include "gui/stake_numbers_delegate.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace zentrix::gui {

namespace {

constexpr int kNumberGap = 3;

}  // namespace

TStakeNumbersDelegate::TStakeNumbersDelegate(QObject* parent, TMarks marks)
    : QStyledItemDelegate(parent), marks_(std::move(marks)) {}

void TStakeNumbersDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const int column = index.column();
    std::vector<TNumberMark> marks;
    if (column == kStakeNumbersColumn || column == kStakeResultColumn)
        marks = marks_(index.row(), column);
    if (marks.empty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The cell's background and selection as usual, without its text.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    QFont plain = opt.font;
    QFont bold = opt.font;
    bold.setBold(true);
    const QFontMetrics plainMetrics(plain), boldMetrics(bold);
    std::vector<int> widths;
    int total = 0;
    for (const TNumberMark& m : marks) {
        const QString text = QString::number(m.number);
        widths.push_back((m.matched ? boldMetrics : plainMetrics).horizontalAdvance(text));
        total += widths.back();
    }
    total += kNumberGap * static_cast<int>(marks.size() - 1);
    const QRect rect = opt.rect.adjusted(2, 0, -2, 0);
    int x = rect.left() + std::max(0, (rect.width() - total) / 2);
    const bool selected = opt.state & QStyle::State_Selected;
    const QColor normal = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor matched = selected ? normal : QColor(0, 0, 255);
    painter->save();
    painter->setClipRect(opt.rect);
    for (size_t i = 0; i < marks.size(); ++i) {
        painter->setFont(marks[i].matched ? bold : plain);
        painter->setPen(marks[i].matched ? matched : normal);
        painter->drawText(QRect(x, rect.top(), widths[i] + 1, rect.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, QString::number(marks[i].number));
        x += widths[i] + kNumberGap;
    }
    painter->restore();
}

}  // namespace zentrix::gui
