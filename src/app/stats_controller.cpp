#include "app/stats_controller.h"

#include <algorithm>
#include <filesystem>

#include "app/window_placement.h"
#include "stats/custom_stat.h"
#include "stats/favourites_model.h"
#include "stats/filter.h"
#include "stats/prefetch_layout.h"
#include "util/files.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr const char* kStatListName = "cbDrawsStat";
constexpr const char* kStatTableName = "lvDrawsStat";
constexpr const char* kChartStatus = "Создание графиков...";

}  // namespace

TStatsController::TStatsController(TSessionCore& core, TConfigSettings& config,
                                   TArchiveController& archive, TCombsController& combs)
    : core_(core), archive_(archive), combs_(combs), registry_(archive.Draws(), config) {
    core_.RegisterView(this);
    TSessionEvents& events = core_.Events();
    configSubscription_ =
        events.settingsChanged.Subscribe([this](const TConfigChange& c) { OnConfigChanged(c); });
    infoRowsSubscription_ = events.infoRows.Subscribe(
        [this](const TInfoRowsQuery& q, std::vector<TInfoProperty>& rows) {
            AddInfoRows(q, rows);
        });
}

TStatsController::~TStatsController() {
    core_.UnregisterView(this);
}

std::string TStatsController::MethodListPath() const {
    return core_.FilePath(kMethodListExtension);
}

void TStatsController::LoadMethodList() {
    std::string message;
    if (!registry_.LoadMethodList(MethodListPath(), true, message)) core_.ErrorBox(message);
    // Favourites that name no method of this registry (say, a column method gone with fewer
    // matrix columns) would leave the lists empty: choosing none means all.
    bool any = false;
    for (int i = 0; i < registry_.MethodCount() && !any; ++i) any = registry_.IsShown(i);
    if (!any) registry_.SetAllFavourite();
}

void TStatsController::InitRegistry() {
    registry_.RegisterMethods();
    LoadMethodList();
    ResetCacheKeys();
    FillMethodLists(false, false);
}

bool TStatsController::SaveMethodList() {
    std::string message;
    if (registry_.SaveMethodList(MethodListPath(), true, false, message)) return true;
    core_.ErrorBox(message);
    return false;
}

void TStatsController::FillMethodLists(bool rebuild, bool keepSelection) {
    const int statsWanted = keepSelection ? position_ : 0;
    const int graphWanted = keepSelection ? graphPosition_ : 0;
    if (rebuild) {
        SaveMethodList();
        registry_.RegisterMethods();
        registry_.SetAllFavourite();
        LoadMethodList();
    }
    lists_ = BuildMethodLists(registry_);
    position_ = KeptListPosition(statsWanted, static_cast<int>(lists_.Stats.size()));
    // The statistic the user chose last wins wherever the refilled list holds it.
    const std::string& chosen = core_.Settings().Options().DrawsStatMethod;
    for (int i = 0; !chosen.empty() && i < static_cast<int>(lists_.Stats.size()); ++i)
        if (SameText(EntryCode(lists_.Stats[i].Entry), chosen)) position_ = i;
    graphPosition_ = KeptListPosition(graphWanted, static_cast<int>(lists_.Graphs.size()));
    core_.Invalidate(TUiPart::MethodLists);
    core_.Events().registryRebuilt.Emit();
}

void TStatsController::SelectPosition(int position) {
    if (position < -1 || position >= static_cast<int>(lists_.Stats.size())) position = -1;
    position_ = position;
    if (position_ >= 0) core_.Settings().Options().DrawsStatMethod = EntryCode(SelectedEntry());
    if (CanDrawsStatCalc()) CalcStatTable(false);
}

std::string TStatsController::EntryCode(int entry) const {
    const TStatMethod& m = registry_.MethodAt(entry);
    return m.Class->CodeOf(m.Index);
}

int TStatsController::SelectedEntry() const {
    return position_ >= 0 && position_ < static_cast<int>(lists_.Stats.size())
               ? lists_.Stats[position_].Entry
               : -1;
}

std::string TStatsController::SelectedCaption() const {
    return position_ >= 0 && position_ < static_cast<int>(lists_.Stats.size())
               ? lists_.Stats[position_].Caption
               : std::string();
}

int TStatsController::WindowLength() const {
    return std::clamp(core_.Settings().Options().DrawsStatLen, 1, kWindowLengthMax);
}

void TStatsController::SetWindowLength(int length) {
    core_.Settings().Options().DrawsStatLen = std::clamp(length, 1, kWindowLengthMax);
}

void TStatsController::WindowLengthEntered(int64_t value) {
    if (value < 1 || value > kWindowLengthMax) return;
    SetWindowLength(static_cast<int>(value));
    if (CanDrawsStatCalc()) CalcStatTable(false);
}

void TStatsController::ResetCacheKeys() {
    keys_ = TCacheKeys{};
}

void TStatsController::ClearTable() {
    table_ = TStatTable();
    chart_.clear();
    ++chartVersion_;
    hasTable_ = false;
}

