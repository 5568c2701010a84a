#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include "app/session.h"
#include "app/update_controller.h"
#include "exchange/update_package.h"
#include "gui/gui_test_main.h"
#include "gui/gui_window.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "gui/update_actions.h"
#include "gui/update_dialog.h"
#include "support/tar_writer.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/ini.h"
#include "util/program_folder.h"

namespace zentrix::gui {

class TestUpdate : public QObject {
    Q_OBJECT

    test::TTempDir data_, program_, served_;
    std::string updates_;

    QAction* MenuAction(TFormMain& w, const QString& menu, const QString& caption) {
        for (QAction* m : w.menuBar()->actions())
            if (m->text() == menu && m->menu())
                for (QAction* a : m->menu()->actions())
                    if (a->text() == caption) return a;
        return nullptr;
    }

  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
        updates_ = served_.File("updates");
        std::filesystem::create_directories(updates_ + "/UpdDescr");
        const std::string package = updates_ + "/package.tar.gz";
        test::WriteTarGz(package, {{"Zentrix_8x20", "new program"}});
        WriteTextLines(updates_ + "/UpdDescr/UpdDescr_RUS_1.0.0.58.txt",
                       {"- Быстрее фильтры", "- Исправлена загрузка тиражей"});
        WriteTextLines(updates_ + "/Numerra_AU.cfg",
                       {"[Zentrix_8x20.exe]", "VerId=1.0.0.58", "Description=Zentrix 8x20 1.0.58",
                        "DownloadUrl=" + package, "ChecksumCRC32=" + FileCrc32(package),
                        "ChecksumSHA256=" + FileSha256(package)});
        AtomicWriteFile(program_.File("Zentrix_8x20"), "old program");
        TIniFile ini(ProgramFile(data_.Path(), ".ini"));
        ini.WriteString("SERVICES", "UpdateUrl", updates_ + "/Numerra_AU.cfg");
        ini.UpdateFile();
    }

    void menuHoldsTheActionsAndTheOptionIsStored() {
        auto w = test::OpenWindow(data_.Path());
        QAction* check = MenuAction(*w, "Справка", "Поиск обновлений");
        QAction* autoUpdate = MenuAction(*w, "Справка", "Автоматическое обновление");
        QVERIFY(check && autoUpdate);
        QVERIFY(check->isEnabled());
        QVERIFY(!autoUpdate->isChecked());
        autoUpdate->trigger();
        QVERIFY(TIniFile(ProgramFile(data_.Path(), ".frm"))
                    .ReadBool("TFormMain", "AutoUpdates", false));
    }

    void dialogShowsTheOfferAndInstallRestarts() {
        auto w = test::OpenWindow(data_.Path());
        TUpdateActions& actions = *w->UpdateActions();
        actions.Controller().SetProgramFolder(program_.Path());
        actions.Controller().SetOwnVersion("1.0.0.57");
        int restarts = 0;
        actions.SetRestartHook([&] { ++restarts; });
        QString current, offered, notes;
        ModalHooks().dialogActions.push_back([&](QDialog* d) {
            current = d->findChild<QLineEdit*>("edCurrentVersion")->text();
            offered = d->findChild<QLineEdit*>("edNewVersion")->text();
            notes = d->findChild<QPlainTextEdit*>("mmNotes")->toPlainText();
            d->grab().save(ZENTRIX_SCREENSHOT_DIR "/update_dialog.png");
            d->findChild<QPushButton*>("btInstall")->click();
        });
        actions.CheckUpdate()->trigger();
        QCOMPARE(current, QString("1.0.0.57"));
        QCOMPARE(offered, QString("Zentrix 8x20 1.0.58"));
        QCOMPARE(notes, QString("- Быстрее фильтры\n- Исправлена загрузка тиражей"));
        QCOMPARE(restarts, 1);
        QCOMPARE(ReadFileBytes(program_.File("Zentrix_8x20")), std::string("new program"));
        QVERIFY(!ModalHooks().shownMessages.empty());
        QCOMPARE(QString::fromStdString(ModalHooks().shownMessages.back().title),
                 QString("Внимание!"));
    }

    void cancelInstallsNothing() {
        auto w = test::OpenWindow(data_.Path());
        TUpdateActions& actions = *w->UpdateActions();
        actions.Controller().SetProgramFolder(program_.Path());
        actions.Controller().SetOwnVersion("1.0.0.57");
        int restarts = 0;
        actions.SetRestartHook([&] { ++restarts; });
        ModalHooks().dialogActions.push_back(
            [](QDialog* d) { d->findChild<QPushButton*>("btCancel")->click(); });
        actions.CheckUpdate()->trigger();
        QCOMPARE(restarts, 0);
        QCOMPARE(ReadFileBytes(program_.File("Zentrix_8x20")), std::string("old program"));
    }
};

ZENTRIX_GUI_TEST(TestUpdate);

}  // namespace zentrix::gui

#include "update_test.moc"
