#include "app/update_controller.h"

#include <filesystem>

#include "exchange/http_helpers.h"
#include "exchange/update_package.h"
#include "util/file_glob.h"
#include "util/files.h"
#include "util/format.h"
#include "util/program_folder.h"
#include "util/strings.h"
#include "version.h"

namespace zentrix {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDescriptionName = "SelfUpdates.inf";
constexpr const char* kWorkFolderName = "SelfUpdate";
constexpr const char* kNoNotes = "< Описание обновления не доступно >";
constexpr int kDownloadAttempts = 3;

bool IsWebAddress(const std::string& source) {
    const std::string lower = LowerCase(source.substr(0, 8));
    return lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0;
}

void RemoveQuietly(const std::string& path) {
    std::error_code ec;
    fs::remove_all(path, ec);
}

// Removes the file at the end of the scope, whatever happened.
struct TRemoveAtEnd {
    std::string path;
    ~TRemoveAtEnd() { RemoveQuietly(path); }
};

// The build's version as four numbers, so that its 4th word is the build number.
std::string FourPartVersion(const std::string& version) {
    std::string text = version;
    for (size_t parts = SplitAny(version, ".").size(); parts < 4; ++parts) text += ".0";
    return text;
}

}  // namespace

TUpdateController::TUpdateController(TSessionCore& core, TConfigController& config)
    : core_(core), config_(config), ownVersion_(FourPartVersion(kProgramVersion)) {}

std::string TUpdateController::ProgramFolder() const {
    if (!programFolder_.empty()) return programFolder_;
    return fs::path(ExecutablePath(nullptr)).parent_path().string();
}

void TUpdateController::SetTimeouts(long connectMs, long readMs) {
    connectMs_ = connectMs;
    readMs_ = readMs;
}

std::string TUpdateController::Address() const {
    return Trim(config_.Services().UpdateUrl);
}

int TUpdateController::LanguageId() {
    return core_.Settings().Options().Language;
}

std::string TUpdateController::DescriptionFile() const {
    return JoinPath(core_.Folder(), kDescriptionName);
}

int TUpdateController::FetchUpdateFile(const std::string& source, const std::string& target) const {
    EnsureDirectory(fs::path(target).parent_path().string());
    if (IsWebAddress(source)) {
        THttpOptions o;
        o.caFile = config_.Services().CaFile;
        o.connectTimeoutMs = connectMs_;
        o.readTimeoutMs = readMs_;
        // Only verified TLS: a plain address is refused.
        HttpGetToFile(source, target, true, o);
        return 0;
    }
    if (!FileExists(source)) throw EFileError(Format("Файл \"%s\" не найден!", {source}));
    AtomicWriteFile(target, ReadFileBytes(source));
    return 1;
}

std::vector<std::string> TUpdateController::LoadNotes(const std::string& notesFolder,
                                                      const std::string& verId,
                                                      int languageId) const {
    const std::string temporary = JoinPath(core_.Folder(), Format("UpdDescr_%s.txt", {verId}));
    TRemoveAtEnd removal{temporary};
    RemoveQuietly(temporary);
    for (const std::string& name : UpdateNotesNames(verId, languageId)) {
        try {
            FetchUpdateFile(notesFolder + name, temporary);
            break;
        } catch (const std::exception&) {
            RemoveQuietly(temporary);
        }
    }
    if (FileExists(temporary)) {
        try {
            return ReadTextLines(temporary);
        } catch (const std::exception&) {
        }
    }
    return {kNoNotes};
}

TUpdateSearch TUpdateController::SearchSteps(const std::string& address, int languageId,
                                             bool progress) {
    auto step = [&] {
        if (progress) core_.StepProgress();
    };
    TUpdateSearch s;
    // What an earlier installation could not remove.
    const std::string program = ProgramFolder();
    std::vector<std::string> leftovers;
    for (const std::string& path : FindFilesLike(program, "", "")) {
        const std::string name = fs::path(path).filename().string();
        if (name.find(".~old") != std::string::npos || name.ends_with(".~new"))
            leftovers.push_back(path);
    }
    DeleteFiles(leftovers);
    step();
    s.ownVersion = ownVersion_;
    step();
    if (address.empty())
        throw EUpdateError("Адрес описания обновлений не задан (SERVICES UpdateUrl).");
    const int way = FetchUpdateFile(address, DescriptionFile());
    step();
    s.data = ReadUpdateVersionData(DescriptionFile(), s.ownVersion);
    step();
    s.available = UpdateAvailable(s.data, s.ownVersion);
    if (s.available) {
        RequireSafeVersionText(s.data.VerId);
        const std::string notesFolder =
            way == 0 ? UrlBasePath(address) + "UpdDescr/"
                     : (fs::path(address).parent_path() / "UpdDescr").string() + "/";
        s.notes = LoadNotes(notesFolder, s.data.VerId, languageId);
    }
    step();
    return s;
}

