#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/stakes_open.h"
#include "cli/tsv.h"
#include "scenario/test_count_dialog.h"
#include "stakes/stake_dialog.h"
#include "util/errors.h"
#include "util/format.h"

namespace zentrix::cli {

namespace {

// The command line has no tabs, so the rules are at hand whatever the window keeps for the
// page's visibility (which is left as stored).
TRegularsController& OpenRegulars(TCliSession& s, bool withStakes, bool toChange) {
    if (withStakes) {
        OpenStakesSession(s);
    } else {
        if (toChange) s.LockData();
        s.session.LoadWindowSettings();
        s.session.LoadConfig();
        s.ExitOnErrors();
    }
    s.session.Core().Settings().Options().TabTables = true;
    TRegularsController& regulars = s.session.Regulars();
    regulars.Load(toChange);
    s.ExitOnErrors();
    return regulars;
}

// ROW as "regular list" numbers its lines (1 for the first rule), to the list's index.
std::vector<size_t> RuleIndexes(const TRegularsController& regulars, const std::vector<int>& rows) {
    std::vector<size_t> indexes;
    for (int row : rows) {
        if (row < 1 || row > regulars.Count())
            throw EZentrix(Format("Строка %d вне списка регуляров: в нем %d записей",
                                  {row, regulars.Count()}));
        indexes.push_back(static_cast<size_t>(row - 1));
    }
    return indexes;
}

// The stakes (not separators) among the records from `from` on.
int64_t StakesFrom(const TStakesController& stakes, int64_t from) {
    int64_t made = 0;
    for (int64_t i = from; i < stakes.Count(); ++i) made += !stakes.File().Read(i).IsSeparator();
    return made;
}

void AddRowsArgument(CLI::App* cmd, std::vector<int>& rows) {
    cmd->add_option("ROW", rows, "Rows as \"regular list\" counts them (1 for the first rule)")
        ->required()
        ->check(IntRange(1, INT32_MAX));
}

void RegisterList(CLI::App& parent, TCliContext& ctx) {
    CLI::App* cmd = parent.add_subcommand("list", "The regular stakes (Zentrix_8x20.ltb) as TSV");
    cmd->callback([&ctx] {
        TCliSession s(ctx, false);
        s.session.LoadWindowSettings();
        s.session.Core().Settings().Options().TabTables = true;
        TRegularsController& regulars = s.session.Regulars();
        regulars.Load();
        const TTextTable table = regulars.Table();
        WriteTsv(ctx.out, table.headers, table.rows);
        s.ExitOnErrors();
    });
}

void RegisterAdd(CLI::App& parent, TCliContext& ctx) {
    struct TOptions {
        std::string start;
        int step = 1;
        bool lastDraw = false;
        std::string comment = kRegularDefaultComment;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand("add", "Add a regular stake; prints the rules added");
    CLI::Option* start = cmd->add_option(
        "--start", o->start, "\"n1;...;n8\": the start combination, 8 distinct numbers 1..20");
    cmd->add_option("--step", o->step, "Shift of every number per draw, -20..20 (default 1)")
        ->check(IntRange(kRegularStepMin, kRegularStepMax));
    CLI::Option* lastDraw =
        cmd->add_flag("--last-draw", o->lastDraw,
                      "Shift the numbers of the last visible draw instead of the rule's own");
    cmd->add_option("--comment", o->comment,
                    "Comment, unique among the rules (default \"Регулярная ставка\")");
    cmd->callback([&ctx, o, start, lastDraw] {
        if (start->count() == 0 && lastDraw->count() == 0)
            throw EZentrix("Задайте --start или --last-draw");
        // The window checks a start only when it is used; a start typed here always is.
        if (start->count() > 0 && !ParseStakeNumbers(o->start)) throw EZentrix(kBadStakeNumbers);
        TCliSession s(ctx, false);
        TRegularsController& regulars = OpenRegulars(s, false, true);
        // A start given plays the one combination selected in the window's list; the typed text
        // is what the dialog checks.
        const bool one = start->count() > 0;
        const TRegularAddDialog dialog(TCombsArray(one ? 1 : 0),
                                       one ? std::vector<size_t>{0} : std::vector<size_t>{});
        TRegularDialogFields fields = dialog.Initial();
        fields.comment = o->comment;
        fields.useLastDraw = o->lastDraw;
        fields.start = o->start;
        fields.step = o->step;
        const int added = regulars.Add(dialog, fields);
        s.ExitOnErrors();
        if (added < 0) throw ECliExit(1);
        ctx.out << added << "\n";
    });
}

void RegisterDelete(CLI::App& parent, TCliContext& ctx) {
    struct TOptions {
        std::vector<int> rows;
        bool yes = false;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand("delete", "Delete rules; prints how many went");
    AddRowsArgument(cmd, o->rows);
    cmd->add_flag("--yes", o->yes, "Answer \"Да\" to the deletion question")->required();
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, o->yes);
        TRegularsController& regulars = OpenRegulars(s, false, true);
        const int deleted = regulars.Delete(RuleIndexes(regulars, o->rows));
        s.ExitOnErrors();
        ctx.out << deleted << "\n";
    });
}

void AddOffsetOption(CLI::App* cmd, int& offset) {
    cmd->add_option("--offset", offset,
                    "Reference draw: how many draws back from the newest (the stake is for the "
                    "draw after it)")
        ->check(IntRange(0, INT32_MAX));
}

void RegisterStake(CLI::App& parent, TCliContext& ctx) {
    struct TOptions {
        std::vector<int> rows;
        int offset = 0;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "stake",
        "Advance each rule and stake its new combination for the draw after the reference "
        "draw; prints the stakes made");
    AddRowsArgument(cmd, o->rows);
    AddOffsetOption(cmd, o->offset);
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        TRegularsController& regulars = OpenRegulars(s, true, true);
        SetOffsetOption(s.session.Archive(), o->offset);
        const std::vector<size_t> indexes = RuleIndexes(regulars, o->rows);
        TStakesController& stakes = s.session.Stakes();
        const int64_t before = stakes.Count();
        for (size_t index : indexes) {
            const std::optional<TRegularStakeDraft> draft = regulars.PrepareStake({index});
            if (!draft || !regulars.CommitStake(*draft, draft->fields)) break;
        }
        ctx.out << StakesFrom(stakes, before) << "\n";
        s.ExitOnErrors();
    });
}

