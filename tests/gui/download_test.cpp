#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "app/session.h"
#include "gui/download_actions.h"
#include "gui/gui_test_main.h"
#include "gui/gui_window.h"
#include "gui/main_window.h"
#include "gui/modal_hooks.h"
#include "gui/proxy_dialog.h"
#include "gui/qt_ui_port.h"
#include "gui/wait_window.h"
#include "support/fake_http.h"
#include "support/site_html.h"
#include "support/temp_dir.h"
#include "util/ini.h"
#include "util/program_folder.h"

namespace zentrix::gui {

namespace {

using test::OpenWindow;

constexpr int kFirst = TDownloadController::kFirstSiteDraw;

void WriteWindowOption(const std::string& folder, const char* key, int value) {
    TIniFile frm(ProgramFile(folder, ".frm"));
    frm.WriteInteger("TFormMain", key, value);
    frm.UpdateFile();
}

}  // namespace

class TestDownload : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ModalHooks() = TModalHooks{};
        ModalHooks().enabled = true;
    }

    void downloadShowsTheWaitWindowAndAppends() {
        test::TTempDir dir;
        auto w = OpenWindow(dir.Path());
        test::TFakeHttp http;
        const TDrawsArray site = test::SiteDraws(kFirst, kFirst + 14);
        QString waitText;
        http.answer = [&](const std::string& url, const THttpProxy&) {
            if (TFormWait* wait = w->Ui().WaitWindow()) {
                waitText = wait->Text();
                if (url.find("from=491528") != std::string::npos)
                    wait->grab().save(ZENTRIX_SCREENSHOT_DIR "/download_wait.png");
            }
            return test::SitePageFor(site, url.substr(url.find("/archive")));
        };
        w->Session().Download().SetHttpFactory(http.Factory());
        QAction* download = w->DownloadActions()->Download();
        QCOMPARE(download->text(), QString("Загрузка"));
        QCOMPARE(download->shortcut(), QKeySequence("F3"));
        QVERIFY(download->isEnabled());
        download->trigger();
        QCOMPARE(w->Session().Archive().Count(), 15);
        QCOMPARE(waitText, QString("Загрузка архива тиражей..."));
        QVERIFY(!w->Ui().WaitWindow());
        QCOMPARE(w->Panel(0)->text(), QString("Архив тиражей: 15"));
        QVERIFY(ModalHooks().shownMessages.empty());
    }

    void failureAsksTheRetryQuestion() {
        test::TTempDir dir;
        auto w = OpenWindow(dir.Path());
        test::TFakeHttp http;
        http.answer = [](const std::string&, const THttpProxy&) -> std::string {
            throw EHttpError("Не удалось подключиться к серверу site");
        };
        w->Session().Download().SetHttpFactory(http.Factory());
        ModalHooks().answers = {TMsgResult::Yes, TMsgResult::No};
        w->DownloadActions()->Download()->trigger();
        QCOMPARE(http.requests.size(), size_t(2));
        QCOMPARE(ModalHooks().shownMessages.size(), size_t(2));
        const TMessage& m = ModalHooks().shownMessages[0];
        QCOMPARE(QString::fromStdString(m.title), QString("Ошибка"));
        QVERIFY(m.buttons == TMsgButtons::YesNo);
        QCOMPARE(QString::fromStdString(m.text),
                 QString("Ошибка загрузки архива тиражей с сайта: \"Не удалось подключиться к "
                         "серверу site\"\n\nПовторить попытку?"));
        QVERIFY(w->Session().Core().NotBusy());
    }

    void proxyDialogEnablesTheManualFields() {
        test::TTempDir dir;
        auto w = OpenWindow(dir.Path());
        ModalHooks().dialogActions.push_back([](QDialog* d) {
            auto* dialog = qobject_cast<TFormProxy*>(d);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QString("Параметры proxy-сервера"));
            QVERIFY(dialog->Option(TProxyMode::None)->isChecked());
            QVERIFY(!dialog->ServerEdit()->isEnabled());
            dialog->Option(TProxyMode::Manual)->click();
            QVERIFY(dialog->ServerEdit()->isEnabled());
            QVERIFY(dialog->PasswordEdit()->isEnabled());
            dialog->ServerEdit()->setText("proxy.local");
            dialog->PortSpin()->setValue(3128);
            dialog->UserEdit()->setText("me");
            dialog->PasswordEdit()->setText("secret");
            dialog->show();
            dialog->grab().save(ZENTRIX_SCREENSHOT_DIR "/proxy_dialog.png");
            dialog->Option(TProxyMode::Auto)->click();
            QVERIFY(!dialog->PortSpin()->isEnabled());
            dialog->Option(TProxyMode::Manual)->click();
            dialog->accept();
        });
        w->DownloadActions()->EditProxy()->trigger();
        const TIniFile ini(ProgramFile(dir.Path(), ".ini"));
        QCOMPARE(ini.ReadInteger("PROXY", "ProxyMode", -1), 2);
        QCOMPARE(QString::fromStdString(ini.ReadString("PROXY", "ProxyServer", "")),
                 QString("proxy.local"));
        QCOMPARE(ini.ReadInteger("PROXY", "ProxyPort", 0), 3128);
    }

    void startupModesAndTheSite() {
        test::TTempDir dir;
        WriteWindowOption(dir.Path(), "DownloadDrawsOnStart", 0);
        ModalHooks().answers = {TMsgResult::No};
        auto w = OpenWindow(dir.Path());
        QCOMPARE(ModalHooks().shownMessages.size(), size_t(1));
        QVERIFY(ModalHooks().shownMessages[0].text.rfind("Обновить список тиражей?", 0) == 0);
        QCOMPARE(w->Session().Archive().Count(), 0);

        TDownloadActions* a = w->DownloadActions();
        QVERIFY(a->AutoDownload(0)->isChecked());
        a->AutoDownload(2)->trigger();
        QVERIFY(a->AutoDownload(2)->isChecked());
        QVERIFY(!a->AutoDownload(0)->isChecked());
        QCOMPARE(TIniFile(ProgramFile(dir.Path(), ".frm"))
                     .ReadInteger("TFormMain", "DownloadDrawsOnStart", -1),
                 2);
        QCOMPARE(a->AutoDownload(1)->text(), QString("Автоматически"));
        QCOMPARE(a->OpenSite()->text(), QString("Сайт лотереи"));
        QVERIFY(a->OpenSite()->isEnabled());
        // The menu holds the commands.
        bool found = false;
        for (QAction* m : w->menuBar()->actions())
            if (m->text() == "Тиражи" && m->menu()->actions().contains(a->Download())) found = true;
        QVERIFY(found);
    }
};

ZENTRIX_GUI_TEST(TestDownload);

}  // namespace zentrix::gui

#include "download_test.moc"
