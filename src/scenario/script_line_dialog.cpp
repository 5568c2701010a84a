#include "scenario/script_line_dialog.h"

#include <algorithm>

namespace zentrix {

TScriptLineFields ScriptLineFields(std::string_view line, int32_t defaultExclude) {
    TScriptLineFields fields;
    if (IsSeparatorLine(line)) {
        fields.command.ExcludeDraws = std::max(0, defaultExclude);
        return fields;
    }
    fields.comment = LineComment(line);
    fields.command = DecodeCommand(LineCommand(line));
    fields.filters = LineFilters(line);
    return fields;
}

std::string ScriptLineResult(const TScriptLineFields& fields) {
    TScriptCommand command = fields.command;
    command.ExcludeDraws = std::max(0, command.ExcludeDraws);
    return BuildLine(EncodeCommand(command), fields.filters, fields.comment);
}

}  // namespace zentrix
