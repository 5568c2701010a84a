#include "core/draw_dialog.h"

#include <vector>

#include "util/errors.h"
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
    TDrawLine r;
    uint32_t seen = 0;
    for (int i = 0; i < kCombSize; ++i) {
        auto n = TryStrToInt(Trim(words[i]));
        if (!n || *n < 1 || *n > kMaxNumber || (seen & (1u << *n))) return std::nullopt;
        seen |= 1u << *n;
        r.numbers[i] = static_cast<uint8_t>(*n);
    }
    auto extra = TryStrToInt(Trim(words[kCombSize]));
    if (!extra || *extra < 1 || *extra > kExtraMax) return std::nullopt;
    r.extra = static_cast<uint8_t>(*extra);
    return r;
}

TDraw DrawDialogResult(const TDrawDialogFields& fields) {
    auto line = ParseDrawLine(fields.numbersLine);
    if (!line) throw EConvertError(kBadDrawLine);
    TDraw d;
    d.Number = fields.number;
    d.Numbers = line->numbers;
    d.Extra = line->extra;
    d.SetDateText(Utf8Left(DateTimeText(DateOf(fields.date) + TimeOf(fields.time)), 16));
    return d;
}

}  // namespace zentrix
