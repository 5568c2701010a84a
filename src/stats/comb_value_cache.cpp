#include "stats/comb_value_cache.h"

#include <algorithm>
#include <cstring>

#include "core/comb_rank.h"
#include "core/enumerate.h"
#include "stats/comb_filter.h"

namespace zentrix {

namespace {

// More values than this per combination on average are not kept: the lists would cost more
// memory, and building them more time, than the filter saves. The first combinations tell.
constexpr size_t kMaxValuesPerComb = 32;
constexpr size_t kSampleCombs = 1024;
constexpr size_t kMaxListEntries = kMaxValuesPerComb * kCombCount;
// The caches of one registry stay below this; past it the oldest go.
constexpr size_t kMaxCacheBytes = size_t{256} << 20;
// A list this long pays for building the cache at once.
constexpr size_t kBuildFromSize = kCombCount / 8;

// Key -> position while the cache is built: open addressing, doubled when half full.
class TKeyPositions {
  public:
    TKeyPositions() : slots_(64, kFree) {}
    uint32_t Find(uint64_t key, std::vector<uint64_t>& keys) {
        const size_t mask = slots_.size() - 1;
        for (size_t s = Slot(key, mask);; s = (s + 1) & mask) {
            if (slots_[s] == kFree) {
                slots_[s] = static_cast<uint32_t>(keys.size());
                keys.push_back(key);
                if (keys.size() * 2 > slots_.size()) Grow(keys);
                return static_cast<uint32_t>(keys.size() - 1);
            }
            if (keys[slots_[s]] == key) return slots_[s];
        }
    }

  private:
    static constexpr uint32_t kFree = ~uint32_t{0};
    static size_t Slot(uint64_t key, size_t mask) {
        return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 40) & mask;
    }
    void Grow(const std::vector<uint64_t>& keys) {
        slots_.assign(slots_.size() * 2, kFree);
        const size_t mask = slots_.size() - 1;
        for (uint32_t i = 0; i < keys.size(); ++i) {
            size_t s = Slot(keys[i], mask);
            while (slots_[s] != kFree) s = (s + 1) & mask;
            slots_[s] = i;
        }
    }
    std::vector<uint32_t> slots_;
};

bool HasSelectedKey(const TComb& c, std::span<const uint64_t> selected, const TCombKeysFn& keysOf) {
    thread_local std::vector<uint64_t> keys;
    keys.clear();
    keysOf(c, keys);
    for (uint64_t k : keys)
        if (std::find(selected.begin(), selected.end(), k) != selected.end()) return true;
    return false;
}

}  // namespace

std::unique_ptr<TCombValueCache> TCombValueCache::Build(const TCombKeysFn& keysOf) {
    std::unique_ptr<TCombValueCache> cache(new TCombValueCache);
    TKeyPositions positions;
    // The key positions of the combination of rank r, from lists[offsets[r]] to
    // lists[offsets[r + 1]].
    std::vector<uint16_t> lists;
    std::vector<uint64_t> keys;
    std::vector<uint32_t> offsets(kCombCount + 1, 0);
    const TCombsArray& all = AllCombs();
    for (size_t rank = 0; rank < all.size(); ++rank) {
        keys.clear();
        keysOf(all[rank], keys);
        for (uint64_t key : keys) {
            const uint32_t p = positions.Find(key, cache->keys_);
            if (p >= kNoKey) return nullptr;
            lists.push_back(static_cast<uint16_t>(p));
        }
        offsets[rank + 1] = static_cast<uint32_t>(lists.size());
        if (rank + 1 == kSampleCombs && lists.size() > kMaxValuesPerComb * kSampleCombs)
            return nullptr;
    }
    const size_t keyCount = cache->keys_.size();
    if (keyCount <= 64) {
        cache->width_ = keyCount <= 8 ? 1 : keyCount <= 16 ? 2 : keyCount <= 32 ? 4 : 8;
        const size_t bytes = size_t{kCombCount} * cache->width_;
        cache->masks_.assign((bytes + 7) / 8, 0);
        auto* out = reinterpret_cast<uint8_t*>(cache->masks_.data());
        for (int r = 0; r < kCombCount; ++r) {
            uint64_t m = 0;
            for (uint32_t j = offsets[r]; j < offsets[r + 1]; ++j) m |= uint64_t{1} << lists[j];
            std::memcpy(out + size_t(r) * cache->width_, &m, cache->width_);  // little-endian
        }
        return cache;
    }
    bool single = true;
    for (int r = 0; r < kCombCount && single; ++r) single = offsets[r + 1] - offsets[r] <= 1;
    if (single) {
        cache->singles_.assign(kCombCount, kNoKey);
        for (int r = 0; r < kCombCount; ++r)
            if (offsets[r + 1] > offsets[r]) cache->singles_[r] = lists[offsets[r]];
        return cache;
    }
    if (lists.size() > kMaxListEntries) return nullptr;
    cache->first_.assign(keyCount + 1, 0);
    for (uint16_t p : lists) ++cache->first_[p + 1];
    for (size_t k = 0; k < keyCount; ++k) cache->first_[k + 1] += cache->first_[k];
    cache->postings_.resize(lists.size());
    std::vector<uint32_t> fill(cache->first_.begin(), cache->first_.end() - 1);
    for (int r = 0; r < kCombCount; ++r)
        for (uint32_t j = offsets[r]; j < offsets[r + 1]; ++j)
            cache->postings_[fill[lists[j]]++] = r;
    return cache;
}

