#include "stats/stat_table.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/comb_text.h"
#include "util/format.h"
#include "util/rounding.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr TColor kActualColor{0, 128, 0};
constexpr TColor kActualMarkerColor{255, 0, 255};
constexpr TColor kIdealColor{255, 0, 0};
constexpr const char* kActualTitle = "Фактические данные";
constexpr const char* kIdealTitle = "Все возможные комбинации";
constexpr const char* kDash = "-";

int64_t Pow10(int n) {
    int64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

// num / den with `decimals` decimals as a scaled integer, halves away from zero: the number a
// "%.<decimals>f" text of the quotient reads back as.
int64_t ScaledRatio(int64_t num, int64_t den, int decimals) {
    __int128 q = static_cast<__int128>(num) * Pow10(decimals);
    const bool negative = (q < 0) != (den < 0);
    const __int128 a = q < 0 ? -q : q;
    const __int128 b = den < 0 ? -static_cast<__int128>(den) : den;
    __int128 r = a / b;
    if ((a % b) * 2 >= b) ++r;
    return static_cast<int64_t>(negative ? -r : r);
}

std::string Fixed(long double value, int decimals) {
    return FloatToStrF(value, decimals);
}

}  // namespace

// One row for sorting by a column: its cell as a number at the column's fixed scale, or the
// text "-", and its label's sort data.
struct TStatTable::TSortCell {
    bool number = false;
    bool labelNumber = false;
    int64_t key = 0;
    uint64_t labelPrefix = 0;
    int32_t index = 0;
};

const std::array<const char*, kStatColumnCount>& StatColumnCaptions() {
    static const std::array<const char*, kStatColumnCount> captions = {
        "Значение",    "Количество", "Кол-во в %",  "Норма",    "Отклонение",
        "Откл-ие в %", "Глубина",    "Глубина в %", "Вес",      "Посл. тираж",
        "Период min",  "Период",     "Период max",  "Ожд. ПРД", "Ожд. СТФ",
        "Ожд. КРН",    "Факт",       "+/- ПРД",     "+/- СТФ",  "+/- КРН"};
    return captions;
}

