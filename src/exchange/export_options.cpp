#include "exchange/export_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>

#include "util/datetime.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"
#include "util/ini.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr const char* kFieldKey = "Item_%d";

int AlignOf(TCellAlign align) {
    switch (align) {
        case TCellAlign::Right:
            return static_cast<int>(TExportAlign::Right);
        case TCellAlign::Center:
            return static_cast<int>(TExportAlign::Center);
        case TCellAlign::Left:
            break;
    }
    return static_cast<int>(TExportAlign::Left);
}

// "-1" and "0" as written, and the other spellings of a boolean; nothing for any other text.
std::optional<bool> BoolText(const std::string& text) {
    if (text == "-1" || text == "1" || SameText(text, "true")) return true;
    if (text == "0" || SameText(text, "false")) return false;
    return std::nullopt;
}

// One "Item_%d" value; false when it is to be deleted, raises EConvertError when a word cannot
// be read.
bool RestoreField(const std::string& value, size_t position, std::vector<TExportField>& fields) {
    const std::vector<std::string> words = SplitAny(value, ";");
    if (words.size() != 6) return false;
    const std::optional<int32_t> source = TryStrToInt(Trim(words[0]));
    if (!source) throw EConvertError(words[0]);
    auto found = std::find_if(fields.begin(), fields.end(),
                              [&](const TExportField& f) { return f.sourceIndex == *source; });
    if (found == fields.end() || !SameText(Trim(words[1]), Trim(found->physicalName))) return false;
    TExportField field = *found;
    fields.erase(found);
    field.caption = words[2];
    if (const std::optional<bool> checked = BoolText(Trim(words[3]))) field.checked = *checked;
    if (const std::optional<int32_t> align = TryStrToInt(Trim(words[4]));
        align && *align >= 0 && *align <= 2)
        field.alignment = *align;
    field.width = words[5];
    fields.insert(fields.begin() + static_cast<std::ptrdiff_t>(std::min(position, fields.size())),
                  std::move(field));
    return true;
}

std::string FieldText(const TExportField& f) {
    return Format("%d;%s;%s;%s;%d;%s", {f.sourceIndex, Trim(f.physicalName), f.caption,
                                        f.checked ? "-1" : "0", f.alignment, f.width});
}

}  // namespace

const std::array<const char*, 3>& ExportAlignNames() {
    static const std::array<const char*, 3> names = {"по левому краю", "по правому краю",
                                                     "по центру"};
    return names;
}

const std::array<const char*, 3>& ExportOrientationNames() {
    static const std::array<const char*, 3> names = {"Не устанавливать", "Книжная", "Альбомная"};
    return names;
}

const std::array<const char*, 2>& ExportRowModeNames() {
    static const std::array<const char*, 2> names = {"Экспортировать все отображенные записи",
                                                     "Экспортировать выделенные записи"};
    return names;
}

std::string ExportSection(std::string_view window, std::string_view control) {
    return "EXPORT_EXCEL_" + UpperCase(window) + "." + UpperCase(control);
}

TExportOptions DefaultExportOptions(const TTextTable& table, bool grid, const std::string& title,
                                    const std::string& sheetName, int orientation,
                                    const std::string& notes) {
    TExportOptions options;
    options.title = title;
    options.notes = notes;
    options.sheetName = Utf8Left(sheetName, kExportSheetNameMax);
    options.pageOrientation = std::clamp(orientation, 0, 2);
    for (size_t c = 0; c < table.headers.size(); ++c) {
        TExportField field;
        field.sourceIndex = static_cast<int>(c);
        field.physicalName = table.headers[c];
        field.caption = table.headers[c];
        if (!grid && c < table.alignments.size()) field.alignment = AlignOf(table.alignments[c]);
        const int pixels = c < table.widths.size() ? table.widths[c] : 80;
        field.width = ExportWidthText(pixels / 8.0);
        options.fields.push_back(std::move(field));
    }
    return options;
}

std::string ExportWidthText(double width) {
    return FloatToStrF(width, 2);
}

double ExportColumnWidth(std::string_view text) {
    std::string number;
    for (char c : text) {
        if ((c >= '0' && c <= '9') || c == '-') number += c;
        if (c == '.' || c == ',') number += '.';
    }
    // from_chars, unlike strtod, ignores the process's locale.
    double width = kExportDefaultWidth;
    double value = 0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value);
    if (!number.empty() && res.ec == std::errc() && res.ptr == number.data() + number.size() &&
        std::isfinite(value))
        width = value;
    return std::clamp(width, 0.0, kExportMaxWidth);
}

double ExportEditWidth(std::string_view text) {
    const std::optional<long double> value = TryStrToFloat(text);
    if (!value || !std::isfinite(static_cast<double>(*value))) return kExportDefaultWidth;
    return static_cast<double>(*value);
}

