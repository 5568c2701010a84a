#pragma once

#include "stats/comb_filter.h"
#include "stats/families/series.h"

namespace zentrix {

// Group 9: after how many draw numbers a tracked value came back, counted in the scan's
// last-value list.
class TCustomPeriodsStat : public TCellStat<TCustomStat> {
  public:
    static constexpr bool kCanParse = false;
    using TCellStat::TCellStat;

    std::string ValueLabel(const TStatDraw& record) const override {
        return TrackedLabel(cells_, record);
    }
    bool ValuesFollowTheScan() const override { return true; }

  protected:
    void DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values,
                         TScanState& state) override;
    // Some number of the combination whose value, with a selected period, points back to a
    // draw that holds the value (keeping) or lacks it (removing).
    bool DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                      const TStatContext& ctx) const override;
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override;

  private:
    // The numbers 1..20 that make the filter test true.
    TByteSet TestedNumbers(std::span<const TStatDraw> selected, const TStatContext& ctx) const;
};

// PRDV
class TstNumPeriods final : public TDescribedStat<TstNumPeriods, TCustomPeriodsStat> {
  public:
    TstNumPeriods(const TStatList& list, int index);
    static TStatClassInfo Describe();
};

// PRDC
class TstChnPeriods final : public TDescribedStat<TstChnPeriods, TCustomPeriodsStat> {
  public:
    TstChnPeriods(const TStatList& list, int index);
    static TStatClassInfo Describe();
};

// PRDG
class TstSgmPeriods final : public TDescribedStat<TstSgmPeriods, TCustomPeriodsStat> {
  public:
    TstSgmPeriods(const TStatList& list, int index);
    static TStatClassInfo Describe();
};

}  // namespace zentrix
