#include "gui/info_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/qt_ui_port.h"
#include "gui/virtual_model.h"

namespace zentrix::gui {

TFormInfo::TFormInfo(QWidget* parent, const std::vector<TInfoProperty>& properties,
                     const TComb& numbers, int matrixCols, int channelSize)
    : QDialog(parent), numbers_(numbers), channelSize_(channelSize) {
    setObjectName("FormInfo");
    setWindowTitle(kInfoDialogTitle);
    resize(720, 480);
    auto* layout = new QVBoxLayout(this);
    auto* split = new QSplitter(Qt::Horizontal, this);
    properties_ = new QTreeWidget(split);
    properties_->setObjectName("lvProperties");
    properties_->setColumnCount(2);
    properties_->setHeaderLabels({"Свойство", "Значение"});
    properties_->setRootIsDecorated(false);
    for (const TInfoProperty& p : properties)
        new QTreeWidgetItem(properties_, {Q(p.name), Q(p.value)});
    properties_->setColumnWidth(0, 300);
    properties_->header()->setStretchLastSection(true);

    auto* cardPanel = new QWidget(split);
    auto* cardLayout = new QVBoxLayout(cardPanel);
    auto* colsRow = new QHBoxLayout;
    colsRow->addWidget(new QLabel("Колонок:", cardPanel));
    cols_ = new QSpinBox(cardPanel);
    cols_->setObjectName("edCardCols");
    cols_->setRange(1, kMaxNumber);
    cols_->setValue(std::clamp(matrixCols, 1, kMaxNumber));
    colsRow->addWidget(cols_);
    colsRow->addStretch();
    cardLayout->addLayout(colsRow);
    card_ = new QTableWidget(cardPanel);
    card_->setObjectName("sgCard");
    card_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    card_->horizontalHeader()->hide();
    card_->verticalHeader()->hide();
    card_->horizontalHeader()->setDefaultSectionSize(32);
    cardLayout->addWidget(card_);
    split->addWidget(properties_);
    split->addWidget(cardPanel);
    layout->addWidget(split);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(cols_, &QSpinBox::valueChanged, this, &TFormInfo::BuildCard);
    BuildCard(cols_->value());
}

void TFormInfo::BuildCard(int cols) {
    TInfoCard card = MakeInfoCard(numbers_, cols, channelSize_);
    card_->clear();
    card_->setColumnCount(card.cols);
    card_->setRowCount(card.rows);
    for (int r = 0; r < card.rows; ++r)
        for (int c = 0; c < card.cols; ++c) {
            const TInfoCardCell& cell = card.At(r, c);
            auto* item = new QTableWidgetItem(Q(cell.text));
            item->setTextAlignment(Qt::AlignCenter);
            if (cell.color) item->setBackground(ToQColor(*cell.color));
            if (cell.number == 0) item->setFlags(Qt::NoItemFlags);
            card_->setItem(r, c, item);
        }
}

}  // namespace zentrix::gui
