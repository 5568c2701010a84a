#pragma once

#include <QMainWindow>
#include <QTabWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/startup_switches.h"
#include "app/ui_port.h"
#include "app/window_settings.h"

class QLabel;
class QMenu;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;
class TCardTab;
class TChartCommands;
class TGraphsTab;
class TDownloadActions;
class TUpdateActions;
class TKeptSplitter;
class TLayoutTab;
class TWeekTab;
class TPage;
class TCombsPage;
class TDrawsPage;
class TExportCommands;
class TQtUiPort;
class TRatingsPage;
class TRegularsPage;
class TScenarioPage;
class TStakesPage;
class TSystemsPage;
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
    TGraphsTab* GraphsTab() const { return graphsTab_; }
    TChartCommands* ChartCommands() const { return chartCommands_; }
    TScenarioPage* ScenarioPage() const { return scenarioPage_; }
    TStakesPage* StakesPage() const { return stakesPage_; }
    TRatingsPage* RatingsPage() const { return ratingsPage_; }
    TRegularsPage* RegularsPage() const { return regularsPage_; }
    TSystemsPage* SystemsPage() const { return systemsPage_; }
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
    TCardTab* CardTab() const { return cardTab_; }
    TLayoutTab* LayoutTab() const { return layoutTab_; }
    TWeekTab* WeekTab() const { return weekTab_; }

    // A main tab the view menu shows and hides: the option keeping its visibility and the
    // toggle that flips and stores it (rebuilding the view when it becomes visible) and tells
    // the new state. A tab made visible becomes the active page.
    struct TTabEntry {
        QWidget* page = nullptr;
        bool TMainOptions::*option = nullptr;
        std::function<bool()> toggle;
        QAction* action = nullptr;
    };
    void AddTabEntry(QWidget* page, const QString& caption, const QString& hint,
                     bool TMainOptions::*option, std::function<bool()> toggle);
    const std::vector<TTabEntry>& TabEntries() const { return tabEntries_; }
    QMenu* ViewMenu() const { return viewMenu_; }
    QAction* ParamsAction() const { return params_; }
    QAction* ShreddingAction() const { return shredding_; }
    TExportCommands* ExportCommands() const { return exportCommands_; }
    TDownloadActions* DownloadActions() const { return downloadActions_; }
    TUpdateActions* UpdateActions() const { return updateActions_; }
    // True once the start's initialization ran (the window is usable).
    bool Initialized() const { return initialized_; }
    // "Справка" (F1): the guide from its contents.
    QAction* HelpAction() const { return helpAction_; }
    void ShowHelpContents();

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
    // Each tab of the view menu shown or hidden as its option says.
    void ApplyTabVisibility();
    // After a system play: the stakes grid on its last row.
    void ShowLastStake();
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
    TGraphsTab* graphsTab_ = nullptr;
    TChartCommands* chartCommands_ = nullptr;
    TScenarioPage* scenarioPage_ = nullptr;
    TStakesPage* stakesPage_ = nullptr;
    TRatingsPage* ratingsPage_ = nullptr;
    TRegularsPage* regularsPage_ = nullptr;
    TSystemsPage* systemsPage_ = nullptr;
    TCardTab* cardTab_ = nullptr;
    TLayoutTab* layoutTab_ = nullptr;
    TWeekTab* weekTab_ = nullptr;
    std::vector<TTabEntry> tabEntries_;
    QMenu* viewMenu_ = nullptr;
    std::array<QLabel*, kStatusPanelCount> panels_{};
    std::vector<TPage*> pages_;  // in tab order, left pages first
    QAction* helpAction_ = nullptr;
    QAction* params_ = nullptr;
    QAction* shredding_ = nullptr;
    TExportCommands* exportCommands_ = nullptr;
    QAction* exit_ = nullptr;
    QAction* about_ = nullptr;
    TDownloadActions* downloadActions_ = nullptr;
    TUpdateActions* updateActions_ = nullptr;
    bool initialized_ = false;
    bool storedSettings_ = false;
};

}  // namespace zentrix::gui
