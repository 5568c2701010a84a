#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/config_controller.h"
#include "app/session_core.h"
#include "app/update_install.h"
#include "exchange/update_description.h"

namespace zentrix {

// What the update dialog shows.
struct TUpdateOffer {
    std::string currentVersion;  // the program's own version text
    TUpdateVersionData data;     // data.Description is the new version's title
    std::vector<std::string> notes;
};

// The outcome of a search, before anything is installed.
struct TUpdateSearch {
    std::string ownVersion;
    TUpdateVersionData data;
    bool available = false;
    std::vector<std::string> notes;  // only when available
};

// The self-update: the description file and its notes, the update dialog, the package's download
// with its checksums, the unpacking into the work folder and the all-or-nothing copy over the
// program folder. The description, the notes and the package come over verified TLS (or are
// copied from a folder); nothing from a package is ever run.
class TUpdateController {
  public:
    enum TResult { kNothing = 0, kInstalled = 1, kFailed = 2 };

    TUpdateController(TSessionCore& core, TConfigController& config);

    // The folder the update is copied into; default: the executable's folder.
    void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }
    std::string ProgramFolder() const;
    // Tests: another own version than the build's.
    void SetOwnVersion(std::string version) { ownVersion_ = std::move(version); }
    const std::string& OwnVersion() const { return ownVersion_; }
    void SetTimeouts(long connectMs, long readMs);
    // The update dialog: true to install. Without a hook a Yes/No question is asked.
    void SetOfferHook(std::function<bool(const TUpdateOffer&)> hook) {
        offerHook_ = std::move(hook);
    }
    void SetFaultHook(TInstallFaultHook hook) { faultHook_ = std::move(hook); }

    // The description address of the settings (SERVICES UpdateUrl).
    std::string Address() const;
    // The interface language of the window settings.
    int LanguageId();

    // The whole check: search, dialog, installation, messages. 0 nothing installed, 1 installed
    // (the program must restart), 2 an error ended it.
    int CheckForUpdate(const std::string& address, bool silent, int languageId);
    // The action CheckUpdate.
    bool CanCheckUpdate() const { return core_.NotBusy(); }
    int CheckUpdate() { return CheckForUpdate(Address(), false, LanguageId()); }
    // At start, only when AutoUpdates is on (silent).
    int StartupCheck();
    // The action AutoSelfUpdate: stored at once.
    bool CanAutoSelfUpdate() const { return core_.NotBusy(); }
    void SetAutoUpdates(bool on);

    // The search alone (raises on failure), for the command line; leaves no files behind.
    TUpdateSearch Search(const std::string& address, int languageId);

    // 0 fetched from the web (https only), 1 copied as a file path.
    int FetchUpdateFile(const std::string& source, const std::string& target) const;

  private:
    TUpdateSearch SearchSteps(const std::string& address, int languageId, bool progress);
    std::vector<std::string> LoadNotes(const std::string& notesFolder, const std::string& verId,
                                       int languageId) const;
    void Install(const TUpdateVersionData& data);
    void DownloadPackage(const TUpdateVersionData& data, const std::string& package);
    std::string DescriptionFile() const;

    TSessionCore& core_;
    TConfigController& config_;
    std::string programFolder_;
    std::string ownVersion_;
    long connectMs_ = 10000;
    long readMs_ = 30000;
    std::function<bool(const TUpdateOffer&)> offerHook_;
    TInstallFaultHook faultHook_;
};

}  // namespace zentrix
