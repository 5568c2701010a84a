#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/palette.h"
#include "stakes/rating_rec.h"
#include "stakes/stake_rec.h"

namespace zentrix {

inline constexpr const char* kTooFewGraphDraws =
    "Для построения графиков необходимо, чтобы в выделенном диапазоне данных было более одного "
    "тиража!";
inline constexpr const char* kProfitGraphTitle = "График суммарного профита ставок по тиражам";
inline constexpr const char* kMatchCountGraphTitle =
    "График количества совпадений для выделенных строк рейтинга";

// One call of the graph window's point adding: the series is found by its title (any case) or
// made with the flags and colour of its first point.
struct TGraphPoint {
    int x = 0;
    std::string series;
    long double y = 0;
    bool markers = false;
    bool labels = false;
    std::optional<TColor> colour;  // none: the default colour
    bool operator==(const TGraphPoint&) const = default;
};

// A series of the graph window: the look of its first point, then every point of its title.
struct TGraphSeries {
    std::string title;
    bool markers = false;
    bool labels = false;
    std::optional<TColor> colour;
    std::vector<std::pair<int, long double>> points;
};
// The points gathered into series the way the graph window adds them one by one: a point goes
// to the series of its title compared without regard to case, in order of first appearance.
std::vector<TGraphSeries> GraphSeries(const std::vector<TGraphPoint>& points);

// Profit per draw, its mean and its running total; raises EZentrix kTooFewGraphDraws when no
// record is for a draw.
std::vector<TGraphPoint> ProfitByDrawsGraph(const std::vector<TStakeRec>& stakes);
// Matches (or profits) of the stakes of the selected rating comments over the last 100 draws of
// the file; raises EZentrix kTooFewGraphDraws below two draws.
std::vector<TGraphPoint> RatingStakesGraph(const std::vector<TStakeRec>& stakes,
                                           const std::vector<std::string>& comments, bool profit);
// The selected rows' match histograms against random play scaled to the largest row.
std::vector<TGraphPoint> MatchCountGraph(const TRatingsArray& ratings,
                                         const std::vector<size_t>& rows);

}  // namespace zentrix
