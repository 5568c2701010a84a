#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/draw.h"
#include "core/palette.h"

namespace zentrix {

// The information dialog "Подробная информация" of a draw or a combination: a property list and
// a number card.
inline constexpr const char* kInfoDialogTitle = "Подробная информация";

struct TInfoProperty {
    std::string name;
    std::string value;
    bool operator==(const TInfoProperty&) const = default;
};

// "Номер тиража:" and "Дата тиража:" (the date left out when empty). A combination has neither;
// the statistic rows follow them.
std::vector<TInfoProperty> DrawInfoProperties(const TDraw& draw);

struct TInfoCardCell {
    int number = 0;               // 0: the cell lies beyond 20
    std::optional<TColor> color;  // the channel colour of a real number
    std::string text;             // the number when it is one of the 8
};

// The number card: `cols` columns (1..20), GroupCount(1, 20, cols) rows.
struct TInfoCard {
    int cols = 0;
    int rows = 0;
    std::vector<TInfoCardCell> cells;  // row by row
    const TInfoCardCell& At(int row, int col) const { return cells[row * cols + col]; }
};
TInfoCard MakeInfoCard(const TComb& numbers, int cols, int channelSize);

}  // namespace zentrix
