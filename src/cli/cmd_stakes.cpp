#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>

#include "cli/commands.h"
#include "cli/stakes_open.h"
#include "cli/tsv.h"
#include "core/comb_file.h"
#include "stakes/stake_view.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix::cli {

namespace {

// The stakes (not separators) among the records from `from` on.
int64_t StakesFrom(const TStakesController& stakes, int64_t from) {
    int64_t made = 0;
    for (int64_t i = from; i < stakes.Count(); ++i) made += !stakes.File().Read(i).IsSeparator();
    return made;
}

// Runs a making action and prints how many stakes it made; a refusal exits with 1.
void PrintMade(TCliSession& s, TCliContext& ctx, const std::function<bool()>& make) {
    TStakesController& stakes = s.session.Stakes();
    const int64_t before = stakes.Count();
    const bool made = make();
    s.ExitOnErrors();
    if (!made) throw ECliExit(1);
    ctx.out << StakesFrom(stakes, before) << "\n";
}

void AddOffsetOption(CLI::App* cmd, int& offset) {
    cmd->add_option("--offset", offset,
                    "Reference draw: how many draws back from the newest (the stake is for the "
                    "draw after it)")
        ->check(IntRange(0, INT32_MAX));
}

void AddCommentOption(CLI::App* cmd, std::string& comment) {
    cmd->add_option("--comment", comment, "Comment of the stakes (default \"Ставка \"вручную\"\")");
}

TStakesController& OpenAt(TCliSession& s, int offset) {
    TStakesController& stakes = OpenStakesSession(s);
    SetOffsetOption(s.session.Archive(), offset);
    return stakes;
}

void RegisterList(CLI::App& parent, TCliContext& ctx) {
    CLI::App* cmd =
        parent.add_subcommand("list", "The stakes grid as TSV (separators as empty rows)");
    cmd->callback([&ctx] {
        TCliSession s(ctx, false);
        TStakesController& stakes = OpenStakesSession(s);
        const auto& headers = StakeHeaders();
        WriteTsvRow(ctx.out, TTsvRow(headers.begin(), headers.end()));
        for (int64_t row = 1; row <= stakes.Count() && ctx.out; ++row)
            WriteTsvRow(ctx.out, stakes.RowCells(row));
        s.ExitOnErrors();
    });
}

struct TMakeOptions {
    int offset = 0;
    std::string comment = kManualStakeComment;
};

void RegisterAdd(CLI::App& parent, TCliContext& ctx) {
    struct TOptions : TMakeOptions {
        std::string numbers;
        int draws = 1;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "add", "A manual stake for the draw after the reference draw; prints the stakes made");
    cmd->add_option("NUMBERS", o->numbers, "\"n1;n2;...;n8\": 8 distinct numbers 1..20")
        ->required();
    AddOffsetOption(cmd, o->offset);
    cmd->add_option("--draws", o->draws, "Copies for this many draws from that draw on")
        ->check(IntRange(1, kStakeDrawsMax));
    AddCommentOption(cmd, o->comment);
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        TStakesController& stakes = OpenAt(s, o->offset);
        TStakeDialogFields fields = stakes.NewStakeFields(std::nullopt);
        fields.draws = o->draws;
        fields.numbers = o->numbers;
        fields.comment = o->comment;
        PrintMade(s, ctx, [&] { return stakes.MakeStake(fields); });
    });
}

void RegisterFromList(CLI::App& parent, TCliContext& ctx) {
    struct TOptions : TMakeOptions {
        std::string file;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "from-list", "One manual stake per combination of a file, in its order");
    cmd->add_option("FILE", o->file, "Combination file (*.lcv)")->required();
    AddOffsetOption(cmd, o->offset);
    AddCommentOption(cmd, o->comment);
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        TStakesController& stakes = OpenAt(s, o->offset);
        TCombsArray list;
        ReadCombFile(o->file, list);
        if (list.empty()) throw EZentrix(Format("В файле \"%s\" нет комбинаций", {o->file}));
        TStakeDialogFields fields = stakes.NewStakeFields(std::nullopt);
        fields.comment = o->comment;
        PrintMade(s, ctx, [&] { return stakes.MakeStakesForList(list, AllRows(list), fields); });
    });
}

void RegisterRandom(CLI::App& parent, TCliContext& ctx) {
    struct TOptions : TMakeOptions {
        int count = 1;
        std::optional<uint64_t> seed;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "random",
        "Manual stakes on random combinations of the working list the program starts with");
    cmd->add_option("--count", o->count, "How many stakes (default 1)")
        ->check(IntRange(1, kStakeDrawsMax));
    AddOffsetOption(cmd, o->offset);
    cmd->add_option("--seed", o->seed, "Seed of the random choice, for a reproducible run")
        ->check(IntRange(0, INT64_MAX));
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        TStakesController& stakes = OpenAt(s, o->offset);
        const TConfigSettings& c = s.session.Config().Settings();
        s.session.Combs().GenerateCombs(false, c.generateMode, c.generateParameters);
        s.ExitOnErrors();
        if (!stakes.CanMakeRandomStake()) throw EZentrix("Список комбинаций пуст!");
        const TRandomIndex random = o->seed ? SeededRandomIndex(*o->seed) : SystemRandomIndex();
        const size_t size = s.session.Combs().Combs().size();
        std::vector<size_t> rows;
        for (int i = 0; i < o->count; ++i) rows.push_back(random(size) % size);
        TStakeDialogFields fields = stakes.NewStakeFields(std::nullopt);
        fields.comment = o->comment;
        PrintMade(s, ctx, [&] { return stakes.MakeStakesForCombs(rows, fields); });
    });
}

