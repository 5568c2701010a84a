#include "stats/families/numbers.h"

#include <vector>

#include "stats/comb_filter.h"
#include "stats/stat_list.h"

namespace zentrix {

namespace {

TIndexRange PositionRange(const TConfigSettings&) {
    return {1, kCombSize};
}

TIndexRange ExtraRange(const TConfigSettings&) {
    return {1, 1};
}

}  // namespace

std::array<uint8_t, 256> KindTable(bool (*kind)(int)) {
    std::array<uint8_t, 256> t{};
    for (int n = 0; n < 256; ++n) t[n] = kind(n) ? 1 : 0;
    return t;
}

const std::array<TDigits, 256>& DigitTable() {
    static const std::array<TDigits, 256> table = [] {
        std::array<TDigits, 256> t{};
        for (int n = 0; n < 256; ++n) {
            int v = n;
            std::array<uint8_t, 3> rev{};
            uint8_t count = 0;
            do {
                rev[count++] = static_cast<uint8_t>(v % 10);
                v /= 10;
            } while (v > 0);
            t[n].count = count;
            for (int i = 0; i < count; ++i) t[n].digit[i] = rev[count - 1 - i];
        }
        return t;
    }();
    return table;
}

bool IsEvenNumber(int n) {
    return n % 2 == 0;
}

bool IsSmallNumber(int n) {
    return n <= kMaxNumber / 2;
}

bool IsPrimeNumber(int n) {
    if (n < 1 || n > 255) return false;
    if (n == 1) return true;
    for (int d = 2; d * d <= n; ++d)
        if (n % d == 0) return false;
    return n >= 2;
}

// NUMS

TStatClassInfo TstValues::Describe() {
    return {"NUMS", "Числа тиража", TStatGroup::Numbers, kFlagN};
}

std::unique_ptr<TCombFilter> TstValues::DoPrepareFilter(std::span<const TStatDraw> selected,
                                                        const TStatContext& ctx) const {
    return AnyByteFilter(SelectedBytes(selected), ctx.Exclude);
}

// DIGS

TStatClassInfo TstDigits::Describe() {
    return {"DIGS", "Цифры тиража", TStatGroup::Numbers, kFlagN};
}

std::unique_ptr<TCombFilter> TstDigits::DoPrepareFilter(std::span<const TStatDraw> selected,
                                                        const TStatContext& ctx) const {
    const TByteSet digits = SelectedBytes(selected);
    TByteSet numbers;
    for (int n = 0; n < 256; ++n) {
        const TDigits& d = DigitTable()[n];
        for (int i = 0; i < d.count; ++i)
            if (digits.Has(d.digit[i])) numbers.Add(n);
    }
    return AnyByteFilter(numbers, ctx.Exclude);
}

// EVEN, SMAL, PRIM

TKindCountStat::TKindCountStat(const TStatList& list, int index, bool (*kind)(int))
    : TCustomRatioStat(list, index), kind_(KindTable(kind)) {}

TStatClassInfo TstEvenCount::Describe() {
    return {"EVEN", "Количество четных чисел в тираже (Ч:Н)", TStatGroup::Numbers, kFlagN};
}

TStatClassInfo TstSmallCount::Describe() {
    return {"SMAL", "Количество чисел из первой половины диапазона (1П:2П)", TStatGroup::Numbers,
            kFlagN};
}

TStatClassInfo TstPrimeCount::Describe() {
    return {"PRIM", "Количество простых чисел (П:С)", TStatGroup::Numbers, kFlagN};
}

// EVNV, SMLV, PRMV

TKindMaskStat::TKindMaskStat(const TStatList& list, int index, bool (*oneKind)(int),
                             const char* oneLetter, const char* zeroLetter, bool listsMasks)
    : TCustomMaskStat(list, index),
      kind_(KindTable(oneKind)),
      oneLetter_(oneLetter),
      zeroLetter_(zeroLetter),
      listsMasks_(listsMasks) {}

void TKindMaskStat::DoListPossibleValues(const TStatContext& ctx, TStatDrawArray& values) {
    if (listsMasks_) TCustomMaskStat::DoListPossibleValues(ctx, values);
}

namespace {
bool IsOddNumber(int n) {
    return !IsEvenNumber(n);
}
bool IsLargeNumber(int n) {
    return !IsSmallNumber(n);
}
}  // namespace

TstEvenValues::TstEvenValues(const TStatList& list, int index)
    : TSetValuesStat(list, index, IsOddNumber, "н", "Ч", true) {}

TStatClassInfo TstEvenValues::Describe() {
    return {"EVNV", "Четные и нечетные числа в тираже (Чн..нЧ)", TStatGroup::Numbers,
            kFlagS | kFlagN};
}

// Over ascending numbers only the nine masks 1..12..2 can occur, so none is listed.
TstSmallValues::TstSmallValues(const TStatList& list, int index)
    : TSetValuesStat(list, index, IsLargeNumber, "2", "1", false) {}

TStatClassInfo TstSmallValues::Describe() {
    return {"SMLV", "Числа из первой половины диапазона (12..12)", TStatGroup::Numbers,
            kFlagS | kFlagN};
}

TstPrimeValues::TstPrimeValues(const TStatList& list, int index)
    : TSetValuesStat(list, index, IsPrimeNumber, "П", "С", true) {}

TStatClassInfo TstPrimeValues::Describe() {
    return {"PRMV", "Простые и составные числа (ПС..СП)", TStatGroup::Numbers, kFlagS | kFlagN};
}

// POS1..POS8

TStatClassInfo TstPosVal::Describe() {
    return {
        "POS%d",      "Число в %0:d позиции тиража", TStatGroup::Numbers, kFlagS | kFlagN, "POSx",
        PositionRange};
}

// POE1

TStatClassInfo TstPosExt::Describe() {
    return {
        "POE%d",   "Extra (Bonus, Star...) - число (!без фильтра!)", TStatGroup::Numbers, 0, "POSx",
        ExtraRange};
}

int32_t TstPosExt::DoGraphValue(const TComb&, const TStatContext& ctx) const {
    // A combination has no extra number.
    return ctx.Draw ? ctx.Draw->Extra : 0;
}

void TstPosExt::DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values, TScanState&) {
    AddK1(values, ctx.Draw->Extra, true);
}

bool TstPosExt::DoFilterTest(const TComb&, std::span<const TStatDraw>, const TStatContext&) const {
    return false;
}

std::unique_ptr<TCombFilter> TstPosExt::DoPrepareFilter(std::span<const TStatDraw>,
                                                        const TStatContext& ctx) const {
    return MakePredicateFilter([](const TComb&) { return false; }, ctx.Exclude);
}

}  // namespace zentrix