TStatTable TStatTable::Compute(std::unique_ptr<TCustomStat> stat, const TStatTableParams& p) {
    TStatTable t;
    t.stat_ = std::move(stat);
    t.prefetch_ = p.Prefetch;
    t.cdl_ = p.CDL;
    TCustomStat& s = *t.stat_;
    const int count = static_cast<int>(s.Draws().size());
    if (count == 0 || p.RefIndex < 0 || p.RefIndex >= count) return t;

    const int64_t first = int64_t{p.RefIndex} - std::max(p.WindowLength, 1) + 1;
    t.first_ = static_cast<int>(std::max<int64_t>(first, 0));
    t.windowSize_ = p.RefIndex - t.first_ + 1;

    std::unique_ptr<TScanState> state = s.NewScanState();
    s.ListPossibleValues(p.RefIndex, t.values_);
    for (int i = t.first_; i <= p.RefIndex; ++i)
        s.AddDrawValues(i, p.RefIndex, p.SortedDraws, t.values_, *state);
    t.totals_ = ValueTotals(t.values_.Records());

    const TPrefetchData* full = t.prefetch_.get();
    if (full && full->MaxCount > 0) {
        t.hasNorm_ = true;
        // A uniform full set scales to the middle of the window's counts, any other to its top.
        const long double windowMax = t.totals_.MaxCount;
        const long double windowMin = t.totals_.MinCount;
        t.scale_ = full->MinCount == full->MaxCount ? (windowMax + windowMin) / 2 / full->MaxCount
                                                    : windowMax / full->MaxCount;
        for (const TPrefetchRecord& r : full->Records) {
            const int found = t.values_.Find(r.Key);
            if (found < 0) continue;
            const int64_t norm = RoundHalfEven(r.Count * t.scale_);
            t.values_[found].Norm =
                static_cast<int32_t>(std::clamp<int64_t>(norm, INT32_MIN, INT32_MAX));
        }
    }

    // "Факт": the next occurrence after a value's last draw in the window. The window scan saw
    // every draw up to the reference draw, so that occurrence can only come after it, and one
    // forward pass answers for all values at once; not so for values that depend on the draws
    // before them, where a search that starts later sees another past.
    t.facts_.assign(t.values_.size(), -1);
    size_t pending = 0;
    for (const TStatDraw& r : t.values_) pending += r.Depth > 0;
    if (pending > 0 && p.RefIndex + 1 < count && s.ValuesFollowTheScan()) {
        for (size_t k = 0; k < t.values_.size(); ++k) {
            const TStatDraw& r = t.values_[k];
            if (r.Depth == 0) continue;
            // The draw after the one the value was last seen in.
            const int from = p.RefIndex - r.Depth + 2;
            t.facts_[k] = s.FindNextOccurrence(r, from, p.SortedDraws, p.RefIndex);
        }
    } else if (pending > 0 && p.RefIndex + 1 < count) {
        std::unique_ptr<TScanState> factState = s.NewScanState();
        TStatDrawArray drawValues;
        for (int i = p.RefIndex + 1; i < count && pending > 0; ++i) {
            drawValues.clear();
            s.AddDrawValues(i, p.RefIndex, p.SortedDraws, drawValues, *factState);
            for (const TStatDraw& v : drawValues) {
                const int found = t.values_.Find(v.Key);
                if (found < 0 || t.facts_[found] >= 0 || t.values_[found].Depth == 0) continue;
                t.facts_[found] = v.LastDraw;
                --pending;
            }
        }
    }

    t.order_.resize(t.values_.size());
    std::iota(t.order_.begin(), t.order_.end(), 0);
    return t;
}

std::string TStatTable::Label(int index) const {
    return stat_->ValueLabel(values_[index]);
}

long double TStatTable::WeightOf(int index) const {
    const TStatDraw& r = values_[index];
    const long double dev = hasNorm_ ? static_cast<long double>(r.Count) - r.Norm : 0;
    long double c, d, l;
    if (cdl_.UsePercents) {
        c = totals_.TotalCount != 0 ? r.Count * 100.0L / totals_.TotalCount : 0;
        d = hasNorm_ && r.Norm != 0 ? dev * 100 / r.Norm : 0;
        l = totals_.MaxDepth != 0 ? r.Depth * 100.0L / totals_.MaxDepth : 0;
    } else {
        c = r.Count;
        d = dev;
        l = r.Depth;
    }
    if (cdl_.UseAbsValues) {
        c = std::fabs(c);
        d = std::fabs(d);
        l = std::fabs(l);
    }
    const long double w = cdl_.Count * c + cdl_.Deviation * d + cdl_.Level * l;
    return std::isfinite(w) ? w : kWeightFailure;
}

// Columns 13..15; the caller has checked the counts they need.
int64_t TStatTable::ExpectedValue(int index, int column) const {
    const TStatDraw& r = values_[index];
    const long double count = r.Count, last = r.LastDraw;
    switch (column) {
        case kColExpectPrd:
            return RoundHalfEven(windowSize_ / count + last);
        case kColExpectStf:
            return RoundHalfEven((count + 1) * last / count);
        default:
            return RoundHalfEven((count + 2) * (last + 1) / (count + 1));
    }
}

