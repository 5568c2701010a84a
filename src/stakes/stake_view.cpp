#include "stakes/stake_view.h"

#include "core/comb_text.h"
#include "util/format.h"

namespace zentrix {

const std::array<std::string, kStakeColumnCount>& StakeHeaders() {
    static const std::array<std::string, kStakeColumnCount> headers = {
        "№ тиража",   "Вид ставки", "Моя ставка", "Выборка",    "Результаты тиража",
        "Совпадений", "Совпадения", "Профит",     "Комментарий"};
    return headers;
}

std::optional<TColor> StakeKindColour(uint8_t kind) {
    switch (kind) {
        case kStakeManual:
            return TColor{234, 255, 234};
        case kStakeRegular:
            return TColor{255, 234, 234};
        case kStakeScenario:
            return TColor{234, 255, 255};
        case kStakeSystem:
            return TColor{252, 253, 217};
        default:
            return std::nullopt;
    }
}

std::vector<std::string> StakeCells(const TStakeRec& rec) {
    std::vector<std::string> cells(kStakeColumnCount);
    if (rec.Draw <= 0) return cells;
    cells[0] = std::to_string(rec.Draw);
    cells[1] = StakeKindName(rec.Kind);
    cells[2] = CountedNumbersText(rec.Numbers, ";");
    cells[3] = std::to_string(rec.Selection);
    if (rec.Checked) {
        cells[4] = NumbersText(rec.Result);
        cells[5] = std::to_string(rec.Matches());
        cells[6] = CountedNumbersText(rec.Matched, " ");
    }
    cells[7] = Format("%.2f", {static_cast<long double>(rec.Profit) / kCurrencyScale});
    cells[8] = rec.Comment;
    return cells;
}

std::vector<TNumberMark> StakeNumberMarks(const TStakeRec& rec, int column) {
    std::vector<TNumberMark> marks;
    if (rec.Draw <= 0) return marks;
    auto matched = [&rec](int n) {
        if (!rec.Checked) return false;
        for (int i = 0; i < rec.Matched.Count && i < kCombSize; ++i)
            if (rec.Matched.Numbers[i] == n) return true;
        return false;
    };
    if (column == kStakeNumbersColumn) {
        for (int i = 0; i < rec.Numbers.Count && i < kCombSize; ++i)
            marks.push_back({rec.Numbers.Numbers[i], matched(rec.Numbers.Numbers[i])});
    } else if (column == kStakeResultColumn && rec.Checked) {
        for (uint8_t n : rec.Result) marks.push_back({n, matched(n)});
    }
    return marks;
}

TTextTable StakesTableFrame() {
    TTextTable table;
    table.headers.assign(StakeHeaders().begin(), StakeHeaders().end());
    table.widths = {60, 60, 120, 60, 120, 60, 60, 60, 1000};
    table.alignments.assign(kStakeColumnCount, TCellAlign::Center);
    table.alignments[7] = TCellAlign::Right;
    table.alignments[8] = TCellAlign::Left;
    return table;
}

std::string StakesCountText(int64_t count) {
    return Format("Ставок: %d", {static_cast<long long>(count)});
}

}  // namespace zentrix
