#include "gui/script_rates_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/session_core.h"
#include "app/window_placement.h"
#include "gui/list_view.h"
#include "gui/virtual_model.h"
#include "gui/window_geometry.h"
#include "util/errors.h"

namespace zentrix::gui {

namespace {

constexpr const char* kSection = "TFormScriptRates";
constexpr const char* kListName = "lvRates";

}  // namespace

TFormScriptRates::TFormScriptRates(QWidget* parent, TSessionCore& core, TScriptRatesList rates)
    : QDialog(parent), core_(core), rates_(std::move(rates)) {
    setObjectName("FormScriptRates");
    setWindowTitle("Оценки пользователей");
    resize(760, 380);

    TVirtualModel::TSource source;
    source.header = ScriptRateColumns();
    source.rowCount = [this] { return rates_.Count(); };
    source.rowTexts = [this](int row) { return rates_.RowTexts(row); };
    source.alignment = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignHCenter,
                        Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignLeft};
    model_ = new TVirtualModel(this, std::move(source));
    list_ = new TListView(this, kListName);
    list_->setModel(model_);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    const int widths[] = {140, 60, 150, 110, 70};
    for (int c = 0; c < 5; ++c) list_->setColumnWidth(c, widths[c]);
    connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        rates_.SortByClick(column);
        ShowRows();
    });

    auto* buttons = new QDialogButtonBox(this);
    close_ = buttons->addButton("Закрыть", QDialogButtonBox::RejectRole);
    close_->setToolTip("Закрыть окно");
    close_->setStatusTip("Закрыть окно");
    close_->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    try {
        const TIniFile& ini = core_.Settings().Ini();
        list_->RestoreColumns(ini, kSection);
        if (const auto sort = ReadSortType(ini, kSection, kListName))
            rates_.Sort(sort->first, sort->second != 0);
        RestorePlacement(this, ini, kSection);
    } catch (const std::exception&) {
        // Unreadable settings leave the designed layout.
    }
    ShowRows();
}

void TFormScriptRates::ShowRows() {
    model_->Reload();
    QHeaderView* header = list_->horizontalHeader();
    header->setSortIndicatorShown(rates_.SortColumn() >= 0);
    if (rates_.SortColumn() >= 0)
        header->setSortIndicator(rates_.SortColumn(), rates_.SortDescending() ? Qt::DescendingOrder
                                                                              : Qt::AscendingOrder);
}

void TFormScriptRates::done(int result) {
    try {
        TIniFile& ini = core_.Settings().Ini();
        list_->StoreColumns(ini, kSection);
        if (rates_.SortColumn() >= 0)
            WriteSortType(ini, kSection, kListName, rates_.SortColumn(),
                          rates_.SortDescending() ? 1 : 0);
        StorePlacement(this, ini, kSection);
        core_.Settings().Save();
    } catch (const std::exception& e) {
        core_.ErrorBox(ErrorText(e));
    }
    QDialog::done(result);
}

}  // namespace zentrix::gui
