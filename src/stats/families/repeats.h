#pragma once

#include <memory>
#include <span>
#include <type_traits>

#include "stats/comb_filter.h"
#include "stats/set_values_stat.h"

namespace zentrix {

// How many of the eight numbers (duplicates each counted) are bytes of the word.
inline int SharedCount(const TComb& numbers, uint64_t word) {
    int n = 0;
    for (uint8_t v : numbers) n += WordHasByte(word, v);
    return n;
}

// Reads the class's shift s and distance t: the numbers of draw d(t), shifted by s, against the
// draw the numbers stand for.
class TRepShiftDistance {
  public:
    virtual ~TRepShiftDistance() = default;
    virtual int Shift() const = 0;
    virtual int Distance() const = 0;
};

// The value methods of the group: their values are numbers, and a combination passes when one
// of its numbers is selected.
template <typename Self, typename Base>
class TRepNumbersStat : public TSetValuesStat<Self, Base> {
  public:
    using TSetValuesStat<Self, Base>::TSetValuesStat;

  protected:
    // The test reads the numbers themselves, not the values.
    uint64_t CachedValuesKeyMask() const override { return 0; }
    bool DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                      const TStatContext&) const override {
        for (uint8_t n : comb)
            if (MatchK(selected, 1, n)) return true;
        return false;
    }
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override {
        return AnyByteFilter(SelectedBytes(selected), ctx.Exclude);
    }
    // The numbers of the reference draw, shifted as the class shifts.
    void DoListPossibleValues(const TStatContext& ctx, TStatDrawArray& values) override {
        int s = 0;
        if constexpr (std::is_base_of_v<TRepShiftDistance, Base>) s = this->Shift();
        for (uint8_t n : this->ArchiveDraw(ctx.RefIndex, ctx.Sorted).Numbers)
            this->AddK1(values, ShiftNumber(n, s), false);
    }
};

// RPV2, PRV2O1..3, PRV+1..PRV-2: every number y of d(t) that the reference draw holds and whose
// shift the numbers hold, as that shifted number.
class TCustomRepValues2Stat : public TCustomValuesStat, public TRepShiftDistance {
  public:
    using TCustomValuesStat::TCustomValuesStat;
    void Values(const TComb& numbers, const TStatContext& ctx, auto& out) const {
        const int s = Shift();
        const TDraw earlier = DrawBefore(ctx, Distance());
        const uint64_t ref = CombWord(ctx.Reference->Numbers), cur = CombWord(numbers);
        for (uint8_t y : earlier.Numbers) {
            const int shifted = ShiftNumber(y, s);
            if (WordHasByte(ref, y) && WordHasByte(cur, static_cast<uint8_t>(shifted)) &&
                out.K1(shifted))
                return;
        }
    }
};

// RPC2, RPO1, PRC2O2, PRC2O3, PRC+1..PRC-2: how many shifted numbers of d(t) the numbers hold;
// a filtered combination is compared with draw L + 1 - t.
class TCustomRepCount2Stat : public TCustomNumbersStat, public TRepShiftDistance {
  public:
    using TCustomNumbersStat::TCustomNumbersStat;
    void PossibleValues(auto& out) const {
        for (int k = 1; k <= kCombSize; ++k) out.K1(k);
    }
    void Values(const TComb& numbers, const TStatContext& ctx, auto& out) const {
        out.K1(SharedCount(EarlierShifted(ctx), CombWord(numbers)));
    }

  protected:
    TComb EarlierShifted(const TStatContext& ctx) const {
        return ShiftComb(DrawBefore(ctx, Distance()).Numbers, Shift());
    }
    // The prepared filter: the earlier draw is read once for the whole list.
    std::unique_ptr<TCombFilter> CountFilter(std::span<const TStatDraw> selected,
                                             const TStatContext& ctx) const;
};

// The code, name and flags of a class of the group with shift s and distance t.
TStatClassInfo RepValues2Info(int s, int t);
TStatClassInfo RepCount2Info(int s, int t);

template <typename Self, int S, int T>
class TRepValues2Stat : public TRepNumbersStat<Self, TCustomRepValues2Stat> {
  public:
    using TRepNumbersStat<Self, TCustomRepValues2Stat>::TRepNumbersStat;
    static TStatClassInfo Describe() { return RepValues2Info(S, T); }
    int Shift() const override { return S; }
    int Distance() const override { return T; }
};

template <typename Self, int S, int T>
class TRepCount2Stat : public TSetValuesStat<Self, TCustomRepCount2Stat> {
  public:
    using TSetValuesStat<Self, TCustomRepCount2Stat>::TSetValuesStat;
    static TStatClassInfo Describe() { return RepCount2Info(S, T); }
    int Shift() const override { return S; }
    int Distance() const override { return T; }

  protected:
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override {
        return this->CountFilter(selected, ctx);
    }
};

// The numbers that the draw before holds and the one before that holds too (alsoSecond) or
// lacks.
struct TTwoBefore {
    TTwoBefore(const TDraw& firstDraw, const TDraw& secondDraw, bool alsoSecondToo)
        : first(CombWord(firstDraw.Numbers)),
          second(CombWord(secondDraw.Numbers)),
          alsoSecond(alsoSecondToo) {}
    uint64_t first;
    uint64_t second;
    bool alsoSecond;
    bool Holds(uint8_t n) const {
        return WordHasByte(first, n) && WordHasByte(second, n) == alsoSecond;
    }
};

