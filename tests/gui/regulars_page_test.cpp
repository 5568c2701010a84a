#include <algorithm>

#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "app/session.h"
#include "core/comb_text.h"
#include "gui/action_list.h"
#include "gui/combs_page.h"
#include "gui/gui_test_main.h"
#include "gui/gui_window.h"
#include "gui/list_view.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "gui/regular_dialog.h"
#include "gui/regulars_page.h"
#include "gui/stake_dialog.h"
#include "gui/stakes_page.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/program_folder.h"

namespace zentrix::gui {

namespace {

QString Cell(TListView* list, int row, int column) {
    return list->model()->index(row, column).data().toString();
}

QString LastMessage() {
    const auto& shown = ModalHooks().shownMessages;
    return shown.empty() ? QString() : QString::fromStdString(shown.back().text);
}

void Trigger(TFormMain& w, QAction* action) {
    w.Actions().UpdateNow();
    QVERIFY2(action->isEnabled(), qPrintable(action->text()));
    action->trigger();
}

void SelectCombs(TListView* combs, int first, int last) {
    combs->clearSelection();
    combs->selectionModel()->select(
        QItemSelection(combs->model()->index(first, 0), combs->model()->index(last, 0)),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

}  // namespace

class TestRegularsPage : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
    }

    void pageAndViewMenuEntry() {
        test::TTempDir dir;
        test::WriteArchive(dir.Path(), 50);
        auto w = test::OpenWindow(dir.Path());
        QTabWidget* tabs = w->MainPages();
        const int at = tabs->indexOf(w->RegularsPage());
        QCOMPARE(tabs->tabText(at), QString("Регуляры"));
        QCOMPARE(tabs->tabText(at - 1), QString("Рейтинг"));
        const auto& entries = w->TabEntries();
        const auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& e) {
            return e.page == static_cast<QWidget*>(w->RegularsPage());
        });
        QVERIFY(found != entries.end());
        const TFormMain::TTabEntry& entry = *found;
        QCOMPARE(entry.action->text(), QString("Вкладка \"Регуляры\""));
        QCOMPARE(entry.action->statusTip(),
                 QString("Скрыть / показать вкладку \"Регулярные ставки\""));
        QVERIFY(w->ViewMenu()->actions().contains(entry.action));
        QVERIFY(entry.action->isChecked());
        const TRegularsPage::TActions& a = w->RegularsPage()->Commands();
        QCOMPARE(a.add->text(), QString("Добавить регулярную ставку"));
        QCOMPARE(a.remove->text(), QString("Удалить регулярную ставку"));
        QCOMPARE(a.stake->text(), QString("Сделать ставку по регуляру"));
        QCOMPARE(a.test->text(), QString("Тест регуляров"));
        w->Actions().UpdateNow();
        QVERIFY(a.add->isEnabled());
        QVERIFY(!a.remove->isEnabled());  // nothing selected
        QVERIFY(!a.stake->isEnabled());
        QVERIFY(!a.test->isEnabled());

