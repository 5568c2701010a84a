#pragma once

#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "core/config_data.h"
#include "stats/custom_stat.h"

namespace zentrix {

class TStatClass;

// The packed keys of the values of a combination, in the method's order.
using TCombKeysFn = std::function<void(const TComb&, std::vector<uint64_t>&)>;

// The values of one method for every combination, found once and read by the combination's
// rank: a filter over the full list then costs a table read per combination, whatever the
// method computes.
class TCombValueCache {
  public:
    // Null when the method has too many values per combination to be worth the memory.
    static std::unique_ptr<TCombValueCache> Build(const TCombKeysFn& keysOf);

    // Appends to dest the combinations of source that have one of the selected keys (none of
    // them with exclude). A combination outside the table (bytes not ascending within 1..20)
    // is judged by keysOf.
    void Apply(std::span<const TComb> source, std::span<const uint64_t> selected, bool exclude,
               const TCombKeysFn& keysOf, TCombsArray& dest) const;
    size_t Bytes() const;

  private:
    TCombValueCache() = default;
    template <typename W>
    void ApplyMasks(std::span<const TComb> source, std::span<const uint64_t> selected, bool exclude,
                    const TCombKeysFn& keysOf, TCombsArray& dest) const;
    void ApplySingles(std::span<const TComb> source, std::span<const uint64_t> selected,
                      bool exclude, const TCombKeysFn& keysOf, TCombsArray& dest) const;
    void ApplyPostings(std::span<const TComb> source, std::span<const uint64_t> selected,
                       bool exclude, const TCombKeysFn& keysOf, TCombsArray& dest) const;
    int KeyIndex(uint64_t key) const;

    std::vector<uint64_t> keys_;  // distinct keys, first seen first
    // Up to 64 keys: per combination a mask of its key positions, width_ bytes each.
    int width_ = 0;
    std::vector<uint64_t> masks_;
    // More keys and at most one value per combination: its key position, kNoKey for none.
    static constexpr uint16_t kNoKey = 0xFFFF;
    std::vector<uint16_t> singles_;
    // Otherwise per key the ranks of the combinations that have it, from postings_[first_[k]] to
    // postings_[first_[k + 1]]: a selection becomes a bit per rank.
    std::vector<uint32_t> first_;
    std::vector<uint32_t> postings_;
};

// The caches of a registry, one per method and configuration; a change of the configuration
// (channel size, matrix, segments) makes a method's cache be built again.
class TCombValueCaches {
  public:
    TCombValueCaches();
    ~TCombValueCaches();
    // A filter that reads the cache of method (cls, index) once the list is large enough to
    // pay for building it, and applies direct otherwise. keys are the selected keys as the
    // values compare them.
    std::unique_ptr<TCombFilter> MakeFilter(const TStatClass& cls, int index,
                                            const TConfigData& config, TCombKeysFn keysOf,
                                            std::vector<uint64_t> keys, bool exclude,
                                            std::unique_ptr<TCombFilter> direct);
    // Off, every filter is the direct one (the benchmarks compare both).
    void SetEnabled(bool enabled) { enabled_ = enabled; }

  private:
    struct TEntry;
    class TFilter;
    TEntry* Find(const TStatClass& cls, int index, const TConfigData& config);
    TEntry& Add(const TStatClass& cls, int index, const TConfigData& config,
                const TCombKeysFn& keysOf);
    std::vector<std::unique_ptr<TEntry>> entries_;
    bool enabled_ = true;
};

}  // namespace zentrix
