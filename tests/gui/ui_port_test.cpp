#include <QLabel>
#include <QTest>
#include <QWidget>

#include "gui/gui_test_main.h"
#include "gui/modal_hooks.h"
#include "gui/qt_ui_port.h"

namespace zentrix::gui {

class TestQtUiPort : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
    }

    void scriptedMessagesAndDefaults() {
        QWidget window;
        TQtUiPort ui(&window);
        ModalHooks().answers.push_back(TMsgResult::Yes);
        TMessage question{TMsgKind::Question, "Подтверждение", "Да?", TMsgButtons::YesNo,
                          TMsgResult::No};
        QCOMPARE(ui.ShowMessage(question), TMsgResult::Yes);
        QCOMPARE(ui.ShowMessage(question), TMsgResult::No);  // unanswered: the default button
        QCOMPARE(ModalHooks().shownMessages.size(), size_t(2));
        QCOMPARE(ui.ChooseFile({}), std::optional<std::string>());
        ModalHooks().files.push_back("/tmp/a.lcv");
        QCOMPARE(ui.ChooseFile({}), std::optional<std::string>("/tmp/a.lcv"));
    }

    void fileDialogsOpenInTheDataFolderThenTheLastOneUsed() {
        QWidget window;
        TQtUiPort ui(&window);
        ui.SetDataFolder("/data/zentrix");
        QCOMPARE(ui.DialogFolder({}), QString("/data/zentrix"));
        TFileChoice own;
        own.initialFolder = "/data/other";
        QCOMPARE(ui.DialogFolder(own), QString("/data/other"));
        ModalHooks().files.push_back(std::nullopt);  // cancelled: nothing learnt
        QCOMPARE(ui.ChooseFile({}), std::optional<std::string>());
        QCOMPARE(ui.DialogFolder({}), QString("/data/zentrix"));
        ModalHooks().files.push_back("/home/user/lists/a.lcv");
        ui.ChooseFile({});
        QCOMPARE(ui.DialogFolder({}), QString("/home/user/lists"));
        QCOMPARE(ui.DialogFolder(own), QString("/home/user/lists"));
    }

    void statusPanelsAndFilters() {
        QWidget window;
        TQtUiPort ui(&window);
        std::array<QLabel*, 7> panels;
        for (auto& p : panels) p = new QLabel(&window);
        ui.SetPanels(panels);
        ui.SetStatusPanel(TStatusPanel::Archive, "Архив тиражей: 5");
        ui.ShowStatus("Инициализация...");
        QCOMPARE(panels[0]->text(), QString("Архив тиражей: 5"));
        QCOMPARE(panels[6]->text(), QString("Инициализация..."));
        QCOMPARE(QtFileFilter("Файлы комбинаций (*.lcv)|*.lcv|Все файлы (*.*)|*.*"),
                 QString("Файлы комбинаций (*.lcv);;Все файлы (*.*)"));
    }

    void progressWindowComesAndGoes() {
        QWidget window;
        TQtUiPort ui(&window);
        ui.ProgressShow("Создание файлов для полного набора комбинаций...", 3, false);
        QWidget* progress = window.findChild<QWidget*>("FormProgress");
        QVERIFY(progress && progress->isVisible());
        ui.ProgressUpdate("x", 2);
        ui.ProgressClose();
        QVERIFY(!window.findChild<QWidget*>("FormProgress"));
    }
};

ZENTRIX_GUI_TEST(TestQtUiPort);

}  // namespace zentrix::gui

#include "ui_port_test.moc"
