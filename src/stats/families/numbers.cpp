#include "stats/families/numbers.h"

#include <vector>

#include "stats/comb_filter.h"
#include "stats/stat_list.h"

namespace zentrix {

namespace {

constexpr int kGroupNumbers = 0;

// The decimal digits of a byte value, most significant first.
struct TDigits {
    uint8_t count = 0;
    std::array<uint8_t, 3> digit{};
};

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

std::array<uint8_t, 256> KindTable(bool (*kind)(int)) {
    std::array<uint8_t, 256> t{};
    for (int n = 0; n < 256; ++n) t[n] = kind(n) ? 1 : 0;
    return t;
}

int KindCount(const std::array<uint8_t, 256>& kind, const TComb& numbers) {
    int count = 0;
    for (uint8_t n : numbers) count += kind[n];
    return count;
}

int KindMask(const std::array<uint8_t, 256>& kind, const TComb& numbers) {
    int mask = 0;
    for (uint8_t n : numbers) mask = mask * 2 + kind[n];
    return mask;
}

// Any byte of the word equal to one of N values: the zero-byte test on the word XOR-ed with
// each value spread over all bytes.
template <int N>
struct TSwarBytes {
    std::array<uint64_t, N> spread{};
    bool operator()(const TComb& comb) const {
        constexpr uint64_t kOnes = 0x0101010101010101ull;
        constexpr uint64_t kHighs = 0x8080808080808080ull;
        const uint64_t w = CombWord(comb);
        uint64_t any = 0;
        for (int i = 0; i < N; ++i) {
            const uint64_t x = w ^ spread[i];
            any |= (x - kOnes) & ~x & kHighs;
        }
        return any != 0;
    }
};

template <int N>
std::unique_ptr<TCombFilter> SwarFilter(const std::vector<int>& values, bool exclude) {
    TSwarBytes<N> swar;
    for (int i = 0; i < N; ++i) swar.spread[i] = 0x0101010101010101ull * uint64_t(values[i]);
    return MakePredicateFilter(swar, exclude);
}

struct TTableBytes {
    std::array<uint8_t, 256> hit{};
    bool operator()(const TComb& c) const {
        return (hit[c[0]] | hit[c[1]] | hit[c[2]] | hit[c[3]] | hit[c[4]] | hit[c[5]] | hit[c[6]] |
                hit[c[7]]) != 0;
    }
};

// The filter "some byte of the combination is in the set".
std::unique_ptr<TCombFilter> AnyByteFilter(const TByteSet& set, bool exclude) {
    std::vector<int> values;
    for (int v = 0; v < 256; ++v)
        if (set.hit[v]) values.push_back(v);
    switch (values.size()) {
        case 0:
            return MakePredicateFilter([](const TComb&) { return false; }, exclude);
        case 1:
            return SwarFilter<1>(values, exclude);
        case 2:
            return SwarFilter<2>(values, exclude);
        case 3:
            return SwarFilter<3>(values, exclude);
        case 4:
            return SwarFilter<4>(values, exclude);
        default:
            break;
    }
    return MakePredicateFilter(TTableBytes{set.hit}, exclude);
}

TIndexRange PositionRange(const TConfigSettings&) {
    return {1, kCombSize};
}

TIndexRange ExtraRange(const TConfigSettings&) {
    return {1, 1};
}

}  // namespace

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

const TStatClass& TstValues::Class() {
    static const TStatClass c =
        MakeStatClass<TstValues>({"TstValues", "NUMS", "Числа тиража", kGroupNumbers, kFlagN});
    return c;
}

void TstValues::DoListPossibleValues(int, TStatDrawArray& values) {
    for (int n = 1; n <= kMaxNumber; ++n) AddK1(values, n, false);
}

void TstValues::DoAddCombValues(const TComb& comb, TStatDrawArray& values) {
    for (uint8_t n : comb) AddK1(values, n, false);
}

void TstValues::DoAddDrawValues(int, int, bool, TStatDrawArray& values, TScanState&) {
    for (uint8_t n : current_.Numbers) AddK1(values, n, true);
}

bool TstValues::FilterTest(const TComb& comb, std::span<const TStatDraw> selected, int, bool,
                           bool) const {
    for (uint8_t n : comb)
        if (MatchK(selected, 1, n)) return true;
    return false;
}

std::unique_ptr<TCombFilter> TstValues::PrepareFilter(std::span<const TStatDraw> selected, int,
                                                      bool, bool exclude) const {
    return AnyByteFilter(SelectedBytes(selected), exclude);
}

// DIGS

const TStatClass& TstDigits::Class() {
    static const TStatClass c =
        MakeStatClass<TstDigits>({"TstDigits", "DIGS", "Цифры тиража", kGroupNumbers, kFlagN});
    return c;
}

void TstDigits::DoAddCombValues(const TComb& comb, TStatDrawArray& values) {
    for (uint8_t n : comb) {
        const TDigits& d = DigitTable()[n];
        for (int i = 0; i < d.count; ++i) AddK1(values, d.digit[i], false);
    }
}

void TstDigits::DoAddDrawValues(int, int, bool, TStatDrawArray& values, TScanState&) {
    for (uint8_t n : current_.Numbers) {
        const TDigits& d = DigitTable()[n];
        for (int i = 0; i < d.count; ++i) AddK1(values, d.digit[i], true);
    }
}

bool TstDigits::FilterTest(const TComb& comb, std::span<const TStatDraw> selected, int, bool,
                           bool) const {
    for (uint8_t n : comb) {
        const TDigits& d = DigitTable()[n];
        for (int i = 0; i < d.count; ++i)
            if (MatchK(selected, 1, d.digit[i])) return true;
    }
    return false;
}

std::unique_ptr<TCombFilter> TstDigits::PrepareFilter(std::span<const TStatDraw> selected, int,
                                                      bool, bool exclude) const {
    const TByteSet digits = SelectedBytes(selected);
    TByteSet numbers;
    for (int n = 0; n < 256; ++n) {
        const TDigits& d = DigitTable()[n];
        for (int i = 0; i < d.count; ++i)
            if (digits.Has(d.digit[i])) numbers.Add(n);
    }
    return AnyByteFilter(numbers, exclude);
}

// EVEN, SMAL, PRIM

TKindCountStat::TKindCountStat(const TStatList& list, int index, bool (*kind)(int))
    : TCustomRatioStat(list, index), kind_(KindTable(kind)) {}

int32_t TKindCountStat::CombGraphValue(const TComb& numbers, int, int, bool) {
    return KindCount(kind_, numbers);
}

void TKindCountStat::DoListPossibleValues(int, TStatDrawArray& values) {
    for (int k = 1; k <= kCombSize; ++k) AddK1(values, k, false);
}

void TKindCountStat::DoAddCombValues(const TComb& comb, TStatDrawArray& values) {
    AddK1(values, KindCount(kind_, comb), false);
}

void TKindCountStat::DoAddDrawValues(int, int, bool, TStatDrawArray& values, TScanState&) {
    AddK1(values, KindCount(kind_, current_.Numbers), true);
}

bool TKindCountStat::FilterTest(const TComb& comb, std::span<const TStatDraw> selected, int, bool,
                                bool) const {
    return MatchK(selected, 1, KindCount(kind_, comb));
}

std::unique_ptr<TCombFilter> TKindCountStat::PrepareFilter(std::span<const TStatDraw> selected, int,
                                                           bool, bool exclude) const {
    return MakePredicateFilter([kind = kind_, counts = SelectedBytes(selected)](
                                   const TComb& c) { return counts.hit[KindCount(kind, c)] != 0; },
                               exclude);
}

const TStatClass& TstEvenCount::Class() {
    static const TStatClass c = MakeStatClass<TstEvenCount>(
        {"TstEvenCount", "EVEN", "Количество четных чисел в тираже (Ч:Н)", kGroupNumbers, kFlagN});
    return c;
}

const TStatClass& TstSmallCount::Class() {
    static const TStatClass c = MakeStatClass<TstSmallCount>(
        {"TstSmallCount", "SMAL", "Количество чисел из первой половины диапазона (1П:2П)",
         kGroupNumbers, kFlagN});
    return c;
}

const TStatClass& TstPrimeCount::Class() {
    static const TStatClass c = MakeStatClass<TstPrimeCount>(
        {"TstPrimeCount", "PRIM", "Количество простых чисел (П:С)", kGroupNumbers, kFlagN});
    return c;
}

// EVNV, SMLV, PRMV

TKindMaskStat::TKindMaskStat(const TStatList& list, int index, bool (*oneKind)(int),
                             const char* oneLetter, const char* zeroLetter, bool listsMasks)
    : TCustomMaskStat(list, index),
      kind_(KindTable(oneKind)),
      oneLetter_(oneLetter),
      zeroLetter_(zeroLetter),
      listsMasks_(listsMasks) {}

void TKindMaskStat::DoListPossibleValues(int refIndex, TStatDrawArray& values) {
    if (listsMasks_) TCustomMaskStat::DoListPossibleValues(refIndex, values);
}

void TKindMaskStat::DoAddCombValues(const TComb& comb, TStatDrawArray& values) {
    AddW1(values, KindMask(kind_, comb), false);
}

void TKindMaskStat::DoAddDrawValues(int, int, bool, TStatDrawArray& values, TScanState&) {
    AddW1(values, KindMask(kind_, current_.Numbers), true);
}

bool TKindMaskStat::FilterTest(const TComb& comb, std::span<const TStatDraw> selected, int, bool,
                               bool) const {
    return MatchWk(selected, 1, KindMask(kind_, comb));
}

std::unique_ptr<TCombFilter> TKindMaskStat::PrepareFilter(std::span<const TStatDraw> selected, int,
                                                          bool, bool exclude) const {
    return MakePredicateFilter([kind = kind_, masks = SelectedBytes(selected, true)](
                                   const TComb& c) { return masks.hit[KindMask(kind, c)] != 0; },
                               exclude);
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
    : TKindMaskStat(list, index, IsOddNumber, "н", "Ч", true) {}

const TStatClass& TstEvenValues::Class() {
    static const TStatClass c = MakeStatClass<TstEvenValues>(
        {"TstEvenValues", "EVNV", "Четные и нечетные числа в тираже (Чн..нЧ)", kGroupNumbers,
         kFlagS | kFlagN});
    return c;
}

// Over ascending numbers only the nine masks 1..12..2 can occur, so none is listed.
TstSmallValues::TstSmallValues(const TStatList& list, int index)
    : TKindMaskStat(list, index, IsLargeNumber, "2", "1", false) {}

const TStatClass& TstSmallValues::Class() {
    static const TStatClass c = MakeStatClass<TstSmallValues>(
        {"TstSmallValues", "SMLV", "Числа из первой половины диапазона (12..12)", kGroupNumbers,
         kFlagS | kFlagN});
    return c;
}

TstPrimeValues::TstPrimeValues(const TStatList& list, int index)
    : TKindMaskStat(list, index, IsPrimeNumber, "П", "С", true) {}

const TStatClass& TstPrimeValues::Class() {
    static const TStatClass c = MakeStatClass<TstPrimeValues>({"TstPrimeValues", "PRMV",
                                                               "Простые и составные числа (ПС..СП)",
                                                               kGroupNumbers, kFlagS | kFlagN});
    return c;
}

// POS1..POS8

const TStatClass& TstPosVal::Class() {
    static const TStatClass c =
        MakeStatClass<TstPosVal>({"TstPosVal", "POS%d", "Число в %0:d позиции тиража",
                                  kGroupNumbers, kFlagS | kFlagN, "POSx", PositionRange});
    return c;
}

int32_t TstPosVal::CombGraphValue(const TComb& numbers, int, int, bool) {
    return numbers[Position()];
}

void TstPosVal::DoListPossibleValues(int, TStatDrawArray& values) {
    for (int n = 1; n <= kMaxNumber; ++n) AddK1(values, n, false);
}

void TstPosVal::DoAddCombValues(const TComb& comb, TStatDrawArray& values) {
    AddK1(values, comb[Position()], false);
}

void TstPosVal::DoAddDrawValues(int, int, bool, TStatDrawArray& values, TScanState&) {
    AddK1(values, current_.Numbers[Position()], true);
}

bool TstPosVal::FilterTest(const TComb& comb, std::span<const TStatDraw> selected, int, bool,
                           bool) const {
    return MatchK(selected, 1, comb[Position()]);
}

std::unique_ptr<TCombFilter> TstPosVal::PrepareFilter(std::span<const TStatDraw> selected, int,
                                                      bool, bool exclude) const {
    return MakePredicateFilter([hit = SelectedBytes(selected),
                                p = Position()](const TComb& c) { return hit.hit[c[p]] != 0; },
                               exclude);
}

// POE1

const TStatClass& TstPosExt::Class() {
    static const TStatClass c = MakeStatClass<TstPosExt>(
        {"TstPosExt", "POE%d", "Extra (Bonus, Star...) - число (!без фильтра!)", kGroupNumbers, 0,
         "POSx", ExtraRange});
    return c;
}

int32_t TstPosExt::CombGraphValue(const TComb&, int, int, bool) {
    // A combination has no extra number.
    return 0;
}

int32_t TstPosExt::GraphValue(int index, int, bool) {
    if (index < 0 || index >= static_cast<int>(FDraws.size()) || !IsSoundDraw(FDraws[index]))
        return 0;
    return FDraws[index].Extra;
}

void TstPosExt::DoAddDrawValues(int, int, bool, TStatDrawArray& values, TScanState&) {
    AddK1(values, current_.Extra, true);
}

bool TstPosExt::FilterTest(const TComb&, std::span<const TStatDraw>, int, bool, bool) const {
    return false;
}

std::unique_ptr<TCombFilter> TstPosExt::PrepareFilter(std::span<const TStatDraw>, int, bool,
                                                      bool exclude) const {
    return MakePredicateFilter([](const TComb&) { return false; }, exclude);
}

}  // namespace zentrix
