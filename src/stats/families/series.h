#pragma once

#include <array>
#include <vector>

#include "stats/families/cells.h"
#include "stats/set_values_stat.h"

namespace zentrix {

// Every number a cell of its own: a matrix of 20 columns.
inline TCellMap NumberCells() {
    return ColumnCells(kMaxNumber);
}

// The slots (bits, slot 0 lowest) of the cells that the numbers occupy.
inline uint32_t CellSlots(const TCellMap& map, const TComb& numbers) {
    uint32_t used = 0;
    for (uint8_t n : numbers) used |= map.slotBit[n];
    return used;
}

// "7 x 3", "02 x 3": a tracked value (a channel in two digits) and a length.
std::string TrackedLabel(const TCellMap& map, const TStatDraw& record);
// A length as a key component holds it: 16 bits, a longer one held as the longest.
int16_t LengthComponent(int64_t length);

// Per tracked value, the run of draws with it (groups) or without it (pauses) going on.
struct TSeriesSlot {
    int32_t count = 0;
    int32_t lastDraw = 0;  // the draw that extended the run last
    int32_t age = 0;       // that draw's place counted back from the reference draw
};
class TSeriesState : public TScanState {
  public:
    std::array<TSeriesSlot, kMaxNumber> slots{};  // by the cell's slot in the map
};

// Group 8: for the values of the reference draw, the runs or gaps of the window. Every cell of
// the layout has a slot, the segment 0 included: it is a segment like the others.
class TCustomSerialStat : public TCellStat<TCustomStat> {
  public:
    static constexpr bool kCanParse = false;
    TCustomSerialStat(const TStatList& list, int index, TCellMap map, bool pauses);

    std::string ValueLabel(const TStatDraw& record) const override {
        return TrackedLabel(cells_, record);
    }
    std::unique_ptr<TScanState> NewScanState() const override;
    bool ValuesFollowTheScan() const override { return true; }

  protected:
    void DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values,
                         TScanState& state) override;
    // The length plays no part.
    bool DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                      const TStatContext& ctx) const override;
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override;

  private:
    bool pauses_;
    std::vector<int> ascending_;  // the slots by ascending cell
};

class TValuesSerialStat : public TCustomSerialStat {
  public:
    TValuesSerialStat(const TStatList& list, int index, bool pauses);
};

class TChannelsSerialStat : public TCustomSerialStat {
  public:
    TChannelsSerialStat(const TStatList& list, int index, bool pauses);
};

class TSegmentsSerialStat : public TCustomSerialStat {
  public:
    TSegmentsSerialStat(const TStatList& list, int index, bool pauses);
};

template <typename Self, typename Base, bool Pauses>
class TSerialStat : public TDescribedStat<Self, Base> {
  public:
    TSerialStat(const TStatList& list, int index)
        : TDescribedStat<Self, Base>(list, index, Pauses) {}
};

// GRPV
class TstNumGroups final : public TSerialStat<TstNumGroups, TValuesSerialStat, false> {
  public:
    using TSerialStat::TSerialStat;
    static TStatClassInfo Describe();
};

// GRPP
class TstNumPauses final : public TSerialStat<TstNumPauses, TValuesSerialStat, true> {
  public:
    using TSerialStat::TSerialStat;
    static TStatClassInfo Describe();
};

// GRCV
class TstChnGroups final : public TSerialStat<TstChnGroups, TChannelsSerialStat, false> {
  public:
    using TSerialStat::TSerialStat;
    static TStatClassInfo Describe();
};

// GRCP
class TstChnPauses final : public TSerialStat<TstChnPauses, TChannelsSerialStat, true> {
  public:
    using TSerialStat::TSerialStat;
    static TStatClassInfo Describe();
};

// GRSV
class TstSgmGroups final : public TSerialStat<TstSgmGroups, TSegmentsSerialStat, false> {
  public:
    using TSerialStat::TSerialStat;
    static TStatClassInfo Describe();
};

// GRSP
class TstSgmPauses final : public TSerialStat<TstSgmPauses, TSegmentsSerialStat, true> {
  public:
    using TSerialStat::TSerialStat;
    static TStatClassInfo Describe();
};

}  // namespace zentrix
