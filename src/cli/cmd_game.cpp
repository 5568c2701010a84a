#include "cli/commands.h"
#include "cli/tsv.h"
#include "core/game.h"
#include "util/format.h"

namespace zentrix::cli {

void RegisterGameCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* cmd = app.add_subcommand(
        "game", "Print the game's constants and the match distribution of a stake (TSV)");
    cmd->callback([&ctx] {
        WriteTsv(ctx.out, {"constant", "value"},
                 {{"MaxNumber", std::to_string(kMaxNumber)},
                  {"CombSize", std::to_string(kCombSize)},
                  {"ExtraMax", std::to_string(kExtraMax)},
                  {"CombCount", std::to_string(Binomial(kMaxNumber, kCombSize))},
                  {"SumMin", std::to_string(kSumMin)},
                  {"SumMax", std::to_string(kSumMax)},
                  {"SumStep", std::to_string(kSumStep)}});
        ctx.out << "\n";
        std::vector<TTsvRow> rows;
        const TMatchTables& t = MatchTables();
        for (int k = 0; k <= kCombSize; ++k)
            rows.push_back({std::to_string(k), std::to_string(t.counts[k]),
                            FloatToStrF(t.probabilities[k], 12)});
        WriteTsv(ctx.out, {"k", "combinations", "probability"}, rows);
    });
}

}  // namespace zentrix::cli
