#pragma once

#include <chrono>
#include <string>

#include "app/archive_controller.h"
#include "app/catalog_controller.h"
#include "app/charts_controller.h"
#include "app/combs_controller.h"
#include "app/config_controller.h"
#include "app/download_controller.h"
#include "app/ratings_controller.h"
#include "app/regulars_controller.h"
#include "app/scenario_controller.h"
#include "app/scenario_run.h"
#include "app/session_core.h"
#include "app/stakes_controller.h"
#include "app/startup_switches.h"
#include "app/stats_controller.h"
#include "app/systems_catalog_controller.h"
#include "app/systems_controller.h"
#include "app/views_controller.h"
#include "core/config_data.h"
#include "util/file_lock.h"

namespace zentrix {

// The main window without its widgets: the session's conventions, the
// configuration, the draws archive and the working combination list, with the loading a front
// end runs at start.
class TMainSession {
  public:
    TMainSession(std::string dataFolder, TUiPort& ui);
    ~TMainSession();
    TMainSession(const TMainSession&) = delete;
    TMainSession& operator=(const TMainSession&) = delete;

    TSessionCore& Core() { return core_; }
    TConfigController& Config() { return config_; }
    TArchiveController& Archive() { return archive_; }
    TCombsController& Combs() { return combs_; }
    TStatsController& Stats() { return stats_; }
    TChartsController& Charts() { return charts_; }
    TViewsController& Views() { return views_; }
    TScenarioController& Scenario() { return scenario_; }
    TStakesController& Stakes() { return stakes_; }
    TRatingsController& Ratings() { return ratings_; }
    TRegularsController& Regulars() { return regulars_; }
    TScenarioRun& Run() { return run_; }
    TDownloadController& Download() { return download_; }
    TSystemsController& Systems() { return systems_; }
    TCatalogController& Catalog() { return catalog_; }
    TSystemsCatalogController& SystemsCatalog() { return systemsCatalog_; }

    // The window settings (Zentrix_8x20.frm); a failure shows its error box and the defaults
    // stay.
    void LoadWindowSettings();
    // Zentrix_8x20.ini: the configuration, then the proxy settings.
    void LoadConfig() {
        config_.LoadConfig();
        download_.LoadProxySettings();
    }
    // The statistic registry: methods registered, Zentrix_8x20.flt read, lists filled.
    void InitRegistry() { stats_.InitRegistry(); }
    // Holds the stakes file open exclusively for the rest of the run, so a second copy of the
    // program (or a command) keeps out of this folder; waits up to `wait` for another holder to
    // let go. Quiet: false when refused, with the reason kept. A refusal is final for the
    // session, so a copy that found the folder taken never takes it later with state it skipped
    // loading. Once the hold is ours, the temporaries of killed saves are removed.
    bool TryDataLock(std::chrono::milliseconds wait = {});
    // The folder was held by another holder (rather than not writable) at the refusal.
    bool DataLockBusy() const { return lockBusy_; }
    // Why the hold was refused (the system's text), for messages.
    const std::string& DataLockError() const { return lockError_; }
    // TryDataLock without waiting; a refusal shows the exclusive-access message.
    bool AcquireDataLock();
    bool HoldsDataLock() const { return dataLock_.IsOpen(); }
    // The stakes file is the hold's own file, so it opens only once the hold is ours; false
    // without the hold.
    bool OpenStakes();
    // The start's initialization: the arrays sized, the offset 0, the data folder locked, the
    // archive loaded, the working list generated from the saved defaults, the views recomputed,
    // the working scenario read.
    // With loadonly the new draws are downloaded.
    // Then the full-set files the switches ask for (the missing ones otherwise). False when the
    // folder is held by another copy: the program must end.
    bool Initialize(const TStartupSwitches& switches = {});

  private:
    TSessionCore core_;
    TConfigSettings configSettings_;
    TConfigController config_;
    TArchiveController archive_;
    TCombsController combs_;
    TStatsController stats_;
    TChartsController charts_;  // registered as a view after the statistics table
    TViewsController views_;
    TScenarioController scenario_;
    TRatingsController ratings_;
    TStakesController stakes_;
    TRegularsController regulars_;
    TScenarioRun run_;
    TDownloadController download_;
    TSystemsController systems_;
    TCatalogController catalog_;
    TSystemsCatalogController systemsCatalog_;
    TExclusiveFile dataLock_;
    bool lockRefused_ = false;
    bool lockBusy_ = false;
    std::string lockError_;
};

}  // namespace zentrix
