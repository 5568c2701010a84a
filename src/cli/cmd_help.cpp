#include <memory>

#include "cli/commands.h"
#include "cli/tsv.h"
#include "core/config.h"
#include "stats/help_pages.h"
#include "stats/stat_list.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"
#include "util/help_files.h"
#include "util/html_text.h"
#include "util/strings.h"

namespace zentrix::cli {

namespace {

const std::string& RequireHelpFolder() {
    if (HelpFolder().empty())
        throw EZentrix("Справка не найдена: рядом с программой нет папки help");
    return HelpFolder();
}

void PrintPage(TCliContext& ctx, const std::string& page) {
    const std::string path = JoinPath(RequireHelpFolder(), page);
    if (!FileExists(path)) throw EZentrix(Format("Страница справки не найдена: %s", {path}));
    ctx.out << HtmlToText(ReadFileBytes(path));
}

// The registry of the default configuration: the method pages do not depend on the user's.
struct TDefaultRegistry {
    TDrawsArray draws;
    TConfigSettings config = DefaultConfigSettings();
    TStatList list{draws, config};
    TDefaultRegistry() { list.RegisterMethods(); }
};

}  // namespace

void RegisterHelpCommand(CLI::App& app, TCliContext& ctx) {
    struct TOptions {
        std::string topic;
        bool methodIndex = false;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = app.add_subcommand(
        "help", "A page of the guide as plain text; without a topic, the list of topics");
    cmd->add_option("TOPIC", o->topic, "A guide page, e.g. stat-table, scenarios, cli");
    cmd->add_flag("--method-index", o->methodIndex,
                  "Print the contents' list of method pages as index.htm holds it (for the help's "
                  "maintainers)");
    cmd->callback([&ctx, o] {
        if (o->methodIndex) {
            TDefaultRegistry registry;
            ctx.out << MethodIndexHtml(registry.list);
            return;
        }
        const auto& pages = HelpGuidePages();
        if (o->topic.empty()) {
            std::vector<TTsvRow> rows;
            for (const THelpGuidePage& p : pages) rows.push_back({p.topic, p.title});
            WriteTsv(ctx.out, {"topic", "title"}, rows);
            return;
        }
        std::string topic = o->topic;
        if (topic.size() > 4 && SameText(topic.substr(topic.size() - 4), ".htm"))
            topic.resize(topic.size() - 4);
        for (const THelpGuidePage& p : pages)
            if (SameText(p.topic, topic)) return PrintPage(ctx, std::string(p.topic) + ".htm");
        throw EZentrix(
            Format("Неизвестный раздел справки: %s (список разделов: help)", {o->topic}));
    });
}

void RegisterStatsHelpCommand(CLI::App& stats, TCliContext& ctx) {
    auto code = std::make_shared<std::string>();
    CLI::App* cmd =
        stats.add_subcommand("help", "A method's help page as plain text (by code or help code)");
    cmd->add_option("CODE", *code, "Method code, e.g. NUMS, POS3 (see \"stats list\")")->required();
    cmd->callback([&ctx, code] {
        TDefaultRegistry registry;
        const std::string page = FindMethodHelpPage(registry.list, *code);
        if (page.empty())
            throw EZentrix(Format("Неизвестный метод расчета статистики: %s", {*code}));
        PrintPage(ctx, page);
    });
}

}  // namespace zentrix::cli
