#include <memory>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/tsv.h"
#include "scenario/filter_item.h"
#include "scenario/scenario.h"
#include "scenario/scenario_file.h"
#include "scenario/scenario_line.h"
#include "scenario/script_command.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"

namespace zentrix::cli {

namespace {

TTsvRow ScenarioHeader() {
    TTsvRow header = {"number", "options"};
    for (int k = 1; k <= kFilterSlotCount; ++k) header.push_back(Format("filter %d", {k}));
    header.push_back("comment");
    return header;
}

// The row the scenario list shows for a line; a separator keeps only its number.
TTsvRow ScenarioRow(int number, const std::string& line, const TStatList& registry) {
    TTsvRow row(ScenarioHeader().size());
    row[0] = std::to_string(number);
    if (IsSeparatorLine(line)) return row;
    row[1] = DescribeCommand(DecodeCommand(LineCommand(line)));
    for (int k = 1; k <= kFilterSlotCount; ++k)
        row[1 + k] = CanonicalFilterText(LineFilter(line, k), registry);
    row.back() = LineComment(line);
    return row;
}

void RegisterShow(CLI::App& parent, TCliContext& ctx) {
    auto file = std::make_shared<std::string>();
    CLI::App* cmd = parent.add_subcommand(
        "show", "The scenario as its list shows it (TSV: number, options, filters 1-7, comment)");
    cmd->add_option("--file", *file, "A scenario file (*.lsc) instead of the working scenario");
    cmd->callback([&ctx, file] {
        TCliSession s(ctx, false);
        s.session.LoadConfig();
        s.session.InitRegistry();
        s.ExitOnErrors();
        const std::string path = file->empty() ? WorkingScenarioPath(ctx.DataFolder()) : *file;
        TScenario scenario;
        std::string message;
        // No working scenario yet is an empty one; a file asked for must exist.
        if ((!file->empty() || FileExists(path)) && !scenario.LoadFile(path, message))
            throw EZentrix(message);
        std::vector<TTsvRow> rows;
        for (int i = 0; i < scenario.Count(); ++i)
            rows.push_back(ScenarioRow(i + 1, scenario.Line(i), s.session.Stats().Registry()));
        WriteTsv(ctx.out, ScenarioHeader(), rows);
    });
}

}  // namespace

void RegisterScenarioCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* scenario = app.add_subcommand("scenario", "Scenarios (Zentrix_8x20.lss, *.lsc)");
    scenario->require_subcommand(1);
    RegisterShow(*scenario, ctx);
}

}  // namespace zentrix::cli
