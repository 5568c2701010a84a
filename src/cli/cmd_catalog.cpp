#include <memory>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/tsv.h"
#include "util/errors.h"
#include "util/format.h"

namespace zentrix::cli {

namespace {

// The filter box item that lists everything, hidden entries too.
constexpr int kAllFilter = 1;

// The session with the settings and the working scenario; every command may store the computer
// identifier on its first request, so each holds the folder.
TCatalogController& OpenCatalog(TCliSession& s, int filterIndex) {
    s.LockData();
    s.session.LoadConfig();
    s.ExitOnErrors();
    s.session.Scenario().LoadWorkingFile();
    s.ExitOnErrors();
    TCatalogController& catalog = s.session.Catalog();
    catalog.SetFilterIndex(filterIndex);
    catalog.RefreshCatalog();
    s.ExitOnErrors();
    return catalog;
}

TCatalogController& OpenEntry(TCliSession& s, int id) {
    TCatalogController& catalog = OpenCatalog(s, kAllFilter);
    if (!catalog.SelectId(id)) throw EZentrix(Format("Сценарий #%d не найден в каталоге", {id}));
    return catalog;
}

// The properties dialog's OK checks; a failed one ends the command.
void CheckData(TCliSession& s, TCatalogController& catalog, TScriptData& data) {
    if (const auto problem = catalog.CheckScriptData(data)) {
        if (!problem->message.empty()) s.session.Core().ErrorBox(problem->message);
        throw ECliExit(1);
    }
}

void RegisterList(CLI::App& parent, TCliContext& ctx) {
    auto filter = std::make_shared<int>(2);
    CLI::App* cmd =
        parent.add_subcommand("list", "The catalog's entries (TSV: id, then the list's columns)");
    cmd->add_option("--filter", *filter,
                    "Filter box item 0..7: 0 hidden, 1 all with hidden, 2 all but hidden "
                    "(default), 3 mine, 4 public, 5 rated by me, 6 not rated by me, 7 new")
        ->check(IntRange(0, 7));
    cmd->callback([&ctx, filter] {
        TCliSession s(ctx, false);
        TCatalogController& catalog = OpenCatalog(s, *filter);
        TTsvRow header = {"id"};
        for (const auto& c : CatalogColumns()) header.push_back(c);
        std::vector<TTsvRow> rows;
        for (const auto& e : catalog.Entries()) {
            TTsvRow row = {std::to_string(e.Id)};
            for (auto& t : CatalogRowTexts(e)) row.push_back(std::move(t));
            rows.push_back(std::move(row));
        }
        WriteTsv(ctx.out, header, rows);
    });
}

void RegisterDownload(CLI::App& parent, TCliContext& ctx) {
    auto id = std::make_shared<int>(0);
    CLI::App* cmd =
        parent.add_subcommand("download", "Download an entry into the working scenario");
    cmd->add_option("ID", *id, "The entry's id")->required();
    cmd->callback([&ctx, id] {
        TCliSession s(ctx, false);
        TCatalogController& catalog = OpenEntry(s, *id);
        if (!catalog.CanDownload()) throw EZentrix("Сценарий не предназначен для этой программы");
        const bool done = catalog.Download();
        s.ExitOnErrors();
        if (!done) throw EZentrix("Сценарий не содержит ни одной строки");
        ctx.out << s.session.Scenario().Count() << "\n";
    });
}

void RegisterPublish(CLI::App& parent, TCliContext& ctx) {
    struct TOptions {
        std::string title, descr;
        bool isPrivate = false, universal = false;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "publish", "Publish the working scenario as a new entry; prints its id");
    cmd->add_option("--title", o->title, "Title (unique in the catalog)")->required();
    cmd->add_option("--descr", o->descr, "Description");
    cmd->add_flag("--private", o->isPrivate, "Visible only to me");
    cmd->add_flag("--universal", o->universal, "Usable in any program of the family");
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        TCatalogController& catalog = OpenCatalog(s, kAllFilter);
        if (!catalog.CanPublish()) throw EZentrix("Текущий сценарий не содержит ни одной строки");
        TScriptData data = catalog.NewScriptData();
        data.Title = o->title;
        data.Descr = o->descr;
        data.Public = !o->isPrivate;
        data.Universal = o->universal;
        CheckData(s, catalog, data);
        const bool done = catalog.Publish(data);
        s.ExitOnErrors();
        if (!done) throw EZentrix("Каталог не принял сценарий");
        ctx.out << catalog.SelectedEntry()->Id << "\n";
    });
}

void RegisterReplace(CLI::App& parent, TCliContext& ctx) {
    auto id = std::make_shared<int>(0);
    CLI::App* cmd = parent.add_subcommand(
        "replace", "Replace an own entry's scenario with the working scenario");
    cmd->add_option("ID", *id, "The entry's id")->required();
    cmd->callback([&ctx, id] {
        TCliSession s(ctx, false);
        TCatalogController& catalog = OpenEntry(s, *id);
        if (!catalog.CanReplace())
            throw EZentrix(catalog.SelectedEntry()->MineCompatible
                               ? "Текущий сценарий не содержит ни одной строки"
                               : "Изменять можно только свои сценарии этой программы");
        TScriptData data = catalog.SelectedScriptData();
        CheckData(s, catalog, data);
        const bool done = catalog.Replace(data);
        s.ExitOnErrors();
        if (!done) throw EZentrix("Каталог не принял сценарий");
    });
}

void RegisterDelete(CLI::App& parent, TCliContext& ctx) {
    auto id = std::make_shared<int>(0);
    auto yes = std::make_shared<bool>(false);
    CLI::App* cmd = parent.add_subcommand("delete", "Delete an own entry from the catalog");
    cmd->add_option("ID", *id, "The entry's id")->required();
    cmd->add_flag("--yes", *yes, "Answer \"Да\" to the confirmation");
    cmd->callback([&ctx, id, yes] {
        TCliSession s(ctx, *yes);
        TCatalogController& catalog = OpenEntry(s, *id);
        if (!catalog.CanDelete())
            throw EZentrix("Удалять можно только свои сценарии этой программы");
        const bool done = catalog.Delete();
        s.ExitOnErrors();
        if (!done) throw ECliExit(1);
    });
}

void RegisterRate(CLI::App& parent, TCliContext& ctx) {
    struct TOptions {
        int id = 0, value = 0;
        std::string comment;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand("rate", "Rate an entry from 1 to 5");
    cmd->add_option("ID", o->id, "The entry's id")->required();
    cmd->add_option("VALUE", o->value, "1..5")->required()->check(IntRange(1, 5));
    cmd->add_option("--comment", o->comment, "A comment to the rating");
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        TCatalogController& catalog = OpenEntry(s, o->id);
        const bool done = catalog.Rate(o->value, o->comment);
        s.ExitOnErrors();
        if (!done) throw EZentrix("Каталог не ответил на оценку");
    });
}

}  // namespace

void RegisterCatalogCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* catalog = app.add_subcommand(
        "catalog", "The online scenario catalog (SERVICES CatalogUrl, as USER Name and Email)");
    catalog->require_subcommand(1);
    RegisterList(*catalog, ctx);
    RegisterDownload(*catalog, ctx);
    RegisterPublish(*catalog, ctx);
    RegisterReplace(*catalog, ctx);
    RegisterDelete(*catalog, ctx);
    RegisterRate(*catalog, ctx);
}

}  // namespace zentrix::cli
