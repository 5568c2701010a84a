#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_set>
#include <vector>

#include "app/archive_controller.h"
#include "app/combs_controller.h"
#include "app/config_controller.h"
#include "app/scenario_controller.h"
#include "app/session_core.h"
#include "app/stakes_controller.h"
#include "app/stats_controller.h"
#include "scenario/filter_part.h"
#include "scenario/scenario_log.h"
#include "scenario/script_command.h"
#include "stakes/stake_make.h"
#include "stakes/system_file.h"

namespace zentrix {

inline constexpr const char* kRunStatus = "Выполнение сценария...";
inline constexpr const char* kRunFinished = "Сценарий завершен!";
inline constexpr const char* kStopQuestion = "Остановить выполнение сценария?";
inline constexpr const char* kMethodNotListed =
    "Метод расчета статистики \"%s\" на найден!\n%s\n\nВозможно, Вы отключили данных метод "
    "расчета либо использовали сценарий от другой модификации программы.";

// The panels of the scenario page's status bar.
enum class TScriptPanel { Lines = 0, Cycle, Line, Stakes, Text };

// How a run shows itself on the scenario page; every call is optional.
class TScenarioRunObserver {
  public:
    virtual ~TScenarioRunObserver() = default;
    virtual void ShowPanel(TScriptPanel /*panel*/, const std::string& /*text*/) {}
    // The line being executed (an index into the scenario).
    virtual void SelectLine(int /*index*/) {}
    // At every poll of the stop request, after the window had its pending events.
    virtual void Polled() {}
};

// FindLocalSystem: the combinations of the stored system for that many numbers, mapped onto
// them, and the system file's name; false with the message when there is none or it cannot be
// read.
using TSystemLookup =
    std::function<bool(const TByteArray& numbers, TCombsArray& combs, std::string& nameOrMessage)>;
// No system for any count (a run without a systems folder).
bool NoLocalSystem(const TByteArray& numbers, TCombsArray& combs, std::string& message);

// One pass of a test (or the forecast): its draws offset and the stakes it made.
struct TRunPass {
    int offset = 0;
    int stakes = 0;
};

// The table computations and the filterings of a run, recorded so they can be timed alone.
struct TRunTrace {
    struct TTable {
        TStatTableRequest request;
        int sortColumn = 0;
    };
    struct TFilter {
        int entry = -1;
        std::vector<TStatDraw> selected;
        bool exclude = false;
        TCombsArray source;
    };
    std::vector<TTable> tables;
    std::vector<TFilter> filters;
};

// The stake comment of a variant: "%.2d.%.3d:", the line's comment, "@", the short command
// text and the variant's filters, cut to 255 characters.
std::string ScenarioStakeComment(int line, int variant, const std::string& comment,
                                 const TScriptCommand& command, const TFilterVar& parts);

// The scenario forecast and test: every line of the scenario run as the statistics page would
// run it by hand (base list, a table per filter part, keeping or removing the selected values,
// an action turning what is left into stakes), once at the current offset or once for each of
// the last N draws. Runs on the caller's thread; between all steps it lets the window process
// its events and looks at the stop request.
class TScenarioRun {
  public:
    TScenarioRun(TSessionCore& core, TArchiveController& archive, TCombsController& combs,
                 TConfigController& config, TStatsController& stats, TStakesController& stakes,
                 TScenarioController& scenario);

    void SetObserver(TScenarioRunObserver* observer) { observer_ = observer; }
    void SetRandom(TRandomIndex random) { random_ = std::move(random); }
    void SetSystemLookup(TSystemLookup lookup) { systems_ = std::move(lookup); }
    // A run of the command line logs when asked, whatever the stored toggle says.
    void SetLogOverride(std::optional<bool> log) { logOverride_ = log; }
    void SetTrace(TRunTrace* trace) { trace_ = trace; }

    bool Running() const { return running_; }
    bool StopRequested() const { return stop_; }