bool TStatsController::NormColumnsShown() const {
    return core_.Settings().Options().PrefetchsEnabled;
}

std::pair<int, bool> TStatsController::StoredSort() const {
    auto sort = ReadSortType(core_.Settings().Ini(), TWindowSettings::kMainSection, kStatTableName);
    if (!sort || sort->first < 0 || sort->first >= kStatColumnCount)
        return {kInitialSortColumn, false};
    return {sort->first, sort->second != 0};
}

void TStatsController::SortByClick(int column) {
    if (column < 0 || column >= kStatColumnCount) return;
    if (hasTable_) {
        table_.SortByClick(column);
        WriteSortType(core_.Settings().Ini(), TWindowSettings::kMainSection, kStatTableName,
                      table_.SortColumn(), table_.SortDescending() ? 1 : 0);
    } else {
        auto [current, descending] = StoredSort();
        WriteSortType(core_.Settings().Ini(), TWindowSettings::kMainSection, kStatTableName, column,
                      column == current && !descending ? 1 : 0);
    }
    core_.Invalidate(TUiPart::StatTable);
}

std::optional<TPrefetchData> TStatsController::OpenPrefetchFile(int entry) {
    if (!NormColumnsShown() || entry < 0 || !registry_.MethodAt(entry).Class->HasNorm())
        return std::nullopt;
    const std::string path = PrefetchFileName(core_.Folder(), registry_, entry);
    std::optional<TBusyScope> building;
    if (FileSize(path) <= 0) {
        building.emplace(
            core_, Format(kPrefetchBuildStatus, {std::filesystem::path(path).filename().string()}));
    }
    std::string message;
    auto data = ::zentrix::OpenPrefetchFile(registry_, entry, core_.Folder(), message);
    if (!data && !message.empty()) core_.ErrorBox(message);
    return data;
}

void TStatsController::CalcStatTable(bool force) {
    const TCacheKeys keys{archive_.Count(), archive_.DrawsOffset(), WindowLength(), position_};
    if (!force && keys == keys_) return;
    keys_ = keys;
    ClearTable();
    // The view must drop the old rows before anything repaints.
    core_.Invalidate(TUiPart::StatTable);
    if (lists_.Stats.empty() || position_ < 0 || archive_.Count() == 0) {
        core_.Invalidate(TUiPart::StatTable);
        return;
    }
    {
        TBusyScope busy(core_, kStatCalcStatus);
        try {
            const int entry = SelectedEntry();
            auto stat = registry_.CreateSelected(entry, kStatListName);
            TStatTableParams params;
            params.RefIndex = archive_.ReferenceIndex();
            params.WindowLength = WindowLength();
            params.SortedDraws = archive_.SortedDraws();
            params.CDL = registry_.Config().data.CDL;
            if (auto prefetch = OpenPrefetchFile(entry))
                params.Prefetch = std::make_shared<const TPrefetchData>(std::move(*prefetch));
            table_ = TStatTable::Compute(std::move(stat), params);
            auto [column, descending] = StoredSort();
            table_.Sort(column, descending);
            chart_ = table_.Chart(core_.Settings().Options().ShowTotalLine);
            ++chartVersion_;
            hasTable_ = true;
        } catch (const std::exception& e) {
            ClearTable();
            core_.ErrorBox(e.what());
        }
    }
    core_.Invalidate(TUiPart::StatTable);
}

void TStatsController::BuildPrefetchFiles(bool force, TGroupSet groups) {
    if (!force && !NormColumnsShown()) return;
    TBusyScope busy(core_, kPrefetchBuildAllText);
    TProgressScope progress(core_, kPrefetchBuildAllText, registry_.MethodCount());
    TPrefetchBuildHooks hooks;
    hooks.building = [this](const std::string& name) {
        core_.ShowStatus(Format(kPrefetchBuildStatus, {name}));
    };
    hooks.step = [this](int, int) { core_.StepProgress(1); };
    hooks.failed = [this](const std::string& message) { core_.ErrorBox(message); };
    ::zentrix::BuildPrefetchFiles(registry_, core_.Folder(), groups, hooks);
}

void TStatsController::FilterCombs(TCustomStat* stat, bool exclude, const std::vector<int>& rows) {
    if (!hasTable_) return;
    std::vector<int> ordered = rows;
    std::sort(ordered.begin(), ordered.end());
    ordered.erase(std::remove_if(ordered.begin(), ordered.end(),
                                 [this](int r) { return r < 0 || r >= table_.RowCount(); }),
                  ordered.end());
    const std::vector<TStatDraw> selected = table_.SelectedRecords(ordered);
    if (selected.empty()) return;
    const TNarrowing how{kStatFilterStatus, exclude, SelectedCaption(),
                         table_.SelectionText(ordered)};
    combs_.Narrow(how, [&](const TCombsArray& source, TCombsArray& kept) {
        std::unique_ptr<TCustomStat> own;
        if (!stat) own = registry_.CreateSelected(SelectedEntry(), kStatListName);
        TCustomStat& used = stat ? *stat : *own;
        const int refIndex = std::max(0, archive_.ReferenceIndex());
        FilterCombList(used, selected, refIndex, archive_.SortedDraws(), exclude, source, kept);
    });
}

