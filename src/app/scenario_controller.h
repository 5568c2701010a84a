#pragma once

#include <string>
#include <vector>

#include "app/config_controller.h"
#include "app/session_core.h"
#include "app/stats_controller.h"
#include "scenario/filter_item_dialog.h"
#include "scenario/scenario.h"
#include "scenario/script_line_dialog.h"

namespace zentrix {

inline constexpr const char* kDeleteLinesStatus = "Удаление строк...";

// The scenario page of the session: the current scenario, its working file rewritten after
// every change, and the commands of the scenario list with their availability. Rows are the
// scenario's lines in order.
class TScenarioController {
  public:
    TScenarioController(TSessionCore& core, TStatsController& stats, TConfigController& config);

    const TScenario& Scenario() const { return scenario_; }
    int Count() const { return scenario_.Count(); }
    std::vector<std::string> RowTexts(int row) const;
    // Panel 0 of the page's status bar.
    std::string LinesPanelText() const;
    std::string WorkingPath() const;

    // At start: the working file, when there is one.
    void LoadWorkingFile();
    // Rewrites the working file; false after the error box (the lines stay as they are).
    bool WriteWorkingFile();
    // AddScriptLine: returns the new line's index.
    int AddScriptLine(std::string line);
    // SetScriptLine: an index outside the list raises kLineNotFound.
    void SetScriptLine(int index, std::string line);

    // Lines from elsewhere (the online catalog) replace the scenario; the working file follows.
    void ReplaceLines(const std::vector<std::string>& lines);

    // A running scenario disables the list.
    bool Running() const { return running_; }
    void SetRunning(bool running);

    // The dialogs' models, with the main window's defaults.
    TScriptLineFields NewLineFields(int excludeDraws) const;
    TScriptLineFields LineFields(int row) const;
    TFilterDialogContext FilterContext() const;

    // Commands. Each is available only while not busy and no scenario runs, and under its own
    // condition; rows are the list's selected rows, row the focused one.
    bool CanOpen() const;
    void Open();  // asks for the file
    void OpenFile(const std::string& path);
    bool CanSave() const;
    void Save();  // asks for the file
    bool SaveFile(const std::string& path);
    bool CanAdd() const;
    bool CanAddSeparator() const;
    int AddSeparator();
    bool CanAppend() const;
    void Append();  // asks for the file
    void AppendFile(const std::string& path);
    bool CanClone(int row) const;
    bool CanEdit(int row) const;
    bool CanDelete(const std::vector<int>& rows) const;
    // After the confirmation; true when lines were removed.
    bool DeleteLines(const std::vector<int>& rows);
    bool CanDeleteAll() const;
    bool DeleteAll();
    bool CanMoveUp(int row) const;
    bool CanMoveDown(int row) const;
    // The moved line's new row.
    int MoveUp(int row);
    int MoveDown(int row);

  private:
    bool Available() const { return core_.NotBusy() && !running_; }
    bool IsCommandRow(int row) const;
    std::string ChooseScenarioFile(bool save);
    // The list and the line count follow every load and write, also a failed one.
    void ListChanged();

    TSessionCore& core_;
    TStatsController& stats_;
    TConfigController& config_;
    TScenario scenario_;
    bool running_ = false;
};

}  // namespace zentrix
