#pragma once

#include <string>

#include "stats/set_values_stat.h"
#include "stats/shred_formula.h"

namespace zentrix {

// SHR1..SHR3: the decimal digits after the point of a user formula over the numbers of the draw
// and of the two draws before it. The formula and its digit count are the configuration's for
// the index, taken when the method is created and prepared once for its whole computation.
class TstShreddingStat final : public TDescribedStat<TstShreddingStat, TCustomGraphStat> {
  public:
    static constexpr bool kCanParse = false;
    static constexpr uint64_t kKeyMask = 0xFFFFFFFF;  // W1: up to five digits

    TstShreddingStat(const TStatList& list, int index);
    static TStatClassInfo Describe();

    const std::string& Formula() const { return formula_; }
    int Digits() const { return digits_; }
    std::string ValueLabel(const TStatDraw& record) const override;
    // The value of the numbers n after the draws p and t (zeros for a draw that does not exist).
    int32_t Value(const TComb& n, const TComb& p, const TComb& t) const {
        return ShredValue(compiled_.Evaluate(n, p, t), digits_);
    }

  protected:
    void DoAddCombValues(const TComb& comb, const TStatContext& ctx,
                         TStatDrawArray& values) override;
    void DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values,
                         TScanState& state) override;
    bool DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                      const TStatContext& ctx) const override;
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override;
    int32_t DoGraphValue(const TComb& numbers, const TStatContext& ctx) const override;
    void CollectValues(const TComb& numbers, const TStatContext& ctx,
                       std::vector<uint64_t>& keys) const override;

  private:
    // The numbers of draw index in the order the context reads draws; zeros when the formula
    // does not need them.
    TComb NumbersAt(int index, bool sorted, bool needed) const;
    // The value of numbers placed after draw index `previous`.
    int32_t ValueAfter(const TComb& numbers, int previous, bool sorted) const;

    std::string formula_;
    int digits_;
    TShredFormula compiled_;
};

}  // namespace zentrix
