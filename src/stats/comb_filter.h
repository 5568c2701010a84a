#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "core/comb_rank.h"
#include "stats/custom_stat.h"
#include "util/bits.h"

namespace zentrix {

// The high bit of every zero byte of the word (and maybe of bytes above one): nonzero exactly
// when the word has a zero byte.
inline uint64_t ZeroByteBits(uint64_t x) {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    return (x - kOnes) & ~x & (kOnes << 7);
}

// True when one of the eight bytes of the word equals v.
inline bool WordHasByte(uint64_t word, uint8_t v) {
    return ZeroByteBits(word ^ (0x0101010101010101ull * v)) != 0;
}

// Keeps (or, with exclude, drops) the combinations of source that pred holds for. The tests of 64
// combinations become one word of bits without a branch; the kept ones are then copied through a
// plain pointer (byte stores through the list itself would make every step reload its end).
template <typename Pred>
void ApplyPredicate(const Pred& pred, bool exclude, std::span<const TComb> source,
                    TCombsArray& dest) {
    const size_t n = source.size();
    std::vector<uint64_t> bits((n + 63) / 64);
    size_t kept = 0;
    for (size_t w = 0; w < bits.size(); ++w) {
        const TComb* c = source.data() + w * 64;
        const size_t m = std::min<size_t>(64, n - w * 64);
        uint64_t keep = 0;
        for (size_t i = 0; i < m; ++i) keep |= static_cast<uint64_t>(pred(c[i]) != exclude) << i;
        bits[w] = keep;
        kept += BitCount(keep);
    }
    const size_t base = dest.size();
    dest.resize(base + kept);
    TComb* out = dest.data() + base;
    for (size_t w = 0; w < bits.size(); ++w) {
        const TComb* c = source.data() + w * 64;
        for (uint64_t keep = bits[w]; keep != 0; keep &= keep - 1)
            *out++ = c[std::countr_zero(keep)];
    }
}

// True when every combination of the list ascends within 1..20 (IsCanonicalComb).
bool AllCanonical(std::span<const TComb> combs);

// A filter whose test is a plain predicate on the combination.
template <typename Pred>
class TPredicateFilter : public TCombFilter {
  public:
    TPredicateFilter(Pred pred, bool exclude) : pred_(std::move(pred)), exclude_(exclude) {}
    void Apply(std::span<const TComb> source, TCombsArray& dest) const override {
        ApplyPredicate(pred_, exclude_, source, dest);
    }

  private:
    Pred pred_;
    bool exclude_;
};

// A filter whose fast test holds for canonical combinations only; any other goes through slow.
// A list that is canonical throughout, as generated lists and their narrowings are, is checked
// once up front instead of at every combination.
template <typename Fast, typename Slow>
class TCanonicalFilter : public TCombFilter {
  public:
    TCanonicalFilter(Fast fast, Slow slow, bool exclude)
        : fast_(std::move(fast)), slow_(std::move(slow)), exclude_(exclude) {}
    void Apply(std::span<const TComb> source, TCombsArray& dest) const override {
        if (AllCanonical(source)) return ApplyPredicate(fast_, exclude_, source, dest);
        ApplyPredicate([this](const TComb& c) { return IsCanonicalComb(c) ? fast_(c) : slow_(c); },
                       exclude_, source, dest);
    }

  private:
    Fast fast_;
    Slow slow_;
    bool exclude_;
};

template <typename Fast, typename Slow>
std::unique_ptr<TCombFilter> MakeCanonicalFilter(Fast fast, Slow slow, bool exclude) {
    return std::make_unique<TCanonicalFilter<Fast, Slow>>(std::move(fast), std::move(slow),
                                                          exclude);
}

template <typename Pred>
std::unique_ptr<TCombFilter> MakePredicateFilter(Pred pred, bool exclude) {
    return std::make_unique<TPredicateFilter<Pred>>(std::move(pred), exclude);
}

// A set of small integers 0..255 as a byte table, built from selected key components.
struct TByteSet {
    std::array<uint8_t, 256> hit{};
    bool Has(int v) const { return v >= 0 && v < 256 && hit[v] != 0; }
    // A whole packed key: only keys 0..255 can be in the set.
    bool HasKey(uint64_t packed) const { return packed < 256 && hit[packed] != 0; }
    void Add(int v) {
        if (v >= 0 && v < 256) hit[v] = 1;
    }
};
// The selected K1 components (or W1 with useW1) that lie in 0..255.
TByteSet SelectedBytes(std::span<const TStatDraw> selected, bool useW1 = false);

// The filter "some number (byte) of the combination is in the set".
std::unique_ptr<TCombFilter> AnyByteFilter(const TByteSet& set, bool exclude);

// A set of whole keys (all four components) with an open-addressing index.
class TKeySet {
  public:
    explicit TKeySet(std::span<const uint64_t> keys);
    bool HasKey(uint64_t packed) const {
        const size_t mask = slots_.size() - 1;
        for (size_t s = Slot(packed);; s = (s + 1) & mask) {
            if (!used_[s]) return false;
            if (slots_[s] == packed) return true;
        }
    }
    bool empty() const { return count_ == 0; }

  private:
    size_t Slot(uint64_t packed) const {
        return static_cast<size_t>((packed * 0x9E3779B97F4A7C15ull) >> shift_);
    }
    std::vector<uint64_t> slots_;
    std::vector<uint8_t> used_;
    int shift_ = 64;
    size_t count_ = 0;
};

// Packs up to four components as a key would hold them.
inline uint64_t PackComponents(int k1, int k2 = 0, int k3 = 0, int k4 = 0) {
    return uint64_t{static_cast<uint16_t>(k1)} | uint64_t{static_cast<uint16_t>(k2)} << 16 |
           uint64_t{static_cast<uint16_t>(k3)} << 32 | uint64_t{static_cast<uint16_t>(k4)} << 48;
}

}  // namespace zentrix
