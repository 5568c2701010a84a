#include "gui/filter_item_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/session_core.h"
#include "gui/char_filter_delegate.h"
#include "gui/field_hints.h"
#include "gui/qt_ui_port.h"
#include "scenario/filter_modes.h"

namespace zentrix::gui {

namespace {

QComboBox* Combo(QWidget* parent, const char* name, const std::vector<std::string>& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const std::string& item : items) combo->addItem(Q(item));
    return combo;
}

QLineEdit* ValueListEdit(QWidget* parent, const char* name, const std::string& text) {
    auto* edit = new QLineEdit(Q(text), parent);
    edit->setObjectName(name);
    RestrictChars(edit, ValueListCharAllowed);
    return edit;
}

}  // namespace

TFormFilterItem::TFormFilterItem(QWidget* parent, TSessionCore& core, TFilterDialogContext context,
                                 const TFilterItem& item)
    : QDialog(parent), core_(core), context_(std::move(context)), result_(item) {
    setObjectName("FormFilterItem");
    setWindowTitle(kFilterDialogTitle);
    const TFilterDialogModel m = OpenFilterDialog(item, context_);
    statText_ = m.statText;

    std::vector<std::string> methods;
    for (const TMethodListItem& entry : context_.stats) methods.push_back(entry.Caption);
    method_ = Combo(this, "cbMethod", methods);
    method_->setCurrentIndex(m.statPosition);
    drawsLen_ = ValueListEdit(this, "edDrawsLen", m.drawsLen);
    sortColumn_ = Combo(this, "cbSortColumn", SortColumnItems());
    sortColumn_->setCurrentIndex(m.sortColumn);
    direction_ = Combo(this, "cbDirection", {"Сверху-вниз", "Снизу-вверх"});
    direction_->setCurrentIndex(m.bottomUp ? 1 : 0);
    filterMode_ = Combo(this, "cbFilterMode", {"Удалить выделенные", "Оставить выделенные"});
    filterMode_->setCurrentIndex(m.keepSelected ? 1 : 0);
    multiSelect_ = new QCheckBox(
        "Использовать режим одновременного выделения нескольких значений в списке", this);
    multiSelect_->setObjectName("chMultiSelect");
    multiSelect_->setChecked(m.multiSelect);
    std::vector<std::string> levels;
    for (int i = 0; i < kLevelModeCount; ++i) levels.push_back(LevelModeItem(i));
    levelMode_ = Combo(this, "cbLevelMode", levels);
    levelMode_->setCurrentIndex(m.levelMode);
    levelValue_ = ValueListEdit(this, "edLevelValue", m.levelValue);

    override_ = new QCheckBox("Использовать собственные коэффициенты расчета веса", this);
    override_->setObjectName("chCDLOverride");
    override_->setChecked(m.cdlOverride);
    const char* coefNames[] = {"edCoefCount", "edCoefDeviation", "edCoefLevel"};
    for (int i = 0; i < 3; ++i) {
        coefs_[i] = new QLineEdit(Q(m.coefs[i]), this);
        coefs_[i]->setObjectName(coefNames[i]);
    }
    percents_ = new QCheckBox("Использовать значения в %", this);
    percents_->setObjectName("chCoefPercents");
    percents_->setChecked(m.coefPercents);
    abs_ = new QCheckBox("Использовать абсолютные значения", this);
    abs_->setObjectName("chCoefAbs");
    abs_->setChecked(m.coefAbs);

    std::vector<std::string> stops;
    for (int i = 0; i < kStopModeCount; ++i) stops.push_back(StopModeItem(i));
    stopMode_ = Combo(this, "cbStopMode", stops);
    stopMode_->setCurrentIndex(m.stopMode);
    stopValue_ = new QSpinBox(this);
    stopValue_->setObjectName("edStopValue");
    stopValue_->setRange(1, kMaxStopValue);
    stopValue_->setValue(m.stopValue);

    auto* form = new QFormLayout;
    form->addRow("Тип фильтра:", method_);
    form->addRow("Количество тиражей:", drawsLen_);
    form->addRow("Сортировать по столбцу:", sortColumn_);
    form->addRow("Направление:", direction_);
    form->addRow("Режим фильтра:", filterMode_);
    form->addRow(multiSelect_);
    form->addRow("Выделение строк:", levelMode_);
    form->addRow("Значения:", levelValue_);

    auto* weights = new QGroupBox("Вес", this);
    auto* weightForm = new QFormLayout(weights);
    weightForm->addRow(override_);
    weightForm->addRow("Количество:", coefs_[0]);
    weightForm->addRow("Отклонение:", coefs_[1]);
    weightForm->addRow("Глубина:", coefs_[2]);
    weightForm->addRow(percents_);
    weightForm->addRow(abs_);

    auto* stopForm = new QFormLayout;
    stopForm->addRow("Остановка по:", stopMode_);
    stopForm->addRow("Значение:", stopValue_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormFilterItem::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(weights);
    layout->addLayout(stopForm);
    layout->addWidget(buttons);
    ApplyScenarioFieldHints(this);

    connect(levelMode_, &QComboBox::currentIndexChanged, this, [this] { UpdateWeights(); });
    connect(override_, &QCheckBox::clicked, this, [this] { UpdateWeights(); });
    UpdateWeights();
}

void TFormFilterItem::showEvent(QShowEvent* event) {
    UpdateWeights();
    QDialog::showEvent(event);
}

void TFormFilterItem::UpdateWeights() {
    const TFilterDialogModel m = Model();
    override_->setEnabled(m.OverrideEnabled());
    for (QLineEdit* coef : coefs_) coef->setEnabled(m.WeightsEnabled());
    percents_->setEnabled(m.WeightsEnabled());
    abs_->setEnabled(m.WeightsEnabled());
}

TFilterDialogModel TFormFilterItem::Model() const {
    TFilterDialogModel m;
    m.statPosition = method_->currentIndex();
    m.drawsLen = S(drawsLen_->text());
    m.sortColumn = sortColumn_->currentIndex();
    m.bottomUp = direction_->currentIndex() == 1;
    m.keepSelected = filterMode_->currentIndex() == 1;
    m.multiSelect = multiSelect_->isChecked();
    m.levelMode = levelMode_->currentIndex();
    m.levelValue = S(levelValue_->text());
    m.cdlOverride = override_->isChecked();
    for (int i = 0; i < 3; ++i) m.coefs[i] = S(coefs_[i]->text());
    m.coefPercents = percents_->isChecked();
    m.coefAbs = abs_->isChecked();
    m.stopMode = stopMode_->currentIndex();
    m.stopValue = stopValue_->value();
    m.statText = statText_;
    return m;
}

void TFormFilterItem::accept() {
    const TFilterDialogModel m = Model();
    if (auto error = CheckFilterDialog(m, context_)) {
        core_.ErrorBox(error->message);
        switch (error->focus) {
            case TFilterControl::WindowLengths:
                drawsLen_->setFocus();
                break;
            case TFilterControl::LevelMode:
                levelMode_->setFocus();
                break;
            case TFilterControl::LevelValues:
                levelValue_->setFocus();
                break;
            case TFilterControl::StopMode:
                stopMode_->setFocus();
                break;
        }
        return;
    }
    result_ = FilterDialogResult(m, context_);
    QDialog::accept();
}

}  // namespace zentrix::gui
