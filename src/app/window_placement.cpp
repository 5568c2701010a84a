#include "app/window_placement.h"

#include <algorithm>
#include <cstdint>

#include "core/comb_text.h"
#include "util/format.h"

namespace zentrix {

namespace {

std::string FourInts(int a, int b, int c, int d) {
    return Format("%d,%d,%d,%d", {a, b, c, d});
}

std::string SizeSuffix(const TScreenInfo& s) {
    return Format("_%dx%d", {s.width, s.height});
}

}  // namespace

void WritePlacement(TIniFile& ini, const std::string& section, const TWindowPlacement& p,
                    const TScreenInfo& screen) {
    const std::string norm = FourInts(p.left, p.top, p.right, p.bottom);
    const std::string minMax = FourInts(-1, -1, -1, -1);
    ini.WriteInteger(section, "Flags", p.flags);
    ini.WriteInteger(section, "ShowCmd", p.showCmd);
    ini.WriteInteger(section, "PixelsPerInch", screen.pixelsPerInch);
    ini.WriteString(section, "MinMaxPos", minMax);
    ini.WriteString(section, "NormPos", norm);
    ini.WriteString(section, "MinMaxPos" + SizeSuffix(screen), minMax);
    ini.WriteString(section, "NormPos" + SizeSuffix(screen), norm);
}

std::optional<TWindowPlacement> ReadPlacement(const TIniFile& ini, const std::string& section,
                                              const TScreenInfo& screen) {
    if (ini.ReadInteger(section, "PixelsPerInch", -1) != screen.pixelsPerInch) return std::nullopt;
    std::string norm = ini.ReadString(section, "NormPos" + SizeSuffix(screen), "");
    if (norm.empty()) norm = ini.ReadString(section, "NormPos", "");
    TIntArray v = ParseIntList(norm);
    if (v.size() != 4 || v[2] <= v[0] || v[3] <= v[1]) return std::nullopt;
    TWindowPlacement p;
    p.flags = ini.ReadInteger(section, "Flags", 0);
    p.showCmd = ini.ReadInteger(section, "ShowCmd", 1);
    p.left = v[0];
    p.top = v[1];
    p.right = v[2];
    p.bottom = v[3];
    return p;
}

TWindowPlacement FitToScreens(TWindowPlacement p, const std::vector<TScreenRect>& screens) {
    if (screens.empty()) return p;
    // 64-bit: a damaged file may hold any 32-bit corner.
    auto overlap = [&p](const TScreenRect& s) {
        const int64_t w = std::min<int64_t>(p.right, int64_t(s.left) + s.width) -
                          std::max<int64_t>(p.left, s.left);
        const int64_t h = std::min<int64_t>(p.bottom, int64_t(s.top) + s.height) -
                          std::max<int64_t>(p.top, s.top);
        return w > 0 && h > 0 ? w * h : 0;
    };
    const TScreenRect* best = &screens.front();
    int64_t bestArea = overlap(*best);
    for (const TScreenRect& s : screens)
        if (const int64_t a = overlap(s); a > bestArea) {
            best = &s;
            bestArea = a;
        }
    const int64_t width =
        std::clamp<int64_t>(int64_t(p.right) - p.left, 1, std::max(1, best->width));
    const int64_t height =
        std::clamp<int64_t>(int64_t(p.bottom) - p.top, 1, std::max(1, best->height));
    const int64_t left = std::clamp<int64_t>(p.left, best->left, best->left + best->width - width);
    const int64_t top = std::clamp<int64_t>(p.top, best->top, best->top + best->height - height);
    p.left = static_cast<int>(left);
    p.top = static_cast<int>(top);
    p.right = static_cast<int>(left + width);
    p.bottom = static_cast<int>(top + height);
    return p;
}

int ReadColumnWidth(const TIniFile& ini, const std::string& section, const std::string& list,
                    int column, int fallback) {
    return ini.ReadInteger(section, Format("%s.Column%d", {list, column}), fallback);
}

void WriteColumnWidth(TIniFile& ini, const std::string& section, const std::string& list,
                      int column, int width) {
    ini.WriteInteger(section, Format("%s.Column%d", {list, column}), width);
}

std::optional<std::pair<int, int>> ReadSortType(const TIniFile& ini, const std::string& section,
                                                const std::string& list) {
    TIntArray v = ParseIntList(ini.ReadString(section, list + ".SortType", ""));
    if (v.size() != 2) return std::nullopt;
    return std::make_pair(v[0], v[1]);
}

void WriteSortType(TIniFile& ini, const std::string& section, const std::string& list, int column,
                   int direction) {
    ini.WriteString(section, list + ".SortType", Format("%d,%d", {column, direction}));
}

}  // namespace zentrix
