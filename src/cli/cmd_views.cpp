#include <memory>
#include <vector>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/tsv.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix::cli {

namespace {

struct TWindowOptions {
    int window = 0;  // 0: the designed length
    int offset = 0;
};

void AddOffsetOption(CLI::App* cmd, TWindowOptions& o) {
    cmd->add_option("--offset", o.offset, "Reference draw: how many draws back from the newest")
        ->check(IntRange(0, INT32_MAX));
}

void AddWindowOption(CLI::App* cmd, TWindowOptions& o, const char* designed) {
    cmd->add_option("--window", o.window,
                    std::string("Number of draws counted, ending at the reference draw (default ") +
                        designed + ")")
        ->check(IntRange(1, INT32_MAX));
}

// The archive loaded and the reference draw set; the registry too when a filter needs it.
TViewsController& PrepareViews(TCliSession& s, const TWindowOptions& o, bool registry) {
    s.session.LoadConfig();
    if (registry) s.session.InitRegistry();
    TArchiveController& archive = s.session.Archive();
    archive.LoadArchive();
    s.ExitOnErrors();
    SetOffsetOption(archive, o.offset);
    return s.session.Views();
}

void WriteTable(std::ostream& out, const TTextTable& table, size_t columns) {
    auto cut = [columns](const std::vector<std::string>& cells) {
        return TTsvRow(cells.begin(), cells.begin() + std::min(columns, cells.size()));
    };
    WriteTsvRow(out, cut(table.headers));
    for (const auto& row : table.rows) WriteTsvRow(out, cut(row));
}

void RegisterCard(CLI::App& parent, TCliContext& ctx) {
    auto rows = std::make_shared<int>(-1);
    CLI::App* cmd = parent.add_subcommand(
        "card", "The draw card as TSV: the draw number and the 20 number cells, newest first");
    cmd->add_option("--rows", *rows, "Newest draws shown (default: the whole archive)")
        ->check(IntRange(0, INT32_MAX));
    cmd->callback([&ctx, rows] {
        TCliSession s(ctx, false);
        TViewsController& views = PrepareViews(s, {}, false);
        views.RebuildCard(true);
        WriteTable(ctx.out, views.Card().Table(*rows), kMaxNumber + 1);
    });
}

void RegisterScheme(CLI::App& parent, TCliContext& ctx) {
    auto o = std::make_shared<TWindowOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "scheme",
        "The layout scheme as TSV: columns by the last draw, rows by the count; numbers of the "
        "draw after the reference draw in brackets");
    AddWindowOption(cmd, *o, "100");
    AddOffsetOption(cmd, *o);
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        TViewsController& views = PrepareViews(s, *o, false);
        if (o->window > 0) views.SetLayoutLen(o->window);
        views.BuildLayout(true);
        const TTextTable table = views.Layout().Table();
        WriteTable(ctx.out, table, table.headers.size());
    });
}

void RegisterCompare(CLI::App& parent, TCliContext& ctx) {
    struct TOptions : TWindowOptions {
        std::vector<int> windows;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "compare",
        "The comparison lists as TSV: per list a header \"Кол-во\" and its draws \"first - last\", "
        "its rows (count, numbers), and an empty line between lists");
    AddOffsetOption(cmd, *o);
    cmd->add_option("--windows", o->windows, "One to five window lengths, e.g. 50,100,200,300,400")
        ->required()
        ->delimiter(',')
        ->check(IntRange(1, INT32_MAX));
    cmd->callback([&ctx, o] {
        if (o->windows.empty() || o->windows.size() > kLayoutLists)
            throw CLI::ValidationError("--windows", "one to five lengths expected");
        TCliSession s(ctx, false);
        TViewsController& views = PrepareViews(s, *o, false);
        for (size_t k = 0; k < o->windows.size(); ++k)
            views.SetLayoutCompareLen(static_cast<int>(k), o->windows[k]);
        views.BuildLayoutComparisons(true);
        for (size_t k = 0; k < o->windows.size(); ++k) {
            const TLayoutComparison& list = views.Comparisons()[k];
            if (k > 0) ctx.out << "\n";
            WriteTsvRow(ctx.out, {kLayoutCountHeader, list.rangeHeader});
            for (const auto& row : list.rows) WriteTsvRow(ctx.out, {row[0], row[1]});
        }
    });
}

