#include "cli/cli_session.h"
#include "cli/commands.h"
#include "core/archive_file.h"
#include "core/demo_archive.h"
#include "util/errors.h"
#include "util/files.h"

namespace zentrix::cli {

void RegisterDemoCommand(CLI::App& app, TCliContext& ctx) {
    struct TOptions {
        int draws = 10000;
        uint32_t seed = 1;
        bool force = false;
    };
    auto opts = std::make_shared<TOptions>();
    CLI::App* cmd = app.add_subcommand(
        "demo", "Write a synthetic, reproducible draws archive into the data folder");
    cmd->add_option("--draws", opts->draws, "Number of draws")->check(IntRange(1, 10000000));
    cmd->add_option("--seed", opts->seed, "Seed of the random numbers");
    cmd->add_flag("--force", opts->force, "Replace an existing archive");
    cmd->callback([&ctx, opts] {
        ctx.CreateDataFolder();
        TCliSession s(ctx, false);
        s.LockData();
        const std::string path = s.session.Core().FilePath(".ldr");
        if (FileExists(path) && !opts->force)
            throw EZentrix("Архив тиражей уже существует: " + path +
                           "\nДобавьте --force, чтобы заменить его демонстрационным.");
        // 01.01.2024 00:00 as the first draw's date.
        TDrawsArray draws = MakeDemoDraws(opts->draws, opts->seed, EncodeDate(2024, 1, 1));
        WriteDrawsFile(path, draws);
        ctx.out << draws.size() << "\n";
    });
}

}  // namespace zentrix::cli
