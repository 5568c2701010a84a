#include "app/export_controller.h"

#include <algorithm>

#include "app/session.h"
#include "core/list_rows.h"
#include "exchange/xlsx_export.h"
#include "stakes/stake_view.h"
#include "stats/stat_table.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/ini.h"
#include "util/program_folder.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr int kListColumnWidth = 80;

// A list whose controller gives Count and RowTexts (the draws and combination lists).
template <typename TController>
TTextTable ListTable(std::vector<std::string> headers, const TController& controller,
                     std::vector<int> widths) {
    TTextTable table;
    table.alignments.assign(headers.size(), TCellAlign::Right);
    table.headers = std::move(headers);
    table.widths = std::move(widths);
    table.widths.resize(table.headers.size(), kListColumnWidth);
    for (int r = 0; r < controller.Count(); ++r) table.rows.push_back(controller.RowTexts(r));
    return table;
}

TTextTable DrawsTable(TMainSession& s) {
    std::vector<int> widths(DrawsListHeader().size(), 32);
    widths.front() = 70;
    widths[10] = 40;
    widths.back() = 110;
    TTextTable table = ListTable(DrawsListHeader(), s.Archive(), widths);
    table.alignments.back() = TCellAlign::Left;  // the date
    return table;
}

TTextTable CombsTable(TMainSession& s) {
    std::vector<int> widths(CombListHeader().size(), 32);
    widths.front() = 64;
    return ListTable(CombListHeader(), s.Combs(), widths);
}

// The columns shown: the comparison's columns only with the comparison on.
TTextTable StatsTable(TMainSession& s) {
    const TStatsController& stats = s.Stats();
    std::vector<int> columns;
    for (int c = 0; c < kStatColumnCount; ++c)
        if (stats.NormColumnsShown() ||
            (c != kColNorm && c != kColDeviation && c != kColDeviationPercent))
            columns.push_back(c);
    TTextTable table;
    for (int c : columns) {
        table.headers.push_back(StatColumnCaptions()[c]);
        table.alignments.push_back(c == kColValue ? TCellAlign::Left : TCellAlign::Right);
        table.widths.push_back(c == kColValue ? 140 : kListColumnWidth);
    }
    if (!stats.HasTable()) return table;
    for (int r = 0; r < stats.Table().RowCount(); ++r) {
        std::vector<std::string>& row = table.rows.emplace_back();
        for (int c : columns) row.push_back(stats.Table().CellText(r, c));
    }
    return table;
}

TTextTable StakesTable(TMainSession& s) {
    TTextTable table = StakesTableFrame();
    const int64_t count = s.Stakes().Count();
    for (int64_t r = 1; r <= count; ++r) table.rows.push_back(s.Stakes().RowCells(r));
    return table;
}

}  // namespace

const std::vector<TExportTableEntry>& ExportTables() {
    static const std::vector<TExportTableEntry> tables = {
        {"draws", "lvDraws", "Архив тиражей", "Экспорт в Microsoft Excel",
         "Экспорт списка тиражей в Microsoft Excel", false,
         [](TMainSession& s) { return s.Archive().Count() > 0; }, DrawsTable},
        {"combs", "lvCombs", "Комбинации", "Экспорт в Microsoft Excel",
         "Экспорт списка комбинаций в Microsoft Excel", false,
         [](TMainSession& s) { return s.Combs().Count() > 0; }, CombsTable},
        {"stats", "lvDrawsStat", "Статистика", "Экспорт статистики в Microsoft Excel",
         "Экспорт данных статистики в Microsoft Excel", false,
         [](TMainSession& s) { return s.Stats().HasTable() && s.Stats().Table().RowCount() > 0; },
         StatsTable},
        {"stakes", "sgStakes", "Ставки", "Экспорт ставок в Microsoft Excel",
         "Экспорт ставок в Microsoft Excel", true,
         [](TMainSession& s) { return s.Stakes().Count() > 0; }, StakesTable},
        {"ratings", "lvRatings", "Рейтинг", "Экспорт рейтинга в Microsoft Excel",
         "Экспорт рейтинга в Microsoft Excel", false,
         [](TMainSession& s) { return s.Ratings().Count() > 0; },
         [](TMainSession& s) { return s.Ratings().Table(); }},
        {"card", "sgCard", "Карта", "Экспорт карты тиражей в Microsoft Excel",
         "Экспорт карты тиражей в Microsoft Excel", true,
         [](TMainSession& s) { return s.Core().Settings().Options().TabCard; },
         [](TMainSession& s) {
             s.Views().RebuildCard(false);  // the command line has not built it
             return s.Views().Card().Table();
         }},
        {"scheme", "sgLayout", "Схема", "Экспорт схемы в Microsoft Excel",
         "Экспорт схемы в Microsoft Excel", true,
         [](TMainSession& s) {
             s.Views().BuildLayout(false);  // a no-op once built for the shown tab
             return s.Core().Settings().Options().TabLayout && s.Views().Layout().Columns() > 2;
         },
         [](TMainSession& s) { return s.Views().Layout().Table(); }},
    };
    return tables;
}

const TExportTableEntry* FindExportTable(std::string_view name) {
    for (const TExportTableEntry& entry : ExportTables())
        if (SameText(entry.name, name)) return &entry;
    return nullptr;
}

std::string TExportJob::Section() const {
    return ExportSection(kExportWindowName, entry ? entry->control : std::string());
}

std::vector<size_t> TExportJob::Rows() const {
    if (options.rowMode == 1) return selected;
    std::vector<size_t> rows(table.rows.size());
    for (size_t r = 0; r < rows.size(); ++r) rows[r] = r;
    return rows;
}

