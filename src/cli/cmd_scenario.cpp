#include <memory>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/tsv.h"
#include "scenario/filter_part.h"
#include "scenario/scenario.h"
#include "scenario/scenario_file.h"
#include "scenario/scenario_rows.h"
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

// The row the scenario list shows for a line, its comment moved to the end.
TTsvRow ScenarioRow(int number, const std::string& line, const TStatList& registry) {
    std::vector<std::string> cells = ScenarioListRow(line, registry);
    TTsvRow row = {std::to_string(number)};
    row.insert(row.end(), cells.begin() + 1, cells.end());
    row.push_back(cells.front());
    return row;
}

// The session with its registry (the list decodes filters through it) and, for a command that
// changes the working scenario, the folder held. A working file that does not read ends the
// command before anything could overwrite it.
TScenarioController& OpenScenario(TCliSession& s, bool changes) {
    if (changes) s.LockData();
    s.session.LoadConfig();
    s.session.InitRegistry();
    s.ExitOnErrors();
    s.session.Scenario().LoadWorkingFile();
    s.ExitOnErrors();
    return s.session.Scenario();
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
        // No working scenario yet is an empty one; a file asked for must exist.
        if (!file->empty() || FileExists(path)) scenario.LoadFile(path);
        std::vector<TTsvRow> rows;
        for (int i = 0; i < scenario.Count(); ++i)
            rows.push_back(ScenarioRow(i + 1, scenario.Line(i), s.session.Stats().Registry()));
        WriteTsv(ctx.out, ScenarioHeader(), rows);
    });
}

void RegisterAdd(CLI::App& parent, TCliContext& ctx) {
    auto line = std::make_shared<std::string>();
    CLI::App* cmd = parent.add_subcommand(
        "add", "Append a line to the working scenario (\"\" appends a separator)");
    cmd->add_option("LINE", *line, "command|filter 1|...|filter 7|comment")->required();
    cmd->callback([&ctx, line] {
        TCliSession s(ctx, false);
        TScenarioController& scenario = OpenScenario(s, true);
        const std::string canonical = CanonicalScenarioLine(*line, s.session.Stats().Registry());
        if (canonical.empty() && !scenario.CanAddSeparator())
            throw EZentrix("Разделитель добавляется только после строк сценария");
        const int index = scenario.AddScriptLine(canonical);
        s.ExitOnErrors();
        ctx.out << index + 1 << "\t" << canonical << "\n";
    });
}

void RegisterDelete(CLI::App& parent, TCliContext& ctx) {
    struct TOptions {
        std::vector<int> numbers;
        bool yes = false;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand("delete", "Delete lines of the working scenario");
    cmd->add_option("N", o->numbers, "Numbers of the lines, as \"scenario show\" gives them")
        ->required();
    cmd->add_flag("--yes", o->yes, "Answer \"Да\" to the confirmation");
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, o->yes);
        TScenarioController& scenario = OpenScenario(s, true);
        std::vector<int> rows;
        for (int number : o->numbers) {
            if (number < 1 || number > scenario.Count())
                throw EZentrix(Format(kLineNotFound, {number}));
            rows.push_back(number - 1);
        }
        const int before = scenario.Count();
        scenario.DeleteLines(rows);
        s.ExitOnErrors();
        ctx.out << before - scenario.Count() << "\n";
    });
}

void RegisterClear(CLI::App& parent, TCliContext& ctx) {
    auto yes = std::make_shared<bool>(false);
    CLI::App* cmd = parent.add_subcommand("clear", "Delete every line of the working scenario");
    cmd->add_flag("--yes", *yes, "Answer \"Да\" to the confirmation");
    cmd->callback([&ctx, yes] {
        TCliSession s(ctx, *yes);
        TScenarioController& scenario = OpenScenario(s, true);
        const int before = scenario.Count();
        scenario.DeleteAll();
        s.ExitOnErrors();
        ctx.out << before - scenario.Count() << "\n";
    });
}

// open and append: the file's lines into the working scenario; prints its line count.
void RegisterRead(CLI::App& parent, TCliContext& ctx, const char* name, const char* description,
                  void (TScenarioController::*read)(const std::string&)) {
    auto file = std::make_shared<std::string>();
    CLI::App* cmd = parent.add_subcommand(name, description);
    cmd->add_option("FILE", *file, "Scenario file (*.lsc)")->required();
    cmd->callback([&ctx, file, read] {
        TCliSession s(ctx, false);
        TScenarioController& scenario = OpenScenario(s, true);
        (scenario.*read)(*file);
        s.ExitOnErrors();
        ctx.out << scenario.Count() << "\n";
    });
}

void RegisterSave(CLI::App& parent, TCliContext& ctx) {
    auto file = std::make_shared<std::string>();
    CLI::App* cmd = parent.add_subcommand("save", "Write the working scenario to a file");
    cmd->add_option("FILE", *file, "Scenario file (*.lsc)")->required();
    cmd->callback([&ctx, file] {
        TCliSession s(ctx, false);
        TScenarioController& scenario = OpenScenario(s, false);
        if (!scenario.CanSave()) throw EZentrix("Сценарий не содержит строк");
        scenario.SaveFile(*file);
        s.ExitOnErrors();
        ctx.out << scenario.Count() << "\n";
    });
}

}  // namespace

void RegisterScenarioCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* scenario = app.add_subcommand("scenario", "Scenarios (Zentrix_8x20.lss, *.lsc)");
    scenario->require_subcommand(1);
    RegisterShow(*scenario, ctx);
    RegisterAdd(*scenario, ctx);
    RegisterDelete(*scenario, ctx);
    RegisterClear(*scenario, ctx);
    RegisterRead(*scenario, ctx, "open", "Replace the working scenario by a file's lines",
                 &TScenarioController::OpenFile);
    RegisterRead(*scenario, ctx, "append",
                 "Append a file's lines to the working scenario (after one separator)",
                 &TScenarioController::AppendFile);
    RegisterSave(*scenario, ctx);
}

}  // namespace zentrix::cli
