#include <memory>
#include <optional>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/stats_table.h"
#include "cli/tsv.h"
#include "stats/prefetch.h"
#include "stats/stat_table.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix::cli {

namespace {

void AddTableOptions(CLI::App* cmd, TTableOptions& o) {
    cmd->add_option("CODE", o.code, "Method code, e.g. NUMS, POS3, KNM2 (see \"stats list\")")
        ->required();
    cmd->add_option("--window", o.window, "Number of draws counted, ending at the reference draw")
        ->check(IntRange(1, INT32_MAX));
    cmd->add_option("--offset", o.offset, "Reference draw: how many draws back from the newest");
    cmd->add_flag("--sorted", o.sorted, "Numbers of each draw in ascending order");
    cmd->add_flag("--norm", o.norm,
                  "Compare with the full set of combinations (builds the file when missing)");
}

}  // namespace

void PrepareStats(TCliSession& s, const TTableOptions& o) {
    s.session.LoadConfig();
    s.session.InitRegistry();
    TArchiveController& archive = s.session.Archive();
    archive.LoadArchive();
    s.ExitOnErrors();
    SetOffsetOption(archive, o.offset);
    TMainOptions& options = s.session.Core().Settings().Options();
    options.SortedDraws = o.sorted;
    options.PrefetchsEnabled = o.norm;
}

// Selects the method by its code, which computes its table as choosing it in the window does:
// once. A full-set file that cannot be read or built has shown its message and the table has no
// norms; the caller decides what that means for the exit status.
void ComputeTable(TCliSession& s, const TTableOptions& o) {
    TStatsController& stats = s.session.Stats();
    const int entry = stats.Registry().FindCode(o.code);
    if (entry < 0) throw EZentrix(Format("Неизвестный метод расчета статистики: %s", {o.code}));
    stats.Registry().SetAllFavourite();
    stats.FillMethodLists(false, false);
    const auto& items = stats.MethodLists().Stats;
    int position = -1;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].Entry == entry) position = static_cast<int>(i);
    if (position < 0) throw EZentrix(Format("Метод %s не выводится в списке статистик", {o.code}));
    // Building a missing full-set file writes into the data folder.
    if (o.norm && stats.Registry().MethodAt(entry).Class->HasNorm() &&
        FileSize(PrefetchFileName(s.session.Core().Folder(), stats.Registry(), entry)) <= 0)
        s.LockData();
    stats.SetWindowLength(o.window);
    stats.SelectPosition(position);
    stats.CalcStatTable(false);  // nothing to do when choosing the method computed it
    if (stats.HasTable()) return;
    s.ExitOnErrors();
    throw EZentrix("Архив тиражей пуст: статистику рассчитать не по чему");
}

namespace {

std::string OrderHelp() {
    std::string help =
        "list (the value list's order) or COLUMN[:asc|:desc], COLUMN a caption or its number "
        "(default: \"Количество\" ascending). Columns:";
    for (int c = 0; c < kStatColumnCount; ++c)
        help +=
            Format(" %d %s%s", {c, StatColumnCaptions()[c], c + 1 < kStatColumnCount ? "," : "."});
    return help;
}

// "list", or a column's caption or number with an optional ":desc".
void ApplyOrder(TStatTable& table, const std::string& order) {
    if (order.empty()) return;
    if (SameText(order, "list")) {
        table.ListOrder();
        return;
    }
    std::string column = order;
    bool descending = false;
    if (size_t colon = order.rfind(':'); colon != std::string::npos) {
        std::string dir = order.substr(colon + 1);
        if (SameText(dir, "desc") || SameText(dir, "asc")) {
            descending = SameText(dir, "desc");
            column = order.substr(0, colon);
        }
    }
    int index = -1;
    if (auto n = TryStrToInt(column); n && *n >= 0 && *n < kStatColumnCount) index = *n;
    for (int c = 0; c < kStatColumnCount && index < 0; ++c)
        if (SameText(StatColumnCaptions()[c], column)) index = c;
    if (index < 0) throw EZentrix(Format("Неизвестный столбец таблицы: %s", {column}));
    table.Sort(index, descending);
}

void RegisterList(CLI::App& parent, TCliContext& ctx) {
    CLI::App* cmd =
        parent.add_subcommand("list", "The statistic methods of the registry as TSV, in order");
    cmd->callback([&ctx] {
        TCliSession s(ctx, false);
        s.session.LoadConfig();
        s.session.InitRegistry();
        s.ExitOnErrors();
        const TStatList& registry = s.session.Stats().Registry();
        std::vector<TTsvRow> rows;
        for (int i = 0; i < registry.MethodCount(); ++i) {
            const TStatMethod& m = registry.MethodAt(i);
            rows.push_back({std::to_string(i), m.Class->CodeOf(m.Index),
                            registry.EntryCaption(i, true), GroupCode(m.Class->MethodGroup()),
                            FlagLetters(m.Class->AllFlags())});
        }
        WriteTsv(ctx.out, {"index", "code", "caption", "group", "flags"}, rows);
    });
}

void RegisterTable(CLI::App& parent, TCliContext& ctx) {
    struct TOptions : TTableOptions {
        std::string order;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "table", "A method's statistics table over the window of draws as TSV");
    AddTableOptions(cmd, *o);
    cmd->add_option("--order", o->order, OrderHelp());
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        PrepareStats(s, *o);
        ComputeTable(s, *o);
        // Sort a copy for printing.
        TStatTable table = s.session.Stats().Table();
        ApplyOrder(table, o->order);
        TTsvRow header(StatColumnCaptions().begin(), StatColumnCaptions().end());
        WriteTsvRow(ctx.out, header);
        TTsvRow row(kStatColumnCount);
        for (int r = 0; r < table.RowCount(); ++r) {
            for (int c = 0; c < kStatColumnCount; ++c) row[c] = table.CellText(r, c);
            WriteTsvRow(ctx.out, row);
        }
        // The norms asked for could not be given: the table is printed, the command failed.
        s.ExitOnErrors();
    });
}

}  // namespace

