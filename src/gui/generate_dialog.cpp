#include "gui/generate_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui_port.h"
#include "core/comb_file.h"
#include "core/comb_list.h"
#include "gui/qt_ui_port.h"

namespace zentrix::gui {

TFormGenerate::TFormGenerate(QWidget* parent, TUiPort& ui, int mode, const QString& parameter)
    : QDialog(parent), ui_(ui) {
    setObjectName("FormGenerate");
    setWindowTitle(kGenerateDialogTitle);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Режим генерации списка комбинаций:", this));
    mode_ = new QComboBox(this);
    mode_->setObjectName("cbMode");
    for (const char* name : kGenerateModeNames) mode_->addItem(Q(name));
    mode_->setCurrentIndex(mode >= 0 && mode < kGenerateModes ? mode : 0);
    layout->addWidget(mode_);
    layout->addWidget(new QLabel("Мои числа или имя файла для загрузки:", this));
    auto* row = new QHBoxLayout;
    parameter_ = new QLineEdit(parameter, this);
    parameter_->setObjectName("edParameter");
    parameter_->setMaxLength(255);
    browse_ = new QPushButton("...", this);
    browse_->setFixedWidth(32);
    row->addWidget(parameter_);
    row->addWidget(browse_);
    layout->addLayout(row);
    defaults_ =
        new QCheckBox("Сохранить эти параметры для генерации комбинаций \"по умолчанию\"", this);
    defaults_->setObjectName("cbDefaults");
    layout->addWidget(defaults_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, sizeHint().height());

    connect(mode_, &QComboBox::currentIndexChanged, this, &TFormGenerate::UpdateControls);
    connect(browse_, &QPushButton::clicked, this, [this] {
        TFileChoice choice;
        choice.title = "Открыть";
        choice.filter = kCombFileFilter;
        choice.defaultExtension = kCombFileExtension;
        if (auto name = ui_.ChooseFile(choice)) parameter_->setText(Q(*name));
    });
    UpdateControls();
}

void TFormGenerate::UpdateControls() {
    parameter_->setEnabled(GenerateParameterEnabled(Mode()));
    browse_->setEnabled(GenerateFileButtonEnabled(Mode()));
}

int TFormGenerate::Mode() const {
    return mode_->currentIndex();
}
QString TFormGenerate::Parameter() const {
    return parameter_->text();
}
bool TFormGenerate::SaveAsDefaults() const {
    return defaults_->isChecked();
}

}  // namespace zentrix::gui
