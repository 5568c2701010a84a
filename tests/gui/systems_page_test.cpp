#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/catalog_user.h"
#include "gui/gui_test_main.h"
#include "gui/gui_window.h"
#include "gui/list_view.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "gui/stake_dialog.h"
#include "gui/stakes_page.h"
#include "gui/systems_page.h"
#include "support/catalog_server.h"
#include "support/temp_dir.h"
#include "util/files.h"

namespace zentrix::gui {

namespace {

TComb Comb(int first) {
    TComb c;
    for (int i = 0; i < 8; ++i) c[i] = static_cast<uint8_t>(first + i);
    return c;
}

QAction* ToggleAction(TFormMain& w) {
    for (const TFormMain::TTabEntry& entry : w.TabEntries())
        if (entry.page == w.SystemsPage()) return entry.action;
    return nullptr;
}

}  // namespace

class TestSystemsPage : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
    }

    void thePageListsTheLocalSystemsChecksThemAndPlays() {
        test::TTempDir dir;
        test::TCatalogServer server;
        test::WriteArchive(dir.Path(), 100);
        test::UseCatalog(dir.Path(), server.Url(), "ann");
        EnsureDirectory(SystemsFolder(dir.Path()));
        WriteTextLines(SystemsFolder(dir.Path()) + "/8-10-2_0005.dat",
                       {"8 7 6 5 4 3 2 1", "1-3-5-7-9-2-4-6", "03,04,05,06,07,08,09,10"});
        auto w = test::OpenWindow(dir.Path());
        w->resize(1100, 760);
        QVERIFY(w->Initialized());
        TSystemsPage* page = w->SystemsPage();
        QVERIFY(page);
        QTabWidget* tabs = w->MainPages();
        QCOMPARE(tabs->tabText(tabs->indexOf(page)), QString("Системы"));
        QVERIFY(tabs->isTabVisible(tabs->indexOf(page)));
        QAction* toggle = ToggleAction(*w);
        QVERIFY(toggle);
        QCOMPARE(toggle->text(), QString("Системная игра"));
        QCOMPARE(toggle->shortcut(), QKeySequence("Ctrl+Shift+J"));
        QCOMPARE(page->Commands().playWhole->shortcut(), QKeySequence("Ctrl+Alt+J"));
        QCOMPARE(page->Commands().playFiltered->shortcut(), QKeySequence("Alt+J"));

        tabs->setCurrentWidget(page);
        TListView* local = page->LocalList();
        QCOMPARE(local->model()->rowCount(), 1);
        QCOMPARE(local->model()->index(0, 0).data().toString(), QString("8-10-2_0005"));
        QCOMPARE(local->model()->index(0, 4).data().toString(), QString("3"));
        local->selectRow(0);
        QCOMPARE(page->CheckTable()->rowCount(), 10);
        QVERIFY(page->CheckCaption()->text().contains("8-10-2_0005"));
        QVERIFY(w->grab().save(ZENTRIX_SCREENSHOT_DIR "/systems_page.png"));

        // The whole system through the multi-stake dialog, with its default comment.
        w->Session().Combs().Working() = {Comb(1), Comb(2), Comb(3)};
        QString comment;
        ModalHooks().dialogActions.push_back([&](QDialog* d) {
            auto* dialog = static_cast<TFormStake*>(d);
            comment = dialog->CommentEdit()->text();
            dialog->accept();
        });
        w->Actions().UpdateNow();
        QVERIFY(page->Commands().playWhole->isEnabled());
        page->Commands().playWhole->trigger();
        QCOMPARE(comment, QString("Системная игра для 10 чисел [вся система]: 8-10-2_0005"));
        TListView* grid = w->StakesPage()->Grid();
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(grid->model()->index(0, 1).data().toString(), QString("Система"));
        QCOMPARE(grid->SelectedRows(), std::vector<int>{2});

        // The working list as a system of its own.
        page->Commands().checkList->trigger();
        QVERIFY(page->CheckCaption()->text().contains("10 чисел"));

        // Switched off: the tab, the play commands and the list go; the setting is kept.
        toggle->trigger();
        QVERIFY(!tabs->isTabVisible(tabs->indexOf(page)));
        QVERIFY(!page->Commands().playWhole->isVisible());
        QVERIFY(!w->Session().Core().Settings().Options().SystemsEnabled);
        w->Actions().UpdateNow();
        QVERIFY(!page->Commands().playWhole->isEnabled());
        toggle->trigger();
        QVERIFY(tabs->isTabVisible(tabs->indexOf(page)));
        QCOMPARE(tabs->currentWidget(), page);
        QVERIFY(page->Commands().playFiltered->isVisible());
    }
};

ZENTRIX_GUI_TEST(TestSystemsPage);

}  // namespace zentrix::gui

#include "systems_page_test.moc"
