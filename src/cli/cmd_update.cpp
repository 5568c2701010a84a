#include <memory>

#include "app/update_controller.h"
#include "cli/cli_session.h"
#include "cli/commands.h"

namespace zentrix::cli {

namespace {

struct TUpdateOptions {
    std::string url;         // empty: SERVICES UpdateUrl
    std::string programDir;  // empty: the executable's folder
    bool yes = false;
};

void AddUrlOption(CLI::App& cmd, TUpdateOptions& o) {
    cmd.add_option("--url", o.url,
                   "Address of the update description (https://, or a file path); default: "
                   "SERVICES UpdateUrl");
}

void PrintOffer(std::ostream& out, const std::string& own, const TUpdateVersionData& data,
                bool available, const std::vector<std::string>& notes) {
    out << "current\t" << own << "\n";
    out << "offered\t" << data.VerId << "\n";
    out << "available\t" << (available ? "yes" : "no") << "\n";
    if (!available) return;
    out << "description\t" << data.Description << "\n";
    for (const std::string& line : notes) out << "notes\t" << line << "\n";
}

void RegisterCheck(CLI::App& parent, TCliContext& ctx) {
    auto o = std::make_shared<TUpdateOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "check",
        "Whether a newer version is offered: the versions and its notes (exit 0 when the "
        "check worked, whatever it found; 1 when it failed)");
    AddUrlOption(*cmd, *o);
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        s.session.LoadConfig();
        s.session.LoadWindowSettings();
        TUpdateController update(s.session.Core(), s.session.Config());
        try {
            const TUpdateSearch found =
                update.Search(o->url.empty() ? update.Address() : o->url, update.LanguageId());
            PrintOffer(ctx.out, found.ownVersion, found.data, found.available, found.notes);
        } catch (const std::exception& e) {
            s.session.Core().ReportFailure("Ошибка поиска обновлений!\n\n%s", e);
        }
        s.ExitOnErrors();
    });
}

void RegisterInstall(CLI::App& parent, TCliContext& ctx) {
    auto o = std::make_shared<TUpdateOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "install",
        "Download, check and install the offered version (exit 0 when installed or "
        "when there is nothing to install, 1 on failure)");
    AddUrlOption(*cmd, *o);
    cmd->add_option("--program-dir", o->programDir,
                    "Folder the update is copied into (default: the program's own folder)");
    cmd->add_flag("--yes", o->yes, "Install without asking (required)");
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, o->yes);
        s.LockData();
        s.session.LoadConfig();
        s.session.LoadWindowSettings();
        TUpdateController update(s.session.Core(), s.session.Config());
        if (!o->programDir.empty()) update.SetProgramFolder(o->programDir);
        bool refused = false;
        update.SetOfferHook([&](const TUpdateOffer& offer) {
            PrintOffer(ctx.out, offer.currentVersion, offer.data, true, offer.notes);
            if (!o->yes) {
                ctx.err << "Установка не подтверждена: укажите --yes\n";
                refused = true;
            }
            return o->yes;
        });
        const int result = update.CheckForUpdate(o->url.empty() ? update.Address() : o->url, false,
                                                 update.LanguageId());
        if (result == TUpdateController::kInstalled)
            ctx.out << "installed\t"
                    << "yes\n";
        s.ExitOnErrors();
        if (result == TUpdateController::kFailed || refused) throw ECliExit(1);
    });
}

}  // namespace

void RegisterUpdateCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* update = app.add_subcommand("update", "The program's self-update");
    update->require_subcommand(1);
    RegisterCheck(*update, ctx);
    RegisterInstall(*update, ctx);
}

}  // namespace zentrix::cli
