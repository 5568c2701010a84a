#include "gui/proxy_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/qt_ui_port.h"

namespace zentrix::gui {

TFormProxy::TFormProxy(QWidget* parent, const TProxyDialogModel& model) : QDialog(parent) {
    setObjectName("FormProxy");
    setWindowTitle("Параметры proxy-сервера");
    auto* layout = new QVBoxLayout(this);
    none_ = new QRadioButton("Не использовать proxy-сервер", this);
    none_->setObjectName("rbNone");
    auto_ = new QRadioButton("Автоматический поиск сервера (возможны задержки)", this);
    auto_->setObjectName("rbAuto");
    manual_ = new QRadioButton("Ручной выбор proxy-сервера:", this);
    manual_->setObjectName("rbManual");
    layout->addWidget(none_);
    layout->addWidget(auto_);
    layout->addWidget(manual_);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(20, 0, 0, 0);
    server_ = new QLineEdit(Q(model.server), this);
    server_->setObjectName("edServer");
    server_->setMinimumWidth(240);
    port_ = new QSpinBox(this);
    port_->setObjectName("edPort");
    port_->setRange(kProxyPortMin, kProxyPortMax);
    port_->setValue(model.port);
    user_ = new QLineEdit(Q(model.username), this);
    user_->setObjectName("edUsername");
    user_->setToolTip("Имя пользователя (не обязательно)");
    password_ = new QLineEdit(Q(model.password), this);
    password_->setObjectName("edPassword");
    password_->setToolTip("Пароль (не обязательно)");
    password_->setEchoMode(QLineEdit::Password);
    const std::pair<const char*, QWidget*> rows[] = {{"Имя или адрес сервера:", server_},
                                                     {"Порт:", port_},
                                                     {"Имя пользователя:", user_},
                                                     {"Пароль:", password_}};
    int row = 0;
    for (const auto& [caption, field] : rows) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    }
    layout->addLayout(grid);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    Option(model.option)->setChecked(true);
    for (QRadioButton* b : {none_, auto_, manual_})
        connect(b, &QRadioButton::clicked, this, &TFormProxy::UpdateFields);
    UpdateFields();
}

QRadioButton* TFormProxy::Option(TProxyMode mode) const {
    switch (mode) {
        case TProxyMode::Auto:
            return auto_;
        case TProxyMode::Manual:
            return manual_;
        case TProxyMode::None:
            break;
    }
    return none_;
}

void TFormProxy::UpdateFields() {
    const bool on = ProxyFieldsEnabled(Result().option);
    for (QWidget* w : {static_cast<QWidget*>(server_), static_cast<QWidget*>(port_),
                       static_cast<QWidget*>(user_), static_cast<QWidget*>(password_)})
        w->setEnabled(on);
}

TProxyDialogModel TFormProxy::Result() const {
    TProxyDialogModel m;
    m.option = manual_->isChecked() ? TProxyMode::Manual
               : auto_->isChecked() ? TProxyMode::Auto
                                    : TProxyMode::None;
    m.server = S(server_->text());
    m.port = port_->value();
    m.username = S(user_->text());
    m.password = S(password_->text());
    return m;
}

}  // namespace zentrix::gui