void TExportController::RefuseDataFile(const std::string& path) const {
    if (IsProgramDataFile(core_.Folder(), path))
        throw EFileError("Это один из файлов данных программы: в него ничего не записывается.");
}

TExportController::TExportController(TMainSession& session)
    : session_(session), core_(session.Core()) {}

bool TExportController::CanExport(const TExportTableEntry& entry) const {
    return core_.NotBusy() && entry.available(session_);
}

TExportJob TExportController::Open(const TExportTableEntry& entry, std::vector<size_t> selected,
                                   const TViewWidths& widths) {
    TBusyScope busy(core_, {});
    TExportJob job;
    job.entry = &entry;
    job.table = entry.table(session_);
    for (const auto& [header, pixels] : widths)
        for (size_t c = 0; c < job.table.headers.size(); ++c)
            if (job.table.headers[c] == header && c < job.table.widths.size())
                job.table.widths[c] = pixels;
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    std::erase_if(selected, [&job](size_t r) { return r >= job.table.rows.size(); });
    job.selected = std::move(selected);
    job.options = DefaultExportOptions(job.table, entry.grid, entry.tabCaption, entry.tabCaption);
    job.options.rowMode = job.selected.size() > 1 ? 1 : 0;
    if (job.allowStored) {
        try {
            TIniFile ini(core_.FilePath(".ini"));
            for (const std::string& problem :
                 RestoreExportOptions(ini, job.Section(), job.options, true))
                core_.ErrorBox(problem);
        } catch (const std::exception& e) {
            core_.ErrorBox(Format("Ошибка загрузки параметров экспорта из файла \"%s\"!",
                                  {core_.FilePath(".ini")}) +
                           "\n\n" + ErrorText(e));
        }
    }
    PutCheckedFirst(job.options.fields);
    return job;
}

std::optional<std::string> TExportController::ChooseOptionsFile(bool save) {
    TFileChoice choice;
    choice.save = save;
    choice.title = save ? "Сохранить в файле" : "Загрузить из файла";
    choice.filter = kExportFileFilter;
    choice.defaultExtension = "exp";
    choice.initialFolder = core_.Folder();
    return core_.Ui().ChooseFile(choice);
}

bool TExportController::LoadOptionsFile(TExportJob& job, const std::string& path) {
    try {
        for (const std::string& problem : LoadExportFile(path, job.Section(), job.options))
            core_.ErrorBox(problem);
        return true;
    } catch (const std::exception& e) {
        core_.ErrorBox(ErrorText(e));
        return false;
    }
}

bool TExportController::SaveOptionsFile(const TExportJob& job, const std::string& path) {
    try {
        RefuseDataFile(path);
    } catch (const std::exception& e) {
        core_.ErrorBox(Format("Ошибка сохранения параметров экспорта в файле \"%s\"!", {path}) +
                       "\n\n" + ErrorText(e));
        return false;
    }
    try {
        SaveExportFile(path, job.Section(), job.options);
        return true;
    } catch (const std::exception& e) {
        core_.ErrorBox(ErrorText(e));
        return false;
    }
}

bool TExportController::StoreOptions(const TExportJob& job) {
    const std::string path = core_.FilePath(".ini");
    try {
        TIniFile ini(path);
        StoreExportOptions(ini, job.Section(), job.options, true);
        ini.UpdateFile();
        return true;
    } catch (const std::exception& e) {
        core_.ErrorBox(Format("Ошибка сохранения параметров экспорта в файле \"%s\"!", {path}) +
                       "\n\n" + ErrorText(e));
        return false;
    }
}

void TExportController::WriteWorkbook(const TExportJob& job, const std::string& path) {
    TBusyScope busy(core_, {});
    RefuseDataFile(path);
    const std::vector<size_t> rows = job.Rows();
    TProgressScope progress(core_, "Экспорт в Microsoft Excel...",
                            ExportStepCount(job.options, rows.size()));
    // Steps are passed on in batches: a long list would spend its time repainting the window.
    int pending = 0;
    auto flush = [this, &pending] {
        if (pending > 0) core_.StepProgress(pending);
        pending = 0;
    };
    WriteExportWorkbook(path, job.options, job.table, rows, ExportCreatedLine(),
                        [this, &pending, &flush](const std::string& text) {
                            if (text.empty()) {
                                if (++pending >= 64) flush();
                                return;
                            }
                            flush();
                            core_.SetProgressText(text);
                        });
    flush();
}

bool TExportController::Export(const TExportJob& job) {
    if (job.allowStored) StoreOptions(job);
    TFileChoice choice;
    choice.save = true;
    choice.title = "Сохранить книгу Microsoft Excel";
    choice.filter = "Книги Microsoft Excel (*.xlsx)|*.xlsx|Все файлы (*.*)|*.*";
    choice.defaultExtension = "xlsx";
    choice.initialFolder = core_.Folder();
    const std::string name = SafeSheetName(job.options.sheetName);
    choice.initialName = (name.empty() ? std::string("Экспорт") : name) + ".xlsx";
    const std::optional<std::string> path = core_.Ui().ChooseFile(choice);
    if (!path) return false;
    try {
        WriteWorkbook(job, *path);
    } catch (const std::exception& e) {
        core_.ErrorBox(Format("Ошибка экспорта данных в Microsoft Excel!\n%s", {ErrorText(e)}));
        return false;
    }
    core_.Ui().OpenDocument(*path);
    return true;
}

}  // namespace zentrix
