#include "stats/shred_dialog.h"

#include <algorithm>

#include "core/config_rules.h"

namespace zentrix {

std::string ShredRowLabel(int row) {
    return "Формула " + std::to_string(row + 1) + ":";
}

void TShredDialogModel::SetDigits(int row, int value) {
    digits.at(static_cast<size_t>(row)) =
        static_cast<uint8_t>(std::clamp(value, kFormulaDigitsMin, kFormulaDigitsMax));
}

TShredDialogModel OpenShredDialog(const TConfigSettings& settings) {
    TShredDialogModel model;
    model.formulas = settings.formulas;
    for (int i = 0; i < kShredFormulaCount; ++i) model.SetDigits(i, settings.formulaDigits[i]);
    return model;
}

}  // namespace zentrix
