#pragma once

#include <QDialog>

#include <array>

#include "stats/shred_dialog.h"

class QLineEdit;
class QSpinBox;

namespace zentrix::gui {

// "Методы шинковки": three formula fields with their digit spins, bound to the dialog model.
class TFormShredding : public QDialog {
    Q_OBJECT
  public:
    TFormShredding(QWidget* parent, const TShredDialogModel& model);

    // The model with the fields' values.
    TShredDialogModel Result() const;

    QLineEdit* FormulaEdit(int row) const { return formulas_.at(row); }
    QSpinBox* DigitsSpin(int row) const { return digits_.at(row); }

  private:
    std::array<QLineEdit*, kShredFormulaCount> formulas_{};
    std::array<QSpinBox*, kShredFormulaCount> digits_{};
};

}  // namespace zentrix::gui
