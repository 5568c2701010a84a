#include <QAction>
#include <QComboBox>
#include <QScopeGuard>
#include <QTest>
#include <QTextBrowser>

#include <filesystem>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/gui_test_main.h"
#include "gui/gui_window.h"
#include "gui/help_dialog.h"
#include "gui/list_view.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "gui/stats_tab.h"
#include "stats/help_pages.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/help_files.h"

namespace zentrix::gui {

namespace {

// The real help when its method pages are there, else the fixture pages.
std::string HelpWithMethodPages() {
    const std::string real = ZENTRIX_HELP_SOURCE;
    if (FileExists(real + "/Filters_1049_NUMS.htm")) return real;
    return ZENTRIX_TEST_DATA "/help";
}

QAction* StatsAction(TFormMain& w, const QString& caption) {
    for (QAction* a : w.StatsTab()->Actions())
        if (a && a->text() == caption) return a;
    return nullptr;
}

}  // namespace

class TestHelpDialog : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
        saved_ = HelpFolder();
    }
    void cleanup() { SetHelpFolder(saved_); }

    void methodPageInTheDialog() {
        SetHelpFolder(HelpWithMethodPages());
        test::TTempDir dir;
        test::WriteArchive(dir.Path(), 50);
        auto w = test::OpenWindow(dir.Path());
        QCOMPARE(w->StatsTab()->MethodBox()->currentText(), QString("{ num } Числа тиража [ N ]"));
        QAction* help = StatsAction(*w, "Описание статистики");
        QVERIFY(help);
        w->Actions().UpdateNow();
        QVERIFY(help->isEnabled());
        bool shown = false;
        ModalHooks().dialogActions.push_back([&shown](QDialog* d) {
            auto close = qScopeGuard([d] { d->reject(); });  // also when a check fails
            shown = true;
            auto* dialog = static_cast<TFormHelp*>(d);
            QCOMPARE(dialog->windowTitle(), QString("Описание методики расчета"));
            QTextBrowser* browser = dialog->Browser();
            QCOMPARE(browser->source().fileName(), QString("Filters_1049_NUMS.htm"));
            QVERIFY(browser->toPlainText().contains("NUMS"));
            dialog->resize(760, 600);
            QTest::qWait(20);
            QVERIFY(dialog->grab().save(ZENTRIX_SCREENSHOT_DIR "/help_dialog.png"));
            // A link to a guide page with an anchor opens that page.
            browser->setSource(QUrl("flags.htm#N"));
            QCOMPARE(browser->source().fileName(), QString("flags.htm"));
            QVERIFY(browser->toPlainText().contains("флаги"));
            browser->backward();
            QCOMPARE(browser->source().fileName(), QString("Filters_1049_NUMS.htm"));
            dialog->move(40, 30);
            dialog->reject();
        });
        help->trigger();
        QVERIFY(shown);
        // The placement is kept in the window settings.
        QVERIFY(ReadFileBytes(dir.File("Zentrix_8x20.frm")).find("[TFormHelp]") !=
                std::string::npos);
    }

    void withoutHelpTheDialogSaysSo() {
        SetHelpFolder("");
        test::TTempDir dir;
        test::WriteArchive(dir.Path(), 20);
        auto w = test::OpenWindow(dir.Path());
        w->Actions().UpdateNow();
        QVERIFY(!w->HelpAction()->isEnabled());
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            auto close = qScopeGuard([d] { d->reject(); });
            auto* dialog = static_cast<TFormHelp*>(d);
            QVERIFY(dialog->Browser()->toPlainText().contains("Файл справки не найден"));
            dialog->reject();
        });
        StatsAction(*w, "Описание статистики")->trigger();
    }

    void f1OpensTheContents() {
        SetHelpFolder(ZENTRIX_HELP_SOURCE);
        test::TTempDir dir;
        test::WriteArchive(dir.Path(), 20);
        auto w = test::OpenWindow(dir.Path());
        w->Actions().UpdateNow();
        QAction* f1 = w->HelpAction();
        QCOMPARE(f1->text(), QString("Справка"));
        QCOMPARE(f1->shortcut(), QKeySequence("F1"));
        QVERIFY(f1->isEnabled());
        bool shown = false;
        ModalHooks().dialogActions.push_back([&shown](QDialog* d) {
            auto close = qScopeGuard([d] { d->reject(); });  // also when a check fails
            shown = true;
            auto* dialog = static_cast<TFormHelp*>(d);
            QCOMPARE(dialog->windowTitle(), QString("Справка"));
            QCOMPARE(dialog->Browser()->source().fileName(), QString("index.htm"));
            QVERIFY(dialog->Browser()->toPlainText().contains("Таблица статистики"));
            dialog->resize(760, 600);
            QVERIFY(dialog->grab().save(ZENTRIX_SCREENSHOT_DIR "/help_contents.png"));
            dialog->reject();
        });
        f1->trigger();
        QVERIFY(shown);
    }

    void columnHeadersHaveHints() {
        test::TTempDir dir;
        test::WriteArchive(dir.Path(), 20);
        auto w = test::OpenWindow(dir.Path());
        QAbstractItemModel* model = w->StatsTab()->Table()->model();
        for (int c = 0; c < kStatColumnCount; ++c)
            QCOMPARE(model->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString(),
                     QString::fromUtf8(StatColumnHints()[c]));
    }

  private:
    std::string saved_;
};

ZENTRIX_GUI_TEST(TestHelpDialog);

}  // namespace zentrix::gui

#include "help_dialog_test.moc"
