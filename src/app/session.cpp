#include "app/session.h"

#include "core/game.h"
#include "util/files.h"
#include "util/program_folder.h"

namespace zentrix {

namespace {

// The second reason's example speaks of where this platform keeps programs.
const char* const kExclusiveAccessMessage =
    "Невозможно получить монопольный доступ к файлам данных!\n\nВозможные причины данной "
    "ошибки: \n\n1) Вы пытаетесь запустить вторую копию программы из одного и того же каталога. "
    "Корректная работа нескольких копий программы возможна только из разных каталогов.\n\n2) Для "
    "программы нет прав на запись в том каталоге, где она расположена. Например: обычному "
    "пользователю по умолчанию запрещена запись в /usr и /opt.\n\nПрограмма будет закрыта!";

}  // namespace

TMainSession::TMainSession(std::string dataFolder, TUiPort& ui)
    : core_(std::move(dataFolder), ui),
      config_(core_, configSettings_),
      archive_(core_, configSettings_),
      combs_(core_, archive_, config_),
      stats_(core_, configSettings_, archive_, combs_),
      charts_(core_, archive_, stats_),
      views_(core_, config_, archive_, combs_, stats_),
      scenario_(core_, stats_, config_),
      ratings_(core_, stats_, scenario_),
      stakes_(core_, archive_, combs_, config_, ratings_),
      regulars_(core_, archive_, combs_, config_, stakes_),
      run_(core_, archive_, combs_, config_, stats_, stakes_, scenario_),
      download_(core_, archive_, config_),
      systems_(core_, combs_, config_, stakes_),
      catalog_(core_, config_, scenario_),
      systemsCatalog_(core_, config_) {
    run_.SetSystemLookup([this](const TByteArray& numbers, TCombsArray& combs, std::string& text) {
        return systems_.Lookup(numbers, combs, text);
    });
    archive_.SetChangedHook([this] { stakes_.Check(); });
    download_.SetFinishedHook([this] {
        stakes_.Check();
        core_.Invalidate(TUiPart::StakesList);
    });
}

TMainSession::~TMainSession() {
    stakes_.Close();
}

void TMainSession::LoadWindowSettings() {
    try {
        core_.Settings().Load();
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка загрузки параметров программы!\n\n%s", e);
    }
}

bool TMainSession::TryDataLock(std::chrono::milliseconds wait) {
    if (dataLock_.IsOpen()) return true;
    if (lockRefused_) return false;
    try {
        RequireWritableFolder(core_.Folder());
        dataLock_.Open(core_.FilePath(".lsk"), wait);
    } catch (const EFileError& e) {
        lockRefused_ = true;
        lockBusy_ = dynamic_cast<const ELockBusy*>(&e) != nullptr;
        lockError_ = e.what();
        return false;
    }
    RemoveStaleTemporaries(core_.Folder());
    return true;
}

bool TMainSession::AcquireDataLock() {
    if (TryDataLock()) return true;
    core_.ErrorBox(kExclusiveAccessMessage);
    return false;
}

bool TMainSession::OpenStakes() {
    if (!dataLock_.IsOpen()) return false;
    if (!stakes_.IsOpen()) stakes_.Open(dataLock_);
    return stakes_.IsOpen();
}

bool TMainSession::Initialize(const TStartupSwitches& switches) {
    try {
        core_.ShowStatus("Инициализация...");
        combs_.InitArrays();
        MatchTables();
        archive_.SetDrawsOffset(0);
        if (!AcquireDataLock()) {
            core_.ShowStatus({});
            return false;
        }
        OpenStakes();
        archive_.LoadArchive();
        const TConfigSettings& s = config_.Settings();
        combs_.GenerateCombs(true, s.generateMode, s.generateParameters);
        core_.RefreshViews(true);
        ratings_.Load();
        // Draws that arrived while the program was closed complete their stakes.
        stakes_.Check();
        regulars_.Load();
        scenario_.LoadWorkingFile();
        if (switches.loadOnly) download_.DrawsDownload();
        // A start only to download draws ends before the full-set files.
        if (!switches.loadOnly || switches.fullRecreate || switches.fullRefresh)
            stats_.PrefetchsAtStart(switches.fullRecreate, switches.fullRefresh);
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка инициализации программы!\n\n%s", e);
    }
    core_.ShowStatus({});
    return true;
}

}  // namespace zentrix
