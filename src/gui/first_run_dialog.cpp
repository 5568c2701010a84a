#include "gui/first_run_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/publisher_links.h"
#include "app/ui_port.h"

namespace zentrix::gui {

TFormFirstRun::TFormFirstRun(QWidget* parent, TUiPort& ui, std::function<void()> openHelp)
    : QDialog(parent) {
    setObjectName("FormFirstRun");
    setWindowTitle("Справочная информация");
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        "Если Вы запускаете программу в первый раз, рекомендуем Вам ознакомиться со справочной "
        "информацией:",
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* help = new QPushButton("Открыть файл встроенной справочной системы", this);
    help->setEnabled(static_cast<bool>(openHelp));
    if (openHelp) connect(help, &QPushButton::clicked, this, openHelp);
    layout->addWidget(help);
    layout->addWidget(
        new QLabel("Полезные ресурсы, включая видеоруководства и новости проекта:", this));
    for (const TPublisherLink& link : kLinkActions) {
        auto* b = new QPushButton(QString::fromUtf8(link.caption), this);
        std::string address = link.address;
        connect(b, &QPushButton::clicked, this, [&ui, address] { ui.OpenDocument(address); });
        layout->addWidget(b);
    }
    dontShow_ = new QCheckBox("Больше не показывать данный диалог", this);
    layout->addWidget(dontShow_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool TFormFirstRun::DontShowAgain() const {
    return dontShow_->isChecked();
}

}  // namespace zentrix::gui
