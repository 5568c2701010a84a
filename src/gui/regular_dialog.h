#pragma once

#include <QDialog>

#include "stakes/regular_dialog.h"

class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace zentrix {
class TRegularsController;
class TSessionCore;
}  // namespace zentrix

namespace zentrix::gui {

// "Добавление регулярной ставки": binds the controls to the dialog's logic; OK runs its check
// and stays open on the error box.
class TFormRegular : public QDialog {
    Q_OBJECT
  public:
    TFormRegular(QWidget* parent, TSessionCore& core, const TRegularsController& regulars,
                 const TRegularAddDialog& dialog);

    TRegularDialogFields Fields() const;
    QLineEdit* CommentEdit() const { return comment_; }
    QRadioButton* ConstantStart() const { return constant_; }
    QRadioButton* LastDraw() const { return lastDraw_; }
    QLineEdit* StartEdit() const { return start_; }
    QSpinBox* StepSpin() const { return step_; }

    void accept() override;

  private:
    void EnableStart();

    TSessionCore& core_;
    const TRegularsController& regulars_;
    const TRegularAddDialog& dialog_;
    QLineEdit* comment_;
    QRadioButton* constant_;
    QRadioButton* lastDraw_;
    QLineEdit* start_;
    QSpinBox* step_;
};

}  // namespace zentrix::gui