std::string TStatTable::Text(int index, int column) const {
    const TStatDraw& r = values_[index];
    switch (column) {
        case kColValue:
            return Label(index);
        case kColCount:
            return std::to_string(r.Count);
        case kColCountPercent:
            return totals_.TotalCount == 0 ? kDash
                                           : Fixed(r.Count * 100.0L / totals_.TotalCount, 5);
        case kColNorm:
            return hasNorm_ ? std::to_string(r.Norm) : kDash;
        case kColDeviation:
            return hasNorm_ ? std::to_string(int64_t{r.Count} - r.Norm) : kDash;
        case kColDeviationPercent:
            if (!hasNorm_) return kDash;
            if (r.Norm == 0) return Fixed(r.Count != 0 ? 100 : 0, 5);
            return Fixed((static_cast<long double>(r.Count) - r.Norm) * 100 / r.Norm, 5);
        default:
            break;
    }
    if (r.Depth == 0) return kDash;
    switch (column) {
        case kColDepth:
            return std::to_string(r.Depth);
        case kColDepthPercent:
            return Fixed(r.Depth * 100.0L / totals_.MaxDepth, 2);
        case kColWeight:
            return Fixed(WeightOf(index), 2);
        case kColLastDraw:
            return std::to_string(r.LastDraw);
        case kColPeriodMin:
            return r.Count < 2 ? kDash : std::to_string(r.PeriodMin);
        case kColPeriod:
            return r.Count < 2 ? kDash : Fixed(static_cast<long double>(windowSize_) / r.Count, 4);
        case kColPeriodMax:
            return r.Count < 2 ? kDash : std::to_string(r.PeriodMax);
        case kColExpectPrd:
            return r.Count < 2 ? kDash : std::to_string(ExpectedValue(index, column));
        default:
            break;
    }
    if (r.Count < 1) return kDash;
    switch (column) {
        case kColExpectStf:
        case kColExpectKrn:
            return std::to_string(ExpectedValue(index, column));
        case kColFact:
            return facts_[index] < 0 ? kDash : std::to_string(facts_[index]);
        default:
            break;
    }
    if (facts_[index] < 0) return kDash;
    const int expected = kColExpectPrd + (column - kColDiffPrd);
    return SignedDifference(Text(index, expected), facts_[index]);
}

std::string TStatTable::CellText(int row, int column) const {
    if (column < 0 || column >= kStatColumnCount) return {};
    return Text(order_.at(row), column);
}

std::vector<std::string> TStatTable::StatRowTexts(int row) const {
    static constexpr int kColumns[] = {
        kColValue,    kColCount,        kColCountPercent, kColDeviation, kColDeviationPercent,
        kColDepth,    kColDepthPercent, kColWeight,       kColPeriodMin, kColPeriod,
        kColPeriodMax};
    std::vector<std::string> texts;
    for (int c : kColumns) texts.push_back(CellText(row, c));
    return texts;
}

TStatTable::TSortCell TStatTable::SortCell(int index, int column) const {
    const TStatDraw& r = values_[index];
    auto number = [](int64_t key) {
        TSortCell cell;
        cell.number = true;
        cell.key = key;
        return cell;
    };
    const TSortCell dash;
    switch (column) {
        case kColCount:
            return number(r.Count);
        case kColCountPercent:
            return totals_.TotalCount == 0
                       ? dash
                       : number(ScaledRatio(int64_t{r.Count} * 100, totals_.TotalCount, 5));
        case kColNorm:
            return hasNorm_ ? number(r.Norm) : dash;
        case kColDeviation:
            return hasNorm_ ? number(int64_t{r.Count} - r.Norm) : dash;
        case kColDeviationPercent:
            if (!hasNorm_) return dash;
            if (r.Norm == 0) return number(r.Count != 0 ? 100 * Pow10(5) : 0);
            return number(ScaledRatio((int64_t{r.Count} - r.Norm) * 100, r.Norm, 5));
        default:
            break;
    }
    if (r.Depth == 0) return dash;
    switch (column) {
        case kColDepth:
            return number(r.Depth);
        case kColDepthPercent:
            return number(ScaledRatio(int64_t{r.Depth} * 100, totals_.MaxDepth, 2));
        case kColWeight: {
            // The weight is a real: its key is what its text reads back as.
            const auto v = TryStrToFloat(Fixed(WeightOf(index), 2));
            return v ? number(std::llround(*v * 100)) : dash;
        }
        case kColLastDraw:
            return number(r.LastDraw);
        case kColPeriodMin:
            return r.Count < 2 ? dash : number(r.PeriodMin);
        case kColPeriod:
            return r.Count < 2 ? dash : number(ScaledRatio(windowSize_, r.Count, 4));
        case kColPeriodMax:
            return r.Count < 2 ? dash : number(r.PeriodMax);
        case kColExpectPrd:
            return r.Count < 2 ? dash : number(ExpectedValue(index, column));
        default:
            break;
    }
    if (r.Count < 1) return dash;
    switch (column) {
        case kColExpectStf:
        case kColExpectKrn:
            return number(ExpectedValue(index, column));
        case kColFact:
            return facts_[index] < 0 ? dash : number(facts_[index]);
        default:
            break;
    }
    if (facts_[index] < 0) return dash;
    const int expected = kColExpectPrd + (column - kColDiffPrd);
    const TSortCell e = SortCell(index, expected);
    // SignedDifference gives "-" unless the expectation is a non-negative integer.
    if (!e.number || e.key < 0) return dash;
    return number(e.key - facts_[index]);
}

