#include "stats/families/chains.h"

#include <charconv>

namespace zentrix {

namespace {

// A component in decimal, with two digits at least when asked ("%.2d").
void AppendComponent(std::string& out, int16_t value, bool twoDigits) {
    const int v = value;
    if (twoDigits && v >= 0 && v < 10) out += '0';
    char buf[8];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

bool AnyNumberIn(const TComb& comb, const TByteSet& numbers) {
    for (uint8_t n : comb)
        if (numbers.hit[n]) return true;
    return false;
}

}  // namespace

TChainMap NumberChainMap() {
    TChainMap map;
    for (int n = 0; n < 256; ++n) map[n] = static_cast<uint8_t>(n);
    return map;
}

std::string ChainLabel(const TStatDraw& record, int length, bool twoDigits) {
    std::string out;
    for (int i = 0; i < length; ++i) {
        if (i > 0) out += i + 1 == length ? " -> " : "-";
        AppendComponent(out, record.Key.K[i], twoDigits);
    }
    return out;
}

TIndexRange ChainPositionRange(const TConfigSettings&) {
    return {1, kCombSize};
}

TCustomChainStat::TCustomChainStat(const TStatList& list, int index, const TChainMap& map,
                                   int length, bool twoDigits)
    : TCustomStat(list, index), map_(map), length_(length), twoDigits_(twoDigits) {}

std::string TCustomChainStat::ValueLabel(const TStatDraw& record) const {
    return ChainLabel(record, length_, twoDigits_);
}

bool TCustomChainStat::ReadChain(const TStatContext& ctx, bool sorted, TChainDraws& d) const {
    TStatContext c = ctx;
    c.Sorted = sorted;
    d.prev = DrawBefore(c, 1);
    if (d.prev.Number <= 0) return false;
    if (length_ >= 3) {
        d.prev2 = DrawBefore(c, 2);
        if (d.prev2.Number <= 0) return false;
        d.ref1 = ArchiveDraw(ctx.RefIndex - 1, sorted);
    }
    d.ref = ArchiveDraw(ctx.RefIndex, sorted);
    return true;
}

void TCustomChainStat::AddMappedChains(const TStatContext& ctx, TChainSpan span,
                                       TStatDrawArray& values) {
    TChainDraws d;
    if (!ReadChain(ctx, ctx.Sorted, d)) return;
    const TChainMap& m = map_;
    const TComb& cur = ctx.Draw->Numbers;
    if (span == TChainSpan::Numbers) {
        std::array<bool, 256> inRef{};
        for (uint8_t n : d.ref.Numbers) inRef[m[n]] = true;
        for (uint8_t r : d.prev.Numbers) {
            if (!inRef[m[r]]) continue;
            for (uint8_t y : cur) AddChain(values, m[r], m[y]);
        }
        return;
    }
    int first = 0, last = kCombSize - 1;
    if (span == TChainSpan::Position) {
        if (Index() < 1 || Index() > kCombSize) return;
        first = last = Index() - 1;
    }
    for (int p = first; p <= last; ++p) {
        if (m[d.prev.Numbers[p]] != m[d.ref.Numbers[p]]) continue;
        if (length_ == 2) {
            AddChain(values, m[d.prev.Numbers[p]], m[cur[p]]);
        } else if (m[d.prev2.Numbers[p]] == m[d.ref1.Numbers[p]]) {
            AddChain(values, m[d.prev2.Numbers[p]], m[d.prev.Numbers[p]], m[cur[p]]);
        }
    }
}

int TCustomChainStat::CellCount(const TComb& numbers, int cell) const {
    if (cell < 0 || cell >= kNoCell) return 0;
    int count = 0;
    for (uint8_t n : numbers) count += map_[n] == cell;
    return count;
}

void TCustomChainStat::AddCountChains(const TStatContext& ctx, int cell, TStatDrawArray& values) {
    TChainDraws d;
    if (!ReadChain(ctx, false, d)) return;
    const int prev = CellCount(d.prev.Numbers, cell);
    if (prev != CellCount(d.ref.Numbers, cell)) return;
    const int cur = CellCount(ctx.Draw->Numbers, cell);
    if (length_ == 2) {
        AddChain(values, prev, cur);
        return;
    }
    const int prev2 = CellCount(d.prev2.Numbers, cell);
    if (prev2 == CellCount(d.ref1.Numbers, cell)) AddChain(values, prev2, prev, cur);
}

void TCustomChainStat::ListCountChains(const TStatContext& ctx, int cell, int maxCount,
                                       TStatDrawArray& values) {
    const int ref = CellCount(ArchiveDraw(ctx.RefIndex, false).Numbers, cell);
    const int ref1 = CellCount(ArchiveDraw(ctx.RefIndex - 1, false).Numbers, cell);
    for (int n = 0; n <= maxCount; ++n) {
        if (length_ == 2)
            AddPacked(values, PackComponents(ref, n), false);
        else
            AddPacked(values, PackComponents(ref1, ref, n), false);
    }
}

bool TCustomChainStat::CountSelected(const TComb& comb, int cell, const TByteSet& counts) const {
    return counts.Has(CellCount(comb, cell));
}

TByteSet TCustomChainStat::LastComponents(std::span<const TStatDraw> selected) const {
    TByteSet set;
    for (const TStatDraw& r : selected) set.Add(r.Key.K[length_ - 1]);
    return set;
}

TByteSet TCustomChainStat::FilterNumbers(std::span<const TStatDraw> selected,
                                         const TStatContext&) const {
    const TByteSet last = LastComponents(selected);
    TByteSet numbers;
    for (int n = 1; n < 256; ++n)
        if (map_[n] != kNoCell && last.Has(map_[n])) numbers.Add(n);
    return numbers;
}

bool TCustomChainStat::DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                                    const TStatContext& ctx) const {
    return AnyNumberIn(comb, FilterNumbers(selected, ctx));
}

std::unique_ptr<TCombFilter> TCustomChainStat::DoPrepareFilter(std::span<const TStatDraw> selected,
                                                               const TStatContext& ctx) const {
    return AnyByteFilter(FilterNumbers(selected, ctx), ctx.Exclude);
}

}  // namespace zentrix
