#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "scenario/scenario_line.h"
#include "scenario/script_command.h"

namespace zentrix {

// The logic of the command dialog "Элемент сценария": what its controls show on opening and the
// line its OK gives. The window binds its edits, combos and boxes to these fields.
inline constexpr const char* kScriptLineDialogTitle = "Элемент сценария";
inline constexpr const char* kNewLineCaption = "Создание новой строки";
inline constexpr const char* kEditLineCaption = "Редактирование строки";
inline constexpr int32_t kMaxExcludeDraws = 2147483647;

struct TScriptLineFields {
    std::string comment;
    TScriptCommand command;
    TFilterTexts filters;  // the slot edits, free text
};

// The controls for a line: decoded from it, or for a new (empty) line the defaults with the
// exclude count given.
TScriptLineFields ScriptLineFields(std::string_view line, int32_t defaultExclude);
// OK: the command built from the controls, the seven edits as typed and the comment.
std::string ScriptLineResult(const TScriptLineFields& fields);

}  // namespace zentrix
