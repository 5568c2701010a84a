#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/export_controller.h"
#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/stakes_open.h"
#include "cli/stats_table.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix::cli {

namespace {

struct TExportCliOptions {
    std::string table;
    std::string out;
    std::string options;
    std::string selected;
    std::string in;  // combs
    TTableOptions stats;
};

std::string TableNames() {
    std::string names;
    for (const TExportTableEntry& e : ExportTables()) names += (names.empty() ? "" : ", ") + e.name;
    return names;
}

size_t RowNumber(const std::string& text, size_t count, const std::string& item) {
    const std::optional<int64_t> n = TryStrToInt64(Trim(text));
    if (!n || *n < 1 || static_cast<uint64_t>(*n) > count)
        throw EZentrix(
            Format("Неверный номер строки \"%s\" в --selected: строки таблицы от 1 до %d",
                   {item, static_cast<long long>(count)}));
    return static_cast<size_t>(*n - 1);
}

// "1,4-7,10": row numbers (1-based, in display order) and ranges, separated by commas.
std::vector<size_t> ParseRows(const std::string& text, size_t count) {
    std::vector<size_t> rows;
    for (const std::string& word : SplitAny(text, ",")) {
        const std::string item = Trim(word);
        if (item.empty()) continue;
        const size_t dash = item.find('-', 1);
        const size_t first = RowNumber(item.substr(0, dash), count, item);
        const size_t last =
            dash == std::string::npos ? first : RowNumber(item.substr(dash + 1), count, item);
        if (last < first)
            throw EZentrix(Format("Неверный диапазон строк \"%s\" в --selected", {item}));
        for (size_t r = first; r <= last; ++r) rows.push_back(r);
    }
    if (rows.empty()) throw EZentrix("Пустой список строк в --selected");
    // As a selection in the window: each row once, in display order.
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

// Loads what the table shows, as the program does at start.
void LoadTable(TCliSession& s, const TExportCliOptions& o) {
    const std::string& name = o.table;
    if (name == "stats") {
        if (o.stats.code.empty()) throw EZentrix("Для таблицы stats нужен --method CODE");
        PrepareStats(s, o.stats);
        ComputeTable(s, o.stats);
    } else if (name == "stakes" || name == "ratings") {
        OpenStakesSession(s);
    } else if (name == "combs") {
        if (o.in.empty()) throw EZentrix("Для таблицы combs нужен --in FILE.lcv");
        s.session.LoadWindowSettings();
        if (!s.session.Combs().ReadCombFile(o.in)) throw ECliExit(1);
    } else {
        s.session.LoadWindowSettings();
        s.session.Archive().LoadArchive();
    }
    s.ExitOnErrors();
}

}  // namespace

void RegisterExportCommand(CLI::App& app, TCliContext& ctx) {
    auto o = std::make_shared<TExportCliOptions>();
    CLI::App* cmd = app.add_subcommand(
        "export",
        "Write a table of the main window as an .xlsx workbook, with the export options "
        "stored for it in the settings file (or a parameter file)");
    cmd->add_option("TABLE", o->table, "draws, combs, stats, stakes or ratings")->required();
    cmd->add_option("--out", o->out, "Workbook to write (.xlsx)")->required();
    cmd->add_option("--options", o->options, "Export parameter file (.exp) to apply");
    cmd->add_option("--selected", o->selected,
                    "Only these rows: 1-based numbers in display order and ranges, "
                    "e.g. \"1,4-7,10\"");
    cmd->add_option("--in", o->in, "combs: the combination file (.lcv) to export");
    cmd->add_option("--method", o->stats.code, "stats: the method code, e.g. NUMS");
    cmd->add_option("--window", o->stats.window, "stats: number of draws counted")
        ->check(IntRange(1, INT32_MAX));
    cmd->add_option("--offset", o->stats.offset, "stats: the reference draw's offset")
        ->check(IntRange(0, INT32_MAX));
    cmd->add_flag("--norm", o->stats.norm, "stats: compare with the full set of combinations");
    cmd->callback([&ctx, o] {
        const TExportTableEntry* entry = FindExportTable(o->table);
        if (!entry)
            throw EZentrix(Format("Неизвестная таблица \"%s\": ожидается одна из: %s",
                                  {o->table, TableNames()}));
        o->table = entry->name;
        TCliSession s(ctx, false);
        LoadTable(s, *o);
        s.LockDataIfInside(o->out);
        TExportController exporter(s.session);
        if (!exporter.CanExport(*entry))
            throw EZentrix(Format("Таблица %s пуста: экспортировать нечего", {entry->name}));
        TExportJob job = exporter.Open(*entry, {});
        if (!o->options.empty() && !exporter.LoadOptionsFile(job, o->options)) throw ECliExit(1);
        if (!o->selected.empty()) {
            job.selected = ParseRows(o->selected, job.table.rows.size());
            job.options.rowMode = 1;
        } else {
            job.options.rowMode = 0;
        }
        try {
            exporter.WriteWorkbook(job, o->out);
        } catch (const std::exception& e) {
            throw EZentrix(Format("Ошибка экспорта данных в Microsoft Excel!\n%s", {ErrorText(e)}));
        }
        s.ExitOnErrors();
        ctx.out << job.Rows().size() << "\n";
    });
}

}  // namespace zentrix::cli
