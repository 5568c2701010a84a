#include "stakes/ratings_script.h"

#include "scenario/filter_item.h"
#include "scenario/scenario_line.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

std::string RatingScriptLine(const std::string& comment) {
    std::string text = comment;
    std::string newComment;
    if (const size_t at = comment.find('@'); at != std::string::npos) {
        newComment = Trim(comment.substr(0, at));
        text = Trim(comment.substr(at + 1));
    }
    text = ReplaceAll(text, " + ", "|");  // no letters: case plays no part
    while (SplitAny(text, "|").size() <= kFilterSlotCount) text += "| ";
    return text + "|" + newComment;
}

bool HasDecodableFilter(const std::string& line, const TStatList& list) {
    for (const std::string& text : LineFilters(line)) {
        const TFilterItem item = DecodeFilterItem(text, list);
        if (item.Enabled && item.Method) return true;
    }
    return false;
}

TRatingsScript RatingsToScript(const TRatingsArray& ratings, const std::vector<size_t>& rows,
                               const TStatList& list) {
    TRatingsScript script;
    for (size_t row : rows) {
        if (row >= ratings.size()) continue;
        const std::string line = RatingScriptLine(ratings[row].Comment);
        if (HasDecodableFilter(line, list))
            script.lines.push_back(line);
        else
            script.errors.push_back(Format(kRatingLineRefused, {ratings[row].Comment}));
    }
    return script;
}

}  // namespace zentrix
