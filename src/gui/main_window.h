#pragma once

#include <QMainWindow>
#include <QTabWidget>

#include <array>
#include <memory>
#include <vector>

#include "app/startup_switches.h"
#include "app/ui_port.h"

class QLabel;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;
class TDownloadActions;
class TKeptSplitter;
class TPage;
class TCombsPage;
class TDrawsPage;
class TQtUiPort;
class TRatingsPage;
class TScenarioPage;
class TStakesPage;
class TStatsTab;

// The main window: a frame holding the left page (draws, combinations), the main page of tabs,
// the menus and the status bar. Everything it shows comes from the session; the pages and the
// dialogs are classes of their own.
class TFormMain : public QMainWindow {
    Q_OBJECT
  public:
    TFormMain(const TStartupSwitches& switches, const std::string& dataFolder,
              QWidget* parent = nullptr);
    ~TFormMain() override;

    TMainSession& Session() { return *session_; }
    TQtUiPort& Ui() { return *ui_; }
    TActionList& Actions() { return *actions_; }
    TDrawsPage* DrawsPage() const { return drawsPage_; }
    TCombsPage* CombsPage() const { return combsPage_; }
    TStatsTab* StatsTab() const { return statsTab_; }
    TScenarioPage* ScenarioPage() const { return scenarioPage_; }
    TStakesPage* StakesPage() const { return stakesPage_; }
    TRatingsPage* RatingsPage() const { return ratingsPage_; }
    QTabWidget* LeftPages() const { return leftPages_; }
    QTabWidget* MainPages() const { return mainPages_; }
    QLabel* Panel(int i) const { return panels_[i]; }
    const std::vector<TPage*>& Pages() const { return pages_; }

    // Puts a page on a tab; from then on the frame passes it every invalidation and stores its
    // settings at exit (and restores them at the start, for the pages created with the window).
    template <class TTabPage>
    TTabPage* AddPage(QTabWidget* tabs, TTabPage* page, const QString& caption) {
        tabs->addTab(page, caption);
        pages_.push_back(page);
        return page;
    }
    QAction* ParamsAction() const { return params_; }
    QAction* ShreddingAction() const { return shredding_; }
    TDownloadActions* DownloadActions() const { return downloadActions_; }
    // True once the start's initialization ran (the window is usable).
    bool Initialized() const { return initialized_; }

  signals:
    void initializationFinished();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreatePages();
    void CreateActions();
    void CreateMenus();
    void CreateStatusBar();
    void RestoreWindowSettings();
    void StoreWindowSettings();
    void Initialize();
    void OnInvalidated(TUiPart part);
    void ShowParams();
    void ShowShredding();
    void ShowAbout();
    void ShowError(const std::exception& error);

    TStartupSwitches switches_;
    std::unique_ptr<TQtUiPort> ui_;
    std::unique_ptr<TMainSession> session_;
    TActionList* actions_ = nullptr;
    TKeptSplitter* split_ = nullptr;
    QTabWidget* leftPages_ = nullptr;
    QTabWidget* mainPages_ = nullptr;
    TDrawsPage* drawsPage_ = nullptr;
    TCombsPage* combsPage_ = nullptr;
    TStatsTab* statsTab_ = nullptr;
    TScenarioPage* scenarioPage_ = nullptr;
    TStakesPage* stakesPage_ = nullptr;
    TRatingsPage* ratingsPage_ = nullptr;
    std::array<QLabel*, kStatusPanelCount> panels_{};
    std::vector<TPage*> pages_;  // in tab order, left pages first
    QAction* params_ = nullptr;
    QAction* shredding_ = nullptr;
    QAction* exit_ = nullptr;
    QAction* about_ = nullptr;
    TDownloadActions* downloadActions_ = nullptr;
    bool initialized_ = false;
    bool storedSettings_ = false;
};

}  // namespace zentrix::gui
