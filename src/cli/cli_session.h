#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/session.h"
#include "cli/cli_ui.h"
#include "cli/context.h"

namespace CLI {
class App;
class Validator;
}  // namespace CLI

namespace zentrix::cli {

// The session a command works on, speaking through the command line's UiPort.
struct TCliSession {
    TCliSession(TCliContext& ctx, bool assumeYes)
        : ui(ctx.err, assumeYes), session(ctx.DataFolder(), ui), lockWait_(ctx.lockWait) {}

    // Commands that write into the data folder keep out while the program (or another command)
    // works there, as a second copy of the program would: they wait a little for the hold, then
    // end with a message.
    void LockData();
    // LockData when `path` (a file the command writes) lies in the data folder.
    void LockDataIfInside(const std::string& path);

    // Exit status 1 when an error box was shown; warnings do not count.
    void ExitOnErrors() const {
        if (ui.ErrorCount() > 0) throw ECliExit(1);
    }

    // Loads the archive for a command that changes and saves it. A damaged file is reported as a
    // warning: the save keeps a backup of it, so the command fails only when its change is
    // refused or cannot be saved, and a saved change exits with 0.
    TArchiveController& LoadArchiveToChange() {
        session.Archive().LoadArchive(TArchiveController::TDamageReport::Warning);
        return session.Archive();
    }

    TCliUi ui;
    TMainSession session;

  private:
    std::chrono::milliseconds lockWait_;
};

// The check of an integer option or argument: a decimal integer within min..max. Its message
// gives the bounds and the typed text cut short, never a number hundreds of digits long.
CLI::Validator IntRange(int64_t min, int64_t max);

// The reference-draw offset of --offset, checked against the archive.
void SetOffsetOption(TArchiveController& archive, int offset);

// The --in and --out files of a command that narrows a combination file.
void AddCombFileOptions(CLI::App& cmd, std::string& in, std::string& out);

// Reads `in` as the working list, lets `narrow` narrow it (through TCombsController::Narrow),
// writes `out` and prints the number of combinations left.
void NarrowCombFile(TCliSession& s, TCliContext& ctx, const std::string& in, const std::string& out,
                    const std::function<void(TCombsController&)>& narrow);

}  // namespace zentrix::cli