void RegisterWeekdays(CLI::App& parent, TCliContext& ctx) {
    auto o = std::make_shared<TWindowOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "weekdays",
        "How often each number was drawn on each weekday, as TSV: a header of the numbers, then "
        "one row per weekday, Monday first (draws without a readable date are left out)");
    AddWindowOption(cmd, *o, "1000");
    AddOffsetOption(cmd, *o);
    cmd->callback([&ctx, o] {
        TCliSession s(ctx, false);
        TViewsController& views = PrepareViews(s, *o, false);
        if (o->window > 0) views.SetWeekLen(o->window);
        views.BuildWeekStats(true);
        const TTextTable table = views.Week().Table();
        WriteTable(ctx.out, table, table.headers.size());
    });
}

// The selection in the grid's coordinates, checked against the grid the view shows.
TGridRange CheckedRange(TViewsController& views, TGridView view, const std::string& text) {
    int lastColumn = kMaxNumber, lastRow = 0;
    switch (view) {
        case TGridView::Card:
            lastRow = views.Card().DataRows();
            break;
        case TGridView::Layout:
            lastRow = views.Layout().Rows() - 1;
            lastColumn = std::min(kMaxNumber, views.Layout().Columns() - 1);
            break;
        case TGridView::Week:
            lastRow = kWeekDays;
            break;
    }
    const TGridRange range = ParseGridRange(text, 1, lastRow);
    if (range.left < 1 || range.right > lastColumn || range.top < 1 || range.bottom > lastRow)
        throw EZentrix(Format("Выделение \"%s\" вне таблицы: столбцы от 1 до %d, строки от 1 до %d",
                              {text, lastColumn, lastRow}));
    return range;
}

void RegisterFilter(CLI::App& parent, TCliContext& ctx) {
    struct TOptions : TWindowOptions {
        std::string view;
        std::string selection;
        bool keep = false;
        bool remove = false;
        std::string in, out;
    };
    auto o = std::make_shared<TOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "filter",
        "Keep or remove the combinations holding any number of a selection of a view's cells; "
        "prints the number left");
    cmd->add_option("VIEW", o->view, "card, scheme or weekdays")
        ->required()
        ->check(CLI::IsMember({"card", "scheme", "weekdays"}));
    cmd->add_option("SELECTION", o->selection,
                    "Cells as COLUMNS[:ROWS] of the grid, each N or N-M (rows default to all): "
                    "card columns are the numbers and row 1 the newest draw; scheme columns and "
                    "rows count from its top left data cell; weekdays filter by the columns")
        ->required();
    auto* keep = cmd->add_flag("--keep", o->keep, "Keep the combinations with a selected number");
    auto* remove =
        cmd->add_flag("--remove", o->remove, "Remove the combinations with a selected number");
    keep->excludes(remove);
    AddWindowOption(cmd, *o, "100 for the scheme, 1000 for weekdays");
    AddOffsetOption(cmd, *o);
    AddCombFileOptions(*cmd, o->in, o->out);
    cmd->callback([&ctx, o] {
        if (!o->keep && !o->remove) throw CLI::ValidationError("--keep or --remove is required");
        TCliSession s(ctx, false);
        TViewsController& views = PrepareViews(s, *o, true);
        const TGridView view = o->view == "card"     ? TGridView::Card
                               : o->view == "scheme" ? TGridView::Layout
                                                     : TGridView::Week;
        if (o->window > 0) {
            views.SetLayoutLen(o->window);
            views.SetWeekLen(o->window);
        }
        views.Recompute(true);
        const TGridRange range = CheckedRange(views, view, o->selection);
        NarrowCombFile(s, ctx, o->in, o->out,
                       [&](TCombsController&) { views.Filter(view, o->remove, range); });
    });
}

}  // namespace

void RegisterViewsCommand(CLI::App& app, TCliContext& ctx) {
    CLI::App* views = app.add_subcommand(
        "views", "Grid views: the draw card, the layout scheme and its lists, weekday counts");
    views->require_subcommand(1);
    RegisterCard(*views, ctx);
    RegisterScheme(*views, ctx);
    RegisterCompare(*views, ctx);
    RegisterWeekdays(*views, ctx);
    RegisterFilter(*views, ctx);
}

}  // namespace zentrix::cli
