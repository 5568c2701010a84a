#pragma once

#include <QDialog>

#include <functional>

#include "stakes/stake_dialog.h"

class QLabel;
class QLineEdit;
class QSpinBox;

namespace zentrix {
class TSessionCore;
}

namespace zentrix::gui {

// "Добавление ставки" (draw, draws, numbers with their sum, comment) or, without the numbers,
// "Добавление мультиставки". OK runs the engine's check of the fields and stays open on its
// error box.
class TFormStake : public QDialog {
    Q_OBJECT
  public:
    using TCheck = std::function<void(const TStakeDialogFields&)>;  // raises EZentrix
    TFormStake(QWidget* parent, TSessionCore& core, const TStakeDialogFields& fields, bool multi,
               TCheck check);

    TStakeDialogFields Fields() const;
    QSpinBox* DrawSpin() const { return draw_; }
    QSpinBox* DrawsSpin() const { return draws_; }
    QLineEdit* NumbersEdit() const { return numbers_; }
    QLabel* SumLabel() const { return sum_; }
    QLineEdit* CommentEdit() const { return comment_; }

    void accept() override;

  private:
    TSessionCore& core_;
    TCheck check_;
    QSpinBox* draw_;
    QSpinBox* draws_;
    QLineEdit* numbers_ = nullptr;
    QLabel* sum_ = nullptr;
    QLineEdit* comment_;
};

}  // namespace zentrix::gui
