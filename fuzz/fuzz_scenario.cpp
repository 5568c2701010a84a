// Scenario files (*.lsc, the working *.lss) and every field of their lines.
#include "fuzz_support.h"
#include "scenario/filter_item.h"
#include "scenario/scenario.h"
#include "scenario/scenario_line.h"
#include "scenario/script_command.h"
#include "stat_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    TScenario scenario;
    try {
        scenario.LoadFile(fuzz::InputFile(fuzz::Bytes(data, size), "scenario.lsc"));
    } catch (const EZentrix&) {
        return 0;
    }
    const TStatList& list = fuzz::Registry();
    for (const std::string& line : scenario.Lines()) {
        const TScriptCommand command = DecodeCommand(LineCommand(line));
        // The canonical text reads back as the same command.
        if (DecodeCommand(EncodeCommand(command)) != command) std::abort();
        (void)DescribeCommand(command);
        (void)ShortCommandText(command);
        TFilterTexts canonical;
        const TFilterTexts filters = LineFilters(line);
        for (size_t i = 0; i < filters.size(); ++i) {
            canonical[i] = CanonicalFilterText(filters[i], list);
            (void)EncodeFilterItem(DecodeFilterItem(filters[i], list));
        }
        (void)BuildLine(EncodeCommand(command), canonical, LineComment(line));
        (void)LineFilter(line, 0);
        (void)LineFilter(line, 8);
    }
    return 0;
}
