#include "gui/frozen_column.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

namespace zentrix::gui {

TFrozenColumn::TFrozenColumn(QTableView* table) : QTableView(table), table_(table) {
    setObjectName(table->objectName() + "Frozen");
    setModel(table->model());
    setSelectionModel(table->selectionModel());
    setSelectionBehavior(table->selectionBehavior());
    setSelectionMode(table->selectionMode());
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setShowGrid(table->showGrid());
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(table->verticalHeader()->defaultSectionSize());
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSortIndicatorShown(table->horizontalHeader()->isSortIndicatorShown());
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(table->verticalScrollMode());
    setStyleSheet("QTableView { border: none; }");
    table->viewport()->stackUnder(this);
    HideOtherColumns();

    QHeaderView* header = table->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (section == 0) {
            setColumnWidth(0, size);
            UpdateGeometry();
        }
    });
    connect(header, &QHeaderView::sortIndicatorChanged, horizontalHeader(),
            &QHeaderView::setSortIndicator);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, header, &QHeaderView::sectionClicked);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, table->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(table->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);
    connect(this, &QAbstractItemView::doubleClicked, table, &QAbstractItemView::doubleClicked);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, table, [this](QPoint pos) {
        emit table_->customContextMenuRequested(
            table_->viewport()->mapFromGlobal(viewport()->mapToGlobal(pos)));
    });
    // A reset model forgets the hidden sections.
    connect(model(), &QAbstractItemModel::modelReset, this, &TFrozenColumn::HideOtherColumns);
    connect(model(), &QAbstractItemModel::layoutChanged, this, &TFrozenColumn::HideOtherColumns);
    table->installEventFilter(this);
    UpdateGeometry();
    show();
}

void TFrozenColumn::HideOtherColumns() {
    for (int c = 1; c < model()->columnCount(); ++c) setColumnHidden(c, true);
    setColumnWidth(0, table_->columnWidth(0));
    horizontalHeader()->setSortIndicator(table_->horizontalHeader()->sortIndicatorSection(),
                                         table_->horizontalHeader()->sortIndicatorOrder());
}

void TFrozenColumn::UpdateGeometry() {
    const int frame = table_->frameWidth();
    const int left = table_->verticalHeader()->isVisible() ? table_->verticalHeader()->width() : 0;
    setGeometry(frame + left, frame, table_->columnWidth(0),
                table_->viewport()->height() + table_->horizontalHeader()->height());
    horizontalHeader()->setFixedHeight(table_->horizontalHeader()->height());
}

bool TFrozenColumn::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
                              event->type() == QEvent::LayoutRequest))
        UpdateGeometry();
    return QTableView::eventFilter(watched, event);
}

}  // namespace zentrix::gui
