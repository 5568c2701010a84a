#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "app/session.h"
#include "core/archive_file.h"
#include "core/demo_archive.h"
#include "gui/action_list.h"
#include "gui/combs_page.h"
#include "gui/draw_dialog.h"
#include "gui/draws_page.h"
#include "gui/gui_test_main.h"
#include "gui/list_view.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "gui/params_dialog.h"
#include "support/temp_dir.h"
#include "util/program_folder.h"

namespace zentrix::gui {

namespace {

// Opens the real main window on a folder and waits for its start to finish.
std::unique_ptr<TFormMain> OpenWindow(const std::string& folder) {
    auto window = std::make_unique<TFormMain>(TStartupSwitches{}, folder);
    QSignalSpy ready(window.get(), &TFormMain::initializationFinished);
    window->show();
    if (!window->Initialized()) ready.wait(20000);
    return window;
}

void WriteArchive(const std::string& folder, int draws) {
    WriteDrawsFile(ProgramFile(folder, ".ldr"), MakeDemoDraws(draws, 1, 45292));
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
    }

    void statusPanelsAfterStart() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 105);
        auto w = OpenWindow(dir.Path());
        QVERIFY(w->Initialized());
        QCOMPARE(w->Panel(0)->text(), QString("Архив тиражей: 105"));
        QCOMPARE(w->Panel(1)->text(), QString("Следующий тираж: 106"));
        QCOMPARE(w->Panel(2)->text(), QString(""));
        QCOMPARE(w->Panel(3)->text(), QString("Комбинаций: 125970"));
        QVERIFY(w->windowTitle().startsWith("Zentrix 8x20 версия "));
        QCOMPARE(w->DrawsPage()->List()->model()->rowCount(), 105);
        // The reference draw two back: panel 2 shows the numbers of the draw after it.
        w->DrawsPage()->OffsetSpin()->setValue(2);
        QCOMPARE(w->Panel(1)->text(), QString("Следующий тираж: 104"));
        QVERIFY(!w->Panel(2)->text().isEmpty());
    }

    void addDrawThroughTheDialog() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 5);
        auto w = OpenWindow(dir.Path());
        // A refused line keeps the dialog open with the error; then a good line is accepted.
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            auto* dialog = static_cast<TFormDraw*>(d);
            dialog->NumbersEdit()->setText("1;2;3;4;5;6;7;8;5");
            dialog->accept();
            QVERIFY(dialog->isVisible());
            dialog->NumbersEdit()->setText("1;2;3;4;5;6;7;8;2");
            dialog->accept();
        });
        w->DrawsPage()->AddAction()->trigger();
        QCOMPARE(ModalHooks().shownMessages.size(), size_t(1));
        QCOMPARE(QString::fromStdString(ModalHooks().shownMessages[0].text),
                 QString("Введена некорректная комбинация!"));
        QCOMPARE(w->Panel(0)->text(), QString("Архив тиражей: 6"));
        QCOMPARE(w->Session().Archive().Draws().back().Number, 6);
        QCOMPARE(w->DrawsPage()->List()->model()->rowCount(), 6);
    }

    void parametersKeepSegmentDigits() {
        test::TTempDir dir;
        auto w = OpenWindow(dir.Path());
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            auto* dialog = static_cast<TFormParams*>(d);
            QTableWidget* grid = dialog->SegmentGrid();
            QCOMPARE(grid->columnCount(), 4);
            grid->item(4, 3)->setText("7");   // number 20
            grid->item(0, 1)->setText("12");  // refused: back to 1 with the error
            QCOMPARE(grid->item(0, 1)->text(), QString("1"));
            dialog->ColsSpin()->setValue(6);
            QCOMPARE(grid->columnCount(), 6);
            QCOMPARE(grid->rowCount(), 4);
            QCOMPARE(grid->item(3, 1)->text(), QString("7"));  // 20 moved with its digit
            QVERIFY(!(grid->item(3, 2)->flags() & Qt::ItemIsSelectable));  // 21 is no number
            dialog->accept();
        });
        w->ParamsAction()->trigger();
        QCOMPARE(ModalHooks().shownMessages.size(), size_t(1));
        QCOMPARE(QString::fromStdString(ModalHooks().shownMessages[0].text),
                 QString("Некорректное значение: 12!\n\nУкажите любое число от 1 до 9"));
        const TConfigData& config = w->Session().Config().Data();
        QCOMPARE(config.MatrixCols, 6);
        QCOMPARE(int(config.MatrixSegments[19]), 7);
    }

    void secondCopyIsRefused() {
        test::TTempDir dir;
        auto first = OpenWindow(dir.Path());
        QVERIFY(first->Initialized());
        auto second = std::make_unique<TFormMain>(TStartupSwitches{}, dir.Path());
        second->show();
        QTRY_VERIFY_WITH_TIMEOUT(!second->isVisible(), 10000);
        QVERIFY(!second->Initialized());
        QCOMPARE(ModalHooks().shownMessages.size(), size_t(1));
        QVERIFY(ModalHooks().shownMessages[0].text.rfind(
                    "Невозможно получить монопольный доступ к файлам данных!", 0) == 0);
        QVERIFY(first->isVisible());
    }

    void screenshot() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 10000);
        auto w = OpenWindow(dir.Path());
        w->resize(1280, 800);
        QTest::qWait(50);
        QVERIFY(w->grab().save(ZENTRIX_SCREENSHOT_DIR "/main_window.png"));
    }
};

ZENTRIX_GUI_TEST(TestMainWindow);

}  // namespace zentrix::gui

#include "main_window_test.moc"
