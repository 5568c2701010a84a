// The steps of one variant: the base list, the filter parts and the action with its stakes.
#include <algorithm>

#include "app/scenario_run.h"
#include "core/comb_text.h"
#include "scenario/filter_modes.h"
#include "stakes/stake_check.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr auto kPanelInterval = std::chrono::milliseconds(101);
constexpr const char* kAppendFailure = "Ошибка добавления записи в файл ставок!\n\n%s";

// The table column behind each cell a row test can read.
struct TFieldColumn {
    std::string TStatValues::*field;
    int column;
};
constexpr TFieldColumn kFieldColumns[] = {
    {&TStatValues::Count, kColCount},
    {&TStatValues::CountPercent, kColCountPercent},
    {&TStatValues::Deviation, kColDeviation},
    {&TStatValues::DeviationPercent, kColDeviationPercent},
    {&TStatValues::Depth, kColDepth},
    {&TStatValues::DepthPercent, kColDepthPercent},
    {&TStatValues::Weight, kColWeight},
    {&TStatValues::PeriodMin, kColPeriodMin},
    {&TStatValues::Period, kColPeriod},
    {&TStatValues::PeriodMax, kColPeriodMax},
};

// The cells of a row as the scenario reads them; only those asked for are formatted.
TStatValues RowValues(const TStatTable& table, int row, bool all,
                      std::string TStatValues::*levelField, bool count, bool percent) {
    TStatValues values;
    values.Label = table.CellText(row, kColValue);
    for (const TFieldColumn& fc : kFieldColumns) {
        const bool wanted = all || fc.field == levelField || (count && fc.column == kColCount) ||
                            (percent && fc.column == kColCountPercent);
        if (wanted) values.*(fc.field) = table.CellText(row, fc.column);
    }
    return values;
}

std::string RowText(const TStatValues& v) {
    return Format(
        "< [%s] кол-во: %s (%s %%), отклонение: %s (%s %%), глубина: %s (%s %%), вес: %s >",
        {v.Label, v.Count, v.CountPercent, v.Deviation, v.DeviationPercent, v.Depth, v.DepthPercent,
         v.Weight});
}

uint64_t StakeKey(int32_t draw, const TCountedNumbers& numbers) {
    uint32_t mask = 0;
    for (int i = 0; i < numbers.Count && i < kCombSize; ++i)
        if (numbers.Numbers[i] < 32) mask |= uint32_t{1} << numbers.Numbers[i];
    return uint64_t{static_cast<uint32_t>(draw)} << 32 | mask;
}

}  // namespace

void TScenarioRun::BuildBase(const TScriptCommand& command) {
    if (command.StartCombsType == kStartCurrent) {
        // CURR: the list as the previous variant or line left it.
    } else {
        const bool excluding = command.StartCombsType == kStartExclude && command.ExcludeDraws > 0;
        // The EXCL list of this offset is kept for the pass: the same regeneration and removal
        // would give it again.
        if (!(excluding && combs_.LoadBuffer(archive_.DrawsOffset(), command.ExcludeDraws))) {
            if (!generated_) {
                const TConfigSettings& s = config_.Settings();
                combs_.GenerateCombs(true, s.generateMode, s.generateParameters);
                generated_ = combs_.Combs();
            } else {
                combs_.Working() = *generated_;
                combs_.ClearUndo();
                combs_.ClearFilterLog();
                combs_.RefreshCombList();
            }
            if (excluding) {
                combs_.RemoveDrawn(command.ExcludeDraws);
                combs_.StoreBuffer(archive_.DrawsOffset(), command.ExcludeDraws);
            }
        } else {
            combs_.ClearFilterLog();
        }
    }
    if (command.ClearStakes) ClearStakesFile();
}

