#include "gui/params_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/session_core.h"
#include "core/config.h"
#include "gui/char_filter_delegate.h"
#include "gui/qt_ui_port.h"

namespace zentrix::gui {

namespace {

QDoubleSpinBox* CoefficientSpin(QWidget* parent, long double value) {
    auto* spin = new QDoubleSpinBox(parent);
    spin->setDecimals(kCoefficientDecimals);
    spin->setRange(-kCoefficientMax, kCoefficientMax);
    spin->setValue(static_cast<double>(value));
    return spin;
}

}  // namespace

TFormParams::TFormParams(QWidget* parent, TSessionCore& core, TParamsDialogModel model)
    : QDialog(parent), core_(core), model_(std::move(model)) {
    setObjectName("FormParams");
    setWindowTitle("Параметры системы");
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    auto* left = new QFormLayout;

    auto* matrixRow = new QHBoxLayout;
    cols_ = new QSpinBox(this);
    cols_->setObjectName("edMatrixCols");
    cols_->setRange(kMatrixColsMin, kMatrixColsMax);
    cols_->setValue(model_.matrixCols);
    rows_ = new QLabel(this);
    rows_->setObjectName("lbMatrixRows");
    matrixRow->addWidget(cols_);
    matrixRow->addWidget(new QLabel("x", this));
    matrixRow->addWidget(rows_);
    matrixRow->addStretch();
    left->addRow("Размер матрицы:", matrixRow);
    channel_ = new QSpinBox(this);
    channel_->setObjectName("edChannelSize");
    channel_->setRange(kChannelSizeMin, kChannelSizeMax);
    channel_->setValue(model_.channelSize);
    left->addRow("Размер канала:", channel_);
    cost_ = new QDoubleSpinBox(this);
    cost_->setObjectName("edCost");
    cost_->setDecimals(kMoneyDecimals);
    cost_->setRange(0, kMoneyMax);
    cost_->setValue(static_cast<double>(FromCurrency(model_.cost)));
    left->addRow("Стоимость ставки:", cost_);

    prizes_ = new QTableWidget(kPrizeRows, 2, this);
    prizes_->setObjectName("vlProfits");
    prizes_->setHorizontalHeaderLabels({"Совпадений", "Сумма выигрыша"});
    prizes_->verticalHeader()->hide();
    prizes_->horizontalHeader()->setStretchLastSection(true);
    for (int i = 0; i < kPrizeRows; ++i) {
        auto* key = new QTableWidgetItem(QString::number(i));
        key->setFlags(Qt::ItemIsEnabled);
        prizes_->setItem(i, 0, key);
        prizes_->setItem(i, 1, new QTableWidgetItem(Q(model_.prizeValues[i])));
    }
    prizes_->setItemDelegateForColumn(1, new TCharFilterDelegate(prizes_, PrizeValueCharAllowed));
    left->addRow("Размеры выигрышей:", prizes_);
    columns->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* weights = new QGroupBox(" Коэффициенты для поля \"Вес\" ", this);
    auto* wForm = new QFormLayout(weights);
    kCount_ = CoefficientSpin(weights, model_.cdl.Count);
    kDeviation_ = CoefficientSpin(weights, model_.cdl.Deviation);
    kLevel_ = CoefficientSpin(weights, model_.cdl.Level);
    wForm->addRow("Количество:", kCount_);
    wForm->addRow("Отклонение:", kDeviation_);
    wForm->addRow("Глубина:", kLevel_);
    percents_ = new QCheckBox("Использовать значения в %", weights);
    percents_->setToolTip("При расчетах использовать значения в процентах");
    percents_->setChecked(model_.cdl.UsePercents);
    absValues_ = new QCheckBox("Использовать абсолютные значения", weights);
    absValues_->setToolTip("Преобразовывать отрицательные значения в положительные");
    absValues_->setChecked(model_.cdl.UseAbsValues);
    wForm->addRow(percents_);
    wForm->addRow(absValues_);
    right->addWidget(weights);
    right->addWidget(new QLabel("Сегменты матрицы:", this));
    segments_ = new QTableWidget(this);
    segments_->setObjectName("sgSegments");
    segments_->horizontalHeader()->hide();
    segments_->verticalHeader()->hide();
    segments_->horizontalHeader()->setDefaultSectionSize(30);
    segments_->setItemDelegate(new TCharFilterDelegate(segments_, SegmentCharAllowed));
    right->addWidget(segments_);
    columns->addLayout(right);
    layout->addLayout(columns);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormParams::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(cols_, &QSpinBox::valueChanged, this, [this](int cols) {
        model_.SetMatrixCols(cols);
        FillSegments();
    });
    connect(segments_, &QTableWidget::cellChanged, this, &TFormParams::SegmentEdited);
    FillSegments();
}

void TFormParams::FillSegments() {
    filling_ = true;
    const TSegmentGrid& grid = model_.segments;
    segments_->clear();
    segments_->setColumnCount(grid.Cols());
    segments_->setRowCount(grid.Rows());
    for (int r = 0; r < grid.Rows(); ++r)
        for (int c = 0; c < grid.Cols(); ++c) {
            auto* item = new QTableWidgetItem(grid.Selectable(r, c) ? Q(grid.Cell(r, c)) : "");
            item->setTextAlignment(Qt::AlignCenter);
            item->setToolTip(grid.Selectable(r, c) ? QString::number(grid.NumberAt(r, c)) : "");
            if (!grid.Selectable(r, c)) item->setFlags(Qt::NoItemFlags);
            segments_->setItem(r, c, item);
        }
    rows_->setText(QString::number(model_.MatrixRows()));
    filling_ = false;
}

void TFormParams::SegmentEdited(int row, int col) {
    if (filling_ || !model_.segments.Selectable(row, col)) return;
    QTableWidgetItem* item = segments_->item(row, col);
    if (auto error = model_.segments.SetCell(row, col, S(item->text()))) {
        core_.ErrorBox(*error);
        filling_ = true;
        item->setText(Q(model_.segments.Cell(row, col)));
        filling_ = false;
    }
}

void TFormParams::accept() {
    model_.matrixCols = cols_->value();
    model_.channelSize = channel_->value();
    model_.cost = ToCurrency(cost_->value());
    for (int i = 0; i < kPrizeRows; ++i) model_.prizeValues[i] = S(prizes_->item(i, 1)->text());
    model_.cdl.Count = kCount_->value();
    model_.cdl.Deviation = kDeviation_->value();
    model_.cdl.Level = kLevel_->value();
    model_.cdl.UsePercents = percents_->isChecked();
    model_.cdl.UseAbsValues = absValues_->isChecked();
    QDialog::accept();
}

}  // namespace zentrix::gui
