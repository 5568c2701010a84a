#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/text_table.h"
#include "stakes/ratings.h"

namespace zentrix {

// How the "E" columns compare a row with random play.
enum class TEffMode { Expected = 0, Absolute = 1, Relative = 2 };
inline constexpr std::array<const char*, 3> kEffModeCaptions = {
    "Ожидаемые значения совпадений", "Абсолютные значения эффективности",
    "Относительные значения эффективности"};
inline constexpr const char* kBadRatingRow = "# bad data #";

const std::array<std::string, kRatingColumnCount>& RatingHeaders();

// The 24 cell texts of a row; the comment kBadRatingRow when the row cannot be shown.
std::vector<std::string> RatingCells(const TRatingRec& row, TEffMode mode);
TTextTable RatingsTable(const TRatingsArray& ratings, TEffMode mode);

// The CSV file's lines: the 24 captions quoted, then 15 fields a row (the "E" columns are not
// written).
std::vector<std::string> RatingsCsvLines(const TRatingsArray& ratings);
// Written whole in Windows-1251 with CR LF; raises EFileError.
void ExportRatingsCsv(const std::string& path, const TRatingsArray& ratings);

}  // namespace zentrix
