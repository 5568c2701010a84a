#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_table.h"

namespace zentrix {

class TIniFile;

// 0 left, 1 right, 2 centre: the values stored in the settings.
enum class TExportAlign { Left = 0, Right = 1, Center = 2 };

// One column of a table as it goes to the sheet.
struct TExportField {
    int sourceIndex = 0;       // the table's column
    std::string physicalName;  // the column's header; identifies it in stored options
    std::string caption;       // written as the column's header
    bool checked = true;
    int alignment = 0;  // a TExportAlign value
    std::string width;  // spreadsheet character units, two decimals, the locale's separator
};

struct TExportOptions {
    std::string title;
    std::string notes;
    bool showCreateTime = true;
    std::string sheetName;
    int pageOrientation = 0;  // 0 not set, 1 portrait, 2 landscape
    int baseFontSize = 8;
    int rowMode = 0;                   // 0 every shown row, 1 the selected rows
    bool restoreParameters = true;     // the program's settings file: restore when the dialog opens
    std::vector<TExportField> fields;  // in sheet order, checked ones first
};

inline constexpr int kExportSheetNameMax = 128;
inline constexpr int kExportFontSizeMin = 1;
inline constexpr int kExportFontSizeMax = 100;
inline constexpr int kExportDefaultFontSize = 8;
inline constexpr double kExportDefaultWidth = 10;
inline constexpr double kExportMaxWidth = 255;

const std::array<const char*, 3>& ExportAlignNames();
const std::array<const char*, 3>& ExportOrientationNames();
const std::array<const char*, 2>& ExportRowModeNames();

inline constexpr const char* kExportFileFilter =
    "Файлы параметров экспорта (*.exp)|*.exp|Все файлы (*.*)|*.*";

// "EXPORT_EXCEL_FORMMAIN.LVDRAWS" for the window FormMain and its table lvDraws.
std::string ExportSection(std::string_view window, std::string_view control);

// The defaults for a table: one checked field per column, captions from the headers, widths from
// the pixel widths / 8; a list view's fields take the column's alignment, a grid's start left.
TExportOptions DefaultExportOptions(const TTextTable& table, bool grid, const std::string& title,
                                    const std::string& sheetName, int orientation = 0,
                                    const std::string& notes = {});

// A width as kept in a field: two decimals with the locale's separator.
std::string ExportWidthText(double width);
// A field's width text read leniently: digits and the minus sign kept, "." and "," as the
// decimal point, anything else dropped; 10 when no number remains, at most 255, at least 0.
double ExportColumnWidth(std::string_view text);
// The width the field properties dialog starts with: the text as a number, 10 when unreadable.
double ExportEditWidth(std::string_view text);

// The sheet name made acceptable: quotes, "*", "?" and ":" removed, slashes to "-", brackets to
// round ones, at most 31 characters, trimmed.
std::string SafeSheetName(std::string_view name);
// The header's row (1-based): row 1 holds the title, then the notes when not blank and the date
// line when on, then one empty row.
int ExportHeaderRow(const TExportOptions& options);
// "Отчет построен: %s." with the local date and time.
std::string ExportCreatedLine();

// Checked fields before unchecked ones, keeping the order within each group.
void PutCheckedFirst(std::vector<TExportField>& fields);

// Reads stored options into `options`: from the program's settings file (programIni) the
// RestoreParameters flag decides whether anything else is read and the title is taken only when
// the current one is blank; from a parameter file everything is read. Unusable "Item_%d" keys
// are deleted from the section (in memory); the messages of keys that could not be read are
// returned. Nothing happens when the section is missing.
std::vector<std::string> RestoreExportOptions(TIniFile& ini, const std::string& section,
                                              TExportOptions& options, bool programIni);
// Erases the section and writes the options anew (RestoreParameters only into the program's
// settings file); the file is not written.
void StoreExportOptions(TIniFile& ini, const std::string& section, const TExportOptions& options,
                        bool programIni);

// A parameter file ("*.exp"). Loading reads a copy: on failure (missing or unreadable file, no
// section of this table) it raises EZentrix with "Ошибка загрузки параметров экспорта из файла
// ..." and `options` stay as they were; the problems of single keys are returned. Saving writes
// the file atomically and raises "Ошибка сохранения параметров экспорта в файле ...".
std::vector<std::string> LoadExportFile(const std::string& path, const std::string& section,
                                        TExportOptions& options);
void SaveExportFile(const std::string& path, const std::string& section,
                    const TExportOptions& options);

}  // namespace zentrix
