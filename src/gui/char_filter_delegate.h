#pragma once

#include <QStyledItemDelegate>

#include <functional>

class QLineEdit;

namespace zentrix::gui {

// Lets only the characters the test allows be typed into a line edit.
void RestrictChars(QLineEdit* edit, std::function<bool(char32_t)> allowed);

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
