#pragma once

#include <array>
#include <optional>

namespace zentrix {

// What a view was last built from (archive length, offset, window length, ...). A view rebuilds
// only while it is visible, and then when forced or when its inputs differ from the last build;
// an unforced call after an unrelated change does nothing.
template <size_t N>
class TViewCacheKey {
  public:
    using TKey = std::array<int, N>;

    // True when the view must rebuild now; the key is then remembered as built.
    bool NeedsRebuild(bool visible, bool force, const TKey& key) {
        if (!visible) return false;
        if (!force && last_ == key) return false;
        last_ = key;
        return true;
    }
    // The next visible call rebuilds whatever the key.
    void Reset() { last_.reset(); }
    bool Built() const { return last_.has_value(); }

  private:
    std::optional<TKey> last_;
};

}  // namespace zentrix
