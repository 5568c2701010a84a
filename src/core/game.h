#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zentrix {

// The game: 8 distinct numbers out of 1..20 and one extra number out of 1..4.
inline constexpr int kMaxNumber = 20;
inline constexpr int kCombSize = 8;
inline constexpr int kExtraMax = 4;

// Counting helpers. Products are extended reals; counts are rounded to the nearest integer.
long double Factorial(int n);
long double RisingProduct(long double a, int k);
long double FallingProduct(long double a, int k);
int64_t Binomial(int n, int k);
int64_t MatchCount(int n, int k, int m);
constexpr int SumUp(int a, int k) {
    int s = 0;
    for (int i = 0; i < k; ++i) s += a + i;
    return s;
}
constexpr int SumDown(int a, int k) {
    int s = 0;
    for (int i = 0; i < k; ++i) s += a - i;
    return s;
}
// a div b, plus 1 when a mod b <> 0; 0 for a non-positive b.
constexpr int CeilDiv(int a, int b) {
    if (b <= 0) return 0;
    return a / b + (a % b != 0 ? 1 : 0);
}
constexpr int GroupCount(int lo, int hi, int size) {
    return lo != 0 ? CeilDiv(hi - lo + 1, size) : CeilDiv(hi, size);
}

inline constexpr int kCombCount = 125970;                       // Binomial(20, 8)
inline constexpr int kSumMin = SumUp(1, kCombSize);             // 36
inline constexpr int kSumMax = SumDown(kMaxNumber, kCombSize);  // 132
inline constexpr int kSumStep = (kSumMax - kSumMin) / 10;       // 9

// How many combinations share exactly k numbers with a draw, and the probability of that.
struct TMatchTables {
    std::array<int64_t, kCombSize + 1> counts{};
    std::array<long double, kCombSize + 1> probabilities{};
};
const TMatchTables& MatchTables();

// One combination: eight bytes, ascending when generated, as read when opened or pasted.
using TComb = std::array<uint8_t, kCombSize>;
// A list of combinations; its size is the used count.
using TCombsArray = std::vector<TComb>;
using TByteArray = std::vector<uint8_t>;
using TIntArray = std::vector<int32_t>;

// Count numbers of which the first Count are used (stakes and systems).
struct TCountedNumbers {
    int32_t Count = 0;
    std::array<uint8_t, kCombSize> Numbers{};
    static TCountedNumbers FromComb(const TComb& comb);
    bool operator==(const TCountedNumbers&) const = default;
};

struct TKeyCount {
    int32_t Key = 0;
    int32_t Count = 0;
    bool operator==(const TKeyCount&) const = default;
};
using TStatSimpleArray = std::vector<TKeyCount>;

// A statistic value: four signed 16-bit components K1..K4, read also as two signed 32-bit
// components W1 (over K1, K2) and W2 (over K3, K4), or as eight bytes.
struct TStatKey {
    std::array<int16_t, 4> K{};

    int32_t W1() const { return static_cast<int32_t>(Low32()); }
    int32_t W2() const { return static_cast<int32_t>(Packed() >> 32); }
    void SetW1(int32_t v) {
        K[0] = static_cast<int16_t>(v & 0xFFFF);
        K[1] = static_cast<int16_t>((static_cast<uint32_t>(v) >> 16) & 0xFFFF);
    }
    void SetW2(int32_t v) {
        K[2] = static_cast<int16_t>(v & 0xFFFF);
        K[3] = static_cast<int16_t>((static_cast<uint32_t>(v) >> 16) & 0xFFFF);
    }
    // Byte i = 1..8 in memory order.
    uint8_t Byte(int i) const { return static_cast<uint8_t>(Packed() >> (8 * (i - 1))); }
    void SetByte(int i, uint8_t v) {
        uint64_t p = Packed();
        p &= ~(uint64_t{0xFF} << (8 * (i - 1)));
        p |= uint64_t{v} << (8 * (i - 1));
        *this = FromPacked(p);
    }
    uint64_t Packed() const {
        return uint64_t{static_cast<uint16_t>(K[0])} | uint64_t{static_cast<uint16_t>(K[1])} << 16 |
               uint64_t{static_cast<uint16_t>(K[2])} << 32 |
               uint64_t{static_cast<uint16_t>(K[3])} << 48;
    }
    static TStatKey FromPacked(uint64_t p) {
        TStatKey k;
        for (int i = 0; i < 4; ++i) k.K[i] = static_cast<int16_t>((p >> (16 * i)) & 0xFFFF);
        return k;
    }
    bool operator==(const TStatKey&) const = default;

  private:
    uint32_t Low32() const { return static_cast<uint32_t>(Packed() & 0xFFFFFFFFu); }
};

struct TLastValue {
    int32_t LastDraw = 0;
    TStatKey Key;
};
using TLastValueArray = std::vector<TLastValue>;

// Matrix positions: the numbers laid out row by row in `cols` columns.
struct TCell {
    int col = 0;  // zero-based
    int row = 0;  // zero-based
};
TCell CellOf(int n, int cols);
int ColumnOf(int n, int cols);
int RowOf(int n, int cols);
int CellNumber(int row, int cols, int col);

// Shifts with one wrap around 1..20.
int ShiftNumber(int n, int d);
TComb ShiftComb(const TComb& comb, int d);

bool InComb(int n, const TComb& comb);
bool InByteArray(int n, const TByteArray& list);
void AddUnique(int n, TByteArray& list);
void AppendByte(int n, TByteArray& list);
bool SameNumbers(const TCountedNumbers& a, const TCountedNumbers& b);
int UniqueNumbers(const TCombsArray& combs, size_t count);
void CollectNumbers(const TCombsArray& combs, size_t count, TByteArray& list);
void AddKeyCount(TStatSimpleArray& list, int32_t key, int32_t add);
void SortKeyCounts(TStatSimpleArray& list);
int32_t UpdateLastValue(TLastValueArray& list, const TLastValue& rec);

// Stable insertion sorts.
void SortComb(TComb& comb);
void SortCountedNumbers(TCountedNumbers& set);
void SortIntsDescending(TIntArray& list);

}  // namespace zentrix
