#pragma once

#include "stats/families/cells.h"

namespace zentrix {

// Which way a matrix method reads the matrix; each row method is its column twin.
enum class TMatrixAxis { Columns, Rows };

// The matrix of the configuration (m columns, r rows), kept by every matrix method with the
// cells of its axis.
class TCustomMatrixStat : public TCellStat<TCustomNumbersStat> {
  public:
    TCustomMatrixStat(const TStatList& list, int index, TMatrixAxis axis);
    int Columns() const { return cols_; }
    int Rows() const { return rows_; }

  private:
    int cols_, rows_;
};

class TCustomMatrixGraphStat : public TCellStat<TCustomGraphStat> {
  public:
    TCustomMatrixGraphStat(const TStatList& list, int index, TMatrixAxis axis);
    int Columns() const { return cols_; }
    int Rows() const { return rows_; }

  private:
    int cols_, rows_;
};

// COLM, ROWM: the occupied cells as a mask, cell 1 the most significant bit.
template <typename Self>
class TCellMaskStat : public TSetValuesStat<Self, TCustomMatrixStat> {
  public:
    static constexpr uint64_t kKeyMask = 0xFFFFFFFF;  // W1
    using TSetValuesStat<Self, TCustomMatrixStat>::TSetValuesStat;
    std::string ValueLabel(const TStatDraw& r) const override;
    int32_t LabelToValue(std::string_view text) const override;
    void Values(const TComb& numbers, auto& out) const {
        const TCellMap& m = this->Cells();
        uint32_t mask = 0;
        for (uint8_t n : numbers) mask |= m.maskBit[n];
        out.W1(static_cast<int32_t>(mask));
    }
};

// The 4-bit counter of each slot: 0 without neighbour pairs in the cell, else pairs + 1.
uint64_t NeighbourCounters(const TCellMap& map, const TComb& numbers);

// COLA, ROWA: K1 = cell, K2 = its pairs of neighbours + 1, for the cells that have some.
template <typename Self>
class TCellPairsStat : public TSetValuesStat<Self, TCustomMatrixStat> {
  public:
    static constexpr uint64_t kKeyMask = 0xFFFFFFFF;  // K1, K2
    using TSetValuesStat<Self, TCustomMatrixStat>::TSetValuesStat;
    std::string ValueLabel(const TStatDraw& r) const override {
        return std::to_string(r.Key.K[0]) + " x " + std::to_string(r.Key.K[1]);
    }
    void Values(const TComb& numbers, auto& out) const {
        const TCellMap& m = this->Cells();
        const uint32_t pairs = NeighbourPairs(m, NumbersMask(numbers));
        if (pairs == 0) return;
        for (int c : m.cells) {
            const size_t count = BitCount(pairs & m.members[c]);
            if (count > 0 && out.Key(PackComponents(c, static_cast<int>(count) + 1))) return;
        }
    }

