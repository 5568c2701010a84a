#include <memory>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/tsv.h"
#include "core/archive.h"
#include "core/comb_text.h"
#include "core/draw_dialog.h"
#include "core/list_rows.h"
#include "util/errors.h"
#include "util/format.h"

namespace zentrix::cli {

namespace {

struct TDrawOptions {
    int number = 0;
    std::string line;
    std::string date;
    int newNumber = 0;
};

// The draw dialog's fields changed as the options say, then its OK: the error box for a bad
// line ends the command.
TDraw DialogResult(TCliSession& s, TDrawDialogFields fields, const TDrawOptions& o) {
    if (!o.line.empty()) fields.numbersLine = o.line;
    if (!o.date.empty()) {
        const TDateTime t = ParseDateTime(o.date);
        fields.date = fields.time = t;
    }
    try {
        return DrawDialogResult(fields);
    } catch (const EConvertError& e) {
        s.session.Core().ErrorBox(e.what());
        throw ECliExit(1);
    }
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

void AddDateOption(CLI::App* cmd, std::string& date) {
    cmd->add_option("--date", date, "Date and time of the draw, \"dd.mm.yyyy hh:nn\"");
}

void RegisterList(CLI::App& parent, TCliContext& ctx) {
    struct TOptions {
        int offset = 0;
        bool sorted = false;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "list", "The draws list as TSV, newest first, from the reference draw back");
    cmd->add_option("--offset", o->offset, "Reference draw: how many draws back from the newest");
    cmd->add_flag("--sorted", o->sorted, "Numbers in ascending order (\"Упорядочить MIN->MAX\")");
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        TArchiveController& archive = s.session.Archive();
        archive.LoadArchive();
        SetOffsetOption(archive, o->offset);
        s.session.Core().Settings().Options().SortedDraws = o->sorted;
        std::vector<TTsvRow> rows;
        for (int row = o->offset; row < archive.Count(); ++row)
            rows.push_back(archive.RowTexts(row));
        WriteTsv(ctx.out, DrawsListHeader(), rows);
        s.ExitOnErrors();
    });
}

void RegisterAdd(CLI::App& parent, TCliContext& ctx) {
    auto o = std::make_shared<TDrawOptions>();
    CLI::App* cmd = parent.add_subcommand("add", "Append a draw to the archive");
    cmd->add_option("NUMBER", o->number, "Draw number")
        ->required()
        ->check(CLI::Range(1, kMaxDrawNumber));
    cmd->add_option("NUMBERS", o->line, "\"n1;n2;...;n8;e\": 8 distinct numbers 1..20, extra 1..4")
        ->required();
    AddDateOption(cmd, o->date);
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        s.LockData();
        TArchiveController& archive = s.session.Archive();
        archive.LoadArchive();
        TDrawDialogFields fields = DrawDialogFields(archive.NewDrawRecord());
        fields.number = o->number;
        const TDraw draw = DialogResult(s, fields, *o);
        archive.AddDraw(draw);
        s.ExitOnErrors();
        ctx.out << DrawText(draw) << "\n";
    });
}

void RegisterEdit(CLI::App& parent, TCliContext& ctx) {
    auto o = std::make_shared<TDrawOptions>();
    CLI::App* cmd = parent.add_subcommand("edit", "Change a draw of the archive in place");
    cmd->add_option("NUMBER", o->number, "Number of the draw to change")->required();
    cmd->add_option("NUMBERS", o->line, "New \"n1;n2;...;n8;e\" (default: as stored)");
    AddDateOption(cmd, o->date);
    cmd->add_option("--new-number", o->newNumber, "New draw number")
        ->check(CLI::Range(1, kMaxDrawNumber));
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        s.LockData();
        TArchiveController& archive = s.session.Archive();
        archive.LoadArchive();
        const int row = RowOfNumber(s, o->number);
        TDrawDialogFields fields = DrawDialogFields(archive.Draws()[archive.IndexOfRow(row)]);
        if (o->newNumber > 0) fields.number = o->newNumber;
        const TDraw draw = DialogResult(s, fields, *o);
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
    cmd->add_option("NUMBER", o->numbers, "Numbers of the draws to delete")->required();
    cmd->add_flag("--yes", o->yes, "Answer \"Да\" to the confirmation");
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, o->yes);
        s.LockData();
        TArchiveController& archive = s.session.Archive();
        archive.LoadArchive();
        std::vector<int> rows;
        for (int number : o->numbers) rows.push_back(RowOfNumber(s, number));
        const int before = archive.Count();
        archive.DeleteDraws(rows);
        s.ExitOnErrors();
        ctx.out << before - archive.Count() << "\n";
    });
}

}  // namespace

void RegisterDrawsCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* draws = app.add_subcommand("draws", "The draws archive: list, add, edit, delete");
    draws->require_subcommand(1);
    RegisterList(*draws, ctx);
    RegisterAdd(*draws, ctx);
    RegisterEdit(*draws, ctx);
    RegisterDelete(*draws, ctx);
}

}  // namespace zentrix::cli
