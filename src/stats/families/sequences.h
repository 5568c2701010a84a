#pragma once

#include <array>

#include "stats/set_values_stat.h"

namespace zentrix {

// The runs of a set of numbers: maximal stretches of positions whose neighbours step by +1 (by
// +1 or -1 with eitherWay), their lengths in position order adding up to eight.
struct TNumberRuns {
    std::array<uint8_t, kCombSize> length{};
    int count = 0;

    // Runs of two or more.
    int Joined() const {
        int n = 0;
        for (int i = 0; i < count; ++i) n += length[i] >= 2;
        return n;
    }
    int Longest() const {
        int best = 0;
        for (int i = 0; i < count; ++i) best = length[i] > best ? length[i] : best;
        return best;
    }
};

inline TNumberRuns NumberRuns(const TComb& x, bool eitherWay) {
    TNumberRuns runs;
    int length = 1;
    for (int j = 1; j < kCombSize; ++j) {
        const int step = int{x[j]} - int{x[j - 1]};
        if (step == 1 || (eitherWay && step == -1)) {
            ++length;
        } else {
            runs.length[runs.count++] = static_cast<uint8_t>(length);
            length = 1;
        }
    }
    runs.length[runs.count++] = static_cast<uint8_t>(length);
    return runs;
}

// SEQL: the length of every run.
class TstSequenceLen final : public TSetValuesStat<TstSequenceLen, TCustomNumbersStat> {
  public:
    using TSetValuesStat::TSetValuesStat;
    static TStatClassInfo Describe();
    void PossibleValues(auto& out) const {
        for (int k = 1; k <= kCombSize; ++k) out.K1(k);
    }
    void Values(const TComb& numbers, auto& out) const {
        const TNumberRuns runs = NumberRuns(numbers, false);
        for (int i = 0; i < runs.count; ++i)
            if (out.K1(runs.length[i])) return;
    }
};

// SEQS: how many runs of two or more; the graph takes descending neighbours as a step too.
class TstSequenceCnt final : public TSetValuesStat<TstSequenceCnt, TCustomGraphStat> {
  public:
    using TSetValuesStat::TSetValuesStat;
    static TStatClassInfo Describe();
    void PossibleValues(auto& out) const {
        for (int k = 0; k <= kCombSize / 2; ++k) out.K1(k);
    }
    void Values(const TComb& numbers, auto& out) const {
        out.K1(NumberRuns(numbers, false).Joined());
    }

  protected:
    int32_t DoGraphValue(const TComb& numbers, const TStatContext& ctx) const override;
};

// LENS: the longest run; the graph takes descending neighbours as a step too, and reads 0 for
// numbers without any step.
class TstSequenceLenMax final : public TSetValuesStat<TstSequenceLenMax, TCustomGraphStat> {
  public:
    using TSetValuesStat::TSetValuesStat;
    static TStatClassInfo Describe();
    void PossibleValues(auto& out) const {
        for (int k = 1; k <= kCombSize; ++k) out.K1(k);
    }
    void Values(const TComb& numbers, auto& out) const {
        out.K1(NumberRuns(numbers, false).Longest());
    }

  protected:
    int32_t DoGraphValue(const TComb& numbers, const TStatContext& ctx) const override;
};

}  // namespace zentrix
