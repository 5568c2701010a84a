#include "core/comb_list.h"

#include <algorithm>

#include "core/comb_rank.h"
#include "core/comb_text.h"
#include "core/enumerate.h"
#include "util/bits.h"
#include "util/strings.h"

namespace zentrix {

const char* const kGenerateModeNames[kGenerateModes] = {
    "Полный список (все возможные для данного лото варианты)",
    "Мои числа - должно присутствовать любое из указанных",
    "Мои числа - комбинации только из списка указанных",
    "Мои числа - исключить комбинации с любым из указанных",
    "Загрузить список из заранее подготовленного файла комбинаций (*.lcv)",
};

std::bitset<256> GenerateNumberSet(std::string_view parameter) {
    std::bitset<256> set;
    for (const std::string& word : SplitAny(parameter, ",;")) {
        int32_t v = StrToIntDef(Trim(word), 0);
        if (v >= 0 && v <= 255) set.set(static_cast<size_t>(v));
    }
    return set;
}

void GenerateFromNumbers(int mode, std::string_view parameter, TCombsArray& out) {
    out.clear();
    if (mode < 1 || mode > 3) {
        out = AllCombs();
        return;
    }
    const std::bitset<256> set = GenerateNumberSet(parameter);
    auto inSet = [&set](const TComb& c) {
        int count = 0;
        for (uint8_t n : c) count += set.test(n);
        return count;
    };
    switch (mode) {
        case 1:
            EnumerateCombs([&](const TComb& c) { return inSet(c) > 0; }, out);
            break;
        case 2:
            EnumerateCombs([&](const TComb& c) { return inSet(c) == kCombSize; }, out);
            break;
        default:
            EnumerateCombs([&](const TComb& c) { return inSet(c) == 0; }, out);
            break;
    }
}

uint32_t CombMask(const TComb& numbers) {
    uint32_t mask = 0;
    for (uint8_t n : numbers) {
        if (n < 1 || n > kMaxNumber) return 0;
        mask |= 1u << (n - 1);
    }
    return BitCount(mask) == kCombSize ? mask : 0;
}

TDrawnSet::TDrawnSet(const TDrawsArray& draws, int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, static_cast<int>(draws.size()) - 1);
    if (first > last) return;
    begin_ = draws.data() + first;
    end_ = draws.data() + last + 1;
    bits_.assign((size_t{1} << kMaxNumber) / 64, 0);
    for (const TDraw* d = begin_; d != end_; ++d) {
        if (uint32_t mask = CombMask(d->Numbers))
            bits_[mask >> 6] |= uint64_t{1} << (mask & 63);
        else
            odd_.push_back(d);
    }
}

bool TDrawnSet::Contains(const TComb& comb) const {
    if (begin_ == end_) return false;
    if (uint32_t mask = CombMask(comb)) {
        // Distinct numbers on both sides: the pair count is 8 exactly when the masks are equal.
        if (bits_[mask >> 6] & (uint64_t{1} << (mask & 63))) return true;
        for (const TDraw* d : odd_)
            if (CommonCount(*d, comb) == kCombSize) return true;
        return false;
    }
    // Repeated or out-of-range bytes can still give 8 pairs: count them against every draw.
    for (const TDraw* d = begin_; d != end_; ++d)
        if (CommonCount(*d, comb) == kCombSize) return true;
    return false;
}

namespace {

// Byte 1 most significant: the words compare as the combinations do.
uint64_t OrderWord(const TComb& c) {
    return __builtin_bswap64(CombWord(c));
}

bool IsCanonicalList(std::span<const TComb> list) {
    bool ok = true;
    uint64_t previous = 0;
    for (const TComb& c : list) {
        const uint64_t w = OrderWord(c);
        ok &= IsCanonicalComb(c) & (w > previous);
        previous = w;
    }
    return ok;
}

}  // namespace

bool TDrawnSet::PositionsIn(std::span<const TComb> list, std::vector<size_t>& positions) const {
    positions.clear();
    if (!odd_.empty() || !IsCanonicalList(list)) return false;
    for (const TDraw* d = begin_; d != end_; ++d) {
        TComb numbers = d->Numbers;
        std::sort(numbers.begin(), numbers.end());
        const auto at = std::lower_bound(list.begin(), list.end(), numbers);
        if (at != list.end() && *at == numbers) positions.push_back(at - list.begin());
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return true;
}

std::vector<std::string> FindCombInDraws(const TDrawsArray& draws, const TComb& comb) {
    std::vector<std::string> lines;
    for (auto d = draws.rbegin(); d != draws.rend(); ++d) {
        if (CommonCount(*d, comb) != kCombSize) continue;
        lines.push_back(DrawText(*d));
        if (static_cast<int>(lines.size()) > kSearchLinesMax) break;
    }
    return lines;
}

}  // namespace zentrix
