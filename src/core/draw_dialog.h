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
// The largest number a draw may take: the one above it would leave no number for the next draw.
inline constexpr int32_t kMaxDrawNumber = 2147483646;

struct TDrawDialogFields {
    int32_t number = 1;       // "Номер тиража:" 1..kMaxDrawNumber
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

// Raises EConvertError for a draw number outside 1..kMaxDrawNumber.
void CheckDrawNumber(int64_t number);

// The record OK gives: raises EConvertError "Введена некорректная комбинация!" for a bad line,
// and for a draw number outside the spin's range.
TDraw DrawDialogResult(const TDrawDialogFields& fields);

// A change of some fields of a record (the command line's add and edit). What is not given stays
// exactly as stored, an extra number 0 ("unknown") and an empty date included; what is given is
// checked as the dialog checks it, the date text strictly (ParseExactDateTime). Raises
// EConvertError.
struct TDrawChange {
    std::optional<int64_t> number;
    std::optional<std::string> line;  // the 8 numbers and the extra number
    std::optional<std::string> date;  // "dd.mm.yyyy hh:nn"; empty for no date
};
TDraw ChangedDraw(const TDraw& stored, const TDrawChange& change);

}  // namespace zentrix
