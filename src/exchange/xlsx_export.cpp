#include "exchange/xlsx_export.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>

#include "util/errors.h"
#include "util/files.h"
#include "util/strings.h"

namespace zentrix {

namespace {

// A cell holds at most this many characters.
constexpr size_t kCellMax = 32767;

// A private folder for the library's working files and the workbook before it is put in place.
class TScratchFolder {
  public:
    TScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zentrix-xlsx-XXXXXX");
        if (!mkdtemp(pattern.data())) throw EFileError("Не удалось создать временную папку");
        path_ = pattern;
    }
    ~TScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

void Check(lxw_error error) {
    if (error != LXW_NO_ERROR) throw EZentrix(lxw_strerror(error));
}

// Control characters other than tab and line feed make the sheet's XML invalid.
std::string CellText(std::string_view text) {
    std::string cell;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') cell += c;
    if (!IsValidUtf8(cell)) throw EZentrix("Текст ячейки не в кодировке UTF-8");
    return Utf8Length(cell) > kCellMax ? Utf8Left(cell, kCellMax) : cell;
}

uint8_t Horizontal(int alignment) {
    switch (static_cast<TExportAlign>(alignment)) {
        case TExportAlign::Right:
            return LXW_ALIGN_RIGHT;
        case TExportAlign::Center:
            return LXW_ALIGN_CENTER;
        case TExportAlign::Left:
            break;
    }
    return LXW_ALIGN_LEFT;
}

// The workbook handle, freed also when the writing fails half-way.
struct TWorkbook {
    lxw_workbook* book = nullptr;
    ~TWorkbook() {
        // workbook_close both writes and frees; after a failure the file is discarded anyway.
        if (book) workbook_close(book);
    }
};

class TSheetWriter {
  public:
    TSheetWriter(lxw_workbook* book, lxw_worksheet* sheet, const TExportOptions& options)
        : book_(book), sheet_(sheet), options_(options) {}

    lxw_format* Format(int sizeIncrease, uint8_t horizontal, bool bold, bool italic, bool wrap,
                       uint8_t border) {
        lxw_format* f = workbook_add_format(book_);
        if (!f) throw EZentrix("Недостаточно памяти для формата ячеек");
        format_set_font_size(f, options_.baseFontSize + sizeIncrease);
        format_set_align(f, horizontal);
        format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
        if (bold) format_set_bold(f);
        if (italic) format_set_italic(f);
        if (wrap) format_set_text_wrap(f);
        if (border != LXW_BORDER_NONE) format_set_border(f, border);
        return f;
    }

    void Write(size_t row, size_t column, std::string_view text, lxw_format* format) {
        Check(worksheet_write_string(sheet_, static_cast<lxw_row_t>(row),
                                     static_cast<lxw_col_t>(column), CellText(text).c_str(),
                                     format));
    }

