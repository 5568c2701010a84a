#pragma once

#include <QDialog>

#include "core/draw.h"

class QDateEdit;
class QLineEdit;
class QSpinBox;
class QTimeEdit;

namespace zentrix {
class TSessionCore;
}

namespace zentrix::gui {

// The draw dialog: number, the 8 numbers and the extra number in one line, date and time. OK is
// refused with "Введена некорректная комбинация!" while the line is malformed.
class TFormDraw : public QDialog {
    Q_OBJECT
  public:
    // Titled for a new draw, or for editing one.
    TFormDraw(QWidget* parent, TSessionCore& core, const TDraw& draw, bool editing = false);
    const TDraw& Result() const { return result_; }

    QSpinBox* NumberEdit() const { return number_; }
    QLineEdit* NumbersEdit() const { return numbers_; }

    void accept() override;

  private:
    TSessionCore& core_;
    TDraw result_;
    QSpinBox* number_;
    QLineEdit* numbers_;
    QDateEdit* date_;
    QTimeEdit* time_;
};

}  // namespace zentrix::gui
