#include "gui/regular_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/regulars_controller.h"
#include "app/session_core.h"
#include "gui/qt_ui_port.h"
#include "util/errors.h"

namespace zentrix::gui {

TFormRegular::TFormRegular(QWidget* parent, TSessionCore& core, const TRegularsController& regulars,
                           const TRegularAddDialog& dialog)
    : QDialog(parent), core_(core), regulars_(regulars), dialog_(dialog) {
    setObjectName("FormRegular");
    setWindowTitle("Добавление регулярной ставки");
    const TRegularDialogFields& initial = dialog.Initial();

    comment_ = new QLineEdit(Q(initial.comment), this);
    comment_->setObjectName("edComment");
    comment_->setMaxLength(static_cast<int>(kRegularCommentLimit));
    comment_->setMinimumWidth(320);
    constant_ = new QRadioButton("Использовать постоянную стартовую комбинацию:", this);
    constant_->setObjectName("rbConstant");
    lastDraw_ = new QRadioButton("Использовать данные предыдущего тиража", this);
    lastDraw_->setObjectName("rbLastDraw");
    (initial.useLastDraw ? lastDraw_ : constant_)->setChecked(true);
    start_ = new QLineEdit(Q(initial.start), this);
    start_->setObjectName("edStart");
    step_ = new QSpinBox(this);
    step_->setObjectName("edStep");
    step_->setRange(kRegularStepMin, kRegularStepMax);
    step_->setValue(initial.step);
    connect(constant_, &QRadioButton::toggled, this, &TFormRegular::EnableStart);
    EnableStart();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Комментарий к ставке:", this));
    layout->addWidget(comment_);
    layout->addWidget(constant_);
    auto* startRow = new QHBoxLayout;
    startRow->setContentsMargins(20, 0, 0, 0);
    startRow->addWidget(start_);
    layout->addLayout(startRow);
    layout->addWidget(lastDraw_);
    auto* form = new QFormLayout;
    form->addRow("Шаг:", step_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormRegular::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    comment_->setFocus();
}

void TFormRegular::EnableStart() {
    start_->setEnabled(dialog_.StartEnabled(lastDraw_->isChecked()));
}

TRegularDialogFields TFormRegular::Fields() const {
    TRegularDialogFields fields;
    fields.comment = S(comment_->text());
    fields.useLastDraw = lastDraw_->isChecked();
    fields.start = S(start_->text());
    fields.step = step_->value();
    return fields;
}

void TFormRegular::accept() {
    try {
        regulars_.CheckAdd(dialog_, Fields());
    } catch (const EZentrix& e) {
        core_.ErrorBox(e.what());
        return;
    }
    QDialog::accept();
}

}  // namespace zentrix::gui
