#include <filesystem>
#include <memory>

#include "cli/commands.h"
#include "cli/stakes_open.h"
#include "cli/tsv.h"
#include "core/comb_file.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix::cli {

namespace {

void AddListCommand(CLI::App& systems, TCliContext& ctx) {
    CLI::App* cmd = systems.add_subcommand(
        "list", "The local systems (folder Systems of the data folder) as TSV");
    cmd->callback([&ctx] {
        TCliSession s(ctx, false);
        WriteTsvRow(ctx.out, {"Система", "Числа", "Блок", "Номер", "Комбинаций", "Ошибка"});
        for (const TLocalSystem& system : s.session.Systems().LocalSystems()) {
            std::string count, error;
            try {
                count = std::to_string(ReadSystemFile(system.path, system.numbers).size());
            } catch (const std::exception& e) {
                error = ErrorText(e);
            }
            WriteTsvRow(ctx.out, {system.name, Format("%.2d", {system.numbers}),
                                  system.block >= 0 ? std::to_string(system.block) : "",
                                  system.id >= 0 ? std::to_string(system.id) : "", count, error});
        }
    });
}

void AddPlayCommand(CLI::App& systems, TCliContext& ctx) {
    struct TOptions {
        std::string list;
        bool whole = false;
        bool filtered = false;
        int offset = 0;
        std::optional<std::string> comment;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = systems.add_subcommand(
        "play",
        "Stakes of the local system for the count of the list's numbers (in order of first "
        "appearance); prints the stakes made");
    cmd->add_option("--list", o->list, "Combination file (*.lcv) giving the numbers")->required();
    CLI::Option* whole = cmd->add_flag("--whole", o->whole, "Every combination of the system");
    CLI::Option* filtered =
        cmd->add_flag("--filtered", o->filtered, "Only the system's combinations in the list");
    whole->excludes(filtered);
    cmd->add_option("--offset", o->offset,
                    "Reference draw: how many draws back from the newest (the stakes are for the "
                    "draw after it)")
        ->check(IntRange(0, INT32_MAX));
    cmd->add_option("--comment", o->comment,
                    "Comment of the stakes (default \"Системная игра для N чисел [...]: name\")");
    cmd->callback([&ctx, o] {
        if (o->whole == o->filtered) throw EZentrix("Задайте одно из --whole или --filtered");
        TCliSession s(ctx, false);
        OpenStakesSession(s);
        SetOffsetOption(s.session.Archive(), o->offset);
        TCombsController& combs = s.session.Combs();
        if (!combs.ReadCombFile(o->list)) throw ECliExit(1);
        if (combs.Combs().empty())
            throw EZentrix(Format("В файле \"%s\" нет комбинаций", {o->list}));
        // The page's toggle has no meaning here: the command is the play itself.
        s.session.Core().Settings().Options().SystemsEnabled = true;
        TSystemsController& systems = s.session.Systems();
        const std::optional<TSystemsController::TPlay> play = systems.PreparePlay(o->whole);
        s.ExitOnErrors();
        if (!play) throw ECliExit(1);
        TStakeDialogFields fields = play->fields;
        if (o->comment) fields.comment = *o->comment;
        const int made = systems.Play(*play, fields);
        s.ExitOnErrors();
        if (made < 0) throw ECliExit(1);
        ctx.out << made << "\n";
    });
}

// A system file: N from its name when it has the local form, else its highest position.
TWheelCheck CheckSystemFile(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    if (const std::optional<TLocalSystem> local = ParseSystemFileName(name))
        return CheckWheel(local->numbers, ReadSystemFile(path, local->numbers));
    const TCombsArray tickets = ReadSystemFile(path, kMaxNumber);
    int numbers = kWheelMinNumbers;
    for (const TComb& ticket : tickets)
        for (uint8_t p : ticket) numbers = std::max(numbers, int(p));
    return CheckWheel(numbers, tickets);
}

TWheelCheck CheckCombFile(const std::string& path) {
    TCombsArray list;
    ReadCombFile(path, list);
    if (list.empty()) throw EZentrix(Format("В файле \"%s\" нет комбинаций", {path}));
    TByteArray numbers;
    const TCombsArray tickets = ListAsSystem(list, numbers);
    return CheckWheel(int(numbers.size()), tickets);
}

TTsvRow CheckRow(const std::string& t, const TWheelRow& row) {
    TTsvRow cells{t, row.guaranteed >= 0 ? std::to_string(row.guaranteed) : ""};
    for (int m = 0; m <= kCombSize; ++m) cells.push_back(Format("%.6f", {row.Share(m)}));
    cells.push_back(std::to_string(row.draws));
    return cells;
}

void AddCheckCommand(CLI::App& systems, TCliContext& ctx) {
    auto file = std::make_shared<std::string>();
    CLI::App* cmd = systems.add_subcommand(
        "check",
        "Guarantee table of a system file (*.dat) or of a combination file (*.lcv) taken as a "
        "system over its numbers: per t drawn of its numbers the guaranteed best matches, the "
        "share of those draws whose best ticket matches 0..8 and their number; last the row "
        "over all draws");
    cmd->add_option("FILE", *file, "System file (*.dat) or combination file (*.lcv)")->required();
    cmd->callback([&ctx, file] {
        const std::string ext = LowerCase(std::filesystem::path(*file).extension().string());
        const TWheelCheck check = ext == ".lcv" ? CheckCombFile(*file) : CheckSystemFile(*file);
        TTsvRow header{"t", "Гарантия"};
        for (int m = 0; m <= kCombSize; ++m) header.push_back(std::to_string(m));
        header.push_back("Тиражей");
        WriteTsvRow(ctx.out, header);
        for (const TWheelRow& row : check.rows)
            WriteTsvRow(ctx.out, CheckRow(std::to_string(row.drawn), row));
        TWheelRow all = check.all;
        all.subsets = all.draws;  // shares of all draws, each subset weighted by its draws
        WriteTsvRow(ctx.out, CheckRow("все", all));
    });
}

void AddGenerateCommand(CLI::App& systems, TCliContext& ctx) {
    struct TOptions {
        int numbers = 0;
        std::string guarantee;
        std::string out;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = systems.add_subcommand(
        "generate",
        "Build a small system with a guarantee and save it; prints its combinations and file");
    cmd->add_option("--numbers", o->numbers, "N, the system's numbers (9..20)")
        ->required()
        ->check(IntRange(9, kMaxNumber));
    cmd->add_option("--guarantee", o->guarantee,
                    "K-if-T: whichever T of the N are drawn, a ticket holds K (1 <= K <= 7, "
                    "K <= T <= 8)")
        ->required();
    cmd->add_option("--out", o->out,
                    "File to write (default: Systems/8-NN-K_0000.dat in the data folder, "
                    "refused when a system for N is there)");
    cmd->callback([&ctx, o] {
        const TWheelGoal goal = ParseWheelGoal(o->numbers, o->guarantee);
        std::string path = o->out;
        size_t count = 0;
        if (path.empty()) {
            TCliSession s(ctx, false);
            s.LockData();
            path = s.session.Systems().Generate(goal, {});
            s.ExitOnErrors();
            count = ReadSystemFile(path, goal.numbers).size();
        } else {
            count = WriteGeneratedSystem(goal, path);
        }
        WriteTsvRow(ctx.out, {std::to_string(count), path});
    });
}

}  // namespace

void RegisterSystemsCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* systems = app.add_subcommand("systems",
                                           "System play with the local systems, their guarantees and building, "
                                           "and the systems catalog");
    systems->require_subcommand(1);
    AddSystemsLocalCommands(*systems, ctx);
    AddSystemsCatalogCommands(*systems, ctx);
}

void AddSystemsLocalCommands(CLI::App& systems, TCliContext& ctx) {
    AddListCommand(systems, ctx);
    AddPlayCommand(systems, ctx);
    AddCheckCommand(systems, ctx);
    AddGenerateCommand(systems, ctx);
}

}  // namespace zentrix::cli
