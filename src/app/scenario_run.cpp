#include "app/scenario_run.h"

#include "app/log_files.h"

#include "scenario/filter_variants.h"
#include "scenario/scenario_line.h"
#include "scenario/test_count_dialog.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr const char* kLogPrefix = "ScriptLog_";
constexpr const char* kLogSuffix = ".txt";
constexpr int kCommentLimit = 255;

// Clears a flag at the end of a scope, also when it ends by an exception.
struct TSuspendViews {
    TSessionCore& core;
    explicit TSuspendViews(TSessionCore& c) : core(c) { core.SetViewsSuspended(true); }
    ~TSuspendViews() { core.SetViewsSuspended(false); }
};

}  // namespace

bool NoLocalSystem(const TByteArray& numbers, TCombsArray& /*combs*/, std::string& message) {
    message = Format(kNoSystemFound, {static_cast<int>(numbers.size())});
    return false;
}

std::string ScenarioStakeComment(int line, int variant, const std::string& comment,
                                 const TScriptCommand& command, const TFilterVar& parts) {
    std::string text = Format("%.2d.%.3d:", {line, variant});
    if (!comment.empty()) text += " " + comment;
    text += " @ " + ShortCommandText(command) + " + " + JoinFilterParts(parts);
    return Utf8Left(text, kCommentLimit);
}

TScenarioRun::TScenarioRun(TSessionCore& core, TArchiveController& archive, TCombsController& combs,
                           TConfigController& config, TStatsController& stats,
                           TStakesController& stakes, TScenarioController& scenario)
    : core_(core),
      archive_(archive),
      combs_(combs),
      config_(config),
      stats_(stats),
      stakes_(stakes),
      scenario_(scenario),
      random_(SystemRandomIndex()) {}

bool TScenarioRun::CanForecast() const {
    return core_.NotBusy() && !running_ && scenario_.Count() > 0 && archive_.Count() > 0;
}

bool TScenarioRun::LogEnabled() const {
    return logOverride_.value_or(core_.Settings().Options().ScriptLogEnabled);
}

void TScenarioRun::ToggleLog() {
    bool& option = core_.Settings().Options().ScriptLogEnabled;
    option = !option;
    core_.StoreOption(&TMainOptions::ScriptLogEnabled);
}

void TScenarioRun::ToggleCheckOnLine() {
    bool& option = core_.Settings().Options().StakesCheckOnLine;
    option = !option;
    core_.StoreOption(&TMainOptions::StakesCheckOnLine);
}

void TScenarioRun::DeleteLogs() {
    DeleteLogFiles(core_, kLogPrefix, kLogSuffix);
}

bool TScenarioRun::Poll() {
    core_.Ui().ProcessEvents();
    if (observer_) observer_->Polled();
    return stop_;
}

void TScenarioRun::Panel(TScriptPanel panel, const std::string& text) {
    if (observer_) observer_->ShowPanel(panel, text);
}

void TScenarioRun::Log(const std::string& line) {
    if (!log_.IsOpen()) return;
    try {
        log_.Write(line, Now());
    } catch (const EZentrix& e) {
        // One box, not one per line: the run goes on without its log.
        log_.Close();
        core_.ErrorBox(e.what());
    }
}

bool TScenarioRun::Stop() {
    if (!CanStop() || !core_.Confirm(kStopQuestion, false)) return false;
    Log(LogBanner("### ВЫПОЛНЕНИЕ СЦЕНАРИЯ ПРЕРВАНО ", '#'));
    RequestStop();
    return true;
}

void TScenarioRun::RequestStop() {
    if (!running_) return;
    stop_ = true;
    core_.Invalidate(TUiPart::Actions);
}

