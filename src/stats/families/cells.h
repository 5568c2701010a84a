#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "stats/families/comb_values.h"
#include "stats/set_values_stat.h"

namespace zentrix {

// The cell of a number outside 1..20 (only malformed combination files hold such numbers): it
// lies in no cell of any layout, and a tuple shows it as this component.
inline constexpr uint8_t kNoCell = 255;

// The numbers 1..20 as bits 0..19.
inline uint32_t NumberBit(int n) {
    return n >= 1 && n <= kMaxNumber ? uint32_t{1} << (n - 1) : 0;
}
const std::array<uint32_t, 256>& NumberBits();
inline uint32_t NumbersMask(const TComb& numbers) {
    const std::array<uint32_t, 256>& bit = NumberBits();
    return bit[numbers[0]] | bit[numbers[1]] | bit[numbers[2]] | bit[numbers[3]] | bit[numbers[4]] |
           bit[numbers[5]] | bit[numbers[6]] | bit[numbers[7]];
}

// How a layout (channels, matrix columns or rows, segments) groups the numbers: the cell of
// every number and the cells in their listing order.
struct TCellMap {
    std::array<uint8_t, 256> cell{};          // kNoCell outside 1..20
    std::vector<int> cells;                   // the cells of the layout, in order
    std::array<int8_t, 256> slot{};           // a cell's place in cells, -1 for no cell
    std::array<uint32_t, 256> members{};      // a cell's numbers as bits
    std::array<uint64_t, 256> counterUnit{};  // a number's 1 in its slot's 4-bit counter
    std::array<uint32_t, 256> slotBit{};      // a number's slot as a bit (slot 0 lowest)
    std::array<uint32_t, 256> maskBit{};      // a number's cell as a bit, cell 1 highest
    // The most numbers a cell can hold as the counting methods list them; 0 = they list none.
    int capacity = 0;
    int channelSize = 0;  // cells labelled as channels of this size; 0 = in decimal
    // Neighbours within a cell (the matrix): n and n + pairShift, for the numbers n of
    // pairFrom; pairShift 0 = the layout has none.
    int pairShift = 0;
    uint32_t pairFrom = 0;

    int CellCount() const { return static_cast<int>(cells.size()); }
    uint32_t Members(int c) const { return c >= 0 && c < 256 ? members[c] : 0; }
};

// Channels of size s (read into 2..20): ch(n) = the ceiling of n / s.
TCellMap ChannelCells(int size);
// Matrix of m columns (read into 1..20), numbers laid out row by row.
TCellMap ColumnCells(int cols);
TCellMap RowCells(int cols);
// The segment digits of the numbers 1..20; a byte above 9 counts as 1.
TCellMap SegmentCells(const std::array<uint8_t, kMaxNumber>& segments);

// "02 [5-8]" for a channel map, the decimal number otherwise.
std::string CellText(const TCellMap& map, int cell);

// The layout a method reads, copied when it is created.
template <typename Base>
class TCellStat : public Base {
  public:
    TCellStat(const TStatList& list, int index, TCellMap map)
        : Base(list, index), cells_(std::move(map)) {}
    const TCellMap& Cells() const { return cells_; }

  protected:
    TCellMap cells_;
};

// The filters of the cell families that do better than the general set lookup.
// Some number of the combination lies in a selected cell (K1).
std::unique_ptr<TCombFilter> CellMemberFilter(const TCellMap& map,
                                              std::span<const TStatDraw> selected, bool exclude);
// Some (cell, count) pair of the combination is selected, count at least minCount; counts come
// from counts(numbers), a word of 4-bit counters by slot. Nothing when the layout has more cells
// than a word holds.
using TCellCounters = uint64_t (*)(const TCellMap&, const TComb&);
std::unique_ptr<TCombFilter> CellCountFilter(const TCellMap& map,
                                             std::span<const TStatDraw> selected, bool exclude,
                                             TCellCounters counts, int minCount);
// A few selected tuples of cells at k positions (Mix: any k positions in order; Seq: k
// neighbours); nothing for a selection that the general lookup serves better. Malformed
// combinations go through slow(comb).
std::unique_ptr<TCombFilter> CellTupleFilter(const TCellMap& map,
                                             std::span<const TStatDraw> selected, int k, bool mix,
                                             bool exclude, std::function<bool(const TComb&)> slow);

// The 4-bit counter of each slot (16 at most): how many of the numbers lie in its cell.
uint64_t CellCounters(const TCellMap& map, const TComb& numbers);
// The bits n of the numbers whose neighbour n + pairShift within the cell is there too.
uint32_t NeighbourPairs(const TCellMap& map, uint32_t numbers);

// CHAN, COLS, ROWS, SGMS: the cell of each of the eight numbers.
template <typename Self, typename Base>
class TCellsStat : public TSetValuesStat<Self, Base> {
  public:
    using TSetValuesStat<Self, Base>::TSetValuesStat;
    std::string ValueLabel(const TStatDraw& r) const override {
        return CellText(this->Cells(), r.Key.K[0]);
    }
    void PossibleValues(auto& out) const {
        for (int c : this->Cells().cells) out.K1(c);
    }
    void Values(const TComb& numbers, auto& out) const {
        for (uint8_t n : numbers) out.K1(this->Cells().cell[n]);
    }

