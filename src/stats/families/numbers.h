#pragma once

#include <array>

#include "stats/custom_stat.h"

namespace zentrix {

// Number kinds over byte values: even, small (1..10), prime (1 counts as prime).
bool IsEvenNumber(int n);
bool IsSmallNumber(int n);
bool IsPrimeNumber(int n);

// NUMS: the numbers themselves.
class TstValues final : public TCustomValuesStat {
  public:
    using TCustomValuesStat::TCustomValuesStat;
    static const TStatClass& Class();
    const TStatClass& StatClass() const override { return Class(); }
    bool FilterTest(const TComb& comb, std::span<const TStatDraw> selected, int refIndex,
                    bool sorted, bool exclude) const override;
    std::unique_ptr<TCombFilter> PrepareFilter(std::span<const TStatDraw> selected, int refIndex,
                                               bool sorted, bool exclude) const override;

  protected:
    void DoListPossibleValues(int refIndex, TStatDrawArray& values) override;
    void DoAddCombValues(const TComb& comb, TStatDrawArray& values) override;
    void DoAddDrawValues(int index, int refIndex, bool sorted, TStatDrawArray& values,
                         TScanState& state) override;
};

// DIGS: the decimal digits of the numbers.
class TstDigits final : public TCustomNumbersStat {
  public:
    using TCustomNumbersStat::TCustomNumbersStat;
    static const TStatClass& Class();
    const TStatClass& StatClass() const override { return Class(); }
    bool FilterTest(const TComb& comb, std::span<const TStatDraw> selected, int refIndex,
                    bool sorted, bool exclude) const override;
    std::unique_ptr<TCombFilter> PrepareFilter(std::span<const TStatDraw> selected, int refIndex,
                                               bool sorted, bool exclude) const override;

  protected:
    void DoAddCombValues(const TComb& comb, TStatDrawArray& values) override;
    void DoAddDrawValues(int index, int refIndex, bool sorted, TStatDrawArray& values,
                         TScanState& state) override;
};

// How many of the eight numbers are of a kind (EVEN, SMAL, PRIM).
class TKindCountStat : public TCustomRatioStat {
  public:
    TKindCountStat(const TStatList& list, int index, bool (*kind)(int));
    int32_t CombGraphValue(const TComb& numbers, int index, int refIndex, bool sorted) override;
    bool FilterTest(const TComb& comb, std::span<const TStatDraw> selected, int refIndex,
                    bool sorted, bool exclude) const override;
    std::unique_ptr<TCombFilter> PrepareFilter(std::span<const TStatDraw> selected, int refIndex,
                                               bool sorted, bool exclude) const override;

  protected:
    void DoListPossibleValues(int refIndex, TStatDrawArray& values) override;
    void DoAddCombValues(const TComb& comb, TStatDrawArray& values) override;
    void DoAddDrawValues(int index, int refIndex, bool sorted, TStatDrawArray& values,
                         TScanState& state) override;

  private:
    std::array<uint8_t, 256> kind_{};
};

class TstEvenCount final : public TKindCountStat {
  public:
    TstEvenCount(const TStatList& list, int index) : TKindCountStat(list, index, IsEvenNumber) {}
    static const TStatClass& Class();
    const TStatClass& StatClass() const override { return Class(); }
};

class TstSmallCount final : public TKindCountStat {
  public:
    TstSmallCount(const TStatList& list, int index) : TKindCountStat(list, index, IsSmallNumber) {}
    static const TStatClass& Class();
    const TStatClass& StatClass() const override { return Class(); }
};

class TstPrimeCount final : public TKindCountStat {
  public:
    TstPrimeCount(const TStatList& list, int index) : TKindCountStat(list, index, IsPrimeNumber) {}
    static const TStatClass& Class();
    const TStatClass& StatClass() const override { return Class(); }
};

// The kind mask over positions 1..8 (EVNV, SMLV, PRMV); bit 1 for the numbers of oneKind.
class TKindMaskStat : public TCustomMaskStat {
  public:
    TKindMaskStat(const TStatList& list, int index, bool (*oneKind)(int), const char* oneLetter,
                  const char* zeroLetter, bool listsMasks);
    std::string ZeroLetter() const override { return zeroLetter_; }
    std::string OneLetter() const override { return oneLetter_; }
    bool FilterTest(const TComb& comb, std::span<const TStatDraw> selected, int refIndex,
                    bool sorted, bool exclude) const override;
    std::unique_ptr<TCombFilter> PrepareFilter(std::span<const TStatDraw> selected, int refIndex,
                                               bool sorted, bool exclude) const override;

  protected:
    void DoListPossibleValues(int refIndex, TStatDrawArray& values) override;
    void DoAddCombValues(const TComb& comb, TStatDrawArray& values) override;
    void DoAddDrawValues(int index, int refIndex, bool sorted, TStatDrawArray& values,
                         TScanState& state) override;

  private:
    std::array<uint8_t, 256> kind_{};
    const char* oneLetter_;
    const char* zeroLetter_;
    bool listsMasks_;
};

class TstEvenValues final : public TKindMaskStat {
  public:
    TstEvenValues(const TStatList& list, int index);
    static const TStatClass& Class();
    const TStatClass& StatClass() const override { return Class(); }
};

class TstSmallValues final : public TKindMaskStat {
  public:
    TstSmallValues(const TStatList& list, int index);
    static const TStatClass& Class();
    const TStatClass& StatClass() const override { return Class(); }
};

class TstPrimeValues final : public TKindMaskStat {
  public:
    TstPrimeValues(const TStatList& list, int index);
    static const TStatClass& Class();
    const TStatClass& StatClass() const override { return Class(); }
};

// POS1..POS8: the number at position Index.
class TstPosVal final : public TCustomGraphStat {
  public:
    using TCustomGraphStat::TCustomGraphStat;
    static const TStatClass& Class();
    const TStatClass& StatClass() const override { return Class(); }
    int32_t CombGraphValue(const TComb& numbers, int index, int refIndex, bool sorted) override;
    bool FilterTest(const TComb& comb, std::span<const TStatDraw> selected, int refIndex,
                    bool sorted, bool exclude) const override;
    std::unique_ptr<TCombFilter> PrepareFilter(std::span<const TStatDraw> selected, int refIndex,
                                               bool sorted, bool exclude) const override;

  protected:
    void DoListPossibleValues(int refIndex, TStatDrawArray& values) override;
    void DoAddCombValues(const TComb& comb, TStatDrawArray& values) override;
    void DoAddDrawValues(int index, int refIndex, bool sorted, TStatDrawArray& values,
                         TScanState& state) override;

  private:
    int Position() const { return FIndex >= 1 && FIndex <= kCombSize ? FIndex - 1 : 0; }
};

// POE1: the extra number of a draw; it never filters.
class TstPosExt final : public TCustomGraphStat {
  public:
    using TCustomGraphStat::TCustomGraphStat;
    static const TStatClass& Class();
    const TStatClass& StatClass() const override { return Class(); }
    int32_t CombGraphValue(const TComb& numbers, int index, int refIndex, bool sorted) override;
    int32_t GraphValue(int index, int refIndex, bool sorted) override;
    bool FilterTest(const TComb& comb, std::span<const TStatDraw> selected, int refIndex,
                    bool sorted, bool exclude) const override;
    std::unique_ptr<TCombFilter> PrepareFilter(std::span<const TStatDraw> selected, int refIndex,
                                               bool sorted, bool exclude) const override;

  protected:
    void DoAddDrawValues(int index, int refIndex, bool sorted, TStatDrawArray& values,
                         TScanState& state) override;
};

}  // namespace zentrix