  private:
    lxw_workbook* book_;
    lxw_worksheet* sheet_;
    const TExportOptions& options_;
};

}  // namespace

int ExportStepCount(const TExportOptions& options, size_t rows) {
    return static_cast<int>(2 * options.fields.size() + rows + 5);
}

void WriteExportWorkbook(const std::string& path, const TExportOptions& options,
                         const TTextTable& table, const std::vector<size_t>& rows,
                         const std::string& createdLine, const TExportStep& step) {
    auto progress = [&step](const std::string& text) {
        if (step) step(text);
    };
    std::vector<const TExportField*> fields;
    for (const TExportField& f : options.fields)
        if (f.checked) fields.push_back(&f);
    for (size_t r : rows)
        if (r >= table.rows.size()) throw EZentrix("Строка таблицы вне диапазона");
    if (rows.size() + ExportHeaderRow(options) > LXW_ROW_MAX)
        throw EZentrix("Слишком много строк для одного листа");
    if (fields.size() > LXW_COL_MAX) throw EZentrix("Слишком много столбцов для одного листа");

    TScratchFolder scratch;
    const std::string scratchFile = scratch.Path() + "/book.xlsx";
    progress("Создание рабочей книги...");
    lxw_workbook_options bookOptions{};
    bookOptions.constant_memory = 1;  // rows go out as written: a long list stays small in memory
    bookOptions.tmpdir = const_cast<char*>(scratch.Path().c_str());
    TWorkbook workbook;
    workbook.book = workbook_new_opt(scratchFile.c_str(), &bookOptions);
    if (!workbook.book) throw EZentrix("Не удалось создать рабочую книгу");
    progress({});

    progress("Создание листа...");
    const std::string sheetName = SafeSheetName(options.sheetName);
    lxw_worksheet* sheet =
        workbook_add_worksheet(workbook.book, sheetName.empty() ? nullptr : sheetName.c_str());
    if (!sheet) throw EZentrix("Не удалось создать лист \"" + sheetName + "\"");
    TSheetWriter writer(workbook.book, sheet, options);
    progress({});

    progress("Форматирование листа...");
    if (options.pageOrientation == 1) worksheet_set_portrait(sheet);
    if (options.pageOrientation == 2) worksheet_set_landscape(sheet);
    progress({});
    std::array<lxw_format*, 3> columnFormats{}, dataFormats{};
    for (int a = 0; a < 3; ++a) {
        columnFormats[a] = writer.Format(0, Horizontal(a), false, false, false, LXW_BORDER_NONE);
        dataFormats[a] = writer.Format(0, Horizontal(a), false, false, false, LXW_BORDER_THIN);
    }
    for (size_t j = 0; j < fields.size(); ++j) {
        const int align = std::clamp(fields[j]->alignment, 0, 2);
        Check(worksheet_set_column(sheet, static_cast<lxw_col_t>(j), static_cast<lxw_col_t>(j),
                                   ExportColumnWidth(fields[j]->width), columnFormats[align]));
    }
    for (size_t i = 0; i < options.fields.size(); ++i) progress({});

    // Rows are written top to bottom: the constant-memory mode requires it.
    lxw_format* titleFormat = writer.Format(4, LXW_ALIGN_LEFT, true, false, false, LXW_BORDER_NONE);
    lxw_format* notesFormat = writer.Format(0, LXW_ALIGN_LEFT, true, false, false, LXW_BORDER_NONE);
    lxw_format* dateFormat = writer.Format(0, LXW_ALIGN_LEFT, false, true, false, LXW_BORDER_NONE);
    writer.Write(0, 0, options.title, titleFormat);
    size_t line = 1;
    if (!Trim(options.notes).empty()) writer.Write(line++, 0, options.notes, notesFormat);
    if (options.showCreateTime) writer.Write(line, 0, createdLine, dateFormat);
    progress({});

    const size_t header = static_cast<size_t>(ExportHeaderRow(options)) - 1;
    lxw_format* headerFormat =
        writer.Format(0, LXW_ALIGN_CENTER, false, false, true, LXW_BORDER_MEDIUM);
    for (size_t j = 0; j < fields.size(); ++j)
        writer.Write(header, j, fields[j]->caption, headerFormat);
    for (size_t i = 0; i < options.fields.size(); ++i) progress({});

    progress("Подготовка данных для экспорта...");
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::vector<std::string>& cells = table.rows[rows[i]];
        for (size_t j = 0; j < fields.size(); ++j) {
            const size_t source = static_cast<size_t>(std::max(fields[j]->sourceIndex, 0));
            const std::string empty;
            const std::string& text = source < cells.size() ? cells[source] : empty;
            writer.Write(header + 1 + i, j, text,
                         dataFormats[std::clamp(fields[j]->alignment, 0, 2)]);
        }
        progress({});
    }

    progress("Запись файла книги...");
    lxw_workbook* book = workbook.book;
    workbook.book = nullptr;
    Check(workbook_close(book));
    AtomicWriteFile(path, ReadFileBytes(scratchFile));
    progress({});
}

}  // namespace zentrix
