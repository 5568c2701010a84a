#include <memory>
#include <optional>

#include "cli/cli_session.h"
#include "cli/commands.h"

namespace zentrix::cli {

namespace {

void RegisterGenerate(CLI::App& parent, TCliContext& ctx) {
    struct TOptions {
        std::optional<int> mode;
        std::optional<std::string> param;
        std::string out;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "generate", "Generate a combination list into a file; prints the number of combinations");
    cmd->add_option("--mode", o->mode,
                    "0 all, 1 any of my numbers, 2 only my numbers, 3 none of my numbers, "
                    "4 from a file (default: the saved generator defaults)")
        ->check(IntRange(0, 4));
    cmd->add_option("--param", o->param,
                    "My numbers (\"1;5;7\") or, for mode 4, a file name (a relative one is read "
                    "from the data folder)");
    cmd->add_option("--out", o->out, "Combination file to write (*.lcv)")->required();
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        s.LockDataIfInside(o->out);
        s.session.LoadConfig();
        const TConfigSettings& defaults = s.session.Config().Settings();
        const int mode = o->mode.value_or(defaults.generateMode);
        const std::string param = o->param.value_or(defaults.generateParameters);
        TCombsController& combs = s.session.Combs();
        combs.GenerateCombs(true, mode, param);
        s.ExitOnErrors();
        combs.WriteCombFile(o->out);
        s.ExitOnErrors();
        ctx.out << combs.Count() << "\n";
    });
}

void RegisterRemoveDrawn(CLI::App& parent, TCliContext& ctx) {
    struct TOptions {
        int n = 0;
        int offset = 0;
        std::string in, out;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "remove-drawn",
        "Remove the combinations drawn in the last N draws up to the reference draw; prints the "
        "number left");
    cmd->add_option("N", o->n, "How many draws back from the reference draw")
        ->required()
        ->check(IntRange(0, INT32_MAX));
    cmd->add_option("--offset", o->offset, "Reference draw: how many draws back from the newest");
    AddCombFileOptions(*cmd, o->in, o->out);
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        TArchiveController& archive = s.session.Archive();
        archive.LoadArchive();
        SetOffsetOption(archive, o->offset);
        NarrowCombFile(s, ctx, o->in, o->out,
                       [&o](TCombsController& combs) { combs.RemoveDrawn(o->n); });
    });
}

}  // namespace

void RegisterCombsCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* combs =
        app.add_subcommand("combs", "Combination lists: generate, remove drawn, filter");
    combs->require_subcommand(1);
    RegisterGenerate(*combs, ctx);
    RegisterRemoveDrawn(*combs, ctx);
    RegisterCombsFilterCommand(*combs, ctx);
}

}  // namespace zentrix::cli
