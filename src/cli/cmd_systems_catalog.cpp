#include <algorithm>
#include <memory>

#include "app/systems_catalog_controller.h"
#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/tsv.h"
#include "stakes/system_store.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"

namespace zentrix::cli {

namespace {

struct TSystemsSession {
    explicit TSystemsSession(TCliContext& ctx) : s(ctx, false) {
        s.LockData();
        s.session.LoadConfig();
        s.ExitOnErrors();
    }
    TSystemsCatalogController& Load() {
        catalog.LoadSystemList();
        s.ExitOnErrors();
        return catalog;
    }
    TCliSession s;
    TSystemsCatalogController catalog{s.session.Core(), s.session.Config()};
};

}  // namespace

void AddSystemsCatalogCommands(CLI::App& systems, TCliContext& ctx) {
    CLI::App* list =
        systems.add_subcommand("catalog", "The systems catalog (TSV: id, then the list's columns)");
    list->callback([&ctx] {
        TSystemsSession t(ctx);
        TSystemsCatalogController& catalog = t.Load();
        TTsvRow header = {"id"};
        for (const auto& c : SystemColumns()) header.push_back(c);
        std::vector<TTsvRow> rows;
        for (size_t i = 0; i < catalog.Entries().size(); ++i) {
            const TSystemInfo& e = catalog.Entries()[i];
            TTsvRow row = {std::to_string(e.id)};
            for (auto& c : SystemRowTexts(e, catalog.Downloaded(static_cast<int>(i))))
                row.push_back(std::move(c));
            rows.push_back(std::move(row));
        }
        WriteTsv(ctx.out, header, rows);
    });

    auto id = std::make_shared<int>(0);
    CLI::App* download = systems.add_subcommand(
        "download", "Download a system into the folder Systems; prints the file's path");
    download->add_option("ID", *id, "The system's id")->required();
    download->callback([&ctx, id] {
        TSystemsSession t(ctx);
        TSystemsCatalogController& catalog = t.Load();
        if (!catalog.SelectId(*id))
            throw EZentrix(Format("Система #%d не найдена в каталоге", {*id}));
        const bool done = catalog.DownloadSystem(catalog.Selected());
        t.s.ExitOnErrors();
        if (!done) throw ECliExit(1);
        const TSystemInfo& e = catalog.Entries()[static_cast<size_t>(catalog.Selected())];
        ctx.out << JoinPath(catalog.Folder(), SystemFileName(e.nums, e.olap, e.id)) << "\n";
    });

    struct TPublish {
        std::string file, title, descr, url;
        int block = 0;
    };
    auto o = std::make_shared<TPublish>();
    CLI::App* publish = systems.add_subcommand(
        "publish", "Publish a system from a file of combination lines; prints its id");
    publish->add_option("FILE", o->file, "One combination per line, eight positions 1..N")
        ->required()
        ->check(CLI::ExistingFile);
    publish->add_option("--title", o->title, "Title (unique in the catalog)")->required();
    publish->add_option("--descr", o->descr, "Description (default: the title)");
    publish->add_option("--block", o->block, "The block 0..7 (default 0)")->check(IntRange(0, 7));
    publish->add_option("--url", o->url, "A link about the system");
    publish->callback([&ctx, o] {
        TSystemsSession t(ctx);
        TSystemsCatalogController& catalog = t.catalog;
        TSystemData system = catalog.NewSystem();
        const TNormalizedList list = NormalizeSystemList(ReadTextFile(o->file));
        system.list = list.text;
        system.info.title = o->title;
        system.info.descr = o->descr.empty() ? o->title : o->descr;
        system.info.url = o->url;
        system.info.olap = static_cast<uint8_t>(o->block);
        system.info.csize = list.csize;
        system.info.nums = static_cast<uint8_t>(std::clamp(list.nums, 0, 255));
        if (const auto problem = CheckSystemData(system)) {
            t.s.session.Core().ErrorBox(*problem);
            throw ECliExit(1);
        }
        const bool done = catalog.AddSystem(system);
        t.s.ExitOnErrors();
        if (!done) throw EZentrix("Каталог не принял систему");
        ctx.out << catalog.Entries().back().id << "\n";
    });
}

}  // namespace zentrix::cli
