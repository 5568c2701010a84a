#include "exchange/draws_csv.h"

#include <unordered_set>

#include "core/draw_dialog.h"
#include "core/game.h"
#include "util/cp1251.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr size_t kCsvDateLength = 16;

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

int FieldInt(const std::string& field) {
    return TryStrToInt(field).value_or(0);
}

// Values are checked before they are stored in bytes: "276" must not become 20.
TDraw DrawOfFields(const std::vector<std::string>& f, int nextNumber, bool& sound) {
    const size_t first = f.size() == 11 ? 1 : 0;
    TDraw d;
    d.Number = f.size() == 11 ? FieldInt(f[0]) : nextNumber;
    d.SetDateText(Utf8Left(f[first], kCsvDateLength));
    sound = true;
    for (int i = 0; i < kCombSize; ++i) {
        const int n = FieldInt(f[first + 1 + i]);
        sound = sound && n >= 1 && n <= kMaxNumber;
        d.Numbers[i] = static_cast<uint8_t>(n);
    }
    const int extra = FieldInt(f[first + 9]);
    sound = sound && extra >= 0 && extra <= kExtraMax && IsSoundDraw(d);
    d.Extra = static_cast<uint8_t>(extra);
    return d;
}

}  // namespace

std::string DrawCsvLine(const TDraw& draw) {
    std::string line = std::to_string(draw.Number) + ";" + Quoted(draw.DateText());
    for (uint8_t n : draw.Numbers) line += ";" + std::to_string(n);
    line += ";" + std::to_string(draw.Extra);
    return line;
}

std::string DrawsCsvBytes(const TDrawsArray& draws) {
    std::string text;
    text.reserve(draws.size() * 48);
    for (const TDraw& d : draws) text += DrawCsvLine(d) + "\r\n";
    return Utf8ToCp1251(text);
}

std::vector<std::string> SplitCsvFields(std::string_view line) {
    std::vector<std::string> fields;
    size_t i = 0;
    const size_t n = line.size();
    while (i < n && IsBlank(line[i])) ++i;
    while (i < n) {
        std::string field;
        if (line[i] == '"') {
            ++i;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
        } else {
            while (i < n && line[i] != ';' && !IsBlank(line[i])) field += line[i++];
        }
        fields.push_back(std::move(field));
        while (i < n && IsBlank(line[i])) ++i;
        if (i < n && line[i] == ';') {
            ++i;
            while (i < n && IsBlank(line[i])) ++i;
            if (i == n) fields.emplace_back();
        }
    }
    return fields;
}

TCsvImport ParseDrawsCsv(std::string_view bytes, const TDrawsArray& archive) {
    const std::string text = DecodeText(bytes, DetectTextEncoding(bytes));
    TCsvImport result;
    std::unordered_set<int32_t> known;
    for (const TDraw& d : archive) known.insert(d.Number);
    const int64_t length = static_cast<int64_t>(archive.size());
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (Trim(line).empty()) continue;
        const std::vector<std::string> fields = SplitCsvFields(line);
        if (fields.size() != 10 && fields.size() != 11) continue;
        const int64_t next = length + static_cast<int64_t>(result.draws.size()) + 1;
        bool sound = false;
        const TDraw draw =
            DrawOfFields(fields, next > kMaxDrawNumber ? 0 : static_cast<int>(next), sound);
        if (draw.Number <= 0 || draw.Number > kMaxDrawNumber || known.count(draw.Number) > 0)
            continue;
        if (!sound) {
            ++result.unsoundLines;
            continue;
        }
        known.insert(draw.Number);
        result.draws.push_back(draw);
    }
    return result;
}

}  // namespace zentrix