  protected:
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override {
        if (auto f = CellCountFilter(this->Cells(), selected, ctx.Exclude, NeighbourCounters, 2))
            return f;
        return TSetValuesStat<Self, TCustomMatrixStat>::DoPrepareFilter(selected, ctx);
    }
};

// COLC, ROWC: how many cells hold a pair of neighbours.
template <typename Self>
class TCellPairCountStat : public TSetValuesStat<Self, TCustomMatrixGraphStat> {
  public:
    using TSetValuesStat<Self, TCustomMatrixGraphStat>::TSetValuesStat;
    void Values(const TComb& numbers, auto& out) const {
        const TCellMap& m = this->Cells();
        uint32_t used = 0;
        for (uint32_t pairs = NeighbourPairs(m, NumbersMask(numbers)); pairs != 0;
             pairs &= pairs - 1)
            used |= m.slotBit[std::countr_zero(pairs) + 1];
        out.K1(static_cast<int>(BitCount(used)));
    }
};

// The classes of a twin pair differ only in their axis and description.
#define ZENTRIX_MATRIX_CLASS(Name, Shape, Base, Axis)                                     \
    class Name final : public Shape<Name, Base> {                                         \
      public:                                                                             \
        Name(const TStatList& list, int index) : Shape(list, index, TMatrixAxis::Axis) {} \
        static TStatClassInfo Describe();                                                 \
    };
#define ZENTRIX_MATRIX_CLASS1(Name, Shape, Axis)                                          \
    class Name final : public Shape<Name> {                                               \
      public:                                                                             \
        Name(const TStatList& list, int index) : Shape(list, index, TMatrixAxis::Axis) {} \
        static TStatClassInfo Describe();                                                 \
    };

ZENTRIX_MATRIX_CLASS(TstColumns, TCellsStat, TCustomMatrixStat, Columns)
ZENTRIX_MATRIX_CLASS(TstRows, TCellsStat, TCustomMatrixStat, Rows)
ZENTRIX_MATRIX_CLASS(TstColValues, TCellCountsStat, TCustomMatrixStat, Columns)
ZENTRIX_MATRIX_CLASS(TstRowValues, TCellCountsStat, TCustomMatrixStat, Rows)
ZENTRIX_MATRIX_CLASS(TstColCount, TCellSpreadStat, TCustomMatrixGraphStat, Columns)
ZENTRIX_MATRIX_CLASS(TstRowCount, TCellSpreadStat, TCustomMatrixGraphStat, Rows)
ZENTRIX_MATRIX_CLASS1(TstColMask, TCellMaskStat, Columns)
ZENTRIX_MATRIX_CLASS1(TstRowMask, TCellMaskStat, Rows)
ZENTRIX_MATRIX_CLASS1(TstColAjacent, TCellPairsStat, Columns)
ZENTRIX_MATRIX_CLASS1(TstRowAjacent, TCellPairsStat, Rows)
ZENTRIX_MATRIX_CLASS1(TstColAjacentCnt, TCellPairCountStat, Columns)
ZENTRIX_MATRIX_CLASS1(TstRowAjacentCnt, TCellPairCountStat, Rows)
ZENTRIX_MATRIX_CLASS(TstColValCnt, TCellValueCountStat, TCustomMatrixGraphStat, Columns)
ZENTRIX_MATRIX_CLASS(TstRowValCnt, TCellValueCountStat, TCustomMatrixGraphStat, Rows)

// KFM2..4, KFS2..4 (columns), KRM2..4, KRS2..4 (rows).
#define ZENTRIX_MATRIX_TUPLES(Name, Mix, Axis)                                                     \
    template <int K>                                                                               \
    class Name final : public TCellTupleStat<Name<K>, TCustomMatrixStat, K, Mix> {                 \
      public:                                                                                      \
        Name(const TStatList& list, int index)                                                     \
            : TCellTupleStat<Name<K>, TCustomMatrixStat, K, Mix>(list, index, TMatrixAxis::Axis) { \
        }                                                                                          \
        static TStatClassInfo Describe();                                                          \
    };                                                                                             \
    extern template class Name<2>;                                                                 \
    extern template class Name<3>;                                                                 \
    extern template class Name<4>;

ZENTRIX_MATRIX_TUPLES(TstCombColMix, true, Columns)
ZENTRIX_MATRIX_TUPLES(TstCombColSeq, false, Columns)
ZENTRIX_MATRIX_TUPLES(TstCombRowMix, true, Rows)
ZENTRIX_MATRIX_TUPLES(TstCombRowSeq, false, Rows)

#undef ZENTRIX_MATRIX_CLASS
#undef ZENTRIX_MATRIX_CLASS1
#undef ZENTRIX_MATRIX_TUPLES

using TstCombColMix2 = TstCombColMix<2>;
using TstCombColMix3 = TstCombColMix<3>;
using TstCombColMix4 = TstCombColMix<4>;
using TstCombColSeq2 = TstCombColSeq<2>;
using TstCombColSeq3 = TstCombColSeq<3>;
using TstCombColSeq4 = TstCombColSeq<4>;
using TstCombRowMix2 = TstCombRowMix<2>;
using TstCombRowMix3 = TstCombRowMix<3>;
using TstCombRowMix4 = TstCombRowMix<4>;
using TstCombRowSeq2 = TstCombRowSeq<2>;
using TstCombRowSeq3 = TstCombRowSeq<3>;
using TstCombRowSeq4 = TstCombRowSeq<4>;

}  // namespace zentrix