void RegisterTest(CLI::App& parent, TCliContext& ctx) {
    struct TOptions {
        std::vector<int> rows;
        int passes = 0;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "test",
        "Stake the rules for each of the last N draws (offsets N..1), advancing them; prints "
        "the stakes made");
    AddRowsArgument(cmd, o->rows);
    cmd->add_option("--passes", o->passes, "Number of tests N (1 .. draws - 1)")
        ->required()
        ->check(IntRange(1, INT32_MAX));
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        TRegularsController& regulars = OpenRegulars(s, true, true);
        const std::vector<size_t> indexes = RuleIndexes(regulars, o->rows);
        const TTestCountDialog dialog(s.session.Archive().Count());
        if (!dialog.Accept(std::to_string(o->passes)))
            throw EZentrix(Format("Количество тестов должно быть от %d до %d",
                                  {dialog.minimum, dialog.maximum}));
        const int made = regulars.RunTest(indexes, o->passes);
        ctx.out << made << "\n";
        s.ExitOnErrors();
    });
}

}  // namespace

void RegisterRegularCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* regular = app.add_subcommand("regular", "Regular table stakes (Zentrix_8x20.ltb)");
    regular->require_subcommand(1);
    RegisterList(*regular, ctx);
    RegisterAdd(*regular, ctx);
    RegisterDelete(*regular, ctx);
    RegisterStake(*regular, ctx);
    RegisterTest(*regular, ctx);
}

}  // namespace zentrix::cli
