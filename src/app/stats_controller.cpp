#include "app/stats_controller.h"

#include <algorithm>

#include "stats/custom_stat.h"
#include "stats/favourites_model.h"
#include "stats/filter.h"
#include "stats/help_pages.h"
#include "stats/prefetch_layout.h"
#include "util/files.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr const char* kStatListName = "cbDrawsStat";
constexpr const char* kChartStatus = "Создание графиков...";

}  // namespace

TStatsController::TStatsController(TSessionCore& core, TConfigSettings& config,
                                   TArchiveController& archive, TCombsController& combs)
    : core_(core),
      archive_(archive),
      combs_(combs),
      catalog_(core, archive.Draws(), config),
      prefetch_(core, catalog_),
      tables_(core, catalog_, archive, prefetch_) {
    core_.RegisterView(this);
    TSessionEvents& events = core_.Events();
    configSubscription_ =
        events.settingsChanged.Subscribe([this](const TConfigChange& c) { OnConfigChanged(c); });
    infoRowsSubscription_ = events.infoRows.Subscribe(
        [this](const TInfoRowsQuery& q, std::vector<TInfoProperty>& rows) {
            catalog_.AddInfoRows(q, rows);
        });
}

TStatsController::~TStatsController() {
    core_.UnregisterView(this);
}

void TStatsController::InitRegistry() {
    catalog_.Init();
    ResetCacheKeys();
    FillMethodLists(false, false);
}

void TStatsController::FillMethodLists(bool rebuild, bool keepSelection) {
    const int statsWanted = keepSelection ? position_ : 0;
    const int graphWanted = keepSelection ? graphPosition_ : 0;
    if (rebuild) catalog_.Rebuild();
    catalog_.RefillLists();
    const TMethodLists& lists = catalog_.Lists();
    position_ = KeptListPosition(statsWanted, static_cast<int>(lists.Stats.size()));
    // The statistic the user chose last wins wherever the refilled list holds it.
    const std::string& chosen = core_.Settings().Options().DrawsStatMethod;
    for (int i = 0; !chosen.empty() && i < static_cast<int>(lists.Stats.size()); ++i)
        if (SameText(catalog_.EntryCode(lists.Stats[i].Entry), chosen)) position_ = i;
    graphPosition_ = KeptListPosition(graphWanted, static_cast<int>(lists.Graphs.size()));
    core_.Invalidate(TUiPart::MethodLists);
    core_.Events().registryRebuilt.Emit();
}

void TStatsController::SelectPosition(int position) {
    if (position < -1 || position >= static_cast<int>(catalog_.Lists().Stats.size())) position = -1;
    position_ = position;
    if (position_ >= 0)
        core_.Settings().Options().DrawsStatMethod = catalog_.EntryCode(SelectedEntry());
    if (CanDrawsStatCalc()) CalcStatTable(false);
}

int TStatsController::SelectedEntry() const {
    return catalog_.StatsEntry(position_);
}

std::string TStatsController::SelectedCaption() const {
    return catalog_.StatsCaption(position_);
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

bool TStatsController::NormColumnsShown() const {
    return prefetch_.Enabled();
}

void TStatsController::CalcStatTable(bool force) {
    tables_.Calc(SelectedEntry(), WindowLength(), force);
}

void TStatsController::FilterCombs(TCustomStat* stat, bool exclude, const std::vector<int>& rows) {
    if (!HasTable()) return;
    const TStatTable& table = Table();
    std::vector<int> ordered = rows;
    std::sort(ordered.begin(), ordered.end());
    ordered.erase(std::remove_if(ordered.begin(), ordered.end(),
                                 [&](int r) { return r < 0 || r >= table.RowCount(); }),
                  ordered.end());
    const std::vector<TStatDraw> selected = table.SelectedRecords(ordered);
    if (selected.empty()) return;
    std::unique_ptr<TCustomStat> own;
    if (!stat) own = Registry().CreateSelected(SelectedEntry(), kStatListName);
    NarrowBySelection(stat ? *stat : *own, exclude, selected, SelectedCaption(),
                      table.SelectionText(ordered));
}

void TStatsController::NarrowBySelection(TCustomStat& stat, bool exclude,
                                         std::span<const TStatDraw> selected,
                                         const std::string& caption,
                                         const std::string& valuesText) {
    if (selected.empty()) return;
    const TNarrowing how{kStatFilterStatus, exclude, caption, valuesText};
    combs_.Narrow(how, [&](const TCombsArray& source, TCombsArray& kept) {
        const int refIndex = std::max(0, archive_.ReferenceIndex());
        FilterCombList(stat, selected, refIndex, archive_.SortedDraws(), exclude, source, kept);
    });
}

bool TStatsController::CanDrawsStatCalc() const {
    return core_.NotBusy() && archive_.Count() > 0 && SelectedEntry() >= 0;
}

bool TStatsController::CanStatFilter(const std::vector<int>& rows) const {
    return core_.NotBusy() && combs_.Count() > 0 && !rows.empty() && HasTable();
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
    const TStatMethod& m = Registry().MethodAt(entry);
    return MethodHelpTopic(*m.Class, m.Index);
}

std::string TStatsController::SelectedMethodName() const {
    const int entry = SelectedEntry();
    return entry < 0 ? std::string() : Registry().EntryName(Registry().MethodAt(entry));
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
    tables_.ClearChart();
    core_.Invalidate(TUiPart::StatTable);
    TBusyScope busy(core_, kChartStatus);
    CalcStatTable(true);
}

void TStatsController::AllFavourites() {
    if (!core_.Confirm(kAllMethodsQuestion)) return;
    Registry().SetAllFavourite();
    catalog_.SaveMethodList();
    FillMethodLists(true, false);
}

void TStatsController::FavouritesApplied() {
    TBusyScope busy(core_, "Подождите пожалуйста...");
    catalog_.SaveMethodList();
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
    // New formulas: their files are rebuilt whether the comparison is shown or not, as OK in the
    // formulas window promises.
    if (change.shredding) {
        TGroupSet shredding;
        shredding.set(12);
        BuildPrefetchFiles(true, shredding);
        groups.reset(12);
        if (groups.none()) return;
    }
    // The distributions of these groups no longer fit the layout. With the comparison on they
    // are rebuilt now; with it off they are deleted, and the comparison builds them when it is
    // next asked for, so no table is compared with a stale file.
    if (NormColumnsShown())
        BuildPrefetchFiles(false, groups);
    else
        RemovePrefetchFiles(Registry(), core_.Folder(), groups);
    DropStaleLayoutFiles(Registry(), core_.Folder());  // and the layouts written down
}

}  // namespace zentrix
