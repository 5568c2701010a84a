#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>

#include "stats/comb_filter.h"
#include "stats/families/cells.h"
#include "stats/set_values_stat.h"

namespace zentrix {

// What each byte of a draw reads as in a chain: the number itself, its channel or its segment;
// kNoCell where it lies in none.
using TChainMap = std::array<uint8_t, 256>;
TChainMap NumberChainMap();

// "5 -> 12" and "3-5 -> 12"; with two digits "02 -> 03" and "01-02 -> 03".
std::string ChainLabel(const TStatDraw& record, int length, bool twoDigits);

// Positions 1..8 of the per-position chains.
TIndexRange ChainPositionRange(const TConfigSettings& config);

// The draws a chain value reads besides the current one: prev = the draw before it, prev2 the
// one before that, ref = the reference draw, ref1 the draw before the reference draw.
struct TChainDraws {
    TDraw prev{};
    TDraw prev2{};
    TDraw ref{};
    TDraw ref1{};
};

// Which numbers a chain follows: every number of the draw before, every position, or the
// position of the method's index.
enum class TChainSpan { Numbers, Positions, Position };

// Base of the chain methods: after a pattern of the last draw (or two) recurred in the past,
// what the following draw showed. A value's components are mapped numbers, the last one of the
// following draw.
class TCustomChainStat : public TCustomStat {
  public:
    static constexpr bool kCanParse = false;
    TCustomChainStat(const TStatList& list, int index, const TChainMap& map, int length,
                     bool twoDigits);

    std::string ValueLabel(const TStatDraw& record) const override;
    int Length() const { return length_; }
    const TChainMap& Map() const { return map_; }

  protected:
    // Reads the chain of the draw ctx stands for, in the order sorted gives; false when the
    // chain reaches before the archive (prev, or prev2 for three draws, has no draw number).
    bool ReadChain(const TStatContext& ctx, bool sorted, TChainDraws& d) const;
    void AddChain(TStatDrawArray& values, int a, int b) {
        AddPacked(values, PackComponents(a, b), true);
    }
    void AddChain(TStatDrawArray& values, int a, int b, int c) {
        AddPacked(values, PackComponents(a, b, c), true);
    }

    // The number, channel and segment chains.
    void AddMappedChains(const TStatContext& ctx, TChainSpan span, TStatDrawArray& values);
    // How many of the numbers read as cell.
    int CellCount(const TComb& numbers, int cell) const;
    // The count chains of cell: the counts of the chain's draws.
    void AddCountChains(const TStatContext& ctx, int cell, TStatDrawArray& values);
    // The reference draw's counts followed by every count 0..maxCount.
    void ListCountChains(const TStatContext& ctx, int cell, int maxCount, TStatDrawArray& values);
    // A count chain's filter: the combination's count of cell is the last component of a
    // selected value.
    bool CountSelected(const TComb& comb, int cell, const TByteSet& counts) const;
    TByteSet LastComponents(std::span<const TStatDraw> selected) const;

    // The numbers a combination needs one of for the filter to hold: by default those that read
    // as the last component of a selected value.
    virtual TByteSet FilterNumbers(std::span<const TStatDraw> selected,
                                   const TStatContext& ctx) const;
    bool DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                      const TStatContext& ctx) const override;
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override;

    TChainMap map_;
    int length_;
    bool twoDigits_;
};

// A number, channel or segment chain over the numbers, positions or one position.
template <typename Self, typename Base, TChainSpan Span>
class TMappedChainStat : public TDescribedStat<Self, Base> {
  public:
    using TDescribedStat<Self, Base>::TDescribedStat;

  protected:
    void DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values, TScanState&) override {
        this->AddMappedChains(ctx, Span, values);
    }
};

// How many numbers lie in the cell of the method's index, over a chain of Length draws.
// Base::MaxListedCount() is the largest count the possible values list.
template <typename Self, typename Base, int Length>
class TCountChainStat : public TDescribedStat<Self, Base> {
  public:
    TCountChainStat(const TStatList& list, int index)
        : TDescribedStat<Self, Base>(list, index, Length) {}

  protected:
    void DoListPossibleValues(const TStatContext& ctx, TStatDrawArray& values) override {
        this->ListCountChains(ctx, this->Index(), this->MaxListedCount(), values);
    }
    void DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values, TScanState&) override {
        this->AddCountChains(ctx, this->Index(), values);
    }
    bool DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                      const TStatContext&) const override {
        return this->CountSelected(comb, this->Index(), this->LastComponents(selected));
    }
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override {
        return MakePredicateFilter(
            [self = this, counts = this->LastComponents(selected)](const TComb& c) {
                return self->CountSelected(c, self->Index(), counts);
            },
            ctx.Exclude);
    }
};

}  // namespace zentrix