// RPV3, PRL2: every number of the draw that the reference draw and the draws before hold so.
template <typename Self, bool AlsoSecond>
class TRepValues3Stat : public TRepNumbersStat<Self, TCustomValuesStat> {
  public:
    using TRepNumbersStat<Self, TCustomValuesStat>::TRepNumbersStat;
    void Values(const TComb& numbers, const TStatContext& ctx, auto& out) const {
        const TTwoBefore before(this->DrawBefore(ctx, 1), this->DrawBefore(ctx, 2), AlsoSecond);
        const uint64_t ref = CombWord(ctx.Reference->Numbers);
        for (uint8_t r : numbers)
            if (WordHasByte(ref, r) && before.Holds(r) && out.K1(r)) return;
    }
};

// RPC3, PRB2: how many numbers of the draw the draws before hold so; a filtered combination is
// compared with draws L and L - 1.
template <typename Self, bool AlsoSecond>
class TRepCount3Stat : public TSetValuesStat<Self, TCustomNumbersStat> {
  public:
    using TSetValuesStat<Self, TCustomNumbersStat>::TSetValuesStat;
    void PossibleValues(auto& out) const {
        for (int k = 1; k <= kCombSize; ++k) out.K1(k);
    }
    void Values(const TComb& numbers, const TStatContext& ctx, auto& out) const {
        out.K1(Count(numbers, TwoBefore(ctx)));
    }

  protected:
    static int Count(const TComb& numbers, const TTwoBefore& before) {
        int n = 0;
        for (uint8_t r : numbers) n += before.Holds(r);
        return n;
    }
    TTwoBefore TwoBefore(const TStatContext& ctx) const {
        return {this->DrawBefore(ctx, 1), this->DrawBefore(ctx, 2), AlsoSecond};
    }
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override {
        const TByteSet counts = SelectedBytes(selected);
        return MakePredicateFilter([counts, before = TwoBefore(ctx)](
                                       const TComb& c) { return counts.Has(Count(c, before)); },
                                   ctx.Exclude);
    }
};

class TstRepValues2 final : public TRepValues2Stat<TstRepValues2, 0, 1> {
  public:
    using TRepValues2Stat::TRepValues2Stat;
};

// RPV3
class TstRepValues3 final : public TRepValues3Stat<TstRepValues3, true> {
  public:
    using TRepValues3Stat::TRepValues3Stat;
    static TStatClassInfo Describe();
};

// PRL2
class TstRepValues2B3 final : public TRepValues3Stat<TstRepValues2B3, false> {
  public:
    using TRepValues3Stat::TRepValues3Stat;
    static TStatClassInfo Describe();
};

class TstRepValues2over1 final : public TRepValues2Stat<TstRepValues2over1, 0, 2> {
  public:
    using TRepValues2Stat::TRepValues2Stat;
};

class TstRepValues2over2 final : public TRepValues2Stat<TstRepValues2over2, 0, 3> {
  public:
    using TRepValues2Stat::TRepValues2Stat;
};

class TstRepValues2over3 final : public TRepValues2Stat<TstRepValues2over3, 0, 4> {
  public:
    using TRepValues2Stat::TRepValues2Stat;
};

class TstRepValues2P1 final : public TRepValues2Stat<TstRepValues2P1, 1, 1> {
  public:
    using TRepValues2Stat::TRepValues2Stat;
};

class TstRepValues2N1 final : public TRepValues2Stat<TstRepValues2N1, -1, 1> {
  public:
    using TRepValues2Stat::TRepValues2Stat;
};

class TstRepValues2P2 final : public TRepValues2Stat<TstRepValues2P2, 2, 1> {
  public:
    using TRepValues2Stat::TRepValues2Stat;
};

class TstRepValues2N2 final : public TRepValues2Stat<TstRepValues2N2, -2, 1> {
  public:
    using TRepValues2Stat::TRepValues2Stat;
};

class TstRepCount2 final : public TRepCount2Stat<TstRepCount2, 0, 1> {
  public:
    using TRepCount2Stat::TRepCount2Stat;
};

// RPC3
class TstRepCount3 final : public TRepCount3Stat<TstRepCount3, true> {
  public:
    using TRepCount3Stat::TRepCount3Stat;
    static TStatClassInfo Describe();
};

// PRB2
class TstRepCount2B3 final : public TRepCount3Stat<TstRepCount2B3, false> {
  public:
    using TRepCount3Stat::TRepCount3Stat;
    static TStatClassInfo Describe();
};

class TstRepCount2over1 final : public TRepCount2Stat<TstRepCount2over1, 0, 2> {
  public:
    using TRepCount2Stat::TRepCount2Stat;
};

class TstRepCount2over2 final : public TRepCount2Stat<TstRepCount2over2, 0, 3> {
  public:
    using TRepCount2Stat::TRepCount2Stat;
};

class TstRepCount2over3 final : public TRepCount2Stat<TstRepCount2over3, 0, 4> {
  public:
    using TRepCount2Stat::TRepCount2Stat;
};

class TstRepCount2P1 final : public TRepCount2Stat<TstRepCount2P1, 1, 1> {
  public:
    using TRepCount2Stat::TRepCount2Stat;
};

class TstRepCount2N1 final : public TRepCount2Stat<TstRepCount2N1, -1, 1> {
  public:
    using TRepCount2Stat::TRepCount2Stat;
};

class TstRepCount2P2 final : public TRepCount2Stat<TstRepCount2P2, 2, 1> {
  public:
    using TRepCount2Stat::TRepCount2Stat;
};

class TstRepCount2N2 final : public TRepCount2Stat<TstRepCount2N2, -2, 1> {
  public:
    using TRepCount2Stat::TRepCount2Stat;
};

}  // namespace zentrix
