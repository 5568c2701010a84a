#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "app/session.h"
#include "core/comb_text.h"
#include "gui/action_list.h"
#include "gui/combs_page.h"
#include "gui/delete_where_dialog.h"
#include "gui/graph_window.h"
#include "gui/gui_test_main.h"
#include "gui/gui_window.h"
#include "gui/list_view.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "gui/ratings_page.h"
#include "gui/series_chart.h"
#include "gui/stake_dialog.h"
#include "gui/stakes_page.h"
#include "stakes/stakes_env.h"
#include "support/temp_dir.h"

namespace zentrix::gui {

namespace {

std::unique_ptr<TFormMain> OpenWindow(const std::string& folder) {
    test::WriteArchive(folder, 300);
    auto w = test::OpenWindow(folder);
    w->resize(1024, 768);
    return w;
}

QString Cell(TListView* list, int row, int column) {
    return list->model()->index(row, column).data().toString();
}

QString LastMessage() {
    const auto& shown = ModalHooks().shownMessages;
    return shown.empty() ? QString() : QString::fromStdString(shown.back().text);
}

int32_t LastDraw(TFormMain& w) {
    return w.Session().Archive().Draws().back().Number;
}

// Fills the stake dialog and accepts it.
void StakeDialog(int draw, int draws, const QString& numbers, const QString& comment) {
    ModalHooks().dialogActions.push_back([=](QDialog* d) {
        auto* dialog = static_cast<TFormStake*>(d);
        dialog->DrawSpin()->setValue(draw);
        dialog->DrawsSpin()->setValue(draws);
        if (!numbers.isNull()) dialog->NumbersEdit()->setText(numbers);
        dialog->CommentEdit()->setText(comment);
        dialog->accept();
    });
}

void Trigger(TFormMain& w, QAction* action) {
    w.Actions().UpdateNow();
    QVERIFY(action->isEnabled());
    action->trigger();
}

}  // namespace

class TestStakesPage : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
    }

    void doubleClickOnACombinationMakesAStakeForTheNextDraws() {
        test::TTempDir dir;
        auto w = OpenWindow(dir.Path());
        QVERIFY(w->Initialized());
        QCOMPARE(w->Panel(4)->text(), QString("Ставок: 0"));
        QCOMPARE(w->Panel(5)->text(), QString("Рейтинг: 0"));
        TListView* combs = w->CombsPage()->List();
        const QString numbers =
            QString::fromStdString(NumbersText(w->Session().Combs().Combs()[2]));
        const int next = LastDraw(*w) + 1;
        bool shown = false;
        ModalHooks().dialogActions.push_back([&](QDialog* d) {
            auto* dialog = static_cast<TFormStake*>(d);
            shown = true;
            QCOMPARE(dialog->windowTitle(), QString("Добавление ставки"));
            QCOMPARE(dialog->NumbersEdit()->text(), numbers);
            QCOMPARE(dialog->DrawSpin()->value(), next);
            QCOMPARE(dialog->CommentEdit()->text(), QString("Ставка \"вручную\""));
            // A bad combination keeps the dialog open behind its error box.
            dialog->NumbersEdit()->setText("1;2;3;x");
            QCOMPARE(dialog->SumLabel()->text(), QString("6"));
            dialog->accept();
            QCOMPARE(LastMessage(), QString("Введена некорректная комбинация!"));
            dialog->NumbersEdit()->setText(numbers);
            dialog->DrawSpin()->setValue(next - 1);
            dialog->DrawsSpin()->setValue(2);
            dialog->accept();
        });
        w->LeftPages()->setCurrentWidget(w->CombsPage());
        combs->selectRow(2);
        emit combs->doubleClicked(combs->model()->index(2, 1));
        QVERIFY(shown);
        TListView* grid = w->StakesPage()->Grid();
        // The stake for the last draw is checked at once; its copy for the next one waits.
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(Cell(grid, 0, 0), QString::number(next - 1));
        QCOMPARE(Cell(grid, 0, 2), numbers);
        QVERIFY(!Cell(grid, 0, 4).isEmpty());
        QCOMPARE(Cell(grid, 1, 0), QString());
        QCOMPARE(Cell(grid, 2, 0), QString::number(next));
        QCOMPARE(Cell(grid, 2, 5), QString());
        QCOMPARE(Cell(grid, 0, 1), QString("Вручную"));
        QCOMPARE(grid->model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(),
                 QColor(234, 255, 234));
        QCOMPARE(grid->FocusedRow(), 2);
        QCOMPARE(w->Panel(4)->text(), QString("Ставок: 3"));
        QCOMPARE(w->Panel(5)->text(), QString("Рейтинг: 1"));
    }

    void everySourceChecksAndDeletes() {
        test::TTempDir dir;
        auto w = OpenWindow(dir.Path());
        TStakesPage* page = w->StakesPage();
        const TStakesPage::TActions& a = page->Commands();
        TStakesController& stakes = w->Session().Stakes();
        TListView* combs = w->CombsPage()->List();
        const int last = LastDraw(*w);
        w->Session().Config().ApplyParams(test::PrizeConfig());

        // Five selected combinations for the last draw; the selection is cleared after.
        combs->selectRow(0);
        combs->selectionModel()->select(
            QItemSelection(combs->model()->index(0, 0), combs->model()->index(4, 0)),
            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        StakeDialog(last, 1, QString(), "Пять");
        Trigger(*w, a.selected);
        QCOMPARE(stakes.Count(), 5);
        QVERIFY(!combs->HasSelection());
        // A random one and a hand-made one for the draw to come.
        StakeDialog(last + 1, 1, QString(), "Случайная");
        Trigger(*w, a.random);
        StakeDialog(last + 1, 1, "1,2,3,4,5,6,7,8", "Моя");
        Trigger(*w, a.make);
        QCOMPARE(stakes.Count(), 7);
        QCOMPARE(stakes.File().Read(6).Numbers.Numbers[7], 8);
        // An empty comment is refused; the dialog is then cancelled.
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            static_cast<TFormStake*>(d)->CommentEdit()->clear();
            d->accept();
            QVERIFY(d->isVisible());
            d->reject();
        });
        Trigger(*w, a.all);
        QCOMPARE(LastMessage(), QString("Необходимо ввести комментарий!"));
        QCOMPARE(stakes.Count(), 7);

        Trigger(*w, a.check);
        QCOMPARE(w->Session().Ratings().Count(), 1);  // "Пять" only: the rest wait

        // The profit graph has a series per title.
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            auto* graph = static_cast<TFormGraph*>(d);
            QCOMPARE(graph->windowTitle(), QString(kProfitGraphTitle));
            QCOMPARE(graph->ChartView()->chart()->series().size(), 3);
            graph->resize(800, 500);
            QTest::qWait(20);
            QVERIFY(graph->grab().save(ZENTRIX_SCREENSHOT_DIR "/stakes_profit_graph.png"));
            graph->reject();
        });
        Trigger(*w, a.profitGraph);
        QVERIFY(ModalHooks().dialogActions.empty());

        // Rows 2..3 of the grid, after the question.
        page->Grid()->selectRow(1);
        page->Grid()->selectionModel()->select(
            page->Grid()->model()->index(2, 0),
            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        ModalHooks().answers.push_back(TMsgResult::Yes);
        Trigger(*w, a.remove);
        QCOMPARE(LastMessage(),
                 QString("Удалить все выделенные записи (всего будет удалено 2 записи(ей))?"));
        QCOMPARE(stakes.Count(), 5);

        // The waiting stakes take part with -1 matches.
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            auto* dialog = static_cast<TFormDeleteWhere*>(d);
            QCOMPARE(dialog->ConditionBox()->count(), 5);
            dialog->ConditionBox()->setCurrentIndex(3);  // "Менее [ < ]"
            dialog->ValueSpin()->setValue(0);
            dialog->accept();
        });
        Trigger(*w, a.removeWhere);
        QCOMPARE(stakes.Count(), 3);
        QCOMPARE(w->Panel(4)->text(), QString("Ставок: 3"));

        // Clearing asks twice: the deletion, then the ratings rebuild on its own.
        ModalHooks().answers = {TMsgResult::Yes, TMsgResult::No};
        ModalHooks().shownMessages.clear();
        Trigger(*w, a.removeAll);
        QCOMPARE(stakes.Count(), 0);
        QCOMPARE(ModalHooks().shownMessages.size(), size_t(2));
        QCOMPARE(LastMessage(), QString(kRebuildRatingsQuestion));
        QCOMPARE(w->Session().Ratings().Count(), 1);
        QCOMPARE(page->Grid()->model()->rowCount(), 0);
    }

    void ratingsModesSortingAndGraphs() {
        test::TTempDir dir;
        auto w = OpenWindow(dir.Path());
        const int last = LastDraw(*w);
        const TStakesPage::TActions& a = w->StakesPage()->Commands();
        // Three comments over the last two draws, so every graph has its draws.
        const char* comments[] = {"Первая", "Вторая", "Третья"};
        for (int i = 0; i < 3; ++i) {
            StakeDialog(last - 1, 2, QString(), comments[i]);
            w->CombsPage()->List()->selectRow(i * 7);
            w->CombsPage()->List()->selectionModel()->select(
                QItemSelection(w->CombsPage()->List()->model()->index(i * 7, 0),
                               w->CombsPage()->List()->model()->index(i * 7 + i + 2, 0)),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
            Trigger(*w, a.selected);
        }
        TRatingsPage* page = w->RatingsPage();
        TListView* list = page->List();
        QCOMPARE(list->model()->rowCount(), 3);
        QCOMPARE(list->model()->columnCount(), 24);
        QCOMPARE(list->model()->headerData(23, Qt::Horizontal).toString(), QString("E8"));
        QCOMPARE(w->Panel(5)->text(), QString("Рейтинг: 3"));

        // The effectiveness modes: expected counts are integers, the others percentages.
        Trigger(*w, page->Commands().modes[0]);
        QVERIFY(!Cell(list, 0, 18).contains('%'));
        Trigger(*w, page->Commands().modes[2]);
        QVERIFY(Cell(list, 0, 18).endsWith('%'));
        QVERIFY(page->Commands().modes[2]->isChecked());
        QCOMPARE(page->ModeBox()->currentIndex(), 2);
        emit page->ModeBox()->activated(1);
        QVERIFY(Cell(list, 0, 18).endsWith('%'));
        QCOMPARE(w->Session().Ratings().EffMode(), TEffMode::Absolute);
        Trigger(*w, page->Commands().modes[2]);
        QCOMPARE(w->Session().Core().Settings().Options().RatingsEffMode,
                 TRatingsEffMode::Relative);

        // A header click sorts by "Ставок" descending, a second one ascending.
        emit list->horizontalHeader()->sectionClicked(1);
        QCOMPARE(Cell(list, 0, 0), QString("Третья"));
        QCOMPARE(list->horizontalHeader()->sortIndicatorSection(), 1);
        emit list->horizontalHeader()->sectionClicked(1);
        QCOMPARE(Cell(list, 0, 0), QString("Первая"));
        QCOMPARE(list->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);

        // Graphs of the selected rows.
        w->MainPages()->setCurrentWidget(page);
        list->selectRow(0);
        list->selectionModel()->select(list->model()->index(2, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            auto* graph = static_cast<TFormGraph*>(d);
            // Random play and the double-clicked row.
            QCOMPARE(graph->ChartView()->chart()->series().size(), 2);
            graph->resize(800, 500);
            QTest::qWait(20);
            QVERIFY(graph->grab().save(ZENTRIX_SCREENSHOT_DIR "/ratings_match_count_graph.png"));
            graph->reject();
        });
        list->selectRow(0);
        emit list->doubleClicked(list->model()->index(0, 1));
        QVERIFY(ModalHooks().dialogActions.empty());
        list->selectRow(0);
        list->selectionModel()->select(list->model()->index(2, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            QCOMPARE(static_cast<TFormGraph*>(d)->ChartView()->chart()->series().size(), 2);
            d->reject();
        });
        Trigger(*w, page->Commands().stakeMatches);
        QVERIFY(ModalHooks().dialogActions.empty());

        // A row of no filters cannot become a scenario line.
        list->selectRow(0);
        Trigger(*w, page->Commands().toScenario);
        QVERIFY(LastMessage().contains("невозможно добавить в сценарий!"));
        QCOMPARE(w->Session().Scenario().Count(), 0);
    }

    void screenshots() {
        test::TTempDir dir;
        auto w = OpenWindow(dir.Path());
        const int last = LastDraw(*w);
        const TStakesPage::TActions& a = w->StakesPage()->Commands();
        TListView* combs = w->CombsPage()->List();
        const char* comments[] = {"Ставка \"вручную\"", "Пятерка", "Проверка по архиву"};
        for (int i = 0; i < 3; ++i) {
            combs->selectRow(i * 5);
            combs->selectionModel()->select(
                QItemSelection(combs->model()->index(i * 5, 0),
                               combs->model()->index(i * 5 + 4, 0)),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
            StakeDialog(last - 1, 3, QString(), comments[i]);
            Trigger(*w, a.selected);
        }
        w->MainPages()->setCurrentWidget(w->StakesPage());
        QTest::qWait(50);
        QVERIFY(w->grab().save(ZENTRIX_SCREENSHOT_DIR "/stakes_page.png"));
        w->MainPages()->setCurrentWidget(w->RatingsPage());
        w->RatingsPage()->List()->selectRow(1);
        QTest::qWait(50);
        QVERIFY(w->grab().save(ZENTRIX_SCREENSHOT_DIR "/ratings_page.png"));
    }
};

ZENTRIX_GUI_TEST(TestStakesPage);

}  // namespace zentrix::gui

#include "stakes_page_test.moc"
