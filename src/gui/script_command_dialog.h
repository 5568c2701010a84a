#pragma once

#include <QDialog>

#include <array>
#include <string>

#include "scenario/filter_item_dialog.h"
#include "scenario/script_line_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace zentrix {
class TSessionCore;
}

namespace zentrix::gui {

// The command dialog "Элемент сценария": the comment, the base list, the exclude count, the
// action, the two flags and the seven filter slots, each with its "..." button opening the filter
// dialog. OK rebuilds the line; it checks nothing else.
class TFormScriptLine : public QDialog {
    Q_OBJECT
  public:
    TFormScriptLine(QWidget* parent, TSessionCore& core, TFilterDialogContext context,
                    const QString& caption, const TScriptLineFields& fields);
    const std::string& Result() const { return result_; }

    QLineEdit* CommentEdit() const { return comment_; }
    QComboBox* StartCombsCombo() const { return start_; }
    QSpinBox* ExcludeSpin() const { return exclude_; }
    QComboBox* ResultCombsCombo() const { return action_; }
    QLineEdit* FilterEdit(int slot) const { return filters_[slot]; }
    QToolButton* FilterButton(int slot) const { return buttons_[slot]; }

    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void EditFilter(int slot);

    TSessionCore& core_;
    TFilterDialogContext context_;
    std::string result_;
    QLineEdit* comment_;
    QComboBox* start_;
    QSpinBox* exclude_;
    QComboBox* action_;
    QCheckBox* clear_;
    QCheckBox* newOnly_;
    std::array<QLineEdit*, kFilterSlotCount> filters_{};
    std::array<QToolButton*, kFilterSlotCount> buttons_{};
};

}  // namespace zentrix::gui
