#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/game.h"
#include "stats/recycled_vector.h"

namespace zentrix {

// One distinct value of a statistic with its occurrence data.
struct TStatDraw {
    int32_t LastDraw = 0;  // draw number of the most recent draw with the value; 0 = never
    int32_t Depth = 0;     // RefIndex - index + 1 of that draw; 0 = never
    int32_t PrevDraw = 0;  // the occurrence seen last while scanning (periods)
    uint16_t PeriodMin = 0;
    uint16_t PeriodMax = 0;
    int32_t Count = 0;
    int32_t Norm = 0;  // expected count from the full set of combinations
    TStatKey Key;
};

// Value list: insertion order is kept (possible values first, then values as they first
// appear), and a key is found through an open-addressing hash index on its eight bytes.
class TStatDrawArray {
  public:
    TStatDrawArray() = default;

    size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    const TStatDraw& operator[](size_t i) const { return records_[i]; }
    TStatDraw& operator[](size_t i) { return records_[i]; }
    TRecycledVector<TStatDraw>::const_iterator begin() const { return records_.begin(); }
    TRecycledVector<TStatDraw>::const_iterator end() const { return records_.end(); }
    std::span<const TStatDraw> Records() const { return records_; }

    // Index of the record with this key, or -1.
    int Find(const TStatKey& key) const { return FindPacked(key.Packed()); }
    int FindPacked(uint64_t packed) const;
    // Appends without looking for the key; the caller knows it is new.
    void Append(const TStatDraw& record);
    void clear();
    void reserve(size_t count);

    // Stable ascending order by CompareKeys; the hash index follows.
    void SortByKey();

  private:
    void Rehash(size_t capacity);
    size_t Slot(uint64_t packed) const {
        return static_cast<size_t>((packed * 0x9E3779B97F4A7C15ull) >> shift_);
    }

    TRecycledVector<TStatDraw> records_;
    TRecycledVector<int32_t> slots_;  // record index + 1; 0 = empty
    int shift_ = 64;
};

// Accumulates one occurrence: the count adds up, the most recent occurrence (smallest depth)
// keeps its draw, and with trackPeriods the distance to the previous occurrence updates the
// period range.
void AddValue(TStatDrawArray& list, const TStatDraw& record, bool trackPeriods);

// <0, 0, >0 comparing K1, then K2, K3, K4 as unsigned 16-bit numbers.
int CompareKeys(const TStatKey& a, const TStatKey& b);
// Stable sort ascending by CompareKeys.
void SortValues(TStatDrawArray& list);

struct TValueTotals {
    int32_t MinCount = INT32_MAX;
    int32_t MaxCount = 0;
    int32_t MaxDepth = 0;
    int64_t TotalCount = 0;
};
TValueTotals ValueTotals(std::span<const TStatDraw> list);

// Match helpers of the filter tests: true when some selected record matches.
bool MatchKey(std::span<const TStatDraw> selected, int k1, int k2, int k3, int k4);
// W1 = a and W2 = b, the arguments taken as unsigned 16-bit values widened to 32 bits.
bool MatchW(std::span<const TStatDraw> selected, int a, int b);
// Byte k (1..8) of the key.
bool MatchByte(std::span<const TStatDraw> selected, int k, int v);
// Component Kk (1..4).
bool MatchK(std::span<const TStatDraw> selected, int k, int v);
// Component Wk (1..2).
bool MatchWk(std::span<const TStatDraw> selected, int k, int v);

}  // namespace zentrix
