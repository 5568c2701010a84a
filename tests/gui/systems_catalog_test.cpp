#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/catalog_user.h"
#include "gui/gui_test_main.h"
#include "gui/gui_window.h"
#include "gui/list_view.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "gui/system_dialog.h"
#include "gui/systems_catalog_panel.h"
#include "gui/systems_page.h"
#include "support/catalog_server.h"
#include "support/temp_dir.h"
#include "util/files.h"

namespace zentrix::gui {

namespace {

QString Cell(TSystemsCatalogPanel* panel, int row, int column) {
    return panel->List()->model()->index(row, column).data().toString();
}

// The row showing the title, -1 when none.
int RowOf(TSystemsCatalogPanel* panel, const QString& title) {
    for (int r = 0; r < panel->List()->model()->rowCount(); ++r)
        if (Cell(panel, r, 0) == title) return r;
    return -1;
}

void SelectRows(TSystemsCatalogPanel* panel, const std::vector<int>& rows) {
    TListView* list = panel->List();
    list->clearSelection();
    for (int r : rows)
        list->selectionModel()->select(list->model()->index(r, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->selectionModel()->setCurrentIndex(list->model()->index(rows.front(), 0),
                                            QItemSelectionModel::NoUpdate);
}

QMenu* SystemsMenu(TFormMain& w) {
    for (QAction* m : w.menuBar()->actions())
        if (m->text() == "Системы" && m->menu()) return m->menu();
    return nullptr;
}

const char* const kNineLines = "1 2 3 4 5 6 7 8\n2-3-4-5-6-7-8-9\n1 2 3\n";

}  // namespace

class TestSystemsCatalog : public QObject {
    Q_OBJECT

    test::TCatalogServer server_;
    test::TTempDir ann_, bob_;

    std::unique_ptr<TFormMain> Open(const test::TTempDir& dir, const std::string& name) {
        test::UseCatalog(dir.Path(), server_.Url(), name);
        auto w = test::OpenWindow(dir.Path());
        w->resize(1200, 820);
        w->MainPages()->setCurrentWidget(w->SystemsPage());
        return w;
    }

  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
    }

    // Ann publishes two systems for nine numbers; bob lists, downloads, looks and may not delete;
    // ann deletes her own.
    void listDownloadAddPropertiesDelete() {
        {
            auto w = Open(ann_, "ann");
            TSystemsCatalogPanel* panel = w->SystemsPage()->Catalog();
            QCOMPARE(panel->List()->model()->rowCount(), 0);
            QCOMPARE(panel->List()->objectName(), QString("lvSystems"));
            // The commands in the menu "Системы" and their hints.
            QMenu* menu = SystemsMenu(*w);
            QVERIFY(menu);
            const auto& a = panel->Commands();
            for (QAction* action : panel->Actions()) QVERIFY(menu->actions().contains(action));
            QCOMPARE(a.refresh->statusTip(), QString("Перезагрузить список с сервера"));
            QCOMPARE(a.remove->statusTip(), QString("Удалить свои системы из списка"));
            w->Actions().UpdateNow();
            QVERIFY(a.add->isEnabled());
            QVERIFY(!a.download->isEnabled());

            // "Добавить" through the dialog: the list is read when it is left; OK checks first.
            bool wasEditable = false;
            QString nums, csize, author, firstProblem;
            ModalHooks().dialogActions.push_back([&](QDialog* d) {
                auto* dialog = static_cast<TFormSystem*>(d);
                wasEditable = dialog->Editable() && dialog->OkButton()->isVisibleTo(dialog);
                author = dialog->AuthorEdit()->text();
                dialog->TitleEdit()->setText("Девять");
                dialog->ListEdit()->setPlainText(kNineLines);
                dialog->NormalizeList();
                nums = dialog->NumsEdit()->text();
                csize = dialog->CsizeEdit()->text();
                dialog->BlockEdit()->setText("3");
                dialog->UrlEdit()->setText("https://example.org/nine");
                dialog->OkButton()->click();  // no description yet
                firstProblem = QString::fromStdString(ModalHooks().shownMessages.back().text);
                dialog->DescrEdit()->setPlainText("Две строки");
                QVERIFY(dialog->grab().save(ZENTRIX_SCREENSHOT_DIR "/system_dialog.png"));
                dialog->OkButton()->click();
            });
            a.add->trigger();
            QVERIFY(wasEditable);
            QCOMPARE(author, QString("ann"));
            QCOMPARE(nums, QString("9"));
            QCOMPARE(csize, QString("2"));
            QCOMPARE(firstProblem, QString("Описание системы должно быть указано обязательно!"));
            QCOMPARE(panel->List()->model()->rowCount(), 1);
            QCOMPARE(Cell(panel, 0, 0), QString("Девять"));
            QCOMPARE(Cell(panel, 0, 2), QString("09"));
            QCOMPARE(Cell(panel, 0, 3), QString("3"));
            QCOMPARE(Cell(panel, 0, 4), QString("2"));
            QCOMPARE(panel->IconKind(0), 0);  // own, not downloaded
            QCOMPARE(panel->List()->SelectedRows(), std::vector<int>{0});

            TSystemData second = w->Session().SystemsCatalog().NewSystem();
            second.info.title = "Девять-2";
            second.info.descr = "Три строки";
            second.info.nums = 9;
            second.info.csize = 3;
            second.list =
                "01 02 03 04 05 06 07 08\r\n02 03 04 05 06 07 08 09\r\n"
                "01 03 04 05 06 07 08 09\r\n";
            QVERIFY(w->Session().SystemsCatalog().AddSystem(second));
        }

        auto w = Open(bob_, "bob");
        TSystemsCatalogPanel* panel = w->SystemsPage()->Catalog();
        const auto& a = panel->Commands();
        QCOMPARE(panel->List()->model()->rowCount(), 2);
        const int nine = RowOf(panel, "Девять"), nine2 = RowOf(panel, "Девять-2");
        QVERIFY(nine >= 0 && nine2 >= 0);
        QCOMPARE(Cell(panel, nine, 1), QString("ann"));
        QCOMPARE(Cell(panel, nine, 5).size(), 19);  // yyyy-mm-dd hh:mm:ss
        QCOMPARE(Cell(panel, nine, 6), QString());
        QCOMPARE(Cell(panel, nine, 10), QString("https://example.org/nine"));
        QCOMPARE(panel->IconKind(nine), 1);  // another's, not downloaded
        QCOMPARE(w->SystemsPage()->LocalList()->model()->rowCount(), 0);

        // Both downloaded in list order: the second replaces the first (one system per N) and
        // is deselected; the first selected one stays selected.
        SelectRows(panel, {nine, nine2});
        w->Actions().UpdateNow();
        QVERIFY(a.download->isEnabled());
        QVERIFY(!a.remove->isEnabled());  // not bob's
        a.download->trigger();
        const std::string folder = SystemsFolder(bob_.Path());
        QVERIFY(!FileExists(folder + "/8-09-3_0001.dat"));
        QVERIFY(FileExists(folder + "/8-09-0_0002.dat"));
        QCOMPARE(Cell(panel, nine, 6), QString());
        QCOMPARE(Cell(panel, nine2, 6), QString("Загружена"));
        QCOMPARE(panel->IconKind(nine), 1);
        QCOMPARE(panel->IconKind(nine2), 4);  // another's, downloaded
        QCOMPARE(panel->List()->SelectedRows(), std::vector<int>{nine});
        QCOMPARE(w->SystemsPage()->LocalList()->model()->rowCount(), 1);

        // Only the first now.
        a.download->trigger();
        QVERIFY(FileExists(folder + "/8-09-3_0001.dat"));
        QVERIFY(!FileExists(folder + "/8-09-0_0002.dat"));
        QCOMPARE(panel->IconKind(nine), 4);
        QCOMPARE(panel->IconKind(nine2), 1);
        QCOMPARE(Cell(panel, nine, 6), QString("Загружена"));
        QVERIFY(w->grab().save(ZENTRIX_SCREENSHOT_DIR "/systems_catalog.png"));

        // Another user's system opens read-only.
        bool okShown = true, titleReadOnly = false, closeFocused = false, linkEnabled = false;
        QString list;
        ModalHooks().dialogActions.push_back([&](QDialog* d) {
            auto* dialog = static_cast<TFormSystem*>(d);
            okShown = dialog->OkButton()->isVisibleTo(dialog);
            titleReadOnly = dialog->TitleEdit()->isReadOnly() && dialog->ListEdit()->isReadOnly();
            closeFocused = dialog->focusWidget() == dialog->CloseButton();
            linkEnabled = dialog->OpenUrlButton()->isEnabled();
            list = dialog->ListEdit()->toPlainText();
            QMenu* menu = dialog->ListMenu();
            QVERIFY(!menu->actions()[1]->isEnabled());  // no pasting
            QVERIFY(menu->actions()[2]->isEnabled());   // select all
            dialog->OpenUrlButton()->click();
            QVERIFY(dialog->grab().save(ZENTRIX_SCREENSHOT_DIR "/system_dialog_readonly.png"));
            dialog->CloseButton()->click();
        });
        SelectRows(panel, {nine});
        w->Actions().UpdateNow();
        QVERIFY(a.properties->isEnabled());
        a.properties->trigger();
        QVERIFY(!okShown);
        QVERIFY(titleReadOnly);
        QVERIFY(closeFocused);
        QVERIFY(linkEnabled);
        QCOMPARE(list, QString("01 02 03 04 05 06 07 08\n02 03 04 05 06 07 08 09"));
        QCOMPARE(ModalHooks().openedDocuments,
                 std::vector<std::string>{"https://example.org/nine"});

        // Deleting another user's system is refused.
        ModalHooks().shownMessages.clear();
        panel->DeleteSelected();
        QCOMPARE(ModalHooks().shownMessages.size(), size_t(1));
        QCOMPARE(QString::fromStdString(ModalHooks().shownMessages[0].text),
                 QString("Вы можете удалять только свои системы!"));
        QCOMPARE(panel->List()->model()->rowCount(), 2);

        // Switched off, the list is empty; on again, it is loaded.
        QAction* toggle = nullptr;
        for (const TFormMain::TTabEntry& entry : w->TabEntries())
            if (entry.page == w->SystemsPage()) toggle = entry.action;
        toggle->trigger();
        QCOMPARE(panel->List()->model()->rowCount(), 0);
        toggle->trigger();
        QCOMPARE(panel->List()->model()->rowCount(), 2);
        w.reset();

        // Ann deletes her own after the question.
        auto own = Open(ann_, "ann");
        panel = own->SystemsPage()->Catalog();
        SelectRows(panel, {RowOf(panel, "Девять")});
        own->Actions().UpdateNow();
        QVERIFY(panel->Commands().remove->isEnabled());
        ModalHooks().shownMessages.clear();
        ModalHooks().answers.push_back(TMsgResult::Yes);
        panel->Commands().remove->trigger();
        QCOMPARE(ModalHooks().shownMessages.size(), size_t(1));
        QCOMPARE(QString::fromStdString(ModalHooks().shownMessages[0].text),
                 QString("Вы действительно хотите удалить систему \"Девять\"?"));
        QCOMPARE(ModalHooks().shownMessages[0].defaultButton, TMsgResult::No);
        QCOMPARE(panel->List()->model()->rowCount(), 1);
        QCOMPARE(RowOf(panel, "Девять"), -1);
    }

    // The list's column widths and sort are kept in the window settings.
    void columnsAndSortAreKept() {
        test::TTempDir dir;
        {
            auto w = Open(dir, "carl");
            TListView* list = w->SystemsPage()->Catalog()->List();
            QCOMPARE(list->horizontalHeader()->sortIndicatorSection(), 2);
            list->setColumnWidth(0, 333);
            list->horizontalHeader()->sectionClicked(4);
            w->close();
        }
        auto w = Open(dir, "carl");
        TListView* list = w->SystemsPage()->Catalog()->List();
        QCOMPARE(list->columnWidth(0), 333);
        QCOMPARE(list->horizontalHeader()->sortIndicatorSection(), 4);
    }
};

ZENTRIX_GUI_TEST(TestSystemsCatalog);

}  // namespace zentrix::gui

#include "systems_catalog_test.moc"