void TScenarioRun::Begin(int cycle) {
    core_.BeginBusy();
    core_.ShowStatus(kRunStatus);
    logPath_.clear();
    if (LogEnabled()) {
        log_.Open(core_.Folder(), Now());
        logPath_ = log_.Path();
        Log(LogBanner("### ЗАПУСК СЦЕНАРИЯ ", '#'));
    }
    running_ = true;
    stop_ = false;
    cycle_ = cycle;
    stakesAdded_ = stakesChecked_ = 0;
    passes_.clear();
    firstRecord_ = stakes_.Count();
    systemBoxShown_ = false;
    prefetch_.clear();
    generated_.reset();
    known_.reset();
    pending_.clear();
    scenario_.SetRunning(true);
    Panel(TScriptPanel::Cycle, Format("Цикл: %d", {cycle_}));
    Panel(TScriptPanel::Stakes, Format("Ставок: %d", {stakesAdded_}));
}

void TScenarioRun::End() {
    FlushStakes();
    prefetch_.clear();
    generated_.reset();
    known_.reset();
    tables_.clear();
    running_ = false;
    stop_ = false;
    cycle_ = 0;
    scenario_.SetRunning(false);
    Log(LogBanner("### ЗАВЕРШЕНИЕ СЦЕНАРИЯ ", '#'));
    const bool logged = log_.IsOpen();
    log_.Close();
    core_.ShowStatus({});
    core_.EndBusy();
    core_.RefreshViews(false);
    if (logged && FileExists(logPath_)) core_.Ui().OpenDocument(logPath_);
}

void TScenarioRun::Forecast() {
    if (!CanForecast()) return;
    Begin(1);
    {
        TSuspendViews suspended(core_);
        Log(LogBanner("", '='));
        Log(LogBanner(
            Format("=== Выполнение сценария для смещения %.6d ", {archive_.DrawsOffset()}), '='));
        Log(LogBanner("", '='));
        RunPass();
        if (!stop_) Panel(TScriptPanel::Text, kRunFinished);
    }
    End();
}

void TScenarioRun::Test() {
    if (!CanTest()) return;
    const TTestCountDialog dialog(archive_.Count());
    if (!dialog.Possible()) {
        core_.ErrorBox(kTestCountTooFewDraws);
        return;
    }
    for (;;) {
        const std::optional<std::string> text =
            core_.Ui().InputText(kTestCountTitle, kTestCountPrompt, std::to_string(dialog.initial));
        if (!text) return;
        if (const std::optional<int> passes = dialog.Accept(*text)) {
            RunTest(*passes);
            return;
        }
        core_.ErrorBox(
            Format("Количество тестов должно быть от %d до %d!", {dialog.minimum, dialog.maximum}));
    }
}

void TScenarioRun::RunTest(int passes) {
    if (!CanTest()) return;
    passes = std::clamp(passes, 0, std::max(0, archive_.Count() - 1));
    Begin(0);
    const int initialOffset = archive_.DrawsOffset();
    try {
        TSuspendViews suspended(core_);
        for (int offset = passes; offset >= 1; --offset) {
            if (Poll()) break;
            ++cycle_;
            Panel(TScriptPanel::Cycle, Format("Цикл: %d", {cycle_}));
            core_.ShowStatus(kRunStatus);
            archive_.SetDrawsOffset(offset);
            if (Poll()) break;
            Log(LogBanner("", '='));
            Log(LogBanner(Format("=== Выполнение сценария для смещения %.6d ", {offset}), '='));
            Log(LogBanner("", '='));
            RunPass();
            if (stop_) break;
        }
        if (!stop_) archive_.SetDrawsOffset(initialOffset);
        Panel(TScriptPanel::Text, kRunFinished);
    } catch (const std::exception& e) {
        core_.ErrorBox(e.what());
    }
    End();
}

