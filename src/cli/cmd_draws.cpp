#include <cstdint>
#include <memory>
#include <optional>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/tsv.h"
#include "core/archive.h"
#include "core/comb_text.h"
#include "core/draw_dialog.h"
#include "core/list_rows.h"
#include "util/datetime.h"
#include "util/errors.h"
#include "util/format.h"

namespace zentrix::cli {

namespace {

struct TDrawOptions {
    int number = 0;
    std::string line;
    std::string date;
    int newNumber = 0;
    CLI::Option* dateOption = nullptr;
};

// The record with the options' changes, checked as the draw dialog checks them: a refused
// change ends the command with the error box.
TDraw CheckedChange(TCliSession& s, const TDraw& stored, const TDrawChange& change) {
    try {
        return ChangedDraw(stored, change);
    } catch (const EConvertError& e) {
        s.session.Core().ErrorBox(e.what());
        throw ECliExit(1);
    }
}

std::optional<std::string> DateChange(const TDrawOptions& o) {
    if (o.dateOption->count() == 0) return std::nullopt;
    return o.date;
}

int RowOfNumber(TCliSession& s, int number) {
    TArchiveController& archive = s.session.Archive();
    const int index = FindDrawIndex(archive.Draws(), number);
    if (index < 0) {
        s.session.Core().ErrorBox(Format("Тираж № %d не найден в архиве тиражей!", {number}));
        throw ECliExit(1);
    }
    return archive.Count() - 1 - index;
}

CLI::Option* AddDateOption(CLI::App* cmd, std::string& date, const char* absent) {
    return cmd->add_option(
        "--date", date,
        std::string("Date and time of the draw, exactly \"dd.mm.yyyy hh:nn\"; \"\" for none (") +
            absent + ")");
}

void RegisterList(CLI::App& parent, TCliContext& ctx) {
    struct TOptions {
        int offset = 0;
        bool sorted = false;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "list", "The draws list as TSV, newest first, from the reference draw back");
    cmd->add_option("--offset", o->offset, "Reference draw: how many draws back from the newest")
        ->check(IntRange(0, INT32_MAX));
    cmd->add_flag("--sorted", o->sorted, "Numbers in ascending order (\"Упорядочить MIN->MAX\")");
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        TArchiveController& archive = s.session.Archive();
        archive.LoadArchive();
        SetOffsetOption(archive, o->offset);
        s.session.Core().Settings().Options().SortedDraws = o->sorted;
        // Row by row: a long archive is never held a second time as texts. A reader that went
        // away ends the listing.
        WriteTsvRow(ctx.out, DrawsListHeader());
        for (int row = o->offset; row < archive.Count() && ctx.out; ++row)
            WriteTsvRow(ctx.out, archive.RowTexts(row));
        s.ExitOnErrors();
    });
}

void RegisterAdd(CLI::App& parent, TCliContext& ctx) {
    auto o = std::make_shared<TDrawOptions>();
    CLI::App* cmd = parent.add_subcommand("add", "Append a draw to the archive");
    cmd->add_option("NUMBER", o->number, "Draw number")
        ->required()
        ->check(IntRange(1, kMaxDrawNumber));
    cmd->add_option("NUMBERS", o->line, "\"n1;n2;...;n8;e\": 8 distinct numbers 1..20, extra 1..4")
        ->required();
    o->dateOption = AddDateOption(cmd, o->date, "default: now");
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        s.LockData();
        TArchiveController& archive = s.LoadArchiveToChange();
        TDraw blank = archive.NewDrawRecord();
        blank.SetDateText(DateTimeText(Now()));
        const TDraw draw = CheckedChange(s, blank, {o->number, o->line, DateChange(*o)});
        archive.AddDraw(draw);
        s.ExitOnErrors();
        ctx.out << DrawText(draw) << "\n";
    });
}

