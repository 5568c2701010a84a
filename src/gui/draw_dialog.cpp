#include "gui/draw_dialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "app/session_core.h"
#include "core/draw_dialog.h"
#include "gui/qt_ui_port.h"
#include "util/errors.h"

namespace zentrix::gui {

namespace {

QDateTime ToQDateTime(TDateTime t) {
    TDateParts p = DecodeDateTime(t);
    return QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second));
}

TDateTime FromQDate(const QDate& d) {
    return EncodeDate(d.year(), d.month(), d.day());
}
TDateTime FromQTime(const QTime& t) {
    return EncodeTime(t.hour(), t.minute(), t.second());
}

}  // namespace

TFormDraw::TFormDraw(QWidget* parent, TSessionCore& core, const TDraw& draw, bool editing)
    : QDialog(parent), core_(core), result_(draw) {
    setObjectName("FormDraw");
    setWindowTitle(editing ? kDrawEditDialogTitle : kDrawDialogTitle);
    TDrawDialogFields fields = DrawDialogFields(draw);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    number_ = new QSpinBox(this);
    number_->setObjectName("edNumber");
    number_->setRange(1, kMaxDrawNumber);
    number_->setValue(fields.number);
    numbers_ = new QLineEdit(Q(fields.numbersLine), this);
    numbers_->setObjectName("edNumbers");
    date_ = new QDateEdit(ToQDateTime(fields.date).date(), this);
    date_->setDisplayFormat("dd.MM.yyyy");
    date_->setCalendarPopup(true);
    time_ = new QTimeEdit(ToQDateTime(fields.time).time(), this);
    time_->setDisplayFormat("HH:mm");
    auto* when = new QHBoxLayout;
    when->addWidget(date_);
    when->addWidget(time_);
    form->addRow("Номер тиража:", number_);
    layout->addLayout(form);
    layout->addWidget(
        new QLabel("Выпавшие числа, разделенные точкой с запятой или запятой:", this));
    layout->addWidget(numbers_);
    layout->addWidget(new QLabel("Дата и время тиража:", this));
    layout->addLayout(when);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormDraw::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    numbers_->setFocus();
}

void TFormDraw::accept() {
    TDrawDialogFields fields;
    fields.number = number_->value();
    fields.numbersLine = S(numbers_->text());
    fields.date = FromQDate(date_->date());
    fields.time = FromQTime(time_->time());
    try {
        result_ = DrawDialogResult(fields);
    } catch (const EZentrix& e) {
        core_.ErrorBox(e.what());
        numbers_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace zentrix::gui
