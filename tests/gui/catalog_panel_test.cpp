#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/catalog_panel.h"
#include "gui/catalog_user.h"
#include "gui/gui_test_main.h"
#include "gui/gui_window.h"
#include "gui/list_view.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "gui/scenario_page.h"
#include "gui/script_props_dialog.h"
#include "gui/script_rates_dialog.h"
#include "scenario/scenario_file.h"
#include "support/catalog_server.h"
#include "support/temp_dir.h"
#include "support/web_server.h"
#include "util/ini.h"
#include "util/program_folder.h"

namespace zentrix::gui {

namespace {

const std::vector<std::string> kLines = {"FULL:0#RAND|TSD1#NUMS:10#LNO:#SF:1| | | | | | |Числа", "",
                                         "FULL:0#RAND| | | | | | | |Второй"};

// A user's folder whose settings point at the catalog and show its panel.
std::unique_ptr<TFormMain> OpenWindow(const std::string& folder, const std::string& url,
                                      const std::string& user) {
    test::UseCatalog(folder, url, user, "ScriptLibraryOn");
    auto w = test::OpenWindow(folder);
    w->resize(1280, 800);
    w->MainPages()->setCurrentWidget(w->ScenarioPage());
    return w;
}

QString Cell(QAbstractItemView* list, int row, int column) {
    return list->model()->index(row, column).data().toString();
}

QString LastMessage() {
    const auto& shown = ModalHooks().shownMessages;
    return shown.empty() ? QString() : QString::fromStdString(shown.back().text);
}

void Shot(QWidget* widget, const char* name) {
    QVERIFY(widget->grab().save(QString(ZENTRIX_SCREENSHOT_DIR "/") + name));
}

}  // namespace

class TestCatalogPanel : public QObject {
    Q_OBJECT

    // Triggers a command after the actions were brought up to date; false when unavailable.
    static bool Run(TFormMain& w, QAction* action) {
        w.Actions().UpdateNow();
        if (!action->isEnabled()) return false;
        action->trigger();
        w.Actions().UpdateNow();
        return true;
    }

  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
    }

    void publishRateViewDownloadAndDelete() {
        test::TCatalogServer server;
        test::TTempDir dir;
        WriteScenarioFile(WorkingScenarioPath(dir.Path()), kLines);
        auto w = OpenWindow(dir.Path(), server.Url(), "ann");
        TCatalogPanel* panel = w->ScenarioPage()->CatalogPanel();
        const TCatalogPanel::TActions& a = panel->Commands();
        TListView* list = panel->List();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->FilterBox()->currentText(), QString("Все, кроме скрытых (по умолчанию)"));
        QCOMPARE(panel->FilterBox()->statusTip(), QString("Фильтр сценариев"));
        QCOMPARE(list->model()->rowCount(), 0);
        QVERIFY(ModalHooks().shownMessages.empty());
        QCOMPARE(list->model()->headerData(7, Qt::Horizontal).toString(), QString("Рейтинг"));
        QCOMPARE(panel->Button(0)->text(), QString("Скачать"));
        QVERIFY(!panel->Button(0)->isEnabled());
        QVERIFY(panel->Button(1)->isEnabled());

        // Publish: an empty title is refused and the dialog stays; then the trimmed title goes.
        bool stayed = false;
        ModalHooks().dialogActions.push_back([&stayed](QDialog* d) {
            auto* dialog = static_cast<TFormScriptProps*>(d);
            QCOMPARE(dialog->windowTitle(), QString("Свойства сценария"));
            QCOMPARE(dialog->AuthorEdit()->text(), QString("ann"));
            QCOMPARE(dialog->LanguageCombo()->currentText(), QString("Русский"));
            QVERIFY(dialog->PublicButton()->isChecked());
            QVERIFY(dialog->OnlyHereButton()->isChecked());
            QCOMPARE(dialog->OnlyHereButton()->text(), QString("Только в \"Zentrix_8x20\""));
            QCOMPARE(dialog->OkButton()->statusTip(), QString("Отправить сценарий на сервер"));
            dialog->accept();
            stayed = dialog->isVisible();
            dialog->TitleEdit()->setText("  Горячие числа ");
            dialog->DescrEdit()->setPlainText("Две\nстроки");
            Shot(dialog, "catalog_props_edit.png");
            dialog->accept();
        });
        QVERIFY(Run(*w, a.upload));
        QVERIFY(stayed);
        QCOMPARE(ModalHooks().shownMessages.size(), size_t(1));
        QCOMPARE(LastMessage(), QString("Название сценария должно быть указано обязательно!"));
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(Cell(list, 0, 0), QString("Мой"));
        QCOMPARE(Cell(list, 0, 1), QString("Горячие числа"));
        QCOMPARE(Cell(list, 0, 12), QString("Две строки"));
        QCOMPARE(list->FocusedRow(), 0);
        w->Actions().UpdateNow();
        QVERIFY(a.replace->isEnabled() && a.remove->isEnabled() && a.download->isEnabled());
        QVERIFY(!a.rate[0]->isEnabled());