        // Hidden: stored, the commands off; shown: the page in front.
        entry.action->trigger();
        w->Actions().UpdateNow();
        QVERIFY(!tabs->isTabVisible(at));
        QVERIFY(!entry.action->isChecked());
        QVERIFY(!a.add->isEnabled());
        QVERIFY(ReadFileBytes(ProgramFile(dir.Path(), ".frm")).find("TabTables=0") !=
                std::string::npos);
        entry.action->trigger();
        QVERIFY(tabs->isTabVisible(at));
        QCOMPARE(tabs->currentWidget(), static_cast<QWidget*>(w->RegularsPage()));
    }

    void addStakeTestAndScreenshot() {
        test::TTempDir dir;
        test::WriteArchive(dir.Path(), 50);
        auto w = test::OpenWindow(dir.Path());
        w->resize(1024, 768);
        TListView* combs = w->CombsPage()->List();
        TListView* list = w->RegularsPage()->List();
        const TRegularsPage::TActions& a = w->RegularsPage()->Commands();
        w->MainPages()->setCurrentWidget(w->RegularsPage());

        // Three combinations selected: one rule each.
        SelectCombs(combs, 0, 2);
        bool shown = false;
        ModalHooks().dialogActions.push_back([&](QDialog* d) {
            auto* dialog = static_cast<TFormRegular*>(d);
            shown = true;
            QCOMPARE(dialog->windowTitle(), QString("Добавление регулярной ставки"));
            QCOMPARE(dialog->CommentEdit()->text(), QString("Регулярная ставка"));
            QCOMPARE(dialog->StartEdit()->text(), QString("{...Выделенные комбинации...}"));
            QVERIFY(!dialog->StartEdit()->isEnabled());
            QVERIFY(dialog->ConstantStart()->isChecked());
            QCOMPARE(dialog->StepSpin()->value(), 1);
            QCOMPARE(dialog->StepSpin()->minimum(), -20);
            QCOMPARE(dialog->StepSpin()->maximum(), 20);
            dialog->StepSpin()->setValue(3);
            dialog->accept();
        });
        Trigger(*w, a.add);
        QVERIFY(shown);
        QCOMPARE(list->model()->rowCount(), 3);
        QCOMPARE(Cell(list, 1, 0), QString("Регулярная ставка (2)"));
        QCOMPARE(Cell(list, 1, 3), QString("3"));

        // One selected: the start is typed; a bad one keeps the dialog open.
        SelectCombs(combs, 4, 4);
        ModalHooks().dialogActions.push_back([&](QDialog* d) {
            auto* dialog = static_cast<TFormRegular*>(d);
            QVERIFY(dialog->StartEdit()->isEnabled());
            QCOMPARE(dialog->StartEdit()->text(),
                     QString::fromStdString(NumbersText(w->Session().Combs().Combs()[4])));
            dialog->StartEdit()->setText("1;2;3;4;5;6;7;7");
            dialog->CommentEdit()->setText("Шаг назад");
            dialog->accept();
            QCOMPARE(LastMessage(), QString("Введена некорректная комбинация!"));
            dialog->StartEdit()->setText("15;16;17;18;19;20;1;2");
            dialog->StepSpin()->setValue(-5);
            dialog->LastDraw()->setChecked(true);
            QVERIFY(!dialog->StartEdit()->isEnabled());
            dialog->ConstantStart()->setChecked(true);
            dialog->accept();
        });
        Trigger(*w, a.add);
        QCOMPARE(list->model()->rowCount(), 4);
        QCOMPARE(Cell(list, 3, 1), QString("1;2;15;16;17;18;19;20"));

        // A stake from the last rule for the next draw.
        list->selectRow(3);
        const int next = w->Session().Archive().Draws().back().Number + 1;
        ModalHooks().dialogActions.push_back([&](QDialog* d) {
            auto* dialog = static_cast<TFormStake*>(d);
            QCOMPARE(dialog->NumbersEdit()->text(), QString("10;11;12;13;14;15;16;17"));
            QCOMPARE(dialog->CommentEdit()->text(), QString("Шаг назад"));
            QCOMPARE(dialog->DrawSpin()->value(), next);
            dialog->accept();
        });
        Trigger(*w, a.stake);
        QCOMPARE(Cell(list, 3, 2), QString("10;11;12;13;14;15;16;17"));
        QCOMPARE(Cell(list, 3, 4), QString("1"));
        TListView* grid = w->StakesPage()->Grid();
        QCOMPARE(grid->model()->rowCount(), 1);
        QCOMPARE(Cell(grid, 0, 1), QString("Регуляр"));

        // Cancel changes nothing.
        ModalHooks().dialogActions.push_back([](QDialog* d) { d->reject(); });
        Trigger(*w, a.stake);
        QCOMPARE(Cell(list, 3, 4), QString("1"));
        QCOMPARE(grid->model()->rowCount(), 1);

        // The first two rules over the last five draws.
        SelectCombs(list, 0, 1);
        ModalHooks().inputs = {std::string("5")};
        Trigger(*w, a.test);
        QCOMPARE(grid->model()->rowCount(), 11);
        QCOMPARE(Cell(list, 0, 4), QString("5"));
        QCOMPARE(w->Session().Archive().DrawsOffset(), 0);

        QTest::qWait(50);
        QVERIFY(w->grab().save(ZENTRIX_SCREENSHOT_DIR "/regulars_page.png"));
        SelectCombs(combs, 7, 7);
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            QVERIFY(d->grab().save(ZENTRIX_SCREENSHOT_DIR "/regular_dialog.png"));
            d->reject();
        });
        Trigger(*w, a.add);

        // Delete asks first.
        SelectCombs(list, 1, 2);
        ModalHooks().answers = {TMsgResult::Yes};
        Trigger(*w, a.remove);
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(Cell(list, 1, 0), QString("Шаг назад"));
        QCOMPARE(FileSize(ProgramFile(dir.Path(), ".ltb")), int64_t{2 * 284});
    }
};

ZENTRIX_GUI_TEST(TestRegularsPage);

}  // namespace zentrix::gui

#include "regulars_page_test.moc"