void RegisterCombsFilterCommand(CLI::App& combs, TCliContext& ctx) {
    struct TOptions : TTableOptions {
        bool keep = false;
        bool remove = false;
        std::vector<std::string> values;
        std::string in, out;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = combs.add_subcommand(
        "filter",
        "Keep or remove the combinations that have the selected values of a method's table; "
        "prints the number left");
    AddTableOptions(cmd, *o);
    auto* keep = cmd->add_flag("--keep", o->keep, "Keep the combinations with a selected value");
    auto* remove =
        cmd->add_flag("--remove", o->remove, "Remove the combinations with a selected value");
    keep->excludes(remove);
    cmd->add_option("--values", o->values, "Labels of the table's \"Значение\" column")->required();
    AddCombFileOptions(*cmd, o->in, o->out);
    cmd->callback([&ctx, o] {
        if (!o->keep && !o->remove) throw CLI::ValidationError("--keep or --remove is required");
        TCliSession s(ctx, false);
        PrepareStats(s, *o);
        ComputeTable(s, *o);
        s.ExitOnErrors();
        TStatsController& stats = s.session.Stats();
        std::vector<int> rows;
        for (const std::string& label : o->values) {
            int found = -1;
            for (int r = 0; r < stats.Table().RowCount() && found < 0; ++r)
                if (stats.Table().CellText(r, kColValue) == label) found = r;
            if (found < 0)
                throw EZentrix(
                    Format("Значения \"%s\" нет в таблице статистики %s", {label, o->code}));
            rows.push_back(found);
        }
        NarrowCombFile(s, ctx, o->in, o->out,
                       [&](TCombsController&) { stats.FilterCombs(nullptr, o->remove, rows); });
    });
}

void RegisterStatsCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* stats = app.add_subcommand("stats", "Statistic methods and their tables");
    stats->require_subcommand(1);
    RegisterList(*stats, ctx);
    RegisterTable(*stats, ctx);
    RegisterStatsHelpCommand(*stats, ctx);
}

void RegisterPrefetchCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* prefetch =
        app.add_subcommand("prefetch", "Full-set distribution files (folder Prefetchs)");
    prefetch->require_subcommand(1);
    struct TOptions {
        bool force = false;
        std::vector<std::string> codes;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = prefetch->add_subcommand(
        "build",
        "Create the missing and the damaged files (all, or of the given methods), going on past "
        "a file that fails; prints how many were written, exit status 1 when any failed");
    cmd->add_flag("--force", o->force, "Recreate the readable files too");
    cmd->add_option("CODE", o->codes, "Method codes (default: every method with flag N)");
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        s.LockData();
        s.session.LoadConfig();
        s.session.InitRegistry();
        s.ExitOnErrors();
        const TStatList& registry = s.session.Stats().Registry();
        TPrefetchSelection selection;
        if (o->force)
            selection.rebuild.set();
        else
            selection.repairDamaged = true;
        for (const std::string& code : o->codes) {
            const int entry = registry.FindCode(code);
            if (entry < 0)
                throw EZentrix(Format("Неизвестный метод расчета статистики: %s", {code}));
            if (!registry.MethodAt(entry).Class->HasNorm())
                throw EZentrix(
                    Format("У метода %s нет распределения по полному набору комбинаций", {code}));
            selection.entries.push_back(entry);
        }
        TPrefetchBuildHooks hooks;
        hooks.failed = [&](const std::string& message) { s.session.Core().ErrorBox(message); };
        const int written =
            BuildPrefetchFiles(registry, s.session.Core().Folder(), selection, hooks);
        ctx.out << written << "\n";
        s.ExitOnErrors();
    });
}

}  // namespace zentrix::cli
