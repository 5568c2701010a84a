#pragma once

#include <string>
#include <vector>

#include "app/session_core.h"
#include "core/config_data.h"
#include "core/draw.h"
#include "stats/stat_list.h"

namespace zentrix {

// The methods the session offers: the registry, the favourites file (Zentrix_8x20.flt) and the
// statistics and graph lists built from them. Window-free, so the scenario run and the graphs
// tab use it as the statistics page does.
class TMethodCatalog {
  public:
    TMethodCatalog(TSessionCore& core, const TDrawsArray& draws, TConfigSettings& config);

    TStatList& Registry() { return registry_; }
    const TStatList& Registry() const { return registry_; }
    const TMethodLists& Lists() const { return lists_; }

    // The methods registered and the favourites file read.
    void Init();
    // The registry registered anew keeping the favourites and names through the file.
    void Rebuild();
    void RefillLists() { lists_ = BuildMethodLists(registry_); }

    std::string MethodListPath() const;
    // False after the error box.
    bool SaveMethodList();
    void LoadMethodList();

    std::string EntryCode(int entry) const;
    // The statistics list's position of a registry entry; -1 when the list does not hold it.
    int StatsPosition(int entry) const;
    // The entry and caption at a statistics list position; -1 and "" outside the list.
    int StatsEntry(int position) const;
    std::string StatsCaption(int position) const;

    // The information dialog's graph values of a draw or a combination.
    void AddInfoRows(const TInfoRowsQuery& query, std::vector<TInfoProperty>& rows) const;

  private:
    TSessionCore& core_;
    TStatList registry_;
    TMethodLists lists_;
};

}  // namespace zentrix