bool TStatsController::CanDrawsStatCalc() const {
    return core_.NotBusy() && archive_.Count() > 0 && SelectedEntry() >= 0;
}

bool TStatsController::CanStatFilter(const std::vector<int>& rows) const {
    return core_.NotBusy() && combs_.Count() > 0 && !rows.empty() && hasTable_;
}

void TStatsController::StatFilterInclude(const std::vector<int>& rows) {
    FilterCombs(nullptr, false, rows);
}

void TStatsController::StatFilterExclude(const std::vector<int>& rows) {
    FilterCombs(nullptr, true, rows);
}

bool TStatsController::CanFiltersInfo() const {
    return core_.NotBusy() && SelectedEntry() >= 0;
}

std::string TStatsController::SelectedHelpTopic() const {
    const int entry = SelectedEntry();
    if (entry < 0) return {};
    const TStatMethod& m = registry_.MethodAt(entry);
    return m.Class->HelpTopic(m.Index);
}

std::string TStatsController::SelectedMethodName() const {
    const int entry = SelectedEntry();
    return entry < 0 ? std::string() : registry_.EntryName(registry_.MethodAt(entry));
}

void TStatsController::TogglePrefetchsEnabled() {
    TMainOptions& o = core_.Settings().Options();
    o.PrefetchsEnabled = !o.PrefetchsEnabled;
    core_.StoreOption(&TMainOptions::PrefetchsEnabled);
    BuildPrefetchFiles(false, {});
    core_.Invalidate(TUiPart::StatTable);
    CalcStatTable(true);
}

bool TStatsController::CanToggleShowTotalLine() const {
    return core_.NotBusy() && core_.Settings().Options().PrefetchsEnabled;
}

void TStatsController::ToggleShowTotalLine() {
    TMainOptions& o = core_.Settings().Options();
    o.ShowTotalLine = !o.ShowTotalLine;
    core_.StoreOption(&TMainOptions::ShowTotalLine);
    chart_.clear();
    ++chartVersion_;
    core_.Invalidate(TUiPart::StatTable);
    TBusyScope busy(core_, kChartStatus);
    CalcStatTable(true);
}

void TStatsController::AllFavourites() {
    if (!core_.Confirm(kAllMethodsQuestion)) return;
    registry_.SetAllFavourite();
    SaveMethodList();
    FillMethodLists(true, false);
}

void TStatsController::FavouritesApplied() {
    TBusyScope busy(core_, "Подождите пожалуйста...");
    SaveMethodList();
    FillMethodLists(true, false);
    core_.RefreshViews(true);
}

void TStatsController::OnConfigChanged(const TConfigChange& change) {
    TGroupSet groups;
    if (change.channelSize) groups.set(3);
    if (change.matrixCols) groups.set(4);
    if (change.segments) groups.set(5);
    if (change.shredding) groups.set(12);
    FillMethodLists(true, true);
    if (groups.none()) return;
    // The distributions of these groups no longer fit the configuration. With the comparison on
    // they are rebuilt now; with it off they are deleted, and the comparison builds them when it
    // is next asked for, so no table is compared with a stale file.
    if (NormColumnsShown())
        BuildPrefetchFiles(false, groups);
    else
        RemovePrefetchFiles(registry_, core_.Folder(), groups);
    DropStaleLayoutFiles(registry_, core_.Folder());  // and the layouts written down
}

void TStatsController::PrefetchsAtStart(bool fullRecreate, bool fullRefresh) {
    if (fullRecreate) {
        TGroupSet all;
        for (int g = 0; g < kGroupCount; ++g) all.set(g);
        BuildPrefetchFiles(true, all);
    } else {
        BuildPrefetchFiles(fullRefresh, {});
    }
}

void TStatsController::AddInfoRows(const TInfoRowsQuery& query,
                                   std::vector<TInfoProperty>& rows) const {
    const int position = query.position;
    const bool sorted = query.sorted;
    TComb shown = query.numbers;
    if (sorted) SortComb(shown);
    for (int i = 0; i < registry_.MethodCount(); ++i) {
        const TStatMethod& m = registry_.MethodAt(i);
        if (!m.Class->IsGraph() || !m.Class->IsListed()) continue;
        auto stat = registry_.CreateStat(i);
        auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
        if (!graph) continue;
        // A draw's graph value is read from the draw itself (its extra number included); a
        // combination's from its 8 numbers.
        const int32_t value = query.isDraw
                                  ? graph->GraphValue(position, position, sorted)
                                  : graph->CombGraphValue(shown, position, position, sorted);
        rows.push_back({m.Class->NameOf(m.Index), std::to_string(value)});
    }
}

}  // namespace zentrix
