#include "core/draw.h"

#include <algorithm>

#include "util/binary.h"
#include "util/cp1251.h"
#include "util/strings.h"

namespace zentrix {

std::string TDraw::DateText() const {
    size_t len = std::min<size_t>(DateField[0], DateField.size() - 1);
    return Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(DateField.data() + 1), len));
}

void TDraw::SetDateText(std::string_view text) {
    std::string bytes = Utf8ToCp1251(Utf8Left(text, DateField.size() - 1));
    DateField.fill(0);
    DateField[0] = static_cast<uint8_t>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), DateField.begin() + 1);
}

void WriteDrawRecord(std::string& out, const TDraw& draw) {
    TByteWriter w(out);
    w.I32(draw.Number);
    for (uint8_t n : draw.Numbers) w.U8(n);
    w.U8(draw.Extra);
    for (uint8_t b : draw.DateField) w.U8(b);
}

TDraw ReadDrawRecord(std::string_view record) {
    TByteReader r(record);
    TDraw d;
    d.Number = r.I32();
    for (uint8_t& n : d.Numbers) n = r.U8();
    d.Extra = r.U8();
    for (uint8_t& b : d.DateField) b = r.U8();
    return d;
}

bool IsSoundDraw(const TDraw& draw) {
    uint32_t seen = 0;
    for (uint8_t n : draw.Numbers) {
        if (n < 1 || n > kMaxNumber || (seen & (1u << n))) return false;
        seen |= 1u << n;
    }
    return draw.Extra <= kExtraMax;
}

bool InDraw(int n, const TDraw& draw) {
    return InComb(n, draw.Numbers);
}

bool GroupInDraw(int group, const TDraw& draw, int size) {
    for (uint8_t x : draw.Numbers)
        if (CeilDiv(x, size) == group) return true;
    return false;
}

bool MappedInDraw(int value, const TDraw& draw, const std::array<uint8_t, kMaxNumber>& map) {
    for (uint8_t x : draw.Numbers)
        if (x >= 1 && x <= kMaxNumber && map[x - 1] == value) return true;
    return false;
}

int CommonCount(const TDraw& draw, const TComb& comb) {
    int count = 0;
    for (uint8_t a : draw.Numbers)
        for (uint8_t b : comb) count += a == b;
    return count;
}

int CommonCount(const TDraw& a, const TDraw& b) {
    return CommonCount(a, b.Numbers);
}

TCountedNumbers IntersectNumbers(const TDraw& draw, const TCountedNumbers& set) {
    TCountedNumbers r;
    int used = std::clamp(set.Count, 0, kCombSize);
    for (uint8_t x : draw.Numbers)
        if (std::find(set.Numbers.begin(), set.Numbers.begin() + used, x) !=
            set.Numbers.begin() + used)
            r.Numbers[r.Count++] = x;
    SortCountedNumbers(r);
    return r;
}

void SortDrawNumbers(TDraw& draw) {
    SortComb(draw.Numbers);
}

}  // namespace zentrix
