#pragma once

#include <QDialog>

#include "stakes/stake_delete.h"

class QComboBox;
class QSpinBox;

namespace zentrix::gui {

// "Удаление по условию": a condition on the number of matches and the count it compares with.
class TFormDeleteWhere : public QDialog {
    Q_OBJECT
  public:
    explicit TFormDeleteWhere(QWidget* parent);

    TStakeCondition Condition() const;
    int Value() const;
    QComboBox* ConditionBox() const { return condition_; }
    QSpinBox* ValueSpin() const { return value_; }

  private:
    QComboBox* condition_;
    QSpinBox* value_;
};

}  // namespace zentrix::gui
