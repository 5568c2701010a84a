#include "scenario/filter_part.h"

#include <vector>

#include "util/strings.h"

namespace zentrix {

std::string EncodeFilterPart(const TFilterPart& part) {
    if (!part.Enabled) return {};
    return EncodeFilterText(part, part.Method.Code() + ":" + std::to_string(part.DrawsLen),
                            part.LevelSource);
}

std::string JoinFilterParts(const TFilterVar& parts) {
    std::vector<std::string> texts;
    for (const TFilterPart& part : parts) {
        std::string text = EncodeFilterPart(part);
        if (!text.empty()) texts.push_back(std::move(text));
    }
    return Join(texts, " + ");
}

}  // namespace zentrix
