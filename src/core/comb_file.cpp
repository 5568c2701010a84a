#include "core/comb_file.h"

#include <algorithm>

#include "core/comb_text.h"
#include "util/files.h"
#include "util/strings.h"

namespace zentrix {

std::optional<TComb> ParseCombFileLine(std::string_view line) {
    if (line.empty()) return std::nullopt;
    std::vector<std::string> words = SplitAny(line, ",;");
    if (words.size() != kCombSize) return std::nullopt;
    TComb comb;
    for (int i = 0; i < kCombSize; ++i) comb[i] = CombByte(words[i]);
    return comb;
}

void ReadCombFile(const std::string& path, TCombsArray& out) {
    for (const std::string& line : ReadTextLines(path))
        if (auto comb = ParseCombFileLine(line)) out.push_back(*comb);
}

void WriteCombFile(const std::string& path, const TCombsArray& combs) {
    std::string text;
    text.reserve(combs.size() * 26);
    for (const TComb& c : combs) {
        text += NumbersText(c);
        text += "\r\n";
    }
    // Digits and ";" read the same in Windows-1251 and UTF-8.
    AtomicWriteFile(path, text);
}

std::string CombsClipboardText(const TCombsArray& combs, const std::vector<int>& selected) {
    std::vector<int> rows = selected;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::string text;
    bool first = true;
    for (int r : rows) {
        if (r < 0 || r >= static_cast<int>(combs.size())) continue;
        if (!first) text += "\r\n";
        text += CombText(combs[r]);
        first = false;
    }
    return text;
}

TCombsArray ParseCombLines(const std::vector<std::string>& lines) {
    TCombsArray combs;
    combs.reserve(lines.size());
    for (const std::string& line : lines) combs.push_back(ParseComb(line));
    return combs;
}

}  // namespace zentrix