std::shared_ptr<const TPrefetchData> TScenarioRun::Prefetch(int entry) {
    auto found = prefetch_.find(entry);
    if (found != prefetch_.end()) return found->second;
    std::shared_ptr<const TPrefetchData> data;
    if (auto opened = stats_.Prefetchs().Open(entry))
        data = std::make_shared<const TPrefetchData>(std::move(*opened));
    prefetch_.emplace(entry, data);
    return data;
}

const TStatTable& TScenarioRun::Table(int entry, int window, const TCDLParams& cdl,
                                      int sortColumn) {
    const TTableKey key{entry,         window,    sortColumn,      cdl.Count,
                        cdl.Deviation, cdl.Level, cdl.UsePercents, cdl.UseAbsValues};
    auto found = tables_.find(key);
    if (found != tables_.end()) return found->second;
    TStatTableRequest request;
    request.entry = entry;
    request.windowLength = window;
    request.cdl = cdl;
    request.prefetch = Prefetch(entry);
    if (trace_) trace_->tables.push_back({request, sortColumn});
    TStatTable table;
    {
        TBusyScope busy(core_, kStatCalcStatus);
        table = stats_.Tables().Compute(request);
    }
    table.Sort(sortColumn, true);
    return tables_.emplace(key, std::move(table)).first->second;
}

void TScenarioRun::ApplyPart(const TFilterPart& part) {
    const TStatList& registry = stats_.Registry();
    const int entry = FindMethodEntry(registry, part.Method);
    const int position = entry < 0 ? -1 : stats_.Catalog().StatsPosition(entry);
    if (position < 0)
        throw EZentrix(Format(
            kMethodNotListed,
            {part.Method.Code(), entry < 0 ? std::string() : registry.EntryCaption(entry, true)}));
    const std::string caption = stats_.Catalog().StatsCaption(position);
    // The page's window-length spin holds no value below 1.
    const int window = std::clamp(part.DrawsLen, 1, TStatsController::kWindowLengthMax);
    Log(Format("Анализ тиражей и расчет статистики \"%s\" для выборки в %d тиражей...",
               {caption, window}));
    const TCDLParams cdl = part.CDLOverride ? part.Weights() : savedWeights_;
    const TStatTable& table = Table(entry, window, cdl, part.DrawsSortOrder);
    const bool logging = log_.IsOpen();
    if (logging)
        for (int r = 0; r < table.RowCount(); ++r)
            Log(RowText(RowValues(table, r, true, nullptr, false, false)));

    std::unique_ptr<TCustomStat> stat = registry.CreateStat(entry);
    const bool down = !part.BottomUp;
    const bool exclude = !part.KeepSelected;
    const std::string keepText =
        part.KeepSelected ? "Оставляем выделенные значения..." : "Удаляем выделенные значения...";
    std::string TStatValues::*levelField = LevelModeField(part.LevelMode);
    const bool byValue = part.LevelMode == kLevelByValue;
    const bool wantCount = part.StopMode == kStopCount;
    const bool wantPercent = part.StopMode == kStopPercent;
    // The stop rules that end the walk before a row is tested.
    auto ends = [&](const TStatValues& row, int steps) {
        switch (part.StopMode) {
            case kStopCombs:
                return !part.MultiSelect && combs_.Count() <= part.StopValue;
            case kStopSteps:
                return steps >= part.StopValue;
            case kStopCount: {
                const long double v = TryStrToInt(Trim(row.Count)).value_or(0);
                return down ? v <= part.StopValue : v >= part.StopValue;
            }
            case kStopPercent: {
                const long double v = TryStrToFloat(row.CountPercent).value_or(0);
                return down ? v <= part.StopValue : v >= part.StopValue;
            }
            default:
                return false;
        }
    };
    auto stepLine = [&](int step, const TStatValues& row) {
        return Format("Шаг %.3d. Выделение строки: ", {step}) + RowText(row);
    };

    std::vector<int> selected;
    int steps = 0;
    const int rows = table.RowCount();
    for (int i = 0; i < rows; ++i) {
        if (Poll()) break;
        const int r = down ? i : rows - 1 - i;
        TStatValues row = RowValues(table, r, logging, levelField, wantCount, wantPercent);
        if (byValue) row.Value = stat->ParseValue(row.Label);
        if (ends(row, steps)) break;
        const bool passes = LevelTest(part.LevelMode, row, part.LevelValue);
        if (part.MultiSelect) {
            if (passes) {
                selected.push_back(r);
                if (logging) Log(stepLine(steps + 1, row));
            }
            ++steps;
            continue;
        }
        if (!passes) continue;
        if (logging) {
            Log(stepLine(steps + 1, row));
            Log(keepText);
        }
        Narrow(*stat, entry, exclude, table.SelectedRecords({r}), caption, row.Label);
        Log(Format("Количество комбинаций в списке: %d", {combs_.Count()}));
        if (combs_.Count() == 0) {
            UndoStep();
            if (part.StopMode == kStopEmpty) break;
        } else {
            ++steps;
        }
    }
    if (!part.MultiSelect || stop_) return;
    Log(keepText);
    std::sort(selected.begin(), selected.end());
    Narrow(*stat, entry, exclude, table.SelectedRecords(selected), caption,
           table.SelectionText(selected));
    Log(Format("Количество комбинаций в списке: %d", {combs_.Count()}));
    if (combs_.Count() == 0) UndoStep();
}