  protected:
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override {
        return CellMemberFilter(this->Cells(), selected, ctx.Exclude);
    }
};

// CHNV, COLV, ROWV, SGMV: K1 = cell, K2 = how many numbers it holds, for every cell.
template <typename Self, typename Base>
class TCellCountsStat : public TSetValuesStat<Self, Base> {
  public:
    static constexpr bool kCanParse = false;
    static constexpr uint64_t kKeyMask = 0xFFFFFFFF;  // K1, K2
    using TSetValuesStat<Self, Base>::TSetValuesStat;
    std::string ValueLabel(const TStatDraw& r) const override {
        return CellText(this->Cells(), r.Key.K[0]) + " x " + std::to_string(r.Key.K[1]);
    }
    void PossibleValues(auto& out) const {
        const TCellMap& m = this->Cells();
        if (m.capacity <= 0) return;
        for (int c : m.cells)
            for (int k = 0; k <= std::min(m.capacity, kCombSize); ++k)
                out.Key(PackComponents(c, k));
    }
    void Values(const TComb& numbers, auto& out) const {
        const TCellMap& m = this->Cells();
        int count[kMaxNumber] = {};
        for (uint8_t n : numbers)
            if (m.slot[m.cell[n]] >= 0) ++count[m.slot[m.cell[n]]];
        for (int s = 0; s < m.CellCount(); ++s)
            if (out.Key(PackComponents(m.cells[s], count[s]))) return;
    }

  protected:
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override {
        if (auto f = CellCountFilter(this->Cells(), selected, ctx.Exclude, CellCounters, 0))
            return f;
        return TSetValuesStat<Self, Base>::DoPrepareFilter(selected, ctx);
    }
};

// CHNC, COLN, ROWN, SGMC: how many distinct cells the numbers occupy.
template <typename Self, typename Base>
class TCellSpreadStat : public TSetValuesStat<Self, Base> {
  public:
    using TSetValuesStat<Self, Base>::TSetValuesStat;
    void PossibleValues(auto& out) const {
        const TCellMap& m = this->Cells();
        if (m.capacity <= 0) return;
        for (int k = 1; k <= std::min(m.CellCount(), kCombSize); ++k) out.K1(k);
    }
    void Values(const TComb& numbers, auto& out) const {
        const TCellMap& m = this->Cells();
        uint32_t used = 0;
        for (uint8_t n : numbers) used |= m.slotBit[n];
        out.K1(static_cast<int>(BitCount(used)));
    }
};

// CHN1.., COL1.., ROW1.., SGMk: how many numbers lie in the cell of the method's index.
template <typename Self, typename Base>
class TCellValueCountStat : public TSetValuesStat<Self, Base> {
  public:
    template <typename... Layout>
    TCellValueCountStat(const TStatList& list, int index, Layout&&... layout)
        : TSetValuesStat<Self, Base>(list, index, std::forward<Layout>(layout)...) {
        for (int n = 0; n < 256; ++n) own_[n] = this->Cells().cell[n] == index;
    }
    void PossibleValues(auto& out) const {
        for (int k = 1; k <= this->Cells().capacity; ++k) out.K1(k);
    }
    void Values(const TComb& numbers, auto& out) const {
        int count = 0;
        for (uint8_t n : numbers) count += own_[n];
        out.K1(count);
    }

  private:
    std::array<uint8_t, 256> own_{};  // the numbers of the method's cell
};

// KCM/KCS, KFM/KFS, KRM/KRS, KGM/KGS: the cells of k positions (Mix: every set of k positions,
// first position outermost; Seq: every run of k neighbours), joined in position order.
template <typename Self, typename Base, int K, bool Mix>
class TCellTupleStat : public TSetValuesStat<Self, Base> {
  public:
    static constexpr bool kCanParse = false;
    static constexpr uint64_t kKeyMask = ~uint64_t{0};
    using TSetValuesStat<Self, Base>::TSetValuesStat;
    std::string ValueLabel(const TStatDraw& r) const override { return TupleLabel(r, K); }
    void Values(const TComb& numbers, auto& out) const {
        TComb cells;
        for (int i = 0; i < kCombSize; ++i) cells[i] = this->Cells().cell[numbers[i]];
        for (const TPositionSet& p : Mix ? MixPositionSets(K) : SeqPositionSets(K))
            if (out.Key(TupleKey(cells, p, K))) return;
    }

  protected:
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override {
        std::vector<TStatDraw> own(selected.begin(), selected.end());
        auto slow = [this, own, ctx](const TComb& c) { return this->DoFilterTest(c, own, ctx); };
        if (auto f = CellTupleFilter(this->Cells(), selected, K, Mix, ctx.Exclude, slow)) return f;
        return TSetValuesStat<Self, Base>::DoPrepareFilter(selected, ctx);
    }
};

}  // namespace zentrix
