#pragma once

#include <algorithm>
#include <array>

#include "stats/set_values_stat.h"

namespace zentrix {

// The differences |x(i+1) - x(i)| of the neighbouring positions.
inline constexpr int kDiffCount = kCombSize - 1;
using TDiffs = std::array<uint8_t, kDiffCount>;
inline TDiffs NeighbourDiffs(const TComb& x) {
    TDiffs d;
    for (int i = 0; i < kDiffCount; ++i)
        d[i] = static_cast<uint8_t>(x[i + 1] > x[i] ? x[i + 1] - x[i] : x[i] - x[i + 1]);
    return d;
}
// How often the commonest difference occurs (1..7).
int MaxSameDiffs(const TDiffs& d);

// Several values per draw of which only the first updates the occurrence intervals.
template <typename Self, typename Base>
class TFirstTrackedStat : public TSetValuesStat<Self, Base> {
  public:
    using TSetValuesStat<Self, Base>::TSetValuesStat;

  protected:
    void DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values, TScanState&) override {
        bool first = true;
        this->EachValue(ctx.Draw->Numbers, ctx, [&](uint64_t key) {
            this->AddPacked(values, key, first);
            first = false;
            return false;
        });
    }
};

// Every difference 1..19 that neighbouring numbers of the game can have.
struct TDiffPossibleValues {
    static void Add(auto& out) {
        for (int d = 1; d < kMaxNumber; ++d) out.K1(d);
    }
};

// DIFA: the seven differences.
class TstDiffTotal final : public TFirstTrackedStat<TstDiffTotal, TCustomNumbersStat> {
  public:
    using TFirstTrackedStat::TFirstTrackedStat;
    static TStatClassInfo Describe();
    void PossibleValues(auto& out) const { TDiffPossibleValues::Add(out); }
    void Values(const TComb& numbers, auto& out) const {
        for (uint8_t d : NeighbourDiffs(numbers))
            if (out.K1(d)) return;
    }
};

// DIFM: the largest difference.
class TstDiffMax final : public TSetValuesStat<TstDiffMax, TCustomGraphStat> {
  public:
    using TSetValuesStat::TSetValuesStat;
    static TStatClassInfo Describe();
    void PossibleValues(auto& out) const { TDiffPossibleValues::Add(out); }
    void Values(const TComb& numbers, auto& out) const {
        const TDiffs d = NeighbourDiffs(numbers);
        out.K1(*std::max_element(d.begin(), d.end()));
    }
};

// DIFD: the largest number less the smallest, whatever their positions.
class TstMinMaxDiffs final : public TSetValuesStat<TstMinMaxDiffs, TCustomGraphStat> {
  public:
    using TSetValuesStat::TSetValuesStat;
    static TStatClassInfo Describe();
    void PossibleValues(auto& out) const { TDiffPossibleValues::Add(out); }
    void Values(const TComb& numbers, auto& out) const {
        const auto [lo, hi] = std::minmax_element(numbers.begin(), numbers.end());
        out.K1(*hi - *lo);
    }
};

// DIFO: each distinct difference with how often it occurs, in the order of first appearance.
class TstDiffSame final : public TSetValuesStat<TstDiffSame, TCustomStat> {
  public:
    static constexpr bool kCanParse = false;
    static constexpr uint64_t kKeyMask = 0xFFFFFFFF;  // K1, K2
    using TSetValuesStat::TSetValuesStat;
    static TStatClassInfo Describe();
    std::string ValueLabel(const TStatDraw& record) const override;
    void Values(const TComb& numbers, auto& out) const {
        const TDiffs d = NeighbourDiffs(numbers);
        for (int i = 0; i < kDiffCount; ++i) {
            bool seen = false;
            for (int j = 0; j < i; ++j) seen = seen || d[j] == d[i];
            if (seen) continue;
            int count = 1;
            for (int j = i + 1; j < kDiffCount; ++j) count += d[j] == d[i];
            if (out.Key(PackComponents(d[i], count))) return;
        }
    }

  protected:
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override;
};

// DIFK: how often the commonest difference occurs.
class TstDiffSameCnt final : public TSetValuesStat<TstDiffSameCnt, TCustomGraphStat> {
  public:
    using TSetValuesStat::TSetValuesStat;
    static TStatClassInfo Describe();
    void PossibleValues(auto& out) const {
        for (int c = 1; c <= kDiffCount; ++c) out.K1(c);
    }
    void Values(const TComb& numbers, auto& out) const {
        out.K1(MaxSameDiffs(NeighbourDiffs(numbers)));
    }
};

// KDS2..KDS4: every run of K consecutive differences.
template <int K>
class TstCombDiffSeq final : public TFirstTrackedStat<TstCombDiffSeq<K>, TCustomStat> {
  public:
    static constexpr bool kCanParse = false;
    using TFirstTrackedStat<TstCombDiffSeq<K>, TCustomStat>::TFirstTrackedStat;
    static TStatClassInfo Describe();
    std::string ValueLabel(const TStatDraw& record) const override;
    void Values(const TComb& numbers, auto& out) const {
        const TDiffs d = NeighbourDiffs(numbers);
        for (int j = 0; j + K <= kDiffCount; ++j) {
            uint64_t key = 0;
            for (int i = 0; i < K; ++i) key |= uint64_t{d[j + i]} << (16 * i);
            if (out.Key(key)) return;
        }
    }

  protected:
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override;
};

using TstCombDiffSeq2 = TstCombDiffSeq<2>;
using TstCombDiffSeq3 = TstCombDiffSeq<3>;
using TstCombDiffSeq4 = TstCombDiffSeq<4>;

extern template class TstCombDiffSeq<2>;
extern template class TstCombDiffSeq<3>;
extern template class TstCombDiffSeq<4>;

}  // namespace zentrix
