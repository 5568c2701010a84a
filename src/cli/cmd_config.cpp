#include <memory>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/tsv.h"
#include "core/config.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix::cli {

namespace {

void RegisterShow(CLI::App& parent, TCliContext& ctx) {
    CLI::App* cmd = parent.add_subcommand(
        "show", "Every configuration key with its current value (TSV: section, key, value)");
    cmd->callback([&ctx] {
        TCliSession s(ctx, false);
        s.session.LoadConfig();
        std::vector<TTsvRow> rows;
        // Printed output: reals with the printed separator, whatever the file holds.
        for (const TConfigEntry& e :
             ConfigEntries(s.session.Config().Settings(), FormatSettings().decimalSeparator))
            rows.push_back({e.section, e.key, e.value});
        for (const auto& [key, value] : ProxyEntries(s.session.Download().Proxy()))
            rows.push_back({"PROXY", key, value});
        WriteTsv(ctx.out, {"section", "key", "value"}, rows);
        s.ExitOnErrors();
    });
}

void RegisterSet(CLI::App& parent, TCliContext& ctx) {
    struct TOptions {
        std::string section, key, value;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "set", "Change one configuration key, checked as the parameters dialog checks it");
    cmd->add_option("SECTION", o->section,
                    "GLOBAL, STAKES, CDL, SHREDDING, SERVICES, USER or PROXY")
        ->required();
    cmd->add_option("KEY", o->key, "Key name, e.g. MatrixCols")->required();
    cmd->add_option("VALUE", o->value, "New value")->required();
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        s.LockData();
        s.session.LoadConfig();
        s.ExitOnErrors();  // never write over a file that could not be read
        if (SameText(o->section, "PROXY")) {
            s.session.Download().SetProxyKey(o->key, o->value);
            s.ExitOnErrors();
            return;
        }
        TConfigController& config = s.session.Config();
        TConfigSettings changed = config.Settings();
        switch (SetConfigValue(changed, o->section, o->key, o->value)) {
            case TConfigGroup::Config:
                config.ApplyParams(changed.data);
                break;
            case TConfigGroup::GenerateDefaults:
                config.SaveGenerateDefaults(changed.generateMode, changed.generateParameters);
                break;
            case TConfigGroup::Shredding:
                config.ApplyShredding(changed.formulas, changed.formulaDigits);
                break;
            case TConfigGroup::Services:
                config.SaveServices(changed.services);
                break;
            case TConfigGroup::User:
                config.SaveUser(changed.user);
                break;
        }
        s.ExitOnErrors();
    });
}

}  // namespace

void RegisterConfigCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* config = app.add_subcommand("config", "The configuration (Zentrix_8x20.ini)");
    config->require_subcommand(1);
    RegisterShow(*config, ctx);
    RegisterSet(*config, ctx);
}

}  // namespace zentrix::cli
