#pragma once

#include <memory>
#include <span>
#include <vector>

#include "stats/comb_filter.h"
#include "stats/custom_stat.h"

namespace zentrix {

// Gives class Self its descriptor (from Self::Describe() and its type) and StatClass().
template <typename Self, typename Base>
class TDescribedStat : public Base {
  public:
    using Base::Base;
    static const TStatClass& Class() {
        static const TStatClass c = MakeStatClass<Self>();
        return c;
    }
    const TStatClass& StatClass() const override { return Class(); }
};

// Where a method puts the values of a set of numbers. A call returns true once the caller has
// what it needs (a filter found a selected value); a method with many values may stop then.
template <typename F>
class TValueSink {
  public:
    explicit TValueSink(F f) : f_(std::move(f)) {}
    bool K1(int k1) { return f_(PackComponents(k1)); }
    bool W1(int32_t w1) { return f_(uint64_t{static_cast<uint32_t>(w1)}); }
    bool Key(uint64_t packed) { return f_(packed); }

  private:
    F f_;
};

// A method whose values are computed from a set of eight numbers alone. A selected record
// matches a value on the key components Self::kKeyMask covers (set by the label bases). Self
// defines
//     void Values(const TComb& numbers, auto& out) const;  (or with const TStatContext& second)
// and, when it lists possible values, void PossibleValues(auto& out) const. The values of a
// combination, of a draw (sorted on request, the reference draw loaded for flag D), the filter
// test and the prepared filter all follow from it. Families whose values depend on earlier
// draws override DoAddDrawValues.
template <typename Self, typename Base>
class TSetValuesStat : public TDescribedStat<Self, Base> {
  public:
    using TDescribedStat<Self, Base>::TDescribedStat;

  protected:
    // Values that read nothing but the numbers are the same for a combination every time: the
    // filter may read them from the registry's cache.
    static constexpr bool kValuesOfNumbersAlone =
        requires(const Self& self, const TComb& numbers, TValueSink<bool (*)(uint64_t)>& out) {
        self.Values(numbers, out);
    };

    template <typename F>
    void EachValue(const TComb& numbers, const TStatContext& ctx, F f) const {
        TValueSink<F> out(std::move(f));
        const Self& self = static_cast<const Self&>(*this);
        if constexpr (requires { self.Values(numbers, ctx, out); })
            self.Values(numbers, ctx, out);
        else
            self.Values(numbers, out);
    }

    void DoListPossibleValues(const TStatContext& ctx, TStatDrawArray& values) override {
        if constexpr (requires(TValueSink<bool (*)(uint64_t)> & out) {
                          static_cast<const Self&>(*this).PossibleValues(out);
                      }) {
            auto add = [&](uint64_t key) {
                this->AddPacked(values, key, false);
                return false;
            };
            TValueSink<decltype(add)> out(add);
            static_cast<const Self&>(*this).PossibleValues(out);
        } else {
            Base::DoListPossibleValues(ctx, values);
        }
    }
    // Combination values feed the full-set distribution, which only flag N has.
    void DoAddCombValues(const TComb& comb, const TStatContext& ctx,
                         TStatDrawArray& values) override {
        if (!this->StatClass().HasNorm()) return;
        EachValue(comb, ctx, [&](uint64_t key) {
            this->AddPacked(values, key, false);
            return false;
        });
    }
    void DoAddDrawValues(const TStatContext& ctx, TStatDrawArray& values, TScanState&) override {
        EachValue(ctx.Draw->Numbers, ctx, [&](uint64_t key) {
            this->AddPacked(values, key, true);
            return false;
        });
    }
    bool DoFilterTest(const TComb& comb, std::span<const TStatDraw> selected,
                      const TStatContext& ctx) const override {
        bool hit = false;
        EachValue(comb, ctx, [&](uint64_t key) {
            for (const TStatDraw& r : selected)
                if ((r.Key.Packed() & Self::kKeyMask) == key) hit = true;
            return hit;
        });
        return hit;
    }
    // A selection of values 0..255 alone becomes a byte table, any other a hash set.
    std::unique_ptr<TCombFilter> DoPrepareFilter(std::span<const TStatDraw> selected,
                                                 const TStatContext& ctx) const override {
        std::vector<uint64_t> keys;
        keys.reserve(selected.size());
        bool small = true;
        for (const TStatDraw& r : selected) {
            keys.push_back(r.Key.Packed() & Self::kKeyMask);
            small = small && keys.back() < 256;
        }
        if (small) {
            TByteSet set;
            for (uint64_t key : keys) set.Add(static_cast<int>(key));
            return MakeSetFilter(set, ctx);
        }
        return MakeSetFilter(TKeySet(keys), ctx);
    }
    uint64_t CachedValuesKeyMask() const override {
        return kValuesOfNumbersAlone ? Self::kKeyMask : 0;
    }
    void CollectValues(const TComb& numbers, const TStatContext& ctx,
                       std::vector<uint64_t>& keys) const override {
        EachValue(numbers, ctx, [&](uint64_t key) {
            keys.push_back(key);
            return false;
        });
    }

  private:
    template <typename Set>
    std::unique_ptr<TCombFilter> MakeSetFilter(Set set, const TStatContext& ctx) const {
        return MakePredicateFilter(
            [self = this, set = std::move(set), ctx](const TComb& c) {
                bool hit = false;
                self->EachValue(c, ctx, [&](uint64_t key) { return hit = hit || set.HasKey(key); });
                return hit;
            },
            ctx.Exclude);
    }
};

}  // namespace zentrix
