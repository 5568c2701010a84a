#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace zentrix {
class TUiPort;
}

namespace zentrix::gui {

// "Создание нового списка комбинаций": the mode, the user's numbers or a file, and whether to
// keep them as the defaults.
class TFormGenerate : public QDialog {
    Q_OBJECT
  public:
    TFormGenerate(QWidget* parent, TUiPort& ui, int mode, const QString& parameter);

    int Mode() const;
    QString Parameter() const;
    bool SaveAsDefaults() const;

    QComboBox* ModeBox() const { return mode_; }
    QLineEdit* ParameterEdit() const { return parameter_; }
    QCheckBox* DefaultsBox() const { return defaults_; }

  private:
    void UpdateControls();

    TUiPort& ui_;
    QComboBox* mode_;
    QLineEdit* parameter_;
    QPushButton* browse_;
    QCheckBox* defaults_;
};

}  // namespace zentrix::gui
