#include "app/views_controller.h"

#include <algorithm>

#include "util/errors.h"

namespace zentrix {

namespace {

constexpr int kDesignedLayoutLen = 100;
constexpr int kDesignedCompareLen[kLayoutLists] = {50, 100, 200, 300, 400};
constexpr int kDesignedWeekLen = 1000;
constexpr const char* kLayoutStatus = "Построение схемы выпадения номеров...";
constexpr const char* kWeekStatus = "Построение статистики по дням недели...";

int KeptLength(int stored, int designed) {
    return stored >= 1 ? stored : designed;
}

bool InLengthBounds(int64_t value) {
    return value >= 1 && value <= kViewLengthMax;
}

}  // namespace

TViewsController::TViewsController(TSessionCore& core, TConfigController& config,
                                   TArchiveController& archive, TCombsController& combs,
                                   TStatsController& stats)
    : core_(core),
      config_(config),
      archive_(archive),
      combs_(combs),
      stats_(stats),
      card_(archive.Draws()) {
    core_.RegisterView(this);
    // New channel sizes change the card's colours: it is rebuilt (forced) after the dialog.
    configSubscription_ = core_.Events().settingsChanged.Subscribe(
        [this](const TConfigChange&) { RebuildCard(true); });
}

TViewsController::~TViewsController() {
    core_.UnregisterView(this);
}

void TViewsController::Recompute(bool force) {
    RebuildCard(force);
    BuildLayout(force);
    BuildLayoutComparisons(force);
    BuildWeekStats(force);
}

bool TMainOptions::*TViewsController::TabOption(TGridView view) {
    switch (view) {
        case TGridView::Card:
            return &TMainOptions::TabCard;
        case TGridView::Layout:
            return &TMainOptions::TabLayout;
        case TGridView::Week:
            break;
    }
    return &TMainOptions::TabWeek;
}

bool TViewsController::Visible(TGridView view) const {
    return core_.Settings().Options().*TabOption(view);
}

bool TViewsController::ToggleTab(TGridView view) {
    bool& shown = core_.Settings().Options().*TabOption(view);
    shown = !shown;
    core_.StoreOption(TabOption(view));
    if (!shown) return false;
    switch (view) {
        case TGridView::Card:
            RebuildCard(true);
            break;
        case TGridView::Layout:
            BuildLayout(true);
            BuildLayoutComparisons(true);
            break;
        case TGridView::Week:
            BuildWeekStats(true);
            break;
    }
    return true;
}

void TViewsController::RebuildCard(bool force) {
    if (!cardKey_.NeedsRebuild(Visible(TGridView::Card), force, {archive_.Count()})) return;
    TBusyScope busy(core_, "Обновление карты тиражей...");
    card_.Rebuild();
    core_.Invalidate(TUiPart::DrawCard);
}

TCardOptions TViewsController::CardOptions() const {
    const TMainOptions& o = core_.Settings().Options();
    return {o.ColorCard, o.ColorCardSequences, config_.Data().ChannelSize};
}

void TViewsController::ToggleColorCard() {
    TMainOptions& o = core_.Settings().Options();
    o.ColorCard = !o.ColorCard;
    core_.StoreOption(&TMainOptions::ColorCard);
    core_.Invalidate(TUiPart::DrawCard);
}

void TViewsController::ToggleColorCardSequences() {
    TMainOptions& o = core_.Settings().Options();
    o.ColorCardSequences = !o.ColorCardSequences;
    core_.StoreOption(&TMainOptions::ColorCardSequences);
    core_.Invalidate(TUiPart::DrawCard);
}

int TViewsController::LayoutLen() const {
    return KeptLength(core_.Settings().Options().LayoutLen, kDesignedLayoutLen);
}

void TViewsController::SetLayoutLen(int length) {
    core_.Settings().Options().LayoutLen = std::max(1, length);
}

int TViewsController::LayoutCompareLen(int list) const {
    if (list < 0 || list >= kLayoutLists) return 1;
    return KeptLength(core_.Settings().Options().LayoutCompareLen[list], kDesignedCompareLen[list]);
}

void TViewsController::SetLayoutCompareLen(int list, int length) {
    if (list < 0 || list >= kLayoutLists) return;
    core_.Settings().Options().LayoutCompareLen[list] = std::max(1, length);
}

void TViewsController::BuildLayout(bool force) {
    if (!layoutKey_.NeedsRebuild(Visible(TGridView::Layout), force,
                                 {archive_.Count(), archive_.DrawsOffset(), LayoutLen()}))
        return;
    TBusyScope busy(core_, kLayoutStatus);
    layout_ = TLayoutScheme::Build(archive_.Draws(), archive_.DrawsOffset(), LayoutLen());
    core_.Invalidate(TUiPart::LayoutScheme);
}

void TViewsController::BuildLayoutComparisons(bool force) {
    if (!listsKey_.NeedsRebuild(Visible(TGridView::Layout), force,
                                {archive_.Count(), archive_.DrawsOffset()}))
        return;
    TBusyScope busy(core_, kLayoutStatus);
    for (int k = 0; k < kLayoutLists; ++k)
        lists_[k] =
            BuildLayoutComparison(archive_.Draws(), archive_.DrawsOffset(), LayoutCompareLen(k));
    core_.Invalidate(TUiPart::LayoutComparisons);
}

bool TViewsController::CanLayoutCalc() const {
    return core_.NotBusy() && Visible(TGridView::Layout) && archive_.Count() > 0;
}

void TViewsController::LayoutLenEntered(int64_t value) {
    if (!InLengthBounds(value)) return;
    SetLayoutLen(static_cast<int>(value));
    BuildLayout(false);
}

void TViewsController::LayoutCompareLenEntered(int list, int64_t value) {
    if (!InLengthBounds(value)) return;
    SetLayoutCompareLen(list, static_cast<int>(value));
    BuildLayoutComparisons(true);
}

void TViewsController::ToggleLayoutGradient() {
    TMainOptions& o = core_.Settings().Options();
    o.LayoutGradient = !o.LayoutGradient;
    core_.StoreOption(&TMainOptions::LayoutGradient);
    core_.Invalidate(TUiPart::LayoutScheme);
}

int TViewsController::WeekLen() const {
    return KeptLength(core_.Settings().Options().WeekLen, kDesignedWeekLen);
}

void TViewsController::SetWeekLen(int length) {
    core_.Settings().Options().WeekLen = std::max(1, length);
}

void TViewsController::BuildWeekStats(bool force) {
    if (!weekKey_.NeedsRebuild(Visible(TGridView::Week), force,
                               {archive_.Count(), archive_.DrawsOffset(), WeekLen()}))
        return;
    TBusyScope busy(core_, kWeekStatus);
    week_ = BuildWeekTable(archive_.Draws(), archive_.DrawsOffset(), WeekLen());
    core_.Invalidate(TUiPart::WeekTable);
}

bool TViewsController::CanWeekStatCalc() const {
    return core_.NotBusy() && Visible(TGridView::Week) && archive_.Count() > 0;
}

void TViewsController::WeekLenEntered(int64_t value) {
    if (!InLengthBounds(value)) return;
    SetWeekLen(static_cast<int>(value));
    BuildWeekStats(false);
}

TWeekChart TViewsController::WeekChart(int column, int row) {
    TBusyScope busy(core_, kWeekStatus);
    const TMainOptions& o = core_.Settings().Options();
    return WeekChartOf(week_, column, row, o.WeekChartMode == TWeekChartMode::NumberOverDays,
                       o.WeekChartType);
}

void TViewsController::ToggleWeekChartMode() {
    TMainOptions& o = core_.Settings().Options();
    o.WeekChartMode = o.WeekChartMode == TWeekChartMode::DayOverNumbers
                          ? TWeekChartMode::NumberOverDays
                          : TWeekChartMode::DayOverNumbers;
    core_.StoreOption(&TMainOptions::WeekChartMode);
    core_.Invalidate(TUiPart::WeekTable);
}

void TViewsController::ToggleWeekChartType() {
    TMainOptions& o = core_.Settings().Options();
    o.WeekChartType = !o.WeekChartType;
    core_.StoreOption(&TMainOptions::WeekChartType);
    core_.Invalidate(TUiPart::WeekTable);
}

const char* TViewsController::Caption(TGridView view) {
    switch (view) {
        case TGridView::Card:
            return "Карта";
        case TGridView::Layout:
            return "Схема";
        case TGridView::Week:
            break;
    }
    return "Неделя";
}

TViewSelection TViewsController::Selection(TGridView view, const TGridRange& range) const {
    switch (view) {
        case TGridView::Card:
            return NumbersInCells(range, [this](int row, int column) {
                return column >= 1 && column <= kMaxNumber ? card_.Text(row, column)
                                                           : std::string();
            });
        case TGridView::Layout:
            return NumbersInCells(range, [this](int row, int column) {
                return row >= 1 && column >= 1 ? layout_.Text(row, column) : std::string();
            });
        case TGridView::Week:
            break;
    }
    return NumbersOfColumns(range);
}

bool TViewsController::CanFilter(TGridView view, const TGridRange& range) const {
    if (!core_.NotBusy() || combs_.Count() == 0 || !Visible(view) || range.Empty()) return false;
    // The card and the scheme filter from their number columns only.
    if (view != TGridView::Week) return range.left > 0 && range.right <= kMaxNumber;
    return true;
}

void TViewsController::Filter(TGridView view, bool exclude, const TGridRange& range) {
    const TViewSelection selection = Selection(view, range);
    if (selection.numbers.empty()) throw EZentrix(kNoFilterValues);
    // The numbers as values of "Числа тиража": the statistics filter's own test and narrowing.
    TStatList& registry = stats_.Registry();
    const int entry = registry.FindCode("NUMS");
    if (entry < 0) throw EZentrix("Метод \"Числа тиража\" не зарегистрирован");
    const std::unique_ptr<TCustomStat> nums = registry.CreateStat(entry);
    std::vector<TStatDraw> values(selection.numbers.size());
    for (size_t i = 0; i < values.size(); ++i)
        values[i].Key.K[0] = static_cast<int16_t>(selection.numbers[i]);
    stats_.NarrowBySelection(*nums, exclude, values, Caption(view), selection.text);
}

}  // namespace zentrix
