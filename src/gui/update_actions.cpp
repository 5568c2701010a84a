#include "gui/update_actions.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include "app/session.h"
#include "app/update_controller.h"
#include "gui/action_list.h"
#include "gui/modal_hooks.h"
#include "gui/qt_ui_port.h"
#include "gui/update_dialog.h"

namespace zentrix::gui {

TUpdateActions::TUpdateActions(QWidget* window, TMainSession& session, TActionList& actions,
                               std::string dataFolder)
    : QObject(window),
      window_(window),
      dataFolder_(std::move(dataFolder)),
      controller_(std::make_unique<TUpdateController>(session.Core(), session.Config())) {
    TUpdateController& u = *controller_;
    u.SetOfferHook([this](const TUpdateOffer& offer) {
        TfrmUpdateInformer dialog(window_, offer);
        return ExecDialog(dialog) == QDialog::Accepted;
    });
    check_ = actions.Add(
        "Поиск обновлений", "Искать обновления программы через интернет", {},
        [&u] { return u.CanCheckUpdate(); }, [this, &u] { AfterCheck(u.CheckUpdate()); });
    check_->setObjectName("actCheckUpdate");
    TSessionCore& core = session.Core();
    auto_ = actions.AddCheck(
        "Автоматическое обновление", "Автоматическое обновление программы при запуске",
        [&u] { return u.CanAutoSelfUpdate(); },
        [&core] { return core.Settings().Options().AutoUpdates; },
        [&u, &core] { u.SetAutoUpdates(!core.Settings().Options().AutoUpdates); });
    auto_->setObjectName("actAutoSelfUpdate");
}

TUpdateActions::~TUpdateActions() = default;

void TUpdateActions::AddToMenu(QMenu* menu) {
    menu->addSeparator();
    menu->addAction(check_);
    menu->addAction(auto_);
}

bool TUpdateActions::StartupCheck() {
    return AfterCheck(controller_->StartupCheck());
}

bool TUpdateActions::AfterCheck(int result) {
    if (result != TUpdateController::kInstalled) return false;
    RestartProgram();
    return true;
}

void TUpdateActions::RestartProgram() {
    if (restartHook_) return restartHook_();
    // The new copy waits for this one to end (the restart switch), in the same data folder.
    QProcess::startDetached(QCoreApplication::applicationFilePath(),
                            {"restart", "--dir", Q(dataFolder_)});
    QTimer::singleShot(0, window_, &QWidget::close);
}

}  // namespace zentrix::gui
