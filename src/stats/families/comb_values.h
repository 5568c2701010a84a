#pragma once

#include <array>
#include <vector>

#include "stats/set_values_stat.h"

namespace zentrix {

// The sets of k positions (0-based, ascending) of a tuple family: every k-subset with the first
// position outermost (Mix), every run of k neighbours (Seq), or the run starting at one position.
using TPositionSet = std::array<uint8_t, 4>;
const std::vector<TPositionSet>& MixPositionSets(int k);
const std::vector<TPositionSet>& SeqPositionSets(int k);

// The key of the tuple at one set of k positions.
inline uint64_t TupleKey(const TComb& numbers, const TPositionSet& p, int k) {
    uint64_t key = 0;
    for (int i = 0; i < k; ++i) key |= uint64_t{numbers[p[i]]} << (16 * i);
    return key;
}

// The first k components joined by ":" (1:3:3).
std::string TupleLabel(const TStatDraw& record, int k);

// Values made of k numbers of a draw in position order (KNM, KNS, KNP); not typed by the user.
class TCustomCombValuesStat : public TCustomStat {
  public:
    static constexpr bool kCanParse = false;
    TCustomCombValuesStat(const TStatList& list, int index, int size,
                          const std::vector<TPositionSet>* sets);

    std::string ValueLabel(const TStatDraw& record) const override;
    int Size() const { return size_; }
    void Values(const TComb& numbers, auto& out) const {
        for (const TPositionSet& p : *sets_)
            if (out.Key(TupleKey(numbers, p, size_))) return;
    }

  protected:
    // The position sets this method reads.
    const std::vector<TPositionSet>* sets_;

  private:
    int size_;
};

// KNM2..KNM4
template <int K>
class TstCombValMix final : public TSetValuesStat<TstCombValMix<K>, TCustomCombValuesStat> {
  public:
    TstCombValMix(const TStatList& list, int index)
        : TSetValuesStat<TstCombValMix<K>, TCustomCombValuesStat>(list, index, K,
                                                                  &MixPositionSets(K)) {}
    static TStatClassInfo Describe();
};

// KNS2..KNS4
template <int K>
class TstCombValSeq final : public TSetValuesStat<TstCombValSeq<K>, TCustomCombValuesStat> {
  public:
    TstCombValSeq(const TStatList& list, int index)
        : TSetValuesStat<TstCombValSeq<K>, TCustomCombValuesStat>(list, index, K,
                                                                  &SeqPositionSets(K)) {}
    static TStatClassInfo Describe();
};

// KNP21..KNP27, KNP31..KNP36, KNP41..KNP45: the run of K starting at position Index.
template <int K>
class TstCombValPos final : public TSetValuesStat<TstCombValPos<K>, TCustomCombValuesStat> {
  public:
    TstCombValPos(const TStatList& list, int index);
    static TStatClassInfo Describe();

  private:
    std::vector<TPositionSet> own_;
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
