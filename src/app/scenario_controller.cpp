#include "app/scenario_controller.h"

#include <algorithm>
#include <filesystem>
#include <functional>

#include "scenario/scenario_file.h"
#include "scenario/scenario_line.h"
#include "scenario/scenario_rows.h"
#include "util/errors.h"
#include "util/format.h"

namespace zentrix {

namespace {

// The boundary of a file operation: its failure is shown and the scenario stays as it was.
bool ShowFailure(TSessionCore& core, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const EZentrix& e) {
        core.ErrorBox(e.what());
        return false;
    }
}

}  // namespace

TScenarioController::TScenarioController(TSessionCore& core, TStatsController& stats,
                                         TConfigController& config)
    : core_(core), stats_(stats), config_(config) {}

std::vector<std::string> TScenarioController::RowTexts(int row) const {
    return ScenarioListRow(scenario_.Line(row), stats_.Registry());
}

std::string TScenarioController::LinesPanelText() const {
    return Format("Строк: %d", {Count()});
}

std::string TScenarioController::WorkingPath() const {
    return WorkingScenarioPath(core_.Folder());
}

void TScenarioController::ListChanged() {
    core_.Invalidate(TUiPart::ScenarioList);
}

void TScenarioController::LoadWorkingFile() {
    const std::string path = WorkingPath();
    std::error_code error;
    // Anything at the path is read, so what cannot be is reported instead of being overwritten.
    if (std::filesystem::exists(path, error)) {
        TBusyScope busy(core_, Format(kScenarioLoadStatus, {path}));
        ShowFailure(core_, [&] { scenario_.LoadFile(path); });
    }
    ListChanged();
}

bool TScenarioController::WriteWorkingFile() {
    const std::string path = WorkingPath();
    bool written = false;
    {
        TBusyScope busy(core_, Format(kScenarioSaveStatus, {path}));
        written = ShowFailure(core_, [&] { scenario_.SaveFile(path); });
    }
    ListChanged();
    return written;
}

int TScenarioController::AddScriptLine(std::string line) {
    const int index = scenario_.Add(std::move(line));
    WriteWorkingFile();
    return index;
}

void TScenarioController::SetScriptLine(int index, std::string line) {
    scenario_.Set(index, std::move(line));
    WriteWorkingFile();
}

void TScenarioController::ReplaceLines(const std::vector<std::string>& lines) {
    scenario_.Clear();
    for (const auto& line : lines) scenario_.Add(line);
    WriteWorkingFile();
}

void TScenarioController::SetRunning(bool running) {
    running_ = running;
    core_.Invalidate(TUiPart::Actions);
}

TScriptLineFields TScenarioController::NewLineFields(int excludeDraws) const {
    return ScriptLineFields({}, excludeDraws);
}

TScriptLineFields TScenarioController::LineFields(int row) const {
    return ScriptLineFields(scenario_.Line(row), 0);
}

TFilterDialogContext TScenarioController::FilterContext() const {
    TFilterDialogContext context;
    context.registry = &stats_.Registry();
    context.stats = stats_.MethodLists().Stats;
    context.currentPosition = stats_.SelectedPosition();
    context.windowLength = stats_.WindowLength();
    context.weights = config_.Data().CDL;
    return context;
}

bool TScenarioController::IsCommandRow(int row) const {
    return row >= 0 && row < Count() && !IsSeparatorLine(scenario_.Line(row));
}

std::string TScenarioController::ChooseScenarioFile(bool save) {
    TFileChoice choice;
    choice.save = save;
    choice.title = save ? "Сохранить" : "Открыть";
    choice.filter = kScenarioFileFilter;
    choice.defaultExtension = kScenarioFileExtension;
    return core_.Ui().ChooseFile(choice).value_or(std::string());
}

bool TScenarioController::CanOpen() const {
    return Available();
}

void TScenarioController::Open() {
    const std::string path = ChooseScenarioFile(false);
    if (!path.empty()) OpenFile(path);
}

void TScenarioController::OpenFile(const std::string& path) {
    {
        TBusyScope busy(core_, Format(kScenarioLoadStatus, {path}));
        ShowFailure(core_, [&] { scenario_.LoadFile(path); });
    }
    WriteWorkingFile();
}

bool TScenarioController::CanSave() const {
    return Available() && Count() > 0;
}

void TScenarioController::Save() {
    const std::string path = ChooseScenarioFile(true);
    if (!path.empty()) SaveFile(path);
}

bool TScenarioController::SaveFile(const std::string& path) {
    TBusyScope busy(core_, Format(kScenarioSaveStatus, {path}));
    return ShowFailure(core_, [&] { scenario_.SaveFile(path); });
}

bool TScenarioController::CanAdd() const {
    return Available();
}

bool TScenarioController::CanAddSeparator() const {
    return Available() && Count() > 0;
}

int TScenarioController::AddSeparator() {
    return AddScriptLine({});
}

bool TScenarioController::CanAppend() const {
    return Available();
}

void TScenarioController::Append() {
    const std::string path = ChooseScenarioFile(false);
    if (!path.empty()) AppendFile(path);
}

void TScenarioController::AppendFile(const std::string& path) {
    {
        TBusyScope busy(core_, Format(kScenarioLoadStatus, {path}));
        ShowFailure(core_, [&] { scenario_.AppendFile(path); });
    }
    WriteWorkingFile();
}

bool TScenarioController::CanClone(int row) const {
    return Available() && IsCommandRow(row);
}

bool TScenarioController::CanEdit(int row) const {
    return Available() && IsCommandRow(row);
}

bool TScenarioController::CanDelete(const std::vector<int>& rows) const {
    return Available() && std::any_of(rows.begin(), rows.end(),
                                      [this](int row) { return row >= 0 && row < Count(); });
}

bool TScenarioController::DeleteLines(const std::vector<int>& rows) {
    std::vector<int> doomed;
    for (int row : rows)
        if (row >= 0 && row < Count()) doomed.push_back(row);
    std::sort(doomed.begin(), doomed.end(), std::greater<>());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    if (doomed.empty() || !core_.ConfirmDelete(static_cast<int>(doomed.size()))) return false;
    {
        TBusyScope busy(core_, kDeleteLinesStatus);
        for (int row : doomed) scenario_.Remove(row);
    }
    WriteWorkingFile();
    return true;
}

bool TScenarioController::CanDeleteAll() const {
    return Available() && Count() > 0;
}

bool TScenarioController::DeleteAll() {
    if (Count() == 0 || !core_.ConfirmDelete(Count())) return false;
    {
        TBusyScope busy(core_, kDeleteLinesStatus);
        scenario_.Clear();
    }
    WriteWorkingFile();
    return true;
}

bool TScenarioController::CanMoveUp(int row) const {
    return Available() && row > 0 && row < Count();
}

bool TScenarioController::CanMoveDown(int row) const {
    return Available() && row >= 0 && row < Count() - 1;
}

int TScenarioController::MoveUp(int row) {
    scenario_.Swap(row, row - 1);
    WriteWorkingFile();
    return row - 1;
}

int TScenarioController::MoveDown(int row) {
    scenario_.Swap(row, row + 1);
    WriteWorkingFile();
    return row + 1;
}

}  // namespace zentrix