void RegisterEdit(CLI::App& parent, TCliContext& ctx) {
    auto o = std::make_shared<TDrawOptions>();
    CLI::App* cmd = parent.add_subcommand("edit", "Change a draw of the archive in place");
    cmd->add_option("NUMBER", o->number, "Number of the draw to change")
        ->required()
        ->check(IntRange(INT32_MIN, INT32_MAX));
    cmd->add_option("NUMBERS", o->line, "New \"n1;n2;...;n8;e\" (default: as stored)");
    o->dateOption = AddDateOption(cmd, o->date, "default: as stored");
    cmd->add_option("--new-number", o->newNumber, "New draw number")
        ->check(IntRange(1, kMaxDrawNumber));
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        s.LockData();
        TArchiveController& archive = s.LoadArchiveToChange();
        const int row = RowOfNumber(s, o->number);
        TDrawChange change;
        if (o->newNumber > 0) change.number = o->newNumber;
        if (!o->line.empty()) change.line = o->line;
        change.date = DateChange(*o);
        const TDraw draw = CheckedChange(s, archive.Draws()[archive.IndexOfRow(row)], change);
        archive.EditDraw(row, draw);
        s.ExitOnErrors();
        ctx.out << DrawText(draw) << "\n";
    });
}

void RegisterDelete(CLI::App& parent, TCliContext& ctx) {
    struct TOptions {
        std::vector<int> numbers;
        bool yes = false;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand("delete", "Delete draws from the archive");
    cmd->add_option("NUMBER", o->numbers, "Numbers of the draws to delete")
        ->required()
        ->check(IntRange(INT32_MIN, INT32_MAX));
    cmd->add_flag("--yes", o->yes, "Answer \"Да\" to the confirmation");
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, o->yes);
        s.LockData();
        TArchiveController& archive = s.LoadArchiveToChange();
        std::vector<int> rows;
        for (int number : o->numbers) rows.push_back(RowOfNumber(s, number));
        const int before = archive.Count();
        archive.DeleteDraws(rows);
        s.ExitOnErrors();
        ctx.out << before - archive.Count() << "\n";
    });
}

void RegisterExport(CLI::App& parent, TCliContext& ctx) {
    auto file = std::make_shared<std::string>();
    CLI::App* cmd = parent.add_subcommand("export", "Write the whole archive to a CSV file");
    cmd->add_option("FILE", *file, "The CSV file (replaced)")->required();
    cmd->callback([&ctx, file] {
        TCliSession s(ctx, false);
        s.LockDataIfInside(*file);
        TArchiveController& archive = s.session.Archive();
        archive.LoadArchive();
        s.ExitOnErrors();
        archive.ExportDraws(*file);
        s.ExitOnErrors();
        ctx.out << archive.Count() << "\n";
    });
}

void RegisterImport(CLI::App& parent, TCliContext& ctx) {
    auto file = std::make_shared<std::string>();
    CLI::App* cmd = parent.add_subcommand(
        "import", "Append the draws of a CSV file that the archive does not hold");
    cmd->add_option("FILE", *file, "The CSV file")->required();
    cmd->callback([&ctx, file] {
        TCliSession s(ctx, false);
        s.LockData();
        const int appended = s.LoadArchiveToChange().ImportDraws(*file);
        s.ExitOnErrors();
        ctx.out << appended << "\n";
    });
}

void RegisterDownload(CLI::App& parent, TCliContext& ctx) {
    CLI::App* cmd = parent.add_subcommand(
        "download",
        "Download the new draws from the lottery site (SERVICES SiteUrl, through the PROXY "
        "settings); prints \"from<TAB>to<TAB>appended\" per request, then the number appended");
    cmd->callback([&ctx] {
        TCliSession s(ctx, false);
        s.LockData();
        s.session.LoadConfig();
        s.ExitOnErrors();
        s.LoadArchiveToChange();
        s.ExitOnErrors();
        s.session.OpenStakes();
        TDownloadController& download = s.session.Download();
        // No one to ask: a failure ends the command after what arrived was saved.
        download.SetAskRetry(false);
        download.SetBatchHook([&ctx](int from, int to, int appended) {
            ctx.out << from << "\t" << to << "\t" << appended << "\n" << std::flush;
        });
        const int appended = download.DrawsDownload();
        ctx.out << appended << "\n";
        s.ExitOnErrors();
    });
}

}  // namespace

void RegisterDrawsCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* draws = app.add_subcommand(
        "draws", "The draws archive: list, add, edit, delete, export, import, download");
    draws->require_subcommand(1);
    RegisterList(*draws, ctx);
    RegisterAdd(*draws, ctx);
    RegisterEdit(*draws, ctx);
    RegisterDelete(*draws, ctx);
    RegisterExport(*draws, ctx);
    RegisterImport(*draws, ctx);
    RegisterDownload(*draws, ctx);
}

}  // namespace zentrix::cli