void TStatTable::EnsureLabels() const {
    if (foldedLabels_.size() == values_.size()) return;
    foldedLabels_.resize(values_.size());
    labelPrefixes_.resize(values_.size());
    labelIsNumber_.resize(values_.size());
    labelNumbers_.resize(values_.size());
    const char separator = FormatSettings().decimalSeparator;
    for (size_t i = 0; i < values_.size(); ++i) {
        std::string label = Label(static_cast<int>(i));
        // Most labels are plain ASCII without capitals, and a ":" or a non-ASCII letter in a
        // label (3:11:17, ЧнЧн (085)) already says it is no number.
        bool plain = true, maybeNumber = true;
        for (char c : label) {
            const auto b = static_cast<unsigned char>(c);
            if (b >= 0x80 || (c >= 'A' && c <= 'Z')) plain = false;
            if (b >= 0x80 || (c == ':' && separator != ':')) maybeNumber = false;
        }
        const auto v = maybeNumber ? TryStrToFloat(label) : std::nullopt;
        labelIsNumber_[i] = v.has_value();
        labelNumbers_[i] = v.value_or(0);
        foldedLabels_[i] = plain ? std::move(label) : LowerCase(label);
        uint64_t prefix = 0;
        for (size_t b = 0; b < 8; ++b)
            prefix = prefix << 8 |
                     (b < foldedLabels_[i].size() ? static_cast<uint8_t>(foldedLabels_[i][b]) : 0);
        labelPrefixes_[i] = prefix;
    }
}

int TStatTable::CompareItems(const TSortCell& x, const TSortCell& y, int column) const {
    int r = 0;
    if (column != kColValue) {
        // Only the difference columns hold numbers written with "+"; elsewhere "-" reads before
        // every number as a text would.
        const int dashRank = DashSortsLast(column) ? 1 : -1;
        if (x.number && y.number)
            r = x.key < y.key ? -1 : x.key > y.key ? 1 : 0;
        else if (x.number != y.number)
            r = x.number ? -dashRank : dashRank;
    }
    if (r == 0) {
        // By "Значение": case-folded UTF-8 compared bytewise is CompareText's order.
        if (x.labelNumber && y.labelNumber) {
            const long double a = labelNumbers_[x.index], b = labelNumbers_[y.index];
            r = a < b ? -1 : a > b ? 1 : 0;
        } else if (x.labelPrefix != y.labelPrefix) {
            // Labels hold no zero bytes, so the padding keeps the bytewise order.
            r = x.labelPrefix < y.labelPrefix ? -1 : 1;
        } else {
            const int c = foldedLabels_[x.index].compare(foldedLabels_[y.index]);
            r = c < 0 ? -1 : c > 0 ? 1 : 0;
        }
    }
    return descending_ ? -r : r;
}

