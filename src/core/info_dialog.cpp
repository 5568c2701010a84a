#include "core/info_dialog.h"

#include <algorithm>

#include "core/config.h"

namespace zentrix {

std::vector<TInfoProperty> DrawInfoProperties(const TDraw& draw) {
    std::vector<TInfoProperty> props{{"Номер тиража:", std::to_string(draw.Number)}};
    const std::string date = draw.DateText();
    if (!date.empty()) props.push_back({"Дата тиража:", date});
    return props;
}

TInfoCard MakeInfoCard(const TComb& numbers, int cols, int channelSize) {
    TInfoCard card;
    card.cols = std::clamp(cols, kMatrixColsMin, kMatrixColsMax);
    card.rows = GroupCount(1, kMaxNumber, card.cols);
    card.cells.resize(static_cast<size_t>(card.cols * card.rows));
    for (int r = 0; r < card.rows; ++r)
        for (int c = 0; c < card.cols; ++c) {
            const int n = CellNumber(r, card.cols, c);
            if (n < 1 || n > kMaxNumber) continue;
            TInfoCardCell& cell = card.cells[r * card.cols + c];
            cell.number = n;
            cell.color = ChannelColor(n, channelSize);
        }
    for (uint8_t n : numbers) {
        if (n < 1 || n > kMaxNumber) continue;  // a combination read from a file may hold any byte
        const TCell at = CellOf(n, card.cols);
        card.cells[at.row * card.cols + at.col].text = std::to_string(n);
    }
    return card;
}

}  // namespace zentrix
