#pragma once

#include <string>
#include <vector>

#include "app/scenario_controller.h"
#include "app/session_core.h"
#include "app/stats_controller.h"
#include "stakes/ratings.h"
#include "stakes/ratings_view.h"
#include "stakes/stake_graphs.h"
#include "stakes/stakes_file.h"

namespace zentrix {

inline constexpr const char* kRebuildRatingsQuestion =
    "Пересчитать рейтинг только по текущим ставкам?\n\nНакопленные ранее данные по удаленным "
    "ставкам будут потеряны.";

// The ratings page of the session: the rows in memory (always in the current sort order), their
// file rewritten after every sort, and the commands of the page.
class TRatingsController {
  public:
    TRatingsController(TSessionCore& core, TStatsController& stats, TScenarioController& scenario);

    const TRatingsArray& Ratings() const { return ratings_; }
    int Count() const { return static_cast<int>(ratings_.size()); }
    TEffMode EffMode() const;
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return sortDescending_; }
    TTextTable Table() const { return RatingsTable(ratings_, EffMode()); }
    // The 24 texts of a row in the current mode.
    std::vector<std::string> RowCells(size_t row) const {
        return RatingCells(ratings_.at(row), EffMode());
    }
    // "Рейтинг: %d"
    std::string CountText() const;

    // At start: the file when there is one, then sorted (which saves).
    void Load();
    // Counts a stake just checked; the caller sorts afterwards.
    void Add(const TStakeRec& stake) { AddToRatings(ratings_, stake); }
    // Sorts by a view column, saves and redisplays; the column and direction are kept with the
    // window's list settings ("lvRatings.SortType"), from which the next start sorts.
    void Sort(int column, bool descending);
    // A header click: the current column reverses its direction; another starts descending, the
    // comment ascending. The "E" columns do not sort.
    void SortByClick(int column);
    void Resort() { Sort(sortColumn_, sortDescending_); }
    // Rewrites the file; false after the error box. The view is refreshed in any case.
    bool Save();

    // "Обновить рейтинг" from the checked stakes; asks first when there are rows. True when
    // rebuilt.
    bool CanRebuild(bool stakesOpen) const { return core_.NotBusy() && stakesOpen; }
    bool Rebuild(const TStakesFile& stakes);
    bool CanExport() const { return core_.NotBusy() && !ratings_.empty(); }
    void Export();  // asks for the file
    bool ExportFile(const std::string& path);
    // "Добавить в сценарий" for rows in view order; returns how many lines were added.
    bool CanToScenario(const std::vector<size_t>& rows) const;
    int ToScenario(const std::vector<size_t>& rows);
    bool CanSetEffMode() const { return core_.NotBusy(); }
    void SetEffMode(TEffMode mode);
    // "Количество совпадений": the selected rows' histograms against random play.
    bool CanMatchGraph(const std::vector<size_t>& rows) const {
        return core_.NotBusy() && !rows.empty();
    }
    std::vector<TGraphPoint> MatchGraph(const std::vector<size_t>& rows) const {
        return MatchCountGraph(ratings_, rows);
    }

  private:
    void Refresh();
    void StoreSort();

    TSessionCore& core_;
    TStatsController& stats_;
    TScenarioController& scenario_;
    TRatingsFile file_;
    TRatingsArray ratings_;
    int sortColumn_ = kRatingAverageColumn;
    bool sortDescending_ = true;
};

}  // namespace zentrix