size_t TCombValueCache::Bytes() const {
    return masks_.size() * 8 + singles_.size() * 2 + first_.size() * 4 + postings_.size() * 4 +
           keys_.size() * 8;
}

int TCombValueCache::KeyIndex(uint64_t key) const {
    const auto it = std::find(keys_.begin(), keys_.end(), key);
    return it == keys_.end() ? -1 : static_cast<int>(it - keys_.begin());
}

namespace {

// Keeps (or with exclude removes) the combinations whose rank passes test. The full list in its
// own order needs no rank: a combination's position is its rank.
template <typename Test>
void ApplyByRank(std::span<const TComb> source, bool exclude, Test test,
                 std::span<const uint64_t> selected, const TCombKeysFn& keysOf, TCombsArray& dest) {
    const TCombsArray& all = AllCombs();
    if (source.size() == all.size() &&
        std::memcmp(source.data(), all.data(), all.size() * sizeof(TComb)) == 0) {
        const TComb* base = source.data();
        auto hit = [&](const TComb& c) { return test(static_cast<size_t>(&c - base)); };
        TPredicateFilter<decltype(hit)>(hit, exclude).Apply(source, dest);
        return;
    }
    auto hit = [&](const TComb& c) {
        const int r = CombRank(c);
        return r >= 0 ? test(static_cast<size_t>(r)) : HasSelectedKey(c, selected, keysOf);
    };
    TPredicateFilter<decltype(hit)>(hit, exclude).Apply(source, dest);
}

}  // namespace

template <typename W>
void TCombValueCache::ApplyMasks(std::span<const TComb> source, std::span<const uint64_t> selected,
                                 bool exclude, const TCombKeysFn& keysOf, TCombsArray& dest) const {
    W want = 0;
    for (uint64_t key : selected)
        if (const int i = KeyIndex(key); i >= 0) want |= static_cast<W>(W{1} << i);
    const W* masks = reinterpret_cast<const W*>(masks_.data());
    ApplyByRank(
        source, exclude, [&](size_t r) { return (masks[r] & want) != 0; }, selected, keysOf, dest);
}

void TCombValueCache::ApplySingles(std::span<const TComb> source,
                                   std::span<const uint64_t> selected, bool exclude,
                                   const TCombKeysFn& keysOf, TCombsArray& dest) const {
    std::vector<uint8_t> want(size_t{kNoKey} + 1, 0);
    for (uint64_t key : selected)
        if (const int i = KeyIndex(key); i >= 0) want[i] = 1;
    ApplyByRank(
        source, exclude, [&](size_t r) { return want[singles_[r]] != 0; }, selected, keysOf, dest);
}

void TCombValueCache::ApplyPostings(std::span<const TComb> source,
                                    std::span<const uint64_t> selected, bool exclude,
                                    const TCombKeysFn& keysOf, TCombsArray& dest) const {
    std::vector<uint64_t> bits((kCombCount + 63) / 64, 0);
    for (uint64_t key : selected)
        if (const int k = KeyIndex(key); k >= 0)
            for (uint32_t j = first_[k]; j < first_[k + 1]; ++j)
                bits[postings_[j] >> 6] |= uint64_t{1} << (postings_[j] & 63);
    ApplyByRank(
        source, exclude, [&](size_t r) { return (bits[r >> 6] >> (r & 63) & 1) != 0; }, selected,
        keysOf, dest);
}

