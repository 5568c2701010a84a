#include "gui/script_command_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/field_hints.h"
#include "gui/filter_item_dialog.h"
#include "gui/modal_hooks.h"
#include "gui/qt_ui_port.h"

namespace zentrix::gui {

TFormScriptLine::TFormScriptLine(QWidget* parent, TSessionCore& core, TFilterDialogContext context,
                                 const QString& caption, const TScriptLineFields& fields)
    : QDialog(parent), core_(core), context_(std::move(context)) {
    setObjectName("FormScriptLine");
    setWindowTitle(caption);
    resize(720, 0);

    comment_ = new QLineEdit(Q(fields.comment), this);
    comment_->setObjectName("edComment");
    start_ = new QComboBox(this);
    start_->setObjectName("cbStartCombs");
    for (int i = 0; i < kStartCombsCount; ++i) start_->addItem(Q(StartCombsItem(i)));
    start_->setCurrentIndex(fields.command.StartCombsType);
    exclude_ = new QSpinBox(this);
    exclude_->setObjectName("edExcludeDraws");
    exclude_->setRange(0, kMaxExcludeDraws);
    exclude_->setValue(fields.command.ExcludeDraws);
    action_ = new QComboBox(this);
    action_->setObjectName("cbResultCombs");
    for (int i = 0; i < kResultCombsCount; ++i) action_->addItem(Q(ResultCombsItem(i)));
    action_->setCurrentIndex(fields.command.ResultCombsMode);
    clear_ = new QCheckBox(kClearStakesItem, this);
    clear_->setObjectName("chClearStakes");
    clear_->setChecked(fields.command.ClearStakes);
    newOnly_ = new QCheckBox(kNewOnlyItem, this);
    newOnly_->setObjectName("chNewOnly");
    newOnly_->setChecked(fields.command.NewOnly);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Комментарии (можно оставить пустым)", this));
    layout->addWidget(comment_);
    auto* base = new QHBoxLayout;
    base->addWidget(new QLabel("Начальный список комбинаций:", this));
    base->addWidget(start_, 1);
    base->addWidget(new QLabel("Кол-во тиражей:", this));
    base->addWidget(exclude_);
    layout->addLayout(base);
    layout->addWidget(
        new QLabel("В случае неоднозначного результата после применения фильтров:", this));
    layout->addWidget(action_);
    layout->addWidget(clear_);
    layout->addWidget(newOnly_);

    auto* slotBox = new QGroupBox("Фильтры", this);
    auto* grid = new QGridLayout(slotBox);
    for (int k = 0; k < kFilterSlotCount; ++k) {
        filters_[k] = new QLineEdit(Q(fields.filters[k]), slotBox);
        filters_[k]->setObjectName(QStringLiteral("edFilter%1").arg(k + 1));
        filters_[k]->installEventFilter(this);
        buttons_[k] = new QToolButton(slotBox);
        buttons_[k]->setText("...");
        buttons_[k]->setToolTip("Редактировать фильтр");
        grid->addWidget(new QLabel(QStringLiteral("Фильтр %1").arg(k + 1), slotBox), k, 0);
        grid->addWidget(filters_[k], k, 1);
        grid->addWidget(buttons_[k], k, 2);
        connect(buttons_[k], &QToolButton::clicked, this, [this, k] { EditFilter(k); });
    }
    layout->addWidget(slotBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormScriptLine::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    ApplyScenarioFieldHints(this);
    comment_->setFocus();
}

bool TFormScriptLine::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int k = 0; k < kFilterSlotCount; ++k) {
            if (watched == filters_[k]) {
                EditFilter(k);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormScriptLine::EditFilter(int slot) {
    const TFilterItem item = DecodeFilterItem(S(filters_[slot]->text()), *context_.registry);
    TFormFilterItem dialog(this, core_, context_, item);
    if (ExecDialog(dialog) == QDialog::Accepted)
        filters_[slot]->setText(Q(EncodeFilterItem(dialog.Result())));
}

void TFormScriptLine::accept() {
    TScriptLineFields fields;
    fields.comment = S(comment_->text());
    fields.command.StartCombsType = static_cast<uint8_t>(start_->currentIndex());
    fields.command.ExcludeDraws = exclude_->value();
    fields.command.ResultCombsMode = static_cast<uint8_t>(action_->currentIndex());
    fields.command.ClearStakes = clear_->isChecked();
    fields.command.NewOnly = newOnly_->isChecked();
    for (int k = 0; k < kFilterSlotCount; ++k) fields.filters[k] = S(filters_[k]->text());
    result_ = ScriptLineResult(fields);
    QDialog::accept();
}

}  // namespace zentrix::gui
