#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace zentrix::gui {

// An editor that lets only the characters the test allows be typed into a grid cell.
class TCharFilterDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    TCharFilterDelegate(QObject* parent, std::function<bool(char32_t)> allowed);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

  private:
    std::function<bool(char32_t)> allowed_;
};

}  // namespace zentrix::gui
