#pragma once

#include <optional>

#include "app/method_catalog.h"
#include "app/session_core.h"
#include "stats/prefetch.h"

namespace zentrix {

// The full-set distribution files (folder Prefetchs): opening one for a table, building the
// missing or stale ones, with the busy state, the status texts and the error boxes.
class TPrefetchService {
  public:
    TPrefetchService(TSessionCore& core, TMethodCatalog& catalog);

    // The comparison with the full set is on.
    bool Enabled() const;
    // OpenPrefetchFile: nothing unless the comparison is on and the class has flag N; a missing
    // or empty file is built first. A failure is shown and gives nothing.
    std::optional<TPrefetchData> Open(int entry);
    void BuildFiles(bool force, TGroupSet groups);
    // The start's files: every group recreated with fullrecreate, else the missing ones
    // (forced with fullrefresh).
    void AtStart(bool fullRecreate, bool fullRefresh);

  private:
    TSessionCore& core_;
    TMethodCatalog& catalog_;
};

}  // namespace zentrix
