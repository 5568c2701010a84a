#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zentrix {

class TStatList;

// The columns of the scenario list: "Комментарии", "Опции", "Фильтр 1" .. "Фильтр 7".
std::vector<std::string> ScenarioListHeader();
// A line's row: its comment, DescribeCommand of its command and each slot in canonical form; a
// separator gives empty cells.
std::vector<std::string> ScenarioListRow(std::string_view line, const TStatList& registry);

// The line as the command dialog would rebuild it, with every filter slot in canonical form; a
// separator stays empty.
std::string CanonicalScenarioLine(std::string_view line, const TStatList& registry);

}  // namespace zentrix
