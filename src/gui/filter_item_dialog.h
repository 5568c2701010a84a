#pragma once

#include <QDialog>

#include <array>

#include "scenario/filter_item_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace zentrix {
class TSessionCore;
}

namespace zentrix::gui {

// The filter dialog "Фильтр": one filter item of a scenario line. OK runs the checks of the
// model; a failure shows its error, focuses its control and keeps the dialog open.
class TFormFilterItem : public QDialog {
    Q_OBJECT
  public:
    TFormFilterItem(QWidget* parent, TSessionCore& core, TFilterDialogContext context,
                    const TFilterItem& item);
    const TFilterItem& Result() const { return result_; }

    QComboBox* MethodCombo() const { return method_; }
    QLineEdit* DrawsLenEdit() const { return drawsLen_; }
    QComboBox* LevelModeCombo() const { return levelMode_; }
    QLineEdit* LevelValueEdit() const { return levelValue_; }
    QCheckBox* MultiSelectBox() const { return multiSelect_; }
    QCheckBox* OverrideBox() const { return override_; }
    QLineEdit* CoefEdit(int i) const { return coefs_[i]; }
    QComboBox* StopModeCombo() const { return stopMode_; }
    QSpinBox* StopValueSpin() const { return stopValue_; }

    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    TFilterDialogModel Model() const;
    void UpdateWeights();

    TSessionCore& core_;
    TFilterDialogContext context_;
    TFilterItem result_;
    std::string statText_;
    QComboBox* method_;
    QLineEdit* drawsLen_;
    QComboBox* sortColumn_;
    QComboBox* direction_;
    QComboBox* filterMode_;
    QCheckBox* multiSelect_;
    QComboBox* levelMode_;
    QLineEdit* levelValue_;
    QCheckBox* override_;
    std::array<QLineEdit*, 3> coefs_{};
    QCheckBox* percents_;
    QCheckBox* abs_;
    QComboBox* stopMode_;
    QSpinBox* stopValue_;
};

}  // namespace zentrix::gui