void RegisterCheck(CLI::App& parent, TCliContext& ctx) {
    CLI::App* cmd = parent.add_subcommand(
        "check", "Fill in the results of the stakes whose draws arrived; prints how many");
    cmd->callback([&ctx] {
        TCliSession s(ctx, false);
        const int checked = OpenStakesSession(s).Check();
        s.ExitOnErrors();
        ctx.out << checked << "\n";
    });
}

// "A-B" or "A": grid rows, as "stakes list" numbers them.
std::pair<int64_t, int64_t> ParseRows(const std::string& text) {
    const size_t dash = text.find('-', 1);
    const std::optional<int64_t> first = TryStrToInt64(Trim(text.substr(0, dash)));
    const std::optional<int64_t> last =
        dash == std::string::npos ? first : TryStrToInt64(Trim(text.substr(dash + 1)));
    if (!first || !last || *first < 1 || *first > *last)
        throw EZentrix(
            Format("Неверный диапазон строк \"%s\": ожидается A-B, 1 <= A <= B", {text}));
    return {*first, *last};
}

TStakeCondition ParseCondition(const std::string& text) {
    static const std::array<const char*, 5> kSigns = {"=", ">", ">=", "<", "<="};
    for (size_t i = 0; i < kSigns.size(); ++i)
        if (text == kSigns[i]) return static_cast<TStakeCondition>(i);
    throw EZentrix(Format("Неизвестное условие \"%s\": ожидается =, >, >=, < или <=", {text}));
}

void RegisterDelete(CLI::App& parent, TCliContext& ctx) {
    struct TOptions {
        std::string rows;
        std::vector<std::string> where;
        bool all = false;
        bool yes = false;
        bool rebuildRatings = false;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand("delete", "Delete stakes; prints how many records went");
    CLI::Option* rows =
        cmd->add_option("--rows", o->rows, "Rows A-B as \"stakes list\" counts them");
    CLI::Option* where = cmd->add_option("--where", o->where,
                                         "CONDITION VALUE: stakes whose matches (-1 unchecked) "
                                         "are =, >, >=, < or <= VALUE (0..8); separators stay")
                             ->expected(2);
    CLI::Option* all = cmd->add_flag("--all", o->all, "Every record");
    CLI::Option* rebuild = cmd->add_flag(
        "--rebuild-ratings", o->rebuildRatings,
        "With --all: rebuild the ratings from the stakes left (none), dropping what they "
        "counted; without it the ratings stay as they are");
    rows->excludes(where, all);
    where->excludes(all);
    rebuild->needs(all);
    cmd->add_flag("--yes", o->yes, "Answer \"Да\" to the deletion question")->required();
    cmd->callback([&ctx, o, rows, where, all] {
        if ((rows->count() > 0) + (where->count() > 0) + (all->count() > 0) != 1)
            throw EZentrix("Задайте одно из --rows, --where или --all");
        TCliSession s(ctx, o->yes);
        // The ratings keep what they counted unless the rebuild is asked for by its own flag.
        s.ui.SetAnswer(kRebuildRatingsQuestion, o->rebuildRatings);
        TStakesController& stakes = OpenStakesSession(s);
        const int64_t before = stakes.Count();
        if (!o->rows.empty()) {
            const auto [first, last] = ParseRows(o->rows);
            if (last > before)
                throw EZentrix(Format("Строки %d-%d вне файла ставок: в нем %d записей",
                                      {first, last, before}));
            stakes.DeleteRows(first, last);
        } else if (!o->where.empty()) {
            const TStakeCondition condition = ParseCondition(o->where[0]);
            const std::optional<int32_t> value = TryStrToInt(o->where[1]);
            if (!value || *value < 0 || *value > kCombSize)
                throw EZentrix(
                    Format("Неверное число совпадений \"%s\": ожидается от 0 до 8", {o->where[1]}));
            if (before > 0) stakes.DeleteWhere(condition, *value);
        } else if (before > 0) {
            stakes.ClearAll();
        }
        s.ExitOnErrors();
        ctx.out << before - stakes.Count() << "\n";
    });
}

}  // namespace

void RegisterStakesCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* stakes = app.add_subcommand("stakes", "Stakes (Zentrix_8x20.lsk) and checking");
    stakes->require_subcommand(1);
    RegisterList(*stakes, ctx);
    RegisterAdd(*stakes, ctx);
    RegisterFromList(*stakes, ctx);
    RegisterRandom(*stakes, ctx);
    RegisterCheck(*stakes, ctx);
    RegisterDelete(*stakes, ctx);
}

}  // namespace zentrix::cli
