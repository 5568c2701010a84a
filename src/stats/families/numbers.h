#pragma once

#include <array>

#include "stats/set_values_stat.h"

namespace zentrix {

// Number kinds over byte values: even, small (1..10), prime (1 counts as prime).
bool IsEvenNumber(int n);
bool IsSmallNumber(int n);
bool IsPrimeNumber(int n);
// 1 for the byte values of a kind, 0 for the others.
std::array<uint8_t, 256> KindTable(bool (*kind)(int));

// NUMS: the numbers themselves.
class TstValues final : public TSetValuesStat<TstValues, TCustomValuesStat> {
  public:
    using TSetValuesStat::TSetValuesStat;
    static TStatClassInfo Describe();
    void PossibleValues(auto& out) const {
        for (int n = 1; n <= kMaxNumber; ++n) out.K1(n);
    }
    void Values(const TComb& numbers, auto& out) const {
        for (uint8_t n : numbers) out.K1(n);
    }

  protected:
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override;
};

// The decimal digits of a byte value, most significant first.
struct TDigits {
    uint8_t count = 0;
    std::array<uint8_t, 3> digit{};
};
const std::array<TDigits, 256>& DigitTable();

// DIGS: the decimal digits of the numbers.
class TstDigits final : public TSetValuesStat<TstDigits, TCustomNumbersStat> {
  public:
    using TSetValuesStat::TSetValuesStat;
    static TStatClassInfo Describe();
    void Values(const TComb& numbers, auto& out) const {
        for (uint8_t n : numbers) {
            const TDigits& d = DigitTable()[n];
            for (int i = 0; i < d.count; ++i) out.K1(d.digit[i]);
        }
    }

  protected:
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override;
};

// How many of the eight numbers are of a kind (EVEN, SMAL, PRIM).
class TKindCountStat : public TCustomRatioStat {
  public:
    TKindCountStat(const TStatList& list, int index, bool (*kind)(int));
    void PossibleValues(auto& out) const {
        for (int k = 1; k <= kCombSize; ++k) out.K1(k);
    }
    void Values(const TComb& numbers, auto& out) const {
        int count = 0;
        for (uint8_t n : numbers) count += kind_[n];
        out.K1(count);
    }

  private:
    std::array<uint8_t, 256> kind_{};
};

class TstEvenCount final : public TSetValuesStat<TstEvenCount, TKindCountStat> {
  public:
    TstEvenCount(const TStatList& list, int index) : TSetValuesStat(list, index, IsEvenNumber) {}
    static TStatClassInfo Describe();
};

class TstSmallCount final : public TSetValuesStat<TstSmallCount, TKindCountStat> {
  public:
    TstSmallCount(const TStatList& list, int index) : TSetValuesStat(list, index, IsSmallNumber) {}
    static TStatClassInfo Describe();
};

class TstPrimeCount final : public TSetValuesStat<TstPrimeCount, TKindCountStat> {
  public:
    TstPrimeCount(const TStatList& list, int index) : TSetValuesStat(list, index, IsPrimeNumber) {}
    static TStatClassInfo Describe();
};

// The kind mask over positions 1..8 (EVNV, SMLV, PRMV); bit 1 for the numbers of oneKind.
class TKindMaskStat : public TCustomMaskStat {
  public:
    TKindMaskStat(const TStatList& list, int index, bool (*oneKind)(int), const char* oneLetter,
                  const char* zeroLetter, bool listsMasks);
    std::string ZeroLetter() const override { return zeroLetter_; }
    std::string OneLetter() const override { return oneLetter_; }
    void Values(const TComb& numbers, auto& out) const {
        int mask = 0;
        for (uint8_t n : numbers) mask = mask * 2 + kind_[n];
        out.W1(mask);
    }

  protected:
    void DoListPossibleValues(const TStatContext& ctx, TStatDrawArray& values) override;

  private:
    std::array<uint8_t, 256> kind_{};
    const char* oneLetter_;
    const char* zeroLetter_;
    bool listsMasks_;
};

class TstEvenValues final : public TSetValuesStat<TstEvenValues, TKindMaskStat> {
  public:
    TstEvenValues(const TStatList& list, int index);
    static TStatClassInfo Describe();
};

class TstSmallValues final : public TSetValuesStat<TstSmallValues, TKindMaskStat> {
  public:
    TstSmallValues(const TStatList& list, int index);
    static TStatClassInfo Describe();
};

class TstPrimeValues final : public TSetValuesStat<TstPrimeValues, TKindMaskStat> {
  public:
    TstPrimeValues(const TStatList& list, int index);
    static TStatClassInfo Describe();
};

// POS1..POS8: the number at position Index.
class TstPosVal final : public TSetValuesStat<TstPosVal, TCustomGraphStat> {
  public:
    using TSetValuesStat::TSetValuesStat;
    static TStatClassInfo Describe();
    void PossibleValues(auto& out) const {
        for (int n = 1; n <= kMaxNumber; ++n) out.K1(n);
    }
    void Values(const TComb& numbers, auto& out) const { out.K1(numbers[Position()]); }

  private:
    int Position() const { return FIndex >= 1 && FIndex <= kCombSize ? FIndex - 1 : 0; }
};

// POE1: the extra number of a draw; it never filters.
class TstPosExt final : public TDescribedStat<TstPosExt, TCustomGraphStat> {
  public:
    using TDescribedStat::TDescribedStat;
    static TStatClassInfo Describe();

  protected:
    int32_t DoGraphValue(const TComb& numbers, const TStatContext& ctx) const override;
    void DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values,
                         TScanState& state) override;
    bool DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                      const TStatContext& ctx) const override;
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override;
};

}  // namespace zentrix
