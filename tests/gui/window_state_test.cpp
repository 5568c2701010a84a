#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusTipEvent>
#include <QTest>
#include <QXYSeries>

#include "app/session.h"
#include "core/draw_dialog.h"
#include "gui/action_list.h"
#include "gui/card_tab.h"
#include "gui/combs_page.h"
#include "gui/draw_dialog.h"
#include "gui/draws_page.h"
#include "gui/frozen_column.h"
#include "gui/graphs_tab.h"
#include "gui/gui_test_main.h"
#include "gui/gui_window.h"
#include "gui/kept_splitter.h"
#include "gui/layout_tab.h"
#include "gui/list_view.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "gui/page.h"
#include "gui/ratings_page.h"
#include "gui/regulars_page.h"
#include "gui/scenario_page.h"
#include "gui/series_chart.h"
#include "gui/stakes_page.h"
#include "gui/stats_tab.h"
#include "gui/systems_page.h"
#include "gui/week_tab.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/ini.h"
#include "util/program_folder.h"

namespace zentrix::gui {

namespace {

std::unique_ptr<TFormMain> Open(const std::string& folder) {
    return test::OpenWindow(folder);
}

// Closes the window as the user does; its settings are written.
void Close(std::unique_ptr<TFormMain>& window) {
    window->close();
    window.reset();
}

using test::WriteArchive;

int StoredInt(const std::string& folder, const char* key) {
    return TIniFile(ProgramFile(folder, ".frm")).ReadInteger("TFormMain", key, -12345);
}

// A window settings file of a start that already happened (no first-run dialog).
std::string Started(const std::string& more = {}) {
    return "[TFormMain]\r\nPrefetchsInit=1\r\n" + more;
}

int MethodPosition(TFormMain& w, const std::string& code) {
    const auto& items = w.Session().Stats().MethodLists().Stats;
    const TStatList& registry = w.Session().Stats().Registry();
    for (size_t i = 0; i < items.size(); ++i) {
        const TStatMethod& m = registry.MethodAt(items[i].Entry);
        if (m.Class->CodeOf(m.Index) == code) return static_cast<int>(i);
    }
    return -1;
}

void ChooseMethod(TFormMain& w, int position) {
    QComboBox* box = w.StatsTab()->MethodBox();
    box->setCurrentIndex(position);
    emit box->activated(position);
}

}  // namespace

// A page of a tab still to come: what the frame passes it.
class TProbePage : public QWidget, public TPage {
  public:
    std::vector<TUiPart>* parts = nullptr;
    void RestoreSettings(TWindowSettings&) override {}
    void StoreSettings(TWindowSettings& settings) override {
        settings.Ini().WriteInteger(TWindowSettings::kMainSection, "ProbeHeight", 77);
    }
    void OnInvalidated(TUiPart part) override { parts->push_back(part); }
};

class TestWindowState : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
    }

    // Sizes, the excluded draws count and the statistic survive restarts unchanged, also for a
    // page never opened.
    void restartsKeepWhatWasStored() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 120);
        AtomicWriteFile(ProgramFile(dir.Path(), ".frm"),
                        Started("DrawsStatHeight=311\r\nFiltersHeight=150\r\nLeftPanelWidth="
                                "480\r\nDrawsExclude=7\r\n"));
        QString method;
        for (int cycle = 0; cycle < 5; ++cycle) {
            auto w = Open(dir.Path());
            QCOMPARE(w->CombsPage()->ExcludeSpin()->value(), 7);
            QCOMPARE(w->StatsTab()->Splitter()->sizes().value(1), 311);
            QCOMPARE(w->CombsPage()->Splitter()->KeptSize(-1), 150);
            if (cycle == 0) {
                QCOMPARE(w->StatsTab()->MethodBox()->currentIndex(), 0);
                ChooseMethod(*w, 3);
                method = w->StatsTab()->MethodBox()->currentText();
            }
            QCOMPARE(w->StatsTab()->MethodBox()->currentText(), method);
            // Resizing the window moves the table's edge, not the chart's height.
            w->resize(w->width() - 40, w->height() - 20);
            QApplication::processEvents();
            QCOMPARE(w->StatsTab()->Splitter()->sizes().value(1), 311);
            Close(w);
            QCOMPARE(StoredInt(dir.Path(), "DrawsStatHeight"), 311);
            QCOMPARE(StoredInt(dir.Path(), "FiltersHeight"), 150);
            QCOMPARE(StoredInt(dir.Path(), "LeftPanelWidth"), 480);
            QCOMPARE(StoredInt(dir.Path(), "DrawsExclude"), 7);
        }
    }

    // Designed sizes: what the first run stores is read back as is, however often it restarts;
    // the combinations page that was never opened stores no bogus height.
    void designedSizesDoNotDrift() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 50);
        AtomicWriteFile(ProgramFile(dir.Path(), ".frm"), Started());
        int first = -1;
        for (int cycle = 0; cycle < 4; ++cycle) {
            auto w = Open(dir.Path());
            Close(w);
            const int height = StoredInt(dir.Path(), "DrawsStatHeight");
            if (cycle == 0) first = height;
            QVERIFY(height > 50);
            QCOMPARE(height, first);
            QCOMPARE(StoredInt(dir.Path(), "FiltersHeight"), -1);
        }
    }

    void methodKeptAfterTheFavouritesManager() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 60);
        AtomicWriteFile(ProgramFile(dir.Path(), ".frm"), Started());
        auto w = Open(dir.Path());
        const int knm = MethodPosition(*w, "KNM2");
        QVERIFY(knm > 0);
        ChooseMethod(*w, knm);
        const QString caption = w->StatsTab()->MethodBox()->currentText();
        ModalHooks().dialogActions.push_back([](QDialog* d) { d->accept(); });
        w->StatsTab()->Actions()[8]->trigger();
        QCOMPARE(w->StatsTab()->MethodBox()->currentText(), caption);
        QCOMPARE(w->Session().Stats().SelectedCaption(), caption.toStdString());
    }

    void placementIsFittedToTheScreen() {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QRect area = screen->availableGeometry();
        const int ppi = static_cast<int>(screen->logicalDotsPerInch());
        for (const char* norm :
             {"0,0,300000,200000", "9000,9000,9800,9600", "-5000,-5000,-4200,-4400"}) {
            test::TTempDir dir;
            AtomicWriteFile(ProgramFile(dir.Path(), ".frm"),
                            Started("PixelsPerInch=" + std::to_string(ppi) +
                                    "\r\nShowCmd=1\r\nNormPos=" + norm + "\r\n"));
            auto w = Open(dir.Path());
            // On the screen; no larger than it unless the window cannot be made that small.
            const QRect g = w->geometry();
            QVERIFY2(area.contains(g.topLeft()), norm);
            QVERIFY(g.width() <= std::max(area.width(), w->minimumSizeHint().width()));
            QVERIFY(g.height() <= std::max(area.height(), w->minimumSizeHint().height()));
            Close(w);
        }
    }

    void editedRowStaysSelected() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 30);
        AtomicWriteFile(ProgramFile(dir.Path(), ".frm"), Started());
        auto w = Open(dir.Path());
        TListView* list = w->DrawsPage()->List();
        list->selectRow(4);
        QString title;
        ModalHooks().dialogActions.push_back([&title](QDialog* d) {
            title = d->windowTitle();
            static_cast<TFormDraw*>(d)->NumbersEdit()->setText("1;2;3;4;5;6;7;8;3");
            d->accept();
        });
        QAction* edit = w->DrawsPage()->Actions()[1];
        w->Actions().UpdateNow();
        edit->trigger();
        QCOMPARE(title, QString(kDrawEditDialogTitle));
        QCOMPARE(list->FocusedRow(), 4);
        QCOMPARE(list->SelectedRows(), std::vector<int>{4});
        w->Actions().UpdateNow();
        for (int a : {1, 2, 3}) QVERIFY(w->DrawsPage()->Actions()[a]->isEnabled());
    }

    void offsetScrollsAndDeleteKeyDeletes() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 400);
        AtomicWriteFile(ProgramFile(dir.Path(), ".frm"), Started());
        auto w = Open(dir.Path());
        TListView* list = w->DrawsPage()->List();
        w->DrawsPage()->OffsetSpin()->setValue(350);
        QApplication::processEvents();
        const QRect row = list->visualRect(list->model()->index(350, 0));
        QVERIFY(list->viewport()->rect().intersects(row));

        list->setFocus();
        list->selectRow(0);
        w->Actions().UpdateNow();
        ModalHooks().answers.push_back(TMsgResult::Yes);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(ModalHooks().shownMessages.size(), size_t(1));
        QCOMPARE(QString::fromStdString(ModalHooks().shownMessages[0].text),
                 QString("Удалить выделенную запись?"));
        QCOMPARE(w->Session().Archive().Count(), 399);
    }

    void firstRunDialogOnTheFirstStartOnly() {
        test::TTempDir dir;
        int shown = 0;
        auto answer = [&shown](bool tick) {
            ModalHooks().dialogActions.push_back([&shown, tick](QDialog* d) {
                if (d->objectName() == "FormFirstRun") ++shown;
                d->findChild<QCheckBox*>()->setChecked(tick);
                d->reject();
            });
        };
        answer(false);
        auto w = Open(dir.Path());
        Close(w);
        QCOMPARE(shown, 1);
        answer(true);  // not ticked the first time: offered again, now ticked
        w = Open(dir.Path());
        Close(w);
        QCOMPARE(shown, 2);
        // Turned off: a queued answer stays unused.
        answer(false);
        w = Open(dir.Path());
        Close(w);
        QCOMPARE(shown, 2);
        QCOMPARE(ModalHooks().dialogActions.size(), size_t(1));
        // A folder where the program ran before shows nothing.
        test::TTempDir old;
        AtomicWriteFile(ProgramFile(old.Path(), ".frm"), Started());
        w = Open(old.Path());
        QCOMPARE(shown, 2);
        QCOMPARE(ModalHooks().dialogActions.size(), size_t(1));
    }

    void layoutFitsASmallScreen() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 100);
        AtomicWriteFile(ProgramFile(dir.Path(), ".frm"), Started());
        auto w = Open(dir.Path());
        QVERIFY2(w->minimumSizeHint().width() <= 1024,
                 qPrintable(QString::number(w->minimumSizeHint().width())));
        w->resize(1024, 700);
        QApplication::processEvents();
        const QString before = w->Panel(0)->text();
        QStatusTipEvent tip(QString("Очень длинная подсказка ").repeated(20));
        QApplication::sendEvent(w.get(), &tip);
        QApplication::processEvents();
        QCOMPARE(w->width(), 1024);
        QCOMPARE(w->Panel(0)->text(), before);
        QVERIFY(w->Panel(0)->width() >= w->Panel(0)->sizeHint().width());
        QVERIFY(w->Panel(1)->width() >= w->Panel(1)->sizeHint().width());
        QVERIFY(!w->CombsPage()->List()->horizontalHeader()->stretchLastSection());

        // "Значение" stays in view while the statistics table scrolls sideways.
        TListView* table = w->StatsTab()->Table();
        auto* frozen = table->findChild<TFrozenColumn*>();
        QVERIFY(frozen && frozen->isVisible());
        table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
        QApplication::processEvents();
        QVERIFY(frozen->isVisible());
        QCOMPARE(frozen->model()->index(0, 0).data(), table->model()->index(0, 0).data());
        QCOMPARE(frozen->x(), table->frameWidth());
    }

    // A header click only re-sorts: the drawn chart stays. The times of a large table are
    // logged for the record.
    void largeTableSortsWithoutRedrawingTheChart() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 10000);
        AtomicWriteFile(ProgramFile(dir.Path(), ".frm"), Started("DrawsStatLen=10000\r\n"));
        auto w = Open(dir.Path());
        const int knm = MethodPosition(*w, "KNM4");
        QVERIFY(knm > 0);
        QElapsedTimer timer;
        timer.start();
        ChooseMethod(*w, knm);
        w->repaint();  // painted too
        qInfo("KNM4 over 10000 draws chosen and shown: %lld ms", timer.restart());
        QAbstractItemModel* model = w->StatsTab()->Table()->model();
        QVERIFY(model->rowCount() > 1000);
        QChart* chart = w->StatsTab()->Chart()->chart();
        const QList<QAbstractSeries*> series = chart->series();
        QVERIFY(!series.isEmpty());
        timer.restart();
        emit w->StatsTab()->Table()->horizontalHeader()->sectionClicked(kColValue);
        w->repaint();
        qInfo("header click on %d rows: %lld ms", model->rowCount(), timer.restart());
        QCOMPARE(chart->series(), series);
        QCOMPARE(w->Session().Stats().Table().SortColumn(), int(kColValue));
        // Reduced to a drawable line, and said so.
        auto* line = qobject_cast<QXYSeries*>(series.front());
        QVERIFY(line && line->count() <= TSeriesChart::kMaxChartPoints + 2);
        QVERIFY(chart->title().startsWith("Значений: "));
        emit w->StatsTab()->Table()->horizontalHeader()->sectionClicked(kColFact);
        w->repaint();
        qInfo("header click on \"Факт\": %lld ms", timer.restart());
        w->StatsTab()->Table()->scrollToBottom();
        w->repaint();
        qInfo("scroll to the last row: %lld ms", timer.restart());
        QVERIFY(w->StatsTab()->Chart()->grab().save(ZENTRIX_SCREENSHOT_DIR "/knm4_chart.png"));
    }

    // The frame holds its pages in a list; one more plugs in with one call.
    void pagesAreAListTheFrameLoopsOver() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 20);
        AtomicWriteFile(ProgramFile(dir.Path(), ".frm"), Started());
        auto w = Open(dir.Path());
        const std::vector<TPage*> pages{w->DrawsPage(),    w->CombsPage(),   w->StatsTab(),
                                        w->GraphsTab(),    w->CardTab(),     w->LayoutTab(),
                                        w->WeekTab(),      w->StakesPage(),  w->RatingsPage(),
                                        w->RegularsPage(), w->SystemsPage(), w->ScenarioPage()};
        QCOMPARE(w->Pages(), pages);
        std::vector<TUiPart> parts;
        auto* probe = w->AddPage(w->MainPages(), new TProbePage, "Проба");
        probe->parts = &parts;
        QCOMPARE(w->MainPages()->tabText(w->MainPages()->count() - 1), QString("Проба"));
        w->Session().Core().Invalidate(TUiPart::ScenarioList);
        w->Session().Core().Invalidate(TUiPart::DrawsList);
        QCOMPARE(parts, (std::vector<TUiPart>{TUiPart::ScenarioList, TUiPart::DrawsList}));
        Close(w);
        QCOMPARE(StoredInt(dir.Path(), "ProbeHeight"), 77);
    }
};

ZENTRIX_GUI_TEST(TestWindowState);

}  // namespace zentrix::gui

#include "window_state_test.moc"
