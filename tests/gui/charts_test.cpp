#include <QAction>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QLineSeries>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/chart_commands.h"
#include "gui/graph_window.h"
#include "gui/graphs_tab.h"
#include "gui/gui_test_main.h"
#include "gui/gui_window.h"
#include "gui/list_view.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "gui/repeats_window.h"
#include "gui/series_chart.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/ini.h"
#include "util/program_folder.h"

namespace zentrix::gui {

namespace {

using test::OpenWindow;
using test::WriteArchive;

QList<QLineSeries*> Lines(QChartView* view) {
    QList<QLineSeries*> lines;
    for (QAbstractSeries* s : view->chart()->series())
        if (auto* line = qobject_cast<QLineSeries*>(s)) lines.append(line);
    return lines;
}

void Trigger(TFormMain& w, QAction* action) {
    w.Actions().UpdateNow();
    QVERIFY(action->isEnabled());
    action->trigger();
}

}  // namespace

class TestCharts : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
    }

    void graphTabShowsValuesMeanAndMode() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 300);
        auto w = OpenWindow(dir.Path());
        TGraphsTab* tab = w->GraphsTab();
        QCOMPARE(w->MainPages()->tabText(w->MainPages()->indexOf(tab)), QString("Графики"));
        QVERIFY(tab->TypeBox()->count() > 10);
        QCOMPARE(tab->TypeBox()->currentIndex(), 0);
        QCOMPARE(tab->LengthSpin()->value(), 100);
        QList<QLineSeries*> lines = Lines(tab->Chart());
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0]->name(), tab->TypeBox()->currentText());
        QCOMPARE(lines[0]->count(), 100);
        QCOMPARE(lines[0]->at(99).x(), 300.0);
        QCOMPARE(lines[1]->name(), QString("Среднее значение"));
        QCOMPARE(lines[2]->name(), QString("Наиболее часто встречающееся значение"));
        QCOMPARE(lines[0]->pen().color(), QColor(0, 128, 0));
        QCOMPARE(lines[1]->pen().color(), QColor(0, 0, 255));
        QCOMPARE(lines[2]->pen().color(), QColor(255, 0, 0));
        QVERIFY(tab->Chart()->LegendText().contains("Среднее значение"));
        QVERIFY(!lines[0]->pointLabelsVisible());

        // Another type and a shorter window, as the user chooses them.
        const int sums = tab->TypeBox()->findText("Сумма тиража: все значения", Qt::MatchContains);
        QVERIFY(sums >= 0);
        tab->TypeBox()->setCurrentIndex(sums);
        emit tab->TypeBox()->activated(sums);
        tab->LengthSpin()->setFocus();
        tab->LengthSpin()->setValue(40);
        QTest::keyClick(tab->LengthSpin(), Qt::Key_Return);
        lines = Lines(tab->Chart());
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0]->name(), tab->TypeBox()->itemText(sums));
        QCOMPARE(lines[0]->count(), 40);
        tab->LabelsBox()->setChecked(true);
        QVERIFY(lines[0]->pointLabelsVisible());
        QVERIFY(!lines[1]->pointLabelsVisible());

        w->MainPages()->setCurrentWidget(tab);
        w->resize(1280, 800);
        QTest::qWait(50);
        QVERIFY(w->grab().save(ZENTRIX_SCREENSHOT_DIR "/graphs_tab.png"));
        w->close();
        TIniFile frm(ProgramFile(dir.Path(), ".frm"));
        QCOMPARE(frm.ReadInteger("TFormMain", "DrawsGraphLen", 0), 40);
    }

    void tabCanBeHiddenAndShown() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 50);
        auto w = OpenWindow(dir.Path());
        TGraphsTab* tab = w->GraphsTab();
        QTabWidget* pages = w->MainPages();
        QAction* toggle = tab->TabAction();
        QCOMPARE(toggle->text(), QString("Вкладка \"Графики\""));
        w->Actions().UpdateNow();
        QVERIFY(toggle->isChecked());
        Trigger(*w, toggle);
        QVERIFY(!pages->isTabVisible(pages->indexOf(tab)));
        w->Actions().UpdateNow();
        QVERIFY(!toggle->isChecked());
        Trigger(*w, toggle);
        QVERIFY(pages->isTabVisible(pages->indexOf(tab)));
        QCOMPARE(pages->currentWidget(), tab);
        QCOMPARE(Lines(tab->Chart()).size(), 3);
        // Hidden at the next start.
        Trigger(*w, toggle);
        w.reset();
        auto again = OpenWindow(dir.Path());
        QTabWidget* next = again->MainPages();
        QVERIFY(!next->isTabVisible(next->indexOf(again->GraphsTab())));
    }

    void repeatsWindow() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 300);
        auto w = OpenWindow(dir.Path());
        w->Session().Charts().SeedColors(3);
        int rows = 0;
        ModalHooks().dialogActions.push_back([&rows](QDialog* d) {
            auto* dialog = static_cast<TFormRepeats*>(d);
            QCOMPARE(dialog->windowTitle(), QString("Количество повторов в зависимости от тиража"));
            QCOMPARE(dialog->LengthSpin()->value(), 100);
            QCOMPARE(dialog->DepthSpin()->value(), 100);
            rows = dialog->List()->model()->rowCount();
            QVERIFY(rows > 100);
            QCOMPARE(dialog->List()->model()->index(0, 0).data().toString(), QString("300"));
            const QList<QLineSeries*> lines = Lines(dialog->Chart());
            QVERIFY(lines.size() >= 5);
            QCOMPARE(lines[0]->name(), QString("Совпадений: 1"));
            dialog->resize(900, 640);
            QTest::qWait(50);
            QVERIFY(dialog->grab().save(ZENTRIX_SCREENSHOT_DIR "/repeats_window.png"));
            // Enter in a field computes again.
            dialog->DepthSpin()->setValue(1);
            QTest::keyClick(dialog->DepthSpin(), Qt::Key_Return);
            QVERIFY(dialog->List()->model()->rowCount() <= 100);
            QVERIFY(dialog->isVisible());
            dialog->reject();
        });
        Trigger(*w, w->ChartCommands()->RepeatsAction());
        QVERIFY(ModalHooks().dialogActions.empty());
        QVERIFY(ModalHooks().shownMessages.empty());
        QVERIFY(w->Session().Core().NotBusy());
        TIniFile frm(ProgramFile(dir.Path(), ".frm"));
        QCOMPARE(frm.ReadInteger("TFormRepeats", "DrawsDeep", 0), 1);
        QCOMPARE(frm.ReadInteger("TFormRepeats", "DrawsLength", 0), 100);
        QVERIFY(frm.ValueExists("TFormRepeats", "NormPos"));
        QVERIFY(frm.ValueExists("TFormRepeats", "lvRepeats.Column0"));
    }

    void sumDistributionWindow() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 2000);
        auto w = OpenWindow(dir.Path());
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            auto* graph = static_cast<TFormGraph*>(d);
            QCOMPARE(graph->windowTitle(),
                     QString("Распределение сумм тиражей и всех возможных комбинаций"));
            const QList<QLineSeries*> lines = Lines(graph->ChartView());
            QCOMPARE(lines.size(), 5);
            QCOMPARE(lines[0]->name(), QString("Фактическое распределение сумм (по тиражам)"));
            QCOMPARE(lines[0]->pen().color(), QColor(255, 0, 0));
            QCOMPARE(lines[1]->pen().color(), QColor(128, 0, 0));
            QCOMPARE(lines[2]->name(),
                     QString("Диапазон 1 (от 1/3 и выше по оси Y) - суммы 65-103"));
            QCOMPARE(lines[4]->pen().color(), QColor(255, 0, 255));
            // Long titles wrap in the legend instead of being cut.
            QVERIFY(graph->ChartView()->LegendText().contains(
                "Диапазон 3 (от 2/3 и выше по оси Y) - суммы 72-96"));
            QVERIFY(graph->LabelsBox()->isChecked());
            QVERIFY(lines[0]->pointLabelsVisible());
            QVERIFY(!lines[1]->pointLabelsVisible());
            graph->resize(1000, 620);
            QTest::qWait(50);
            QVERIFY(graph->grab().save(ZENTRIX_SCREENSHOT_DIR "/sum_distribution.png"));
            graph->LabelsBox()->setChecked(false);
            QVERIFY(!lines[0]->pointLabelsVisible());
            graph->reject();
        });
        Trigger(*w, w->ChartCommands()->SumsAction());
        QVERIFY(ModalHooks().dialogActions.empty());
        QVERIFY(ModalHooks().shownMessages.empty());
        TIniFile frm(ProgramFile(dir.Path(), ".frm"));
        QVERIFY(frm.ValueExists("TFormGraph", "NormPos"));
    }
};

ZENTRIX_GUI_TEST(TestCharts);

}  // namespace zentrix::gui

#include "charts_test.moc"
