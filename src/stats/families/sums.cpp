#include "stats/families/sums.h"

#include <charconv>

#include "stats/families/numbers.h"
#include "stats/stat_list.h"
#include "util/format.h"

namespace zentrix {

namespace {

bool AnyNumber(int) {
    return true;
}

std::string W1Text(const TStatDraw& record) {
    char buf[16];
    auto res = std::to_chars(buf, buf + sizeof buf, record.Key.W1());
    return std::string(buf, res.ptr);
}

// The central ranges of SUM1..SUM3 with the share each holds, as its name gives it.
struct TSumRange {
    int low;
    int high;
    int shareNum;
    int shareDen;
};
constexpr TSumRange kSumRanges[] = {{65, 103, 1, 3}, {69, 99, 1, 2}, {72, 96, 2, 3}};
constexpr int kSumRangeCount = sizeof kSumRanges / sizeof kSumRanges[0];

// An index outside the table reads an empty range.
TSumRange SumRangeOf(int index) {
    return index >= 1 && index <= kSumRangeCount ? kSumRanges[index - 1] : TSumRange{0, -1, 0, 0};
}

TIndexRange SumRangeIndexes(const TConfigSettings&) {
    return {1, kSumRangeCount};
}

std::string SumRangeName(const std::string& name, int index) {
    const TSumRange r = SumRangeOf(index);
    return Format(name, {index, r.shareNum, r.shareDen});
}

// "+05", "- 07": the change's size in two digits after its sign.
std::string ChangeText(int change) {
    return change < 0 ? Format("- %0:.2d", {-change}) : Format("+%0:.2d", {change});
}

}  // namespace

TKindSumStat::TKindSumStat(const TStatList& list, int index, bool (*kind)(int))
    : TCustomGraphStat(list, index), kind_(KindTable(kind)) {}

std::string TKindSumStat::ValueLabel(const TStatDraw& record) const {
    return W1Text(record);
}

// SUMS, SUME, SUMP

TstSumValues::TstSumValues(const TStatList& list, int index)
    : TSumFilterStat(list, index, AnyNumber) {}

TStatClassInfo TstSumValues::Describe() {
    return {"SUMS", "Сумма тиража: все значения", TStatGroup::Sums, kFlagN};
}

TstSumEvenValues::TstSumEvenValues(const TStatList& list, int index)
    : TSetValuesStat(list, index, IsEvenNumber) {}

TStatClassInfo TstSumEvenValues::Describe() {
    return {"SUME", "Сумма тиража: только четные", TStatGroup::Sums, kFlagN};
}

TstSumPrimeValues::TstSumPrimeValues(const TStatList& list, int index)
    : TSetValuesStat(list, index, IsPrimeNumber) {}

TStatClassInfo TstSumPrimeValues::Describe() {
    return {"SUMP", "Сумма тиража: только простые", TStatGroup::Sums, kFlagN};
}

// SUM1..SUM3

TstSumRanges::TstSumRanges(const TStatList& list, int index) : TSumFilterStat(list, index) {
    const TSumRange r = SumRangeOf(index);
    low_ = r.low;
    high_ = r.high;
}

TStatClassInfo TstSumRanges::Describe() {
    return {"SUM%d",
            "Сумма тиража: диапазон %d (%d/%d)",
            TStatGroup::Sums,
            kFlagN,
            {},
            SumRangeIndexes,
            SumRangeName};
}

std::string TstSumRanges::ValueLabel(const TStatDraw& record) const {
    return record.Key.K[0] == 1 ? Format("%d-%d", {low_, high_}) : "Остальные";
}

bool TstSumRanges::SumSelected(int sum, std::span<const TStatDraw> selected,
                               const TStatContext&) const {
    if (MatchKey(selected, 1, 0, 0, 0)) return InRange(sum);
    return MatchKey(selected, 0, 0, 0, 0) && !InRange(sum);
}

// SUMC

TStatClassInfo TstSumChange::Describe() {
    return {"SUMC", "Сумма тиража: изменения (точно)", TStatGroup::Sums, kFlagD};
}

std::string TstSumChange::ValueLabel(const TStatDraw& record) const {
    const int32_t from = record.Key.W1(), to = record.Key.W2();
    const int64_t d = to < from ? int64_t{from} - to : int64_t{to} - from;
    return Format(to < from ? "- %0:.2d : %1:d - %0:d = %2:d" : "+%0:.2d : %1:d + %0:d = %2:d",
                  {d, from, to});
}

int32_t TstSumChange::DoGraphValue(const TComb& numbers, const TStatContext& ctx) const {
    return NumbersSum(numbers) - NumbersSum(DrawBefore(ctx).Numbers);
}

// SUMV

TStatClassInfo TstSumChangeSome::Describe() {
    return {"SUMV", "Сумма тиража: изменения (диапазон)", TStatGroup::Sums, kFlagD};
}

std::string TstSumChangeSome::ValueLabel(const TStatDraw& record) const {
    return ChangeText(record.Key.W1());
}

// SUMT

TStatClassInfo TstSumTrend::Describe() {
    return {"SUMT", "Сумма тиража: направление изменения", TStatGroup::Sums, kFlagD};
}

std::string TstSumTrend::ValueLabel(const TStatDraw& record) const {
    const int32_t v = record.Key.W1();
    return v == 0 ? "=" : v > 0 ? "+" : "-";
}

int32_t TstSumTrend::DoGraphValue(const TComb& numbers, const TStatContext& ctx) const {
    return Sign(NumbersSum(numbers) - NumbersSum(DrawBefore(ctx).Numbers));
}

// S2T3

int SumPairsCount(const TComb& x) {
    // Distinct numbers 1..31, as every sound draw holds: a pair's sum exceeds both of its
    // numbers, so it is a third number at most once, and the sums fit one word of bits.
    uint64_t mask = 0;
    bool small = true;
    for (uint8_t n : x) {
        small = small && n >= 1 && n <= 31;
        mask |= uint64_t{1} << (n & 63);
    }
    int count = 0;
    if (small && BitCount(mask) == kCombSize) {
        for (int j = 0; j < kCombSize; ++j)
            for (int k = j + 1; k < kCombSize; ++k) count += (mask >> (x[j] + x[k])) & 1;
        return count;
    }
    for (int i = 0; i < kCombSize; ++i)
        for (int j = 0; j < kCombSize; ++j)
            for (int k = j + 1; k < kCombSize; ++k)
                count += i != j && i != k && x[j] + x[k] == x[i];
    return count;
}

TStatClassInfo TstSum2To3::Describe() {
    return {"S2T3", "Сумма двух чисел тиража равна третьему числу", TStatGroup::Sums, kFlagN};
}

}  // namespace zentrix
