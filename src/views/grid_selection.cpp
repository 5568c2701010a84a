#include "views/grid_selection.h"

#include <bitset>

#include "core/game.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

// Adds n once; the selection's text follows the order of first appearance.
void AddNumber(TViewSelection& selection, std::bitset<kMaxNumber + 1>& seen, int n) {
    if (n < 1 || n > kMaxNumber || seen.test(n)) return;
    seen.set(n);
    selection.numbers.push_back(n);
    if (!selection.text.empty()) selection.text += "; ";
    selection.text += std::to_string(n);
}

// "N" or "N-M" as an ascending pair.
std::pair<int, int> ParseSpan(const std::string& part, const std::string& whole) {
    const std::vector<std::string> ends = SplitAny(part, "-", true);
    std::optional<int32_t> a, b;
    if (ends.size() == 1) a = b = TryStrToInt(Trim(ends[0]));
    if (ends.size() == 2) {
        a = TryStrToInt(Trim(ends[0]));
        b = TryStrToInt(Trim(ends[1]));
    }
    if (!a || !b || *a > *b)
        throw EZentrix(
            Format("Неверное выделение \"%s\": ожидается СТОЛБЦЫ[:СТРОКИ], каждое N или "
                   "N-M по возрастанию, например 3-17:1-4",
                   {whole}));
    return {*a, *b};
}

}  // namespace

TViewSelection NumbersInCells(const TGridRange& range,
                              const std::function<std::string(int row, int column)>& cellText) {
    TViewSelection selection;
    std::bitset<kMaxNumber + 1> seen;
    for (int column = range.left; column <= range.right; ++column)
        for (int row = range.top; row <= range.bottom; ++row) {
            const std::string text = cellText(row, column);
            if (text.empty()) continue;
            for (const std::string& piece : SplitAny(text, ",", true)) {
                std::string bare;
                for (char c : piece)
                    if (c != '[' && c != ']') bare += c;
                if (auto n = TryStrToInt(Trim(bare))) AddNumber(selection, seen, *n);
            }
        }
    return selection;
}

TViewSelection NumbersOfColumns(const TGridRange& range) {
    TViewSelection selection;
    std::bitset<kMaxNumber + 1> seen;
    if (range.Empty()) return selection;
    for (int column = range.left; column <= range.right; ++column)
        AddNumber(selection, seen, column);
    return selection;
}

TGridRange ParseGridRange(const std::string& text, int firstRow, int lastRow) {
    const std::vector<std::string> parts = SplitAny(text, ":", true);
    if (parts.empty() || parts.size() > 2)
        throw EZentrix(Format("Неверное выделение \"%s\": ожидается СТОЛБЦЫ[:СТРОКИ]", {text}));
    const auto [left, right] = ParseSpan(parts[0], text);
    TGridRange range{left, firstRow, right, lastRow};
    if (parts.size() == 2) {
        const auto [top, bottom] = ParseSpan(parts[1], text);
        range.top = top;
        range.bottom = bottom;
    }
    return range;
}

}  // namespace zentrix
