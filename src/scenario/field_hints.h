#pragma once

#include <string_view>

namespace zentrix {

// One-line hints of the scenario dialogs' fields ("Элемент сценария", "Фильтр"), by the field's
// control name (edComment, cbLevelMode, edFilter1...); nullptr for a control without one.
const char* ScenarioFieldHint(std::string_view controlName);

}  // namespace zentrix