std::string SafeSheetName(std::string_view name) {
    std::string safe;
    for (char c : name) {
        switch (c) {
            case '"':
            case '\'':
            case '*':
            case '?':
            case ':':
                break;
            case '/':
            case '\\':
                safe += '-';
                break;
            case '[':
                safe += '(';
                break;
            case ']':
                safe += ')';
                break;
            default:
                safe += c;
        }
    }
    return Trim(Utf8Left(safe, 31));
}

int ExportHeaderRow(const TExportOptions& options) {
    const int lines = (Trim(options.notes).empty() ? 0 : 1) + (options.showCreateTime ? 1 : 0);
    return lines + 3;
}

std::string ExportCreatedLine() {
    const TDateParts p = DecodeDateTime(Now());
    return Format("Отчет построен: %s.",
                  {Format("%.2d.%.2d.%.4d %d:%.2d:%.2d",
                          {p.day, p.month, p.year, p.hour, p.minute, p.second})});
}

void PutCheckedFirst(std::vector<TExportField>& fields) {
    std::stable_partition(fields.begin(), fields.end(),
                          [](const TExportField& f) { return f.checked; });
}

std::vector<std::string> RestoreExportOptions(TIniFile& ini, const std::string& section,
                                              TExportOptions& options, bool programIni) {
    std::vector<std::string> problems;
    if (!ini.SectionExists(section)) return problems;
    if (programIni) {
        options.restoreParameters =
            ini.ReadBool(section, "RestoreParameters", options.restoreParameters);
        if (!options.restoreParameters) return problems;
    }
    if (!programIni || Trim(options.title).empty())
        options.title = ini.ReadString(section, "Title", options.title);
    if (Trim(options.notes).empty())
        options.notes = ini.ReadString(section, "Notes", options.notes);
    options.showCreateTime = ini.ReadBool(section, "ShowCreateTime", options.showCreateTime);
    options.sheetName =
        Utf8Left(ini.ReadString(section, "SheetName", options.sheetName), kExportSheetNameMax);
    const int orientation = ini.ReadInteger(section, "PageOrientation", options.pageOrientation);
    if (orientation >= 0 && orientation <= 2) options.pageOrientation = orientation;
    const int fontSize = ini.ReadInteger(section, "BaseFontSize", options.baseFontSize);
    if (fontSize >= kExportFontSizeMin && fontSize <= kExportFontSizeMax)
        options.baseFontSize = fontSize;
    for (size_t i = 0; i < options.fields.size(); ++i) {
        const std::string key = Format(kFieldKey, {static_cast<long long>(i)});
        const std::string value = ini.ReadString(section, key, "");
        if (value.empty()) continue;
        try {
            if (!RestoreField(value, i, options.fields)) ini.DeleteKey(section, key);
        } catch (const EZentrix&) {
            problems.push_back(Format("Ошибка загрузки параметров экспортируемого поля ID=\"%d\"!",
                                      {static_cast<long long>(i)}));
        }
    }
    PutCheckedFirst(options.fields);
    return problems;
}

void StoreExportOptions(TIniFile& ini, const std::string& section, const TExportOptions& options,
                        bool programIni) {
    ini.EraseSection(section);
    if (programIni) ini.WriteBool(section, "RestoreParameters", options.restoreParameters);
    ini.WriteString(section, "Title", options.title);
    ini.WriteString(section, "Notes", options.notes);
    ini.WriteBool(section, "ShowCreateTime", options.showCreateTime);
    ini.WriteString(section, "SheetName", options.sheetName);
    ini.WriteInteger(section, "PageOrientation", options.pageOrientation);
    ini.WriteInteger(section, "BaseFontSize", options.baseFontSize);
    for (size_t i = 0; i < options.fields.size(); ++i)
        ini.WriteString(section, Format(kFieldKey, {static_cast<long long>(i)}),
                        FieldText(options.fields[i]));
}

std::vector<std::string> LoadExportFile(const std::string& path, const std::string& section,
                                        TExportOptions& options) {
    const std::string failure =
        Format("Ошибка загрузки параметров экспорта из файла \"%s\"!", {path});
    try {
        std::error_code ignored;
        if (!std::filesystem::exists(path, ignored)) throw EFileError("Файл не найден");
        TIniFile ini(path);
        if (!ini.SectionExists(section))
            throw EZentrix(Format("В файле нет раздела [%s]", {section}));
        TExportOptions read = options;
        std::vector<std::string> problems = RestoreExportOptions(ini, section, read, false);
        options = std::move(read);
        return problems;
    } catch (const std::exception& e) {
        throw EZentrix(failure + "\n\n" + ErrorText(e));
    }
}

void SaveExportFile(const std::string& path, const std::string& section,
                    const TExportOptions& options) {
    try {
        TIniFile ini(path);
        StoreExportOptions(ini, section, options, false);
        ini.UpdateFile();
    } catch (const std::exception& e) {
        throw EZentrix(Format("Ошибка сохранения параметров экспорта в файле \"%s\"!", {path}) +
                       "\n\n" + ErrorText(e));
    }
}

}  // namespace zentrix
