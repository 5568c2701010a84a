#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/draw.h"
#include "core/game.h"
#include "stats/stat_class.h"
#include "stats/stat_draw.h"

namespace zentrix {

class TStatList;

// Scratch state of one scan over the draws (a statistics table, a next-occurrence search),
// owned by the caller and handed to every AddDrawValues of that scan. Families that follow
// values through time derive their own state from it (NewScanState).
class TScanState {
  public:
    virtual ~TScanState() = default;
    // Per tracked value, the draw in which it was last seen.
    TLastValueArray lastValues;
};

// A filter prepared once for a selection and applied to many combinations.
class TCombFilter {
  public:
    virtual ~TCombFilter() = default;
    // Appends to dest, in order, the combinations that the filter keeps: those with a selected
    // value when it keeps, those without one when it removes.
    virtual void Apply(std::span<const TComb> source, TCombsArray& dest) const = 0;
};

// Where one operation of a method stands: what a method may read besides the numbers.
struct TStatContext {
    int Index = -1;     // the draw the values come from; -1 for a combination
    int RefIndex = -1;  // the reference draw
    bool Sorted = false;
    bool Exclude = false;              // the filter removes (the period methods read the mode)
    const TDraw* Draw = nullptr;       // the loaded draw at Index; null for a combination
    const TDraw* Reference = nullptr;  // the loaded reference draw (flag D); zeros otherwise

    // The draw the numbers stand for: Index for a draw or a graph point; a filtered combination
    // stands for the draw after the reference draw.
    int StandsFor() const { return Index >= 0 ? Index : RefIndex + 1; }
};

// Base of every statistic method. Class-level operations live in the class's descriptor
// (StatClass()); an instance lives for one computation.
class TCustomStat {
  public:
    // Class-level defaults that the bases and classes may redeclare (see MakeStatClass).
    static constexpr bool kIsAvailable = true;
    static constexpr bool kIsListed = true;
    static constexpr bool kIsGraph = false;
    static constexpr bool kCanParse = true;
    // The components of a key that a value fills and a filter compares: the whole key here.
    static constexpr uint64_t kKeyMask = ~uint64_t{0};

    TCustomStat(const TStatList& list, int index);
    virtual ~TCustomStat() = default;
    TCustomStat(const TCustomStat&) = delete;
    TCustomStat& operator=(const TCustomStat&) = delete;

    virtual const TStatClass& StatClass() const = 0;
    int Index() const { return FIndex; }
    std::string Name() const { return StatClass().NameOf(FIndex); }
    std::string Code() const { return StatClass().CodeOf(FIndex); }

    virtual std::string ValueLabel(const TStatDraw& record) const = 0;
    // The text as a decimal integer, 0 when it is not one.
    virtual int32_t LabelToValue(std::string_view text) const;
    int32_t ParseValue(std::string_view text) const;

    // Every value that can occur, with Count 0.
    void ListPossibleValues(int refIndex, TStatDrawArray& values);
    // Copies draw index (and the reference draw for flag D) into the instance; an index outside
    // the archive gives zeros; with sorted the numbers are sorted ascending.
    void LoadDraws(int index, int refIndex, bool sorted);
    void AddCombValues(const TComb& comb, TStatDrawArray& values);
    void AddDrawValues(int index, int refIndex, bool sorted, TStatDrawArray& values,
                       TScanState& state);
    // Draw number of the first draw from fromIndex on that has the record's value; -1 if none.
    int FindNextOccurrence(const TStatDraw& record, int fromIndex, bool sorted, int refIndex);
    // True when the combination has one of the selected values. The reference draw must have
    // been loaded (LoadDraws(-1, refIndex, sorted)) when the class has flag D.
    bool FilterTest(const TComb& comb, std::span<const TStatDraw> selected, int refIndex,
                    bool sorted, bool exclude) const;

    virtual std::unique_ptr<TScanState> NewScanState() const;
    // True when a draw's values depend on the draws a scan saw before it (runs, pauses,
    // periods): each value's fact is then searched on its own from where the value was last
    // seen, since one scan started at the reference draw would not know the runs going on.
    virtual bool ValuesFollowTheScan() const { return false; }
    // A filter equal to FilterTest on every combination, with the selection turned into lookup
    // tables where the family allows it.
    std::unique_ptr<TCombFilter> PrepareFilter(std::span<const TStatDraw> selected, int refIndex,
                                               bool sorted, bool exclude) const;

    const TDrawsArray& Draws() const { return FDraws; }
    const TDraw& CurrentDraw() const { return current_; }
    const TDraw& ReferenceDraw() const { return reference_; }

