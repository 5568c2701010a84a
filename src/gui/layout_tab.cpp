#include "gui/layout_tab.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/grid_table.h"
#include "gui/kept_splitter.h"
#include "gui/qt_ui_port.h"

namespace zentrix::gui {

namespace {

QSpinBox* NewLengthSpin(QWidget* parent, const QString& name, const QString& hint, int value) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(1, kViewLengthMax);
    spin->setValue(value);
    spin->setToolTip(hint);
    spin->setStatusTip(hint);
    return spin;
}

bool IsEnter(QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

TLayoutTab::TLayoutTab(QWidget* parent, TMainSession& session, TActionList& actions)
    : QWidget(parent), session_(session), actions_(actions) {
    setObjectName("tsLayout");
    TViewsController& views = session_.Views();

    length_ = NewLengthSpin(this, "edLayoutLen",
                            "Количество тиражей, использующихся для расчета статистики",
                            views.LayoutLen());
    length_->installEventFilter(this);
    connect(length_, &QSpinBox::valueChanged, this,
            [this](int value) { session_.Views().SetLayoutLen(value); });

    TGridModel::TSource source;
    source.rows = [&views] { return views.Layout().Rows(); };
    source.columns = [&views] { return views.Layout().Columns(); };
    source.text = [&views](int row, int column) { return views.Layout().Text(row, column); };
    source.color = [&views](int row, int column) {
        return views.Layout().Color(row, column, views.LayoutGradient());
    };
    model_ = new TGridModel(this, std::move(source));
    grid_ = new TGridTable(this, "sgLayout", kLayoutColumnWidth, 20);
    grid_->setModel(model_);
    grid_->verticalHeader()->setFixedWidth(kLayoutFirstColumnWidth);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

    auto range = [this] { return grid_->Range(); };
    QAction* calc = actions_.Add(
        "Обновить", "Пересчитать схему выпадения номеров", {},
        [&views] { return views.CanLayoutCalc(); }, [&views] { views.LayoutCalc(); });
    include_ = actions_.Add(
        "Оставить выделенные", "В списке комбинаций оставить комбинации с выделенными значениями",
        {}, [&views, range] { return views.CanFilter(TGridView::Layout, range()); },
        [&views, range] { views.Filter(TGridView::Layout, false, range()); });
    exclude_ = actions_.Add(
        "Удалить выделенные", "Из списка комбинаций удалить комбинации с выделенными значениями",
        {}, [&views, range] { return views.CanFilter(TGridView::Layout, range()); },
        [&views, range] { views.Filter(TGridView::Layout, true, range()); });
    QAction* gradient = actions_.AddCheck(
        "Градиентная раскраска схемы", "Градиентная раскраска схемы выпадения номеров",
        [&views] { return views.CanToggleLayoutGradient(); },
        [&views] { return views.LayoutGradient(); }, [&views] { views.ToggleLayoutGradient(); });
    menuActions_ = {calc, include_, exclude_, nullptr, gradient};

    toolbar_ = new QToolBar(this);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolbar_->addWidget(new QLabel(" Тиражей: ", this));
    toolbar_->addWidget(length_);
    toolbar_->addActions({calc, include_, exclude_});
    actions_.AttachContextMenu(grid_, [this, gradient] {
        QList<QAction*> menu{include_, exclude_, nullptr, gradient};
        if (export_) menu << nullptr << export_;
        return menu;
    });
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, &actions_,
            &TActionList::RequestUpdate);

    // The comparison panel: five lengths and five lists sharing its width.
    auto* panel = new QWidget(this);
    auto* lengths = new QToolBar(panel);
    lengths->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* lists = new QHBoxLayout;
    lists->setSpacing(2);
    for (int k = 0; k < kLayoutLists; ++k) {
        compareLengths_[k] = NewLengthSpin(
            panel, QString("edLayoutCmp%1").arg(k + 1),
            QString("Количество тиражей, использующихся для расчета статистики в списке %1")
                .arg(k + 1),
            views.LayoutCompareLen(k));
        compareLengths_[k]->installEventFilter(this);
        connect(compareLengths_[k], &QSpinBox::valueChanged, this,
                [this, k](int value) { session_.Views().SetLayoutCompareLen(k, value); });
        lengths->addWidget(new QLabel(QString(" %1: ").arg(k + 1), panel));
        lengths->addWidget(compareLengths_[k]);

        auto* list = new QTreeWidget(panel);
        list->setObjectName(QString("lvLayoutCmp%1").arg(k + 1));
        list->setRootIsDecorated(false);
        list->setColumnCount(2);
        list->setHeaderLabels({kLayoutCountHeader, ""});
        list->header()->setSectionsClickable(true);
        list->header()->setSortIndicatorShown(false);
        list->setColumnWidth(0, 50);
        connect(list->header(), &QHeaderView::sectionClicked, this, [this, k](int column) {
            sorts_[k] = SortAfterClick(sorts_[k], column);
            sorted_[k] = true;
            FillList(k);
        });
        lists_[k] = list;
        lists->addWidget(list, 1);
    }
    QAction* cmpCalc = actions_.Add(
        "Обновить", "Пересчитать списки сравнения", {}, [&views] { return views.CanLayoutCalc(); },
        [&views] { views.LayoutCmpCalc(); });
    lengths->addAction(cmpCalc);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(lengths);
    panelLayout->addLayout(lists);

    split_ = new TKeptSplitter(Qt::Vertical, 1, this);
    split_->setObjectName("splLayout");
    split_->addWidget(grid_);
    split_->addWidget(panel);
    split_->setStretchFactor(0, 1);
    split_->setStretchFactor(1, 0);
    split_->setSizes({420, 260});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(toolbar_);
    layout->addWidget(split_);
    ShowScheme();
    for (int k = 0; k < kLayoutLists; ++k) FillList(k);
}

bool TLayoutTab::eventFilter(QObject* watched, QEvent* event) {
    if (!IsEnter(event)) return QWidget::eventFilter(watched, event);
    auto* spin = qobject_cast<QSpinBox*>(watched);
    if (!spin) return QWidget::eventFilter(watched, event);
    spin->interpretText();
    const int value = spin->value();
    if (spin == length_) {
        actions_.Run([this, value] { session_.Views().LayoutLenEntered(value); });
        return true;
    }
    for (int k = 0; k < kLayoutLists; ++k)
        if (spin == compareLengths_[k]) {
            actions_.Run([this, k, value] { session_.Views().LayoutCompareLenEntered(k, value); });
            return true;
        }
    return QWidget::eventFilter(watched, event);
}

void TLayoutTab::AddExport(QAction* exportAction) {
    export_ = exportAction;
    toolbar_->addSeparator();
    toolbar_->addAction(exportAction);
}

void TLayoutTab::RestoreSettings(TWindowSettings& settings) {
    const TViewsController& views = session_.Views();
    split_->SetKeptSize(settings.Options().LayoutCompareHeight);
    QSignalBlocker block(length_);
    length_->setValue(views.LayoutLen());
    for (int k = 0; k < kLayoutLists; ++k) {
        QSignalBlocker blockList(compareLengths_[k]);
        compareLengths_[k]->setValue(views.LayoutCompareLen(k));
    }
}

void TLayoutTab::StoreSettings(TWindowSettings& settings) {
    TMainOptions& o = settings.Options();
    o.LayoutLen = length_->value();
    for (int k = 0; k < kLayoutLists; ++k) o.LayoutCompareLen[k] = compareLengths_[k]->value();
    o.LayoutCompareHeight = split_->KeptSize(o.LayoutCompareHeight);
}

void TLayoutTab::OnInvalidated(TUiPart part) {
    if (part == TUiPart::LayoutScheme) ShowScheme();
    if (part == TUiPart::LayoutComparisons)
        for (int k = 0; k < kLayoutLists; ++k) FillList(k);
}

void TLayoutTab::ShowScheme() {
    model_->Reload();
    // 40 pixels, or the text's width and 10 more.
    const QFontMetrics metrics = grid_->fontMetrics();
    const TLayoutScheme& scheme = session_.Views().Layout();
    for (int c = 1; c < scheme.Columns(); ++c) {
        int width = kLayoutColumnWidth;
        for (int r = 0; r < scheme.Rows(); ++r)
            width = std::max(width, metrics.horizontalAdvance(Q(scheme.Text(r, c))) + 10);
        grid_->setColumnWidth(c - 1, width);
    }
}

void TLayoutTab::FillList(int list) {
    const TLayoutComparison& data = session_.Views().Comparisons()[list];
    QTreeWidget* view = lists_[list];
    view->setUpdatesEnabled(false);
    view->clear();
    view->headerItem()->setText(1, Q(data.rangeHeader));
    std::vector<std::array<std::string, 2>> rows = data.rows;
    if (sorted_[list]) SortListRows(rows, sorts_[list]);
    for (const auto& row : rows) {
        auto* item = new QTreeWidgetItem(view, {Q(row[0]), Q(row[1])});
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    }
    view->header()->setSortIndicatorShown(sorted_[list]);
    if (sorted_[list])
        view->header()->setSortIndicator(sorts_[list].column, sorts_[list].descending
                                                                  ? Qt::DescendingOrder
                                                                  : Qt::AscendingOrder);
    view->setUpdatesEnabled(true);
}

}  // namespace zentrix::gui