void TScenarioRun::Narrow(TCustomStat& stat, int entry, bool exclude,
                          const std::vector<TStatDraw>& selected, const std::string& caption,
                          const std::string& values) {
    if (trace_ && !selected.empty())
        trace_->filters.push_back({entry, selected, exclude, combs_.Combs()});
    stats_.NarrowBySelection(stat, exclude, selected, caption, values);
}

void TScenarioRun::UndoStep() {
    Log("{UNDO} Откат изменений...");
    combs_.RestoreUndo(true);
    combs_.AddUndoLog();
}

void TScenarioRun::Act(const TLineContext& line, const TFilterVar& var, int k) {
    const TScriptCommand& command = line.command;
    Log(Format("{*} Добавление ставки, режим: \"%s\"", {ResultCombsItem(command.ResultCombsMode)}));
    const int count = combs_.Count();
    if (count <= 0 || command.ResultCombsMode == kResultNone) return;
    const std::string comment = ScenarioStakeComment(line.number, k, line.comment, command, var);
    if (count > 1 && command.ResultCombsMode == kResultStop) {
        RequestStop();
        Log("{!} Сценарий остановлен!");
        core_.WarningBox(Format("Выполнение сценария прервано, т.к. после применения всех "
                                "фильтров в списке комбинаций их осталось более одной: "
                                "%d!\n\nФильтры: %s",
                                {count, comment}),
                         "Внимание!");
        return;
    }
    if (count > 1 && command.ResultCombsMode == kResultSkip) {
        Log("{-} Ставка игнорирована!");
        return;
    }
    if (stop_) return;
    const TCombsArray& list = combs_.Combs();
    if (count == 1) {
        Stake(list[0], count, line, comment, false);
    } else {
        switch (command.ResultCombsMode) {
            case kResultRandom:
                Stake(list[random_(list.size()) % list.size()], count, line, comment, false);
                break;
            case kResultFirst:
                Stake(list.front(), count, line, comment, false);
                break;
            case kResultLast:
                Stake(list.back(), count, line, comment, false);
                break;
            case kResultAll:
                for (size_t i = 0; i < list.size() && !Poll(); ++i)
                    Stake(list[i], count, line, comment, true);
                break;
            case kResultSystemAll:
            case kResultSystemCombs:
                PlaySystem(line, command.ResultCombsMode == kResultSystemAll, comment);
                break;
            default:
                break;
        }
    }
    StakesPanel(false);
    stakes_.Refresh();
}

