#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/archive_controller.h"
#include "app/combs_controller.h"
#include "app/config_controller.h"
#include "app/ratings_controller.h"
#include "app/session_core.h"
#include "stakes/stake_delete.h"
#include "stakes/stake_dialog.h"
#include "stakes/stake_graphs.h"
#include "stakes/stake_make.h"
#include "stakes/stake_view.h"
#include "stakes/stakes_file.h"

namespace zentrix {

inline constexpr const char* kStakesNotOpen = "Файл ставок не открыт!";

// The stakes page of the session: the stakes file kept open on the folder hold, its grid's
// rows, checking (which feeds the ratings and the logs) and the page's commands. Grid row r
// (r >= 1) shows record r - 1.
class TStakesController {
  public:
    TStakesController(TSessionCore& core, TArchiveController& archive, TCombsController& combs,
                      TConfigController& config, TRatingsController& ratings);

    const TStakesFile& File() const { return file_; }
    // For a scenario run, which writes its stakes in batches and checks them afterwards.
    TStakesFile& FileForWriting() { return file_; }
    bool IsOpen() const { return file_.IsOpen(); }
    // Records in the file; 0 when it is not open.
    int64_t Count() const;
    // The nine texts of grid row `row` (>= 1).
    std::vector<std::string> RowCells(int64_t row) const;
    // Its background by the stake's kind (none for a separator), and the numbers of its
    // "Моя ставка" and "Результаты тиража" cells with the matched ones marked.
    std::optional<TColor> RowColour(int64_t row) const;
    std::vector<TNumberMark> RowNumberMarks(int64_t row, int column) const;

    // At start, once the hold is taken: opened, repaired when it was of another version, shown.
    void Open(TExclusiveFile& hold);
    // At the end of the run.
    void Close();
    // "Ставок: %d" in panel 4.
    void Refresh();

    // The draw a new stake is for: the one after the reference draw.
    int32_t NextDraw() const;
    // The stake dialog on a new stake, with the numbers of the selected combination.
    TStakeDialogFields NewStakeFields(const std::optional<TComb>& selected) const;
    // Its numbers taken from a uniformly random combination of the list.
    TStakeDialogFields RandomStakeFields(const TRandomIndex& random) const;

    // Commands; each needs the session not busy and its own condition.
    bool CanMakeStake() const;
    // The stake dialog's OK: the stake appended for its draws, then everything checked. False
    // after the error box (the file stays as it was).
    bool MakeStake(const TStakeDialogFields& fields, uint8_t kind = kStakeManual);
    bool CanMakeRandomStake() const;
    bool CanMakeStakesForCombs(const std::vector<size_t>& rows) const;
    // The multi-stake dialog's OK: one stake per listed combination in list order.
    bool MakeStakesForCombs(const std::vector<size_t>& rows, const TStakeDialogFields& fields);
    // The same over another list (each stake's selection is that list's size).
    bool MakeStakesForList(const TCombsArray& list, const std::vector<size_t>& rows,
                           const TStakeDialogFields& fields);

    bool CanDeleteRows(int64_t firstRow, int64_t lastRow) const;
    // After the confirmation; the number of records dropped.
    int64_t DeleteRows(int64_t firstRow, int64_t lastRow);
    bool CanDeleteWhere() const { return CanCheck(); }
    int64_t DeleteWhere(TStakeCondition condition, int32_t value);
    bool CanClearAll() const { return CanCheck(); }
    // After the confirmation for the number of records; then the ratings rebuild is offered.
    bool ClearAll();

    bool CanCheck() const;
    // Fills in the stakes whose draws arrived; the number checked.
    int Check();

    void ToggleScroll();
    void ToggleLogs();
    // "Удалить журналы ставок": every "Zentrix_8x20-*.log" of the folder; how many went.
    int DeleteLogs();

    // The graphs' points; nothing after the error box (fewer than the draws a graph needs, or a
    // file that cannot be read).
    bool CanGraph() const { return CanCheck(); }
    std::optional<std::vector<TGraphPoint>> ProfitGraph();
    // Matches (or profits) of the stakes whose comments are those of the selected rating rows.
    bool CanRatingGraph(const std::vector<size_t>& ratingRows) const {
        return CanCheck() && !ratingRows.empty();
    }
    std::optional<std::vector<TGraphPoint>> RatingGraph(const std::vector<size_t>& ratingRows,
                                                        bool profit);

  private:
    bool Available() const { return core_.NotBusy() && file_.IsOpen(); }
    bool Append(const std::vector<TStakeRec>& stakes, int draws, const std::string& status);
    // After a rewrite: what is left checked, the view refreshed.
    void Rewritten();
    std::optional<std::vector<TGraphPoint>> Graph(
        const std::function<std::vector<TGraphPoint>(const std::vector<TStakeRec>&)>& make);

    TSessionCore& core_;
    TArchiveController& archive_;
    TCombsController& combs_;
    TConfigController& config_;
    TRatingsController& ratings_;
    TStakesFile file_;
};

}  // namespace zentrix