        // A rating with a comment: the list is loaded again and shows it.
        ModalHooks().inputs.push_back("Отличный \"сценарий\"");
        QVERIFY(Run(*w, a.rate[5]));
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(Cell(list, 0, 9), QString("5"));
        QCOMPARE(Cell(list, 0, 8), QString("1"));
        QVERIFY(a.rate[5]->isChecked());
        QVERIFY(!a.rate[4]->isChecked());
        QVERIFY(a.rate[0]->isEnabled());
        Shot(w.get(), "catalog_panel.png");

        // The ratings of the entry.
        int rated = -1;
        QString comment;
        ModalHooks().dialogActions.push_back([&](QDialog* d) {
            auto* dialog = static_cast<TFormScriptRates*>(d);
            QCOMPARE(dialog->windowTitle(), QString("Оценки пользователей"));
            QCOMPARE(dialog->CloseButton()->text(), QString("Закрыть"));
            rated = dialog->List()->model()->rowCount();
            comment = Cell(dialog->List(), 0, 5);
            QCOMPARE(Cell(dialog->List(), 0, 0), QString("ann"));
            QCOMPARE(Cell(dialog->List(), 0, 1), QString("5"));
            dialog->List()->horizontalHeader()->sectionClicked(0);
            Shot(dialog, "catalog_rates.png");
            dialog->reject();
        });
        QVERIFY(Run(*w, a.rates));
        QCOMPARE(rated, 1);
        QCOMPARE(comment, QString("Отличный \"сценарий\""));
        QVERIFY(!TIniFile(ProgramFile(dir.Path(), ".frm"))
                     .ReadString("TFormScriptRates", "lvRates.SortType", "")
                     .empty());

