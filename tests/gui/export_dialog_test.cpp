#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "app/session.h"
#include "gui/export_commands.h"
#include "gui/export_dialog.h"
#include "gui/gui_test_main.h"
#include "gui/gui_window.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/ini.h"

namespace zentrix::gui {

namespace {

QMenu* ExportMenu(TFormMain& w) {
    for (QAction* top : w.menuBar()->actions())
        if (top->text() == "Экспорт") return top->menu();
    return nullptr;
}

}  // namespace

class TestExportDialog : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
    }

    void commandsInTheExportMenu() {
        test::TTempDir dir;
        test::WriteArchive(dir.Path(), 30);
        auto w = test::OpenWindow(dir.Path());
        QMenu* menu = ExportMenu(*w);
        QVERIFY(menu);
        QStringList captions;
        for (QAction* a : menu->actions()) captions << a->text();
        QCOMPARE(captions, QStringList({"Экспорт в Microsoft Excel", "Экспорт в Microsoft Excel",
                                        "Экспорт статистики в Microsoft Excel",
                                        "Экспорт ставок в Microsoft Excel",
                                        "Экспорт рейтинга в Microsoft Excel",
                                        "Экспорт карты тиражей в Microsoft Excel",
                                        "Экспорт схемы в Microsoft Excel"}));
        QCOMPARE(menu->actions()[0]->statusTip(),
                 QString("Экспорт списка тиражей в Microsoft Excel"));
        QVERIFY(menu->actions()[0]->isEnabled());
        QVERIFY(!menu->actions()[3]->isEnabled());  // no stakes
        QVERIFY(!menu->actions()[4]->isEnabled());  // no ratings
    }

    void dialogEditsAndExports() {
        test::TTempDir dir;
        test::WriteArchive(dir.Path(), 30);
        auto w = test::OpenWindow(dir.Path());
        const std::string out = dir.File("draws.xlsx");
        ModalHooks().files.push_back(out);
        bool shown = false;
        ModalHooks().dialogActions.push_back([&shown](QDialog* d) {
            auto* dialog = static_cast<TFormExportExcel*>(d);
            shown = true;
            QCOMPARE(dialog->windowTitle(), QString("Экспорт в Microsoft Excel"));
            QCOMPARE(dialog->TitleEdit()->text(), QString("Архив тиражей"));
            QCOMPARE(dialog->SheetNameEdit()->text(), QString("Архив тиражей"));
            QCOMPARE(dialog->FontSizeSpin()->value(), 8);
            QVERIFY(dialog->DateLineCheck()->isChecked());
            QVERIFY(dialog->SaveCheck()->isChecked());
            QCOMPARE(dialog->RowModeBox()->currentIndex(), 0);
            QCOMPARE(dialog->RowCountEdit()->text(), QString("30"));
            dialog->RowModeBox()->setCurrentIndex(1);
            QCOMPARE(dialog->RowCountEdit()->text(), QString("0"));
            dialog->RowModeBox()->setCurrentIndex(0);
            dialog->NotesEdit()->setText("Проверка");
            dialog->resize(dialog->sizeHint().expandedTo(QSize(560, 420)));
            QVERIFY(dialog->grab().save(ZENTRIX_SCREENSHOT_DIR "/export_dialog_sheet.png"));

            dialog->Pages()->setCurrentIndex(1);
            QTreeWidget* list = dialog->FieldList();
            QCOMPARE(list->topLevelItemCount(), 12);
            QCOMPARE(list->topLevelItem(0)->text(0), QString("Тираж"));
            QVERIFY(!dialog->UpAction()->isEnabled());
            // The first field unchecked goes last.
            list->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
            QCoreApplication::processEvents();
            QCOMPARE(list->topLevelItem(11)->text(0), QString("Тираж"));
            QCOMPARE(list->topLevelItem(11)->checkState(0), Qt::Unchecked);
            // Properties of the selected field.
            list->setCurrentItem(list->topLevelItem(0));
            ModalHooks().dialogActions.push_back([](QDialog* f) {
                auto* field = static_cast<TFormExportField*>(f);
                QCOMPARE(field->windowTitle(), QString("Параметры поля"));
                QCOMPARE(field->CaptionEdit()->text(), QString("1"));
                field->CaptionEdit()->setText("Первое");
                field->AlignmentBox()->setCurrentIndex(2);
                field->WidthSpin()->setValue(6.5);
                field->accept();
            });
            dialog->PropertiesAction()->trigger();
            QCOMPARE(list->topLevelItem(0)->text(0), QString("Первое"));
            QCOMPARE(list->topLevelItem(0)->text(1), QString("по центру"));
            QCOMPARE(list->topLevelItem(0)->text(2), QString::fromStdString(ExportWidthText(6.5)));
            list->setCurrentItem(list->topLevelItem(1));
            dialog->UpAction()->trigger();
            QCOMPARE(list->topLevelItem(0)->text(0), QString("2"));
            QVERIFY(dialog->grab().save(ZENTRIX_SCREENSHOT_DIR "/export_dialog_fields.png"));
            dialog->accept();
        });
        QMenu* menu = ExportMenu(*w);
        QVERIFY(menu);
        menu->actions()[0]->trigger();
        QVERIFY(shown);
        QVERIFY(FileExists(out));
        QCOMPARE(ModalHooks().openedDocuments, std::vector<std::string>{out});
        const TIniFile ini(dir.File("Zentrix_8x20.ini"));
        QCOMPARE(
            QString::fromStdString(ini.ReadString("EXPORT_EXCEL_FORMMAIN.LVDRAWS", "Notes", "")),
            QString("Проверка"));
        QCOMPARE(
            QString::fromStdString(ini.ReadString("EXPORT_EXCEL_FORMMAIN.LVDRAWS", "Item_1", "")),
            QString::fromStdString("1;1;Первое;-1;2;" + ExportWidthText(6.5)));
    }

    void cancelExportsNothing() {
        test::TTempDir dir;
        test::WriteArchive(dir.Path(), 30);
        auto w = test::OpenWindow(dir.Path());
        ModalHooks().files.push_back(dir.File("x.xlsx"));
        ModalHooks().dialogActions.push_back([](QDialog* d) { d->reject(); });
        ExportMenu(*w)->actions()[0]->trigger();
        QVERIFY(!FileExists(dir.File("x.xlsx")));
        QVERIFY(ModalHooks().openedDocuments.empty());
        const TIniFile ini(dir.File("Zentrix_8x20.ini"));
        QVERIFY(!ini.SectionExists("EXPORT_EXCEL_FORMMAIN.LVDRAWS"));
    }
};

ZENTRIX_GUI_TEST(TestExportDialog);

}  // namespace zentrix::gui

#include "export_dialog_test.moc"
