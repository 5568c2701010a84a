#include "gui/shred_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/config_rules.h"
#include "gui/qt_ui_port.h"

namespace zentrix::gui {

TFormShredding::TFormShredding(QWidget* parent, const TShredDialogModel& model) : QDialog(parent) {
    setObjectName("FormShredding");
    setWindowTitle(kShredDialogTitle);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int i = 0; i < kShredFormulaCount; ++i) {
        auto* label = new QLabel(Q(ShredRowLabel(i)), this);
        auto* edit = new QLineEdit(Q(model.formulas[i]), this);
        edit->setObjectName(QString("edFormula%1").arg(i + 1));
        edit->setToolTip(kShredFormulaHint);
        edit->setMinimumWidth(360);
        label->setBuddy(edit);
        auto* spin = new QSpinBox(this);
        spin->setObjectName(QString("edDigits%1").arg(i + 1));
        spin->setRange(kFormulaDigitsMin, kFormulaDigitsMax);
        spin->setValue(model.digits[i]);
        spin->setToolTip(kShredDigitsHint);
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
        grid->addWidget(spin, i, 2);
        formulas_[i] = edit;
        digits_[i] = spin;
    }
    layout->addLayout(grid);
    auto* note = new QLabel(kShredDialogNote, this);
    note->setObjectName("lbVariables");
    layout->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

TShredDialogModel TFormShredding::Result() const {
    TShredDialogModel model;
    for (int i = 0; i < kShredFormulaCount; ++i) {
        model.formulas[i] = S(formulas_[i]->text());
        model.SetDigits(i, digits_[i]->value());
    }
    return model;
}

}  // namespace zentrix::gui
