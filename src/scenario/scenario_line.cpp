#include "scenario/scenario_line.h"

#include <vector>

#include "util/strings.h"

namespace zentrix {

namespace {

std::string LineWord(std::string_view line, size_t index) {
    std::vector<std::string> words = SplitAny(line, "|");
    return index < words.size() ? Trim(words[index]) : std::string();
}

}  // namespace

std::string BuildLine(std::string_view command, const TFilterTexts& filters,
                      std::string_view comment) {
    // A bare command would vanish the same way and shift the filters into its place.
    std::string line = Trim(command).empty() ? std::string(" ") : std::string(command);
    for (const std::string& filter : filters) {
        line += '|';
        line += Trim(filter).empty() ? std::string(" ") : filter;
    }
    line += '|';
    if (!Trim(comment).empty()) line += comment;
    return line;
}

std::string LineCommand(std::string_view line) {
    return LineWord(line, 0);
}

std::string LineFilter(std::string_view line, int slot) {
    if (slot < 1 || slot > kFilterSlotCount) return {};
    return LineWord(line, static_cast<size_t>(slot));
}

std::string LineComment(std::string_view line) {
    return LineWord(line, kFilterSlotCount + 1);
}

TFilterTexts LineFilters(std::string_view line) {
    TFilterTexts filters;
    for (int k = 1; k <= kFilterSlotCount; ++k) filters[k - 1] = LineFilter(line, k);
    return filters;
}

}  // namespace zentrix
