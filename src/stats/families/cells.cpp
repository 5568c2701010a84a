#include "stats/families/cells.h"

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

// A combination whose positions are its numbers in ascending order, all of the game.
bool IsPlainComb(const TComb& c) {
    bool ok = c[0] >= 1 && c[kCombSize - 1] <= kMaxNumber;
    for (int i = 0; i + 1 < kCombSize; ++i) ok &= c[i] < c[i + 1];
    return ok;
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
        // Over ascending numbers, positions in order are numbers in order: a tuple is there when
        // the leftmost match of each component leaves room for the next.
        struct TMembers {
            std::array<std::array<uint32_t, 4>, kFewTuples> of{};
            size_t count = 0;
        } members;
        for (const auto& t : tuples) {
            for (int i = 0; i < k; ++i) members.of[members.count][i] = map.Members(t[i]);
            ++members.count;
        }
        return MakePredicateFilter(
            [members, k, slow = std::move(slow)](const TComb& c) {
                if (!IsPlainComb(c)) return slow(c);
                const uint32_t numbers = NumbersMask(c);
                for (size_t t = 0; t < members.count; ++t) {
                    uint32_t above = ~uint32_t{0};
                    int i = 0;
                    for (; i < k; ++i) {
                        const uint32_t y = numbers & members.of[t][i] & above;
                        if (y == 0) break;
                        above = ~(((y & (0 - y)) << 1) - 1);
                    }
                    if (i == k) return true;
                }
                return false;
            },
            exclude);
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
