#include <QAction>
#include <QChartView>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/card_tab.h"
#include "gui/grid_table.h"
#include "gui/gui_test_main.h"
#include "gui/gui_window.h"
#include "gui/layout_tab.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "gui/week_tab.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/program_folder.h"

namespace zentrix::gui {

namespace {

using test::OpenWindow;
using test::WriteArchive;

void Select(TGridTable* grid, int top, int left, int bottom, int right) {
    QAbstractItemModel* m = grid->model();
    grid->selectionModel()->select(QItemSelection(m->index(top, left), m->index(bottom, right)),
                                   QItemSelectionModel::ClearAndSelect);
}

}  // namespace

class TestViewsTabs : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
    }

    void tabsFollowTheViewMenu() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 300);
        auto w = OpenWindow(dir.Path());
        QTabWidget* tabs = w->MainPages();
        QCOMPARE(tabs->tabText(tabs->indexOf(w->CardTab())), QString("Карта"));
        QCOMPARE(tabs->tabText(tabs->indexOf(w->LayoutTab())), QString("Схема"));
        QCOMPARE(tabs->tabText(tabs->indexOf(w->WeekTab())), QString("Неделя"));
        QCOMPARE(w->ViewMenu()->title(), QString("Вид"));
        // The card, the scheme, the week, the regular stakes and the systems.
        QCOMPARE(w->TabEntries().size(), size_t(5));
        QAction* card = w->TabEntries()[0].action;
        QCOMPARE(card->text(), QString("Вкладка \"Карта\""));
        QVERIFY(card->isChecked());
        card->trigger();
        w->Actions().UpdateNow();
        QVERIFY(!tabs->isTabVisible(tabs->indexOf(w->CardTab())));
        QVERIFY(!card->isChecked());
        QVERIFY(ReadFileBytes(ProgramFile(dir.Path(), ".frm")).find("TabCard=0") !=
                std::string::npos);
        w.reset();
        // The next start keeps the tab hidden; showing it makes it the active page.
        w = OpenWindow(dir.Path());
        tabs = w->MainPages();
        QVERIFY(!tabs->isTabVisible(tabs->indexOf(w->CardTab())));
        w->TabEntries()[0].action->trigger();
        QVERIFY(tabs->isTabVisible(tabs->indexOf(w->CardTab())));
        QCOMPARE(tabs->currentWidget(), static_cast<QWidget*>(w->CardTab()));
        QCOMPARE(w->CardTab()->Grid()->model()->rowCount(), 300);
    }

    // The card and the scheme carry their own spreadsheet export on the tool bar.
    void tabsOfferTheirExport() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 30);
        auto w = OpenWindow(dir.Path());
        const std::pair<QWidget*, QString> cases[] = {
            {w->CardTab(), "Экспорт карты тиражей в Microsoft Excel"},
            {w->LayoutTab(), "Экспорт схемы в Microsoft Excel"}};
        for (const auto& [tab, caption] : cases) {
            QStringList texts;
            for (QAction* a : tab->findChild<QToolBar*>()->actions()) texts << a->text();
            QVERIFY2(texts.contains(caption), qPrintable(caption));
        }
    }

    void cardFiltersTheWorkingList() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 10000);
        auto w = OpenWindow(dir.Path());
        w->MainPages()->setCurrentWidget(w->CardTab());
        TGridTable* grid = w->CardTab()->Grid();
        QCOMPARE(grid->model()->rowCount(), 10000);
        QCOMPARE(grid->model()->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(),
                 QString("10000"));
        // The oldest row, far down the virtual grid.
        grid->scrollToBottom();
        QCOMPARE(grid->model()->headerData(9999, Qt::Vertical, Qt::DisplayRole).toString(),
                 QString("1"));
        // Column "E" alone: both filters off.
        Select(grid, 0, 20, 3, 20);
        w->Actions().UpdateNow();
        QVERIFY(!w->CardTab()->ExcludeAction()->isEnabled());
        // Every number of the newest draws: the exclusion leaves what holds none of them.
        Select(grid, 0, 0, 0, 19);
        w->Actions().UpdateNow();
        QVERIFY(w->CardTab()->ExcludeAction()->isEnabled());
        w->CardTab()->ExcludeAction()->trigger();
        QCOMPARE(w->Session().Combs().Count(), 495);  // C(12, 8)
        QCOMPARE(w->Session().Combs().FilterLog().back().applied, std::string("Карта"));
        QVERIFY(ModalHooks().shownMessages.empty());
    }

    void screenshots() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 10000);
        auto w = OpenWindow(dir.Path());
        w->resize(1280, 800);
        w->MainPages()->setCurrentWidget(w->CardTab());
        Select(w->CardTab()->Grid(), 2, 4, 5, 8);
        QTest::qWait(50);
        QVERIFY(w->grab().save(ZENTRIX_SCREENSHOT_DIR "/views_card.png"));
        w->MainPages()->setCurrentWidget(w->LayoutTab());
        QTest::qWait(50);
        QVERIFY(w->LayoutTab()->CompareList(0)->topLevelItemCount() > 0);
        QVERIFY(w->grab().save(ZENTRIX_SCREENSHOT_DIR "/views_layout.png"));
        w->MainPages()->setCurrentWidget(w->WeekTab());
        TGridTable* week = w->WeekTab()->Grid();
        week->setCurrentIndex(week->model()->index(2, 6));
        QTest::qWait(50);
        QVERIFY(w->grab().save(ZENTRIX_SCREENSHOT_DIR "/views_week.png"));
        // The chart of number 7 over the weekdays, as a line.
        w->Session().Views().ToggleWeekChartMode();
        w->Session().Views().ToggleWeekChartType();
        QTest::qWait(50);
        QVERIFY(w->WeekTab()->Chart()->grab().save(ZENTRIX_SCREENSHOT_DIR "/views_week_line.png"));
    }
};

ZENTRIX_GUI_TEST(TestViewsTabs);

}  // namespace zentrix::gui

#include "views_tabs_test.moc"
