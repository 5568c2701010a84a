#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <sys/stat.h>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>

#include <filesystem>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/combs_page.h"
#include "gui/draw_dialog.h"
#include "gui/draws_page.h"
#include "gui/favourites_dialog.h"
#include "gui/generate_dialog.h"
#include "gui/gui_test_main.h"
#include "gui/gui_window.h"
#include "gui/list_view.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "gui/params_dialog.h"
#include "gui/stats_tab.h"
#include "stats/stat_table.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/program_folder.h"

namespace zentrix::gui {

namespace {

using test::OpenWindow;
using test::WriteArchive;

// Every entry of the folder with its size and time of change.
std::string FolderState(const std::string& folder) {
    std::string state;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
        struct stat st {};
        ::lstat(e.path().c_str(), &st);
        state += e.path().string() + " " + std::to_string(st.st_size) + " " +
                 std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec) +
                 "\n";
    }
    return state;
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

    void generateFilterFromTheTableAndUndo() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 200);
        auto w = OpenWindow(dir.Path());
        // A new list of the combinations made of 1..9 only.
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            auto* dialog = static_cast<TFormGenerate*>(d);
            dialog->ModeBox()->setCurrentIndex(2);
            dialog->ParameterEdit()->setText("1;2;3;4;5;6;7;8;9");
            dialog->accept();
        });
        w->CombsPage()->GenerateAction()->trigger();
        QCOMPARE(w->Panel(3)->text(), QString("Комбинаций: 9"));
        QVERIFY(!w->CombsPage()->UndoAction()->isEnabled());

        // Remove the combinations holding 5: only 1..4,6..9 is left.
        TStatsTab* tab = w->StatsTab();
        QCOMPARE(tab->MethodBox()->currentText(), QString("{ num } Числа тиража [ N ]"));
        QAbstractItemModel* model = tab->Table()->model();
        QCOMPARE(model->rowCount(), 20);
        int row = -1;
        for (int r = 0; r < model->rowCount(); ++r)
            if (model->index(r, 0).data().toString() == "5") row = r;
        QVERIFY(row >= 0);
        tab->Table()->selectRow(row);
        w->Actions().UpdateNow();
        QVERIFY(tab->ExcludeAction()->isEnabled());
        tab->ExcludeAction()->trigger();
        QCOMPARE(w->Panel(3)->text(), QString("Комбинаций: 1"));
        QCOMPARE(w->CombsPage()->List()->model()->index(0, 5).data().toString(), QString("6"));
        QAbstractItemModel* log = w->CombsPage()->FilterLog()->model();
        QCOMPARE(log->rowCount(), 1);
        QCOMPARE(log->index(0, 1).data().toString(), QString("5"));
        QCOMPARE(log->index(0, 2).data().toString(), QString("1"));

        w->Actions().UpdateNow();
        QVERIFY(w->CombsPage()->UndoAction()->isEnabled());
        w->CombsPage()->UndoAction()->trigger();
        QCOMPARE(w->Panel(3)->text(), QString("Комбинаций: 9"));
        QCOMPARE(log->rowCount(), 0);
        w->Actions().UpdateNow();
        QVERIFY(!w->CombsPage()->UndoAction()->isEnabled());
    }

    void favouritesManagerChoosesTheListedMethods() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 50);
        auto w = OpenWindow(dir.Path());
        QComboBox* methods = w->StatsTab()->MethodBox();
        const int all = methods->count();
        QVERIFY(all > 30);
        auto click = [](QDialog* d, const QString& caption) {
            for (QPushButton* b : d->findChildren<QPushButton*>())
                if (b->text() == caption) b->click();
        };
        // Only the first method stays marked.
        ModalHooks().dialogActions.push_back([click](QDialog* d) {
            click(d, "Сбросить все");
            auto* dialog = static_cast<TFormFavourites*>(d);
            QTreeWidgetItem* first = dialog->Tree()->topLevelItem(0)->child(0);
            first->setCheckState(0, Qt::Checked);
            dialog->accept();
        });
        w->StatsTab()->Actions()[8]->trigger();
        QCOMPARE(methods->count(), 1);
        QCOMPARE(methods->currentText(), QString("{ num } Числа тиража [ N ]"));
        QVERIFY(ReadFileBytes(dir.File("Zentrix_8x20.flt")).find("Favorites=NUMS") !=
                std::string::npos);
        // Choosing none means all.
        ModalHooks().dialogActions.push_back([click](QDialog* d) {
            click(d, "Сбросить все");
            static_cast<TFormFavourites*>(d)->accept();
        });
        w->StatsTab()->Actions()[8]->trigger();
        QCOMPARE(methods->count(), all);
    }

    void firstRunDialogCanBeTurnedOff() {
        test::TTempDir dir;
        AtomicWriteFile(dir.File("Zentrix_8x20.frm"), "[TFormMain]\r\nFirstRun=1\r\n");
        bool shown = false;
        ModalHooks().dialogActions.push_back([&shown](QDialog* d) {
            shown = d->objectName() == "FormFirstRun";
            d->findChild<QCheckBox*>()->setChecked(true);
            d->reject();
        });
        auto w = OpenWindow(dir.Path());
        QVERIFY(shown);
        QVERIFY(ReadFileBytes(dir.File("Zentrix_8x20.frm")).find("FirstRun=0") !=
                std::string::npos);
    }

    void comparisonRepaintsWhileFilesAreBuilt() {
        test::TTempDir dir;
        WriteArchive(dir.Path(), 500);
        auto w = OpenWindow(dir.Path());
        TListView* table = w->StatsTab()->Table();
        QVERIFY(table->isColumnHidden(kColNorm));
        // Building the files lets the window repaint while the table is being replaced.
        w->StatsTab()->PrefetchsAction()->trigger();
        QVERIFY(w->StatsTab()->PrefetchsAction()->isChecked());
        QVERIFY(!table->isColumnHidden(kColNorm));
        QCOMPARE(table->model()->rowCount(), 20);
        QVERIFY(table->model()->index(0, kColNorm).data().toString() != "-");
        QVERIFY(ModalHooks().shownMessages.empty());
    }

    void secondCopyIsRefused() {
        test::TTempDir dir;
        auto first = OpenWindow(dir.Path());
        QVERIFY(first->Initialized());
        // Without window settings a copy writes its first-start keys: the second must not.
        std::filesystem::remove(ProgramFile(dir.Path(), ".frm"));
        const std::string before = FolderState(dir.Path());
        auto second = std::make_unique<TFormMain>(TStartupSwitches{}, dir.Path());
        second->show();
        QTRY_VERIFY_WITH_TIMEOUT(!second->isVisible(), 10000);
        QVERIFY(!second->Initialized());
        QCOMPARE(ModalHooks().shownMessages.size(), size_t(1));
        QVERIFY(ModalHooks().shownMessages[0].text.rfind(
                    "Невозможно получить монопольный доступ к файлам данных!", 0) == 0);
        QVERIFY(first->isVisible());
        second.reset();
        QCOMPARE(FolderState(dir.Path()), before);
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
