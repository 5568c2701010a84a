#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/draw.h"
#include "util/datetime.h"

namespace zentrix {

// The draw dialog's logic: what its fields show on opening, the check of OK and the record it
// gives back. The window binds its spin, line and pickers to these values.
inline constexpr const char* kDrawDialogTitle = "Введите данные следующего тиража";
inline constexpr const char* kDrawEditDialogTitle = "Изменение данных тиража";
inline constexpr const char* kBadDrawLine = "Введена некорректная комбинация!";
inline constexpr int32_t kMaxDrawNumber = 2147483647;

struct TDrawDialogFields {
    int32_t number = 1;       // "Номер тиража:" 1..2147483647
    std::string numbersLine;  // the 8 numbers and the extra number joined by ";"
    TDateTime date = 0;       // the date picker (its date part counts)
    TDateTime time = 0;       // the time picker (its time part counts)
};

// The fields for a record: its stored date, or now when the record has none (or an unreadable
// one).
TDrawDialogFields DrawDialogFields(const TDraw& draw);

struct TDrawLine {
    TComb numbers{};
    uint8_t extra = 0;
};
// The line split at ";" and "," into exactly 9 words: 8 distinct integers 1..20 and an extra
// number 1..4; nothing otherwise.
std::optional<TDrawLine> ParseDrawLine(std::string_view line);

// The record OK gives: raises EConvertError "Введена некорректная комбинация!" for a bad line.
TDraw DrawDialogResult(const TDrawDialogFields& fields);

}  // namespace zentrix