        // A double click shows the properties, read-only.
        bool readOnly = false;
        ModalHooks().dialogActions.push_back([&readOnly](QDialog* d) {
            auto* dialog = static_cast<TFormScriptProps*>(d);
            QCOMPARE(dialog->TitleEdit()->text(), QString("Горячие числа"));
            QCOMPARE(dialog->DescrEdit()->toPlainText(), QString("Две\nстроки"));
            readOnly = dialog->TitleEdit()->isReadOnly() && dialog->OkButton()->isHidden() &&
                       !dialog->LanguageCombo()->isEnabled() &&
                       !dialog->UniversalButton()->isEnabled();
            Shot(dialog, "catalog_props_view.png");
            dialog->reject();
        });
        const QPoint at = list->visualRect(list->model()->index(0, 1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(ModalHooks().dialogActions.empty());
        QVERIFY(readOnly);

        // Downloaded into an emptied scenario: the lines, the list and the working file.
        w->Session().Scenario().ReplaceLines({});
        QCOMPARE(w->ScenarioPage()->List()->model()->rowCount(), 0);
        QVERIFY(Run(*w, a.download));
        QCOMPARE(w->Session().Scenario().Scenario().Lines(), kLines);
        QCOMPARE(w->ScenarioPage()->List()->model()->rowCount(), 3);
        QCOMPARE(ReadScenarioFile(WorkingScenarioPath(dir.Path())), kLines);

        // The service refuses to delete an entry of someone else: its error, the row stays.
        TUserSettings& user = w->Session().Config().Settings().user;
        user.Email = "bob@example.org";
        ModalHooks().answers.push_back(TMsgResult::Yes);
        QVERIFY(Run(*w, a.remove));
        QVERIFY(LastMessage().startsWith("Ошибка удаления online-сценария из базы данных!\n\n"));
        QVERIFY(LastMessage().contains("может только её автор"));
        QCOMPARE(QString::fromStdString(ModalHooks().shownMessages.back().title),
                 QString("Ошибка"));
        QCOMPARE(list->model()->rowCount(), 1);

        // The author deletes it after the question.
        user.Email = "ann@example.org";
        ModalHooks().answers.push_back(TMsgResult::Yes);
        QVERIFY(Run(*w, a.remove));
        const TMessage& question = ModalHooks().shownMessages.back();
        QCOMPARE(QString::fromStdString(question.text),
                 QString("Вы действительно хотите удалить сценарий \"Горячие числа\"?"));
        QCOMPARE(QString::fromStdString(question.title), QString("Подтверждение"));
        QVERIFY(question.defaultButton == TMsgResult::No);
        QCOMPARE(list->model()->rowCount(), 0);
    }

    void othersEntriesHideAndThePanelToggle() {
        test::TCatalogServer server;
        test::TTempDir annDir, bobDir;
        WriteScenarioFile(WorkingScenarioPath(annDir.Path()), kLines);
        {
            auto ann = OpenWindow(annDir.Path(), server.Url(), "ann");
            ModalHooks().dialogActions.push_back([](QDialog* d) {
                auto* dialog = static_cast<TFormScriptProps*>(d);
                dialog->TitleEdit()->setText("Чужой");
                dialog->accept();
            });
            QVERIFY(Run(*ann, ann->ScenarioPage()->CatalogPanel()->Commands().upload));
        }
        auto w = OpenWindow(bobDir.Path(), server.Url(), "bob");
        TCatalogPanel* panel = w->ScenarioPage()->CatalogPanel();
        const TCatalogPanel::TActions& a = panel->Commands();
        TListView* list = panel->List();
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(Cell(list, 0, 0), QString("Общий"));
        QCOMPARE(Cell(list, 0, 2), QString("ann"));
        list->selectRow(0);
        w->Actions().UpdateNow();
        QVERIFY(a.download->isEnabled() && a.view->isEnabled() && a.rates->isEnabled());
        QVERIFY(!a.replace->isEnabled() && !a.remove->isEnabled());
        QVERIFY(!panel->Button(2)->isEnabled());
        // The context menu holds every command in order, ratings in their submenu.
        QCOMPARE(panel->MenuActions().size(), qsizetype(13));
        QCOMPARE(panel->RateMenu()->title(), QString("Оценить"));
        QCOMPARE(panel->RateMenu()->actions().size(), qsizetype(9));
        QCOMPARE(a.rate[3]->statusTip(), QString("Установить оценку \"3\""));

        // Hidden: gone from the default filter, listed under "Скрытые" with its mark.
        QVERIFY(Run(*w, a.hide));
        QCOMPARE(list->model()->rowCount(), 0);
        panel->FilterBox()->setCurrentIndex(0);
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(Cell(list, 0, 9), QString("Скрытый"));
        list->selectRow(0);
        w->Actions().UpdateNow();
        QVERIFY(a.hide->isChecked());
        QVERIFY(Run(*w, a.rate[0]));  // the mark taken back
        QCOMPARE(list->model()->rowCount(), 0);
        QVERIFY(ModalHooks().shownMessages.empty());

        // The toggle hides the panel and keeps that at once; the filter is kept at exit.
        QVERIFY(Run(*w, a.toggle));
        QVERIFY(panel->isHidden());
        QVERIFY(!a.toggle->isChecked());
        QVERIFY(!a.refresh->isEnabled());
        QVERIFY(!TIniFile(ProgramFile(bobDir.Path(), ".frm"))
                     .ReadBool("TFormMain", "ScriptLibraryOn", true));
        QVERIFY(Run(*w, a.toggle));
        QVERIFY(!panel->isHidden());
        w.reset();
        QCOMPARE(TIniFile(ProgramFile(bobDir.Path(), ".frm"))
                     .ReadInteger("TFormMain", "ScriptLibraryFilter", -1),
                 0);
    }
};

ZENTRIX_GUI_TEST(TestCatalogPanel);

}  // namespace zentrix::gui

#include "catalog_panel_test.moc"
