#pragma once

#include <array>
#include <cstdlib>
#include <vector>

#include "stats/set_values_stat.h"

namespace zentrix {

// The two values left from the numbers in position order after taking the absolute
// differences of neighbours again and again.
struct TVarselPair {
    int a = 0;
    int b = 0;
    int Difference() const { return a > b ? a - b : b - a; }
};
// Inline and without branches: the filter computes it for every combination of the list.
inline TVarselPair VarselPair(const TComb& numbers) {
    std::array<int, kCombSize> v;
    for (int i = 0; i < kCombSize; ++i) v[i] = numbers[i];
    for (int len = kCombSize; len > 2; --len)
        for (int i = 0; i + 1 < len; ++i) v[i] = std::abs(v[i] - v[i + 1]);
    return {v[0], v[1]};
}
// Variant 0: the difference; variant 1: the difference, or the sum when it is 0 or 1.
inline int VarselNumber(const TComb& numbers, int variant) {
    const TVarselPair p = VarselPair(numbers);
    const int d = p.Difference();
    return variant == 1 && d < 2 ? p.a + p.b : d;
}
// The multiples of f that the dynamic number adds, in the order added.
std::vector<int> VarselMultiples(int f);

class TCustomVarselGraphStat : public TCustomGraphStat {
  public:
    using TCustomGraphStat::TCustomGraphStat;
};

template <typename Self, int Variant>
class TVarselStat : public TSetValuesStat<Self, TCustomVarselGraphStat> {
  public:
    using TSetValuesStat<Self, TCustomVarselGraphStat>::TSetValuesStat;
    void Values(const TComb& numbers, auto& out) const { out.K1(VarselNumber(numbers, Variant)); }
};

// HCV1
class TstVarsel1 final : public TVarselStat<TstVarsel1, 0> {
  public:
    using TVarselStat::TVarselStat;
    static TStatClassInfo Describe();
};

// HCV2
class TstVarsel2 final : public TVarselStat<TstVarsel2, 1> {
  public:
    using TVarselStat::TVarselStat;
    static TStatClassInfo Describe();
};

// HCV3: the dynamic number of the reference draw and its multiples, each counted 1 when the
// draw after the reference draw holds it.
class TstVarsel3 final : public TDescribedStat<TstVarsel3, TCustomStat> {
  public:
    static constexpr bool kCanParse = false;
    using TDescribedStat::TDescribedStat;
    static TStatClassInfo Describe();
    // "9 (1)" for the pair of a difference 1 and the sum 9.
    std::string ValueLabel(const TStatDraw& record) const override;

  protected:
    void DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values,
                         TScanState& state) override;
    // Some number of the combination is a selected K1.
    bool DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                      const TStatContext& ctx) const override;
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override;
};

}  // namespace zentrix
