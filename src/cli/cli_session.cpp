#include "cli/cli_session.h"

#include <CLI/CLI.hpp>

#include "util/errors.h"
#include "util/format.h"

namespace zentrix::cli {

void SetOffsetOption(TArchiveController& archive, int offset) {
    if (offset < 0 || offset > archive.OffsetMaximum())
        throw EZentrix(Format("Смещение %d вне архива тиражей: допустимо от 0 до %d",
                              {offset, archive.OffsetMaximum()}));
    archive.SetDrawsOffset(offset);
}

void AddCombFileOptions(CLI::App& cmd, std::string& in, std::string& out) {
    cmd.add_option("--in", in, "Combination file to read (*.lcv)")->required();
    cmd.add_option("--out", out, "Combination file to write (*.lcv)")->required();
}

void NarrowCombFile(TCliSession& s, TCliContext& ctx, const std::string& in, const std::string& out,
                    const std::function<void(TCombsController&)>& narrow) {
    TCombsController& combs = s.session.Combs();
    if (!combs.ReadCombFile(in)) throw ECliExit(1);
    combs.SaveUndo(false);
    narrow(combs);
    combs.WriteCombFile(out);
    s.ExitOnErrors();
    ctx.out << combs.Count() << "\n";
}

}  // namespace zentrix::cli