    // Commands with their availability.
    bool CanForecast() const;
    bool CanTest() const { return CanForecast(); }
    bool CanStop() const { return running_ && !stop_; }
    void Forecast();
    // Asks for the number of tests, then RunTest.
    void Test();
    // The test over the last `passes` draws: offsets passes .. 1, the offset restored after
    // unless stopped.
    void RunTest(int passes);
    // "Стоп": asks first; true when the stop was requested.
    bool Stop();
    // The stop request without the question (the window closing after its own question).
    void RequestStop();

    bool LogEnabled() const;
    bool CanToggleLog() const { return core_.NotBusy() && !running_; }
    void ToggleLog();
    bool CanDeleteLogs() const { return CanToggleLog(); }
    void DeleteLogs();
    bool CheckOnLine() const { return core_.Settings().Options().StakesCheckOnLine; }
    bool CanToggleCheckOnLine() const { return core_.NotBusy(); }
    void ToggleCheckOnLine();

    // What the last run did.
    int StakesAdded() const { return stakesAdded_; }
    int StakesChecked() const { return stakesChecked_; }
    const std::vector<TRunPass>& Passes() const { return passes_; }
    // The first record of the stakes file the last run wrote (after a CLR, 0).
    int64_t FirstRunRecord() const { return firstRecord_; }
    const std::string& LogPath() const { return logPath_; }

  private:
    struct TTableKey {
        int entry;
        int window;
        int sortColumn;
        long double count, deviation, level;
        bool percents, abs;
        auto operator<=>(const TTableKey&) const = default;
    };
    struct TLineContext {
        int number = 0;  // 1-based
        std::string comment;
        TScriptCommand command;
    };

    // The run's frame: busy, running, log banners, the end of the run.
    void Begin(int cycle);
    void End();
    void RunPass();
    void ExecuteLine(int index);
    void RunVariant(const TLineContext& line, const TFilterVar& var, int k, int count);
    void BuildBase(const TScriptCommand& command);
    void ApplyPart(const TFilterPart& part);
    void UndoStep();
    void Narrow(TCustomStat& stat, int entry, bool exclude, const std::vector<TStatDraw>& selected,
                const std::string& caption, const std::string& values);
    void Act(const TLineContext& line, const TFilterVar& var, int k);
    void PlaySystem(const TLineContext& line, bool whole, const std::string& comment);
    void Stake(const TComb& comb, int selection, const TLineContext& line,
               const std::string& comment, bool bulk);

    // Stakes are kept back and written in one go: before a check, a clear and at the end.
    void FlushStakes();
    void ClearStakesFile();
    void CheckStakes();
    bool KnownStake(int32_t draw, const TCountedNumbers& numbers);

    const TStatTable& Table(int entry, int window, const TCDLParams& cdl, int sortColumn);
    std::shared_ptr<const TPrefetchData> Prefetch(int entry);

    // The poll between steps: the window's events, then the stop request.
    bool Poll();
    void Log(const std::string& line);
    void Panel(TScriptPanel panel, const std::string& text);
    void StakesPanel(bool throttled);

    TSessionCore& core_;
    TArchiveController& archive_;
    TCombsController& combs_;
    TConfigController& config_;
    TStatsController& stats_;
    TStakesController& stakes_;
    TScenarioController& scenario_;
    TScenarioRunObserver* observer_ = nullptr;
    TRandomIndex random_;
    TSystemLookup systems_ = NoLocalSystem;
    std::optional<bool> logOverride_;
    TRunTrace* trace_ = nullptr;

    bool running_ = false;
    bool stop_ = false;
    int cycle_ = 0;
    int stakesAdded_ = 0;
    int stakesChecked_ = 0;
    int64_t firstRecord_ = 0;
    std::vector<TRunPass> passes_;
    TScenarioLog log_;
    std::string logPath_;
    bool systemBoxShown_ = false;

    // For one pass.
    TCDLParams savedWeights_;
    std::map<TTableKey, TStatTable> tables_;
    // For one run.
    std::map<int, std::shared_ptr<const TPrefetchData>> prefetch_;
    std::optional<TCombsArray> generated_;
    std::vector<TStakeRec> pending_;
    std::optional<std::unordered_set<uint64_t>> known_;
    std::chrono::steady_clock::time_point panelShown_;
};

}  // namespace zentrix