  protected:
    // Family hooks behind the operations above; the work record is prepared before each. A
    // family of values computed from the numbers alone gets all of them from TSetValuesStat.
    virtual void DoListPossibleValues(const TStatContext& /*ctx*/, TStatDrawArray& /*values*/) {}
    virtual void DoAddCombValues(const TComb& /*comb*/, const TStatContext& /*ctx*/,
                                 TStatDrawArray& /*values*/) {}
    virtual void DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values,
                                 TScanState& state) = 0;
    virtual bool DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                              const TStatContext& ctx) const = 0;
    // The default applies DoFilterTest to each combination.
    virtual std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                         const TStatContext& ctx) const;
    // Nonzero when the filter test is "some value of the numbers (CollectValues) equals a selected
    // key on these components" and the values read nothing but the numbers: a filter may then
    // read every combination's values from the registry's cache.
    virtual uint64_t CachedValuesKeyMask() const { return 0; }
    // The packed keys of the values of a set of numbers, in order; the graph reads the first.
    virtual void CollectValues(const TComb& /*numbers*/, const TStatContext& /*ctx*/,
                               std::vector<uint64_t>& /*keys*/) const {}

    // Draw index as the methods read it: zeros outside the archive and for a damaged record.
    TDraw ArchiveDraw(int index, bool sorted) const;
    // The draw `back` places before the one the numbers stand for, so that a draw and a filtered
    // combination read their past alike: for a combination back 1 is the reference draw.
    TDraw DrawBefore(const TStatContext& ctx, int back = 1) const {
        return ArchiveDraw(ctx.StandsFor() - back, ctx.Sorted);
    }

    // A context over the loaded draws; draw null for a combination.
    TStatContext Context(int index, int refIndex, bool sorted, bool exclude,
                         const TDraw* draw) const {
        return {index, refIndex, sorted, exclude, draw, &reference_};
    }

    // Adds the work record with this key.
    void AddKey(TStatDrawArray& values, const TStatKey& key, bool trackPeriods) {
        work_.Key = key;
        AddValue(values, work_, trackPeriods);
    }
    void AddPacked(TStatDrawArray& values, uint64_t packed, bool trackPeriods) {
        AddKey(values, TStatKey::FromPacked(packed), trackPeriods);
    }
    void AddK1(TStatDrawArray& values, int k1, bool trackPeriods) {
        TStatKey key;
        key.K[0] = static_cast<int16_t>(k1);
        AddKey(values, key, trackPeriods);
    }
    void AddW1(TStatDrawArray& values, int32_t w1, bool trackPeriods) {
        TStatKey key;
        key.SetW1(w1);
        AddKey(values, key, trackPeriods);
    }

    const TStatList& list_;
    const int FIndex;
    const TDrawsArray& FDraws;
    TDraw current_{};
    TDraw reference_{};
    TStatDraw work_{};
};

// Draws' values that make a graph: one integer per draw.
class TCustomGraphStat : public TCustomStat {
  public:
    static constexpr bool kIsGraph = true;
    static constexpr uint64_t kKeyMask = 0xFFFF;  // K1
    using TCustomStat::TCustomStat;

    std::string ValueLabel(const TStatDraw& record) const override;
    // The graph's value of a combination, or of draw index (zeros outside the archive).
    int32_t CombGraphValue(const TComb& numbers, int index, int refIndex, bool sorted) const;
    int32_t GraphValue(int index, int refIndex, bool sorted) const;

  protected:
    // The default is K1 of the first value of the numbers.
    virtual int32_t DoGraphValue(const TComb& numbers, const TStatContext& ctx) const;
};

class TCustomValuesStat : public TCustomStat {
  public:
    static constexpr uint64_t kKeyMask = 0xFFFF;  // K1
    using TCustomStat::TCustomStat;
    std::string ValueLabel(const TStatDraw& record) const override;
};

class TCustomNumbersStat : public TCustomStat {
  public:
    static constexpr uint64_t kKeyMask = 0xFFFF;  // K1
    using TCustomStat::TCustomStat;
    std::string ValueLabel(const TStatDraw& record) const override;
};

// k:m with m = 8 - k.
class TCustomRatioStat : public TCustomGraphStat {
  public:
    using TCustomGraphStat::TCustomGraphStat;
    std::string ValueLabel(const TStatDraw& record) const override;
    int32_t LabelToValue(std::string_view text) const override;
};

// An 8-bit kind mask in W1, position 1 the most significant bit.
class TCustomMaskStat : public TCustomStat {
  public:
    static constexpr uint64_t kKeyMask = 0xFFFFFFFF;  // W1
    using TCustomStat::TCustomStat;
    virtual std::string ZeroLetter() const = 0;
    virtual std::string OneLetter() const = 0;
    std::string ValueLabel(const TStatDraw& record) const override;
    int32_t LabelToValue(std::string_view text) const override;

  protected:
    void DoListPossibleValues(const TStatContext& ctx, TStatDrawArray& values) override;
};

// A copy of draw index as the methods read it: sorted on request, zeros outside the archive or
// for a damaged record.
TDraw DrawAt(const TDrawsArray& draws, int index, bool sorted);

// A key's K1 as decimal text, without going through Format (labels are made for every row).
std::string K1Text(const TStatDraw& record);

}  // namespace zentrix
