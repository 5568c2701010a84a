// The draws tab's CSV exchange.
#include "app/archive_controller.h"
#include "exchange/draws_csv.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"
#include "util/program_folder.h"

namespace zentrix {

namespace {

TFileChoice CsvChoice(bool save) {
    TFileChoice choice;
    choice.save = save;
    choice.filter = "Файлы тиражей (*.csv)|*.csv";
    choice.defaultExtension = "csv";
    return choice;
}

}  // namespace

bool TArchiveController::CanDrawsExport() const {
    return core_.NotBusy() && !draws_.empty();
}

void TArchiveController::DrawsExport() {
    if (auto name = core_.Ui().ChooseFile(CsvChoice(true))) ExportDraws(*name);
}

bool TArchiveController::ExportDraws(const std::string& file) {
    TBusyScope busy(core_, Format("Экспорт тиражей в файл \"%s\"...", {file}));
    try {
        if (IsProgramDataFile(core_.Folder(), file))
            throw EFileError("Это один из файлов данных программы: тиражи в него не записываются.");
        AtomicWriteFile(file, DrawsCsvBytes(draws_));
        return true;
    } catch (const std::exception& e) {
        core_.ErrorBox(Format("Ошибка записи в файл \"%s\"!\n\n%s", {file, ErrorText(e)}));
        return false;
    }
}

bool TArchiveController::CanDrawsImport() const {
    return core_.NotBusy();
}

void TArchiveController::DrawsImport() {
    if (auto name = core_.Ui().ChooseFile(CsvChoice(false))) ImportDraws(*name);
}

int TArchiveController::ImportDraws(const std::string& file) {
    TCsvImport read;
    {
        TBusyScope busy(core_, Format("Импорт тиражей из файла \"%s\"...", {file}));
        try {
            read = ParseDrawsCsv(ReadFileBytes(file), draws_);
        } catch (const std::exception& e) {
            core_.ErrorBox(Format("Ошибка чтения файла \"%s\"!\n\n%s", {file, ErrorText(e)}));
            return -1;
        }
        const size_t before = draws_.size();
        draws_.insert(draws_.end(), read.draws.begin(), read.draws.end());
        // An archive that could not be saved keeps what the file holds.
        if (!SaveArchive()) {
            draws_.resize(before);
            RefreshDrawsList(true);
            return -1;
        }
    }
    if (read.unsoundLines > 0)
        core_.WarningBox(Format(
            "Строк с недопустимыми числами тиража пропущено: %d.\n\nТираж состоит из 8 разных "
            "чисел от 1 до 20 и дополнительного числа от 1 до 4.",
            {read.unsoundLines}));
    AnnounceChange();
    return static_cast<int>(read.draws.size());
}

}  // namespace zentrix
