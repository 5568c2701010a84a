#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/chart_series.h"
#include "core/config_data.h"
#include "core/palette.h"
#include "stats/custom_stat.h"
#include "stats/prefetch.h"
#include "stats/stat_draw.h"

namespace zentrix {

// Columns of the statistics table.
enum TStatColumn : int {
    kColValue = 0,
    kColCount,
    kColCountPercent,
    kColNorm,
    kColDeviation,
    kColDeviationPercent,
    kColDepth,
    kColDepthPercent,
    kColWeight,
    kColLastDraw,
    kColPeriodMin,
    kColPeriod,
    kColPeriodMax,
    kColExpectPrd,
    kColExpectStf,
    kColExpectKrn,
    kColFact,
    kColDiffPrd,
    kColDiffStf,
    kColDiffKrn,
    kStatColumnCount
};
const std::array<const char*, kStatColumnCount>& StatColumnCaptions();
// The order a fresh table is shown in: "Количество" ascending.
inline constexpr int kInitialSortColumn = kColCount;
inline constexpr long double kWeightFailure = -999.99L;
inline constexpr const char* kStatCalcStatus = "Анализ тиражей и расчет статистики...";
inline constexpr const char* kStatFilterStatus = "Фильтрация комбинаций...";

struct TStatTableParams {
    int RefIndex = 0;      // High - DrawsOffset
    int WindowLength = 1;  // draws counted, ending at the reference draw
    bool SortedDraws = false;
    // The method's full-set distribution, when comparing with it.
    std::shared_ptr<const TPrefetchData> Prefetch;
    TCDLParams CDL;
};

// The statistics table of one method over a window of draws: value records and numbers; a
// cell's text is made when it is asked for. Rows are addressed in the shown order.
class TStatTable {
  public:
    TStatTable() = default;
    // Counts the method's values over the window, assigns the norms from the distribution and
    // finds "Факт" for every value in one pass over the draws after the reference draw. The
    // rows come in the value list's order.
    static TStatTable Compute(std::unique_ptr<TCustomStat> stat, const TStatTableParams& params);

    int RowCount() const { return static_cast<int>(order_.size()); }
    const TStatDraw& Record(int row) const { return values_[order_.at(row)]; }
    // Draw number of the next occurrence after the record's last one; -1 when none.
    int32_t Fact(int row) const { return facts_[order_.at(row)]; }
    long double Weight(int row) const { return WeightOf(order_.at(row)); }

    std::string CellText(int row, int column) const;
    // The texts the scenario conditions read: caption, Count, "Кол-во в %", "Отклонение",
    // "Откл-ие в %", "Глубина", "Глубина в %", "Вес", "Период min", "Период", "Период max".
    std::vector<std::string> StatRowTexts(int row) const;

    // Orders the rows as comparing the column's texts would (CompareCellTexts with the column):
    // as numbers when both cells read as numbers, else as texts ignoring case, "-" after every
    // number in the "+/-" columns; equal cells by "Значение"; descending reverses.
    void Sort(int column, bool descending);
    // A header click: the same column again reverses, another column sorts ascending.
    void SortByClick(int column);
    // Back to the value list's order.
    void ListOrder();
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return descending_; }

    // The selected rows' records and their "Значение" texts joined by "; ".
    std::vector<TStatDraw> SelectedRecords(const std::vector<int>& rows) const;
    std::string SelectionText(const std::vector<int>& rows) const;

    // The actual series and, with a distribution and showTotalLine, the ideal one; no series
    // below two value records.
    std::vector<TChartSeries> Chart(bool showTotalLine) const;

    const TValueTotals& Totals() const { return totals_; }
    int WindowSize() const { return windowSize_; }
    int FirstIndex() const { return first_; }
    bool HasNorm() const { return hasNorm_; }
    long double NormScale() const { return scale_; }
    const TCustomStat* Stat() const { return stat_.get(); }

  private:
    struct TSortCell;
    std::string Text(int index, int column) const;
    std::string Label(int index) const;
    long double WeightOf(int index) const;
    int64_t ExpectedValue(int index, int column) const;
    TSortCell SortCell(int index, int column) const;
    void EnsureLabels() const;
    int CompareItems(const TSortCell& x, const TSortCell& y, int column) const;

    std::shared_ptr<TCustomStat> stat_;
    std::shared_ptr<const TPrefetchData> prefetch_;
    TCDLParams cdl_;
    TStatDrawArray values_;
    TRecycledVector<int32_t> facts_;
    TRecycledVector<int> order_;
    TValueTotals totals_;
    int windowSize_ = 0;
    int first_ = 0;
    bool hasNorm_ = false;
    long double scale_ = 0;
    int sortColumn_ = -1;
    bool descending_ = false;
    // Labels for sorting: case-folded text (its first eight bytes also as one big-endian word,
    // which decides most comparisons) and its number when it reads as one.
    mutable std::vector<std::string> foldedLabels_;
    mutable std::vector<uint64_t> labelPrefixes_;
    mutable std::vector<signed char> labelIsNumber_;
    mutable std::vector<long double> labelNumbers_;
};

// Compares two cell texts as the table does: as numbers when both read as numbers (a "," is a
// decimal point), otherwise as texts ignoring case.
int CompareCellTexts(const std::string& a, const std::string& b);
// The "+/-" columns mix "+3", "0" and "-2" with "-": compared as texts, "-" would sort after
// "+3" but before "0", which is no order at all. There "-" ranks after every number.
bool DashSortsLast(int column);
// Two cells of a column as the table sorts them.
int CompareCellTexts(int column, const std::string& a, const std::string& b);

// Stable merge sort by a three-way comparison, short runs by insertion. Its sequence of
// comparisons is fixed, so two comparisons that agree pair by pair give the same order even
// where the comparison is not transitive.
template <typename Items, typename Compare>
void StableMergeSort(Items& items, Compare compare) {
    Items buffer(items.size());
    auto sort = [&](auto& self, size_t lo, size_t hi) -> void {
        if (hi - lo <= 16) {
            for (size_t i = lo + 1; i < hi; ++i) {
                auto x = items[i];
                size_t j = i;
                for (; j > lo && compare(x, items[j - 1]) < 0; --j) items[j] = items[j - 1];
                items[j] = x;
            }
            return;
        }
        const size_t mid = lo + (hi - lo) / 2;
        self(self, lo, mid);
        self(self, mid, hi);
        size_t i = lo, j = mid, k = lo;
        while (i < mid && j < hi)
            buffer[k++] = compare(items[j], items[i]) < 0 ? items[j++] : items[i++];
        while (i < mid) buffer[k++] = items[i++];
        while (j < hi) buffer[k++] = items[j++];
        for (size_t q = lo; q < hi; ++q) items[q] = buffer[q];
    };
    sort(sort, 0, items.size());
}

}  // namespace zentrix
