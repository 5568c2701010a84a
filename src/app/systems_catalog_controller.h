#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/config_controller.h"
#include "app/session_core.h"
#include "exchange/systems_catalog.h"

namespace zentrix {

// The systems page's list without its widgets: the catalog's systems, their local files in the
// folder "Systems" and the commands. Every command reports its own failures through the UiPort
// and leaves the list as it was before the failed step.
class TSystemsCatalogController {
  public:
    TSystemsCatalogController(TSessionCore& core, TConfigController& config);

    const std::vector<TSystemInfo>& Entries() const { return entries_; }
    std::string Folder() const;
    // The entry's local file exists.
    bool Downloaded(int row) const;
    bool IsOwn(int row) const;
    int Selected() const { return selected_; }
    void Select(int row);
    bool SelectId(int32_t id);

    bool LoadSystemList();
    // The page switched off: the list empty.
    void Clear() {
        entries_.clear();
        selected_ = -1;
    }
    bool DownloadSystem(int row);
    // A new system with the user's name and address as author and owner.
    TSystemData NewSystem();
    // Adds the system to the catalog and the list; false after a failure.
    bool AddSystem(const TSystemData& system);
    // The entry with its combination list from the catalog (for the properties dialog).
    std::optional<TSystemData> SystemData(int row);
    bool EditSystem(int row, const TSystemData& system);
    // Asks first; another user's system is refused with a message.
    bool DeleteSystem(int row);

  private:
    TSessionCore& core_;
    TConfigController& config_;
    std::vector<TSystemInfo> entries_;
    int selected_ = -1;
};

}  // namespace zentrix
