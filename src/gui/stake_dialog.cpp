#include "gui/stake_dialog.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/session_core.h"
#include "gui/qt_ui_port.h"
#include "util/errors.h"

namespace zentrix::gui {

TFormStake::TFormStake(QWidget* parent, TSessionCore& core, const TStakeDialogFields& fields,
                       bool multi, TCheck check)
    : QDialog(parent), core_(core), check_(std::move(check)) {
    setObjectName(multi ? "FormMultiStake" : "FormStake");
    setWindowTitle(multi ? "Добавление мультиставки" : "Добавление ставки");
    auto* form = new QFormLayout;
    draw_ = new QSpinBox(this);
    draw_->setObjectName("edDraw");
    draw_->setRange(1, static_cast<int>(kStakeDrawMax));
    draw_->setValue(static_cast<int>(std::clamp<int64_t>(fields.draw, 1, kStakeDrawMax)));
    draw_->setToolTip("Номер первого тиража");
    draws_ = new QSpinBox(this);
    draws_->setObjectName("edDraws");
    draws_->setRange(1, static_cast<int>(kStakeDrawsMax));
    draws_->setValue(static_cast<int>(std::clamp<int64_t>(fields.draws, 1, kStakeDrawsMax)));
    draws_->setToolTip(
        "Количество тиражей, на которые нужно сделать ставку (начиная с указанного)");
    form->addRow("Номер тиража:", draw_);
    form->addRow("Кол-во тиражей:", draws_);
    if (!multi) {
        numbers_ = new QLineEdit(Q(fields.numbers), this);
        numbers_->setObjectName("edNumbers");
        sum_ = new QLabel(this);
        sum_->setObjectName("lbSum");
        auto showSum = [this] {
            sum_->setText(QString::number(StakeNumbersSum(S(numbers_->text()))));
        };
        connect(numbers_, &QLineEdit::textChanged, this, showSum);
        showSum();
        form->addRow("Ставка:", numbers_);
        form->addRow("Сумма:", sum_);
    }
    comment_ = new QLineEdit(Q(fields.comment), this);
    comment_->setObjectName("edComment");
    comment_->setMaxLength(static_cast<int>(kStakeCommentLimit));
    comment_->setMinimumWidth(320);
    form->addRow("Комментарий к ставке:", comment_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormStake::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    (numbers_ ? numbers_ : comment_)->setFocus();
}

TStakeDialogFields TFormStake::Fields() const {
    TStakeDialogFields fields;
    fields.draw = draw_->value();
    fields.draws = draws_->value();
    if (numbers_) fields.numbers = S(numbers_->text());
    fields.comment = S(comment_->text());
    return fields;
}

void TFormStake::accept() {
    try {
        if (check_) check_(Fields());
    } catch (const EZentrix& e) {
        core_.ErrorBox(e.what());
        return;
    }
    QDialog::accept();
}

}  // namespace zentrix::gui
