#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "app/archive_controller.h"
#include "app/method_catalog.h"
#include "app/prefetch_service.h"
#include "app/session_core.h"
#include "stats/stat_table.h"

namespace zentrix {

// What one statistics table is computed from: a registry entry over a window ending at the
// reference draw, with a weight block and, when comparing, the entry's full-set distribution.
struct TStatTableRequest {
    int entry = -1;
    int windowLength = 1;
    TCDLParams cdl;
    std::shared_ptr<const TPrefetchData> prefetch;
};

// The statistics table of the session: computing a table for a registry entry (also without
// the window, for the scenario run), and the shown table with its cache keys, sort and chart.
class TStatTableService {
  public:
    TStatTableService(TSessionCore& core, TMethodCatalog& catalog, TArchiveController& archive,
                      TPrefetchService& prefetch);

    // The table of the request at the current reference draw, in the value list's order.
    // Raises on failure.
    TStatTable Compute(const TStatTableRequest& request) const;
    // The request for an entry with the settings' weights and its distribution (opened, or
    // built, when the comparison is on).
    TStatTableRequest Request(int entry, int windowLength);

    // CalcStatTable for an entry (-1: nothing selected): without force nothing happens while
    // the archive length, the offset, the window length and the entry are those of the last
    // computation.
    void Calc(int entry, int windowLength, bool force);
    void ResetCacheKeys();
    const TStatTable& Table() const { return table_; }
    bool HasTable() const { return hasTable_; }
    const std::vector<TChartSeries>& Chart() const { return chart_; }
    int ChartVersion() const { return chartVersion_; }
    void ClearChart();
    // A header click: sorts and keeps the sort in the window settings.
    void SortByClick(int column);
    // The sort of the settings ("lvDrawsStat.SortType"), "Количество" ascending by default.
    std::pair<int, bool> StoredSort() const;

  private:
    struct TCacheKeys {
        int archiveLength = -1;
        int offset = -1;
        int windowLength = -1;
        int entry = -1;
        bool operator==(const TCacheKeys&) const = default;
    };
    void ClearTable();

    TSessionCore& core_;
    TMethodCatalog& catalog_;
    TArchiveController& archive_;
    TPrefetchService& prefetch_;
    TCacheKeys keys_;
    TStatTable table_;
    bool hasTable_ = false;
    std::vector<TChartSeries> chart_;
    int chartVersion_ = 0;
};

}  // namespace zentrix
