#include "views/repeats.h"

#include <algorithm>

#include "util/format.h"

namespace zentrix {

namespace {

// Dark enough to show on the chart's white background.
TColor RandomColor(std::mt19937& random) {
    std::uniform_int_distribution<int> channel(0, 200);
    return TColor{static_cast<uint8_t>(channel(random)), static_cast<uint8_t>(channel(random)),
                  static_cast<uint8_t>(channel(random))};
}

}  // namespace

const std::vector<std::string>& RepeatsColumns() {
    static const std::vector<std::string> columns{"Тираж", "Совпадений", "Кол-во повторов",
                                                  "Список тиражей"};
    return columns;
}

std::vector<std::string> RepeatsRowTexts(const TRepeatsRow& row) {
    return {std::to_string(row.Draw), std::to_string(row.Matches), std::to_string(row.Repeats),
            row.DrawList};
}

int RepeatsDrawCount(const TDrawsArray& draws, int length) {
    return std::min(static_cast<int>(draws.size()), std::max(0, length));
}

std::vector<TRepeatsRow> AnalyzeRepeats(const TDrawsArray& draws, int length, int depth,
                                        const std::function<void()>& step) {
    std::vector<TRepeatsRow> rows;
    const int a = static_cast<int>(draws.size()) - 1;
    const int b = a - RepeatsDrawCount(draws, length) + 1;
    for (int p = a; p >= b; --p) {
        const size_t start = rows.size();
        if (IsSoundDraw(draws[p])) {
            const int first = std::max(0, p - std::max(0, depth));
            for (int q = p - 1; q >= first; --q) {
                if (!IsSoundDraw(draws[q])) continue;
                const int k = CommonCount(draws[p], draws[q]);
                if (k <= 0) continue;
                auto row = std::find_if(rows.begin() + start, rows.end(),
                                        [k](const TRepeatsRow& r) { return r.Matches == k; });
                const std::string number = std::to_string(draws[q].Number);
                if (row != rows.end()) {
                    ++row->Repeats;
                    row->DrawList += " " + number;
                } else {
                    rows.push_back({draws[p].Number, k, 1, number});
                }
            }
        }
        if (step) step();
    }
    return rows;
}

std::vector<TChartSeries> RepeatsChart(const std::vector<TRepeatsRow>& rows, std::mt19937& random,
                                       const std::function<void()>& step) {
    int largest = 0;
    for (const TRepeatsRow& r : rows) largest = std::max(largest, r.Matches);
    std::vector<TChartSeries> series;
    for (int k = 1; k <= largest; ++k) {
        TChartSeries s;
        s.Title = Format("Совпадений: %d", {k});
        s.Color = RandomColor(random);
        s.Markers = true;
        s.MarkerSize = 2;
        s.MarkerColor = RandomColor(random);
        series.push_back(std::move(s));
    }
    for (auto r = rows.rbegin(); r != rows.rend(); ++r) {
        series[r->Matches - 1].Points.push_back({static_cast<long double>(r->Draw),
                                                 static_cast<long double>(r->Repeats),
                                                 std::to_string(r->Draw)});
        if (step) step();
    }
    return series;
}

}  // namespace zentrix
