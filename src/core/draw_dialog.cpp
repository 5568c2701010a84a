#include "core/draw_dialog.h"

#include <vector>

#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

TDrawDialogFields DrawDialogFields(const TDraw& draw) {
    TDrawDialogFields f;
    f.number = draw.Number < 1 ? 1 : draw.Number;
    for (uint8_t n : draw.Numbers) f.numbersLine += std::to_string(n) + ";";
    f.numbersLine += std::to_string(draw.Extra);
    TDateTime stored = 0;
    try {
        stored = ParseDateTime(draw.DateText());
    } catch (const EZentrix&) {
        stored = 0;  // a damaged date text must not keep the dialog from opening
    }
    f.date = f.time = stored > 0 ? stored : Now();
    return f;
}

std::optional<TDrawLine> ParseDrawLine(std::string_view line) {
    std::vector<std::string> words = SplitAny(line, ";,");
    if (words.size() != kCombSize + 1) return std::nullopt;
    TDraw d;
    for (int i = 0; i < kCombSize; ++i) {
        auto n = TryStrToInt(Trim(words[i]));
        if (!n || *n < 1 || *n > kMaxNumber) return std::nullopt;
        d.Numbers[i] = static_cast<uint8_t>(*n);
    }
    auto extra = TryStrToInt(Trim(words[kCombSize]));
    if (!extra || *extra < 1 || *extra > kExtraMax) return std::nullopt;
    d.Extra = static_cast<uint8_t>(*extra);
    if (!IsSoundDraw(d)) return std::nullopt;  // a repeated number
    return TDrawLine{d.Numbers, d.Extra};
}

void CheckDrawNumber(int64_t number) {
    if (number < 1 || number > kMaxDrawNumber)
        throw EConvertError(Format("Номер тиража должен быть от 1 до %d!", {kMaxDrawNumber}));
}

namespace {

void SetLine(TDraw& d, std::string_view text) {
    auto line = ParseDrawLine(text);
    if (!line) throw EConvertError(kBadDrawLine);
    d.Numbers = line->numbers;
    d.Extra = line->extra;
}

}  // namespace

TDraw DrawDialogResult(const TDrawDialogFields& fields) {
    TDraw d;
    SetLine(d, fields.numbersLine);
    CheckDrawNumber(fields.number);
    d.Number = fields.number;
    d.SetDateText(Utf8Left(DateTimeText(DateOf(fields.date) + TimeOf(fields.time)), 16));
    return d;
}

TDraw ChangedDraw(const TDraw& stored, const TDrawChange& change) {
    TDraw d = stored;
    if (change.line) SetLine(d, *change.line);
    if (change.number) {
        CheckDrawNumber(*change.number);
        d.Number = static_cast<int32_t>(*change.number);
    }
    if (change.date) d.SetDateText(DateTimeText(ParseExactDateTime(*change.date)));
    return d;
}

}  // namespace zentrix
