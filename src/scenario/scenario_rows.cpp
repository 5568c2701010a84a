#include "scenario/scenario_rows.h"

#include "scenario/filter_item.h"
#include "scenario/scenario_line.h"
#include "scenario/script_command.h"
#include "util/format.h"

namespace zentrix {

std::vector<std::string> ScenarioListHeader() {
    std::vector<std::string> header = {"Комментарии", "Опции"};
    for (int k = 1; k <= kFilterSlotCount; ++k) header.push_back(Format("Фильтр %d", {k}));
    return header;
}

std::vector<std::string> ScenarioListRow(std::string_view line, const TStatList& registry) {
    std::vector<std::string> row(2 + kFilterSlotCount);
    if (IsSeparatorLine(line)) return row;
    row[0] = LineComment(line);
    row[1] = DescribeCommand(DecodeCommand(LineCommand(line)));
    for (int k = 1; k <= kFilterSlotCount; ++k)
        row[1 + k] = CanonicalFilterText(LineFilter(line, k), registry);
    return row;
}

std::string CanonicalScenarioLine(std::string_view line, const TStatList& registry) {
    if (IsSeparatorLine(line)) return {};
    TFilterTexts filters = LineFilters(line);
    for (std::string& filter : filters) filter = CanonicalFilterText(filter, registry);
    return BuildLine(EncodeCommand(DecodeCommand(LineCommand(line))), filters, LineComment(line));
}

}  // namespace zentrix
