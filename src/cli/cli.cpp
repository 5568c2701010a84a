#include "cli/cli.h"

#include <algorithm>

#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "util/errors.h"
#include "util/format.h"

namespace zentrix::cli {

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::string& executablePath) {
    TCliContext ctx(out, err, executablePath);
    CLI::App app{"Zentrix 8x20: the lottery analyzer's engine from a terminal", "zentrix-cli"};
    app.require_subcommand(1);
    app.add_option("--dir", ctx.dirOption, "Data folder (default: $ZENTRIX_DIR or the program's)");
    app.add_option_function<std::string>(
           "--decimal-separator", [](const std::string& s) { SetDecimalSeparator(s[0]); },
           "Decimal separator of printed reals (default: the locale's)")
        ->check([](const std::string& s) {
            return s.size() == 1 ? std::string() : std::string("one character expected");
        });

    RegisterGameCommand(app, ctx);
    RegisterDemoCommand(app, ctx);
    RegisterDrawsCommand(app, ctx);
    RegisterCombsCommand(app, ctx);
    RegisterConfigCommand(app, ctx);
    RegisterStatsCommand(app, ctx);
    RegisterPrefetchCommand(app, ctx);

    // CLI11 wants argv order reversed.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    const TFormatSettings saved = FormatSettings();
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
    SetFormatSettings(saved);
    return status;
}

}  // namespace zentrix::cli
