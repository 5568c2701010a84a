#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "util/ini.h"

namespace zentrix {

// A window's placement as the window settings file keeps it: Flags, ShowCmd (1 normal,
// 2 minimized, 3 maximized), PixelsPerInch, MinMaxPos and NormPos ("%d,%d,%d,%d"), and the same
// two positions per screen size (MinMaxPos_%dx%d, NormPos_%dx%d).
struct TWindowPlacement {
    int flags = 0;
    int showCmd = 1;
    int left = 0, top = 0, right = 0, bottom = 0;  // the normal (restored) frame
    bool operator==(const TWindowPlacement&) const = default;
};

struct TScreenInfo {
    int width = 0;
    int height = 0;
    int pixelsPerInch = 96;
};

void WritePlacement(TIniFile& ini, const std::string& section, const TWindowPlacement& placement,
                    const TScreenInfo& screen);
// Nothing when the section holds no placement or was written at another pixel density. The
// position stored for this screen size wins over the general one.
std::optional<TWindowPlacement> ReadPlacement(const TIniFile& ini, const std::string& section,
                                              const TScreenInfo& screen);

// The area of one screen a window may use (without task bars).
struct TScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The placement made to fit a screen: the screen it overlaps most (the first, the primary one,
// when it overlaps none), no larger than that screen and moved to lie inside it. A stored size or
// position from another screen layout (or a damaged file) then never opens a window off every
// screen or larger than any.
TWindowPlacement FitToScreens(TWindowPlacement placement, const std::vector<TScreenRect>& screens);

// List columns: "<list>.Column<i>" widths and "<list>.SortType" = "column,direction".
int ReadColumnWidth(const TIniFile& ini, const std::string& section, const std::string& list,
                    int column, int fallback);
void WriteColumnWidth(TIniFile& ini, const std::string& section, const std::string& list,
                      int column, int width);
std::optional<std::pair<int, int>> ReadSortType(const TIniFile& ini, const std::string& section,
                                                const std::string& list);
void WriteSortType(TIniFile& ini, const std::string& section, const std::string& list, int column,
                   int direction);

}  // namespace zentrix
