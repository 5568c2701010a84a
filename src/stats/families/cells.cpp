#include "stats/families/cells.h"

#include <bit>

#include "stats/comb_filter.h"
#include "util/format.h"

namespace zentrix {

namespace {

// The slots, members and counters of a map whose cells are set.
TCellMap Finish(TCellMap map) {
    map.slot.fill(-1);
    for (int s = 0; s < map.CellCount(); ++s) map.slot[map.cells[s]] = static_cast<int8_t>(s);
    for (int n = 1; n <= kMaxNumber; ++n) {
        const int s = map.slot[map.cell[n]];
        map.members[map.cell[n]] |= NumberBit(n);
        if (s < 16) map.counterUnit[n] = uint64_t{1} << (4 * s);
        map.slotBit[n] = uint32_t{1} << s;
        map.maskBit[n] = uint32_t{1} << (map.CellCount() - 1 - s);
    }
    return map;
}

TCellMap Empty() {
    TCellMap map;
    map.cell.fill(kNoCell);
    return map;
}

int MatrixColumns(int cols) {
    return std::clamp(cols, 1, kMaxNumber);
}

constexpr size_t kFewTuples = 8;

}  // namespace

const std::array<uint32_t, 256>& NumberBits() {
    static const std::array<uint32_t, 256> bits = [] {
        std::array<uint32_t, 256> b{};
        for (int n = 0; n < 256; ++n) b[n] = NumberBit(n);
        return b;
    }();
    return bits;
}

TCellMap ChannelCells(int size) {
    const int s = std::clamp(size, 2, kMaxNumber);
    TCellMap map = Empty();
    for (int n = 1; n <= kMaxNumber; ++n) map.cell[n] = static_cast<uint8_t>((n + s - 1) / s);
    for (int c = 1; c <= map.cell[kMaxNumber]; ++c) map.cells.push_back(c);
    map.capacity = s;
    map.channelSize = s;
    return Finish(std::move(map));
}

TCellMap ColumnCells(int cols) {
    const int m = MatrixColumns(cols);
    TCellMap map = Empty();
    for (int n = 1; n <= kMaxNumber; ++n) map.cell[n] = static_cast<uint8_t>((n - 1) % m + 1);
    for (int c = 1; c <= m; ++c) map.cells.push_back(c);
    map.capacity = (kMaxNumber + m - 1) / m;
    map.pairShift = m;
    map.pairFrom = (uint32_t{1} << kMaxNumber) - 1;
    return Finish(std::move(map));
}

TCellMap RowCells(int cols) {
    const int m = MatrixColumns(cols);
    TCellMap map = Empty();
    for (int n = 1; n <= kMaxNumber; ++n) {
        map.cell[n] = static_cast<uint8_t>((n - 1) / m + 1);
        if ((n - 1) % m + 1 < m) map.pairFrom |= NumberBit(n);
    }
    for (int c = 1; c <= map.cell[kMaxNumber]; ++c) map.cells.push_back(c);
    map.capacity = m;
    map.pairShift = 1;
    return Finish(std::move(map));
}

TCellMap SegmentCells(const std::array<uint8_t, kMaxNumber>& segments) {
    TCellMap map = Empty();
    for (int n = 1; n <= kMaxNumber; ++n) {
        const uint8_t seg = segments[n - 1] <= 9 ? segments[n - 1] : 1;
        map.cell[n] = seg;
        if (std::find(map.cells.begin(), map.cells.end(), seg) == map.cells.end())
            map.cells.push_back(seg);
    }
    return Finish(std::move(map));
}

std::string CellText(const TCellMap& map, int cell) {
    const int s = map.channelSize;
    if (s <= 0) return std::to_string(cell);
    return Format("%.2d [%s-%s]",
                  {cell, std::to_string(s * (cell - 1) + 1), std::to_string(cell * s)});
}

uint64_t CellCounters(const TCellMap& map, const TComb& numbers) {
    uint64_t w = 0;
    for (uint8_t n : numbers) w += map.counterUnit[n];
    return w;
}

uint32_t NeighbourPairs(const TCellMap& map, uint32_t numbers) {
    if (map.pairShift <= 0 || map.pairShift >= 32) return 0;
    return numbers & (numbers >> map.pairShift) & map.pairFrom;
}

std::unique_ptr<TCombFilter> CellMemberFilter(const TCellMap& map,
                                              std::span<const TStatDraw> selected, bool exclude) {
    const TByteSet cells = SelectedBytes(selected);
    TByteSet numbers;
    for (int n = 0; n < 256; ++n)
        if (cells.Has(map.cell[n])) numbers.Add(n);
    return AnyByteFilter(numbers, exclude);
}

std::unique_ptr<TCombFilter> CellCountFilter(const TCellMap& map,
                                             std::span<const TStatDraw> selected, bool exclude,
                                             TCellCounters counts, int minCount) {
    if (map.CellCount() > 16) return nullptr;
    struct TSelection {
        std::array<uint16_t, 16> wanted{};  // by slot: the selected counts as bits
        std::array<uint8_t, 16> slots{};
        int slotCount = 0;
    } sel;
    for (const TStatDraw& r : selected) {
        const int cell = r.Key.K[0], count = r.Key.K[1];
        if (cell < 0 || cell > 255 || map.slot[cell] < 0 || count < minCount || count > 15)
            continue;
        sel.wanted[map.slot[cell]] |= static_cast<uint16_t>(1u << count);
    }
    for (int s = 0; s < 16; ++s)
        if (sel.wanted[s]) sel.slots[sel.slotCount++] = static_cast<uint8_t>(s);
    return MakePredicateFilter(
        [&map, sel, counts](const TComb& c) {
            const uint64_t w = counts(map, c);
            bool hit = false;
            for (int i = 0; i < sel.slotCount; ++i) {
                const int s = sel.slots[i];
                hit |= ((sel.wanted[s] >> ((w >> (4 * s)) & 15)) & 1) != 0;
            }
            return hit;
        },
        exclude);
}

std::unique_ptr<TCombFilter> CellTupleFilter(const TCellMap& map,
                                             std::span<const TStatDraw> selected, int k, bool mix,
                                             bool exclude, std::function<bool(const TComb&)> slow) {
    // The tuples a value of this method can equal: k components of 0..255, the rest 0.
    std::vector<std::array<uint8_t, 4>> tuples;
    for (const TStatDraw& r : selected) {
        bool ok = true;
        std::array<uint8_t, 4> t{};
        for (int i = 0; i < 4; ++i) {
            const int v = r.Key.K[i];
            ok = ok && (i < k ? v >= 0 && v <= 255 : v == 0);
            if (i < k) t[i] = static_cast<uint8_t>(v);
        }
        if (ok) tuples.push_back(t);
    }
    if (tuples.size() > kFewTuples) return nullptr;
    if (mix) {
        // Over ascending numbers, positions in order are numbers in order, and the leftmost match
        // of each component is as good as any: matching walks through k + 1 states. The walk over
        // the numbers 1..10 reaches some state; the numbers 11..20 finish it from every state
        // at least as far as the least one they need. Two lookups, neither waiting on the other.
        constexpr int kHalf = 10, kHalfMasks = 1 << kHalf;
        struct TWalks {
            std::vector<uint8_t> reached;  // by tuple and mask of 1..10: the state from 0
            std::vector<uint8_t> needed;   // by tuple and mask of 11..20: the least state to end
            size_t count = 0;
            const std::array<uint32_t, 256>* bits = &NumberBits();
            bool Hit(size_t t, uint32_t numbers) const {
                return reached[t * kHalfMasks + (numbers & (kHalfMasks - 1))] >=
                       needed[t * kHalfMasks + (numbers >> kHalf)];
            }
            uint32_t Mask(const TComb& c) const {
                const auto& b = *bits;
                return b[c[0]] | b[c[1]] | b[c[2]] | b[c[3]] | b[c[4]] | b[c[5]] | b[c[6]] |
                       b[c[7]];
            }
        } walks;
        walks.count = tuples.size();
        walks.reached.resize(walks.count * kHalfMasks);
        walks.needed.resize(walks.count * kHalfMasks);
        // A mask's walk is the walk of the mask without its top number, one step further.
        std::vector<uint8_t> from(kHalfMasks);
        for (size_t t = 0; t < walks.count; ++t) {
            auto step = [&](int n, int state) {
                return static_cast<uint8_t>(state + (state < k && map.cell[n] == tuples[t][state]));
            };
            auto walk = [&](int first, int state, uint8_t* out) {
                out[0] = static_cast<uint8_t>(state);
                for (int m = 1; m < kHalfMasks; ++m) {
                    const int top = std::bit_width(static_cast<unsigned>(m)) - 1;
                    out[m] = step(first + top, out[m & ~(1 << top)]);
                }
            };
            walk(1, 0, &walks.reached[t * kHalfMasks]);
            // A walk that ends from some state ends from every later one too.
            uint8_t* needed = &walks.needed[t * kHalfMasks];
            std::fill_n(needed, kHalfMasks, static_cast<uint8_t>(k));
            for (int st = k - 1; st >= 0; --st) {
                walk(kHalf + 1, st, from.data());
                for (int m = 0; m < kHalfMasks; ++m)
                    if (from[m] == k) needed[m] = static_cast<uint8_t>(st);
            }
        }
        if (walks.count == 1)  // keeping or removing one value: the usual case
            return MakeCanonicalFilter([walks = std::move(walks),
                                        k](const TComb& c) { return walks.Hit(0, walks.Mask(c)); },
                                       std::move(slow), exclude);
        return MakeCanonicalFilter(
            [walks = std::move(walks)](const TComb& c) {
                const uint32_t numbers = walks.Mask(c);
                bool hit = false;
                for (size_t t = 0; t < walks.count; ++t) hit |= walks.Hit(t, numbers);
                return hit;
            },
            std::move(slow), exclude);
    }
    struct TRuns {
        std::array<uint64_t, kFewTuples> packed{};
        size_t count = 0;
        std::array<uint64_t, 256> cellByte{};
    } runs;
    for (const auto& t : tuples) {
        uint64_t p = 0;
        for (int i = 0; i < k; ++i) p |= uint64_t{t[i]} << (8 * i);
        runs.packed[runs.count++] = p;
    }
    for (int n = 0; n < 256; ++n) runs.cellByte[n] = map.cell[n];
    const uint64_t width = k >= 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * k)) - 1;
    return MakePredicateFilter(
        [runs, k, width](const TComb& c) {
            uint64_t code = 0;
            for (int i = 0; i < kCombSize; ++i) code |= runs.cellByte[c[i]] << (8 * i);
            bool hit = false;
            for (int p = 0; p + k <= kCombSize; ++p) {
                const uint64_t run = (code >> (8 * p)) & width;
                for (size_t t = 0; t < runs.count; ++t) hit |= run == runs.packed[t];
            }
            return hit;
        },
        exclude);
}

}  // namespace zentrix
