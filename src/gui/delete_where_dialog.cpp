#include "gui/delete_where_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/game.h"

namespace zentrix::gui {

TFormDeleteWhere::TFormDeleteWhere(QWidget* parent) : QDialog(parent) {
    setObjectName("FormDeleteWhere");
    setWindowTitle("Удаление по условию");
    condition_ = new QComboBox(this);
    condition_->setObjectName("cbCondition");
    for (const char* caption : kStakeConditionCaptions) condition_->addItem(caption);
    value_ = new QSpinBox(this);
    value_->setObjectName("edValue");
    value_->setRange(0, kCombSize);
    auto* row = new QHBoxLayout;
    row->addWidget(condition_, 1);
    row->addWidget(value_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setToolTip("Удалить ставки");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Выберите условие:", this));
    layout->addLayout(row);
    layout->addWidget(buttons);
}

TStakeCondition TFormDeleteWhere::Condition() const {
    return static_cast<TStakeCondition>(condition_->currentIndex());
}

int TFormDeleteWhere::Value() const {
    return value_->value();
}

}  // namespace zentrix::gui
