#pragma once

#include <string>
#include <vector>

#include "stakes/rating_rec.h"

namespace zentrix {

class TStatList;

inline constexpr const char* kRatingLineRefused = "Строку\n\n%s\n\nневозможно добавить в сценарий!";

// The scenario line a rating comment describes: "comment @ command + filter + ..." gives
// "command|filter|...|comment", padded to seven filter fields.
std::string RatingScriptLine(const std::string& comment);
// At least one filter field decodes to a filter of a registered statistic.
bool HasDecodableFilter(const std::string& line, const TStatList& list);

struct TRatingsScript {
    std::vector<std::string> lines;   // to add to the scenario, in the given order
    std::vector<std::string> errors;  // the refusals' messages
};
// The selected rows (indices into ratings, in view order) as scenario lines.
TRatingsScript RatingsToScript(const TRatingsArray& ratings, const std::vector<size_t>& rows,
                               const TStatList& list);

}  // namespace zentrix
