#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/archive_controller.h"
#include "app/combs_controller.h"
#include "app/method_catalog.h"
#include "app/prefetch_service.h"
#include "app/session_core.h"
#include "app/stat_table_service.h"
#include "stats/prefetch.h"
#include "stats/stat_list.h"
#include "stats/stat_table.h"

namespace zentrix {

class TCustomStat;

// The statistics tab of the session: a front over the method catalog, the table service and the
// full-set files that adds the page's state (the list positions, the window length) and its
// actions, and the filtering of the working list by the selected rows. It is the first of the
// session's views.
class TStatsController : public TView {
  public:
    TStatsController(TSessionCore& core, TConfigSettings& config, TArchiveController& archive,
                     TCombsController& combs);
    ~TStatsController() override;

    TStatList& Registry() { return catalog_.Registry(); }
    const TStatList& Registry() const { return catalog_.Registry(); }
    TMethodCatalog& Catalog() { return catalog_; }
    const TMethodCatalog& Catalog() const { return catalog_; }
    TStatTableService& Tables() { return tables_; }
    TPrefetchService& Prefetchs() { return prefetch_; }

    // At the window's creation: the methods registered, Zentrix_8x20.flt read, the cache keys
    // reset and the lists filled.
    void InitRegistry();
    // FillMethodLists: with rebuild the registry is registered anew keeping the favourites and
    // names through the method list file; the selections are kept when asked and still valid.
    void FillMethodLists(bool rebuild, bool keepSelection);
    const TMethodLists& MethodLists() const { return catalog_.Lists(); }
    // The statistics list's position; -1 when nothing is selected.
    int SelectedPosition() const { return position_; }
    // Choosing another statistic recomputes the table (without force) when "Обновить" is
    // enabled.
    void SelectPosition(int position);
    // The registry entry of the selected statistic, -1 when none.
    int SelectedEntry() const;
    std::string SelectedCaption() const;
    int GraphPosition() const { return graphPosition_; }
    void SetGraphPosition(int position) { graphPosition_ = position; }

    // "Количество тиражей, использующихся для расчета статистики".
    int WindowLength() const;
    void SetWindowLength(int length);
    // Enter in the spin: recomputes when the value lies within the spin's range.
    void WindowLengthEntered(int64_t value);
    static constexpr int kWindowLengthMax = 2147483647;

    void ResetCacheKeys() { tables_.ResetCacheKeys(); }
    // CalcStatTable.
    void CalcStatTable(bool force);
    void Recompute(bool force) override { CalcStatTable(force); }
    // The shown table; empty before the first computation and after a clear.
    const TStatTable& Table() const { return tables_.Table(); }
    bool HasTable() const { return tables_.HasTable(); }
    const std::vector<TChartSeries>& Chart() const { return tables_.Chart(); }
    // Changes whenever Chart() does: a re-sort leaves it, so the view keeps its drawn chart.
    int ChartVersion() const { return tables_.ChartVersion(); }
    // Columns 3 to 5 are shown only with the comparison on.
    bool NormColumnsShown() const;
    // A header click: sorts and keeps the sort in the window settings.
    void SortByClick(int column) { tables_.SortByClick(column); }
    // The sort of the settings ("lvDrawsStat.SortType"), "Количество" ascending by default.
    std::pair<int, bool> StoredSort() const { return tables_.StoredSort(); }
    std::vector<std::string> StatRowTexts(int row) const { return Table().StatRowTexts(row); }

    // The full-set files.
    std::optional<TPrefetchData> OpenPrefetchFile(int entry) { return prefetch_.Open(entry); }
    void BuildPrefetchFiles(bool force, TGroupSet groups) { prefetch_.BuildFiles(force, groups); }

    // FilterCombs, one narrowing of the working list: stat is a scenario's method, or nothing
    // for the statistics list's selected one; rows are the table's selected rows.
    void FilterCombs(TCustomStat* stat, bool exclude, const std::vector<int>& rows);
    // The narrowing itself, for the page and the scenario run alike: keeps or removes the
    // working list's combinations with one of the selected values of stat; the log line shows
    // the list's caption and the values' text. Nothing happens with nothing selected.
    void NarrowBySelection(TCustomStat& stat, bool exclude, std::span<const TStatDraw> selected,
                           const std::string& caption, const std::string& valuesText);

    // Actions.
    bool CanDrawsStatCalc() const;
    void DrawsStatCalc() { CalcStatTable(true); }
    bool CanStatFilter(const std::vector<int>& rows) const;
    void StatFilterInclude(const std::vector<int>& rows);
    void StatFilterExclude(const std::vector<int>& rows);
    bool CanFiltersInfo() const;
    // The help topic and the name of the selected method.
    std::string SelectedHelpTopic() const;
    std::string SelectedMethodName() const;
    bool CanTogglePrefetchs() const { return core_.NotBusy(); }
    void TogglePrefetchsEnabled();
    bool CanToggleShowTotalLine() const;
    void ToggleShowTotalLine();
    // "Все доступные статистики" after its question.
    bool CanAllFavourites() const { return core_.NotBusy(); }
    void AllFavourites();
    // The favourites manager's OK (the model already applied to the registry).
    void FavouritesApplied();
    std::string MethodListPath() const { return catalog_.MethodListPath(); }

    // The start's full-set files: every file of every group recreated with fullrecreate, else
    // the missing ones (forced with fullrefresh).
    void PrefetchsAtStart(bool fullRecreate, bool fullRefresh) {
        prefetch_.AtStart(fullRecreate, fullRefresh);
    }

  private:
    void OnConfigChanged(const TConfigChange& change);

    TSessionCore& core_;
    TArchiveController& archive_;
    TCombsController& combs_;
    TMethodCatalog catalog_;
    TPrefetchService prefetch_;
    TStatTableService tables_;
    int position_ = -1;
    int graphPosition_ = -1;
    TSubscription configSubscription_;
    TSubscription infoRowsSubscription_;
};

}  // namespace zentrix
