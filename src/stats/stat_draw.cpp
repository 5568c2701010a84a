#include "stats/stat_draw.h"

#include <algorithm>
#include <cstdlib>

namespace zentrix {

int TStatDrawArray::FindPacked(uint64_t packed) const {
    if (slots_.empty()) return -1;
    const size_t mask = slots_.size() - 1;
    for (size_t s = Slot(packed);; s = (s + 1) & mask) {
        int32_t v = slots_[s];
        if (v == 0) return -1;
        if (records_[v - 1].Key.Packed() == packed) return v - 1;
    }
}

void TStatDrawArray::Append(const TStatDraw& record) {
    // The index stays at most half full, so probes stay short.
    if ((records_.size() + 1) * 2 > slots_.size()) Rehash(std::max<size_t>(64, slots_.size() * 2));
    records_.push_back(record);
    const size_t mask = slots_.size() - 1;
    size_t s = Slot(record.Key.Packed());
    while (slots_[s] != 0) s = (s + 1) & mask;
    slots_[s] = static_cast<int32_t>(records_.size());
}

void TStatDrawArray::clear() {
    records_.clear();
    std::fill(slots_.begin(), slots_.end(), 0);
}

void TStatDrawArray::reserve(size_t count) {
    records_.reserve(count);
    size_t capacity = 64;
    while (capacity < count * 2) capacity *= 2;
    if (capacity > slots_.size()) Rehash(capacity);
}

void TStatDrawArray::SortByKey() {
    std::stable_sort(records_.begin(), records_.end(), [](const TStatDraw& a, const TStatDraw& b) {
        return CompareKeys(a.Key, b.Key) < 0;
    });
    Rehash(slots_.size());
}

void TStatDrawArray::Rehash(size_t capacity) {
    capacity = std::max<size_t>(capacity, 64);
    slots_.assign(capacity, 0);
    shift_ = 64;
    for (size_t c = capacity; c > 1; c >>= 1) --shift_;
    const size_t mask = capacity - 1;
    for (size_t i = 0; i < records_.size(); ++i) {
        size_t s = Slot(records_[i].Key.Packed());
        while (slots_[s] != 0) s = (s + 1) & mask;
        slots_[s] = static_cast<int32_t>(i + 1);
    }
}

void AddValue(TStatDrawArray& list, const TStatDraw& r, bool trackPeriods) {
    int found = list.Find(r.Key);
    if (found < 0) {
        TStatDraw copy = r;
        copy.Norm = 0;
        list.Append(copy);
        return;
    }
    TStatDraw& e = list[found];
    e.Count += r.Count;
    if (e.Depth == 0 || (r.Depth > 0 && e.Depth >= r.Depth)) {
        e.LastDraw = r.LastDraw;
        e.Depth = r.Depth;
    }
    if (trackPeriods && r.LastDraw > 0 && e.PrevDraw > 0) {
        int64_t d = std::llabs(int64_t{e.PrevDraw} - r.LastDraw);
        // The fields are 16-bit: a longer distance is held as the largest one they can hold.
        uint16_t period = static_cast<uint16_t>(std::min<int64_t>(d, UINT16_MAX));
        if (d < e.PeriodMin || e.PeriodMin == 0) e.PeriodMin = period;
        if (e.PeriodMax < d || e.PeriodMax == 0) e.PeriodMax = period;
    }
    e.PrevDraw = r.LastDraw;
}

int CompareKeys(const TStatKey& a, const TStatKey& b) {
    for (int i = 0; i < 4; ++i) {
        uint16_t x = static_cast<uint16_t>(a.K[i]);
        uint16_t y = static_cast<uint16_t>(b.K[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

void SortValues(TStatDrawArray& list) {
    list.SortByKey();
}

TValueTotals ValueTotals(std::span<const TStatDraw> list) {
    TValueTotals t;
    for (const TStatDraw& r : list) {
        t.MinCount = std::min(t.MinCount, r.Count);
        t.MaxCount = std::max(t.MaxCount, r.Count);
        t.MaxDepth = std::max(t.MaxDepth, r.Depth);
        t.TotalCount += r.Count;
    }
    return t;
}

bool MatchKey(std::span<const TStatDraw> selected, int k1, int k2, int k3, int k4) {
    for (const TStatDraw& r : selected)
        if (r.Key.K[0] == k1 && r.Key.K[1] == k2 && r.Key.K[2] == k3 && r.Key.K[3] == k4)
            return true;
    return false;
}

bool MatchW(std::span<const TStatDraw> selected, int a, int b) {
    const int32_t w1 = static_cast<uint16_t>(a);
    const int32_t w2 = static_cast<uint16_t>(b);
    for (const TStatDraw& r : selected)
        if (r.Key.W1() == w1 && r.Key.W2() == w2) return true;
    return false;
}

bool MatchByte(std::span<const TStatDraw> selected, int k, int v) {
    if (k < 1 || k > 8) return false;
    for (const TStatDraw& r : selected)
        if (r.Key.Byte(k) == v) return true;
    return false;
}

bool MatchK(std::span<const TStatDraw> selected, int k, int v) {
    if (k < 1 || k > 4) return false;
    for (const TStatDraw& r : selected)
        if (r.Key.K[k - 1] == v) return true;
    return false;
}

bool MatchWk(std::span<const TStatDraw> selected, int k, int v) {
    if (k < 1 || k > 2) return false;
    for (const TStatDraw& r : selected)
        if ((k == 1 ? r.Key.W1() : r.Key.W2()) == v) return true;
    return false;
}

}  // namespace zentrix
