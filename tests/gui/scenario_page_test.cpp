#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/scenario_run.h"
#include "app/session.h"
#include "gui/action_list.h"
#include "gui/combs_page.h"
#include "gui/draws_page.h"
#include "gui/filter_item_dialog.h"
#include "gui/gui_test_main.h"
#include "gui/gui_window.h"
#include "gui/list_view.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "gui/scenario_page.h"
#include "gui/script_command_dialog.h"
#include "scenario/scenario_file.h"
#include "support/temp_dir.h"
#include "util/program_folder.h"

namespace zentrix::gui {

namespace {

const std::vector<std::string> kLines = {
    "EXCL:5#RAND|TSD1#NUMS:100#LMV:3#SF:1|BSF2#EVEN:50#LNO:#ST:2| | | | | |Прогноз по числам",
    "FULL:0#ALL#NEX|TMD1#POS3:10,20#CDV:1;2#SV:5| | | | | | |Проверка позиций",
    "",
    "CURR:0#NONE|TSD8#KNM2:30#WMV:5#SP:10#1.5:0.25:1:1:0|TSD1#Xyz:9#LNO:#SF:0| | | | | |"
    "Неизвестная статистика",
    "EXCL:3#SYSA#CLR|TSF1#PRIM:200#LDV:0,1#SF:1| | | | | | |Системная игра",
};

std::unique_ptr<TFormMain> OpenWindow(const std::string& folder) {
    test::WriteArchive(folder, 300);
    return test::OpenWindow(folder);
}

QString Cell(TScenarioPage* page, int row, int column) {
    return page->List()->model()->index(row, column).data().toString();
}

}  // namespace

class TestScenarioPage : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
    }

    void showsTheWorkingScenarioAtStart() {
        test::TTempDir dir;
        WriteScenarioFile(WorkingScenarioPath(dir.Path()), kLines);
        auto w = OpenWindow(dir.Path());
        QVERIFY(w->Initialized());
        TScenarioPage* page = w->ScenarioPage();
        QCOMPARE(w->MainPages()->tabText(w->MainPages()->indexOf(page)), QString("Сценарий"));
        QCOMPARE(page->List()->model()->rowCount(), 5);
        QCOMPARE(page->LinesPanel()->text(), QString("Строк: 5"));
        QCOMPARE(Cell(page, 0, 0), QString("Прогноз по числам"));
        QCOMPARE(Cell(page, 0, 1),
                 QString("Исключить 5 тиражей; Случайно; Все создаваемые ставки"));
        QCOMPARE(Cell(page, 3, 3), QString("TSD1#Xyz:9#LNO:#SF:0"));
        QCOMPARE(Cell(page, 2, 1), QString(""));
        QVERIFY(ModalHooks().shownMessages.empty());
    }

    void addThroughBothDialogs() {
        test::TTempDir dir;
        auto w = OpenWindow(dir.Path());
        TScenarioPage* page = w->ScenarioPage();
        w->CombsPage()->ExcludeSpin()->setValue(4);
        bool filterShown = false;
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            auto* dialog = static_cast<TFormScriptLine*>(d);
            QCOMPARE(dialog->windowTitle(), QString("Создание новой строки"));
            QCOMPARE(dialog->ExcludeSpin()->value(), 4);
            dialog->CommentEdit()->setText("Новая");
            dialog->FilterButton(1)->click();
            dialog->accept();
        });
        ModalHooks().dialogActions.push_back([&filterShown](QDialog* d) {
            auto* dialog = static_cast<TFormFilterItem*>(d);
            filterShown = true;
            QVERIFY(!dialog->OverrideBox()->isEnabled());
            dialog->LevelModeCombo()->setCurrentIndex(19);
            QVERIFY(dialog->OverrideBox()->isEnabled());
            QVERIFY(!dialog->CoefEdit(0)->isEnabled());
            dialog->OverrideBox()->click();
            QVERIFY(dialog->CoefEdit(0)->isEnabled());
            dialog->OverrideBox()->click();
            QVERIFY(!dialog->CoefEdit(0)->isEnabled());
            dialog->LevelModeCombo()->setCurrentIndex(0);
            // Keys outside the value-list set are discarded.
            dialog->DrawsLenEdit()->clear();
            QTest::keyClicks(dialog->DrawsLenEdit(), "0a.");
            QCOMPARE(dialog->DrawsLenEdit()->text(), QString("0"));
            dialog->accept();
            QVERIFY(dialog->isVisible());
            dialog->DrawsLenEdit()->setText("0,5");
            dialog->accept();
        });
        page->Commands().add->trigger();
        QVERIFY(filterShown);
        QCOMPARE(ModalHooks().shownMessages.size(), size_t(1));
        QCOMPARE(QString::fromStdString(ModalHooks().shownMessages[0].text),
                 QString("Введен некорректный диапазон значений!"));
        TScenarioController& scenario = w->Session().Scenario();
        QCOMPARE(scenario.Count(), 1);
        const std::string filter = "TSD1#NUMS:0,5#LNO:#SF:1";
        QCOMPARE(QString::fromStdString(scenario.Scenario().Line(0)),
                 QString::fromStdString("FULL:4#RAND| |" + filter + "| | | | | |Новая"));
        QCOMPARE(page->List()->FocusedRow(), 0);
        QCOMPARE(page->LinesPanel()->text(), QString("Строк: 1"));
    }

    void listCommandsKeepTheSelection() {
        test::TTempDir dir;
        WriteScenarioFile(WorkingScenarioPath(dir.Path()), kLines);
        auto w = OpenWindow(dir.Path());
        TScenarioPage* page = w->ScenarioPage();
        TScenarioController& scenario = w->Session().Scenario();
        w->MainPages()->setCurrentWidget(page);
        page->List()->selectRow(0);
        w->Actions().UpdateNow();
        QVERIFY(!page->Commands().moveUp->isEnabled());
        page->Commands().moveDown->trigger();
        QCOMPARE(page->List()->FocusedRow(), 1);
        QCOMPARE(QString::fromStdString(scenario.Scenario().Line(1)),
                 QString::fromStdString(kLines[0]));
        // Cloning leaves the line it was made from and appends the dialog's result.
        ModalHooks().dialogActions.push_back([](QDialog* d) { d->accept(); });
        w->Actions().UpdateNow();
        page->Commands().clone->trigger();
        QCOMPARE(scenario.Count(), 6);
        QCOMPARE(page->List()->FocusedRow(), 5);
        QCOMPARE(QString::fromStdString(scenario.Scenario().Line(1)),
                 QString::fromStdString(kLines[0]));
        // Two selected rows: the plural question, answered Yes.
        page->List()->selectRow(2);
        page->List()->selectionModel()->select(
            page->List()->model()->index(3, 0),
            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        w->Actions().UpdateNow();
        ModalHooks().answers.push_back(TMsgResult::Yes);
        page->Commands().remove->trigger();
        QCOMPARE(QString::fromStdString(ModalHooks().shownMessages.back().text),
                 QString("Удалить все выделенные записи (всего будет удалено 2 записи(ей))?"));
        QCOMPARE(scenario.Count(), 4);
        QCOMPARE(page->LinesPanel()->text(), QString("Строк: 4"));
        QCOMPARE(ReadScenarioFile(WorkingScenarioPath(dir.Path())), scenario.Scenario().Lines());
    }

    // A long test keeps the window alive: the stop command is the one live action, the pages it
    // works on are disabled, and a stop ends the run after the pass under way.
    void testRunsAndStops() {
        test::TTempDir dir;
        WriteScenarioFile(WorkingScenarioPath(dir.Path()),
                          {"FULL:0#RAND|TSD1#NUMS:50,100#LMV:5,10#ST:2| | | | | | |Тест"});
        auto w = OpenWindow(dir.Path());
        w->resize(1024, 768);
        TScenarioPage* page = w->ScenarioPage();
        w->MainPages()->setCurrentWidget(page);
        TScenarioRun& run = w->Session().Run();
        ModalHooks().inputs.push_back("250");
        ModalHooks().answers.push_back(TMsgResult::Yes);  // "Остановить выполнение сценария?"
        bool sawRunning = false, stopLive = false, pagesDisabled = false, othersDead = true;
        // Once a pass is done, however loaded the machine: a stop during the first pass would
        // leave none to check.
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (run.Passes().empty()) return;
            poll.stop();
            sawRunning = run.Running();
            w->Actions().UpdateNow();
            stopLive = page->Commands().stop->isEnabled();
            othersDead =
                !page->Commands().forecast->isEnabled() && !page->Commands().add->isEnabled();
            pagesDisabled = !w->DrawsPage()->isEnabled() && !page->List()->isEnabled();
            QVERIFY(w->grab().save(ZENTRIX_SCREENSHOT_DIR "/scenario_run.png"));
            page->Commands().stop->trigger();
        });
        poll.start();
        w->Actions().UpdateNow();
        page->Commands().test->trigger();
        QVERIFY(sawRunning);
        QVERIFY(stopLive);
        QVERIFY(othersDead);
        QVERIFY(pagesDisabled);
        QVERIFY(!run.Running());
        QVERIFY(!run.Passes().empty());
        QVERIFY(run.Passes().size() < 250u);
        QVERIFY(w->DrawsPage()->isEnabled());
        QVERIFY(page->List()->isEnabled());
        QVERIFY(page->Panel(1)->text().startsWith("Цикл: "));
    }

    void screenshot() {
        test::TTempDir dir;
        WriteScenarioFile(WorkingScenarioPath(dir.Path()), kLines);
        auto w = OpenWindow(dir.Path());
        w->resize(1280, 800);
        w->MainPages()->setCurrentWidget(w->ScenarioPage());
        w->ScenarioPage()->List()->selectRow(1);
        QTest::qWait(50);
        QVERIFY(w->grab().save(ZENTRIX_SCREENSHOT_DIR "/scenario_page.png"));
        // The two dialogs on that line and its first filter.
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            QTest::qWait(20);
            QVERIFY(d->grab().save(ZENTRIX_SCREENSHOT_DIR "/script_line_dialog.png"));
            static_cast<TFormScriptLine*>(d)->FilterButton(0)->click();
            d->reject();
        });
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            QTest::qWait(20);
            QVERIFY(d->grab().save(ZENTRIX_SCREENSHOT_DIR "/filter_item_dialog.png"));
            d->reject();
        });
        w->Actions().UpdateNow();
        w->ScenarioPage()->Commands().edit->trigger();
        QVERIFY(ModalHooks().dialogActions.empty());
    }
};

ZENTRIX_GUI_TEST(TestScenarioPage);

}  // namespace zentrix::gui

#include "scenario_page_test.moc"