TUpdateSearch TUpdateController::Search(const std::string& address, int languageId) {
    TRemoveAtEnd removal{DescriptionFile()};
    return SearchSteps(address, languageId, false);
}

int TUpdateController::CheckForUpdate(const std::string& address, bool silent, int languageId) {
    TRemoveAtEnd removal{DescriptionFile()};
    int result = kNothing;
    try {
        TUpdateSearch s;
        try {
            TBusyScope busy(core_, "Поиск доступных обновлений...");
            TProgressScope progress(core_, "Поиск доступных обновлений...", 5);
            s = SearchSteps(address, languageId, true);
        } catch (const std::exception& e) {
            if (!silent) core_.ReportFailure("Ошибка поиска обновлений!\n\n%s", e);
            return kFailed;
        }
        if (!s.available) {
            if (!silent) core_.InfoBox("Обновлений не найдено!");
            return kNothing;
        }
        const TUpdateOffer offer{s.ownVersion, s.data, s.notes};
        const bool install =
            offerHook_ ? offerHook_(offer)
                       : core_.Confirm(Format("Найдена новая версия программы: %s\n\nУстановить?",
                                              {s.data.Description}));
        if (!install) return kNothing;
        try {
            Install(s.data);
            result = kInstalled;
        } catch (const std::exception& e) {
            core_.ReportFailure("Ошибка установки обновления!\n\n%s", e);
            return kFailed;
        }
        core_.WarningBox(Format("Установка обновления \"%s\" успешно выполнена.\n\nДля завершения "
                                "установки необходимо перезапустить программу!",
                                {s.data.Description}),
                         "Внимание!");
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка системы самообновления программы!\n\n%s", e);
        return kFailed;
    }
    return result;
}

int TUpdateController::StartupCheck() {
    if (!core_.Settings().Options().AutoUpdates) return kNothing;
    return CheckForUpdate(Address(), true, LanguageId());
}

void TUpdateController::SetAutoUpdates(bool on) {
    core_.Settings().Options().AutoUpdates = on;
    core_.StoreOption(&TMainOptions::AutoUpdates);
}

void TUpdateController::DownloadPackage(const TUpdateVersionData& data,
                                        const std::string& package) {
    for (int attempt = 1;; ++attempt) {
        try {
            RemoveQuietly(package);
            FetchUpdateFile(data.DownloadUrl, package);
            if (!FileExists(package)) throw EFileError(Format("Файл \"%s\" не найден!", {package}));
            CheckPackageSums(package, data.ChecksumCRC32, data.ChecksumSHA256);
            return;
        } catch (const std::exception&) {
            if (attempt >= kDownloadAttempts) throw;
        }
    }
}

void TUpdateController::Install(const TUpdateVersionData& data) {
    TBusyScope busy(core_, Format("Загрузка и установка обновления \"%s\"...", {data.VerId}));
    TProgressScope progress(core_,
                            Format("Загрузка и установка обновления \"%s\"...", {data.VerId}), 14);
    // Refused before anything is downloaded: an unsafe offer, a folder that cannot be written.
    RequireInstallableOffer(data);
    const std::string program = ProgramFolder();
    RequireWritableProgramFolder(program);
    core_.StepProgress();

    const std::string work = JoinPath(core_.Folder(), kWorkFolderName);
    const std::string package = JoinPath(core_.Folder(), Format("SelfUpdate_%s.upd", {data.VerId}));
    TRemoveAtEnd workRemoval{work};
    TRemoveAtEnd packageRemoval{package};
    RemoveQuietly(work);
    EnsureDirectory(work);
    core_.StepProgress();

    DownloadPackage(data, package);
    core_.StepProgress();
    UnpackTarGz(package, work);
    core_.StepProgress(3);
    RemoveQuietly(package);
    core_.StepProgress();
    std::error_code ec;
    if (fs::is_empty(work, ec))
        throw EFileError(Format("Файл \"%s\" не найден!", {JoinPath(work, "*.*")}));
    core_.StepProgress();

    TInstallPlan plan;
    plan.workFolder = work;
    plan.programFolder = program;
    plan.deleteBefore = UpdateList(data.global.DeleteBefore, data.program.DeleteBefore);
    plan.deleteAfter = UpdateList(data.global.DeleteAfter, data.program.DeleteAfter);
    core_.StepProgress(2);
    InstallUpdateFiles(plan, faultHook_);
    core_.StepProgress(4);
}

}  // namespace zentrix
