#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QMenu;
class QWidget;

namespace zentrix {
class TMainSession;
class TUpdateController;
}  // namespace zentrix

namespace zentrix::gui {

class TActionList;

// The self-update's actions: CheckUpdate ("Поиск обновлений") and AutoSelfUpdate
// ("Автоматическое обновление"), the update dialog and the restart after an installation.
class TUpdateActions : public QObject {
    Q_OBJECT
  public:
    TUpdateActions(QWidget* window, TMainSession& session, TActionList& actions,
                   std::string dataFolder);
    ~TUpdateActions() override;

    void AddToMenu(QMenu* menu);
    // At the end of the start: the silent check when automatic updating is on. True when an
    // update was installed and the program restarts.
    bool StartupCheck();

    TUpdateController& Controller() { return *controller_; }
    QAction* CheckUpdate() const { return check_; }
    QAction* AutoSelfUpdate() const { return auto_; }
    // Tests: what happens instead of starting the program again.
    void SetRestartHook(std::function<void()> hook) { restartHook_ = std::move(hook); }

  private:
    bool AfterCheck(int result);
    void RestartProgram();

    QWidget* window_;
    std::string dataFolder_;
    std::unique_ptr<TUpdateController> controller_;
    QAction* check_ = nullptr;
    QAction* auto_ = nullptr;
    std::function<void()> restartHook_;
};

}  // namespace zentrix::gui
