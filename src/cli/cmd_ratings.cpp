#include <memory>

#include "cli/commands.h"
#include "cli/stakes_open.h"
#include "cli/tsv.h"
#include "stakes/ratings_view.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix::cli {

namespace {

// "COLUMN[:desc]": a column's number 1..24 or its caption.
std::pair<int, bool> ParseOrder(const std::string& text) {
    const size_t colon = text.rfind(':');
    const bool descending = colon != std::string::npos && text.substr(colon + 1) == "desc";
    const std::string column = descending ? text.substr(0, colon) : text;
    const auto& headers = RatingHeaders();
    for (int i = 0; i < kRatingColumnCount; ++i)
        if (column == headers[i]) return {i, descending};
    const std::optional<int32_t> number = TryStrToInt(column);
    if (number && *number >= 1 && *number <= kRatingColumnCount) return {*number - 1, descending};
    throw EZentrix(
        Format("Неизвестный столбец рейтинга \"%s\": ожидается номер от 1 до %d или "
               "заголовок, за ним можно \":desc\"",
               {text, kRatingColumnCount}));
}

void RegisterList(CLI::App& parent, TCliContext& ctx) {
    struct TOptions {
        std::optional<int> mode;
        std::string order;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand("list", "The ratings view as TSV, in its sort order");
    cmd->add_option("--mode", o->mode,
                    "The E columns: 0 expected counts, 1 absolute, 2 relative effectiveness "
                    "(default: the program's setting)")
        ->check(IntRange(0, 2));
    cmd->add_option("--order", o->order,
                    "Sort by a column (number or caption), \":desc\" for descending; the file "
                    "keeps the new order, as a click on the column does");
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        OpenStakesSession(s);
        TRatingsController& ratings = s.session.Ratings();
        if (!o->order.empty()) {
            const auto [column, descending] = ParseOrder(o->order);
            ratings.Sort(column, descending);
        }
        const TEffMode mode = o->mode ? static_cast<TEffMode>(*o->mode) : ratings.EffMode();
        const TTextTable table = RatingsTable(ratings.Ratings(), mode);
        WriteTsv(ctx.out, table.headers, table.rows);
        s.ExitOnErrors();
    });
}

void RegisterRebuild(CLI::App& parent, TCliContext& ctx) {
    auto yes = std::make_shared<bool>(false);
    CLI::App* cmd = parent.add_subcommand(
        "rebuild", "Recount the ratings from the checked stakes only; prints the row count");
    cmd->add_flag("--yes", *yes, "Answer \"Да\": the data of deleted stakes is dropped")
        ->required();
    cmd->callback([&ctx, yes] {
        TCliSession s(ctx, *yes);
        TStakesController& stakes = OpenStakesSession(s);
        s.session.Ratings().Rebuild(stakes.File());
        s.ExitOnErrors();
        ctx.out << s.session.Ratings().Count() << "\n";
    });
}

void RegisterExport(CLI::App& parent, TCliContext& ctx) {
    auto file = std::make_shared<std::string>();
    CLI::App* cmd = parent.add_subcommand("export", "Write the ratings as a CSV file");
    cmd->add_option("FILE", *file, "CSV file to write")->required();
    cmd->callback([&ctx, file] {
        TCliSession s(ctx, false);
        OpenStakesSession(s);
        TRatingsController& ratings = s.session.Ratings();
        if (!ratings.CanExport()) throw EZentrix("Рейтинг пуст");
        ratings.ExportFile(*file);
        s.ExitOnErrors();
        ctx.out << ratings.Count() << "\n";
    });
}

void RegisterToScenario(CLI::App& parent, TCliContext& ctx) {
    auto numbers = std::make_shared<std::vector<int>>();
    CLI::App* cmd = parent.add_subcommand(
        "to-scenario", "Append the rows' scenario lines to the working scenario; prints how many");
    cmd->add_option("ROW", *numbers, "Rows as \"ratings list\" numbers them (from 1)")->required();
    cmd->callback([&ctx, numbers] {
        TCliSession s(ctx, false);
        OpenStakesSession(s);
        TRatingsController& ratings = s.session.Ratings();
        std::vector<size_t> rows;
        for (int number : *numbers) {
            if (number < 1 || number > ratings.Count())
                throw EZentrix(
                    Format("Строки %d нет в рейтинге: в нем %d строк", {number, ratings.Count()}));
            rows.push_back(static_cast<size_t>(number - 1));
        }
        // The new lines join the working scenario, never replace it.
        s.session.Scenario().LoadWorkingFile();
        s.ExitOnErrors();
        const int added = ratings.ToScenario(rows);
        ctx.out << added << "\n";
        s.ExitOnErrors();
    });
}

}  // namespace

void RegisterRatingsCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* ratings = app.add_subcommand("ratings", "Ratings of the stakes (Zentrix_8x20.lrt)");
    ratings->require_subcommand(1);
    RegisterList(*ratings, ctx);
    RegisterRebuild(*ratings, ctx);
    RegisterExport(*ratings, ctx);
    RegisterToScenario(*ratings, ctx);
}

}  // namespace zentrix::cli
