#include "util/ini.h"

#include "util/cp1251.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {
    // Anything in the file's place that cannot be read (a folder, say) is an error, not "empty".
    if (FileSize(path_) < 0) return;
    const std::string bytes = ReadFileBytes(path_);
    encoding_ = DetectTextEncoding(bytes);
    Parse(DecodeText(bytes, encoding_));
}

TIniFile TIniFile::FromText(const std::string& text, std::string path) {
    TIniFile ini;
    ini.path_ = std::move(path);
    ini.Parse(text);
    return ini;
}

void TIniFile::Parse(const std::string& text) {
    TSection* current = nullptr;
    for (const std::string& raw : SplitLines(text)) {
        std::string line = Trim(raw);
        std::vector<TLine>& target = current ? current->lines : header_;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            std::string name = Trim(std::string_view(line).substr(1, line.size() - 2));
            current = &EnsureSection(name);
            continue;
        }
        size_t eq = line.find('=');
        if (line.empty() || line[0] == ';' || line[0] == '#' || eq == std::string::npos ||
            eq == 0) {
            if (!line.empty()) target.push_back({{}, raw});
            continue;
        }
        std::string key = Trim(std::string_view(line).substr(0, eq));
        std::string value = Trim(std::string_view(line).substr(eq + 1));
        bool replaced = false;
        for (TLine& l : target)
            if (!l.key.empty() && SameText(l.key, key)) {
                l.value = value;  // a repeated key: the last one wins
                replaced = true;
            }
        if (!replaced) target.push_back({key, value});
    }
}

const TIniFile::TSection* TIniFile::FindSection(const std::string& name) const {
    for (const TSection& s : sections_)
        if (SameText(s.name, name)) return &s;
    return nullptr;
}

TIniFile::TSection& TIniFile::EnsureSection(const std::string& name) {
    for (TSection& s : sections_)
        if (SameText(s.name, name)) return s;
    sections_.push_back({name, {}});
    return sections_.back();
}

const std::string* TIniFile::Find(const std::string& section, const std::string& key) const {
    const TSection* s = FindSection(section);
    if (!s) return nullptr;
    for (const TLine& l : s->lines)
        if (!l.key.empty() && SameText(l.key, key)) return &l.value;
    return nullptr;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
    const std::string* v = Find(section, key);
    return v ? *v : fallback;
}

int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key,
                              int32_t fallback) const {
    const std::string* v = Find(section, key);
    return v ? StrToIntDef(*v, fallback) : fallback;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

long double TIniFile::ReadFloat(const std::string& section, const std::string& key,
                                long double fallback) const {
    const std::string* v = Find(section, key);
    if (!v) return fallback;
    return TryStrToFloat(*v).value_or(fallback);
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& rawValue) {
    // A line break would split the entry in two on the next read.
    std::string value = rawValue;
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    TSection& s = EnsureSection(section);
    for (TLine& l : s.lines)
        if (!l.key.empty() && SameText(l.key, key)) {
            l.value = value;
            return;
        }
    s.lines.push_back({key, value});
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int64_t value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::WriteFloat(const std::string& section, const std::string& key, long double value) {
    WriteString(section, key, FloatToStrShortest(value, FormatSettings().fileDecimalSeparator));
}

bool TIniFile::SectionExists(const std::string& section) const {
    return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
    return Find(section, key) != nullptr;
}

std::vector<std::string> TIniFile::Sections() const {
    std::vector<std::string> names;
    for (const TSection& s : sections_) names.push_back(s.name);
    return names;
}

std::vector<std::string> TIniFile::Keys(const std::string& section) const {
    std::vector<std::string> keys;
    if (const TSection* s = FindSection(section))
        for (const TLine& l : s->lines)
            if (!l.key.empty()) keys.push_back(l.key);
    return keys;
}

void TIniFile::EraseSection(const std::string& section) {
    std::erase_if(sections_, [&](const TSection& s) { return SameText(s.name, section); });
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
    for (TSection& s : sections_)
        if (SameText(s.name, section))
            std::erase_if(s.lines,
                          [&](const TLine& l) { return !l.key.empty() && SameText(l.key, key); });
}

std::string TIniFile::Text() const {
    std::string text;
    auto emit = [&](const std::vector<TLine>& lines) {
        for (const TLine& l : lines)
            text += (l.key.empty() ? l.value : l.key + "=" + l.value) + "\r\n";
    };
    emit(header_);
    for (size_t i = 0; i < sections_.size(); ++i) {
        if (i > 0 || !header_.empty()) text += "\r\n";
        text += "[" + sections_[i].name + "]\r\n";
        emit(sections_[i].lines);
    }
    return text;
}

std::string TIniFile::EncodedText() const {
    const std::string text = Text();
    if (encoding_ == TTextEncoding::Utf8) return text;
    if (encoding_ == TTextEncoding::Utf8Bom) return "\xEF\xBB\xBF" + text;
    if (auto bytes = TryUtf8ToCp1251(text)) return *bytes;
    // Name what does not fit rather than store it as question marks.
    auto refuse = [&](const std::string& what) {
        throw EConvertError(
            Format("%s содержит символы, которых нет в кодировке Windows-1251 "
                   "файла \"%s\". Файл не изменен.",
                   {what, path_}));
    };
    auto check = [&](const std::string& section, const std::vector<TLine>& lines) {
        for (const TLine& l : lines) {
            if (l.key.empty() && !TryUtf8ToCp1251(l.value))
                refuse(Format("Строка \"%s\"", {l.value}));
            if (!l.key.empty() && !TryUtf8ToCp1251(l.key + "=" + l.value))
                refuse(Format("Значение %s=%s в разделе [%s]", {l.key, l.value, section}));
        }
    };
    check({}, header_);
    for (const TSection& s : sections_) {
        if (!TryUtf8ToCp1251(s.name)) refuse(Format("Раздел [%s]", {s.name}));
        check(s.name, s.lines);
    }
    return Utf8ToCp1251(text);
}

void TIniFile::UpdateFile(bool ownerOnly) const {
    AtomicWriteFile(path_, EncodedText(), ownerOnly ? 0600 : -1);
}

}  // namespace zentrix
