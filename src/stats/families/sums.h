#pragma once

#include <array>
#include <memory>

#include "stats/comb_filter.h"
#include "stats/set_values_stat.h"

namespace zentrix {

// The smallest and largest sum of a draw, and the band within which SUMV takes two sums as near.
inline constexpr int kMinSum = kCombSize * (kCombSize + 1) / 2;
inline constexpr int kMaxSum = kCombSize * (2 * kMaxNumber - kCombSize + 1) / 2;
inline constexpr int kSumBand = (kMaxSum - kMinSum) / 10;
// The largest sum eight bytes can make: combinations from files hold any bytes.
inline constexpr int kMaxByteSum = 8 * 255;

inline int NumbersSum(const TComb& numbers) {
    int sum = 0;
    for (uint8_t n : numbers) sum += n;
    return sum;
}

// The same sum from the combination's word: bytes added in pairs, then the four pairs at once.
inline int CombSum(const TComb& comb) {
    uint64_t w = CombWord(comb);
    w = (w & 0x00FF00FF00FF00FFull) + ((w >> 8) & 0x00FF00FF00FF00FFull);
    return static_cast<int>((w * 0x0001000100010001ull) >> 48);
}

// A method whose filter follows from the combination's sum alone. Self defines
//     bool SumSelected(int sum, std::span<const TStatDraw> selected, const TStatContext&) const;
// the filter test asks it, the prepared filter asks it once for every sum.
template <typename Self, typename Base>
class TSumFilterStat : public TSetValuesStat<Self, Base> {
  public:
    using TSetValuesStat<Self, Base>::TSetValuesStat;

  protected:
    bool DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                      const TStatContext& ctx) const override {
        return Self_().SumSelected(NumbersSum(comb), selected, ctx);
    }
    // The test is the sum's own, not a match of values.
    uint64_t CachedValuesKeyMask() const override { return 0; }
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override {
        std::array<uint8_t, kMaxByteSum + 1> hit{};
        for (int sum = 0; sum <= kMaxByteSum; ++sum)
            hit[sum] = Self_().SumSelected(sum, selected, ctx) ? 1 : 0;
        return MakePredicateFilter([hit](const TComb& c) { return hit[CombSum(c)] != 0; },
                                   ctx.Exclude);
    }

  private:
    const Self& Self_() const { return static_cast<const Self&>(*this); }
};

// The sum of those of the eight numbers that are of a kind, in W1 (SUMS, SUME, SUMP).
class TKindSumStat : public TCustomGraphStat {
  public:
    static constexpr uint64_t kKeyMask = ~uint64_t{0};  // W1, with W2 0
    TKindSumStat(const TStatList& list, int index, bool (*kind)(int));
    std::string ValueLabel(const TStatDraw& record) const override;
    void Values(const TComb& numbers, auto& out) const {
        int sum = 0;
        for (uint8_t n : numbers) sum += kind_[n] * n;
        out.W1(sum);
    }

  private:
    std::array<uint8_t, 256> kind_{};
};

// SUMS
class TstSumValues final : public TSumFilterStat<TstSumValues, TKindSumStat> {
  public:
    TstSumValues(const TStatList& list, int index);
    static TStatClassInfo Describe();
    void PossibleValues(auto& out) const {
        for (int sum = kMinSum; sum <= kMaxSum; ++sum) out.W1(sum);
    }
    bool SumSelected(int sum, std::span<const TStatDraw> selected, const TStatContext&) const {
        return MatchW(selected, sum, 0);
    }
};

// SUME
class TstSumEvenValues final : public TSetValuesStat<TstSumEvenValues, TKindSumStat> {
  public:
    TstSumEvenValues(const TStatList& list, int index);
    static TStatClassInfo Describe();
};

// SUMP
class TstSumPrimeValues final : public TSetValuesStat<TstSumPrimeValues, TKindSumStat> {
  public:
    TstSumPrimeValues(const TStatList& list, int index);
    static TStatClassInfo Describe();
};

// SUM1..SUM3: 1 when the sum lies in the index's central range, else 0.
class TstSumRanges final : public TSumFilterStat<TstSumRanges, TCustomGraphStat> {
  public:
    static constexpr bool kCanParse = false;
    TstSumRanges(const TStatList& list, int index);
    static TStatClassInfo Describe();
    std::string ValueLabel(const TStatDraw& record) const override;
    void PossibleValues(auto& out) const {
        out.K1(0);
        out.K1(1);
    }
    void Values(const TComb& numbers, auto& out) const { out.K1(InRange(NumbersSum(numbers))); }
    // Value 1 selected keeps the range, value 0 alone the rest.
    bool SumSelected(int sum, std::span<const TStatDraw> selected, const TStatContext&) const;