void TStatTable::Sort(int column, bool descending) {
    if (column < 0 || column >= kStatColumnCount) {
        ListOrder();
        return;
    }
    sortColumn_ = column;
    descending_ = descending;
    EnsureLabels();
    // The merge sort walks the items in sequence, so each carries what most comparisons need.
    TRecycledVector<TSortCell> items(values_.size());
    for (size_t i = 0; i < values_.size(); ++i) {
        TSortCell& item = items[i];
        if (column != kColValue) item = SortCell(static_cast<int>(i), column);
        item.index = static_cast<int32_t>(i);
        item.labelNumber = labelIsNumber_[i] != 0;
        item.labelPrefix = labelPrefixes_[i];
    }
    StableMergeSort(
        items, [&](const TSortCell& x, const TSortCell& y) { return CompareItems(x, y, column); });
    for (size_t i = 0; i < items.size(); ++i) order_[i] = items[i].index;
}

void TStatTable::SortByClick(int column) {
    Sort(column, column == sortColumn_ ? !descending_ : false);
}

void TStatTable::ListOrder() {
    sortColumn_ = -1;
    descending_ = false;
    std::iota(order_.begin(), order_.end(), 0);
}

std::vector<TStatDraw> TStatTable::SelectedRecords(const std::vector<int>& rows) const {
    std::vector<TStatDraw> records;
    for (int row : rows) records.push_back(Record(row));
    return records;
}

std::string TStatTable::SelectionText(const std::vector<int>& rows) const {
    std::vector<std::string> texts;
    for (int row : rows) texts.push_back(CellText(row, kColValue));
    return Join(texts, "; ");
}

std::vector<TChartSeries> TStatTable::Chart(bool showTotalLine) const {
    std::vector<TChartSeries> series;
    if (values_.size() < 2) return series;
    TChartSeries actual{kActualTitle, kActualColor, 2, true, 2, kActualMarkerColor, {}};
    auto labelOf = [&](const TStatKey& key) {
        TStatDraw r;
        r.Key = key;
        return stat_->ValueLabel(r);
    };
    if (hasNorm_) {
        TChartSeries ideal{kIdealTitle, kIdealColor, 1, false, 0, kIdealColor, {}};
        long double k = 0;
        for (const TPrefetchRecord& rec : prefetch_->Records) {
            ++k;
            const std::string label = labelOf(rec.Key);
            if (showTotalLine) ideal.Points.push_back({k, rec.Count * scale_, label});
            const int found = values_.Find(rec.Key);
            if (found >= 0) actual.Points.push_back({k, values_[found].Count * 1.0L, label});
        }
        series.push_back(std::move(actual));
        if (showTotalLine) series.push_back(std::move(ideal));
        return series;
    }
    std::vector<int> byKey(values_.size());
    std::iota(byKey.begin(), byKey.end(), 0);
    std::stable_sort(byKey.begin(), byKey.end(),
                     [&](int a, int b) { return CompareKeys(values_[a].Key, values_[b].Key) < 0; });
    long double k = 0;
    for (int i : byKey) actual.Points.push_back({++k, values_[i].Count * 1.0L, Label(i)});
    series.push_back(std::move(actual));
    return series;
}

bool DashSortsLast(int column) {
    return column >= kColDiffPrd && column <= kColDiffKrn;
}

int CompareCellTexts(int column, const std::string& a, const std::string& b) {
    if (DashSortsLast(column)) {
        const bool dashA = a == kDash, dashB = b == kDash;
        if (dashA != dashB) return dashA ? 1 : -1;
    }
    return CompareCellTexts(a, b);
}

int CompareCellTexts(const std::string& a, const std::string& b) {
    const auto x = TryStrToFloat(a);
    const auto y = TryStrToFloat(b);
    if (x && y) return *x < *y ? -1 : *x > *y ? 1 : 0;
    const int c = CompareText(a, b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

}  // namespace zentrix