void TScenarioRun::PlaySystem(const TLineContext& line, bool whole, const std::string& comment) {
    TByteArray numbers;
    CollectNumbers(combs_.Combs(), combs_.Combs().size(), numbers);
    TCombsArray system;
    std::string text;
    const int n = static_cast<int>(numbers.size());
    if (!systems_(numbers, system, text)) {
        Log(Format("{#} Системная игра для %d чисел [ОШИБКА]: \"%s\"", {n, text}));
        // The lookup's box, once a run rather than once a variant.
        if (!systemBoxShown_) {
            systemBoxShown_ = true;
            core_.ErrorBox(text == Format(kNoSystemFound, {n}) ? text + kNoSystemFoundHint : text);
        }
        return;
    }
    Log(Format(whole ? "{#} Системная игра для %d чисел [все система]: загружен файл \"%s\""
                     : "{#} Системная игра для %d чисел [система * комбинации]: загружен файл "
                       "\"%s\"",
               {n, text}));
    const int count = combs_.Count();
    for (TComb comb : system) {
        if (Poll()) break;
        SortComb(comb);
        if (!whole && !combs_.FindComb(comb)) continue;
        Stake(comb, count, line, comment, true);
    }
}

bool TScenarioRun::KnownStake(int32_t draw, const TCountedNumbers& numbers) {
    if (!known_) {
        known_.emplace();
        for (const TStakeRec& rec : stakes_.File().ReadAll())
            if (!rec.IsSeparator()) known_->insert(StakeKey(rec.Draw, rec.Numbers));
    }
    return known_->count(StakeKey(draw, numbers)) > 0;
}

void TScenarioRun::Stake(const TComb& comb, int selection, const TLineContext& line,
                         const std::string& comment, bool bulk) {
    const int32_t draw = stakes_.NextDraw();
    TStakeRec stake = NewStake(config_.Data(), kStakeScenario, draw, selection, comb, comment);
    const std::string numbers =
        IntListText(TIntArray(stake.Numbers.Numbers.begin(),
                              stake.Numbers.Numbers.begin() + stake.Numbers.Count),
                    ";");
    if (line.command.NewOnly && KnownStake(draw, stake.Numbers)) {
        Log(Format("{-} Ставка на тираж %d не добавлена, так как уже имеется в списке ставок: [%s]",
                   {draw, numbers}));
        return;
    }
    if (known_) known_->insert(StakeKey(draw, stake.Numbers));
    pending_.push_back(std::move(stake));
    Log(Format("{+} Ставка на тираж %d добавлена в список ставок: [%s]", {draw, numbers}));
    ++stakesAdded_;
    StakesPanel(bulk);
}

void TScenarioRun::StakesPanel(bool throttled) {
    const auto now = std::chrono::steady_clock::now();
    if (throttled && now - panelShown_ < kPanelInterval) return;
    panelShown_ = now;
    Panel(TScriptPanel::Stakes, Format("Ставок: %d", {stakesAdded_}));
    if (throttled) core_.Ui().ProcessEvents();
}

void TScenarioRun::FlushStakes() {
    if (pending_.empty()) return;
    std::vector<TStakeRec> batch;
    batch.swap(pending_);
    try {
        AppendStakes(stakes_.FileForWriting(), batch);
    } catch (const std::exception& e) {
        known_.reset();
        core_.ReportFailure(kAppendFailure, e);
        RequestStop();
    }
    stakes_.Refresh();
}

void TScenarioRun::ClearStakesFile() {
    // What is still held back would be deleted with the rest.
    pending_.clear();
    try {
        stakes_.FileForWriting().Clear();
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка удаления записи из файла ставок!\n\n%s", e);
        RequestStop();
    }
    if (known_) known_->clear();
    firstRecord_ = 0;
    stakes_.Refresh();
}

void TScenarioRun::CheckStakes() {
    FlushStakes();
    stakesChecked_ += stakes_.Check();
}

}  // namespace zentrix