void TCombValueCache::Apply(std::span<const TComb> source, std::span<const uint64_t> selected,
                            bool exclude, const TCombKeysFn& keysOf, TCombsArray& dest) const {
    switch (width_) {
        case 1:
            return ApplyMasks<uint8_t>(source, selected, exclude, keysOf, dest);
        case 2:
            return ApplyMasks<uint16_t>(source, selected, exclude, keysOf, dest);
        case 4:
            return ApplyMasks<uint32_t>(source, selected, exclude, keysOf, dest);
        case 8:
            return ApplyMasks<uint64_t>(source, selected, exclude, keysOf, dest);
        default:
            if (!singles_.empty()) return ApplySingles(source, selected, exclude, keysOf, dest);
            return ApplyPostings(source, selected, exclude, keysOf, dest);
    }
}

struct TCombValueCaches::TEntry {
    const TStatClass* cls = nullptr;
    int index = 0;
    TConfigData config;
    std::unique_ptr<TCombValueCache> cache;  // null: not worth keeping
};

class TCombValueCaches::TFilter : public TCombFilter {
  public:
    TFilter(TCombValueCaches& caches, const TStatClass& cls, int index, const TConfigData& config,
            TCombKeysFn keysOf, std::vector<uint64_t> keys, bool exclude,
            std::unique_ptr<TCombFilter> direct)
        : caches_(caches),
          cls_(cls),
          index_(index),
          config_(config),
          keysOf_(std::move(keysOf)),
          keys_(std::move(keys)),
          exclude_(exclude),
          direct_(std::move(direct)) {}

    void Apply(std::span<const TComb> source, TCombsArray& dest) const override {
        TEntry* entry = caches_.Find(cls_, index_, config_);
        if (!entry && source.size() >= kBuildFromSize)
            entry = &caches_.Add(cls_, index_, config_, keysOf_);
        if (entry && entry->cache)
            entry->cache->Apply(source, keys_, exclude_, keysOf_, dest);
        else
            direct_->Apply(source, dest);
    }

  private:
    TCombValueCaches& caches_;
    const TStatClass& cls_;
    const int index_;
    const TConfigData& config_;
    const TCombKeysFn keysOf_;
    const std::vector<uint64_t> keys_;
    const bool exclude_;
    const std::unique_ptr<TCombFilter> direct_;
};

TCombValueCaches::TCombValueCaches() = default;
TCombValueCaches::~TCombValueCaches() = default;

TCombValueCaches::TEntry* TCombValueCaches::Find(const TStatClass& cls, int index,
                                                 const TConfigData& config) {
    for (auto& e : entries_)
        if (e->cls == &cls && e->index == index && e->config == config) return e.get();
    return nullptr;
}

TCombValueCaches::TEntry& TCombValueCaches::Add(const TStatClass& cls, int index,
                                                const TConfigData& config,
                                                const TCombKeysFn& keysOf) {
    // A cache of another configuration of the same method will not be read again.
    std::erase_if(entries_, [&](const std::unique_ptr<TEntry>& e) {
        return e->cls == &cls && e->index == index;
    });
    auto entry = std::make_unique<TEntry>();
    entry->cls = &cls;
    entry->index = index;
    entry->config = config;
    entry->cache = TCombValueCache::Build(keysOf);
    auto bytes = [](const std::unique_ptr<TEntry>& e) { return e->cache ? e->cache->Bytes() : 0; };
    size_t total = bytes(entry);
    for (const auto& e : entries_) total += bytes(e);
    while (!entries_.empty() && total > kMaxCacheBytes) {
        total -= bytes(entries_.front());
        entries_.erase(entries_.begin());
    }
    entries_.push_back(std::move(entry));
    return *entries_.back();
}

std::unique_ptr<TCombFilter> TCombValueCaches::MakeFilter(const TStatClass& cls, int index,
                                                          const TConfigData& config,
                                                          TCombKeysFn keysOf,
                                                          std::vector<uint64_t> keys, bool exclude,
                                                          std::unique_ptr<TCombFilter> direct) {
    if (!enabled_) return direct;
    return std::make_unique<TFilter>(*this, cls, index, config, std::move(keysOf), std::move(keys),
                                     exclude, std::move(direct));
}

}  // namespace zentrix
