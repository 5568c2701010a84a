#include "app/config_controller.h"

#include "util/ini.h"
#include "util/strings.h"

namespace zentrix {

TConfigController::TConfigController(TSessionCore& core, TConfigSettings& settings)
    : core_(core), settings_(settings) {}

void TConfigController::LoadConfig() {
    TBusyScope busy(core_, "Загрузка файла конфигурации...");
    // An unreadable file leaves the defaults rather than zero widths and an empty formula.
    const TCDLParams saved = settings_.savedCDL;
    settings_ = DefaultConfigSettings();
    settings_.savedCDL = saved;
    try {
        const TIniFile ini(core_.FilePath(".ini"));
        LoadGenerateDefaults(ini, settings_);
        zentrix::LoadConfig(ini, settings_.data);
        LoadShredding(ini, settings_);
        LoadServices(ini, settings_);
        LoadUser(ini, settings_);
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка чтения файла конфигурации!\n\n%s", e);
    }
}

bool TConfigController::SaveGroup(TConfigGroup group) {
    TBusyScope busy(core_, "Сохранение файла конфигурации...");
    try {
        TIniFile ini(core_.FilePath(".ini"));
        SaveConfigGroup(ini, settings_, group);
        // The file also holds the proxy password: owner-only.
        ini.UpdateFile(true);
        return true;
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка записи в файл конфигурации!\n\n%s", e);
        return false;
    }
}

bool TConfigController::SaveConfig() {
    return SaveGroup(TConfigGroup::Config);
}

bool TConfigController::SaveGenerateDefaults(uint8_t mode, const std::string& parameters) {
    settings_.generateMode = mode;
    settings_.generateParameters = Utf8Left(parameters, kGenerateParametersMax);
    return SaveGroup(TConfigGroup::GenerateDefaults);
}

bool TConfigController::SaveServices(const TServiceSettings& services) {
    settings_.services = services;
    return SaveGroup(TConfigGroup::Services);
}

bool TConfigController::SaveUser(const TUserSettings& user) {
    const std::string id = settings_.user.ComputerId;
    settings_.user = user;
    settings_.user.ComputerId = id;
    return SaveGroup(TConfigGroup::User);
}

std::string TConfigController::ComputerId() {
    if (settings_.user.ComputerId.empty()) {
        settings_.user.ComputerId = NewComputerId();
        SaveGroup(TConfigGroup::User);
    }
    return settings_.user.ComputerId;
}

bool TConfigController::CanParams() const {
    return core_.NotBusy();
}

TParamsDialogModel TConfigController::OpenParams() const {
    return OpenParamsDialog(settings_.data);
}

void TConfigController::ApplyParams(const TConfigData& data) {
    const TConfigData old = settings_.data;
    TConfigChange change;
    change.matrixCols = old.MatrixCols != data.MatrixCols;
    change.channelSize = old.ChannelSize != data.ChannelSize;
    change.segments = SegmentsText(old.MatrixSegments) != SegmentsText(data.MatrixSegments);
    settings_.data = data;
    SaveConfig();
    core_.Events().settingsChanged.Emit(change);
    core_.RefreshViews(true);
    core_.Invalidate(TUiPart::DrawsList);
    core_.Invalidate(TUiPart::CombList);
}

void TConfigController::ApplyShredding(const std::array<std::string, 3>& formulas,
                                       const std::array<uint8_t, 3>& digits) {
    settings_.formulas = formulas;
    settings_.formulaDigits = digits;
    SaveGroup(TConfigGroup::Shredding);
    TConfigChange change;
    change.shredding = true;
    core_.Events().settingsChanged.Emit(change);
}

bool TConfigController::CanShredding() const {
    return core_.NotBusy();
}

TShredDialogModel TConfigController::OpenShredding() const {
    return OpenShredDialog(settings_);
}

void TConfigController::ApplyShredding(const TShredDialogModel& model) {
    ApplyShredding(model.formulas, model.digits);
}

}  // namespace zentrix
