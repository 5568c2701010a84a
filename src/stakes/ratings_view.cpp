#include "stakes/ratings_view.h"

#include "core/game.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"
#include "util/rounding.h"

namespace zentrix {

namespace {

std::string Money(long double valueTimes10000) {
    return Format("%.2f", {valueTimes10000 / kCurrencyScale});
}

std::string Average(const TRatingRec& row) {
    return row.Stakes == 0 ? std::string()
                           : Format("%.3f", {static_cast<long double>(row.Matches) / row.Stakes});
}

std::string AverageProfit(const TRatingRec& row) {
    if (row.Stakes == 0) return {};
    return Money(
        static_cast<long double>(RoundHalfEven(static_cast<long double>(row.Profit) / row.Stakes)));
}

std::string Effectiveness(const TRatingRec& row, int i, TEffMode mode) {
    if (row.Stakes == 0) return {};
    const long double s = row.Stakes;
    const long double p = MatchTables().probabilities[i];
    switch (mode) {
        case TEffMode::Expected:
            return std::to_string(RoundHalfEven(s * p));
        case TEffMode::Absolute:
            return Format("%.3f%%", {row.Histogram[i] * 100.0L / s - p * 100});
        case TEffMode::Relative:
            return Format("%.3f%%", {row.Histogram[i] * 100.0L / (s * p)});
    }
    return {};
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace

const std::array<std::string, kRatingColumnCount>& RatingHeaders() {
    static const std::array<std::string, kRatingColumnCount> headers = [] {
        std::array<std::string, kRatingColumnCount> h = {"Комментарий", "Ставок", "Совпало",
                                                         "Среднее",     "Профит", "Ср. профит"};
        for (int i = 0; i <= kCombSize; ++i) {
            h[6 + i] = std::to_string(i);
            h[15 + i] = "E" + std::to_string(i);
        }
        return h;
    }();
    return headers;
}

std::vector<std::string> RatingCells(const TRatingRec& row, TEffMode mode) {
    try {
        std::vector<std::string> cells = {
            row.Comment,  std::to_string(row.Stakes), std::to_string(row.Matches),
            Average(row), Money(row.Profit),          AverageProfit(row)};
        for (int32_t count : row.Histogram) cells.push_back(std::to_string(count));
        for (int i = 0; i <= kCombSize; ++i) cells.push_back(Effectiveness(row, i, mode));
        return cells;
    } catch (const EZentrix&) {
        std::vector<std::string> cells(kRatingColumnCount);
        cells[0] = kBadRatingRow;
        return cells;
    }
}

TTextTable RatingsTable(const TRatingsArray& ratings, TEffMode mode) {
    TTextTable table;
    table.headers.assign(RatingHeaders().begin(), RatingHeaders().end());
    table.alignments.assign(kRatingColumnCount, TCellAlign::Right);
    table.alignments[0] = TCellAlign::Left;
    table.widths.assign(kRatingColumnCount, 60);
    table.widths[0] = 400;
    for (const TRatingRec& row : ratings) table.rows.push_back(RatingCells(row, mode));
    return table;
}

std::vector<std::string> RatingsCsvLines(const TRatingsArray& ratings) {
    std::vector<std::string> lines;
    std::string header;
    for (const std::string& caption : RatingHeaders())
        header += (header.empty() ? "" : ";") + Quoted(caption);
    lines.push_back(header);
    for (const TRatingRec& row : ratings) {
        std::string line =
            Quoted(row.Comment) + ";" + std::to_string(row.Stakes) + ";" +
            std::to_string(row.Matches) + ";" + Average(row) + ";" + Money(row.Profit) + ";" +
            (row.Stakes == 0 ? std::string()
                             : Money(static_cast<long double>(row.Profit) / row.Stakes));
        for (int32_t count : row.Histogram) line += ";" + std::to_string(count);
        lines.push_back(line);
    }
    return lines;
}

void ExportRatingsCsv(const std::string& path, const TRatingsArray& ratings) {
    WriteTextLines(path, RatingsCsvLines(ratings));
}

}  // namespace zentrix