  private:
    bool InRange(int sum) const { return sum >= low_ && sum <= high_; }
    int low_ = 0;
    int high_ = -1;
};

// The sums the flag-D methods compare: of the draw before, and of the reference draw.
struct TSumsBefore {
    int before;
    int reference;
};

// Base of SUMC, SUMV, SUMT: values of a draw whose predecessor's sum relates to the reference
// draw's; a filtered combination follows the reference draw.
template <typename Self, typename Base>
class TSumChangeStat : public TSumFilterStat<Self, Base> {
  public:
    static constexpr bool kCanParse = false;
    static constexpr uint64_t kKeyMask = ~uint64_t{0};
    using TSumFilterStat<Self, Base>::TSumFilterStat;

  protected:
    TSumsBefore Sums(const TStatContext& ctx) const {
        return {NumbersSum(this->DrawBefore(ctx).Numbers), NumbersSum(ctx.Reference->Numbers)};
    }
};

// SUMC: after an earlier draw whose sum equals the reference draw's, the sum that followed.
class TstSumChange final : public TSumChangeStat<TstSumChange, TCustomGraphStat> {
  public:
    using TSumChangeStat::TSumChangeStat;
    static TStatClassInfo Describe();
    std::string ValueLabel(const TStatDraw& record) const override;
    void Values(const TComb& numbers, const TStatContext& ctx, auto& out) const {
        const TSumsBefore s = Sums(ctx);
        if (s.before == s.reference) out.Key(PackW(s.before, NumbersSum(numbers)));
    }
    bool SumSelected(int sum, std::span<const TStatDraw> selected, const TStatContext&) const {
        return MatchWk(selected, 2, sum);
    }
    static uint64_t PackW(int32_t w1, int32_t w2) {
        return uint64_t{static_cast<uint32_t>(w1)} | uint64_t{static_cast<uint32_t>(w2)} << 32;
    }

  protected:
    // The change from the draw before, for every draw.
    int32_t DoGraphValue(const TComb& numbers, const TStatContext& ctx) const override;
};

// SUMV: after an earlier draw whose sum lies near the reference draw's, the change that
// followed.
class TstSumChangeSome final : public TSumChangeStat<TstSumChangeSome, TCustomStat> {
  public:
    using TSumChangeStat::TSumChangeStat;
    static TStatClassInfo Describe();
    std::string ValueLabel(const TStatDraw& record) const override;
    void Values(const TComb& numbers, const TStatContext& ctx, auto& out) const {
        const TSumsBefore s = Sums(ctx);
        if (s.before - kSumBand <= s.reference && s.reference <= s.before + kSumBand)
            out.W1(NumbersSum(numbers) - s.before);
    }
    bool SumSelected(int sum, std::span<const TStatDraw> selected, const TStatContext& ctx) const {
        return MatchWk(selected, 1, sum - NumbersSum(ctx.Reference->Numbers));
    }
};

// SUMT: after an earlier draw whose sum equals the reference draw's, the direction it went.
class TstSumTrend final : public TSumChangeStat<TstSumTrend, TCustomGraphStat> {
  public:
    using TSumChangeStat::TSumChangeStat;
    static TStatClassInfo Describe();
    std::string ValueLabel(const TStatDraw& record) const override;
    void PossibleValues(auto& out) const {
        out.W1(0);
        out.W1(1);
        out.W1(-1);
    }
    void Values(const TComb& numbers, const TStatContext& ctx, auto& out) const {
        const TSumsBefore s = Sums(ctx);
        if (s.before == s.reference) out.W1(Sign(NumbersSum(numbers) - s.before));
    }
    bool SumSelected(int sum, std::span<const TStatDraw> selected, const TStatContext& ctx) const {
        return MatchWk(selected, 1, Sign(sum - NumbersSum(ctx.Reference->Numbers)));
    }
    static int Sign(int v) { return (v > 0) - (v < 0); }

  protected:
    int32_t DoGraphValue(const TComb& numbers, const TStatContext& ctx) const override;
};

// S2T3: how many pairs of the numbers add up to a third of them.
int SumPairsCount(const TComb& numbers);

class TstSum2To3 final : public TSetValuesStat<TstSum2To3, TCustomGraphStat> {
  public:
    using TSetValuesStat::TSetValuesStat;
    static TStatClassInfo Describe();
    void Values(const TComb& numbers, auto& out) const { out.K1(SumPairsCount(numbers)); }
};

}  // namespace zentrix