void TScenarioRun::RunPass() {
    TRunPass pass{archive_.DrawsOffset(), 0};
    const int before = stakesAdded_;
    FlushStakes();
    // The pass's group starts with a separator, written with the pass's stakes in one go.
    try {
        const std::optional<TStakeRec> last = stakes_.File().Last();
        if (last && last->Draw > 0) pending_.push_back(SeparatorRecord());
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка добавления записи в файл ставок!\n\n%s", e);
        RequestStop();
        return;
    }
    combs_.InvalidateBuffer();
    tables_.clear();
    savedWeights_ = config_.Data().CDL;
    const std::vector<std::string> lines = scenario_.Scenario().Lines();
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (IsSeparatorLine(lines[i])) continue;
        if (observer_) observer_->SelectLine(i);
        Log(LogBanner("", '-'));
        Log(Format("Выполнение строки %.3d: \"%s\"", {i + 1, lines[i]}));
        Log(LogBanner("", '-'));
        ExecuteLine(i);
        if (Poll()) break;
    }
    if (!CheckOnLine()) CheckStakes();
    FlushStakes();
    tables_.clear();
    combs_.InvalidateBuffer();
    pass.stakes = stakesAdded_ - before;
    passes_.push_back(pass);
}

void TScenarioRun::ExecuteLine(int index) {
    const std::string& text = scenario_.Scenario().Line(index);
    TLineContext line;
    line.number = index + 1;
    line.comment = LineComment(text);
    line.command = DecodeCommand(LineCommand(text));
    try {
        combs_.ClearUndo();
        std::vector<TFilterItem> items;
        const TStatList& registry = stats_.Registry();
        for (int slot = 1; slot <= kFilterSlotCount; ++slot) {
            const std::string filter = LineFilter(text, slot);
            if (filter.empty()) continue;
            items.push_back(DecodeFilterItem(filter, registry));
            // A statistic this program does not have at all: its code and what it is.
            if (!items.back().Method)
                throw EZentrix(Format(kMethodNotListed, {Trim(items.back().StatText.substr(
                                                             0, items.back().StatText.find(':'))),
                                                         "Метод отсутствует в этой программе"}));
        }
        Log("Создание всех вариантов фильтров...");
        Panel(TScriptPanel::Text, "Создание всех вариантов фильтров...");
        TVariantHooks hooks;
        hooks.progress = [this](size_t made) {
            Panel(TScriptPanel::Text, Format("Создание всех вариантов фильтров ( %d )...",
                                             {static_cast<long long>(made)}));
        };
        hooks.stopped = [this] { return Poll(); };
        const std::vector<TFilterVar> variants = ExpandVariants(items, hooks);
        Log(Format("Создано %d вариантов фильтров.", {static_cast<int>(variants.size())}));
        const int count = static_cast<int>(variants.size());
        for (int k = 1; k <= count && !Poll(); ++k) RunVariant(line, variants[k - 1], k, count);
    } catch (const ETooManyVariants& e) {
        RequestStop();
        core_.ErrorBox(std::string(kTooManyVariants) + "\n\n" + e.what());
    } catch (const std::exception& e) {
        RequestStop();
        core_.ErrorBox(e.what());
    }
}

void TScenarioRun::RunVariant(const TLineContext& line, const TFilterVar& var, int k, int count) {
    const std::string filters = JoinFilterParts(var);
    Log("");
    Log(LogBanner("", '-'));
    Log(Format("Применение набора фильтров %.3d: \"%s\"", {k, filters}));
    Log(LogBanner("", '-'));
    Panel(TScriptPanel::Line, Format("Строка: %d", {line.number}));
    Panel(TScriptPanel::Text, Format("Фильтр %d из %d: %s", {k, count, filters}));
    Log("Создание начального списка комбинаций...");
    BuildBase(line.command);
    Log(Format("Количество комбинаций в списке: %d", {combs_.Count()}));
    for (const TFilterPart& part : var) {
        if (!part.Enabled || combs_.Count() <= 1) continue;
        if (Poll()) return;
        ApplyPart(part);
    }
    if (Poll()) return;
    Act(line, var, k);
    Log(LogBanner("", '-'));
    if (CheckOnLine()) CheckStakes();
}

}  // namespace zentrix
