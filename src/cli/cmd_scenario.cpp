#include <memory>
#include <optional>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/stakes_open.h"
#include "cli/tsv.h"
#include "scenario/filter_part.h"
#include "scenario/scenario.h"
#include "scenario/scenario_file.h"
#include "scenario/scenario_rows.h"
#include "scenario/test_count_dialog.h"
#include "stakes/stake_view.h"
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

// The session a run needs, loaded as the program loads it at start: the folder held, the
// stakes, the archive, the ratings, the working list from the saved defaults, the stakes whose
// draws arrived checked and the working scenario.
TScenarioRun& OpenRun(TCliSession& s, bool log, const std::optional<uint64_t>& seed) {
    OpenStakesSession(s);
    TMainSession& session = s.session;
    session.Combs().InitArrays();
    const TConfigSettings& config = session.Config().Settings();
    session.Combs().GenerateCombs(true, config.generateMode, config.generateParameters);
    session.Stakes().Check();
    session.Scenario().LoadWorkingFile();
    s.ExitOnErrors();
    if (session.Scenario().Count() == 0) throw EZentrix("Сценарий не содержит строк");
    if (session.Archive().Count() == 0) throw EZentrix("Архив тиражей пуст");
    TScenarioRun& run = session.Run();
    run.SetLogOverride(log);
    if (seed) run.SetRandom(SeededRandomIndex(*seed));
    return run;
}

struct TRunOptions {
    bool log = false;
    std::optional<uint64_t> seed;
};

void AddRunOptions(CLI::App* cmd, TRunOptions& o) {
    cmd->add_flag("--log", o.log,
                  "Write the execution log ScriptLog_<time>.txt (its path to stderr)");
    cmd->add_option("--seed", o.seed, "Seed of the RAND action, for a reproducible run");
}

void RegisterForecast(CLI::App& parent, TCliContext& ctx) {
    struct TOptions : TRunOptions {
        int offset = 0;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "forecast",
        "Run the working scenario once for the draw after the reference draw; prints "
        "the stakes made (TSV as \"stakes list\")");
    cmd->add_option("--offset", o->offset, "Reference draw: how many draws back from the newest")
        ->check(IntRange(0, INT32_MAX));
    AddRunOptions(cmd, *o);
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        TScenarioRun& run = OpenRun(s, o->log, o->seed);
        SetOffsetOption(s.session.Archive(), o->offset);
        run.Forecast();
        const TStakesController& stakes = s.session.Stakes();
        const auto& headers = StakeHeaders();
        WriteTsvRow(ctx.out, TTsvRow(headers.begin(), headers.end()));
        for (int64_t i = run.FirstRunRecord(); i < stakes.Count(); ++i)
            if (!stakes.File().Read(i).IsSeparator()) WriteTsvRow(ctx.out, stakes.RowCells(i + 1));
        s.ExitOnErrors();
    });
}

void RegisterTest(CLI::App& parent, TCliContext& ctx) {
    struct TOptions : TRunOptions {
        int passes = 0;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "test",
        "Run the working scenario for each of the last N draws (offsets N..1); prints "
        "each pass's offset and stakes, then the stakes made and checked");
    cmd->add_option("--passes", o->passes, "Number of tests N (1 .. draws - 1)")
        ->required()
        ->check(IntRange(1, INT32_MAX));
    AddRunOptions(cmd, *o);
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        TScenarioRun& run = OpenRun(s, o->log, o->seed);
        const TTestCountDialog dialog(s.session.Archive().Count());
        if (!dialog.Accept(std::to_string(o->passes)))
            throw EZentrix(Format("Количество тестов должно быть от %d до %d",
                                  {dialog.minimum, dialog.maximum}));
        run.RunTest(o->passes);
        std::vector<TTsvRow> rows;
        for (const TRunPass& pass : run.Passes())
            rows.push_back({std::to_string(pass.offset), std::to_string(pass.stakes)});
        WriteTsv(ctx.out, {"offset", "stakes"}, rows);
        ctx.out << "made\t" << run.StakesAdded() << "\n";
        ctx.out << "checked\t" << run.StakesChecked() << "\n";
        s.ExitOnErrors();
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
    RegisterForecast(*scenario, ctx);
    RegisterTest(*scenario, ctx);
}

}  // namespace zentrix::cli
