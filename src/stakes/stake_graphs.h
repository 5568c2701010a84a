#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/chart_series.h"
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
