#pragma once

#include <QDialog>

#include "core/proxy_settings.h"

class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace zentrix::gui {

// "Параметры proxy-сервера": the three modes and the manual proxy's fields, bound to the model.
class TFormProxy : public QDialog {
    Q_OBJECT
  public:
    TFormProxy(QWidget* parent, const TProxyDialogModel& model);

    TProxyDialogModel Result() const;

    QRadioButton* Option(TProxyMode mode) const;
    QLineEdit* ServerEdit() const { return server_; }
    QSpinBox* PortSpin() const { return port_; }
    QLineEdit* UserEdit() const { return user_; }
    QLineEdit* PasswordEdit() const { return password_; }

  private:
    void UpdateFields();

    QRadioButton* none_;
    QRadioButton* auto_;
    QRadioButton* manual_;
    QLineEdit* server_;
    QSpinBox* port_;
    QLineEdit* user_;
    QLineEdit* password_;
};

}  // namespace zentrix::gui
