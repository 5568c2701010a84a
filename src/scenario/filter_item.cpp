#include "scenario/filter_item.h"

#include <charconv>
#include <cmath>

#include "scenario/filter_modes.h"
#include "stats/stat_list.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

// Words of filter text: consecutive separators count as one, as everywhere in scenario text.
std::vector<std::string> Words(std::string_view text, char separator) {
    return SplitAny(text, std::string_view(&separator, 1));
}

std::string Part(const std::vector<std::string>& parts, size_t index) {
    return index < parts.size() ? parts[index] : std::string();
}

bool StartsWithText(std::string_view word, std::string_view prefix) {
    return word.size() >= prefix.size() && SameText(word.substr(0, prefix.size()), prefix);
}

void DecodeFlags(const std::string& word, TFilterItem& item) {
    item.BottomUp = word.find('B') != std::string::npos;
    item.MultiSelect = word.find('M') != std::string::npos;
    item.KeepSelected = word.find('F') != std::string::npos;
    const size_t skip = Utf8Left(word, 3).size();
    std::optional<int32_t> order;
    if (Utf8Length(word) >= 4) order = TryStrToInt(std::string_view(word).substr(skip));
    item.DrawsSortOrder = order.value_or(1);
}

void DecodeStatistic(const std::string& word, const TStatList& list, TFilterItem& item) {
    item.StatText = word;
    std::vector<std::string> codes;
    codes.reserve(list.MethodCount());
    for (int i = 0; i < list.MethodCount(); ++i) {
        const TStatMethod& m = list.MethodAt(i);
        codes.push_back(m.Class->CodeOf(m.Index));
    }
    const int entry = MatchCodeWord(codes, word);
    if (entry < 0) return;
    item.Method = {list.MethodAt(entry).Class, list.MethodAt(entry).Index};
    item.DrawsLen = Trim(Part(Words(word, ':'), 1));
}

void DecodeLevel(const std::string& word, TFilterItem& item) {
    const int mode = MatchLevelCode(word);
    if (mode < 0) return;
    item.LevelMode = static_cast<uint8_t>(mode);
    item.LevelValue = Trim(Part(Words(word, ':'), 1));
}

void DecodeStop(const std::string& word, TFilterItem& item) {
    const int mode = MatchStopCode(word);
    if (mode < 0) return;
    item.StopMode = static_cast<uint8_t>(mode);
    item.StopValue = TryStrToInt(Trim(Part(Words(word, ':'), 1))).value_or(1);
}

void DecodeWeights(const std::string& word, TFilterItem& item) {
    std::vector<std::string> parts = Words(word, ':');
    item.CDLOverride = true;
    item.CoefCount = CoefValue(Part(parts, 0));
    item.CoefDeviation = CoefValue(Part(parts, 1));
    item.CoefLevel = CoefValue(Part(parts, 2));
    item.CoefPercents = Part(parts, 3) == "1";
    item.CoefAbs = Part(parts, 4) == "1";
}

}  // namespace

std::string TMethodRef::Code() const {
    return Class ? Class->CodeOf(Index) : std::string();
}

int FindMethodEntry(const TStatList& list, const TMethodRef& method) {
    for (int i = 0; i < list.MethodCount(); ++i) {
        const TStatMethod& m = list.MethodAt(i);
        if (m.Class == method.Class && m.Index == method.Index) return i;
    }
    return -1;
}

int MatchCodeWord(const std::vector<std::string>& codes, std::string_view word) {
    const std::string head = Trim(word.substr(0, word.find(':')));
    int first = -1;
    for (size_t i = 0; i < codes.size(); ++i) {
        if (codes[i].empty() || !StartsWithText(word, codes[i])) continue;
        if (SameText(codes[i], head)) return static_cast<int>(i);
        if (first < 0) first = static_cast<int>(i);
    }
    return first;
}

TCDLParams TFilterSettings::Weights() const {
    return {CoefCount, CoefDeviation, CoefLevel, CoefPercents, CoefAbs};
}

void TFilterSettings::SetWeights(const TCDLParams& weights) {
    CoefCount = weights.Count;
    CoefDeviation = weights.Deviation;
    CoefLevel = weights.Level;
    CoefPercents = weights.UsePercents;
    CoefAbs = weights.UseAbsValues;
}

std::string CoefText(long double value) {
    if (!std::isfinite(value)) return "0";
    // Fixed notation: an exponent would not read back (its letter is dropped).
    char buf[8192];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (res.ec != std::errc()) return "0";
    return std::string(buf, res.ptr);
}

long double CoefValue(std::string_view text) {
    std::string kept;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '-' || c == '.' || (c >= '0' && c <= '9'))
            kept += c;
        else if (c == ',')
            kept += '.';
        // Dropping the letter of an exponent would run its digits into the mantissa's.
        else if ((c == 'e' || c == 'E') && !kept.empty() && kept.back() != '-')
            return 0;
    }
    std::optional<long double> v = TryStrToFloat(kept);
    return v && std::isfinite(*v) ? *v : 0;
}

std::string EncodeFilterText(const TFilterSettings& filter, const std::string& statWord,
                             const std::string& levelText) {
    std::string text;
    text += filter.BottomUp ? 'B' : 'T';
    text += filter.MultiSelect ? 'M' : 'S';
    text += filter.KeepSelected ? 'F' : 'D';
    text += std::to_string(filter.DrawsSortOrder);
    text += '#';
    text += statWord;
    text += '#';
    text += LevelModeCode(filter.LevelMode);
    text += ':';
    text += levelText;
    text += '#';
    text += StopModeCode(filter.StopMode);
    text += ':';
    text += std::to_string(filter.StopValue);
    if (filter.CDLOverride) {
        text += '#';
        text += Join(
            {CoefText(filter.CoefCount), CoefText(filter.CoefDeviation), CoefText(filter.CoefLevel),
             filter.CoefPercents ? "1" : "0", filter.CoefAbs ? "1" : "0"},
            ":");
    }
    return text;
}

std::string EncodeFilterItem(const TFilterItem& item) {
    if (!item.Enabled) return {};
    std::string statWord = item.Method ? item.Method.Code() + ":" + item.DrawsLen : item.StatText;
    // An empty word would vanish between two "#" and shift the words after it.
    if (statWord.empty()) statWord = " ";
    return EncodeFilterText(item, statWord, item.LevelValue);
}

TFilterItem DecodeFilterItem(std::string_view text, const TStatList& list) {
    TFilterItem item;
    if (text.empty()) return item;
    item.Enabled = true;
    std::vector<std::string> words = Words(text, '#');
    DecodeFlags(Part(words, 0), item);
    if (words.size() > 1) DecodeStatistic(words[1], list, item);
    if (words.size() > 2) DecodeLevel(words[2], item);
    if (words.size() > 3) DecodeStop(words[3], item);
    if (words.size() > 4) DecodeWeights(words[4], item);
    return item;
}

std::string CanonicalFilterText(std::string_view text, const TStatList& list) {
    return EncodeFilterItem(DecodeFilterItem(text, list));
}

}  // namespace zentrix
