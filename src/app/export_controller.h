#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/text_table.h"
#include "exchange/export_options.h"

namespace zentrix {

class TMainSession;
class TSessionCore;

// One table of the main window that goes to a spreadsheet.
struct TExportTableEntry {
    std::string name;        // the command line's name: "draws"
    std::string control;     // the table's control: "lvDraws"
    std::string tabCaption;  // the title and the sheet name
    std::string caption;     // the action's caption
    std::string hint;
    bool grid = false;  // a grid's fields start left-aligned
    // Besides the program not being busy.
    std::function<bool(TMainSession&)> available;
    // The rows in display order.
    std::function<TTextTable(TMainSession&)> table;
};

// The tables, in the order of their commands; each is one entry of the table in the source.
const std::vector<TExportTableEntry>& ExportTables();
// Nothing for an unknown name.
const TExportTableEntry* FindExportTable(std::string_view name);
inline constexpr const char* kExportWindowName = "FormMain";

// One export as the options dialog edits it.
struct TExportJob {
    const TExportTableEntry* entry = nullptr;
    TTextTable table;
    std::vector<size_t> selected;  // rows selected in the window, ascending
    TExportOptions options;
    bool allowStored = true;

    std::string Section() const;
    // "Число строк:" for a row mode.
    size_t RowCount(int mode) const { return mode == 0 ? table.rows.size() : selected.size(); }
    // The rows that go out in the chosen mode.
    std::vector<size_t> Rows() const;
};

// The view's pixel width of a column, by its header; columns not listed keep the designed width.
using TViewWidths = std::vector<std::pair<std::string, int>>;

// The spreadsheet export of the main window's tables: the options dialog's opening, its parameter
// files, and the export after OK, which asks where to save the workbook and opens it with the
// desktop's program.
class TExportController {
  public:
    explicit TExportController(TMainSession& session);

    bool CanExport(const TExportTableEntry& entry) const;
    // The dialog's opening: the defaults from the table, then the stored options when allowed.
    TExportJob Open(const TExportTableEntry& entry, std::vector<size_t> selected,
                    const TViewWidths& widths = {});

    // The file dialogs of "Загрузить из файла" and "Сохранить в файле"; nothing when cancelled.
    std::optional<std::string> ChooseOptionsFile(bool save);
    // False after the error box; the job stays as it was.
    bool LoadOptionsFile(TExportJob& job, const std::string& path);
    bool SaveOptionsFile(const TExportJob& job, const std::string& path);
    // The options into the program's settings file; false after the error box.
    bool StoreOptions(const TExportJob& job);

    // OK: the options stored (when allowed), the workbook's file chosen, written and opened.
    // False when the choice was cancelled or the writing failed (after its error box).
    bool Export(const TExportJob& job);
    // The writing itself, busy and with the progress window; raises on failure.
    void WriteWorkbook(const TExportJob& job, const std::string& path);

  private:
    // The data folder's own files are never written over.
    void RefuseDataFile(const std::string& path) const;

    TMainSession& session_;
    TSessionCore& core_;
};

}  // namespace zentrix
