#include "app/session.h"

namespace zentrix {

TMainSession::TMainSession(std::string dataFolder, TUiPort& ui)
    : core_(std::move(dataFolder), ui),
      config_(core_, configSettings_),
      archive_(core_, configSettings_),
      combs_(core_, archive_, config_) {}

void TMainSession::LoadWindowSettings() {
    try {
        core_.Settings().Load();
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка загрузки параметров программы!\n\n%s", e);
    }
}

void TMainSession::Initialize() {
    try {
        core_.ShowStatus("Инициализация...");
        combs_.InitArrays();
        archive_.SetDrawsOffset(0);
        archive_.LoadArchive();
        const TConfigSettings& s = config_.Settings();
        combs_.GenerateCombs(true, s.generateMode, s.generateParameters);
        core_.RefreshViews(true);
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка инициализации программы!\n\n%s", e);
    }
    core_.ShowStatus({});
}

}  // namespace zentrix
