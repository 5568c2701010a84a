#pragma once

#include <array>
#include <vector>

#include "stats/custom_stat.h"

namespace zentrix {

// The sets of k positions (0-based, ascending) of a tuple family: every k-subset with the first
// position outermost (Mix), every run of k neighbours (Seq), or the run starting at one position.
using TPositionSet = std::array<uint8_t, 4>;
const std::vector<TPositionSet>& MixPositionSets(int k);
const std::vector<TPositionSet>& SeqPositionSets(int k);

// Values made of k numbers of a draw in position order (KNM, KNS, KNP); not typed by the user.
class TCustomCombValuesStat : public TCustomStat {
  public:
    static constexpr bool kCanParse = false;
    TCustomCombValuesStat(const TStatList& list, int index, int size);

    std::string ValueLabel(const TStatDraw& record) const override;
    bool FilterTest(const TComb& comb, std::span<const TStatDraw> selected, int refIndex,
                    bool sorted, bool exclude) const override;
    std::unique_ptr<TCombFilter> PrepareFilter(std::span<const TStatDraw> selected, int refIndex,
                                               bool sorted, bool exclude) const override;
    int Size() const { return size_; }

  protected:
    // The position sets this method reads.
    virtual const std::vector<TPositionSet>& Sets() const = 0;
    void DoAddDrawValues(int index, int refIndex, bool sorted, TStatDrawArray& values,
                         TScanState& state) override;

  private:
    int size_;
};

// KNM2..KNM4
template <int K>
class TstCombValMix final : public TCustomCombValuesStat {
  public:
    TstCombValMix(const TStatList& list, int index) : TCustomCombValuesStat(list, index, K) {}
    static const TStatClass& Class();
    const TStatClass& StatClass() const override { return Class(); }

  protected:
    const std::vector<TPositionSet>& Sets() const override { return MixPositionSets(K); }
};

// KNS2..KNS4
template <int K>
class TstCombValSeq final : public TCustomCombValuesStat {
  public:
    TstCombValSeq(const TStatList& list, int index) : TCustomCombValuesStat(list, index, K) {}
    static const TStatClass& Class();
    const TStatClass& StatClass() const override { return Class(); }

  protected:
    const std::vector<TPositionSet>& Sets() const override { return SeqPositionSets(K); }
};

// KNP21..KNP27, KNP31..KNP36, KNP41..KNP45: the run of K starting at position Index.
template <int K>
class TstCombValPos final : public TCustomCombValuesStat {
  public:
    TstCombValPos(const TStatList& list, int index);
    static const TStatClass& Class();
    const TStatClass& StatClass() const override { return Class(); }

  protected:
    const std::vector<TPositionSet>& Sets() const override { return sets_; }

  private:
    std::vector<TPositionSet> sets_;
};

using TstCombValMix2 = TstCombValMix<2>;
using TstCombValMix3 = TstCombValMix<3>;
using TstCombValMix4 = TstCombValMix<4>;
using TstCombValSeq2 = TstCombValSeq<2>;
using TstCombValSeq3 = TstCombValSeq<3>;
using TstCombValSeq4 = TstCombValSeq<4>;
using TstCombValPos2 = TstCombValPos<2>;
using TstCombValPos3 = TstCombValPos<3>;
using TstCombValPos4 = TstCombValPos<4>;

extern template class TstCombValMix<2>;
extern template class TstCombValMix<3>;
extern template class TstCombValMix<4>;
extern template class TstCombValSeq<2>;
extern template class TstCombValSeq<3>;
extern template class TstCombValSeq<4>;
extern template class TstCombValPos<2>;
extern template class TstCombValPos<3>;
extern template class TstCombValPos<4>;

}  // namespace zentrix
