#include <memory>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/tsv.h"
#include "stats/custom_stat.h"
#include "util/errors.h"
#include "util/format.h"
#include "views/draws_graph.h"
#include "views/repeats.h"
#include "views/sum_distribution.h"

namespace zentrix::cli {

namespace {

constexpr const char* kEmptyArchive = "Архив тиражей пуст: строить график не по чему";

// The archive loaded; a damaged file has shown its message and ends the command.
TArchiveController& LoadDraws(TCliSession& s) {
    TArchiveController& archive = s.session.Archive();
    archive.LoadArchive();
    s.ExitOnErrors();
    return archive;
}

void RegisterGraph(CLI::App& views, TCliContext& ctx) {
    struct TOptions {
        std::string code;
        int window = kDrawsGraphLenDefault;
        int offset = 0;
        bool sorted = false;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = views.add_subcommand(
        "graph",
        "A graph method's value per draw over the window as TSV (draw, value), then its mean and "
        "its most frequent value");
    cmd->add_option("CODE", o->code, "Code of a method with flag G, e.g. SUMN (see \"stats list\")")
        ->required();
    cmd->add_option("--window", o->window, "Number of draws shown, ending at the reference draw")
        ->check(IntRange(1, INT32_MAX));
    cmd->add_option("--offset", o->offset, "Reference draw: how many draws back from the newest");
    cmd->add_flag("--sorted", o->sorted, "Numbers of each draw in ascending order");
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        s.session.LoadConfig();
        s.session.InitRegistry();
        s.ExitOnErrors();
        const TStatList& registry = s.session.Stats().Registry();
        const int entry = registry.FindCode(o->code);
        if (entry < 0)
            throw EZentrix(Format("Неизвестный метод расчета статистики: %s", {o->code}));
        auto stat = registry.CreateStat(entry);
        const auto* graph = dynamic_cast<const TCustomGraphStat*>(stat.get());
        if (!graph) throw EZentrix(Format("Метод %s не строит графиков", {o->code}));
        TArchiveController& archive = LoadDraws(s);
        if (archive.Count() == 0) throw EZentrix(kEmptyArchive);
        SetOffsetOption(archive, o->offset);
        const TDrawsGraph g =
            BuildDrawsGraph(*graph, archive.Draws(), archive.ReferenceIndex(), o->window, o->sorted,
                            registry.EntryCaption(entry, true));
        WriteTsvRow(ctx.out, {"draw", "value"});
        for (size_t i = 0; i < g.Draws.size(); ++i)
            WriteTsvRow(ctx.out, {std::to_string(g.Draws[i]), std::to_string(g.Values[i])});
        WriteTsvRow(ctx.out, {"mean", FloatToStrF(g.Mean, 4)});
        WriteTsvRow(ctx.out, {"mode", std::to_string(g.Mode)});
    });
}

void RegisterRepeats(CLI::App& views, TCliContext& ctx) {
    struct TOptions {
        int length = kRepeatsLengthDefault;
        int depth = kRepeatsDepthDefault;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = views.add_subcommand(
        "repeats",
        "For each of the newest draws, how many earlier draws share 1, 2, ... numbers with it, as "
        "TSV");
    cmd->add_option("--length", o->length, "Number of the newest draws analysed")
        ->check(IntRange(1, INT32_MAX));
    cmd->add_option("--depth", o->depth, "Number of earlier draws each one is compared with")
        ->check(IntRange(1, INT32_MAX));
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        const TArchiveController& archive = LoadDraws(s);
        if (archive.Count() == 0) throw EZentrix(kEmptyArchive);
        std::vector<TTsvRow> rows;
        for (const TRepeatsRow& r : AnalyzeRepeats(archive.Draws(), o->length, o->depth))
            rows.push_back(RepeatsRowTexts(r));
        WriteTsv(ctx.out, RepeatsColumns(), rows);
    });
}

void RegisterSums(CLI::App& views, TCliContext& ctx) {
    auto offset = std::make_shared<int>(0);
    CLI::App* cmd = views.add_subcommand(
        "sums",
        "Sums of all combinations against the archive's, one TSV row per sum 36..132: "
        "combinations, draws, band (3 the narrowest, 0 outside the bands)");
    cmd->add_option("--offset", *offset,
                    "Count the draws up to the reference draw this many back from the newest "
                    "(default: the whole archive)");
    cmd->callback([&ctx, offset] {
        TCliSession s(ctx, false);
        TArchiveController& archive = LoadDraws(s);
        SetOffsetOption(archive, *offset);
        const TSumDistribution d = SumDistribution(archive.Draws(), archive.ReferenceIndex());
        std::vector<TTsvRow> rows;
        for (const TSumRow& r : SumRows(d))
            rows.push_back({std::to_string(r.Sum), std::to_string(r.Combs), std::to_string(r.Draws),
                            std::to_string(r.Band)});
        WriteTsv(ctx.out, {"sum", "combinations", "draws", "band"}, rows);
    });
}

}  // namespace

void RegisterViewsChartCommands(CLI::App& views, TCliContext& ctx) {
    views.require_subcommand(1);
    RegisterGraph(views, ctx);
    RegisterRepeats(views, ctx);
    RegisterSums(views, ctx);
}

}  // namespace zentrix::cli
