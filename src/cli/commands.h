#pragma once

#include <CLI/CLI.hpp>

#include "cli/context.h"

namespace zentrix::cli {

// Each command group adds its subcommands to the application.
void RegisterGameCommand(CLI::App& app, TCliContext& ctx);
void RegisterDemoCommand(CLI::App& app, TCliContext& ctx);
void RegisterDrawsCommand(CLI::App& app, TCliContext& ctx);
void RegisterCombsCommand(CLI::App& app, TCliContext& ctx);
void RegisterConfigCommand(CLI::App& app, TCliContext& ctx);
void RegisterStatsCommand(CLI::App& app, TCliContext& ctx);
void RegisterPrefetchCommand(CLI::App& app, TCliContext& ctx);
void RegisterScenarioCommand(CLI::App& app, TCliContext& ctx);
void RegisterStakesCommand(CLI::App& app, TCliContext& ctx);
void RegisterRatingsCommand(CLI::App& app, TCliContext& ctx);
// "regular list|add|delete|stake|test": the regular table stakes.
void RegisterRegularCommand(CLI::App& app, TCliContext& ctx);
// The grid views: "views card|scheme|compare|weekdays|filter".
void RegisterViewsCommand(CLI::App& app, TCliContext& ctx);
// "export TABLE": a table as a spreadsheet workbook.
void RegisterExportCommand(CLI::App& app, TCliContext& ctx);
// "update check|install": the self-update.
void RegisterUpdateCommand(CLI::App& app, TCliContext& ctx);
// "combs filter" joins the combs group.
void RegisterCombsFilterCommand(CLI::App& combs, TCliContext& ctx);
// The graph, repeats and sums commands join the views group.
void RegisterViewsChartCommands(CLI::App& views, TCliContext& ctx);
// "help [TOPIC]": the guide's pages; "stats help CODE": a method's page.
void RegisterHelpCommand(CLI::App& app, TCliContext& ctx);
void RegisterStatsHelpCommand(CLI::App& stats, TCliContext& ctx);
// "systems": the group, and the per-command adders it calls (catalog commands add theirs).
void RegisterSystemsCommand(CLI::App& app, TCliContext& ctx);
void AddSystemsLocalCommands(CLI::App& systems, TCliContext& ctx);

// The online scenario catalog: "catalog list|download|publish|replace|delete|rate".
void RegisterCatalogCommand(CLI::App& app, TCliContext& ctx);
// The systems catalog's commands join the systems group: "systems catalog|download|publish".
void AddSystemsCatalogCommands(CLI::App& systems, TCliContext& ctx);

}  // namespace zentrix::cli
