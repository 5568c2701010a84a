#include "core/game.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "util/rounding.h"

namespace zentrix {

namespace {

template <typename T, typename Less>
void InsertionSort(T* first, size_t count, Less less) {
    for (size_t i = 1; i < count; ++i) {
        T v = first[i];
        size_t j = i;
        while (j > 0 && less(v, first[j - 1])) {
            first[j] = first[j - 1];
            --j;
        }
        first[j] = v;
    }
}

}  // namespace

long double Factorial(int n) {
    long double r = 1;
    for (int i = 2; i <= n; ++i) r *= i;
    return r;
}

long double RisingProduct(long double a, int k) {
    long double r = 1;
    for (int i = 0; i < k; ++i) r *= a + i;
    return r;
}

long double FallingProduct(long double a, int k) {
    long double r = 1;
    for (int i = 0; i < k; ++i) r *= a - i;
    return r;
}

int64_t Binomial(int n, int k) {
    if (k >= n) return 1;
    return RoundHalfEven(Factorial(n) / (Factorial(n - k) * Factorial(k)));
}

int64_t MatchCount(int n, int k, int m) {
    if (m >= n) return 1;
    return RoundHalfEven(FallingProduct(k, m) / Factorial(m) * FallingProduct(n - k, k - m) /
                         Factorial(k - m));
}

const TMatchTables& MatchTables() {
    static const TMatchTables tables = [] {
        TMatchTables t;
        const long double total = static_cast<long double>(Binomial(kMaxNumber, kCombSize));
        for (int k = 0; k <= kCombSize; ++k) {
            t.counts[k] = MatchCount(kMaxNumber, kCombSize, k);
            t.probabilities[k] = t.counts[k] / total;
        }
        return t;
    }();
    return tables;
}

TCountedNumbers TCountedNumbers::FromComb(const TComb& comb) {
    TCountedNumbers set;
    set.Count = kCombSize;
    set.Numbers = comb;
    return set;
}

TCell CellOf(int n, int cols) {
    if (cols < 1) cols = 1;
    return {(n - 1) % cols, (n - 1) / cols};
}

int ColumnOf(int n, int cols) {
    return CellOf(n, cols).col + 1;
}
int RowOf(int n, int cols) {
    return CellOf(n, cols).row + 1;
}
int CellNumber(int row, int cols, int col) {
    return 1 + col + row * cols;
}

int ShiftNumber(int n, int d) {
    if (d == 0) return n;
    int r = n + d;
    if (d > 0 && r > kMaxNumber) r -= kMaxNumber;
    if (d < 0 && r <= 0) r += kMaxNumber;
    return r;
}

TComb ShiftComb(const TComb& comb, int d) {
    TComb r;
    for (int i = 0; i < kCombSize; ++i) r[i] = static_cast<uint8_t>(ShiftNumber(comb[i], d));
    return r;
}

bool InComb(int n, const TComb& comb) {
    for (uint8_t b : comb)
        if (b == n) return true;
    return false;
}

bool InByteArray(int n, const TByteArray& list) {
    for (uint8_t b : list)
        if (b == n) return true;
    return false;
}

void AddUnique(int n, TByteArray& list) {
    if (!InByteArray(n, list)) list.push_back(static_cast<uint8_t>(n));
}

void AppendByte(int n, TByteArray& list) {
    list.push_back(static_cast<uint8_t>(n));
}

bool SameNumbers(const TCountedNumbers& a, const TCountedNumbers& b) {
    if (a.Count != b.Count) return false;
    for (int i = 0; i < a.Count && i < kCombSize; ++i) {
        bool found = false;
        for (int j = 0; j < b.Count && j < kCombSize; ++j)
            if (a.Numbers[i] == b.Numbers[j]) found = true;
        if (!found) return false;
    }
    return true;
}

int UniqueNumbers(const TCombsArray& combs, size_t count) {
    uint32_t seen = 0;
    int found = 0;
    count = std::min(count, combs.size());
    for (size_t i = 0; i < count && found < kMaxNumber; ++i)
        for (uint8_t b : combs[i])
            if (b >= 1 && b <= kMaxNumber && !(seen & (1u << b))) {
                seen |= 1u << b;
                ++found;
            }
    return found;
}

void CollectNumbers(const TCombsArray& combs, size_t count, TByteArray& list) {
    count = std::min(count, combs.size());
    for (size_t i = 0; i < count && list.size() < kMaxNumber; ++i)
        for (uint8_t b : combs[i]) {
            if (list.size() >= kMaxNumber) break;
            AddUnique(b, list);
        }
}

void AddKeyCount(TStatSimpleArray& list, int32_t key, int32_t add) {
    for (TKeyCount& kc : list)
        if (kc.Key == key) {
            if (add > 0) kc.Count += add;
            return;
        }
    list.push_back({key, add});
}

void SortKeyCounts(TStatSimpleArray& list) {
    InsertionSort(list.data(), list.size(),
                  [](const TKeyCount& a, const TKeyCount& b) { return a.Key < b.Key; });
}

int32_t UpdateLastValue(TLastValueArray& list, const TLastValue& rec) {
    for (TLastValue& v : list)
        if (v.Key == rec.Key) {
            int32_t old = v.LastDraw;
            v.LastDraw = rec.LastDraw;
            return rec.LastDraw - old;
        }
    list.push_back(rec);
    return -1;
}

void SortComb(TComb& comb) {
    InsertionSort(comb.data(), comb.size(), std::less<uint8_t>());
}

void SortCountedNumbers(TCountedNumbers& set) {
    int count = std::min(set.Count, kCombSize);
    if (count < 2) return;
    InsertionSort(set.Numbers.data(), static_cast<size_t>(count), std::less<uint8_t>());
}

void SortIntsDescending(TIntArray& list) {
    InsertionSort(list.data(), list.size(), std::greater<int32_t>());
}

}  // namespace zentrix
