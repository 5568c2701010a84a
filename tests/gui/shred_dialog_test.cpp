#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpinBox>
#include <QTest>

#include "app/session.h"
#include "gui/gui_test_main.h"
#include "gui/gui_window.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "gui/shred_dialog.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/ini.h"

namespace zentrix::gui {

class TestShredDialog : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
    }

    void openedFromTheFileMenu() {
        test::TTempDir dir;
        test::WriteArchive(dir.Path(), 30);
        auto w = test::OpenWindow(dir.Path());
        QAction* action = w->ShreddingAction();
        QCOMPARE(action->text(), QString("Формулы шинковки"));
        QCOMPARE(action->statusTip(), QString("Редактирование формул для методов шинковки"));
        QMenu* file = nullptr;
        for (QAction* top : w->menuBar()->actions())
            if (top->text() == "Файл") file = top->menu();
        QVERIFY(file);
        QVERIFY(file->actions().contains(action));
    }

    void okSavesAndRenamesTheMethods() {
        test::TTempDir dir;
        test::WriteArchive(dir.Path(), 30);
        auto w = test::OpenWindow(dir.Path());
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            auto* dialog = static_cast<TFormShredding*>(d);
            QCOMPARE(dialog->windowTitle(), QString("Методы шинковки"));
            QCOMPARE(dialog->FormulaEdit(0)->text(), QString("(n1+n2+n3+n4)/(n5+n6+n7+n8)"));
            QCOMPARE(dialog->FormulaEdit(1)->toolTip(), QString("Используемая формула"));
            QCOMPARE(dialog->DigitsSpin(2)->value(), 2);
            QCOMPARE(dialog->DigitsSpin(2)->maximum(), 5);
            dialog->FormulaEdit(0)->setText("n1/(p1+1)");
            dialog->DigitsSpin(0)->setValue(3);
            dialog->resize(dialog->sizeHint());
            QVERIFY(dialog->grab().save(ZENTRIX_SCREENSHOT_DIR "/shred_dialog.png"));
            dialog->accept();
        });
        w->ShreddingAction()->trigger();
        const TIniFile ini(dir.File("Zentrix_8x20.ini"));
        QCOMPARE(QString::fromStdString(ini.ReadString("SHREDDING", "Formula1", "")),
                 QString("n1/(p1+1)"));
        QCOMPARE(ini.ReadInteger("SHREDDING", "Formula1Digits", 0), 3);
        QVERIFY(FileExists(dir.File("Prefetchs/Zentrix_8x20_SHR1.dfc")));
        const TStatList& registry = w->Session().Stats().Registry();
        QCOMPARE(QString::fromStdString(
                     registry.EntryName(registry.MethodAt(registry.FindCode("SHR1")))),
                 QString("Метод шинковки 1: n1/(p1+1)"));
    }

    void cancelChangesNothing() {
        test::TTempDir dir;
        test::WriteArchive(dir.Path(), 30);
        auto w = test::OpenWindow(dir.Path());
        const bool hadIni = FileExists(dir.File("Zentrix_8x20.ini"));
        const std::string before = hadIni ? ReadFileBytes(dir.File("Zentrix_8x20.ini")) : "";
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            auto* dialog = static_cast<TFormShredding*>(d);
            dialog->FormulaEdit(0)->setText("p1");
            dialog->reject();
        });
        w->ShreddingAction()->trigger();
        QCOMPARE(FileExists(dir.File("Zentrix_8x20.ini")), hadIni);
        if (hadIni) QCOMPARE(ReadFileBytes(dir.File("Zentrix_8x20.ini")), before);
        QCOMPARE(QString::fromStdString(w->Session().Config().Settings().formulas[0]),
                 QString("(n1+n2+n3+n4)/(n5+n6+n7+n8)"));
    }
};

ZENTRIX_GUI_TEST(TestShredDialog);

}  // namespace zentrix::gui

#include "shred_dialog_test.moc"
