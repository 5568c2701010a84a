#include "core/comb_text.h"

#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

// A range list longer than this is refused rather than eating the memory.
constexpr int64_t kMaxRangeEntries = 1000000;

std::string JoinNumbers(const uint8_t* numbers, int count, std::string_view separator,
                        bool twoDigits) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        if (i) out += separator;
        if (twoDigits && numbers[i] < 10) out += '0';
        out += std::to_string(numbers[i]);
    }
    return out;
}

TIntArray ParseRange(std::string_view text) {
    size_t hyphen = text.find('-', 1);
    if (text.empty() || hyphen == std::string_view::npos) return {};
    std::string_view rest = text.substr(hyphen + 1);
    size_t stop = rest.find_first_of(";,");
    if (stop == std::string_view::npos) return {};
    auto lo = TryStrToInt(Trim(text.substr(0, hyphen)));
    auto hi = TryStrToInt(Trim(rest.substr(0, stop)));
    auto step = TryStrToInt(Trim(rest.substr(stop + 1)));
    if (!lo || !hi || !step || *step == 0) return {};
    if (*hi<*lo&& * step> 0) return {};
    int64_t count = (static_cast<int64_t>(*hi) - *lo) / *step + 1;
    if (count <= 0 || count > kMaxRangeEntries) return {};
    TIntArray list;
    list.reserve(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) list.push_back(static_cast<int32_t>(*lo + i * *step));
    return list;
}

}  // namespace

std::string NumbersText(const TComb& comb) {
    return JoinNumbers(comb.data(), kCombSize, ";", false);
}

std::string CombText(const TComb& comb) {
    return JoinNumbers(comb.data(), kCombSize, " ", true);
}

std::string CountedNumbersText(const TCountedNumbers& set, std::string_view separator) {
    int count = set.Count < 0 ? 0 : set.Count > kCombSize ? kCombSize : set.Count;
    return JoinNumbers(set.Numbers.data(), count, separator, false);
}

std::string DrawText(const TDraw& draw) {
    std::string values = NumbersText(draw.Numbers) + " e:" + std::to_string(draw.Extra);
    return Format("Тираж № %d от %s, значения: %s", {draw.Number, draw.DateText(), values});
}

uint8_t CombByte(std::string_view word) {
    int32_t v = StrToIntDef(Trim(word), 0);
    return static_cast<uint8_t>(v >= 0 && v <= 255 ? v : 0);
}

TComb ParseComb(std::string_view text) {
    std::vector<std::string> words = SplitAny(text, "\t ,-.:;|");
    if (words.size() != kCombSize)
        throw EConvertError(Format("Некорректная комбинация: \"%s\"!", {text}));
    TComb comb{};
    for (int i = 0; i < kCombSize; ++i) comb[i] = CombByte(words[i]);
    return comb;
}

TIntArray ParseIntList(std::string_view text) {
    std::string trimmed = Trim(text);
    if (trimmed.empty()) return {};
    TIntArray list;
    bool ok = true;
    for (const std::string& word : SplitAny(trimmed, ",;", true)) {
        auto v = TryStrToInt(Trim(word));
        if (!v) {
            ok = false;
            break;
        }
        list.push_back(*v);
    }
    return ok ? list : ParseRange(trimmed);
}

std::string IntListText(const TIntArray& list, std::string_view separator) {
    std::string out;
    for (size_t i = 0; i < list.size(); ++i) {
        if (i) out += separator;
        out += std::to_string(list[i]);
    }
    return out;
}

std::string SignedDifference(std::string_view text, int64_t fact) {
    auto v = TryStrToInt64(text);
    if (!v || *v < 0 || text.empty() || text[0] == '+' || text[0] == '-') return "-";
    int64_t d = *v - fact;
    return d > 0 ? "+" + std::to_string(d) : std::to_string(d);
}

std::string StakeKindName(int kind) {
    switch (kind) {
        case 1:
            return "Вручную";
        case 2:
            return "Регуляр";
        case 3:
            return "Сценарий";
        case 4:
            return "Система";
        default:
            return {};
    }
}

}  // namespace zentrix
