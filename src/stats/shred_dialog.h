#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/config_data.h"

namespace zentrix {

// The formulas window "Методы шинковки": three formulas, each with the count of digits it keeps.
// It opens on the current settings; OK hands its values to the configuration, Cancel drops them.
inline constexpr int kShredFormulaCount = 3;
inline constexpr const char* kShredDialogTitle = "Методы шинковки";
inline constexpr const char* kShredFormulaHint = "Используемая формула";
inline constexpr const char* kShredDigitsHint = "Количество используемых знаков после запятой";
inline constexpr const char* kShredDialogNote =
    "Используемые переменные:\nn1, n2, n3, ..., nX - числа текущего тиража\n"
    "p1, p2, p3, ..., pX - числа предыдущего тиража";
inline constexpr const char* kShredActionCaption = "Формулы шинковки";
inline constexpr const char* kShredActionHint = "Редактирование формул для методов шинковки";

// "Формула 1:" .. "Формула 3:" for rows 0..2.
std::string ShredRowLabel(int row);

struct TShredDialogModel {
    std::array<std::string, kShredFormulaCount> formulas;
    std::array<uint8_t, kShredFormulaCount> digits{};

    // A digit count as the spin field holds it: moved into 1..5.
    void SetDigits(int row, int value);
};

TShredDialogModel OpenShredDialog(const TConfigSettings& settings);

}  // namespace zentrix
