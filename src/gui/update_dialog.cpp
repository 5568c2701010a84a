#include "gui/update_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/update_controller.h"
#include "gui/qt_ui_port.h"
#include "util/strings.h"

namespace zentrix::gui {

TfrmUpdateInformer::TfrmUpdateInformer(QWidget* parent, const TUpdateOffer& offer)
    : QDialog(parent) {
    setObjectName("frmUpdateInformer");
    setWindowTitle("Найдена новая версия программы");
    resize(520, 380);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto field = [&](const char* name, const std::string& text) {
        auto* edit = new QLineEdit(Q(text), this);
        edit->setObjectName(name);
        edit->setReadOnly(true);
        return edit;
    };
    form->addRow("Текущая версия программы:", field("edCurrentVersion", offer.currentVersion));
    form->addRow("Новая версия программы:", field("edNewVersion", offer.data.Description));
    layout->addLayout(form);
    layout->addWidget(new QLabel("Описание версии:", this));
    auto* notes = new QPlainTextEdit(Q(Join(offer.notes, "\n")), this);
    notes->setObjectName("mmNotes");
    notes->setReadOnly(true);
    layout->addWidget(notes, 1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* install = buttons->addButton("Установить", QDialogButtonBox::AcceptRole);
    install->setObjectName("btInstall");
    install->setToolTip("Установить это обновление");
    install->setDefault(true);
    QPushButton* cancel = buttons->addButton("Отмена", QDialogButtonBox::RejectRole);
    cancel->setObjectName("btCancel");
    cancel->setToolTip("Отказаться от обновления");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

}  // namespace zentrix::gui
