#include "cli/cli_session.h"

#include <CLI/CLI.hpp>

#include "util/errors.h"
#include "util/format.h"
#include "util/program_folder.h"
#include "util/strings.h"

namespace zentrix::cli {

void TCliSession::LockData() {
    if (session.TryDataLock(lockWait_)) return;
    const std::string& folder = session.Core().Folder();
    if (session.DataLockBusy())
        session.Core().ErrorBox(Format(
            "Невозможно получить монопольный доступ к файлам данных в каталоге %s: с ним работает "
            "другая копия программы или другая команда. Повторите команду после ее завершения "
            "(--lock-wait задает, сколько секунд ждать).",
            {folder}));
    else
        session.Core().ErrorBox(
            Format("Невозможно получить монопольный доступ к файлам данных в каталоге %s:\n%s",
                   {folder, session.DataLockError()}));
    throw ECliExit(1);
}

void TCliSession::LockDataIfInside(const std::string& path) {
    if (IsInsideFolder(session.Core().Folder(), path)) LockData();
}

CLI::Validator IntRange(int64_t min, int64_t max) {
    return CLI::Validator(
        [min, max](std::string& input) {
            const std::optional<int64_t> value = TryStrToInt64(input);
            if (value && *value >= min && *value <= max) {
                input = std::to_string(*value);  // decimal, whatever the parser would make of it
                return std::string();
            }
            constexpr size_t kShown = 20;
            const std::string shown =
                Utf8Length(input) > kShown ? Utf8Left(input, kShown) + "..." : input;
            return Format("ожидается целое число от %d до %d, задано \"%s\"", {min, max, shown});
        },
        Format("INT in [%d - %d]", {min, max}));
}

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
    s.LockDataIfInside(out);
    TCombsController& combs = s.session.Combs();
    if (!combs.ReadCombFile(in)) throw ECliExit(1);
    narrow(combs);
    combs.WriteCombFile(out);
    s.ExitOnErrors();
    ctx.out << combs.Count() << "\n";
}

}  // namespace zentrix::cli
