#pragma once

#include <array>
#include <cstdint>

#include "app/archive_controller.h"
#include "app/combs_controller.h"
#include "app/config_controller.h"
#include "app/session_core.h"
#include "app/stats_controller.h"
#include "views/draw_card.h"
#include "views/grid_selection.h"
#include "views/layout_scheme.h"
#include "views/view_cache.h"
#include "views/weekdays.h"

namespace zentrix {

// The grid views whose selections filter the working list.
enum class TGridView { Card, Layout, Week };

inline constexpr int kLayoutLists = 5;
inline constexpr int kViewLengthMax = 2147483647;

// The draw card, the layout scheme with its comparison lists and the weekday table: their
// builds under the refresh rules, their display options and tab visibility, and their filters,
// which narrow the working list like the statistics filter does.
class TViewsController : public TView {
  public:
    TViewsController(TSessionCore& core, TConfigController& config, TArchiveController& archive,
                     TCombsController& combs, TStatsController& stats);
    ~TViewsController() override;
    TViewsController(const TViewsController&) = delete;
    TViewsController& operator=(const TViewsController&) = delete;

    // The views' share of RefreshViews, in their order.
    void Recompute(bool force) override;

    // Whether a view's tab is shown (its Tab option).
    bool Visible(TGridView view) const;
    // The tab action: toggles the option and stores it at once; a tab that becomes visible is
    // rebuilt (forced). Returns the new state.
    bool ToggleTab(TGridView view);
    static bool TMainOptions::*TabOption(TGridView view);

    // The draw card.
    void RebuildCard(bool force);
    const TDrawCard& Card() const { return card_; }
    TCardOptions CardOptions() const;
    bool CanToggleCardOption() const { return core_.NotBusy() && Visible(TGridView::Card); }
    void ToggleColorCard();
    void ToggleColorCardSequences();

    // The layout scheme and its lists. Lengths below 1 read as the designed ones.
    int LayoutLen() const;
    void SetLayoutLen(int length);
    int LayoutCompareLen(int list) const;  // list 0..4
    void SetLayoutCompareLen(int list, int length);
    void BuildLayout(bool force);
    void BuildLayoutComparisons(bool force);
    const TLayoutScheme& Layout() const { return layout_; }
    const std::array<TLayoutComparison, kLayoutLists>& Comparisons() const { return lists_; }
    bool CanLayoutCalc() const;
    void LayoutCalc() { BuildLayout(true); }
    void LayoutCmpCalc() { BuildLayoutComparisons(true); }
    // Enter in a length field: an unforced build when the value lies within the field's bounds.
    void LayoutLenEntered(int64_t value);
    void LayoutCompareLenEntered(int list, int64_t value);
    bool LayoutGradient() const { return core_.Settings().Options().LayoutGradient; }
    bool CanToggleLayoutGradient() const { return core_.NotBusy() && Visible(TGridView::Layout); }
    void ToggleLayoutGradient();

    // The weekday table and its chart.
    int WeekLen() const;
    void SetWeekLen(int length);
    void BuildWeekStats(bool force);
    const TWeekTable& Week() const { return week_; }
    bool CanWeekStatCalc() const;
    void WeekStatCalc() { BuildWeekStats(true); }
    void WeekLenEntered(int64_t value);
    // DrawWeekChart for a cell of the grid.
    TWeekChart WeekChart(int column, int row);
    bool CanToggleWeekChart() const { return core_.NotBusy() && Visible(TGridView::Week); }
    void ToggleWeekChartMode();
    void ToggleWeekChartType();

    // The filters: the numbers a selection gives, whether its filter actions are enabled, and
    // the narrowing (exclude removes the combinations holding one of the numbers, else keeps
    // them). A selection without a number raises kNoFilterValues and leaves the list and its
    // undo step alone.
    TViewSelection Selection(TGridView view, const TGridRange& range) const;
    bool CanFilter(TGridView view, const TGridRange& range) const;
    void Filter(TGridView view, bool exclude, const TGridRange& range);
    static const char* Caption(TGridView view);

  private:
    TSessionCore& core_;
    TConfigController& config_;
    TArchiveController& archive_;
    TCombsController& combs_;
    TStatsController& stats_;
    TDrawCard card_;
    TLayoutScheme layout_;
    std::array<TLayoutComparison, kLayoutLists> lists_;
    TWeekTable week_;
    TViewCacheKey<1> cardKey_;
    TViewCacheKey<3> layoutKey_;
    TViewCacheKey<2> listsKey_;
    TViewCacheKey<3> weekKey_;
    TSubscription configSubscription_;
};

}  // namespace zentrix
