#include "cli/cli.h"

#include <algorithm>
#include <cmath>

#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "util/errors.h"
#include "util/format.h"

namespace zentrix::cli {

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::string& executablePath) {
    TCliContext ctx(out, err, executablePath);
    TFormatScope format;  // --decimal-separator lasts for this run only
    CLI::App app{"Zentrix 8x20: the lottery analyzer's engine from a terminal", "zentrix-cli"};
    app.require_subcommand(1);
    app.add_option("--dir", ctx.dirOption, "Data folder (default: $ZENTRIX_DIR or the program's)");
    app.add_option_function<double>(
           "--lock-wait",
           [&ctx](double seconds) {
               ctx.lockWait = std::chrono::milliseconds(std::llround(seconds * 1000));
           },
           "Seconds a command that writes into the data folder waits while another copy of the "
           "program holds it (default 5)")
        ->check(CLI::Range(0.0, 3600.0));
    app.add_option_function<std::string>(
           "--decimal-separator",
           [&format](const std::string& s) { format.SetDecimalSeparator(s[0]); },
           "Decimal separator of printed reals, \".\" or \",\" (default: the locale's); the "
           "settings file keeps the locale's")
        ->check([](const std::string& s) {
            return s == "." || s == "," ? std::string() : std::string("\".\" or \",\" expected");
        });

    RegisterGameCommand(app, ctx);
    RegisterDemoCommand(app, ctx);
    RegisterDrawsCommand(app, ctx);
    RegisterCombsCommand(app, ctx);
    RegisterConfigCommand(app, ctx);
    RegisterStatsCommand(app, ctx);
    RegisterPrefetchCommand(app, ctx);
    RegisterScenarioCommand(app, ctx);
    RegisterStakesCommand(app, ctx);
    RegisterRatingsCommand(app, ctx);
    RegisterRegularCommand(app, ctx);
    RegisterViewsCommand(app, ctx);
    RegisterViewsChartCommands(*app.get_subcommand("views"), ctx);
    RegisterExportCommand(app, ctx);
    RegisterHelpCommand(app, ctx);
    RegisterUpdateCommand(app, ctx);
    RegisterSystemsCommand(app, ctx);
    RegisterCatalogCommand(app, ctx);

    // CLI11 wants argv order reversed.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    int status = 0;
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        status = app.exit(e, out, err);
        if (status != 0) status = 2;
    } catch (const ECliExit& e) {
        status = e.Status();
    } catch (const EZentrix& e) {
        err << e.what() << "\n";
        status = 1;
    } catch (const std::exception& e) {
        err << MessageLine("Ошибка", ErrorText(e)) << "\n";
        status = 1;
    }
    return status;
}

}  // namespace zentrix::cli
