#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/archive_controller.h"
#include "app/config_controller.h"
#include "app/session_core.h"
#include "core/game.h"

namespace zentrix {

enum class TFilterMark { Inclusion, Exclusion, Undone };

// A line of the filter log: "Примененные фильтры", "Значения", "Комбинаций" and its mark.
struct TFilterLogLine {
    std::string applied;
    std::string values;
    int count = 0;
    TFilterMark mark = TFilterMark::Inclusion;
    bool operator==(const TFilterLogLine&) const = default;
};

// How a narrowing of the working list shows itself: its busy status and its line of the filter
// log (the count is the list's after the narrowing).
struct TNarrowing {
    std::string status;
    bool exclude = true;
    std::string applied;
    std::string values;
};
// Fills kept, empty, from source: the working list as it was.
using TNarrowFn = std::function<void(const TCombsArray& source, TCombsArray& kept)>;

// The working combination list with its undo snapshot, the keyed buffer of scenarios and the
// filter log, and the actions of the combinations tab. Rows are positions in the working list.
class TCombsController {
  public:
    TCombsController(TSessionCore& core, TArchiveController& archive, TConfigController& config);

    // The working list; every filter narrows it through Narrow.
    const TCombsArray& Combs() const { return combs_; }
    TCombsArray& Working() { return combs_; }
    int Count() const { return static_cast<int>(combs_.size()); }
    const TCombsArray& UndoSnapshot() const { return undo_; }
    const std::vector<TFilterLogLine>& FilterLog() const { return log_; }
    std::vector<std::string> RowTexts(int row) const;
    std::optional<TColor> CellColor(int row, int column) const;

    // The three arrays sized for the full list, empty; the buffer's keys -1, -1.
    void InitArrays();
    void SetCombCount(size_t capacity, size_t count);
    // Fills the working list; with showProgress also busy state, status texts, a cleared filter
    // log, an empty undo and keyed buffer, and the list refreshed. Mode 4 reads the file the
    // parameter names; a relative name is read from the data folder.
    void GenerateCombs(bool showProgress, int mode, const std::string& parameter);

    void SaveUndo(bool showStatus);
    void RestoreUndo(bool showStatus);
    void ClearUndo() { undo_.clear(); }
    bool CanUndo() const { return !undo_.empty(); }

    void StoreBuffer(int key1, int key2);
    bool LoadBuffer(int key1, int key2);
    void InvalidateBuffer();
    std::pair<int, int> BufferKeys() const { return {bufferKey1_, bufferKey2_}; }
    int BufferCount() const { return static_cast<int>(buffer_.size()); }

    bool FindComb(const TComb& comb) const;
    // The working list from a combination file (emptied first); false after the error box,
    // keeping what was read.
    bool ReadCombFile(const std::string& name);
    bool WriteCombFile(const std::string& name);
    void RefreshCombList();

    void ClearFilterLog();
    void AddFilterLog(bool exclude, const std::string& applied, const std::string& values);
    void AddUndoLog();
    void DropLastLog();

    // The one way to narrow the working list (statistics filter, removing drawn or selected
    // combinations, a scenario's filters, the card, the layout scheme, the weekdays): the undo
    // step saved, the list refilled by narrow from what it was, the log line added (not for a
    // list that was empty) and the list refreshed (workingListChanged). Should narrow fail, the
    // list and the undo step are put back and the failure goes on.
    void Narrow(const TNarrowing& how, const TNarrowFn& narrow);
    // Removes the combinations drawn in the last n draws up to the reference draw.
    void RemoveDrawn(int n);
    // Keeps the rows that are not selected.
    void DeleteSelectedCombs(const std::vector<int>& selectedRows);

    // Actions. Each is enabled only while not busy and under its own condition.
    bool CanCombsGen() const;
    // The generation dialog's OK.
    void CombsGenerate(int mode, const std::string& parameter, bool saveAsDefaults);
    bool CanCombsOpen() const;
    void CombsOpen();  // asks for the file
    void OpenCombFile(const std::string& name);
    bool CanCombsSave() const;
    void CombsSave();  // asks for the file
    void SaveCombFile(const std::string& name);
    bool CanCombsUndo() const;
    void CombsUndo();
    bool CanCombsDelExists(int64_t spinValue) const;
    void CombsDelExists(int n);
    bool CanCombsDelSelected(const std::vector<int>& selectedRows) const;
    void CombsDelSelected(const std::vector<int>& selectedRows);
    bool CanCombsCopy() const;
    void CombsCopy(const std::vector<int>& selectedRows);
    bool CanCombsPaste();
    void CombsPaste();
    bool CanCombsSelectAll() const;
    // Runs the front end's selection of every row under the status text.
    void CombsSelectAll(const std::function<void()>& selectEveryRow);
    bool CanCombsCheckNums() const;
    void CombsCheckNums();
    bool CanCombsFindInDraws(int focusedRow) const;
    void CombsFindInDraws(int focusedRow);
    bool CanCombsInfo(int focusedRow) const;
    // The information dialog's properties of the focused combination (no number, no date).
    std::vector<TInfoProperty> InfoProperties(int focusedRow) const;

  private:
    bool ValidRow(int row) const { return row >= 0 && row < Count(); }

    TSessionCore& core_;
    TArchiveController& archive_;
    TConfigController& config_;
    TCombsArray combs_;
    TCombsArray undo_;
    TCombsArray buffer_;
    TCombsArray spare_;  // storage only: the next narrowing writes its list into it
    int bufferKey1_ = -1;
    int bufferKey2_ = -1;
    std::vector<TFilterLogLine> log_;
};

}  // namespace zentrix
