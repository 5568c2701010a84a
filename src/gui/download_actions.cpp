#include "gui/download_actions.h"

#include <QActionGroup>
#include <QMenu>

#include "app/session.h"
#include "gui/action_list.h"
#include "gui/modal_hooks.h"
#include "gui/proxy_dialog.h"

namespace zentrix::gui {

TDownloadActions::TDownloadActions(QWidget* window, TMainSession& session, TActionList& actions)
    : QObject(window), window_(window), session_(session) {
    TDownloadController& d = session_.Download();
    download_ = actions.Add(
        "Загрузка", "Загрузка архива тиражей с сайта лотереи", QKeySequence("F3"),
        [&d] { return d.CanDrawsDownload(); }, [&d] { d.DrawsDownload(); });
    download_->setObjectName("actDrawsDownload");
    editProxy_ = actions.Add(
        "Параметры proxy-сервера", "Параметры proxy-сервера", {}, [&d] { return d.CanEditProxy(); },
        [this] { ShowProxyDialog(); });
    editProxy_->setObjectName("actEditProxy");
    const char* captions[] = {"По запросу (по умолчанию)", "Автоматически", "Отключено"};
    const char* hints[] = {"Спросить пользователя",
                           "Автоматическая загрузка тиражей при запуске программы",
                           "Без автоматической загрузки при запуске программы"};
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    for (int i = 0; i < 3; ++i) {
        const auto mode = static_cast<TDownloadOnStart>(i);
        autoDownload_[i] = actions.AddCheck(
            captions[i], hints[i], [&d] { return d.CanAutoDownload(); },
            [this, mode] {
                return session_.Core().Settings().Options().DownloadDrawsOnStart == mode;
            },
            [&d, mode] { d.SetAutoDownload(mode); });
        autoDownload_[i]->setObjectName(QString("actAutoDownload%1").arg(i));
        group->addAction(autoDownload_[i]);
    }
    openSite_ = actions.Add(
        "Сайт лотереи", "Открыть сайт лотереи", {}, [&d] { return d.CanOpenLotoSite(); },
        [&d] { d.OpenLotoSite(); });
    openSite_->setObjectName("actOpenLotoSite");
}

void TDownloadActions::AddToMenu(QMenu* menu) {
    menu->addSeparator();
    menu->addAction(download_);
    menu->addAction(editProxy_);
    QMenu* start = menu->addMenu("Автозагрузка при запуске программы");
    for (QAction* a : autoDownload_) start->addAction(a);
    menu->addAction(openSite_);
}

void TDownloadActions::ShowProxyDialog() {
    TFormProxy dialog(window_, session_.Download().OpenProxy());
    if (ExecDialog(dialog) == QDialog::Accepted) session_.Download().ApplyProxy(dialog.Result());
}

}  // namespace zentrix::gui
