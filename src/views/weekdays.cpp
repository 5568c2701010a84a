#include "views/weekdays.h"

#include <algorithm>
#include <cmath>

#include "util/datetime.h"
#include "util/strings.h"
#include "views/layout_scheme.h"

namespace zentrix {

const std::array<const char*, kWeekDays>& WeekdayNames() {
    static const std::array<const char*, kWeekDays> names = {"Пн", "Вт", "Ср", "Чт",
                                                             "Пт", "Сб", "Вс"};
    return names;
}

std::optional<int> DrawWeekday(const TDraw& draw) {
    const std::string text = draw.DateText();
    if (Trim(text).empty()) return std::nullopt;
    try {
        // DayOfWeek: 1 = Sunday .. 7 = Saturday.
        return (DayOfWeek(ParseDateTime(text)) + 5) % kWeekDays + 1;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

TWeekTable BuildWeekTable(const TDrawsArray& draws, int offset, int length) {
    TWeekTable table;
    const TDrawWindow window = WindowEndingAtReference(draws, offset, length);
    for (int i = window.first; i <= window.last; ++i) {
        const std::optional<int> day = DrawWeekday(draws[i]);
        if (!day) {
            ++table.skipped;
            continue;
        }
        for (uint8_t n : draws[i].Numbers)
            if (n >= 1 && n <= kMaxNumber) {
                int& c = table.counts[n - 1][*day - 1];
                table.maxCount = std::max(table.maxCount, ++c);
            }
    }
    return table;
}

int TWeekTable::Count(int column, int row) const {
    if (column < 1 || column > kMaxNumber || row < 1 || row > kWeekDays) return 0;
    return counts[column - 1][row - 1];
}

std::string TWeekTable::Text(int row, int column) const {
    if (row == 0) return column >= 1 && column <= kMaxNumber ? std::to_string(column) : "";
    if (column == 0) return row >= 1 && row <= kWeekDays ? WeekdayNames()[row - 1] : "";
    const int c = Count(column, row);
    return c > 0 ? std::to_string(c) : std::string();
}

std::optional<TColor> TWeekTable::Color(int row, int column) const {
    const int c = Count(column, row);
    if (maxCount <= 0 || c <= 0) return std::nullopt;
    const auto gb = static_cast<uint8_t>(std::nearbyint(255 - 255.0 * c / maxCount));
    return TColor{255, gb, gb};
}

TTextTable TWeekTable::Table() const {
    TTextTable table;
    for (int c = 0; c < kColumns; ++c) table.headers.push_back(Text(0, c));
    table.alignments.assign(kColumns, TCellAlign::Center);
    table.alignments[0] = TCellAlign::Left;
    table.widths.assign(kColumns, 30);
    for (int r = 1; r < kRows; ++r) {
        std::vector<std::string> cells(kColumns);
        for (int c = 0; c < kColumns; ++c) cells[c] = Text(r, c);
        table.rows.push_back(std::move(cells));
    }
    return table;
}

TWeekChart WeekChartOf(const TWeekTable& table, int column, int row, bool numberOverDays,
                       bool line) {
    TWeekChart chart;
    chart.line = line;
    TChartSeries& s = chart.series;
    s.Color = {0, 128, 0};
    if (line) {
        s.Width = 2;
        s.Markers = true;
        s.MarkerSize = 2;
        s.MarkerColor = {255, 0, 255};
    }
    auto add = [&s](int x, int y, std::string label) {
        s.Points.push_back({static_cast<long double>(x), static_cast<long double>(y), label});
    };
    if (numberOverDays)
        for (int r = 1; r <= kWeekDays; ++r) add(r, table.Count(column, r), WeekdayNames()[r - 1]);
    else
        for (int c = 1; c <= kMaxNumber; ++c) add(c, table.Count(c, row), std::to_string(c));
    return chart;
}

}  // namespace zentrix
