#pragma once

#include <array>
#include <string>
#include <string_view>

#include "scenario/filter_part.h"

namespace zentrix {

using TFilterTexts = std::array<std::string, kFilterSlotCount>;

// command|filter 1|...|filter 7|comment. Fields are read as words between "|" where consecutive
// bars count as one, so an empty filter is written as one space to keep its place.
std::string BuildLine(std::string_view command, const TFilterTexts& filters,
                      std::string_view comment);

// The fields of a line, trimmed; a comment holding "|" is cut there.
std::string LineCommand(std::string_view line);
// Slot 1..7; empty for a slot outside that range.
std::string LineFilter(std::string_view line, int slot);
std::string LineComment(std::string_view line);
TFilterTexts LineFilters(std::string_view line);

// An empty line separates groups of commands and is skipped when the scenario runs.
inline bool IsSeparatorLine(std::string_view line) {
    return line.empty();
}

}  // namespace zentrix
